// TSdlHost: the clock, the loop's wait, windows for forms, clipboard,
// cursors and beeps. Event translation is in SdlEvents.cpp.
#include "platform/hosts/sdl/SdlHost.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>

#include "platform/controls/Application.h"
#include "platform/hosts/sdl/SdlKeyMap.h"
#include "platform/hosts/sdl/SdlWindow.h"
#include "platform/rtl/Exceptions.h"

namespace qel {

namespace {
// The system cursor that stands for a platform cursor; -1 hides it.
int SystemCursorFor(TCursor c) {
  switch (c) {
    case crNone: return -1;
    case crIBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case crCross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case crSizeWE: case crHSplit: return SDL_SYSTEM_CURSOR_SIZEWE;
    case crSizeNS: case crVSplit: return SDL_SYSTEM_CURSOR_SIZENS;
    case crSizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case crSizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case crSizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case crHourGlass: case crSQLWait: return SDL_SYSTEM_CURSOR_WAIT;
    case crAppStart: return SDL_SYSTEM_CURSOR_WAITARROW;
    case crHandPoint: return SDL_SYSTEM_CURSOR_HAND;
    case crNo: case crNoDrop: return SDL_SYSTEM_CURSOR_NO;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}
}  // namespace

TSdlHost::TSdlHost() {
  // Forms shown before the host came get their windows now.
  for (TCustomForm* f : Application->Forms())
    if (f->Showing()) FormShown(f);
}

TSdlHost::~TSdlHost() {
  windows_.clear();
  for (SDL_Cursor* c : cursors_)
    if (c) SDL_FreeCursor(c);
}

uint64_t TSdlHost::NowMs() { return SDL_GetTicks64(); }

bool TSdlHost::PumpEvents(bool Wait, int TimeoutMs) {
  SDL_Event e;
  bool any = false;
  // SDL waits on the display connection, not in a polling loop.
  if (Wait && (TimeoutMs < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, TimeoutMs))) {
    Dispatch(e);
    any = true;
  }
  while (SDL_PollEvent(&e)) {
    Dispatch(e);
    any = true;
  }
  ClosePopupsIfAppLostFocus();
  return any;
}

// ------------------------------------------------------------ windows ----

TSdlWindow* TSdlHost::WindowOf(uint32_t WindowId) {
  auto it = windows_.find(WindowId);
  return it == windows_.end() ? nullptr : it->second.get();
}

TCustomForm* TSdlHost::FormOf(uint32_t WindowId) {
  TSdlWindow* w = WindowOf(WindowId);
  return w ? w->Form() : nullptr;
}

void TSdlHost::FormShown(TCustomForm* Form) {
  for (auto& [id, w] : windows_)
    if (w->Form() == Form) return;
  auto window = std::make_unique<TSdlWindow>(Form);
  uint32_t id = window->Id();
  windows_[id] = std::move(window);
}

// A hidden form gives its window up: a form may be hidden because it is
// being destroyed, and popups are cheap to make again. A popup that goes
// while the application has the keyboard hands it back to the form it
// served: without a window manager X would leave the focus with no window.
void TSdlHost::FormHidden(TCustomForm* Form) {
  for (auto it = windows_.begin(); it != windows_.end(); ++it)
    if (it->second->Form() == Form) {
      bool hadKeyboard = SDL_GetKeyboardFocus() != nullptr;
      windows_.erase(it);
      if (Form->IsPopup() && hadKeyboard) GiveKeyboard(Application->ActiveForm());
      return;
    }
}

void TSdlHost::GiveKeyboard(TCustomForm* Form) {
  for (auto& [id, w] : windows_)
    if (w->Form() == Form && !Form->IsPopup() && SDL_GetKeyboardFocus() != w->Window())
      SDL_SetWindowInputFocus(w->Window());
}

void TSdlHost::FormChanged(TCustomForm* Form) {
  for (auto& [id, w] : windows_)
    if (w->Form() == Form) w->ApplyStyle();
}

// When the modal window goes, X gives the keyboard to no window of ours
// unless a window manager steps in: raising asks a window manager, setting
// the input focus works without one.
void TSdlHost::FormReactivated(TCustomForm* Form) {
  for (auto& [id, w] : windows_)
    if (w->Form() == Form) {
      SDL_RaiseWindow(w->Window());
      SDL_SetWindowInputFocus(w->Window());
    }
}

void TSdlHost::Present(TCustomForm* Form) {
  for (auto& [id, w] : windows_)
    if (w->Form() == Form) w->Present();
}

// ------------------------------------------- clipboard, cursor, beep ----

std::string TSdlHost::ClipboardText() {
  char* text = SDL_GetClipboardText();
  if (!text) return {};
  std::string s = text;
  SDL_free(text);
  return s;
}

void TSdlHost::SetClipboardText(const std::string& Text) {
  if (SDL_SetClipboardText(Text.c_str()) != 0)
    throw Exception(std::string("Cannot set the clipboard text: ") + SDL_GetError());
}

bool TSdlHost::ClipboardHasText() { return SDL_HasClipboardText() == SDL_TRUE; }

void TSdlHost::SetCursor(TCursor Cursor) {
  screenCursor_ = Cursor;
  UpdateCursor(nullptr);
}

// The screen's cursor when one is set, else that of the control under the
// mouse (or of its nearest parent that has one).
void TSdlHost::UpdateCursor(TCustomForm* Form) {
  TCursor want = screenCursor_;
  if (want == crDefault && Form) {
    TControl* c = Form->CaptureControl() ? Form->CaptureControl() : Form->HoverControl();
    for (; c && want == crDefault; c = c->GetParent()) want = c->GetCursor();
  }
  if (want == shownCursor_) return;
  shownCursor_ = want;
  int id = SystemCursorFor(want);
  SDL_ShowCursor(id < 0 ? SDL_DISABLE : SDL_ENABLE);
  if (id < 0) return;
  if (!cursors_[id]) cursors_[id] = SDL_CreateSystemCursor(static_cast<SDL_SystemCursor>(id));
  if (cursors_[id]) SDL_SetCursor(cursors_[id]);
}

// SDL has no beep; a terminal rings its bell.
void TSdlHost::Beep(unsigned) {
  ++beeps_;
  if (isatty(STDERR_FILENO)) std::fputs("\a", stderr);
}

TSize TSdlHost::ScreenSize() {
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {1280, 800};
  return {mode.w, mode.h};
}

TShiftState TSdlHost::KeyboardState() {
  TShiftState s = ShiftStateFromSdl(static_cast<uint16_t>(SDL_GetModState()));
  uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
  if (buttons & SDL_BUTTON_LMASK) s.Include(ssLeft);
  if (buttons & SDL_BUTTON_RMASK) s.Include(ssRight);
  if (buttons & SDL_BUTTON_MMASK) s.Include(ssMiddle);
  return s;
}

// ------------------------------------------------------------ install ----

void InstallSdlHost() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    throw Exception(std::string("Cannot open the display: ") + SDL_GetError());
  // The application decides when it ends (its main form closes), and the
  // first click on an inactive window counts, as on the platform.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_StartTextInput();
  Application->SetHost(std::make_unique<TSdlHost>());
}

}  // namespace qel
