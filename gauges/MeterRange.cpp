// TMeter's value, range and threshold setters and the range events: what
// is clamped, what fires, and what waits while the meter is loading.
#include <cmath>

#include "gauges/QEL_Meter.h"

namespace qel {

// ------------------------------------------------------------ values ----

void TMeter::SetValue(double v) {
  if (!std::isfinite(v)) return;
  if (Loading()) { value_ = v; return; }
  if (v == value_) return;
  StoreValue(value_, v, *needle_);
  PaintValueChange();
}

void TMeter::SetValueSec(double v) {
  if (!std::isfinite(v)) return;
  if (Loading()) { valueSec_ = v; return; }
  if (v == valueSec_) return;
  StoreValue(valueSec_, v, *needleSec_);
  if (needleSec_->GetVisible()) PaintValueChange();
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

}  // namespace qel
