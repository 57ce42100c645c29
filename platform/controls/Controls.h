// Controls: TControl, TGraphicControl, TWinControl, TCustomControl.
//
// Painting model. Every windowed control (TWinControl) owns a surface, a
// bitmap the size of the control, like a window of its own. It paints its
// background, its own picture and its graphic (windowless) children into that
// surface; the form composes the surfaces of the whole tree into its frame
// buffer when it presents. So a control that paints at once (outside a paint
// cycle) can never paint over a windowed child.
//
// Input. The form hit-tests raw input and turns it into messages (WM_*,
// CM_*) sent to the control's WndProc; TControl::WndProc turns them into the
// virtual handlers (MouseDown, Click, KeyDown, ...) that fire the On... events.
//
// Sections: enums and events; TControl; TGraphicControl; TWinControl;
// TCustomControl.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/controls/Component.h"
#include "platform/controls/Messages.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/StoreIfChanged.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

class TWinControl;
class TCustomForm;
class TPopupMenu;

// ---------------------------------------------------- enums and events ----

/// Where a control docks in its parent's client area.
enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
/// Which edges of the parent a control keeps its distance to when the parent is resized.
enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
/// A set of anchors.
using TAnchors = TSet<TAnchorKind>;
/// What a control can do and how it behaves (accepts children, takes click events, ...).
enum TControlStyleItem : uint8_t {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
  csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
  csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint, csParentBackground
};
/// A set of style items.
using TControlStyle = TSet<TControlStyleItem>;
/// Transient state of a control (left button down, ...).
enum TControlStateItem : uint8_t {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
  csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking
};
/// A set of state items.
using TControlState = TSet<TControlStateItem>;
/// Windowed controls use bsNone and bsSingle; forms use them all.
enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
/// Same as TFormBorderStyle.
using TBorderStyle = TFormBorderStyle;

/// Mouse cursor: one of the cr... shapes.
using TCursor = int16_t;
/// The cursor shapes.
///@{
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                  crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16,
                  crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
                  crSizeAll = -22;
///@}

/// Mouse button pressed or released at client (X, Y).
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
/// Mouse moved to client (X, Y).
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
/// Mouse wheel turned by WheelDelta (120 per notch, positive away from the user); setting Handled stops the default handling.
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
/// Mouse wheel turned one notch down or up.
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
/// A key went down or up: Key is the virtual key code (setting it to 0 swallows it).
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
/// A character was typed (setting Key to 0 swallows it).
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;

/// How a setter shows a new value (TControl::SetProperty). A component paints
/// at once where its documentation says the property "repaints", invalidates
/// where it says "invalidates", and does nothing for values it does not show.
enum class TRefresh : uint8_t { Paint, Invalidate, None };
/// Always: store and refresh even an unchanged value, where that is documented.
enum class TStore : uint8_t { WhenChanged, Always };

// --------------------------------------------------------- TControl ----

/// The base of every visual control: bounds, parent, visibility, colours, font, hint, cursor, alignment and the mouse events.
class TControl : public TComponent {
 public:
  /// A visible, enabled control at (0, 0) with no size.
  explicit TControl(TComponent* AOwner);
  /// Leaves the parent and releases the mouse capture and hover it holds.
  ~TControl() override;

  /// Bounds, in the parent's client coordinates.
  ///@{
  int GetLeft() const { return left_; }
  int GetTop() const { return top_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  ///@}
  /// Moves and resizes the control in one step (pixels, parent's client coordinates); fires OnResize when the size changed.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  /// The bounds as a rectangle in the parent's client coordinates.
  TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  /// The area children and painting use, in the control's own coordinates.
  virtual TRect GetClientRect() const { return {0, 0, width_, height_}; }
  /// Size of the client area in pixels.
  ///@{
  int ClientWidth() const { return GetClientRect().Width(); }
  int ClientHeight() const { return GetClientRect().Height(); }
  ///@}
  /// Where client (0, 0) lies on the screen, and conversions.
  ///@{
  TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;
  ///@}

  /// The windowed control this one sits in (nullptr: none); setting it moves the control there.
  ///@{
  TWinControl* GetParent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);
  ///@}
  /// The form this control sits on, if any.
  TCustomForm* GetParentForm() const;

  /// Whether the control is shown.
  ///@{
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v);
  ///@}
  /// Same as SetVisible(true) and SetVisible(false).
  ///@{
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  ///@}
  /// Visible, and every parent up to a shown form visible too.
  virtual bool Showing() const;
  /// Whether the control takes input; disabled controls are drawn greyed.
  ///@{
  bool GetEnabled() const { return enabled_; }
  virtual void SetEnabled(bool v);
  ///@}

  /// Background colour; clears ParentColor.
  ///@{
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  ///@}
  /// Whether the control takes its parent's colour.
  ///@{
  bool GetParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  ///@}
  /// Font of the text; the setter copies the given font.
  ///@{
  TFont* GetFont() const { return font_.get(); }
  void SetFont(TFont* v) { font_->Assign(v); }
  ///@}
  /// Whether the control takes its parent's font.
  ///@{
  bool GetParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  ///@}
  /// Tooltip text.
  ///@{
  const std::string& GetHint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  ///@}
  /// Whether the tooltip is shown.
  ///@{
  bool GetShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }
  ///@}
  /// Cursor shown over the control.
  ///@{
  TCursor GetCursor() const { return cursor_; }
  void SetCursor(TCursor v);
  ///@}
  /// Where the control docks in its parent.
  ///@{
  TAlign GetAlign() const { return align_; }
  void SetAlign(TAlign v);
  ///@}
  /// Edges the control keeps its distance to.
  ///@{
  TAnchors GetAnchors() const { return anchors_; }
  void SetAnchors(TAnchors v) { anchors_ = v; }
  ///@}
  /// What the control can do.
  ///@{
  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle v) { controlStyle_ = v; }
  ///@}
  /// Transient state.
  TControlState ControlState() const { return controlState_; }
  /// Menu shown on a right click.
  ///@{
  TPopupMenu* GetPopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* v);
  ///@}
  /// Set by the menus unit: a right-button release on Control at a screen
  /// point may show a popup menu.
  static inline void (*ContextPopupHook)(TControl* Control, TPoint ScreenPos) = nullptr;
  /// Caption or text; CM_TEXTCHANGED tells the control.
  ///@{
  const std::string& GetText() const { return text_; }
  void SetText(const std::string& v);
  const std::string& GetCaption() const { return text_; }
  void SetCaption(const std::string& v) { SetText(v); }
  ///@}

  /// Invalidate: paint at the next turn of the loop. Update: paint what is
  /// invalid now. Repaint/Refresh: invalidate and update.
  ///@{
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  ///@}
  /// Moves the control to the top or the bottom of its parent's z-order.
  ///@{
  void BringToFront();
  void SendToBack();
  ///@}

  /// Sends a message to this control's WndProc and returns its result.
  intptr_t Perform(uint32_t Msg, uintptr_t WParam = 0, intptr_t LParam = 0);
  /// Turns messages into the virtual handlers and events.
  virtual void WndProc(TMessage& Message);
  /// The handler of last resort: messages nobody handled end here.
  virtual void DefaultHandler(TMessage& Message);
  /// Whether the control captures the mouse (receives every mouse message).
  ///@{
  bool MouseCapture() const;
  void SetMouseCapture(bool v);
  ///@}

  /// Fire on a click (press and release on the control), a double click, a size change, and the mouse entering and leaving.
  ///@{
  TNotifyEvent OnClick, OnDblClick, OnResize, OnMouseEnter, OnMouseLeave;
  ///@}
  /// Fire on a mouse button press and release.
  ///@{
  TMouseEvent OnMouseDown, OnMouseUp;
  ///@}
  /// Fires on every mouse move over the control (or while it captures the mouse).
  TMouseMoveEvent OnMouseMove;
  /// Fires on a wheel turn before OnMouseWheelDown and OnMouseWheelUp.
  TMouseWheelEvent OnMouseWheel;
  /// Fire per wheel notch down or up unless OnMouseWheel handled the turn.
  ///@{
  TMouseWheelUpDownEvent OnMouseWheelDown, OnMouseWheelUp;
  ///@}

 protected:
  friend class TWinControl;
  friend class TCustomForm;
  /// Fires OnClick.
  virtual void Click();
  /// Fires OnDblClick.
  virtual void DblClick();
  /// Fires OnMouseDown.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  /// Fires OnMouseMove.
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  /// Fires OnMouseUp.
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  /// Fires OnMouseWheel, then DoMouseWheelDown or DoMouseWheelUp; true when handled.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  /// Fires OnMouseWheelDown; true when handled.
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  /// Fires OnMouseWheelUp; true when handled.
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  /// Fires OnResize.
  virtual void Resize();
  /// A property changed (for descendants).
  virtual void Changed() {}
  /// Painting the control as part of a paint cycle (graphic controls: Paint).
  virtual void PaintControl() {}
  /// The parent's colour and font flow down unless the control has its own.
  ///@{
  virtual void ParentColorChanged();
  virtual void ParentFontChanged();
  ///@}
  /// The font changed: repaints.
  virtual void FontChanged();
  /// Forgets the popup menu when it is freed.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  /// Sets or clears one state item.
  void SetControlStateItem(TControlStateItem Item, bool On);
  /// Invalidates a rectangle of the parent's client area.
  void InvalidateRectInParent(const TRect& R);
  /// The setters' one idiom: stores Value in Field when it differs, then
  /// refreshes as How says (TStore::Always: even for an unchanged value).
  /// Returns whether the value changed.
  template <class T, class V>
  bool SetProperty(T& Field, V&& Value, TRefresh How, TStore When = TStore::WhenChanged) {
    bool changed = StoreIfChanged(Field, std::forward<V>(Value));
    if (changed || When == TStore::Always) {
      if (How == TRefresh::Paint) PaintAtOnce();
      else if (How == TRefresh::Invalidate) Invalidate();
    }
    return changed;
  }
  /// TRefresh::Paint: a windowed control runs its paint cycle now, so its
  /// border and windowed children stay right; a graphic control calls Paint.
  virtual void PaintAtOnce() { Repaint(); }

  /// Bounds in pixels, in the parent's client coordinates.
  ///@{
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  ///@}
  /// What the control can do.
  TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  /// Transient state.
  TControlState controlState_;

 private:
  void HandleMouseMessage(TMessage& Message);
  TWinControl* parent_ = nullptr;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clWindow;
  bool parentColor_ = false;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  std::string hint_;
  bool showHint_ = false;
  TCursor cursor_ = crDefault;
  TAlign align_ = alNone;
  TAnchors anchors_{akLeft, akTop};
  TPopupMenu* popupMenu_ = nullptr;
  std::string text_;
};

// -------------------------------------------------- TGraphicControl ----

/// A control without a window: it paints through a canvas on its parent's
/// surface, clipped to its own bounds.
class TGraphicControl : public TControl {
 public:
  /// An invisible control with no size.
  explicit TGraphicControl(TComponent* AOwner);
  /// The canvas to paint on (the parent's surface, clipped to the control).
  TCanvas* Canvas();

 protected:
  friend class TWinControl;
  /// Draws the control (descendants override it).
  virtual void Paint() {}
  /// Calls Paint with the canvas set up.
  void PaintControl() override;
  /// Calls Paint at once.
  void PaintAtOnce() override { Paint(); }

 private:
  TCanvas canvas_;
};

// ------------------------------------------------------ TWinControl ----

/// A control with a window of its own: it holds children, takes the focus and the keyboard, and paints into its own surface.
class TWinControl : public TControl {
 public:
  /// A windowless control until the window is needed.
  explicit TWinControl(TComponent* AOwner);
  /// Frees the window and the surface.
  ~TWinControl() override;

  /// Children in z-order, bottom first.
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  /// Child Index in z-order.
  TControl* Controls(int Index) const;
  /// Add or remove a child.
  ///@{
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  ///@}
  /// Whether Control is a descendant.
  bool ContainsControl(const TControl* Control) const;
  /// Sends Message to every child; stops when one sets a non-zero Result.
  void Broadcast(TMessage& Message);

  /// The window behind the control, made when first needed (its parent's
  /// window first). CreateWnd is the hook for work that needs the window.
  HWND GetHandle();
  /// Whether the window exists.
  bool HandleAllocated() const { return handle_ != 0; }
  /// Makes the window now.
  void HandleNeeded() { GetHandle(); }

  /// Whether the control has the keyboard focus.
  bool Focused() const;
  /// Whether the control can take the focus (visible, enabled, on a shown form).
  virtual bool CanFocus() const;
  /// Takes the keyboard focus.
  virtual void SetFocus();
  /// Whether Tab stops at the control.
  ///@{
  bool GetTabStop() const { return tabStop_; }
  void SetTabStop(bool v) { tabStop_ = v; }
  ///@}
  /// Position in the parent's tab order.
  ///@{
  int GetTabOrder() const;
  void SetTabOrder(int v);
  ///@}
  /// Moves the focus to the next (or previous) tab stop among this control's
  /// descendants after CurControl.
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  /// The next (or previous) tab stop after CurControl, or nullptr.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
  /// The tab stops below this control in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& List) const;

  /// Whether painting goes through an off-screen picture.
  ///@{
  bool GetDoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool v) { doubleBuffered_ = v; }
  ///@}
  /// Border around the client area: bsNone or bsSingle.
  ///@{
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  ///@}
  /// Whether the border looks sunken (3-D) rather than flat.
  ///@{
  bool GetCtl3D() const { return ctl3D_; }
  void SetCtl3D(bool v);
  ///@}
  /// The area inside the border.
  TRect GetClientRect() const override;
  /// Width of the border in pixels.
  int BorderWidth() const;
  /// Moves or resizes the control and its surface, then aligns its children.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  /// Marks the whole control for painting at the next turn of the loop.
  void Invalidate() override;
  /// Paints what is invalid now.
  void Update() override;
  /// Invalidates a part of the client area (client coordinates).
  void InvalidateRect(const TRect& R);
  /// Where client (0, 0) lies on the surface: inside the border.
  TPoint ClientOffset() const { int b = BorderWidth(); return {b, b}; }
  /// Paints whatever is invalid in this control and its windowed children now.
  void PaintInvalid();

  /// The surface this control paints into (created with the window).
  TBitmap* Surface() { return surface_.get(); }
  /// Draws this control and its windowed children as they are now, into Dest
  /// at (X, Y), clipped to Clip (Dest coordinates).
  void ComposeInto(TBitmap& Dest, int X, int Y, const TRect& Clip);

  /// Handles focus, keys and painting messages, then the control's.
  void WndProc(TMessage& Message) override;
  /// Passes unhandled messages on.
  void DefaultHandler(TMessage& Message) override;

  /// Fire when the control gets and loses the focus.
  ///@{
  TNotifyEvent OnEnter, OnExit;
  ///@}
  /// Fire on key presses and releases while the control has the focus.
  ///@{
  TKeyEvent OnKeyDown, OnKeyUp;
  ///@}
  /// Fires for every typed character while the control has the focus.
  TKeyPressEvent OnKeyPress;

 protected:
  friend class TControl;
  friend class TCustomForm;
  /// The window was made: work that needs it goes here.
  virtual void CreateWnd();
  /// The window is about to go.
  virtual void DestroyWnd();
  /// Fires OnKeyDown.
  virtual void KeyDown(uint16_t& Key, TShiftState Shift);
  /// Fires OnKeyUp.
  virtual void KeyUp(uint16_t& Key, TShiftState Shift);
  /// Fires OnKeyPress.
  virtual void KeyPress(char32_t& Key);
  /// Fires OnEnter.
  virtual void DoEnter();
  /// Fires OnExit.
  virtual void DoExit();
  /// Paints the client background and the control's own picture (TCustomControl: Paint).
  virtual void PaintWindow();
  /// Draws the non-client frame (BorderStyle) onto the surface.
  virtual void PaintBorder();
  /// Places the children by their Align and Anchors.
  void AlignControls();
  /// Take the parent's colour and font unless the control has its own, and tell the children.
  ///@{
  void ParentColorChanged() override;
  void ParentFontChanged() override;
  ///@}
  /// The font changed: tells the children and repaints.
  void FontChanged() override;
  /// The canvas the paint cycle hands to PaintWindow: client area of the surface.
  TCanvas* PaintCanvas() { return &paintCanvas_; }
  /// Points the paint canvas at the whole client area as it is now (after
  /// the border or the scroll bars changed it).
  void TargetClientArea();

 private:
  void CreateHandleTree();
  void DestroyHandleTree();
  void PaintRegion(const TRect& SurfaceRect);
  void PaintGraphicChildren(const TRect& SurfaceRect);
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  HWND handle_ = 0;
  std::unique_ptr<TBitmap> surface_;
  TCanvas paintCanvas_;
  TRect invalid_{};  // surface coordinates
  bool tabStop_ = false;
  bool doubleBuffered_ = false;
  TBorderStyle borderStyle_ = bsNone;
  bool ctl3D_ = true;
  bool aligning_ = false;
};

// --------------------------------------------------- TCustomControl ----

/// A windowed control that paints itself: Canvas is its client area.
class TCustomControl : public TWinControl {
 public:
  /// A windowless control until the window is needed.
  explicit TCustomControl(TComponent* AOwner);
  /// The canvas of the client area, for Paint.
  TCanvas* Canvas();

 protected:
  /// Draws the control (descendants override it).
  virtual void Paint() {}
  /// Paints the background, then calls Paint.
  void PaintWindow() override;
};

QEL_API_END
}  // namespace qel
