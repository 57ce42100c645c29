// Lines, polylines and polygons of the canvas.
#include <cmath>

#include "platform/graphics/detail/CanvasPaint.h"

namespace qel {

using namespace raster;

namespace raster {

// Wide pens are centred on the line through pixel centres; the small
// offset sends the extra pixel of an even width right and down, so a pen of
// width w covers exactly w pixels across.
constexpr double kCentre = 0.5 + 1.0 / 64;

bool Paint::From(TCanvas& Canvas, Paint& Out) {
  Out.surface = Canvas.Surface();
  Out.clip = Canvas.DeviceClip();
  if (!Out.surface || Out.clip.IsEmpty()) return false;
  Out.ox = Canvas.Origin().X;
  Out.oy = Canvas.Origin().Y;
  TPen& pen = *Canvas.Pen();
  TBrush& brush = *Canvas.Brush();
  Out.penOn = pen.GetStyle() != psClear;
  Out.penPixel = ColorToPixel(pen.GetColor());
  Out.mode = pen.GetMode();
  Out.width = pen.GetWidth();
  Out.insideFrame = pen.GetStyle() == psInsideFrame;
  Out.style = Out.width > 1 || pen.GetStyle() == psInsideFrame ? psSolid : pen.GetStyle();
  Out.brushOn = brush.GetStyle() == bsSolid;
  Out.brushPixel = ColorToPixel(brush.GetColor());
  return true;
}

namespace {

// One thin segment, end point left out. Gaps of a styled pen take the
// brush colour when the brush is solid (the opaque background mode).
void ThinSegment(const Paint& P, Point64 A, Point64 B, Dasher& Dash) {
  SpanWriter pen = P.PenWriter();
  int64_t length = std::max(std::abs(B.x - A.x), std::abs(B.y - A.y));
  if (Dash.Solid() && A.y == B.y) {
    if (B.x > A.x) pen.Span(A.x, B.x, A.y);
    else pen.Span(B.x + 1, A.x + 1, A.y);
  } else if (Dash.Solid() && A.x == B.x) {
    if (B.y > A.y) pen.Column(A.x, A.y, B.y);
    else pen.Column(A.x, B.y + 1, A.y + 1);
  } else if (Dash.Solid()) {
    WalkLine(A.x, A.y, B.x, B.y, P.clip, [&](int64_t x, int64_t y, int64_t) { pen.Pixel(x, y); });
  } else {
    SpanWriter gap = P.BrushWriter();
    WalkLine(A.x, A.y, B.x, B.y, P.clip, [&](int64_t x, int64_t y, int64_t step) {
      if (Dash.On(step)) pen.Pixel(x, y);
      else if (P.brushOn) gap.Pixel(x, y);
    });
  }
  Dash.Advance(length);
}

}  // namespace

void StrokePath(const Paint& P, std::span<const Point64> Points, bool Closed) {
  if (!P.penOn || Points.empty()) return;
  size_t n = Points.size(), segments = Closed && n >= 2 ? n : n - 1;
  if (P.Thin()) {
    Dasher dash(P.style);
    for (size_t i = 0; i < segments; ++i) ThinSegment(P, Points[i], Points[(i + 1) % n], dash);
    return;
  }
  SpanSet set(P.clip);
  double radius = P.width / 2.0;
  for (size_t i = 0; i < std::max<size_t>(segments, 1); ++i) {
    Point64 a = Points[i], b = Points[(i + 1) % n];
    AddCapsule(set, a.x + kCentre, a.y + kCentre, b.x + kCentre, b.y + kCentre, radius);
  }
  SpanWriter pen = P.PenWriter();
  set.Write(pen);
}

}  // namespace raster

namespace {

// The device points in a per-thread buffer that keeps its size between
// calls, so polygons allocate nothing once it has grown.
std::span<const Point64> ToDevice(const Paint& P, std::span<const TPoint> Points) {
  thread_local std::vector<Point64> out;
  out.clear();
  for (const TPoint& p : Points) out.push_back(P.Device(p.X, p.Y));
  return out;
}

// Even-odd fill. A vertex names a pixel, as the end of a line does, so each
// pixel is sampled at its own coordinates: the interior then meets the
// outline the pen draws through the same points, without leaking past a
// slanted edge or leaving a gap inside it. A sample on a left or top edge is
// inside, on a right or bottom one outside, so a rectangle still fills
// Left..Right-1. Each row's spans are disjoint: every pixel is written once.
// This one computes each crossing afresh; FillAlternate below walks the edges
// and is the one used, except for giant coordinates.
void FillAlternateByRows(const Paint& P, std::span<const Point64> V) {
  int64_t top = V[0].y, bottom = V[0].y;
  for (const Point64& p : V) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  top = std::max<int64_t>(top, P.clip.Top);
  bottom = std::min<int64_t>(bottom, P.clip.Bottom);
  SpanWriter brush = P.BrushWriter();
  thread_local std::vector<double> crossings;
  for (int64_t y = top; y < bottom; ++y) {
    double Y = double(y);
    crossings.clear();
    for (size_t i = 0; i < V.size(); ++i) {
      Point64 a = V[i], b = V[(i + 1) % V.size()];
      if ((a.y <= Y) == (b.y <= Y)) continue;
      crossings.push_back(a.x + (Y - a.y) * double(b.x - a.x) / double(b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      double from = std::ceil(crossings[i]), to = std::ceil(crossings[i + 1]);
      from = std::max(from, double(P.clip.Left));
      to = std::min(to, double(P.clip.Right));
      if (from < to) brush.Span(int64_t(from), int64_t(to), y);
    }
  }
}

// An edge crossing the rows Y0..Y1-1. Its crossing at row y starts the
// first pixel at or right of it at
// x + ceil(N / D); N grows by 2 dx a row, so the quotient Q and the
// remainder R (N = Q D - R, 0 <= R < D) step without a division.
struct ActiveEdge {
  int64_t y0, y1;
  int64_t q, r, d;
  int64_t wholeStep, partStep;  // 2 dx = wholeStep D + partStep, 0 <= partStep < D
  void Step() {
    q += wholeStep;
    r -= partStep;
    if (r < 0) ++q, r += d;
  }
};

int64_t FloorDiv(int64_t A, int64_t B) { return A / B - (A % B != 0 && (A < 0) != (B < 0)); }

// Where the exact walk and the floating-point rows agree to the pixel: their
// rounding errors stay far below the smallest distance of a crossing from a
// pixel boundary.
constexpr int64_t kWalkLimit = int64_t(1) << 20;

void FillAlternate(const Paint& P, std::span<const Point64> V) {
  bool small = true;
  for (const Point64& p : V) small = small && std::abs(p.x) < kWalkLimit && std::abs(p.y) < kWalkLimit;
  if (!small || ReferencePaths()) return FillAlternateByRows(P, V);
  int64_t top = V[0].y, bottom = V[0].y;
  for (const Point64& p : V) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  top = std::max<int64_t>(top, P.clip.Top);
  bottom = std::min<int64_t>(bottom, P.clip.Bottom);
  if (top >= bottom) return;
  thread_local std::vector<ActiveEdge> edges;
  thread_local std::vector<ActiveEdge*> active;
  edges.clear();
  active.clear();
  for (size_t i = 0; i < V.size(); ++i) {
    Point64 a = V[i], b = V[(i + 1) % V.size()];
    if (a.y == b.y) continue;
    if (a.y > b.y) std::swap(a, b);
    int64_t y0 = std::max(a.y, top), y1 = std::min(b.y, bottom);
    if (y0 >= y1) continue;
    int64_t dx = b.x - a.x, dy = b.y - a.y, d = 2 * dy;
    int64_t n = 2 * (y0 - a.y) * dx;  // the crossing, times D
    int64_t q = -FloorDiv(-n, d);
    int64_t whole = FloorDiv(2 * dx, d);
    edges.push_back({y0, y1, a.x + q, q * d - n, d, whole, 2 * dx - whole * d});
  }
  std::sort(edges.begin(), edges.end(), [](const ActiveEdge& e, const ActiveEdge& f) { return e.y0 < f.y0; });
  SpanWriter brush = P.BrushWriter();
  size_t pending = 0;
  for (int64_t y = top; y < bottom; ++y) {
    while (pending < edges.size() && edges[pending].y0 == y) active.push_back(&edges[pending++]);
    std::erase_if(active, [y](const ActiveEdge* e) { return e->y1 <= y; });
    // Insertion sort: the order changes little from row to row.
    for (size_t i = 1; i < active.size(); ++i)
      for (size_t j = i; j > 0 && active[j]->q < active[j - 1]->q; --j) std::swap(active[j], active[j - 1]);
    for (size_t i = 0; i + 1 < active.size(); i += 2) {
      int64_t from = std::max<int64_t>(active[i]->q, P.clip.Left), to = std::min<int64_t>(active[i + 1]->q, P.clip.Right);
      if (from < to) brush.Span(from, to, y);
    }
    for (ActiveEdge* e : active) e->Step();
    if (active.empty() && pending == edges.size()) break;
  }
}

}  // namespace

void TCanvas::MoveTo(int X, int Y) { penPos_ = {X, Y}; }

void TCanvas::LineTo(int X, int Y) {
  TPoint from = penPos_;
  penPos_ = {X, Y};
  Paint p;
  if (!Paint::From(*this, p)) return;
  Point64 path[] = {p.Device(from.X, from.Y), p.Device(X, Y)};
  StrokePath(p, path, false);
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
  Paint p;
  if (Points.size() < 2 || !Paint::From(*this, p)) return;
  std::span<const Point64> path = ToDevice(p, Points);
  StrokePath(p, path, false);
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
  Paint p;
  if (Points.size() < 2 || !Paint::From(*this, p)) return;
  std::span<const Point64> path = ToDevice(p, Points);
  if (p.brushOn) FillAlternate(p, path);
  StrokePath(p, path, true);
}

}  // namespace qel
