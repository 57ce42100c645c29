/// \file
/// QEL_Meter: TMeter, an analog panel meter (needle over a circular scale with
/// range zones, limit lamps, caption, cover, anchor and frame), and
/// TNeedleLayout, the shape and colours of a needle.
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Dial geometry (CalcMeterLayoutParams). W, H: control size; RT, RB, RS: rims.
/// Every dial keeps 8 pixels between its scale and the rims; Hi = H - RT - RB - 16
/// is the usable height and Wh = (W div 2) - RS - 8 the usable half width.
/// CentreX is always W div 2.
///   mlCirc90   Radius = Hi;                                 CentreY = H - RB - 8
///   mlCirc120  Radius = min(Hi, (W / 2 - RS - 8) * 1.1547);  CentreY = H - RB - 8
///   mlCirc300  Radius = min(Wh, Hi / 1.866);                CentreY = round(RT + 8 + Radius)
/// The others take the largest radius whose arc fits both ways, and centre the
/// arc's height between the margins. An arc reaching Up * Radius above and
/// Down * Radius below its pivot gets
///   CentreY = round(RT + 8 + Up * Radius + (Hi - (Up + Down) * Radius) / 2)
///   mlCirc180  Up 1, Down 0:        Radius = min(Wh, Hi)
///              (when the height limits, the pivot sits at H - RB - 8 as for 90)
///   mlCirc270  Up 1, Down sin 45:   Radius = min(Wh, Hi / 1.7071)
///   mlCirc360  Up 1, Down 1:        Radius = min(Wh, Hi / 2)
///              (when the height limits, the pivot is at RT + 8 + Radius as for 300)
/// Labels sit inside the scale line (Radius - text size - 15), so a dial that
/// fits keeps its labels inside too.
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// Sections: types and events; TNeedleLayout; TMeter (properties, range
/// state, geometry and mapping, painting, lifecycle).
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "framework/QEL_Base.h"
#include "gauges/detail/MeterTypes.h"
#include "platform/controls/Controls.h"
#include "platform/rtl/StoreIfChanged.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

// ------------------------------------------------- types and events ----

/// The number in each name is the sweep of the scale in degrees.
enum TMeterLayout : uint8_t { mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360 };
/// Degrees the scale of a layout spans (90 for mlCirc90, ...).
int MeterLayoutSweep(TMeterLayout Layout);

/// Fires on every mouse move over the meter: WithinRange tells whether MeterValue lies on the scale.
using TMouseMoveInMeterEvent =
    std::function<void(TObject* Sender, bool WithinRange, TShiftState Shift, double MeterValue)>;
/// Fires before each scale label is drawn at (ChartX, ChartY); the handler may change the label's text.
using TmtBeforeDrawScaleLabelEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, std::string& CurrentTickLabel, int ChartX, int ChartY)>;
/// Fires before the needle is drawn; setting NeedleDrawn to true skips the built-in needle.
using TBeforeDrawNeedleEvent = std::function<void(TObject* Sender, TCanvas* Canvas, bool& NeedleDrawn)>;
/// Fires after the meter is drawn, with the off-screen canvas, to draw over it.
using TMeterRenderedEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;

// ----------------------------------------------------- TNeedleLayout ----

/// The shape and colours of a meter needle; any change fires OnChange.
class TNeedleLayout : public TPersistent {
 public:
  /// Colours of the needle's body and outline.
  ///@{
  TColor GetColorBody() const { return colorBody_; }
  void SetColorBody(TColor v) { if (StoreIfChanged(colorBody_, v)) Changed(); }
  TColor GetColorOutline() const { return colorOutline_; }
  void SetColorOutline(TColor v) { if (StoreIfChanged(colorOutline_, v)) Changed(); }
  ///@}
  /// Length of the arrow head's sides in pixels.
  ///@{
  int GetHeadSize() const { return headSize_; }
  void SetHeadSize(int v) { if (StoreIfChanged(headSize_, v)) Changed(); }
  ///@}
  /// Thickness of the needle's shaft in pixels (0: a hairline).
  ///@{
  int GetThickness() const { return thickness_; }
  void SetThickness(int v) { if (StoreIfChanged(thickness_, v)) Changed(); }
  ///@}
  /// Length in percent of the scale's radius, clamped to 0..100.
  int GetPercentNeedleLength() const { return percentNeedleLength_; }
  void SetPercentNeedleLength(int v);  ///< Clamped to 0..100
  /// Opening angle of the arrow head in degrees, clamped to 0..180.
  int GetHeadAngle() const { return headAngle_; }
  void SetHeadAngle(int v);  ///< Clamped to 0..180
  /// Distance in pixels from the tip to where the shaft meets the arrow head.
  ///@{
  int GetHeadMidLeng() const { return headMidLeng_; }
  void SetHeadMidLeng(int v) { if (StoreIfChanged(headMidLeng_, v)) Changed(); }
  ///@}
  /// Shadow offset in pixels and shadow colour (no shadow at 0, 0).
  ///@{
  int GetShadowDx() const { return shadowDx_; }
  void SetShadowDx(int v) { if (StoreIfChanged(shadowDx_, v)) Changed(); }
  int GetShadowDy() const { return shadowDy_; }
  void SetShadowDy(int v) { if (StoreIfChanged(shadowDy_, v)) Changed(); }
  TColor GetShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor v) { if (StoreIfChanged(shadowColor_, v)) Changed(); }
  ///@}
  /// Whether the needle is drawn; a hidden needle also stops the range events.
  ///@{
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v) { if (StoreIfChanged(visible_, v)) Changed(); }
  ///@}

  /// Copies every setting but OnChange from another needle layout.
  void Assign(TPersistent* Source) override;
  /// Fires OnChange.
  void Changed();
  /// Fires when any setting changes.
  TNotifyEvent OnChange;

 private:
  TColor colorBody_ = 0xC0C0C0;
  TColor colorOutline_ = 0x000000;
  int headSize_ = 20;
  int thickness_ = 0;
  int percentNeedleLength_ = 100;
  int headAngle_ = 30;
  int headMidLeng_ = 20;
  int shadowDx_ = 0, shadowDy_ = 0;
  TColor shadowColor_ = 0x808080;
  bool visible_ = true;
};

// ------------------------------------------------------------ TMeter ----

/// An analog panel meter: a needle over a circular scale with low, normal and high zones, limit lamps, caption, cover, anchor and frame.
///
/// From examples/dashboard/main.cpp (`qel-dashboard`):
/// \snippet dashboard/main.cpp meter
/// \image html meter.png "The gallery's page Meter"
class TMeter : public TGraphicControl {
 public:
  /// A meter from 0 to 1 with a 90 degree scale.
  explicit TMeter(TComponent* AOwner);
  /// Frees the needles, fonts and pictures.
  ~TMeter() override;

  // --- values, range and thresholds (deferred while loading) ---
  /// The main needle's value, clamped into the range; ignores NaN and infinities. Each change fires OnOverFlow (at or above ThresholdHigh), OnNormalRange or OnUnderFlow (at or below ThresholdLow), and repaints.
  ///@{
  double GetValue() const { return value_; }
  void SetValue(double v);
  ///@}
  /// The second needle's value; clamped and firing the range events like Value.
  ///@{
  double GetValueSec() const { return valueSec_; }
  void SetValueSec(double v);
  ///@}
  /// Lower end of the scale; a maximum at or below it moves up. Values and thresholds are pulled into the new range without events.
  ///@{
  double GetMeterMinValue() const { return min_; }
  void SetMeterMinValue(double v);
  ///@}
  /// Upper end of the scale; a minimum at or above it moves down.
  ///@{
  double GetMeterMaxValue() const { return max_; }
  void SetMeterMaxValue(double v);
  ///@}
  /// Threshold between the low and normal zones, clamped into the range; fires OnUnderFlow when the value is at or below it.
  ///@{
  double GetThresholdLow() const { return thresholdLow_; }
  void SetThresholdLow(double v);
  ///@}
  /// Threshold between the normal and high zones, clamped into the range; fires OnOverFlow when the value is at or above it.
  ///@{
  double GetThresholdHigh() const { return thresholdHigh_; }
  void SetThresholdHigh(double v);
  ///@}
  /// Logarithmic scale; only taken while both ends of the range are above 0.
  ///@{
  bool GetLogarithmic() const { return logarithmic_; }
  void SetLogarithmic(bool v);
  ///@}
  ///@{
  /// The range flags the limit lamps show.
  bool GetOverflow() const { return overflow_; }
  bool GetUnderflow() const { return underflow_; }
  ///@}

  // --- scale ---
  /// Shape of the dial: the sweep of the scale in degrees.
  ///@{
  TMeterLayout GetMeterLayout() const { return layout_; }
  void SetMeterLayout(TMeterLayout v);
  ///@}
  /// Number of labelled ticks, clamped to 2..21.
  ///@{
  int GetMeterNrTicks() const { return nrTicks_; }
  void SetMeterNrTicks(int v);
  ///@}
  /// Decimals of the scale labels, clamped to 0..4.
  ///@{
  int GetMeterDecPlaces() const { return decPlaces_; }
  void SetMeterDecPlaces(int v);
  ///@}
  /// Whether short ticks are drawn between the labelled ones.
  ///@{
  bool GetMeterShortTicks() const { return shortTicks_; }
  void SetMeterShortTicks(bool v) { SetProperty(shortTicks_, v, TRefresh::Paint); }
  ///@}
  /// Whether the arc of the scale line is drawn.
  ///@{
  bool GetMeterScaleLine() const { return scaleLine_; }
  void SetMeterScaleLine(bool v) { SetProperty(scaleLine_, v, TRefresh::Paint); }
  ///@}
  /// Whether the scale (ticks and labels) is drawn.
  ///@{
  bool GetScaleVisible() const { return scaleVisible_; }
  void SetScaleVisible(bool v) { SetProperty(scaleVisible_, v, TRefresh::Paint, TStore::Always); }
  ///@}
  /// Whether the coloured zones under the scale are drawn.
  ///@{
  bool GetScaleBkVisible() const { return scaleBkVisible_; }
  void SetScaleBkVisible(bool v) { SetProperty(scaleBkVisible_, v, TRefresh::Paint, TStore::Always); }
  ///@}
  /// Width of the coloured zones in percent of the radius, clamped to 0..100 (NaN gives 0).
  ///@{
  double GetScaleBkWidth() const { return scaleBkWidth_; }
  void SetScaleBkWidth(double v);
  ///@}

  // --- colours, frame and cover ---
  /// Colours of the low, normal and high zones of the scale.
  ///@{
  TColor GetColorSclBkLow() const { return colorSclBkLow_; }
  void SetColorSclBkLow(TColor v) { SetProperty(colorSclBkLow_, v, TRefresh::Paint); }
  TColor GetColorSclBkNorm() const { return colorSclBkNorm_; }
  void SetColorSclBkNorm(TColor v) { SetProperty(colorSclBkNorm_, v, TRefresh::Paint); }
  TColor GetColorSclBkHigh() const { return colorSclBkHigh_; }
  void SetColorSclBkHigh(TColor v) { SetProperty(colorSclBkHigh_, v, TRefresh::Paint); }
  ///@}
  /// Colour of the ticks, labels and scale line.
  ///@{
  TColor GetColorScale() const { return colorScale_; }
  void SetColorScale(TColor v) { SetProperty(colorScale_, v, TRefresh::Paint); }
  ///@}
  /// Colour of the dial's face.
  ///@{
  TColor GetColorBakG() const { return colorBakG_; }
  void SetColorBakG(TColor v) { SetProperty(colorBakG_, v, TRefresh::Paint); }
  ///@}
  /// Colour of the cover over the needle's pivot and around the dial.
  ///@{
  TColor GetColorCover() const { return colorCover_; }
  void SetColorCover(TColor v) { SetProperty(colorCover_, v, TRefresh::Paint); }
  ///@}
  /// Colour scheme of the frame's light and dark edges.
  ///@{
  TColorScheme GetColorScheme() const { return scheme_.Scheme; }
  void SetColorScheme(TColorScheme v);
  ///@}
  /// Style of the frame around the meter (see TFrameStyle).
  ///@{
  TFrameStyle GetFrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle v) { SetProperty(frameStyle_, v, TRefresh::Paint); }
  ///@}
  /// Widths of the top, bottom and side rims in pixels.
  ///@{
  int GetRimTop() const { return rimTop_; }
  void SetRimTop(int v) { SetProperty(rimTop_, v, TRefresh::Paint); }
  int GetRimBottom() const { return rimBottom_; }
  void SetRimBottom(int v) { SetProperty(rimBottom_, v, TRefresh::Paint); }
  int GetRimSide() const { return rimSide_; }
  void SetRimSide(int v) { SetProperty(rimSide_, v, TRefresh::Paint); }
  ///@}

  // --- lamps, caption, anchor, background ---
  /// Whether the high and low limit lamps are shown.
  ///@{
  bool GetLimWatchHighOn() const { return limWatchHighOn_; }
  void SetLimWatchHighOn(bool v) { SetProperty(limWatchHighOn_, v, TRefresh::Paint); }
  bool GetLimWatchLowOn() const { return limWatchLowOn_; }
  void SetLimWatchLowOn(bool v) { SetProperty(limWatchLowOn_, v, TRefresh::Paint); }
  ///@}
  /// Colours of a lit and an unlit limit lamp.
  ///@{
  TColor GetLimWatchActColor() const { return limWatchActColor_; }
  void SetLimWatchActColor(TColor v) { SetProperty(limWatchActColor_, v, TRefresh::Paint); }
  TColor GetLimWatchPsvColor() const { return limWatchPsvColor_; }
  void SetLimWatchPsvColor(TColor v) { SetProperty(limWatchPsvColor_, v, TRefresh::Paint); }
  ///@}
  /// Caption drawn on the dial.
  ///@{
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v) { SetProperty(caption_, v, TRefresh::Paint, TStore::Always); }
  ///@}
  /// Font of the caption; the setter copies the given font.
  ///@{
  TFont* GetFontCaption() const { return fontCaption_.get(); }
  void SetFontCaption(TFont* v);
  ///@}
  /// Whether the cover hides the needle's pivot.
  ///@{
  bool GetAnchorCovered() const { return anchorCovered_; }
  void SetAnchorCovered(bool v) { SetProperty(anchorCovered_, v, TRefresh::Paint); }
  ///@}
  /// Size of the anchor over the needle's pivot in pixels.
  ///@{
  int GetAnchorSize() const { return anchorSize_; }
  void SetAnchorSize(int v) { SetProperty(anchorSize_, v, TRefresh::Paint); }
  ///@}
  /// Picture file drawn as the anchor; a name that does not exist or fails to load is cleared.
  ///@{
  const std::string& GetAnchorImage() const { return anchorImage_; }
  void SetAnchorImage(const std::string& FileName);
  ///@}
  /// Picture file drawn as the dial's background; a name that does not exist is cleared, a file that fails to load raises.
  ///@{
  const std::string& GetBackGroundImg() const { return backGroundImg_; }
  void SetBackGroundImg(const std::string& FileName);
  ///@}
  /// How the background picture fills the dial.
  ///@{
  TBkgFill GetBkgndFillMode() const { return bkgndFillMode_; }
  void SetBkgndFillMode(TBkgFill v) { SetProperty(bkgndFillMode_, v, TRefresh::Paint, TStore::Always); }
  ///@}

  // --- needles ---
  /// Shape and colours of the main needle; the setter copies the given layout.
  ///@{
  TNeedleLayout* GetNeedleLayout() const { return needle_.get(); }
  void SetNeedleLayout(TNeedleLayout* v);
  ///@}
  /// Shape and colours of the second needle (hidden at first); the setter copies the given layout.
  ///@{
  TNeedleLayout* GetNeedleLayoutSec() const { return needleSec_.get(); }
  void SetNeedleLayoutSec(TNeedleLayout* v);
  ///@}

  // --- geometry and mapping ---
  /// Works out the sweep, radius and pivot from the layout, the size and the rims.
  void CalcMeterLayoutParams();
  /// Sweep of the scale in degrees.
  int GetSweep() const { return geometry_.Sweep; }
  /// Radius of the scale line in pixels.
  double GetRadius() const { return geometry_.Radius; }
  /// Position of the needle's pivot in client pixels.
  ///@{
  int GetCentreX() const { return geometry_.CentreX; }
  int GetCentreY() const { return geometry_.CentreY; }
  ///@}
  /// Angle of the needle for a value, in degrees.
  double CalcNeedleAngle(double Value) const;
  /// The client pixel at a value's angle and PercentRadius percent of the radius.
  void ConvertToPixelCoords(double Value, double PercentRadius, int& X, int& Y) const;
  /// The value at a client pixel; false when the pixel lies off the scale.
  bool ConvertPixelToValue(int X, int Y, double& Value) const;
  /// Decimals for labels of a scale from A to B (DecPlaces -2 chooses by the span).
  int CalcM(int DecPlaces, double A, double B) const;

  // --- events ---
  /// Fires OnMouseMoveInMeter.
  void MouseMoveInMeter(bool WithinRange, TShiftState Shift, double MeterValue);
  /// Fire OnOverFlow, OnNormalRange and OnUnderFlow.
  ///@{
  void DoOverFlowEvent() { if (OnOverFlow) OnOverFlow(this); }
  void DoNormalRangeEvent() { if (OnNormalRange) OnNormalRange(this); }
  void DoUnderFlowEvent() { if (OnUnderFlow) OnUnderFlow(this); }
  ///@}
  /// The value reached the high zone, the normal zone or the low zone.
  ///@{
  TNotifyEvent OnOverFlow, OnNormalRange, OnUnderFlow;
  ///@}
  /// See TMouseMoveInMeterEvent.
  TMouseMoveInMeterEvent OnMouseMoveInMeter;
  /// See TmtBeforeDrawScaleLabelEvent.
  TmtBeforeDrawScaleLabelEvent OnBeforeDrawScaleLabel;
  /// See TBeforeDrawNeedleEvent.
  TBeforeDrawNeedleEvent OnBeforeDrawNeedle;
  /// See TMeterRenderedEvent.
  TMeterRenderedEvent OnMeterRendered;

  /// Moves or resizes the meter and works out the dial again.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  /// Draws the whole meter off screen and copies it in one step.
  void Paint() override;
  /// Repaints: wired to both needle layouts' OnChange.
  void StyleChanged(TObject* Sender);

 protected:
  /// Clamps the value and loads the pictures named while loading.
  void Loaded() override;
  /// Turns mouse moves into OnMouseMoveInMeter after the usual handling.
  void WndProc(TMessage& Message) override;

 private:
  class TPainter;
  friend class TPainter;
  bool Loading() const { return ComponentState().Contains(csLoading); }
  meter::TScaleRange Range() const { return {min_, max_, logarithmic_}; }
  void StoreValue(double& Stored, double v, const TNeedleLayout& Needle);
  void PullIntoRange();
  bool RefusedByLogScale(double v) const { return logarithmic_ && v < 1e-100; }
  bool LoadBackground();
  bool LoadAnchor();
  void BuildAnchorMask();
  // Paints after a value change, redrawing only what the needles and lamps
  // touch when nothing else changed since the last paint.
  void PaintValueChange();

  double value_ = 0.0, valueSec_ = 0.0;
  double min_ = 0.0, max_ = 1.0;
  double thresholdLow_ = 0.0, thresholdHigh_ = 1.0;
  bool logarithmic_ = false;
  bool overflow_ = false, underflow_ = false;
  TMeterLayout layout_ = mlCirc90;
  int nrTicks_ = 3, decPlaces_ = 1;
  bool shortTicks_ = true, scaleLine_ = true, scaleVisible_ = true, scaleBkVisible_ = false;
  double scaleBkWidth_ = 0.0;
  TColor colorSclBkLow_ = 0x00FF00, colorSclBkNorm_ = 0x0080FF, colorSclBkHigh_ = 0x0000FF;
  TColor colorScale_ = 0x800000, colorBakG_ = 0xFFFFFF, colorCover_ = clBtnFace;
  TSchemeColors scheme_;
  TFrameStyle frameStyle_ = fsRaised;
  int rimTop_ = 8, rimBottom_ = 10, rimSide_ = 10;
  bool limWatchHighOn_ = true, limWatchLowOn_ = true;
  TColor limWatchActColor_ = 0x0000FF, limWatchPsvColor_ = 0x808080;
  std::string caption_;
  bool anchorCovered_ = true;
  int anchorSize_ = 24;
  std::string anchorImage_, backGroundImg_;
  bool hasAnchorImage_ = false, hasBackground_ = false;
  TBkgFill bkgndFillMode_ = bfSimple;
  meter::TDialGeometry geometry_;
  std::unique_ptr<TNeedleLayout> needle_, needleSec_;
  std::unique_ptr<TFont> fontCaption_;
  std::unique_ptr<TBitmap> backgroundBmp_, anchorBmp_, anchorMaskBmp_;
  std::string labelText_;  // reused by every paint, so labels allocate nothing
  // The off-screen bitmap and the cached face (detail/MeterFaceCache.h); background
  // loads are counted so that a reloaded picture redraws the face.
  struct TFaceCache;
  std::unique_ptr<TFaceCache> faceCache_;
  unsigned backgroundLoads_ = 0;
};

QEL_API_END
}  // namespace qel
