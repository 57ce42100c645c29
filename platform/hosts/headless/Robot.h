// TTestRobot: drives forms the way a user does, through the form-level input
// dispatch, and captures what they show. Coordinates are the target
// control's client coordinates, for input and capture alike; only
// CaptureWindow takes the whole control, border included.
#pragma once
#include <memory>
#include <string>

#include "platform/controls/Forms.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Drives forms the way a user does, through the forms' input dispatch, and captures what they show; for tests and screenshots.
class TTestRobot {
 public:
  /// Moves the mouse to client (X, Y) of C.
  void MoveTo(TControl* C, int X, int Y, TShiftState Shift = {});
  /// Presses or releases a mouse button at client (X, Y) of C.
  ///@{
  void Press(TControl* C, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
  void Release(TControl* C, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
  ///@}
  /// A press and a release at client (X, Y) of C.
  void Click(TControl* C, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
  /// Two clicks close enough in time and place to make a double click.
  void DoubleClick(TControl* C, int X, int Y);
  /// Press at the start, moves in Steps even steps, release at the end.
  void Drag(TControl* C, int X1, int Y1, int X2, int Y2, int Steps = 4, TShiftState Shift = {});
  /// Turns the wheel by Delta (120 per notch, positive away from the user) at client (X, Y) of C.
  void Wheel(TControl* C, int X, int Y, int Delta, TShiftState Shift = {});
  /// The mouse leaves C.
  void Leave(TControl* C);

  /// Key: down, the character it types (if any), up. Type: each character of
  /// UTF-8 text as its key on a US keyboard (characters no key types arrive
  /// as characters only).
  ///@{
  void KeyDown(uint16_t Key, TShiftState Shift = {});
  void KeyUp(uint16_t Key, TShiftState Shift = {});
  void Key(uint16_t Key, TShiftState Shift = {});
  void Type(const std::string& Text);
  ///@}
  /// Which form receives keys: the active form unless set.
  void SetKeyForm(TCustomForm* F) { keyForm_ = F; }

  /// The control as it is shown now (its form painted and composed), inside
  /// its border: pixel (X, Y) is where Click(C, X, Y) lands. Scroll bars are
  /// inside the border, so they are in it too.
  std::unique_ptr<TBitmap> Capture(TControl* C);
  /// The colour of client pixel (X, Y) of C as shown now.
  TColor PixelAt(TControl* C, int X, int Y);
  /// The whole control with its border: (0, 0) is its outer top-left corner.
  std::unique_ptr<TBitmap> CaptureWindow(TControl* C);
  /// Saves CaptureWindow as a PNG file.
  void SavePng(TControl* C, const std::string& FileName);

 private:
  TCustomForm* FormOf(TControl* C, TPoint& FormPoint, int X, int Y);
  TCustomForm* KeyForm();
  TCustomForm* keyForm_ = nullptr;
};

QEL_API_END
}  // namespace qel
