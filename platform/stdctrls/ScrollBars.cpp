// TClientScrollBar: geometry, painting, mouse handling and the auto-repeat
// of arrows and page clicks while the button is held.
#include "platform/stdctrls/ScrollBars.h"

#include <algorithm>
#include <cstdint>

#include "platform/controls/Application.h"
#include "platform/graphics/StylePainter.h"
#include "platform/controls/Controls.h"

namespace qel {

namespace {
// The classic desktop's timings: a first repeat after a pause, then steady.
constexpr unsigned FirstRepeatMs = 400, RepeatMs = 50;
constexpr int MinThumbLength = 8;

}  // namespace

TClientScrollBar::TClientScrollBar(TScrollBarKind Kind)
    : kind_(Kind), timer_([this](uintptr_t) {
        timer_.Start(1, RepeatMs);
        Step();
      }) {}

TClientScrollBar::~TClientScrollBar() { StopRepeat(); }

// ------------------------------------------------------------ state ----

void TClientScrollBar::SetBounds(const TRect& R) {
  if (R == bounds_) return;
  bounds_ = R;
  Changed();
}

void TClientScrollBar::SetRange(int Min, int Max) {
  if (Max < Min) Max = Min;
  if (Min == min_ && Max == max_) return;
  min_ = Min;
  max_ = Max;
  pos_ = std::clamp(pos_, min_, MaxPosition());
  Changed();
}

void TClientScrollBar::SetPageSize(int Page) {
  Page = std::max(Page, 0);
  if (Page == page_) return;
  page_ = Page;
  pos_ = std::clamp(pos_, min_, MaxPosition());
  Changed();
}

void TClientScrollBar::SetPosition(int Pos) {
  Pos = std::clamp(Pos, min_, MaxPosition());
  if (Pos == pos_) return;
  pos_ = Pos;
  Changed();
}

int TClientScrollBar::MaxPosition() const {
  int64_t m = int64_t(max_) - std::max(page_ - 1, 0);
  return static_cast<int>(std::max<int64_t>(m, min_));
}

void TClientScrollBar::Changed() {
  if (OnInvalidate) OnInvalidate();
}

// --------------------------------------------------------- geometry ----

int TClientScrollBar::Length() const { return kind_ == sbVertical ? bounds_.Height() : bounds_.Width(); }

// Arrows share a bar too short for both at full size.
int TClientScrollBar::TrackStart() const { return std::min(ScrollBarSize, Length() / 2); }

int TClientScrollBar::TrackLength() const { return std::max(Length() - 2 * TrackStart(), 0); }

int TClientScrollBar::ThumbLength() const {
  int track = TrackLength();
  int64_t span = int64_t(max_) - min_ + 1;
  int len = page_ <= 0 ? ScrollBarSize : static_cast<int>(int64_t(track) * page_ / span);
  len = std::max(len, MinThumbLength);
  return len > track ? 0 : len;  // no room for a thumb: none is drawn
}

int TClientScrollBar::ThumbOffset(int Pos) const {
  int64_t range = int64_t(MaxPosition()) - min_;
  if (range <= 0) return 0;
  int64_t free = TrackLength() - ThumbLength();
  return static_cast<int>(free * (int64_t(Pos) - min_) / range);
}

int TClientScrollBar::Along(TPoint P) const {
  return kind_ == sbVertical ? P.Y - bounds_.Top : P.X - bounds_.Left;
}

TRect TClientScrollBar::ArrowRect(bool Up) const {
  int a = TrackStart();
  if (kind_ == sbVertical)
    return Up ? TRect{bounds_.Left, bounds_.Top, bounds_.Right, bounds_.Top + a}
              : TRect{bounds_.Left, bounds_.Bottom - a, bounds_.Right, bounds_.Bottom};
  return Up ? TRect{bounds_.Left, bounds_.Top, bounds_.Left + a, bounds_.Bottom}
            : TRect{bounds_.Right - a, bounds_.Top, bounds_.Right, bounds_.Bottom};
}

TRect TClientScrollBar::ThumbRect() const {
  int len = ThumbLength();
  if (!Scrollable() || len == 0) return {};
  int start = TrackStart() + ThumbOffset(part_ == partThumb ? trackPos_ : pos_);
  if (kind_ == sbVertical) return {bounds_.Left, bounds_.Top + start, bounds_.Right, bounds_.Top + start + len};
  return {bounds_.Left + start, bounds_.Top, bounds_.Left + start + len, bounds_.Bottom};
}

TClientScrollBar::Part TClientScrollBar::HitTest(TPoint P) const {
  if (!bounds_.Contains(P)) return partNone;
  if (ArrowRect(true).Contains(P)) return partArrowUp;
  if (ArrowRect(false).Contains(P)) return partArrowDown;
  TRect thumb = ThumbRect();
  if (thumb.IsEmpty()) return partNone;
  if (thumb.Contains(P)) return partThumb;
  int a = Along(P), t = kind_ == sbVertical ? thumb.Top - bounds_.Top : thumb.Left - bounds_.Left;
  return a < t ? partPageUp : partPageDown;
}

// ------------------------------------------------------------ paint ----

void TClientScrollBar::PaintArrow(TCanvas* C, const TRect& R, bool Up, bool Pressed) {
  if (Pressed) {
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(R);
    C->Brush()->SetColor(clBtnShadow);
    C->FrameRect(R);
  } else {
    StylePainter::PaintScrollButton(C, R);
  }
  // A small filled triangle, grey when there is nothing to scroll.
  TColor ink = Scrollable() ? clBtnText : clGrayText;
  int cx = (R.Left + R.Right) / 2 + (Pressed ? 1 : 0), cy = (R.Top + R.Bottom) / 2 + (Pressed ? 1 : 0);
  C->Brush()->SetColor(ink);
  for (int i = 0; i < 4; ++i) {
    int half = i, step = (Up ? -1 : 1) * (i - 2);
    if (kind_ == sbVertical) C->FillRect({cx - half, cy - step, cx + half + 1, cy - step + 1});
    else C->FillRect({cx - step, cy - half, cx - step + 1, cy + half + 1});
  }
}

void TClientScrollBar::Paint(TCanvas* C) {
  if (bounds_.IsEmpty()) return;
  // The track is the classic half-tone of face and highlight.
  C->Brush()->SetColor(RGB(0xE0, 0xE0, 0xE0));
  C->FillRect(bounds_);
  bool held = pressedInside_;
  if (part_ == partPageUp || part_ == partPageDown) {
    TRect thumb = ThumbRect();
    TRect dark = bounds_;
    bool up = part_ == partPageUp;
    if (kind_ == sbVertical) (up ? dark.Bottom : dark.Top) = up ? thumb.Top : thumb.Bottom;
    else (up ? dark.Right : dark.Left) = up ? thumb.Left : thumb.Right;
    if (held && !thumb.IsEmpty()) {
      C->Brush()->SetColor(cl3DDkShadow);
      C->FillRect(IntersectRect(dark, bounds_));
    }
  }
  PaintArrow(C, ArrowRect(true), true, held && part_ == partArrowUp);
  PaintArrow(C, ArrowRect(false), false, held && part_ == partArrowDown);
  TRect thumb = ThumbRect();
  if (!thumb.IsEmpty()) StylePainter::PaintScrollButton(C, thumb);
}

// ------------------------------------------------------------ mouse ----

bool TClientScrollBar::MouseDown(TPoint P) {
  if (!bounds_.Contains(P)) return false;
  if (!Scrollable()) return true;  // a disabled bar swallows the press
  part_ = HitTest(P);
  mouse_ = P;
  pressedInside_ = true;
  if (part_ == partThumb) {
    TRect thumb = ThumbRect();
    thumbGrab_ = kind_ == sbVertical ? P.Y - thumb.Top : P.X - thumb.Left;
    trackPos_ = pos_;
  } else if (part_ != partNone) {
    Step();
    if (part_ != partNone) StartRepeat(FirstRepeatMs);
  }
  Changed();
  return true;
}

void TClientScrollBar::MouseMove(TPoint P) {
  if (part_ == partNone) return;
  mouse_ = P;
  if (part_ != partThumb) {
    bool inside = HitTest(P) == part_ || ((part_ == partPageUp || part_ == partPageDown) && HitTest(P) == partThumb);
    if (inside != pressedInside_) {
      pressedInside_ = inside;
      Changed();
    }
    return;
  }
  int free = TrackLength() - ThumbLength();
  int at = std::clamp(Along(P) - TrackStart() - thumbGrab_, 0, std::max(free, 0));
  int64_t range = int64_t(MaxPosition()) - min_;
  int pos = free > 0 ? static_cast<int>(min_ + (range * at + free / 2) / free) : min_;
  if (pos == trackPos_) return;
  trackPos_ = pos;
  Changed();
  Fire(SB_THUMBTRACK, pos);
}

void TClientScrollBar::MouseUp(TPoint P) {
  if (part_ == partNone) return;
  MouseMove(P);
  Part was = part_;
  part_ = partNone;
  pressedInside_ = false;
  StopRepeat();
  if (was == partThumb) Fire(SB_THUMBPOSITION, trackPos_);
  Fire(SB_ENDSCROLL, pos_);
  Changed();
}

void TClientScrollBar::Fire(int Code, int Pos) {
  if (OnScroll) OnScroll(Code, Pos);
}

// One step of the held part; a page click stops once the thumb reaches the
// mouse, as the platform's does.
void TClientScrollBar::Step() {
  if (!pressedInside_) return;
  switch (part_) {
    case partArrowUp: Fire(SB_LINEUP, pos_); break;
    case partArrowDown: Fire(SB_LINEDOWN, pos_); break;
    case partPageUp:
    case partPageDown: {
      Part now = HitTest(mouse_);
      if (now == part_) Fire(part_ == partPageUp ? SB_PAGEUP : SB_PAGEDOWN, pos_);
      break;
    }
    default: break;
  }
}

void TClientScrollBar::StartRepeat(unsigned DelayMs) {
  timerRunning_ = timer_.Start(1, DelayMs) != 0;
}

void TClientScrollBar::StopRepeat() {
  if (timerRunning_) timer_.Stop(1);
  timerRunning_ = false;
}

void PlaceScrollBars(const TRect& Client, const TScrollBarsPlacement& P, TClientScrollBar& Vertical,
                     TClientScrollBar& Horizontal) {
  const TRect& c = Client;
  Vertical.SetBounds(P.vertical ? TRect{c.Right, 0, c.Right + ScrollBarSize, c.Bottom} : TRect{});
  Horizontal.SetBounds(P.horizontal ? TRect{0, c.Bottom, c.Right, c.Bottom + ScrollBarSize} : TRect{});
  Vertical.SetRange(0, P.vMax);
  Vertical.SetPageSize(P.vPage);
  Vertical.SetPosition(P.vPos);
  Horizontal.SetRange(0, P.hMax);
  Horizontal.SetPageSize(P.hPage);
  Horizontal.SetPosition(P.hPos);
}

void PaintScrollBars(TWinControl& Control, TClientScrollBar* Vertical, TClientScrollBar* Horizontal) {
  if (!Vertical && !Horizontal) return;
  TBitmap* surface = Control.Surface();
  if (!surface) return;
  TPoint off = Control.ClientOffset();
  TRect inside = Control.TWinControl::GetClientRect();
  inside.Offset(off.X, off.Y);
  TCanvas c(surface);
  c.SetTarget(surface, off, inside);
  if (Vertical) Vertical->Paint(&c);
  if (Horizontal) Horizontal->Paint(&c);
  if (Vertical && Horizontal) {
    TRect r = Control.GetClientRect();
    c.Brush()->SetColor(clBtnFace);
    c.FillRect({r.Right, r.Bottom, r.Right + ScrollBarSize, r.Bottom + ScrollBarSize});
  }
}

}  // namespace qel
