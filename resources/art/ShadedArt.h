// Shaded pictures for the on/off button: shapes given by signed distance
// functions (negative inside, in pixels) are filled with colour functions
// and laid over each other with soft edges, then written with the key
// colour 0xEBBEEB wherever nothing was drawn.
//
// A picture of the on/off button holds four frames in a 2 x 2 grid:
//   top left: on, enabled      top right: off, enabled
//   bottom left: on, disabled  bottom right: off, disabled
// Each family draws the enabled frames; the disabled ones are the same
// drawings greyed and flattened.
#pragma once
#include <functional>
#include <vector>

#include "resources/art/PictureArt.h"

namespace qel::art::shade {

constexpr TColor kKey = 0xEBBEEB;
// Half-covered edge pixels are mixed with the usual button face.
constexpr TColor kMatte = RGB(212, 208, 200);

struct TRgb {
  double R = 0, G = 0, B = 0;
};
TRgb Rgb(TColor C);
TRgb Mix(TRgb A, TRgb B, double T);  // A at 0, B at 1
TRgb Lighter(TRgb C, double T);      // towards white
TRgb Darker(TRgb C, double T);       // towards black

using TShape = std::function<double(double X, double Y)>;
using TFill = std::function<TRgb(double X, double Y)>;

// --- shapes ---
TShape Circle(double Cx, double Cy, double R);
TShape Ellipse(double Cx, double Cy, double Rx, double Ry);  // near-distance, fine for edges
// A box centred on (Cx, Cy) with half sizes Hw, Hh and rounded corners.
TShape Box(double Cx, double Cy, double Hw, double Hh, double Radius = 0);
// A stroke of half width R between two points, round ends.
TShape Capsule(double Ax, double Ay, double Bx, double By, double R);
TShape Polygon(std::vector<std::pair<double, double>> Points);
// A stroke of half width R along a polyline.
TShape Stroke(std::vector<std::pair<double, double>> Points, double R);
TShape Union(TShape A, TShape B);
TShape Intersect(TShape A, TShape B);
TShape Subtract(TShape A, TShape B);
TShape Ring(TShape A, double HalfWidth);  // a band along A's edge
TShape Grow(TShape A, double By);         // positive: larger
// The shape mirrored at the diagonal x = y (a vertical drawing made wide).
TShape Transposed(TShape A);

// --- fills ---
TFill Solid(TRgb C);
// From C0 at (X0, Y0) to C1 at (X1, Y1), constant across.
TFill Linear(TRgb C0, double X0, double Y0, TRgb C1, double X1, double Y1);
// From Centre at (Cx, Cy) to Edge at distance R.
TFill Radial(TRgb Centre, double Cx, double Cy, TRgb Edge, double R);
// A lit ball: Base lit from the top left, with a soft highlight.
TFill Ball(TRgb Base, double Cx, double Cy, double R);
TFill Transposed(TFill F);

// A frame being drawn: colour and coverage per pixel.
class TSketch {
 public:
  TSketch(int W, int H);
  int Width() const { return w_; }
  int Height() const { return h_; }
  // Lays Fill over what is there wherever Shape is inside.
  void Layer(const TShape& Shape, const TFill& Fill, double Opacity = 1.0);
  void Layer(const TShape& Shape, TRgb Colour, double Opacity = 1.0) { Layer(Shape, Solid(Colour), Opacity); }
  // A bevel: Light along the upper-left part of the band inside Shape's edge,
  // Dark along the lower-right part (swap them for a sunken edge).
  void Bevel(const TShape& Shape, double Width, TRgb Light, TRgb Dark, double Opacity = 0.8);
  // Writes the frame at (X, Y): the key colour where nothing is drawn,
  // greyed and flattened when Disabled.
  void Put(TCanvas& C, int X, int Y, bool Disabled) const;

 private:
  struct TPx {
    TRgb C;
    double A = 0;
  };
  int w_, h_;
  std::vector<TPx> px_;
};

// A frame's drawing for the on or the off state.
using TFrameArt = std::function<void(TSketch& S, bool On)>;

// A resource picture of four frames of W x H each, drawn by Art.
TPicture FourFrames(const char* Name, int W, int H, TFrameArt Art);

}  // namespace qel::art::shade
