// TMeter: construction, value/range/threshold state and its events, the
// other property setters, geometry and mapping, loading and the mouse.
#include <cmath>

#include "gauges/QEL_Meter.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"

namespace qel {

int MeterLayoutSweep(TMeterLayout Layout) {
  static constexpr int kSweeps[] = {90, 120, 180, 270, 300, 360};
  return Layout <= mlCirc360 ? kSweeps[Layout] : 90;
}

TMeter::TMeter(TComponent* AOwner)
    : TGraphicControl(AOwner),
      needle_(std::make_unique<TNeedleLayout>()),
      needleSec_(std::make_unique<TNeedleLayout>()),
      fontCaption_(std::make_unique<TFont>()),
      backgroundBmp_(std::make_unique<TBitmap>(10, 10)),
      anchorBmp_(std::make_unique<TBitmap>(10, 10)),
      anchorMaskBmp_(std::make_unique<TBitmap>(10, 10)) {
  needleSec_->SetVisible(false);
  needle_->OnChange = [this](TObject* s) { StyleChanged(s); };
  needleSec_->OnChange = [this](TObject* s) { StyleChanged(s); };
  fontCaption_->Assign(GetFont());
  SetBounds(GetLeft(), GetTop(), 297, 209);
}

TMeter::~TMeter() = default;

// ------------------------------------------------------------ values ----

void TMeter::SetValue(double v) {
  if (!std::isfinite(v)) return;
  if (Loading()) { value_ = v; return; }
  if (v == value_) return;
  StoreValue(value_, v, *needle_);
  Paint();
}

void TMeter::SetValueSec(double v) {
  if (!std::isfinite(v)) return;
  if (Loading()) { valueSec_ = v; return; }
  if (v == valueSec_) return;
  StoreValue(valueSec_, v, *needleSec_);
  if (needleSec_->GetVisible()) Paint();
}

// Both values share the flags: the last value set decides the lamps. The
// events fire on every change, not only when a threshold is crossed.
void TMeter::StoreValue(double& Stored, double v, const TNeedleLayout& Needle) {
  Stored = Range().Clamp(v);
  overflow_ = underflow_ = false;
  if (!Needle.GetVisible()) return;
  if (Stored >= thresholdHigh_) {
    overflow_ = true;
    DoOverFlowEvent();
  } else if (Stored > thresholdLow_) {
    DoNormalRangeEvent();
  } else {
    underflow_ = true;
    DoUnderFlowEvent();
  }
}

// ------------------------------------------------------------- range ----

// A partner bound one unit away; far from zero one unit may vanish in the
// rounding, so then the nearest representable number is taken.
static double OneAbove(double v) { return v + 1 > v ? v + 1 : std::nextafter(v, INFINITY); }
static double OneBelow(double v) { return v - 1 < v ? v - 1 : std::nextafter(v, -INFINITY); }

void TMeter::SetMeterMinValue(double v) {
  if (!std::isfinite(v) || RefusedByLogScale(v)) return;
  if (Loading()) { min_ = v; return; }
  if (v == min_) return;
  min_ = v;
  if (max_ <= min_) max_ = OneAbove(min_);
  PullIntoRange();
  Paint();
}

void TMeter::SetMeterMaxValue(double v) {
  if (!std::isfinite(v) || RefusedByLogScale(v)) return;
  if (Loading()) { max_ = v; return; }
  if (v == max_) return;
  max_ = v;
  if (max_ <= min_) {
    min_ = OneBelow(max_);
    if (logarithmic_ && min_ <= 0) min_ = max_ / 10;
  }
  PullIntoRange();
  Paint();
}

// After the range changed: no events, the flags stay as they are.
void TMeter::PullIntoRange() {
  auto r = Range();
  value_ = r.Clamp(value_);
  valueSec_ = r.Clamp(valueSec_);
  thresholdLow_ = r.Clamp(thresholdLow_);
  thresholdHigh_ = r.Clamp(thresholdHigh_);
}

void TMeter::SetThresholdLow(double v) {
  if (!std::isfinite(v) || RefusedByLogScale(v)) return;
  if (Loading()) { thresholdLow_ = v; return; }
  if (v == thresholdLow_) return;
  thresholdLow_ = Range().Clamp(v);
  if (thresholdLow_ > thresholdHigh_) thresholdHigh_ = thresholdLow_;
  underflow_ = value_ <= thresholdLow_;
  if (underflow_) DoUnderFlowEvent();
  Paint();
}

void TMeter::SetThresholdHigh(double v) {
  if (!std::isfinite(v) || RefusedByLogScale(v)) return;
  if (Loading()) { thresholdHigh_ = v; return; }
  if (v == thresholdHigh_) return;
  thresholdHigh_ = Range().Clamp(v);
  if (thresholdHigh_ < thresholdLow_) thresholdLow_ = thresholdHigh_;
  overflow_ = value_ >= thresholdHigh_;
  if (overflow_) DoOverFlowEvent();
  Paint();
}

void TMeter::SetLogarithmic(bool v) {
  if (Loading()) { logarithmic_ = v; return; }
  if (v == logarithmic_) return;
  logarithmic_ = v && min_ > 1e-100 && max_ > 1e-100;
  Paint();
}

// -------------------------------------------------------------- scale ----

void TMeter::SetMeterLayout(TMeterLayout v) {
  if (v == layout_) return;
  layout_ = v;
  CalcMeterLayoutParams();
  Paint();
}

void TMeter::SetMeterNrTicks(int v) {
  if (v == nrTicks_) return;
  nrTicks_ = std::clamp(v, 2, 21);
  Paint();
}

void TMeter::SetMeterDecPlaces(int v) {
  if (v == decPlaces_) return;
  decPlaces_ = std::clamp(v, 0, 4);
  Paint();
}

void TMeter::SetScaleBkWidth(double v) {
  scaleBkWidth_ = std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 100.0);
  Paint();
}

void TMeter::SetColorScheme(TColorScheme v) {
  if (v == colorScheme_) return;
  colorScheme_ = v;
  frameDark_ = SchemeDarkColor(v);
  frameLight_ = SchemeLightColor(v);
  Paint();
}

void TMeter::SetFontCaption(TFont* v) {
  if (v) fontCaption_->Assign(v);
  Paint();
}

// Assign fires the layout's OnChange, which repaints.
void TMeter::SetNeedleLayout(TNeedleLayout* v) {
  if (v && v != needle_.get()) needle_->Assign(v);
  else Paint();
}

void TMeter::SetNeedleLayoutSec(TNeedleLayout* v) {
  if (v && v != needleSec_.get()) needleSec_->Assign(v);
  else Paint();
}

void TMeter::StyleChanged(TObject*) { Paint(); }

// ----------------------------------------------------- geometry, mapping ----

void TMeter::CalcMeterLayoutParams() {
  geometry_ = meter::CalcDialGeometry(MeterLayoutSweep(layout_), GetWidth(), GetHeight(), rimTop_, rimBottom_,
                                      rimSide_);
}

void TMeter::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  CalcMeterLayoutParams();
}

double TMeter::CalcNeedleAngle(double Value) const { return meter::NeedleAngle(geometry_, Range(), Value); }

void TMeter::ConvertToPixelCoords(double Value, double PercentRadius, int& X, int& Y) const {
  TPoint p = meter::ValueToPixel(geometry_, Range(), Value, PercentRadius);
  X = p.X;
  Y = p.Y;
}

bool TMeter::ConvertPixelToValue(int X, int Y, double& Value) const {
  return meter::PixelToValue(geometry_, Range(), X, Y, Value);
}

// --------------------------------------------------------------- mouse ----

void TMeter::MouseMoveInMeter(bool WithinRange, TShiftState Shift, double MeterValue) {
  if (OnMouseMoveInMeter) OnMouseMoveInMeter(this, WithinRange, Shift, MeterValue);
}

// The platform handles the move first, so OnMouseMove fires before the value.
void TMeter::WndProc(TMessage& Message) {
  TGraphicControl::WndProc(Message);
  if (Message.Msg != WM_MOUSEMOVE) return;
  int x = static_cast<int16_t>(Message.LParam & 0xFFFF);
  int y = static_cast<int16_t>((Message.LParam >> 16) & 0xFFFF);
  double v = 0.0;
  bool within = ConvertPixelToValue(x, y, v);
  MouseMoveInMeter(within, TShiftState::FromBits(Message.WParam), v);
}

// ---------------------------------------------------- images, loading ----

// While loading the names are only stored: Loaded reads the files once.
void TMeter::SetBackGroundImg(const std::string& FileName) {
  backGroundImg_ = FileExists(FileName) ? FileName : std::string();
  if (!Loading()) {
    hasBackground_ = false;
    if (!backGroundImg_.empty()) {
      backgroundBmp_->LoadFromFile(backGroundImg_);  // a bad file propagates, the name stays
      hasBackground_ = true;
    }
  }
  Paint();
}

void TMeter::SetAnchorImage(const std::string& FileName) {
  anchorImage_ = FileExists(FileName) ? FileName : std::string();
  if (!Loading()) {
    hasAnchorImage_ = false;
    if (!anchorImage_.empty() && !LoadAnchor()) anchorImage_.clear();
  }
  Paint();
}

bool TMeter::LoadBackground() {
  hasBackground_ = false;
  if (backGroundImg_.empty()) return true;
  try {
    backgroundBmp_->LoadFromFile(backGroundImg_);
    hasBackground_ = true;
    return true;
  } catch (const Exception&) {
    return false;
  }
}

bool TMeter::LoadAnchor() {
  hasAnchorImage_ = false;
  try {
    anchorBmp_->LoadFromFile(anchorImage_);
    anchorMaskBmp_->LoadFromFile(anchorImage_);
  } catch (const Exception&) {
    return false;
  }
  BuildAnchorMask();
  hasAnchorImage_ = true;
  return true;
}

// White where the image is black (the dial shows through), black elsewhere;
// AND with the mask then OR with the image puts the picture on the dial.
void TMeter::BuildAnchorMask() {
  TBitmap& m = *anchorMaskBmp_;
  for (int y = 0; y < m.GetHeight(); ++y) {
    uint32_t* row = m.ScanLine(y);
    for (int x = 0; x < m.GetWidth(); ++x) row[x] = (row[x] & 0xFFFFFF) == 0 ? 0xFFFFFF : 0;
  }
}

void TMeter::Loaded() {
  TGraphicControl::Loaded();
  value_ = Range().Clamp(value_);
  if (!LoadBackground()) backGroundImg_.clear();
  if (!anchorImage_.empty() && !LoadAnchor()) anchorImage_.clear();
  Paint();
}

// ------------------------------------------------------ needle layout ----

void TNeedleLayout::Changed() {
  if (OnChange) OnChange(this);
}

void TNeedleLayout::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TNeedleLayout*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  colorBody_ = src->colorBody_;
  colorOutline_ = src->colorOutline_;
  headSize_ = src->headSize_;
  thickness_ = src->thickness_;
  percentNeedleLength_ = src->percentNeedleLength_;
  headAngle_ = src->headAngle_;
  headMidLeng_ = src->headMidLeng_;
  shadowDx_ = src->shadowDx_;
  shadowDy_ = src->shadowDy_;
  shadowColor_ = src->shadowColor_;
  visible_ = src->visible_;
  Changed();
}

}  // namespace qel
