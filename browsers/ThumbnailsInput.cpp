// TThumbnails and the mouse: the slide under it is highlighted, a left-button
// release selects by the selection mode and reports the slide, a double click
// reports it too. The platform's handling (OnMouseMove, OnClick, OnMouseUp,
// OnDblClick) always comes first.
#include "browsers/QEL_Thumbnails.h"
#include "browsers/detail/SelectionRuns.h"

namespace qel {

void TThumbnails::WndProc(TMessage& Message) {
  TGraphicControl::WndProc(Message);
  const uint32_t msg = Message.Msg;
  if (msg != WM_MOUSEMOVE && msg != WM_LBUTTONUP && msg != WM_LBUTTONDBLCLK) return;
  const int x = static_cast<int16_t>(Message.LParam & 0xFFFF);
  const int y = static_cast<int16_t>((Message.LParam >> 16) & 0xFFFF);
  if (msg == WM_MOUSEMOVE) return TrackFocus(x, y);
  if (msg == WM_LBUTTONUP) return Clicked(x, y, TShiftState::FromBits(Message.WParam));
  if (OnImageDblClick) OnImageDblClick(this, x, y, CalcSlideIndex(x, y));
}

void TThumbnails::TrackFocus(int X, int Y) {
  if (focusLinewidth_ == 0) return;
  int n = CalcSlideIndex(X, Y);
  if (n == focusedSlide_) return;
  ResetLastHiLite();
  HiLite(n);
  focusedSlide_ = n;
  if (OnFocusChange) OnFocusChange(this);
}

void TThumbnails::Clicked(int X, int Y, TShiftState Shift) {
  if (X == -1 && Y == -1) return;  // a release that came from no real point
  int n = 0;
  const bool onSlide = SlideAt(X, Y, n);
  if (selectMode_ == ssmSingle) {
    selection_->Clear();
    if (onSlide) selection_->Set(n - min_, true);
    lastClicked_ = n;
    Paint();
  } else if (selectMode_ == ssmMultiple && onSlide) {
    if (Shift.Contains(ssShift) && InRange(lastClicked_)) {
      selection_->SetRange(n - min_, lastClicked_ - min_, true);
    } else {
      selection_->Set(n - min_, !selection_->Get(n - min_));
      lastClicked_ = n;
    }
    Paint();
  }
  if (OnImageClick) OnImageClick(this, X, Y, onSlide ? n : 0);
}

}  // namespace qel
