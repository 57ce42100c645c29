// THost: what the application needs from the machine it runs on: a clock,
// events, windows to present forms in, clipboard, cursor, beeps. The
// headless host serves tests and screenshots; the SDL host real windows.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/controls/Controls.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

class TCustomForm;

/// What the application needs from the machine: a clock, events, windows to present forms in, the clipboard, the cursor and beeps.
class THost {
 public:
  virtual ~THost() = default;
  /// Milliseconds on the host's clock (virtual under the headless host).
  virtual uint64_t NowMs() = 0;
  /// A virtual clock fires every due tick when advanced; a real one that
  /// fell behind fires a late timer once.
  virtual bool VirtualClock() const { return false; }
  /// Delivers pending input to forms (through their Input... calls). When
  /// Wait is true and nothing is pending, blocks up to TimeoutMs (-1: until
  /// something happens). Returns whether any event was delivered.
  virtual bool PumpEvents(bool Wait, int TimeoutMs) = 0;
  /// Modal loops under a host that cannot wait (headless) ask it to answer.
  virtual void ModalLoopIdle(TCustomForm* Form) { (void)Form; }

  /// The form was shown, hidden, or changed its caption or bounds: a host with windows follows.
  ///@{
  virtual void FormShown(TCustomForm* Form) { (void)Form; }
  virtual void FormHidden(TCustomForm* Form) { (void)Form; }
  virtual void FormChanged(TCustomForm* Form) { (void)Form; }  ///< Caption, bounds
  ///@}
  /// The form became active again without the user choosing it (the modal
  /// form over it closed): a host with windows gives its window the keyboard.
  virtual void FormReactivated(TCustomForm* Form) { (void)Form; }
  /// The form's frame buffer changed; show it.
  virtual void Present(TCustomForm* Form) { (void)Form; }

  /// The clipboard's text.
  ///@{
  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& Text) = 0;
  virtual bool ClipboardHasText() = 0;
  ///@}
  /// Shows a cursor shape.
  virtual void SetCursor(TCursor Cursor) = 0;
  /// Beeps (a MessageBeep type).
  virtual void Beep(unsigned Type) = 0;
  /// Size of the screen in pixels.
  virtual TSize ScreenSize() = 0;
  /// Is a mouse button or modifier held now (for code that asks during input)?
  virtual TShiftState KeyboardState() { return {}; }
};

/// The host an application gets when it installs none: the headless one.
std::unique_ptr<THost> MakeDefaultHost();

QEL_API_END
}  // namespace qel
