// SDL events as the forms' input: mouse, wheel, keys and text, and the
// window events (close, focus, move, resize, expose, leave).
#include <SDL.h>

#include "platform/controls/Application.h"
#include "platform/hosts/sdl/SdlHost.h"
#include "platform/hosts/sdl/SdlKeyMap.h"
#include "platform/hosts/sdl/SdlWindow.h"
#include "platform/rtl/Utf8.h"

namespace qel {

namespace {
bool MouseButtonOf(uint8_t sdlButton, TMouseButton& b) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: b = mbLeft; return true;
    case SDL_BUTTON_RIGHT: b = mbRight; return true;
    case SDL_BUTTON_MIDDLE: b = mbMiddle; return true;
    default: return false;
  }
}

TShiftState ButtonsShift(uint32_t mask) {
  TShiftState s;
  if (mask & SDL_BUTTON_LMASK) s.Include(ssLeft);
  if (mask & SDL_BUTTON_RMASK) s.Include(ssRight);
  if (mask & SDL_BUTTON_MMASK) s.Include(ssMiddle);
  return s;
}

TShiftState Modifiers() { return ShiftStateFromSdl(static_cast<uint16_t>(SDL_GetModState())); }
}  // namespace

TShiftState TSdlHost::MouseShift() const { return Modifiers() + ButtonsShift(heldButtons_); }

TCustomForm* TSdlHost::KeyForm(uint32_t WindowId) {
  TCustomForm* f = FormOf(WindowId);
  if (f && !f->IsPopup()) return f;
  if (TCustomForm* active = Application->ActiveForm(); active && active->Showing()) return active;
  TCustomForm* main = Application->MainForm();
  return main && main->Showing() ? main : f;
}

// One failing handler must not lose the events behind it.
void TSdlHost::Dispatch(const SDL_Event& E) {
  try {
    switch (E.type) {
      case SDL_QUIT:
        // A signal or the session ending: as if the main window were closed.
        if (TCustomForm* main = Application->MainForm(); main && main->Showing()) main->Perform(WM_CLOSE);
        else Application->Terminate();
        break;
      case SDL_WINDOWEVENT: WindowEvent(E.window); break;
      case SDL_MOUSEMOTION:
        if (TCustomForm* f = FormOf(E.motion.windowID)) {
          f->InputMouseMove(Modifiers() + ButtonsShift(E.motion.state), E.motion.x, E.motion.y);
          UpdateCursor(FormOf(E.motion.windowID));
        }
        break;
      case SDL_MOUSEBUTTONDOWN: MouseButton(E, true); break;
      case SDL_MOUSEBUTTONUP: MouseButton(E, false); break;
      case SDL_MOUSEWHEEL:
        if (TCustomForm* f = FormOf(E.wheel.windowID)) {
          int x = 0, y = 0;
          SDL_GetMouseState(&x, &y);
          int steps = E.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -E.wheel.y : E.wheel.y;
          if (steps != 0) f->InputMouseWheel(MouseShift(), steps * 120, x, y);
        }
        break;
      case SDL_KEYDOWN: KeyDown(E.key); break;
      case SDL_KEYUP: KeyUp(E.key); break;
      case SDL_TEXTINPUT: Text(E.text.windowID, E.text.text); break;
      default: break;
    }
  } catch (...) {
    Application->HandleException(Application);
  }
}

void TSdlHost::WindowEvent(const SDL_WindowEvent& E) {
  TSdlWindow* w = WindowOf(E.windowID);
  if (!w) return;
  TCustomForm* f = w->Form();
  switch (E.event) {
    case SDL_WINDOWEVENT_CLOSE: f->Perform(WM_CLOSE); break;
    case SDL_WINDOWEVENT_EXPOSED: w->Invalidate(); break;
    case SDL_WINDOWEVENT_MOVED: w->WindowMoved(E.data1, E.data2); break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: w->WindowResized(E.data1, E.data2); break;
    case SDL_WINDOWEVENT_LEAVE: f->InputMouseLeave(); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (!f->IsPopup()) Application->ActivateForm(f);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST: focusLost_ = true; break;
    default: break;
  }
}

// Focus moving between our own windows (a popup shown without a window
// manager takes it) keeps the popups; focus going to another program closes them.
void TSdlHost::ClosePopupsIfAppLostFocus() {
  if (!focusLost_) return;
  focusLost_ = false;
  if (!SDL_GetKeyboardFocus()) Application->ClosePopups();
}

void TSdlHost::MouseButton(const SDL_Event& E, bool Down) {
  const SDL_MouseButtonEvent& b = E.button;
  TMouseButton button;
  if (!MouseButtonOf(b.button, button)) return;
  uint32_t mask = SDL_BUTTON(b.button);
  // The window that got the press keeps the mouse until every button is up.
  if (Down) {
    if (heldButtons_ == 0) SDL_CaptureMouse(SDL_TRUE);
    heldButtons_ |= mask;
  } else {
    heldButtons_ &= ~mask;
    if (heldButtons_ == 0) SDL_CaptureMouse(SDL_FALSE);
  }
  TCustomForm* f = FormOf(b.windowID);
  if (!f) return;
  // A click in a form of ours gives it the keyboard, with or without a
  // window manager (one that is there has done so already).
  if (Down && !f->IsPopup() && (!Application->ModalForm() || Application->ModalForm() == f)) GiveKeyboard(f);
  if (Down) f->InputMouseDown(button, Modifiers() + ButtonsShift(heldButtons_ & ~mask), b.x, b.y, b.timestamp);
  else f->InputMouseUp(button, MouseShift(), b.x, b.y);
  UpdateCursor(FormOf(b.windowID));
}

void TSdlHost::KeyDown(const SDL_KeyboardEvent& E) {
  TShiftState shift = ShiftStateFromSdl(E.keysym.mod);
  uint16_t key = VirtualKeyFromSdl(E.keysym.sym, E.keysym.scancode, (E.keysym.mod & KMOD_NUM) != 0);
  // Left Alt makes menu keys and Ctrl control keys, which type no text
  // (right Alt may be AltGr, and Ctrl+Alt is AltGr on the platform).
  bool ctrl = E.keysym.mod & KMOD_CTRL, alt = E.keysym.mod & KMOD_ALT;
  dropText_ = ((E.keysym.mod & KMOD_LALT) && !ctrl) || (ctrl && !alt);
  TCustomForm* f = KeyForm(E.windowID);
  if (key == 0 || !f) return;
  if (!f->InputKeyDown(key, shift)) {
    dropText_ = true;  // taken as a dialog key
    return;
  }
  if (char32_t ch = ControlCharForKey(key, shift))
    if (TCustomForm* still = KeyForm(E.windowID)) still->InputChar(ch);
}

void TSdlHost::KeyUp(const SDL_KeyboardEvent& E) {
  dropText_ = false;
  uint16_t key = VirtualKeyFromSdl(E.keysym.sym, E.keysym.scancode, (E.keysym.mod & KMOD_NUM) != 0);
  TCustomForm* f = KeyForm(E.windowID);
  if (key != 0 && f) f->InputKeyUp(key, ShiftStateFromSdl(E.keysym.mod));
}

void TSdlHost::Text(uint32_t WindowId, const char* Utf8) {
  if (dropText_) return;
  std::string text = Utf8;
  for (size_t i = 0; i < text.size(); i += Utf8CharSize(text, i)) {
    // Each character may move the focus or close the form: look again.
    TCustomForm* f = KeyForm(WindowId);
    if (!f) return;
    f->InputChar(static_cast<char32_t>(Utf8DecodeChar(text, i)));
  }
}

}  // namespace qel
