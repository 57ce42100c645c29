// On/off button pictures of switches: CHECKBOX, RADIOBUT, the grey slide
// switches SLIDETOPBOT and SLIDELFTRGT and the coloured ones COLSLIDETB and
// COLSLIDELR. Slides are drawn wide (along x) and mirrored at the diagonal
// for the tall ones; on puts the knob at the top or at the right.
#include "resources/art/ShadedArt.h"

namespace qel::art {
namespace {

using namespace shade;

const TRgb kWhite{255, 255, 255}, kInk{40, 44, 52};

void CheckBox(TSketch& S, bool On) {
  TShape box = Box(8, 8, 6.5, 6.5, 1.2);
  S.Layer(box, Linear({222, 224, 228}, 2, 2, kWhite, 12, 12));
  S.Bevel(box, 1.4, {120, 122, 128}, {250, 250, 250}, 0.9);  // sunken
  S.Layer(Ring(box, 0.45), {88, 92, 100});
  if (On)
    S.Layer(Stroke({{4.4, 8.2}, {7.0, 10.9}, {11.8, 4.8}}, 1.25), Linear({40, 150, 60}, 4, 4, {10, 90, 30}, 12, 12));
}

void RadioButton(TSketch& S, bool On) {
  TShape disc = Circle(7, 7, 5.7);
  S.Layer(disc, Radial(kWhite, 8, 8, {214, 216, 222}, 6));
  S.Bevel(disc, 1.4, {120, 122, 128}, {250, 250, 250}, 0.9);
  S.Layer(Ring(disc, 0.45), {88, 92, 100});
  if (On) S.Layer(Circle(7, 7, 2.6), Ball({30, 60, 120}, 7, 7, 2.6));
}

// Mirrors a wide drawing for the tall pictures.
struct TOrient {
  bool Tall;
  TShape operator()(TShape S) const { return Tall ? Transposed(std::move(S)) : S; }
  TFill operator()(TFill F) const { return Tall ? Transposed(std::move(F)) : F; }
};

// The knob's centre along the slide: at the top when tall, at the right when
// wide, for on.
double KnobAt(bool On, bool Tall, double Near, double Far) { return On == Tall ? Near : Far; }

// A grey switch: a metal plate with a dark slot and a ribbed knob.
void GreySlide(TSketch& S, bool On, bool Tall) {
  TOrient o{Tall};
  TShape plate = o(Box(15, 9, 14, 7.5, 2.5));
  S.Layer(plate, o(Linear({226, 228, 232}, 15, 1, {168, 170, 176}, 15, 17)));
  S.Bevel(plate, 1.3, kWhite, {110, 112, 118});
  S.Layer(Ring(plate, 0.45), {96, 98, 104});
  TShape slot = o(Box(15, 9, 10.5, 2.3, 2));
  S.Layer(slot, {52, 54, 60});
  S.Bevel(slot, 1, {30, 30, 34}, {140, 142, 148});
  const double k = KnobAt(On, Tall, 9.5, 20.5);
  TShape knob = o(Box(k, 9, 4.6, 6, 1.6));
  S.Layer(o(Box(k + 0.8, 9.8, 4.6, 6, 1.6)), {60, 60, 60}, 0.35);  // shadow
  S.Layer(knob, o(Linear({246, 246, 248}, k, 3, {150, 152, 158}, k, 15)));
  S.Bevel(knob, 1.2, kWhite, {96, 98, 104});
  S.Layer(Ring(knob, 0.4), {70, 72, 78});
  for (double dx : {-2.0, 0.0, 2.0}) S.Layer(o(Box(k + dx, 9, 0.35, 3.6)), {110, 112, 118});
}

// A coloured switch: a rounded track, green when on and red when off, with
// a white ball that sits at the on or the off end.
void ColourSlide(TSketch& S, bool On, bool Tall) {
  TOrient o{Tall};
  const TRgb base = On ? TRgb{52, 184, 72} : TRgb{214, 58, 48};
  TShape track = o(Box(15, 9, 14, 7, 7));
  S.Layer(track, o(Linear(Darker(base, 0.25), 15, 2, Lighter(base, 0.2), 15, 16)));
  S.Bevel(track, 1.6, Darker(base, 0.55), Lighter(base, 0.45), 0.8);  // sunken
  S.Layer(Ring(track, 0.45), Darker(base, 0.6));
  const double k = KnobAt(On, Tall, 8.5, 21.5);
  S.Layer(o(Circle(k + 0.7, 9.8, 6)), {20, 20, 20}, 0.3);
  TShape knob = o(Circle(k, 9, 5.6));
  S.Layer(knob, o(Ball({232, 234, 238}, k, 9, 5.6)));
  S.Layer(Ring(knob, 0.4), {90, 92, 98});
}

const TFamily family{{
    FourFrames("CHECKBOX", 16, 16, CheckBox),
    FourFrames("RADIOBUT", 14, 14, RadioButton),
    FourFrames("SLIDETOPBOT", 18, 30, [](TSketch& s, bool on) { GreySlide(s, on, true); }),
    FourFrames("SLIDELFTRGT", 30, 18, [](TSketch& s, bool on) { GreySlide(s, on, false); }),
    FourFrames("COLSLIDETB", 18, 30, [](TSketch& s, bool on) { ColourSlide(s, on, true); }),
    FourFrames("COLSLIDELR", 30, 18, [](TSketch& s, bool on) { ColourSlide(s, on, false); }),
}};

}  // namespace
}  // namespace qel::art
