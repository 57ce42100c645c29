// The dial and range records TMeter keeps; kept apart from MeterMath.h so
// that QEL_Meter.h does not pull the maths (and <cmath>) into every user.
#pragma once

namespace qel::meter {

struct TDialGeometry {
  int Sweep = 90;       // degrees the scale spans
  double Radius = 0.0;  // of the scale line, in pixels
  int CentreX = 0, CentreY = 0;  // the needle's pivot
};

struct TScaleRange {
  double Min = 0.0, Max = 1.0;
  bool Logarithmic = false;
  bool UsesLog() const { return Logarithmic && Min > 0 && Max > 0; }
  double Clamp(double v) const;
};

}  // namespace qel::meter
