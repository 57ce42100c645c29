// On/off button pictures of symbols: the arrows ARROWTR, ARROWUD and
// ARROWLR on a round button (the first direction of the name is on: up,
// up, left; the second off: right, down, right; green on, red off), the
// smileys SMILEYS (yellow) and SMILEYRG (green and happy on, red and sad
// off), and USER1 to USER5: a power button, a padlock (locked on), a
// loudspeaker (sounding on, muted off), a star (gold on, outlined off) and a toggle lever
// (up on).
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "resources/art/ShadedArt.h"

namespace qel::art {
namespace {

using namespace shade;
using TPoints = std::vector<std::pair<double, double>>;

const TRgb kWhite{255, 255, 255};
constexpr double kPi = std::numbers::pi;

// Points on a circle arc, angles in degrees clockwise from the x axis
// (y grows downwards).
TPoints Arc(double Cx, double Cy, double R, double From, double To, int Steps = 16) {
  TPoints p;
  for (int i = 0; i <= Steps; ++i) {
    double a = (From + (To - From) * i / Steps) * kPi / 180;
    p.push_back({Cx + R * std::cos(a), Cy + R * std::sin(a)});
  }
  return p;
}

// A round raised button face.
void RoundFace(TSketch& S, double C, double R, TRgb Top, TRgb Bottom) {
  TShape face = Circle(C, C, R);
  S.Layer(Circle(C + 0.6, C + 0.8, R), {40, 40, 40}, 0.3);
  S.Layer(face, Linear(Top, 0, C - R, Bottom, 0, C + R));
  S.Bevel(face, 1.4, kWhite, Darker(Bottom, 0.35));
  S.Layer(Ring(face, 0.45), Darker(Bottom, 0.45));
}

// ------------------------------------------------------------- arrows ----

// An arrow through the centre of a 25 x 25 frame pointing at Degrees
// (0 right, 90 down, 180 left, 270 up).
TShape Arrow(double Degrees) {
  const TPoints up{{12.5, 4}, {20, 11.5}, {15.4, 11.5}, {15.4, 20.5}, {9.6, 20.5}, {9.6, 11.5}, {5, 11.5}};
  const double a = (Degrees - 270) * kPi / 180, c = std::cos(a), s = std::sin(a);
  TPoints turned;
  for (auto [x, y] : up) turned.push_back({12.5 + (x - 12.5) * c - (y - 12.5) * s, 12.5 + (x - 12.5) * s + (y - 12.5) * c});
  return Polygon(turned);
}

TFrameArt ArrowButton(double OnDegrees, double OffDegrees) {
  return [=](TSketch& S, bool On) {
    RoundFace(S, 12.5, 11.6, {246, 246, 248}, {186, 188, 196});
    const TRgb base = On ? TRgb{46, 170, 70} : TRgb{210, 52, 40};
    TShape arrow = Arrow(On ? OnDegrees : OffDegrees);
    S.Layer(Grow(arrow, 0.7), Darker(base, 0.55));
    S.Layer(arrow, Linear(Lighter(base, 0.3), 5, 5, Darker(base, 0.15), 20, 20));
  };
}

// ------------------------------------------------------------ smileys ----

TFrameArt Smiley(TRgb OnFace, TRgb OffFace) {
  return [=](TSketch& S, bool On) {
    const TRgb face = On ? OnFace : OffFace;
    TShape head = Circle(9, 9, 7.9);
    S.Layer(head, Radial(Lighter(face, 0.45), 6.5, 6, Darker(face, 0.22), 10.5));
    S.Layer(Ring(head, 0.45), Darker(face, 0.55));
    const TRgb ink = Darker(face, 0.78);
    S.Layer(Ellipse(6.4, 6.8, 1.15, 1.7), ink);
    S.Layer(Ellipse(11.6, 6.8, 1.15, 1.7), ink);
    if (On) S.Layer(Stroke(Arc(9, 9.2, 4.6, 25, 155), 0.8), ink);   // a smile
    else S.Layer(Stroke(Arc(9, 16.2, 4.4, 215, 325), 0.8), ink);    // a frown
  };
}

// --------------------------------------------------------- user pictures ----

// On, the symbol glows green; off, it is an unlit groove in the face, so
// that the two differ in lightness too and stay apart when greyed.
TShape PowerSymbol(double Dy) {
  return Union(Stroke(Arc(12, 12.8 + Dy, 5.4, -58, 238, 24), 1.15), Capsule(12, 5 + Dy, 12, 11.2 + Dy, 1.15));
}

void PowerButton(TSketch& S, bool On) {
  RoundFace(S, 12, 11, {96, 100, 108}, {40, 42, 46});
  if (On) {
    const TRgb glow{70, 235, 100};
    S.Layer(Grow(PowerSymbol(0), 1.3), glow, 0.35);
    S.Layer(PowerSymbol(0), glow);
  } else {
    S.Layer(PowerSymbol(0.7), {150, 154, 164}, 0.55);  // the groove's lit lower lip
    S.Layer(PowerSymbol(0), {22, 23, 26});
  }
}

void Padlock(TSketch& S, bool On) {
  // Locked: both legs of the shackle in the body; open: lifted, the left leg out.
  const double top = On ? 7.8 : 4.6;
  TPoints shackle{{7.6, On ? 11.5 : 7.2}};
  for (auto p : Arc(12, top, 4.4, 180, 360)) shackle.push_back(p);
  shackle.push_back({16.4, 11.5});
  TShape bar = Stroke(shackle, 1.3);
  S.Layer(bar, Linear({236, 238, 242}, 6, 0, {120, 122, 130}, 18, 0));
  S.Layer(Ring(bar, 0.35), {80, 82, 88});
  TShape body = Box(12, 16, 7.6, 6.2, 1.6);
  S.Layer(body, Linear({250, 212, 96}, 0, 10, {184, 128, 28}, 0, 22));
  S.Bevel(body, 1.2, {255, 240, 180}, {130, 86, 10});
  S.Layer(Ring(body, 0.4), {110, 74, 10});
  S.Layer(Union(Circle(12, 15, 1.5), Box(12, 17.6, 0.7, 2, 0.3)), {60, 40, 8});
}

void Speaker(TSketch& S, bool On) {
  TShape cone = Polygon({{3.5, 9}, {8, 9}, {13, 4.5}, {13, 19.5}, {8, 15}, {3.5, 15}});
  S.Layer(cone, Linear({150, 154, 162}, 0, 4, {56, 58, 64}, 0, 20));
  S.Layer(Ring(cone, 0.4), {36, 38, 42});
  if (On) {
    const TRgb wave{40, 112, 224};
    S.Layer(Stroke(Arc(13, 12, 4.2, -50, 50), 0.9), wave);
    S.Layer(Stroke(Arc(13, 12, 7.8, -50, 50), 0.9), wave);
  } else {
    const TRgb cross{220, 40, 36};
    S.Layer(Capsule(15.5, 8.5, 21, 15.5, 1.1), cross);
    S.Layer(Capsule(15.5, 15.5, 21, 8.5, 1.1), cross);
  }
}

void Star(TSketch& S, bool On) {
  TPoints p;
  for (int i = 0; i < 10; ++i) {
    double a = -kPi / 2 + i * kPi / 5, r = i % 2 ? 4.4 : 10.6;
    p.push_back({12 + r * std::cos(a), 12.8 + r * std::sin(a)});
  }
  TShape star = Polygon(p);
  if (On) {
    S.Layer(Grow(star, 1), {255, 230, 120}, 0.4);
    S.Layer(star, Radial({255, 244, 150}, 10.5, 10, {236, 160, 16}, 11));
    S.Layer(Ring(star, 0.45), {170, 100, 0});
  } else {  // an outline only, as an unmarked favourite: apart from on in any colouring
    S.Layer(Ring(star, 1.1), Linear({150, 152, 160}, 0, 2, {96, 98, 106}, 0, 22));
  }
}

// A chrome lever on a dark plate, with a lamp at the top that is lit when on.
void ToggleLever(TSketch& S, bool On) {
  TShape plate = Box(12, 12, 8.5, 11, 2);
  S.Layer(plate, Linear({92, 96, 104}, 0, 1, {36, 38, 42}, 0, 23));
  S.Bevel(plate, 1.2, {150, 154, 164}, {20, 20, 24});
  TShape nut = Circle(12, 13.5, 4.4);
  S.Layer(nut, Radial({210, 212, 218}, 10.5, 12, {96, 98, 106}, 5.5));
  S.Layer(Ring(nut, 0.4), {30, 30, 34});
  const double tip = On ? 5.2 : 19.8;
  TShape lever = Capsule(12, 13.5, 12, tip, 1.5);
  S.Layer(Capsule(12.8, 14.3, 12.8, tip + 0.8, 1.7), {0, 0, 0}, 0.35);
  S.Layer(lever, Linear({255, 255, 255}, 10.5, 0, {120, 122, 130}, 13.5, 0));
  S.Layer(Ring(lever, 0.3), {40, 40, 44});
  S.Layer(Circle(12, tip, 2.6), Ball({226, 228, 234}, 12, tip, 2.6));
  S.Layer(Ring(Circle(12, tip, 2.6), 0.3), {40, 40, 44});
  TShape lamp = Circle(18, 3.8, 1.6);
  if (On) S.Layer(Grow(lamp, 1), {120, 255, 120}, 0.4);
  S.Layer(lamp, On ? Ball({70, 235, 90}, 18, 3.8, 1.6) : Ball({40, 64, 44}, 18, 3.8, 1.6));
}

const TFamily family{{
    FourFrames("ARROWTR", 25, 25, ArrowButton(270, 0)),
    FourFrames("ARROWUD", 25, 25, ArrowButton(270, 90)),
    FourFrames("ARROWLR", 25, 25, ArrowButton(180, 0)),
    FourFrames("SMILEYS", 18, 18, Smiley({255, 212, 30}, {255, 212, 30})),
    FourFrames("SMILEYRG", 18, 18, Smiley({90, 200, 60}, {228, 70, 50})),
    FourFrames("USER1", 24, 24, PowerButton),
    FourFrames("USER2", 24, 24, Padlock),
    FourFrames("USER3", 24, 24, Speaker),
    FourFrames("USER4", 24, 24, Star),
    FourFrames("USER5", 24, 24, ToggleLever),
}};

}  // namespace
}  // namespace qel::art
