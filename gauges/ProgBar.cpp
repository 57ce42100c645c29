// TProgBar: construction, the setters that do more than store and paint,
// Assign, and the automatic increment on the bar's own timer window.
// Painting is in ProgBarPaint.cpp.
#include <algorithm>
#include <cmath>

#include "gauges/QEL_ProgBar.h"
#include "platform/controls/Application.h"

namespace qel {

TProgBar::TProgBar(TComponent* AOwner)
    : TGraphicControl(AOwner),
      backgroundBmp_(std::make_unique<TBitmap>(10, 10)),
      buffer_(std::make_unique<TBitmap>()),
      timer_([this](uintptr_t) { Tick(); }, this) {
  table_[0] = clBlue;
  table_[progbar::kTableSize - 1] = clRed;
  progbar::BlendTable(table_);
  SetBounds(GetLeft(), GetTop(), 300, 28);
}

TProgBar::~TProgBar() = default;

// ------------------------------------------------------- range, colours ----

void TProgBar::SetRange(double A, double B) {
  // A when equal; with a NaN the pair stays as given.
  min_ = B < A ? B : A;
  max_ = B < A ? A : B;
  Paint();
}

void TProgBar::SetColorMin(TColor v) {
  table_[0] = v;
  progbar::BlendTable(table_);
  Paint();
}

void TProgBar::SetColorMax(TColor v) {
  table_[progbar::kTableSize - 1] = v;
  progbar::BlendTable(table_);
  Paint();
}

TColor TProgBar::GetBarColorElem(int Index) const {
  return Index >= 0 && Index < progbar::kTableSize ? table_[Index] : 0;
}

void TProgBar::SetBarColorElem(int Index, TColor Color) {
  if (Index >= 0 && Index < progbar::kTableSize) table_[Index] = Color;
}

void TProgBar::SetTextDecPlaces(int v) {
  SetProperty(textDecPlaces_, std::clamp(v, -2, 10), TRefresh::Paint, TStore::Always);
}

void TProgBar::SetTextPosX(int v) {
  SetProperty(textPosX_, std::clamp(v, 0, std::max(GetWidth(), 0)), TRefresh::Paint, TStore::Always);
}

void TProgBar::SetTextPosY(int v) {
  SetProperty(textPosY_, std::clamp(v, 0, std::max(GetHeight(), 0)), TRefresh::Paint, TStore::Always);
}

void TProgBar::SetTextAngle(int v) { SetProperty(textAngle_, std::clamp(v, 0, 360), TRefresh::Paint, TStore::Always); }

void TProgBar::SetColorScheme(TColorScheme v) {
  if (scheme_.Set(v)) Paint();
}

// A bad file raises inside LoadFromFile and leaves the picture as it was.
// Any failure of the load is ignored, not only the library's own errors: a
// picture too large for the memory left raises std::bad_alloc in the decoder.
void TProgBar::SetBackGroundImg(const std::string& FileName) {
  if (FileName.empty()) {
    backGroundImg_.clear();
  } else {
    try {
      backgroundBmp_->LoadFromFile(FileName);
      backGroundImg_ = FileName;
    } catch (const std::exception&) {
    }
  }
  Paint();
}

// ------------------------------------------------------------ Assign ----

void TProgBar::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TProgBar*>(Source);
  if (!src) return TGraphicControl::Assign(Source);
  if (src == this) return Paint();
  frameStyleOuter_ = src->frameStyleOuter_;
  frameStyleInner_ = src->frameStyleInner_;
  value_ = src->value_;
  min_ = src->min_;
  max_ = src->max_;
  colorMargin_ = src->colorMargin_;
  scheme_ = src->scheme_;
  direction_ = src->direction_;
  table_ = src->table_;
  backgroundBmp_->Assign(src->backgroundBmp_.get());
  colorBackGnd_ = src->colorBackGnd_;
  showColorGradient_ = src->showColorGradient_;
  colorGrid_ = src->colorGrid_;
  gridDist_ = src->gridDist_;
  colorMapMode_ = src->colorMapMode_;
  marginLeft_ = src->marginLeft_;
  marginRight_ = src->marginRight_;
  marginTop_ = src->marginTop_;
  marginBottom_ = src->marginBottom_;
  backGroundImg_ = src->backGroundImg_;
  textPosX_ = src->textPosX_;
  textPosY_ = src->textPosY_;
  textDecPlaces_ = src->textDecPlaces_;
  textAngle_ = src->textAngle_;
  textAlignment_ = src->textAlignment_;
  OnShowValue = src->OnShowValue;
  textVisible_ = src->textVisible_;
  Paint();
}

void TProgBar::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TProgBar*>(Dest)) return d->Assign(this);
  TGraphicControl::AssignTo(Dest);
}

// ------------------------------------------------ automatic increment ----

void TProgBar::SetAutoInc(bool v) {
  if (v == autoInc_) return;
  autoInc_ = v;
  if (Designing()) return;
  if (v) StartTimer();
  else timer_.Stop(1);
}

void TProgBar::SetAutoIncStep(double v) {
  if (v != 0 && std::isfinite(v) && v != autoIncStep_) autoIncStep_ = v;
}

void TProgBar::SetStartInterval(int v) {
  v = std::max(v, 10);
  if (v == startInterval_) return;
  startInterval_ = v;
  if (!Designing()) StartTimer();
}

void TProgBar::SetRepeatInterval(int v) {
  v = std::max(v, 10);
  if (v == repeatInterval_) return;
  repeatInterval_ = v;
  if (!Designing()) RestartTimer();
}

void TProgBar::SetOnAutoInc(TNotifyEvent v) {
  onAutoInc_ = std::move(v);
  if (!Designing()) RestartTimer();
}

void TProgBar::StartTimer() {
  firstTickPending_ = true;
  Arm(startInterval_);
}

void TProgBar::RestartTimer() {
  firstTickPending_ = false;
  Arm(repeatInterval_);
}

void TProgBar::Arm(int Interval) {
  timer_.Stop(1);
  if (Interval <= 0 || !autoInc_ || Designing()) return;
  if (timer_.Start(1, unsigned(Interval)) == 0)
    throw EQELProgBar(ComponentErrorMessage(GetName(), ": no timer available"));
}

void TProgBar::Tick() {
  if (firstTickPending_) RestartTimer();
  value_ += autoIncStep_;  // no clamping, and a repaint even when the sum stays the same
  Paint();
  if (onAutoInc_) onAutoInc_(this);
}


}  // namespace qel
