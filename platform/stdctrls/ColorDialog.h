// TColorDialog: a modal colour chooser. Execute shows a form titled "Color"
// with 48 basic colours, 16 custom colours, a preview, red/green/blue and
// hexadecimal fields, and OK/Cancel (Enter/Escape).
#pragma once
#include <array>

#include "platform/controls/Component.h"
#include "platform/graphics/Colors.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// The colour dialog: 48 basic colours, 16 custom ones, red, green, blue and hexadecimal fields, shown modally.
class TColorDialog : public TComponent {
 public:
  /// A dialog for black, with white custom colours.
  explicit TColorDialog(TComponent* AOwner) : TComponent(AOwner) { custom_.fill(0xFFFFFF); }

  /// The colour shown at first, and the one chosen after OK.
  ///@{
  TColor GetColor() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  ///@}
  /// The 16 custom colours; "Add to Custom Colors" changes them, kept on OK.
  ///@{
  TColor GetCustomColor(int Index) const;
  void SetCustomColor(int Index, TColor Value);
  ///@}
  /// True on OK with Color set to the chosen colour; false on Cancel, with
  /// Color and the custom colours unchanged.
  bool Execute();

  /// The swatch grids ("BasicColors": 8 columns by 6 rows; "CustomColors":
  /// 16 by 1) have cells of this size, column 0 row 0 at the top-left.
  ///@{
  static constexpr int SwatchWidth = 24, SwatchHeight = 20;
  ///@}
  /// Number of basic and custom colours.
  ///@{
  static constexpr int BasicColorCount = 48, CustomColorCount = 16;
  ///@}
  /// Basic colour Index, row by row.
  static TColor BasicColor(int Index);

 private:
  TColor color_ = clBlack;
  std::array<TColor, CustomColorCount> custom_;
};

QEL_API_END
}  // namespace qel
