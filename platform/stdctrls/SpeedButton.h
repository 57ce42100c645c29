// TSpeedButton: a windowless tool button with a caption and a glyph; alone
// it springs back up, in a group (GroupIndex) it latches down and pushes the
// group's other buttons up.
//
// States (FState) while the left button is held (FDragging):
//   pressed over the button, not Down       -> bsDown (sunken)
//   moved off the button                     -> bsUp, or bsExclusive when Down
//   released over it                         -> Click; grouped buttons toggle Down
// A Down button of a group shows bsExclusive (sunken, checkered face).
#pragma once
#include <memory>

#include "platform/controls/Controls.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// How a speed button is drawn: up, disabled, down, or down as its group's chosen one.
enum TButtonState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };
/// Where the glyph sits relative to the caption.
enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

/// A flat-capable button with a glyph and a caption that can stay down, alone or in a group.
class TSpeedButton : public TGraphicControl {
 public:
  /// An up button, 23 x 22 pixels.
  explicit TSpeedButton(TComponent* AOwner);
  /// Frees the glyph.
  ~TSpeedButton() override;

  /// A group's buttons (same parent, same GroupIndex) are down one at a time;
  /// with AllowAllUp the down one may be clicked up again. GroupIndex 0: no
  /// group, never down.
  ///@{
  int GetGroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v);
  bool GetAllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v);
  bool GetDown() const { return FDown; }
  void SetDown(bool v);
  ///@}
  /// Flat: no frame until the mouse is over the button.
  ///@{
  bool GetFlat() const { return flat_; }
  void SetFlat(bool v);
  ///@}
  /// The picture (copied in); see-through where it has the colour of its
  /// bottom-left pixel. NumGlyphs pictures side by side: up, disabled,
  /// down, exclusive; without a disabled one it is drawn embossed.
  ///@{
  TBitmap* GetGlyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* v);
  ///@}
  /// Number of pictures in the glyph, 1..4.
  ///@{
  int GetNumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int v);  ///< 1..4
  ///@}
  /// Where the glyph sits relative to the caption.
  ///@{
  TButtonLayout GetLayout() const { return layout_; }
  void SetLayout(TButtonLayout v);
  ///@}
  /// Pixels between glyph and caption.
  ///@{
  int GetSpacing() const { return spacing_; }
  void SetSpacing(int v);
  ///@}

  /// Toggles Down in a group, then fires OnClick.
  void Click() override;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
  /// Track the mouse for the flat look.
  ///@{
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  ///@}
  /// Another button of the group went down.
  virtual void CMButtonPressed(TMessage& Message);

  /// The state drawn.
  TButtonState FState = bsUp;
  /// Whether the button is down.
  bool FDown = false;
  /// Whether the mouse is pressed on the button.
  bool FDragging = false;
  /// Whether the mouse is over the button.
  bool FMouseInControl = false;

 private:
  void UpdateExclusive();
  bool Sunken() const { return FState == bsDown || FState == bsExclusive; }
  void PaintFace(TCanvas* C, TRect& R);
  void PaintContent(TCanvas* C, const TRect& R);
  std::unique_ptr<TBitmap> GlyphFor(TButtonState State, bool& Embossed) const;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool flat_ = false;
  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  int spacing_ = 4;
};

QEL_API_END
}  // namespace qel
