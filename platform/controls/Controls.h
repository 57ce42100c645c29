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

namespace qel {

class TWinControl;
class TCustomForm;
class TPopupMenu;

// ---------------------------------------------------- enums and events ----

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TControlStyleItem : uint8_t {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
  csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
  csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint, csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;
enum TControlStateItem : uint8_t {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
  csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking
};
using TControlState = TSet<TControlStateItem>;
/// Windowed controls use bsNone and bsSingle; forms use them all.
enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

using TCursor = int16_t;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                  crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16,
                  crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
                  crSizeAll = -22;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;

/// How a setter shows a new value (TControl::SetProperty). A component paints
/// at once where its documentation says the property "repaints", invalidates
/// where it says "invalidates", and does nothing for values it does not show.
enum class TRefresh : uint8_t { Paint, Invalidate, None };
/// Always: store and refresh even an unchanged value, where that is documented.
enum class TStore : uint8_t { WhenChanged, Always };

// --------------------------------------------------------- TControl ----

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  /// Leaves the parent and releases the mouse capture and hover it holds.
  ~TControl() override;

  /// Bounds, in the parent's client coordinates.
  int GetLeft() const { return left_; }
  int GetTop() const { return top_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  /// The area children and painting use, in the control's own coordinates.
  virtual TRect GetClientRect() const { return {0, 0, width_, height_}; }
  int ClientWidth() const { return GetClientRect().Width(); }
  int ClientHeight() const { return GetClientRect().Height(); }
  /// Where client (0, 0) lies on the screen, and conversions.
  TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;

  TWinControl* GetParent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);
  /// The form this control sits on, if any.
  TCustomForm* GetParentForm() const;

  bool GetVisible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  /// Visible, and every parent up to a shown form visible too.
  virtual bool Showing() const;
  bool GetEnabled() const { return enabled_; }
  virtual void SetEnabled(bool v);

  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  bool GetParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  TFont* GetFont() const { return font_.get(); }
  void SetFont(TFont* v) { font_->Assign(v); }
  bool GetParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  const std::string& GetHint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  bool GetShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }
  TCursor GetCursor() const { return cursor_; }
  void SetCursor(TCursor v);
  TAlign GetAlign() const { return align_; }
  void SetAlign(TAlign v);
  TAnchors GetAnchors() const { return anchors_; }
  void SetAnchors(TAnchors v) { anchors_ = v; }
  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle v) { controlStyle_ = v; }
  TControlState ControlState() const { return controlState_; }
  TPopupMenu* GetPopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* v);
  /// Set by the menus unit: a right-button release on Control at a screen
  /// point may show a popup menu.
  static inline void (*ContextPopupHook)(TControl* Control, TPoint ScreenPos) = nullptr;
  /// Caption or text; CM_TEXTCHANGED tells the control.
  const std::string& GetText() const { return text_; }
  void SetText(const std::string& v);
  const std::string& GetCaption() const { return text_; }
  void SetCaption(const std::string& v) { SetText(v); }

  /// Invalidate: paint at the next turn of the loop. Update: paint what is
  /// invalid now. Repaint/Refresh: invalidate and update.
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  /// Sends a message to this control's WndProc and returns its result.
  intptr_t Perform(uint32_t Msg, uintptr_t WParam = 0, intptr_t LParam = 0);
  virtual void WndProc(TMessage& Message);
  /// The handler of last resort: messages nobody handled end here.
  virtual void DefaultHandler(TMessage& Message);
  bool MouseCapture() const;
  void SetMouseCapture(bool v);

  TNotifyEvent OnClick, OnDblClick, OnResize, OnMouseEnter, OnMouseLeave;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown, OnMouseWheelUp;

 protected:
  friend class TWinControl;
  friend class TCustomForm;
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void Resize();
  virtual void Changed() {}
  /// Painting the control as part of a paint cycle (graphic controls: Paint).
  virtual void PaintControl() {}
  /// The parent's colour and font flow down unless the control has its own.
  virtual void ParentColorChanged();
  virtual void ParentFontChanged();
  virtual void FontChanged();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetControlStateItem(TControlStateItem Item, bool On);
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

  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
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
  explicit TGraphicControl(TComponent* AOwner);
  TCanvas* Canvas();

 protected:
  friend class TWinControl;
  virtual void Paint() {}
  void PaintControl() override;
  void PaintAtOnce() override { Paint(); }

 private:
  TCanvas canvas_;
};

// ------------------------------------------------------ TWinControl ----

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  /// Children in z-order, bottom first.
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int Index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(const TControl* Control) const;
  /// Sends Message to every child; stops when one sets a non-zero Result.
  void Broadcast(TMessage& Message);

  /// The window behind the control, made when first needed (its parent's
  /// window first). CreateWnd is the hook for work that needs the window.
  HWND GetHandle();
  bool HandleAllocated() const { return handle_ != 0; }
  void HandleNeeded() { GetHandle(); }

  bool Focused() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool GetTabStop() const { return tabStop_; }
  void SetTabStop(bool v) { tabStop_ = v; }
  int GetTabOrder() const;
  void SetTabOrder(int v);
  /// Moves the focus to the next (or previous) tab stop among this control's
  /// descendants after CurControl.
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
  void GetTabOrderList(std::vector<TWinControl*>& List) const;

  bool GetDoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool v) { doubleBuffered_ = v; }
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  bool GetCtl3D() const { return ctl3D_; }
  void SetCtl3D(bool v);
  TRect GetClientRect() const override;
  int BorderWidth() const;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  void Invalidate() override;
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

  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  TNotifyEvent OnEnter, OnExit;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  friend class TControl;
  friend class TCustomForm;
  virtual void CreateWnd();
  virtual void DestroyWnd();
  virtual void KeyDown(uint16_t& Key, TShiftState Shift);
  virtual void KeyUp(uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(char32_t& Key);
  virtual void DoEnter();
  virtual void DoExit();
  /// Paints the client background and the control's own picture (TCustomControl: Paint).
  virtual void PaintWindow();
  /// Draws the non-client frame (BorderStyle) onto the surface.
  virtual void PaintBorder();
  void AlignControls();
  void ParentColorChanged() override;
  void ParentFontChanged() override;
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
  explicit TCustomControl(TComponent* AOwner);
  TCanvas* Canvas();

 protected:
  virtual void Paint() {}
  void PaintWindow() override;
};

}  // namespace qel
