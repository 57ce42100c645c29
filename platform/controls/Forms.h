// Forms: top-level windows with a frame buffer, focus, modal showing, and
// the form-level input dispatch that every host (and the test robot) feeds.
#pragma once
#include <memory>
#include <string>

#include "platform/controls/Controls.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// How a modal form was closed: one of the mr... values, or any other number the application chooses.
using TModalResult = int;
/// The modal results; mrNone keeps a modal form open.
///@{
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11;
///@}

/// Where a form appears when first shown.
enum TPosition : uint8_t { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                           poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
/// What closing a form does: nothing, hide it, free it, or minimise it.
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
/// Fires when a form closes; the handler may change Action.
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
/// Fires before a form closes; setting CanClose to false keeps it open.
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

/// A top-level window: a frame buffer the host shows, the keyboard focus, modal showing and the input dispatch every host feeds.
class TCustomForm : public TWinControl {
 public:
  /// A hidden 320 x 240 form; Show brings it up.
  explicit TCustomForm(TComponent* AOwner);
  /// Frees the frame buffer.
  ~TCustomForm() override;

  // Left/Top are screen coordinates; Width/Height the client size (the host
  // draws any title bar around it).
  /// The window frame the host draws; the client area is not affected.
  ///@{
  TFormBorderStyle GetBorderStyle() const { return formBorderStyle_; }
  void SetBorderStyle(TFormBorderStyle v);
  ///@}
  /// Where the form appears when first shown.
  ///@{
  TPosition GetPosition() const { return position_; }
  void SetPosition(TPosition v) { position_ = v; }
  ///@}
  /// Whether the form sees keys before its focused control does.
  ///@{
  bool GetKeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  ///@}
  /// A popup (drop-down list, menu) closes when it loses activation and
  /// never takes it from its owner form.
  ///@{
  bool IsPopup() const { return popup_; }
  void SetPopup(bool v) { popup_ = v; }
  ///@}
  /// Whether the form takes every key while it is shown (for popups).
  ///@{
  bool GrabsKeys() const { return grabKeys_; }
  void SetGrabKeys(bool v) { grabKeys_ = v; }
  ///@}

  /// Shows the form and fires OnShow.
  void Show();
  /// Hides the form and fires OnHide.
  void Hide();
  /// Close asks OnCloseQuery, then OnClose decides: hide (the default), free
  /// or nothing. Closing a modal form sets ModalResult to mrCancel.
  void Close();
  /// Shows the form and runs the loop until ModalResult is set; other forms
  /// take no input meanwhile. Returns the result and hides the form.
  TModalResult ShowModal();
  /// The result a modal form closes with; setting it ends ShowModal.
  ///@{
  TModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }
  ///@}
  /// Whether ShowModal runs for the form.
  bool Modal() const { return modal_; }
  /// Whether the form is visible and shown.
  bool Showing() const override { return GetVisible() && shown_; }
  /// Whether the form has the host's activation.
  bool Active() const;

  /// The canvas of the form's client area.
  TCanvas* Canvas();
  /// The control that gets the focus when the form is activated.
  ///@{
  TWinControl* GetActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* Control);
  ///@}
  /// The control that holds the keyboard focus (nullptr when the form is not active).
  TWinControl* FocusedControl() const { return focused_; }
  /// Gives Control the focus (when it can take it).
  void FocusControl(TWinControl* Control);

  /// The composed picture of the form and all its windows, painted up to date.
  const TBitmap& FrameBuffer();

  // --- input, in form client coordinates; hosts and the test robot call these ---
  /// Raw input in form client coordinates, as hosts and the test robot feed it; TimeMs pairs presses into double clicks.
  ///@{
  void InputMouseMove(TShiftState Shift, int X, int Y);
  void InputMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, uint64_t TimeMs);
  void InputMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  void InputMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y);
  void InputMouseLeave();
  ///@}
  /// KeyDown returns false when the key was taken as a dialog key (Tab,
  /// Enter, Escape), in which case no character follows it.
  ///@{
  bool InputKeyDown(uint16_t Key, TShiftState Shift);
  void InputKeyUp(uint16_t Key, TShiftState Shift);
  void InputChar(char32_t Ch);
  ///@}
  /// The deepest visible control at a client point (the form itself if none).
  TControl* ControlAtPos(TPoint P, bool AllowDisabled = false);

  /// The control that captures the mouse (nullptr: none).
  ///@{
  TControl* CaptureControl() const { return capture_; }
  void SetCaptureControl(TControl* C);
  ///@}
  /// Takes the mouse away from the control holding it (it is hidden, disabled
  /// or a modal form begins, so no release will reach it) and tells it with
  /// WM_CAPTURECHANGED.
  void CancelCapture();
  /// The control under the mouse.
  TControl* HoverControl() const { return hover_; }

  /// Fire when the form is shown, hidden, created, destroyed, activated and deactivated.
  ///@{
  TNotifyEvent OnShow, OnHide, OnCreate, OnDestroy, OnActivate, OnDeactivate;
  ///@}
  /// See TCloseEvent.
  TCloseEvent OnClose;
  /// See TCloseQueryEvent.
  TCloseQueryEvent OnCloseQuery;

 protected:
  friend class TControl;
  friend class TWinControl;
  friend class TApplication;
  /// Handles activation and close messages.
  void WndProc(TMessage& Message) override;
  /// Fires OnShow.
  virtual void DoShow();
  /// Fires OnHide.
  virtual void DoHide();
  /// Fires OnCloseQuery; false keeps the form open.
  virtual bool CloseQuery();
  /// Fills the client area with Color.
  void PaintWindow() override;
  /// A control is going away or can take no more input: forget it.
  ///@{
  void ControlGoing(TControl* C);
  void ControlHidden(TControl* C);
  ///@}
  /// Activates or deactivates the form (fires OnActivate or OnDeactivate).
  void SetActive(bool v);

 private:
  TControl* MouseTarget(TPoint P, TPoint& Local);
  TWinControl* KeyTarget();
  void SendMouse(TControl* C, uint32_t Msg, TShiftState Shift, TPoint Local);
  void UpdateHover(TControl* C);
  void MoveFocus(TWinControl* To);
  TFormBorderStyle formBorderStyle_ = bsSizeable;
  TPosition position_ = poDesigned;
  bool keyPreview_ = false;
  bool popup_ = false;
  bool grabKeys_ = false;
  bool shown_ = false;
  bool modal_ = false;
  bool active_ = false;
  TModalResult modalResult_ = mrNone;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focused_ = nullptr;
  TControl* capture_ = nullptr;
  TControl* hover_ = nullptr;
  // Double clicks: the last press, to pair it with the next.
  TControl* lastDownControl_ = nullptr;
  TMouseButton lastDownButton_ = mbLeft;
  uint64_t lastDownTime_ = 0;
  TPoint lastDownPos_{};
  bool lastDownWasDouble_ = false;
  std::unique_ptr<TBitmap> frame_;
};

/// The form applications make: a TCustomForm with nothing added.
class TForm : public TCustomForm {
 public:
  /// A hidden form owned by AOwner (usually Application).
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

/// The time and distance within which two presses make a double click.
///@{
constexpr uint64_t DoubleClickTimeMs = 500;
constexpr int DoubleClickDistance = 4;
///@}

QEL_API_END
}  // namespace qel
