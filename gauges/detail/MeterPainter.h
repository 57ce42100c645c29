// The meter's painter: each step of the picture on one canvas, in the order
// TMeter's paints call them (MeterPaintCycle.cpp).
#pragma once
#include "gauges/detail/MeterMath.h"
#include "gauges/detail/MeterScene.h"

namespace qel {

class TMeter::TPainter {
 public:
  TPainter(TMeter& m, TCanvas& c)
      : m_(m), c_(c), g_(m.geometry_), range_(m.Range()), width_(m.GetWidth()), height_(m.GetHeight()),
        rimTop_(m.rimTop_), rimBottom_(m.rimBottom_), rimSide_(m.rimSide_), centreX_(g_.CentreX), centreY_(g_.CentreY),
        radius_(g_.Radius), radiusPx_(meter::RoundPx(radius_)) {}

  void Background();
  void Zones();
  void Scale();
  void Caption();
  // OnBeforeDrawNeedle, then the needles it left to draw; Drawn tells which.
  void Needles(TMeterNeedles& Drawn);
  // The needles the meter's values and layouts give, without a handler.
  TMeterNeedles NeedleShapes() const;
  void DrawNeedles(const TMeterNeedles& N);
  void Cover();
  void BevelAndAnchor();
  void Lamps();
  // Where Lamps draws the high or the low lamp.
  TRect LampRect(bool High) const;
  void Frame();

 private:
  double Alpha(double v) const { return meter::ScaleAngle(g_, range_, v); }
  double StartAngle() const { return 90.0 + g_.Sweep / 2.0; }
  double EndAngle() const { return 90.0 - g_.Sweep / 2.0; }
  void Zone(TColor color, double FromDeg, double ToDeg, int ro);
  void Labels(const meter::TScaleStep& step);
  void WindowBevel();
  void Knob(int p);
  void Pedestal(int p);
  void Lamp(bool Active, const TRect& R);

  TMeter& m_;
  TCanvas& c_;
  const meter::TDialGeometry& g_;
  const meter::TScaleRange range_;
  const int width_, height_, rimTop_, rimBottom_, rimSide_, centreX_, centreY_;
  const double radius_;  // the scale's, from the pivot
  const int radiusPx_;   // radius_ rounded to whole pixels
};

}  // namespace qel
