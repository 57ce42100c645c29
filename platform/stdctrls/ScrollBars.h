// TClientScrollBar: a scroll bar that a control draws and operates itself,
// inside its own surface (our windows have no native scroll bars). The host
// control places it, paints it and forwards mouse input to it; the bar
// answers with the platform's scroll codes through OnScroll and asks for a
// repaint through OnInvalidate. Like a native bar it never moves the
// position on its own: the host decides and calls SetPosition (only the
// thumb follows the mouse while it is dragged).
#pragma once
#include <cstdint>
#include <functional>

#include "platform/controls/Messages.h"
#include "platform/controls/TimerWindow.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Horizontal or vertical bar.
enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };
/// Which scroll bars a control shows.
enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

/// The platform's scroll codes (WM_VSCROLL/WM_HSCROLL).
///@{
constexpr int SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2, SB_PAGELEFT = 2,
              SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6,
              SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8;
///@}

/// Thickness of a bar (and length of its arrow buttons), as the classic desktop.
constexpr int ScrollBarSize = 17;

/// A scroll bar drawn inside a control's client area by the control: arrows, track and thumb, with repeat on hold.
class TClientScrollBar {
 public:
  /// A bar of the kind with no range.
  explicit TClientScrollBar(TScrollBarKind Kind);
  /// Stops the repeat timer.
  ~TClientScrollBar();
  TClientScrollBar(const TClientScrollBar&) = delete;
  TClientScrollBar& operator=(const TClientScrollBar&) = delete;

  /// Horizontal or vertical.
  TScrollBarKind Kind() const { return kind_; }
  /// Where the bar lies, in the coordinates the host paints and forwards in.
  void SetBounds(const TRect& R);
  /// The bar's rectangle.
  const TRect& Bounds() const { return bounds_; }

  /// The platform's SCROLLINFO model: positions Min..Max, a page of PageSize
  /// positions; the position runs from Min to Max - PageSize + 1.
  ///@{
  void SetRange(int Min, int Max);
  void SetPageSize(int Page);
  void SetPosition(int Pos);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int PageSize() const { return page_; }
  int Position() const { return pos_; }
  int MaxPosition() const;
  ///@}
  /// Something to scroll: otherwise the bar is drawn disabled and ignores input.
  bool Scrollable() const { return MaxPosition() > min_; }

  /// Draws the bar.
  void Paint(TCanvas* Canvas);
  /// Mouse input in the host's coordinates. MouseDown returns false when the
  /// point is not on the bar (the host handles it itself).
  ///@{
  bool MouseDown(TPoint P);
  void MouseMove(TPoint P);
  void MouseUp(TPoint P);
  bool Tracking() const { return part_ != partNone; }
  ///@}

  /// Geometry, for painting and tests.
  ///@{
  TRect ArrowRect(bool Up) const;
  TRect ThumbRect() const;
  ///@}

  /// Fires with a scroll code and the new position.
  std::function<void(int Code, int Pos)> OnScroll;
  /// Fires when the bar needs repainting.
  std::function<void()> OnInvalidate;

 private:
  enum Part : uint8_t { partNone, partArrowUp, partArrowDown, partPageUp, partPageDown, partThumb };
  int Length() const;       // along the bar
  int TrackStart() const;   // first pixel of the track, along the bar
  int TrackLength() const;
  int ThumbLength() const;
  int ThumbOffset(int Pos) const;  // along the track
  int Along(TPoint P) const;
  Part HitTest(TPoint P) const;
  void Fire(int Code, int Pos);
  void Step();  // one step of the held part (arrow or page)
  void StartRepeat(unsigned DelayMs);
  void StopRepeat();
  void Changed();
  void PaintArrow(TCanvas* C, const TRect& R, bool Up, bool Pressed);

  TScrollBarKind kind_;
  TRect bounds_{};
  int min_ = 0, max_ = 0, page_ = 0, pos_ = 0;
  Part part_ = partNone;
  bool pressedInside_ = false;  // the held part is still under the mouse
  TPoint mouse_{};
  int thumbGrab_ = 0;    // mouse offset within the thumb while dragging
  int trackPos_ = 0;     // position shown while the thumb is dragged
  bool timerRunning_ = false;
  TTimerWindow timer_;  // the arrows' and the track's repeat
};

/// The client area left inside R when the shown bars take their strips.
inline TRect ClientInsideScrollBars(TRect R, bool Vertical, bool Horizontal) {
  if (Vertical) R.Right = R.Right - ScrollBarSize > R.Left ? R.Right - ScrollBarSize : R.Left;
  if (Horizontal) R.Bottom = R.Bottom - ScrollBarSize > R.Top ? R.Bottom - ScrollBarSize : R.Top;
  return R;
}

/// Puts the shown bars in their strips right of and below Client (a hidden
/// bar gets no room), and sets each one's range 0 .. Max, page and position.
struct TScrollBarsPlacement {
  /// Whether each bar is shown.
  ///@{
  bool vertical, horizontal;
  ///@}
  /// Range end, page and position of the vertical and the horizontal bar.
  ///@{
  int vMax, vPage, vPos, hMax, hPage, hPos;
  ///@}
};
/// Applies Placement to the two bars of a control whose client area is Client.
void PlaceScrollBars(const TRect& Client, const TScrollBarsPlacement& Placement, TClientScrollBar& Vertical,
                     TClientScrollBar& Horizontal);

class TWinControl;
/// Paints a control's bars, which lie outside its (shrunk) client area, and
/// the corner between them; nullptr for a bar that is not shown.
void PaintScrollBars(TWinControl& Control, TClientScrollBar* Vertical, TClientScrollBar* Horizontal);

QEL_API_END
}  // namespace qel
