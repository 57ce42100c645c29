// The six pictures of the seven-segment display: SEGHORZ, SEGVERT, SEGDOT,
// SEGPLUS, SEGCOLON and SEGDEG, solid black on white.
//
// The digit is designed upright and then slanted: a point (u, y) of the
// upright digit lies at x = u + kSlant * (432 - y) in the 312 x 432 master
// raster, the slant the segment placements themselves follow (segment a
// sits 37 pixels right of g, which sits 37 right of d, 197 rows apart).
// Upright, the strokes run along the columns u = 12 and u = 219 and the rows
// y = 19, 216 and 413, 36 pixels thick. Segments end in points whose edges
// run at 45 degrees (upright) and leave kGap pixels between neighbours,
// measured across the slanted gap.
#include <cmath>
#include <numbers>
#include <vector>

#include "numeric/detail/SevenSegGlyphs.h"
#include "resources/art/PictureArt.h"

namespace qel::art {
namespace {

using sevenseg::kMasterHeight;
using sevenseg::kSegments;

constexpr double kSlant = 37.0 / 197.0;
constexpr double kLeft = 12, kRight = 219, kTop = 19, kMiddle = 216;
constexpr double kHalf = 18;  // half the stroke
constexpr double kGap = 8;

struct TUp {
  double U, Y;
};

// Keeps the points with A * u + B * y <= C.
struct THalfPlane {
  double A, B, C;
  double Side(TUp p) const { return A * p.U + B * p.Y - C; }
};

std::vector<TUp> Clip(const std::vector<TUp>& Poly, const THalfPlane& H) {
  std::vector<TUp> out;
  for (size_t i = 0; i < Poly.size(); ++i) {
    TUp a = Poly[i], b = Poly[(i + 1) % Poly.size()];
    double sa = H.Side(a), sb = H.Side(b);
    if (sa <= 0) out.push_back(a);
    if ((sa < 0 && sb > 0) || (sa > 0 && sb < 0)) {
      double t = sa / (sa - sb);
      out.push_back({a.U + t * (b.U - a.U), a.Y + t * (b.Y - a.Y)});
    }
  }
  return out;
}

// Offsets of the 45-degree cut lines from a corner of the skeleton that give
// a gap of kGap once slanted: lines u - y = c and u + y = c slant to
// different angles, so each kind needs its own offset.
const double kCutFall = kGap * std::sqrt(1 + (1 - kSlant) * (1 - kSlant)) / 2;  // u - y = c
const double kCutRise = kGap * std::sqrt(1 + (1 + kSlant) * (1 + kSlant)) / 2;  // u + y = c

// A bar between two skeleton corners, cut at both ends.
std::vector<TUp> HorizontalSegment(double Y) {
  std::vector<TUp> p{
      {kLeft - 40, Y - kHalf}, {kRight + 40, Y - kHalf}, {kRight + 40, Y + kHalf}, {kLeft - 40, Y + kHalf}};
  for (THalfPlane h : {THalfPlane{-1, 1, -(kLeft - Y) - kCutFall}, THalfPlane{-1, -1, -(kLeft + Y) - kCutRise},
                       THalfPlane{1, -1, (kRight - Y) - kCutFall}, THalfPlane{1, 1, (kRight + Y) - kCutRise}})
    p = Clip(p, h);
  return p;
}

std::vector<TUp> VerticalSegment(double U, double Top, double Bottom) {
  std::vector<TUp> p{{U - kHalf, Top - 40}, {U + kHalf, Top - 40}, {U + kHalf, Bottom + 40}, {U - kHalf, Bottom + 40}};
  for (THalfPlane h : {THalfPlane{1, -1, (U - Top) - kCutFall}, THalfPlane{-1, -1, -(U + Top) - kCutRise},
                       THalfPlane{-1, 1, -(U - Bottom) - kCutFall}, THalfPlane{1, 1, (U + Bottom) - kCutRise}})
    p = Clip(p, h);
  return p;
}

// A bar with pointed ends at the two tips (for the plus sign).
std::vector<TUp> Arm(TUp From, TUp To) {
  bool across = From.Y == To.Y;
  std::vector<TUp> p;
  if (across)
    p = {{From.U, From.Y - kHalf}, {To.U, To.Y - kHalf}, {To.U, To.Y + kHalf}, {From.U, From.Y + kHalf}};
  else
    p = {{From.U - kHalf, From.Y}, {From.U + kHalf, From.Y}, {To.U + kHalf, To.Y}, {To.U - kHalf, To.Y}};
  if (across) {
    for (THalfPlane h : {THalfPlane{-1, 1, -(From.U - From.Y)}, THalfPlane{-1, -1, -(From.U + From.Y)},
                         THalfPlane{1, -1, To.U - To.Y}, THalfPlane{1, 1, To.U + To.Y}})
      p = Clip(p, h);
  } else {
    for (THalfPlane h : {THalfPlane{1, -1, From.U - From.Y}, THalfPlane{-1, -1, -(From.U + From.Y)},
                         THalfPlane{-1, 1, -(To.U - To.Y)}, THalfPlane{1, 1, To.U + To.Y}})
      p = Clip(p, h);
  }
  return p;
}

// Fills an upright shape, slanted, in a picture placed at segment Index.
void FillUpright(TCanvas& C, int Index, const std::vector<TUp>& Shape) {
  const auto& at = kSegments[Index];
  std::vector<TPoint> pts;
  for (TUp p : Shape)
    pts.push_back({int(std::lround(p.U + kSlant * (kMasterHeight - p.Y) - at.X)), int(std::lround(p.Y - at.Y))});
  C.Pen()->SetStyle(psClear);
  C.Brush()->SetColor(clBlack);
  C.Polygon(pts);
}

// A round dot of 35 pixels across centred on (X, Y).
void Dot(TCanvas& C, int X, int Y) {
  C.Pen()->SetColor(clBlack);
  C.Brush()->SetColor(clBlack);
  C.Ellipse(X - 17, Y - 17, X + 18, Y + 18);
}

// A ring slanted like the digits, centred on (X, Y).
void SlantedDisc(TCanvas& C, double X, double Y, double R, TColor Color) {
  std::vector<TPoint> pts;
  for (int i = 0; i < 96; ++i) {
    double a = 2 * std::numbers::pi * i / 96, du = R * std::cos(a), dy = R * std::sin(a);
    pts.push_back({int(std::lround(X + du - kSlant * dy)), int(std::lround(Y + dy))});
  }
  C.Pen()->SetStyle(psClear);
  C.Brush()->SetColor(Color);
  C.Polygon(pts);
}

// Indexes into kSegments of the pictures' reference placements.
constexpr int kSegA = 0, kSegF = 1, kSegPlus = 8;

const TFamily family{{
    {"SEGHORZ", 200, 38, [](TCanvas& c) { FillUpright(c, kSegA, HorizontalSegment(kTop)); }},
    {"SEGVERT", 68, 190, [](TCanvas& c) { FillUpright(c, kSegF, VerticalSegment(kLeft, kTop, kMiddle)); }},
    {"SEGDOT", 38, 38, [](TCanvas& c) { Dot(c, 19, 19); }},
    {"SEGPLUS", 200, 190,
     [](TCanvas& c) {
       constexpr double cu = (kLeft + kRight) / 2, reach = 84;
       FillUpright(c, kSegPlus, Arm({cu - reach, kMiddle}, {cu + reach, kMiddle}));
       FillUpright(c, kSegPlus, Arm({cu, kMiddle - reach}, {cu, kMiddle + reach}));
     }},
    // The flood fill that colours the colon starts at (18, h - 18) and
    // (w - 18, 18): the centres of its two dots.
    {"SEGCOLON", 68, 190,
     [](TCanvas& c) {
       Dot(c, 18, 190 - 18);
       Dot(c, 68 - 18, 18);
     }},
    // The colouring fill starts at (25, h / 2), inside the ring's left side.
    {"SEGDEG", 160, 138,
     [](TCanvas& c) {
       SlantedDisc(c, 80, 69, 58, clBlack);
       SlantedDisc(c, 80, 69, 32, clWhite);
     }},
}};

}  // namespace
}  // namespace qel::art
