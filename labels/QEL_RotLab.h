/// \file
/// QEL_RotLab: TRotLab, a label whose caption is drawn at any angle around an
/// anchor point (PosX, PosY), left-, centre- or right-aligned to it,
/// anti-aliased or not, with a frame. It keeps the platform label's painting
/// (background unless transparent, the disabled look) and replaces only the
/// step that draws the text.
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Geometry. w and h are half the text's width and height as unrotated text
/// measures them; theta is TextAngle (degrees, counter-clockwise). The text's
/// cell has its top-left corner at
///   taLeftJustify   (PosX - h sin theta,             PosY - h cos theta)
///   taCenter        (PosX - w cos theta - h sin theta, PosY + w sin theta - h cos theta)
///   taRightJustify  (PosX - 2w cos theta - h sin theta, PosY + 2w sin theta - h cos theta)
/// each offset rounded to the nearest integer, ties to even; so the anchor is
/// the middle of the text's left end, centre or right end at any angle.
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// Refresh: a setter that changes something invalidates when Transparent is
/// on (the parent must repaint underneath) and repaints at once otherwise.
///
/// Transparency. A new label keeps Transparent on but paints its background
/// like an opaque one until Transparent is assigned; assigning it (either
/// value) hands it to the platform label.
#pragma once
#include <cstdint>

#include "framework/QEL_Base.h"
#include "platform/stdctrls/Label.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// The top-left corner of the rotated text's cell (see above); W2 and H2 are
/// half the text's width and height.
TPoint RotatedTextOrigin(TAlignment Alignment, int PosX, int PosY, int W2, int H2, int Angle);

/// A label whose caption is drawn at any angle around an anchor point, aligned to it, anti-aliased or not, with a frame.
///
/// From examples/labels/main.cpp (`qel-labels`):
/// \snippet labels/main.cpp rotated
/// \image html labels-and-fills.png "The gallery's page Labels and fills"
class TRotLab : public TCustomLabel {
 public:
  /// A centred, anti-aliased label at 0 degrees.
  explicit TRotLab(TComponent* AOwner);

  /// Angle of the text in degrees, counter-clockwise; refreshes.
  ///@{
  int GetTextAngle() const { return textAngle_; }
  void SetTextAngle(int v) { Change(textAngle_, v); }
  ///@}
  /// With AutoCenter on, assigned values are ignored: the anchor is re-centred.
  /// Position of the anchor in client pixels.
  ///@{
  int GetPosX() const { return posX_; }
  void SetPosX(int v);
  int GetPosY() const { return posY_; }
  void SetPosY(int v);
  ///@}
  /// On: the anchor is the middle of the label (Width div 2, Height div 2),
  /// kept there when the label is resized or given a parent.
  ///@{
  bool GetAutoCenter() const { return autoCenter_; }
  void SetAutoCenter(bool v);
  ///@}
  /// Which end of the text (left, centre, right) lies at the anchor.
  void SetAlignment(TAlignment v);
  /// Whether the text is anti-aliased.
  ///@{
  bool GetAntiAlias() const { return antiAlias_; }
  void SetAntiAlias(bool v) { Change(antiAlias_, v); }
  ///@}
  /// Whether the parent shows through the background.
  ///@{
  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool v);
  ///@}
  /// Background colour.
  void SetColor(TColor v);
  /// Style of the frame.
  ///@{
  TFrameStyle GetFrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle v) { Change(frameStyle_, v); }
  ///@}

  /// Re-centres the anchor with AutoCenter.
  void SetParent(TWinControl* AParent) override;
  /// Copies AutoCenter, FrameStyle, TextAngle, PosX, PosY and AntiAlias from
  /// another TRotLab, then invalidates.
  void Assign(TPersistent* Source) override;

 protected:
  /// Fills another TRotLab from this one.
  void AssignTo(TPersistent* Dest) override;
  /// The rotated text; nothing when only the extent is asked for.
  void DoDrawText(TRect& Rect, int Flags) override;
  /// The platform label's painting, then the frame; nothing when hidden.
  void Paint() override;

 private:
  // Stores a changed value and refreshes.
  template <class T>
  void Change(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    RefreshLabel();
  }
  void RefreshLabel();
  void CenterAnchor();
  void LabelResized(TObject* Sender);

  int textAngle_ = 0;
  int posX_ = 10, posY_ = 10;
  bool autoCenter_ = true;
  bool antiAlias_ = true;
  bool transparent_ = true;
  TFrameStyle frameStyle_ = fsLowered;
};

QEL_API_END
}  // namespace qel
