// The meter's cached face (background, zones, scale, labels and caption),
// the off-screen bitmap reused by every paint, and what the face was drawn
// from, so a paint can tell whether the cached picture still shows the meter.
#pragma once
#include <string>

#include "gauges/QEL_Meter.h"
#include "gauges/detail/MeterDirtyRegion.h"
#include "gauges/detail/MeterScene.h"

namespace qel {

// A font as it shows on screen.
struct TMeterFontKey {
  std::string name;
  int height = 0, orientation = 0;
  TFontStyles style;
  uint32_t pixel = 0;
  TFontQuality quality = fqDefault;
  TFontPitch pitch = fpDefault;
  uint8_t charset = 0;

  bool Matches(const TFont& F) const {
    return F.GetName() == name && F.GetHeight() == height && F.GetOrientation() == orientation &&
           F.GetStyle() == style && ColorToPixel(F.GetColor()) == pixel && F.GetQuality() == quality &&
           F.GetPitch() == pitch && F.GetCharset() == charset;
  }
  void Take(const TFont& F) {
    name = F.GetName();
    height = F.GetHeight(), orientation = F.GetOrientation();
    style = F.GetStyle();
    pixel = ColorToPixel(F.GetColor());
    quality = F.GetQuality(), pitch = F.GetPitch(), charset = F.GetCharset();
  }
};

// Every plain value the face is drawn from; colours as resolved pixels, so
// a change of the system colours shows too.
struct TMeterFaceKey {
  int w = 0, h = 0, sweep = 0, centreX = 0, centreY = 0, layout = 0;
  double radius = 0, min = 0, max = 0, thresholdLow = 0, thresholdHigh = 0, scaleBkWidth = 0;
  bool logarithmic = false, shortTicks = false, scaleLine = false, scaleVisible = false, scaleBkVisible = false;
  bool hasBackground = false;
  int nrTicks = 0, decPlaces = 0, fillMode = 0;
  unsigned backgroundLoads = 0;
  uint32_t low = 0, norm = 0, high = 0, scale = 0, back = 0;
  bool operator==(const TMeterFaceKey&) const = default;
};

struct TMeter::TFaceCache {
  static TMeterFaceKey KeyOf(const TMeter& M);
  static TMeterOverlayKey OverlayOf(const TMeter& M);
  // Whether the cached face shows M, whose face key is Key.
  bool Shows(const TMeter& M, const TMeterFaceKey& Key) const {
    return valid && key == Key && caption == M.caption_ && font.Matches(*M.GetFont()) &&
           captionFont.Matches(*M.fontCaption_);
  }
  TBitmap frame;  // the off-screen picture, reused; holds the last paint's
  TBitmap face;   // the face as last drawn
  bool valid = false;
  TMeterFaceKey key;
  TMeterFontKey font, captionFont;
  std::string caption;
  // The canvas state the face drawing left, which the needles start from.
  TPen pen;
  TBrush brush;
  TFont canvasFont;
  TPoint penPos;
  // What the last paint drew over the face, and where it copied the picture.
  TMeterScene drawn;
  TMeterCopyTarget target;
  meter::TDirtyRegion dirty;
};

}  // namespace qel
