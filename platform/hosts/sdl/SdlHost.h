// The SDL2 host: every form is a real window, SDL events become the forms'
// input, and the clock, clipboard and cursors are the system's.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <memory>

#include "platform/controls/Host.h"
#include "platform/rtl/Export.h"

struct SDL_Cursor;
union SDL_Event;
struct SDL_WindowEvent;
struct SDL_KeyboardEvent;

namespace qel {
QEL_API_BEGIN

class TSdlWindow;

/// The host with real windows: every form an SDL window, SDL events as the forms' input, the system's clock, clipboard and cursors.
class TSdlHost : public THost {
 public:
  TSdlHost();  ///< SDL video must be running: see InstallSdlHost
  ~TSdlHost() override;

  uint64_t NowMs() override;
  bool PumpEvents(bool Wait, int TimeoutMs) override;

  void FormShown(TCustomForm* Form) override;
  void FormHidden(TCustomForm* Form) override;
  void FormChanged(TCustomForm* Form) override;
  void FormReactivated(TCustomForm* Form) override;
  void Present(TCustomForm* Form) override;

  std::string ClipboardText() override;
  void SetClipboardText(const std::string& Text) override;
  bool ClipboardHasText() override;
  void SetCursor(TCursor Cursor) override;
  void Beep(unsigned Type) override;
  TSize ScreenSize() override;
  TShiftState KeyboardState() override;

  /// Beeps so far (a beep is the terminal bell when stderr is a terminal).
  int BeepCount() const { return beeps_; }

 private:
  // --- events (SdlEvents.cpp) ---
  void Dispatch(const SDL_Event& E);
  void WindowEvent(const SDL_WindowEvent& E);
  void KeyDown(const SDL_KeyboardEvent& E);
  void KeyUp(const SDL_KeyboardEvent& E);
  void Text(uint32_t WindowId, const char* Utf8);
  void MouseButton(const SDL_Event& E, bool Down);
  TSdlWindow* WindowOf(uint32_t WindowId);
  TCustomForm* FormOf(uint32_t WindowId);
  // Keys go to the window that has the keyboard, or to the active form when
  // that is a popup (which never takes activation) or none of ours.
  TCustomForm* KeyForm(uint32_t WindowId);
  TShiftState MouseShift() const;
  void UpdateCursor(TCustomForm* Form);
  // Sets the X input focus on Form's window, unless it has it already.
  void GiveKeyboard(TCustomForm* Form);
  void ClosePopupsIfAppLostFocus();

  std::map<uint32_t, std::unique_ptr<TSdlWindow>> windows_;  // by SDL window id
  uint32_t heldButtons_ = 0;      // SDL_BUTTON masks of the buttons down
  bool dropText_ = false;         // the key down just seen types nothing
  bool focusLost_ = false;        // check whether the application lost the keyboard
  TCursor screenCursor_ = crDefault;
  TCursor shownCursor_ = crDefault;
  std::array<SDL_Cursor*, 12> cursors_{};
  int beeps_ = 0;
};

/// Starts SDL video (raising Exception when there is no display) and makes a
/// TSdlHost the application's host.
void InstallSdlHost();

QEL_API_END
}  // namespace qel
