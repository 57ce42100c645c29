#include "platform/hosts/headless/Robot.h"

#include <algorithm>

#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/rtl/Exceptions.h"

namespace qel {

namespace {
// Decodes one UTF-8 character; invalid bytes come back one at a time.
char32_t NextChar(const std::string& s, size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
  if (i + extra >= s.size() + (extra ? 0 : 1) && extra) { ++i; return c; }
  char32_t ch = extra == 0 ? c : c & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    unsigned char cc = static_cast<unsigned char>(s[i + k]);
    if ((cc & 0xC0) != 0x80) { ++i; return c; }
    ch = (ch << 6) | (cc & 0x3F);
  }
  i += extra + 1;
  return ch;
}

// The character a key types, if any (control characters included).
char32_t CharOfKey(uint16_t key, TShiftState shift) {
  if (shift.Contains(ssCtrl)) return key >= 'A' && key <= 'Z' ? key - 'A' + 1 : 0;
  switch (key) {
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_SPACE: return ' ';
    default: break;
  }
  if (key >= 'A' && key <= 'Z') return shift.Contains(ssShift) ? key : key + 32;
  static const char* unshifted = "0123456789";
  static const char* shifted = ")!@#$%^&*(";
  if (key >= '0' && key <= '9') return shift.Contains(ssShift) ? shifted[key - '0'] : unshifted[key - '0'];
  struct Oem { uint16_t key; char plain, shifted; };
  static const Oem oem[] = {{VK_OEM_1, ';', ':'}, {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'},
                            {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
                            {VK_OEM_3, '`', '~'}, {VK_OEM_4, '[', '{'}, {VK_OEM_5, '\\', '|'},
                            {VK_OEM_6, ']', '}'}, {VK_OEM_7, '\'', '"'}};
  for (const Oem& o : oem)
    if (o.key == key) return shift.Contains(ssShift) ? o.shifted : o.plain;
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) return '0' + (key - VK_NUMPAD0);
  if (key == VK_DECIMAL) return '.';
  return 0;
}
}  // namespace

bool KeyForChar(char32_t Ch, uint16_t& Key, bool& Shift) {
  for (uint16_t k = 1; k < 0xFF; ++k) {
    if (k == VK_TAB || k == VK_RETURN || k == VK_BACK || k == VK_ESCAPE) continue;
    if ((k >= VK_NUMPAD0 && k <= VK_DIVIDE)) continue;
    for (bool shift : {false, true}) {
      if (CharOfKey(k, shift ? TShiftState{ssShift} : TShiftState{}) == Ch) {
        Key = k;
        Shift = shift;
        return true;
      }
    }
  }
  return false;
}

TCustomForm* TTestRobot::FormOf(TControl* C, TPoint& FormPoint, int X, int Y) {
  TCustomForm* form = C->GetParentForm();
  if (!form) throw EInvalidOperation("The robot can only reach controls on a form");
  TPoint screen = C->ClientToScreen({X, Y});
  FormPoint = form->ScreenToClient(screen);
  return form;
}

void TTestRobot::MoveTo(TControl* C, int X, int Y, TShiftState Shift) {
  TPoint p;
  FormOf(C, p, X, Y)->InputMouseMove(Shift, p.X, p.Y);
  Application->ProcessMessages();
}

void TTestRobot::Press(TControl* C, int X, int Y, TMouseButton Button, TShiftState Shift) {
  TPoint p;
  TCustomForm* form = FormOf(C, p, X, Y);
  form->InputMouseMove(Shift, p.X, p.Y);
  form->InputMouseDown(Button, Shift, p.X, p.Y, Application->Host().NowMs());
  Application->ProcessMessages();
}

void TTestRobot::Release(TControl* C, int X, int Y, TMouseButton Button, TShiftState Shift) {
  TPoint p;
  FormOf(C, p, X, Y)->InputMouseUp(Button, Shift, p.X, p.Y);
  Application->ProcessMessages();
}

void TTestRobot::Click(TControl* C, int X, int Y, TMouseButton Button, TShiftState Shift) {
  Press(C, X, Y, Button, Shift);
  Release(C, X, Y, Button, Shift);
}

void TTestRobot::DoubleClick(TControl* C, int X, int Y) {
  Click(C, X, Y);
  Click(C, X, Y);
}

void TTestRobot::Drag(TControl* C, int X1, int Y1, int X2, int Y2, int Steps, TShiftState Shift) {
  Press(C, X1, Y1, mbLeft, Shift);
  Steps = Steps < 1 ? 1 : Steps;
  for (int i = 1; i <= Steps; ++i)
    MoveTo(C, X1 + (X2 - X1) * i / Steps, Y1 + (Y2 - Y1) * i / Steps, Shift + TShiftState{ssLeft});
  Release(C, X2, Y2, mbLeft, Shift);
}

void TTestRobot::Wheel(TControl* C, int X, int Y, int Delta, TShiftState Shift) {
  TPoint p;
  FormOf(C, p, X, Y)->InputMouseWheel(Shift, Delta, p.X, p.Y);
  Application->ProcessMessages();
}

void TTestRobot::Leave(TControl* C) {
  TPoint p;
  FormOf(C, p, 0, 0)->InputMouseLeave();
  Application->ProcessMessages();
}

TCustomForm* TTestRobot::KeyForm() {
  TCustomForm* f = keyForm_ ? keyForm_ : Application->ActiveForm();
  if (!f) throw EInvalidOperation("No form to type into: show one or call SetKeyForm");
  return f;
}

void TTestRobot::KeyDown(uint16_t Key, TShiftState Shift) {
  KeyForm()->InputKeyDown(Key, Shift);
  Application->ProcessMessages();
}

void TTestRobot::KeyUp(uint16_t Key, TShiftState Shift) {
  KeyForm()->InputKeyUp(Key, Shift);
  Application->ProcessMessages();
}

void TTestRobot::Key(uint16_t Key, TShiftState Shift) {
  TCustomForm* form = KeyForm();
  Headless().SetHeld(Shift);
  bool typed = form->InputKeyDown(Key, Shift);
  char32_t ch = CharOfKey(Key, Shift);
  if (typed && ch != 0 && !Shift.Contains(ssAlt)) form->InputChar(ch);
  form->InputKeyUp(Key, Shift);
  Headless().SetHeld({});
  Application->ProcessMessages();
}

void TTestRobot::Type(const std::string& Text) {
  for (size_t i = 0; i < Text.size();) {
    char32_t ch = NextChar(Text, i);
    uint16_t key;
    bool shift;
    if (ch == '\n') ch = '\r';
    if (ch == '\r') Key(VK_RETURN);
    else if (ch == '\t') Key(VK_TAB);
    else if (KeyForChar(ch, key, shift)) Key(key, shift ? TShiftState{ssShift} : TShiftState{});
    else {
      KeyForm()->InputChar(ch);
      Application->ProcessMessages();
    }
  }
}

namespace {
// Copies the control's area of its form's frame buffer: from its client
// origin, or from its outer corner when WithBorder.
std::unique_ptr<TBitmap> CaptureArea(TControl* C, bool WithBorder) {
  TCustomForm* form = dynamic_cast<TCustomForm*>(C);
  TPoint origin{0, 0}, border{0, 0};
  if (!form) {
    form = C->GetParentForm();
    if (!form) throw EInvalidOperation("Only controls on a form can be captured");
    origin = form->ScreenToClient(C->ClientToScreen({0, 0}));
    if (auto* win = dynamic_cast<TWinControl*>(C)) border = win->ClientOffset();
  }
  TRect area = WithBorder ? Bounds(origin.X - border.X, origin.Y - border.Y, C->GetWidth(), C->GetHeight())
                          : Bounds(origin.X, origin.Y, std::max(C->GetWidth() - 2 * border.X, 0),
                                   std::max(C->GetHeight() - 2 * border.Y, 0));
  const TBitmap& frame = form->FrameBuffer();
  auto out = std::make_unique<TBitmap>(area.Width(), area.Height());
  TRect src = IntersectRect(area, {0, 0, frame.GetWidth(), frame.GetHeight()});
  for (int y = src.Top; y < src.Bottom; ++y)
    for (int x = src.Left; x < src.Right; ++x) out->ScanLine(y - area.Top)[x - area.Left] = frame.ScanLine(y)[x];
  return out;
}
}  // namespace

std::unique_ptr<TBitmap> TTestRobot::Capture(TControl* C) { return CaptureArea(C, false); }

std::unique_ptr<TBitmap> TTestRobot::CaptureWindow(TControl* C) { return CaptureArea(C, true); }

TColor TTestRobot::PixelAt(TControl* C, int X, int Y) {
  auto shot = Capture(C);
  if (X < 0 || Y < 0 || X >= shot->GetWidth() || Y >= shot->GetHeight()) return CLR_INVALID;
  return PixelToColor(shot->ScanLine(Y)[X]);
}

void TTestRobot::SavePng(TControl* C, const std::string& FileName) { CaptureWindow(C)->SaveToFile(FileName); }

}  // namespace qel
