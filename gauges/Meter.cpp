// TMeter: construction, the scale and look setters, geometry and mapping,
// images and loading, and the mouse. Values, range and thresholds are in
// MeterRange.cpp.
#include <cmath>
#include <exception>

#include "gauges/detail/MeterFaceCache.h"
#include "gauges/detail/MeterMath.h"
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
      anchorMaskBmp_(std::make_unique<TBitmap>(10, 10)),
      faceCache_(std::make_unique<TFaceCache>()) {
  needleSec_->SetVisible(false);
  needle_->OnChange = [this](TObject* s) { StyleChanged(s); };
  needleSec_->OnChange = [this](TObject* s) { StyleChanged(s); };
  fontCaption_->Assign(GetFont());
  SetBounds(GetLeft(), GetTop(), 297, 209);
}

TMeter::~TMeter() = default;

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
  if (scheme_.Set(v)) Paint();
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

int TMeter::CalcM(int DecPlaces, double A, double B) const { return meter::CalcM(DecPlaces, A, B); }

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
      ++backgroundLoads_;
      try {
        backgroundBmp_->LoadFromFile(backGroundImg_);
      } catch (...) {
        Paint();  // the plain dial, not the last picture; the error and the name stay
        throw;
      }
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
  ++backgroundLoads_;
  try {
    backgroundBmp_->LoadFromFile(backGroundImg_);
    hasBackground_ = true;
    return true;
  } catch (const std::exception&) {  // a bad file, or one too large for the memory left
    return false;
  }
}

bool TMeter::LoadAnchor() {
  hasAnchorImage_ = false;
  try {
    anchorBmp_->LoadFromFile(anchorImage_);
    anchorMaskBmp_->LoadFromFile(anchorImage_);
  } catch (const std::exception&) {  // a bad file, or one too large for the memory left
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

}  // namespace qel
