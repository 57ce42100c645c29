// On/off button pictures of lamps: LEDREDGREEN (green on, red off),
// BEVELEDLED (an amber lamp in a metal bezel), TRAFFICLGT (a pedestrian
// light: green walking figure on, red standing figure off), BULB, BUTLAMP
// (an illuminated push button) and HDLEFT / HDRIGHT (the front of a drive
// bay with its activity lamp at the left or the right end). A lamp that is
// on is bright and glows; one that is off is dark.
#include <cmath>
#include <numbers>

#include "resources/art/ShadedArt.h"

namespace qel::art {
namespace {

using namespace shade;

const TRgb kWhite{255, 255, 255};

// A metal surface lit from above.
TFill Metal(double Top, double Bottom, double Light = 232, double Dark = 150) {
  return Linear({Light, Light, Light + 2}, 0, Top, {Dark, Dark, Dark + 4}, 0, Bottom);
}

void LedRedGreen(TSketch& S, bool On) {
  // A bright green and a deep red: they differ in lightness as well as
  // hue, so that they stay apart greyed and to eyes that mix the two.
  const TRgb lens = On ? TRgb{96, 236, 104} : TRgb{184, 30, 24};
  TShape rim = Circle(7, 7, 5.9);
  S.Layer(rim, Linear({90, 92, 98}, 0, 1, {200, 202, 208}, 0, 13));
  TShape body = Circle(7, 7, 4.6);
  S.Layer(body, Ball(lens, 7, 7, 4.6));
  S.Layer(Ring(rim, 0.4), {60, 62, 68});
}

void BeveledLed(TSketch& S, bool On) {
  TShape bezel = Box(8.5, 8.5, 7.8, 7.8, 2.2);
  S.Layer(bezel, Metal(1, 16));
  S.Bevel(bezel, 1.5, kWhite, {100, 102, 108});
  S.Layer(Ring(bezel, 0.4), {80, 82, 88});
  TShape hole = Circle(8.5, 8.5, 5.4);
  S.Layer(hole, {60, 60, 64});
  S.Bevel(hole, 1.1, {70, 70, 74}, {245, 245, 245});  // sunken
  TShape lens = Circle(8.5, 8.5, 4.2);
  if (On) {
    S.Layer(Circle(8.5, 8.5, 5.2), {255, 220, 120}, 0.5);  // glow
    S.Layer(lens, Ball({255, 190, 40}, 8.5, 8.5, 4.2));
  } else {
    S.Layer(lens, Ball({120, 78, 24}, 8.5, 8.5, 4.2));
  }
}

// --------------------------------------------------- pedestrian light ----

TShape StandingFigure(double Cx, double Cy) {
  TShape s = Circle(Cx, Cy - 3.9, 1.35);
  s = Union(s, Capsule(Cx, Cy - 1.9, Cx, Cy + 1.1, 1.45));
  s = Union(s, Capsule(Cx - 0.75, Cy + 1.3, Cx - 0.75, Cy + 4.3, 0.7));
  s = Union(s, Capsule(Cx + 0.75, Cy + 1.3, Cx + 0.75, Cy + 4.3, 0.7));
  s = Union(s, Capsule(Cx - 1.7, Cy - 1.5, Cx - 1.9, Cy + 1.2, 0.55));
  return Union(s, Capsule(Cx + 1.7, Cy - 1.5, Cx + 1.9, Cy + 1.2, 0.55));
}

TShape WalkingFigure(double Cx, double Cy) {
  TShape s = Circle(Cx + 0.5, Cy - 3.9, 1.35);
  s = Union(s, Capsule(Cx + 0.3, Cy - 2.0, Cx - 0.2, Cy + 0.9, 1.3));
  s = Union(s, Capsule(Cx - 0.2, Cy + 0.9, Cx + 2.0, Cy + 4.3, 0.7));
  s = Union(s, Capsule(Cx - 0.2, Cy + 0.9, Cx - 2.1, Cy + 4.1, 0.7));
  s = Union(s, Capsule(Cx + 0.3, Cy - 1.4, Cx + 2.3, Cy + 0.4, 0.55));
  return Union(s, Capsule(Cx + 0.1, Cy - 1.4, Cx - 2.0, Cy + 0.3, 0.55));
}

// One lamp of the light: a dark glass with the figure lit or dim.
void PedestrianLamp(TSketch& S, double Cy, TShape Figure, TRgb Colour, bool Lit) {
  TShape glass = Circle(15.5, Cy, 6.1);
  S.Layer(glass, Lit ? Radial(Darker(Colour, 0.45), 15.5, Cy, Darker(Colour, 0.8), 6.1)
                     : Solid({34, 34, 36}));
  S.Bevel(glass, 1, {20, 20, 22}, {110, 110, 114});
  if (Lit) S.Layer(Grow(Figure, 0.8), Colour, 0.35);
  S.Layer(Figure, Lit ? Lighter(Colour, 0.15) : Darker(Colour, 0.62));
}

void TrafficLight(TSketch& S, bool On) {
  TShape housing = Box(15.5, 15.5, 9.5, 15, 3.5);
  S.Layer(housing, Linear({78, 80, 86}, 6, 0, {30, 31, 34}, 25, 0));
  S.Bevel(housing, 1.2, {140, 142, 150}, {16, 16, 18});
  PedestrianLamp(S, 8.5, StandingFigure(15.5, 8.6), {255, 52, 36}, !On);
  PedestrianLamp(S, 22.5, WalkingFigure(15.3, 22.6), {60, 240, 110}, On);
}

// ---------------------------------------------------------------- bulb ----

void Bulb(TSketch& S, bool On) {
  const double cx = 19.5, cy = 17;
  TShape glass = Union(Circle(cx, cy, 13), Polygon({{cx - 8.5, 24}, {cx + 8.5, 24}, {cx + 6, 34}, {cx - 6, 34}}));
  if (On) {
    for (int i = 0; i < 9; ++i) {  // rays round the top half and the sides
      double a = std::numbers::pi * (0.95 + 1.1 * i / 8.0);
      S.Layer(Capsule(cx + 15 * std::cos(a), cy + 15 * std::sin(a), cx + 18 * std::cos(a), cy + 18 * std::sin(a), 0.8),
              {250, 180, 20});
    }
    S.Layer(Grow(glass, 1.5), {255, 236, 140}, 0.45);  // glow
    S.Layer(glass, Radial({255, 252, 214}, cx, cy, {250, 200, 50}, 15));
  } else {
    S.Layer(glass, Radial({248, 249, 251}, cx - 3, cy - 3, {188, 194, 204}, 17));
  }
  S.Layer(Ring(glass, 0.45), On ? TRgb{190, 130, 20} : TRgb{120, 124, 132});
  // Filament on two wires.
  const TRgb wire = On ? TRgb{200, 150, 80} : TRgb{120, 120, 124};
  S.Layer(Capsule(cx - 4.5, 25, cx - 4.5, 34, 0.5), wire);
  S.Layer(Capsule(cx + 4.5, 25, cx + 4.5, 34, 0.5), wire);
  TShape filament = Stroke({{cx - 4.5, 25}, {cx - 4.5, 19}, {cx - 2.2, 15.5}, {cx, 19}, {cx + 2.2, 15.5},
                            {cx + 4.5, 19}, {cx + 4.5, 25}},
                           0.65);
  if (On) S.Layer(Grow(filament, 1.2), kWhite, 0.6);
  S.Layer(filament, On ? TRgb{255, 250, 225} : TRgb{80, 80, 84});
  S.Layer(Ellipse(cx - 6, cy - 5, 2.2, 4.2), kWhite, On ? 0.5 : 0.75);  // reflection
  // Screw base with its threads and the contact.
  TShape base = Box(cx, 39, 6.6, 4.6, 1);
  S.Layer(base, Linear({150, 152, 158}, cx - 7, 0, {236, 238, 242}, cx + 1, 0));
  S.Layer(base, Linear({236, 238, 242}, cx - 1, 0, {120, 122, 128}, cx + 7, 0), 0.6);
  for (double y : {36.5, 39.0, 41.5}) S.Layer(Capsule(cx - 6.2, y, cx + 6.2, y - 0.8, 0.45), {96, 98, 104});
  S.Layer(Ring(base, 0.4), {90, 92, 98});
  S.Layer(Box(cx, 45.5, 3.4, 1.8, 1.5), {56, 56, 60});
}

// ---------------------------------------------------- lamp push button ----

void ButtonLamp(TSketch& S, bool On) {
  TShape bezel = Box(24.5, 12, 23.5, 11, 3.5);
  S.Layer(bezel, Metal(1, 23, 160, 64));
  S.Bevel(bezel, 1.6, {220, 222, 228}, {30, 30, 34});
  TShape lens = Box(24.5, 12, 19, 7.2, 2.5);
  if (On) {
    S.Layer(Grow(lens, 1.2), {255, 210, 90}, 0.6);
    S.Layer(lens, Radial({255, 246, 190}, 24.5, 11, {245, 150, 20}, 20));
  } else {
    S.Layer(lens, Radial({132, 96, 52}, 24.5, 11, {72, 50, 26}, 20));
  }
  S.Bevel(lens, 1.2, {40, 30, 20}, On ? TRgb{255, 240, 200} : TRgb{170, 150, 120}, 0.7);  // sunken
  S.Layer(Box(24.5, 7.2, 16, 1.3, 1.3), kWhite, On ? 0.55 : 0.25);  // the lens's shine
}

// ------------------------------------------------------------ drive bay ----

void DriveBay(TSketch& S, bool On, bool LampLeft) {
  TShape panel = Box(24, 8, 23.5, 7.5, 1.8);
  S.Layer(panel, Linear({232, 229, 220}, 0, 0.5, {178, 174, 164}, 0, 15.5));
  S.Bevel(panel, 1.2, kWhite, {120, 116, 108});
  S.Layer(Ring(panel, 0.4), {96, 92, 86});
  const double slot = LampLeft ? 28 : 20, lamp = LampLeft ? 6.5 : 41.5, knob = LampLeft ? 44 : 4;
  TShape gap = Box(slot, 7.5, 12.5, 1.4, 1);
  S.Layer(gap, {38, 38, 40});
  S.Bevel(gap, 0.8, {20, 20, 20}, {150, 146, 138});
  S.Layer(Box(knob, 11, 1.6, 1.3, 0.6), Linear({236, 234, 226}, 0, 9.5, {140, 136, 128}, 0, 12.5));
  TShape led = Box(lamp, 8, 3.6, 2.2, 1.1);
  S.Layer(Grow(led, 0.7), {60, 58, 54});
  if (On) {
    S.Layer(Grow(led, 2), {120, 255, 120}, 0.35);
    S.Layer(led, Radial({200, 255, 190}, lamp - 1, 7.5, {40, 220, 60}, 4));
  } else {
    S.Layer(led, Linear({40, 84, 44}, 0, 6, {22, 48, 26}, 0, 10));
  }
}

const TFamily family{{
    FourFrames("LEDREDGREEN", 14, 14, LedRedGreen),
    FourFrames("BEVELEDLED", 17, 17, BeveledLed),
    FourFrames("TRAFFICLGT", 31, 31, TrafficLight),
    FourFrames("BULB", 39, 49, Bulb),
    FourFrames("BUTLAMP", 49, 24, ButtonLamp),
    FourFrames("HDLEFT", 48, 16, [](TSketch& s, bool on) { DriveBay(s, on, true); }),
    FourFrames("HDRIGHT", 48, 16, [](TSketch& s, bool on) { DriveBay(s, on, false); }),
}};

}  // namespace
}  // namespace qel::art
