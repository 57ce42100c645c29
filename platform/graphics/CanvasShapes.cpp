// Rectangles, ellipses, arcs, pies and chords of the canvas.
#include <climits>
#include <cmath>
#include <numbers>

#include "platform/graphics/detail/ArcRows.h"
#include "platform/graphics/detail/CanvasPaint.h"

namespace qel {

using namespace raster;

namespace {

struct Box {
  int64_t left, top, right, bottom;
};

// The box in surface coordinates with swapped corners put in order.
Box DeviceBox(const Paint& P, int X1, int Y1, int X2, int Y2) {
  Point64 a = P.Device(std::min(X1, X2), std::min(Y1, Y2)), b = P.Device(std::max(X1, X2), std::max(Y1, Y2));
  return {a.x, a.y, b.x, b.y};
}

struct Piece {
  int64_t x0 = 0, x1 = -1;  // inclusive; empty when x1 < x0
  bool Empty() const { return x1 < x0; }
};

// An ellipse-based shape row by row: the pen's ring and the inside. A thin
// pen takes the pixels of the filled ellipse that touch the outside
// (4-neighbourhood); a wide one the band between two ellipses around the
// one-pixel outline, or inside the box for psInsideFrame.
class EllipseRing {
 public:
  EllipseRing(const Paint& P, const Box& B) : outer_(Outer(P, B)), inner_(Inner(P, B)) {
    thin_ = P.penOn && P.Thin();
    noPen_ = !P.penOn;
  }
  int64_t Top() const { return outer_.Top(); }
  int64_t Bottom() const { return outer_.Bottom(); }

  // False when row Y has no pixels.
  bool Row(int64_t Y, Piece Pen[2], Piece& Inside) const {
    Piece all;
    Pen[0] = Pen[1] = Inside = Piece{};
    if (!outer_.Row(Y, all.x0, all.x1)) return false;
    if (noPen_) {
      Inside = all;
      return true;
    }
    if (thin_) {
      Piece above, below;
      if (outer_.Row(Y - 1, above.x0, above.x1) && outer_.Row(Y + 1, below.x0, below.x1))
        Inside = {std::max({all.x0 + 1, above.x0, below.x0}), std::min({all.x1 - 1, above.x1, below.x1})};
    } else {
      inner_.Row(Y, Inside.x0, Inside.x1);
    }
    if (Inside.Empty()) {
      Pen[0] = all;
    } else {
      Pen[0] = {all.x0, Inside.x0 - 1};
      Pen[1] = {Inside.x1 + 1, all.x1};
    }
    return true;
  }

 private:
  static EllipseRows Outer(const Paint& P, const Box& B) {
    if (!P.penOn) return {B.left, B.top, B.right - 1, B.bottom - 1};  // no pen: one pixel smaller
    if (P.Thin() || P.insideFrame) return {B.left, B.top, B.right, B.bottom};
    int64_t before = (P.width - 1) / 2, after = P.width - 1 - before;
    return {B.left - before, B.top - before, B.right + after, B.bottom + after};
  }
  static EllipseRows Inner(const Paint& P, const Box& B) {
    if (!P.penOn || P.Thin()) return {0, 0, 0, 0};
    int64_t before = P.insideFrame ? 0 : (P.width - 1) / 2, after = P.insideFrame ? 0 : P.width - 1 - before;
    int64_t w = P.width;
    return {B.left - before + w, B.top - before + w, B.right + after - w, B.bottom + after - w};
  }

  EllipseRows outer_, inner_;
  bool thin_ = true, noPen_ = false;
};

// Arc length position of a pixel on the outline, for pen styles.
int64_t OutlineStep(const Sweep& S, const Box& B, int64_t X, int64_t Y) {
  double a = (B.right - B.left) / 2.0, b = (B.bottom - B.top) / 2.0;
  double perimeter = std::numbers::pi * (3 * (a + b) - std::sqrt((3 * a + b) * (a + 3 * b)));
  double angle = std::fmod(S.AngleOf(X + 0.5, Y + 0.5) - S.start + 2 * kTwoPi, kTwoPi);
  return int64_t(angle / kTwoPi * perimeter);
}

// The pixel where the radial at Angle meets the one-pixel outline.
Point64 OutlinePoint(const Box& B, double CX, double CY, double Angle) {
  double a = (B.right - B.left - 1) / 2.0, b = (B.bottom - B.top - 1) / 2.0;
  double c = std::cos(Angle), s = std::sin(Angle);
  double r = a > 0 && b > 0 ? 1 / std::sqrt(c * c / (a * a) + s * s / (b * b)) : 0;
  return {int64_t(std::floor(CX + r * c)), int64_t(std::floor(CY - r * s))};
}

// Adds a straight pen line between two pixels, both included.
void AddLine(const Paint& P, SpanSet& Set, Point64 A, Point64 B) {
  if (P.Thin()) {
    WalkLine(A.x, A.y, B.x, B.y, P.clip, [&](int64_t x, int64_t y, int64_t) { Set.Add(x, x + 1, y); });
    Set.Add(B.x, B.x + 1, B.y);
  } else {
    double c = 0.5 + 1.0 / 64;
    AddCapsule(Set, A.x + c, A.y + c, B.x + c, B.y + c, P.width / 2.0);
  }
}

enum class ArcKind { Arc, Pie, Chord };

void DrawArcShape(const Paint& P, ArcKind Kind, const Box& B, Point64 Start, Point64 End) {
  if (B.right <= B.left || B.bottom <= B.top) return;
  EllipseRing ring(P, B);
  Sweep sweep;
  sweep.cx = (B.left + B.right) / 2.0;
  sweep.cy = (B.top + B.bottom) / 2.0;
  sweep.start = sweep.AngleOf(Start.x + 0.5, Start.y + 0.5);
  double end = sweep.AngleOf(End.x + 0.5, End.y + 0.5);
  sweep.extent = std::fmod(end - sweep.start + 2 * kTwoPi, kTwoPi);
  if (sweep.extent == 0) sweep.extent = kTwoPi;  // one radial twice: the whole ellipse
  sweep.SetRadials();

  Point64 from = OutlinePoint(B, sweep.cx, sweep.cy, sweep.start), to = OutlinePoint(B, sweep.cx, sweep.cy, end);
  // Chord fill: the side of the line from..to that holds the arc.
  double chordX = double(to.x - from.x), chordY = double(to.y - from.y);
  auto inChord = [&](int64_t x, int64_t y) {
    if (chordX == 0 && chordY == 0) return sweep.Contains(x, y);
    return chordX * (y - from.y) - chordY * (x - from.x) >= 0;
  };
  bool fill = Kind != ArcKind::Arc && P.brushOn;
  Dasher dash(P.style);
  SpanSet pen(P.clip), gaps(P.clip);
  SpanWriter brush = P.BrushWriter();
  int64_t top = std::max<int64_t>(ring.Top(), P.clip.Top), bottom = std::min<int64_t>(ring.Bottom(), P.clip.Bottom);
  const bool reference = ReferencePaths();
  const bool solidPen = dash.Solid();
  for (int64_t y = top; y < bottom; ++y) {
    Piece pieces[2], inside;
    if (!ring.Row(y, pieces, inside)) continue;
    // The row's pixels, within the clip, where the sweep may change.
    int64_t rowLo = INT64_MAX, rowHi = INT64_MIN;
    for (const Piece& piece : {pieces[0], pieces[1], inside})
      if (!piece.Empty()) rowLo = std::min(rowLo, piece.x0), rowHi = std::max(rowHi, piece.x1);
    RowSplit split(std::max<int64_t>(rowLo, P.clip.Left), std::min<int64_t>(rowHi, P.clip.Right - 1));
    if (!reference) split.AddRadials(sweep, y);
    auto inSweep = [&](int64_t x) { return sweep.Contains(x, y); };
    for (const Piece& piece : pieces) {
      int64_t x0 = std::max<int64_t>(piece.x0, P.clip.Left), x1 = std::min<int64_t>(piece.x1, P.clip.Right - 1);
      if (solidPen && !reference) {
        split.Runs(x0, x1, inSweep, [&](int64_t a, int64_t b) { pen.Add(a, b, y); });
        continue;
      }
      for (int64_t x = x0; x <= x1; ++x)
        if (sweep.Contains(x, y)) (dash.Solid() || dash.On(OutlineStep(sweep, B, x, y)) ? pen : gaps).Add(x, x + 1, y);
    }
    if (!fill || inside.Empty()) continue;
    int64_t first = std::max<int64_t>(inside.x0, P.clip.Left), last = std::min<int64_t>(inside.x1, P.clip.Right - 1);
    auto in = [&](int64_t x) { return Kind == ArcKind::Pie ? sweep.Contains(x, y) : inChord(x, y); };
    if (!reference) {
      auto fillRun = [&](int64_t a, int64_t b) { brush.Span(a, b, y); };
      if (Kind == ArcKind::Pie || (chordX == 0 && chordY == 0)) {
        split.Runs(first, last, inSweep, fillRun);
      } else {
        RowSplit side(first, last);
        side.AddLineCrossing(chordX * (y - from.y), chordY, from.x);
        side.Runs(first, last, in, fillRun);
      }
      continue;
    }
    int64_t runStart = -1;
    for (int64_t x = first; x <= last + 1; ++x) {
      bool inRun = x <= last && in(x);
      if (inRun && runStart < 0) runStart = x;
      if (!inRun && runStart >= 0) brush.Span(runStart, x, y), runStart = -1;
    }
  }
  if (P.penOn && Kind == ArcKind::Pie && sweep.extent < kTwoPi) {
    Point64 centre{int64_t(std::floor(sweep.cx)), int64_t(std::floor(sweep.cy))};
    AddLine(P, pen, centre, from);
    AddLine(P, pen, centre, to);
  } else if (P.penOn && Kind == ArcKind::Chord && sweep.extent < kTwoPi) {
    AddLine(P, pen, from, to);
  }
  if (!P.penOn) return;
  SpanWriter penWriter = P.PenWriter();
  pen.Write(penWriter);
  if (P.brushOn) gaps.Write(brush);
}

}  // namespace

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Paint p;
  if (!Paint::From(*this, p)) return;
  Box b = DeviceBox(p, X1, Y1, X2, Y2);
  if (b.right <= b.left || b.bottom <= b.top) return;
  SpanWriter brush = p.BrushWriter(), pen = p.PenWriter();
  if (!p.penOn) {  // no pen: the brush alone, one pixel smaller, as the platform does
    if (p.brushOn)
      for (int64_t y = std::max<int64_t>(b.top, p.clip.Top); y < std::min<int64_t>(b.bottom - 1, p.clip.Bottom); ++y)
        brush.Span(b.left, b.right - 1, y);
    return;
  }
  const TRect& clip = p.clip;
  if (!ReferencePaths() && p.Thin() && p.style == psSolid && p.mode == pmCopy && b.left >= clip.Left && b.right <= clip.Right &&
      b.top >= clip.Top && b.bottom <= clip.Bottom) {
    // The common small case: a one-pixel frame wholly visible, written row by row.
    size_t width = size_t(b.right - b.left);
    for (int64_t y = b.top; y < b.bottom; ++y) {
      uint32_t* row = p.surface->ScanLine(int(y)) + b.left;
      if (y == b.top || y == b.bottom - 1 || width <= 2) {
        FillPixels(row, width, p.penPixel);
        continue;
      }
      row[0] = row[width - 1] = p.penPixel;
      if (p.brushOn) FillPixels(row + 1, width - 2, p.brushPixel);
    }
    return;
  }
  // Pen extent across each edge: [x - before, x + after] around the edge pixel.
  int64_t before = 0, after = 0;
  if (p.insideFrame) after = p.width - 1;
  else if (!p.Thin()) before = (p.width - 1) / 2, after = p.width / 2;
  // Inside frame: the pen's outer edge on the box, corners square.
  bool square = p.Thin() || p.insideFrame;
  int64_t inL = b.left + after + 1, inR = b.right - 1 - (p.insideFrame ? after : before),
          inT = b.top + after + 1, inB = b.bottom - 1 - (p.insideFrame ? after : before);
  int64_t top = std::max<int64_t>(b.top - before, p.clip.Top), bottom = std::min<int64_t>(b.bottom + after, p.clip.Bottom);
  if (p.brushOn)
    for (int64_t y = std::max(top, inT); y < std::min(bottom, inB); ++y) brush.Span(inL, inR, y);
  if (square && p.style == psSolid) {
    int64_t outerB = b.bottom + (p.insideFrame ? 0 : after);
    for (int64_t y = top; y < std::min(bottom, outerB); ++y) {
      if (y < inT || y >= inB || inL >= inR) {
        pen.Span(b.left, b.right, y);
      } else {
        pen.Span(b.left, inL, y);
        pen.Span(inR, b.right, y);
      }
    }
    return;
  }
  Point64 path[] = {{b.left, b.top}, {b.right - 1, b.top}, {b.right - 1, b.bottom - 1}, {b.left, b.bottom - 1}};
  StrokePath(p, path, true);
}

void TCanvas::FrameRect(const TRect& R) {
  Paint p;
  if (!Paint::From(*this, p) || !p.brushOn || R.IsEmpty()) return;
  Box b = DeviceBox(p, R.Left, R.Top, R.Right, R.Bottom);
  SpanWriter brush(*p.surface, p.clip, p.brushPixel, pmCopy);
  brush.Span(b.left, b.right, b.top);
  if (b.bottom - 1 > b.top) brush.Span(b.left, b.right, b.bottom - 1);
  brush.Column(b.left, b.top + 1, b.bottom - 1);
  if (b.right - 1 > b.left) brush.Column(b.right - 1, b.top + 1, b.bottom - 1);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Paint p;
  if (!Paint::From(*this, p)) return;
  Box b = DeviceBox(p, X1, Y1, X2, Y2);
  if (b.right <= b.left || b.bottom <= b.top) return;
  if (p.style != psSolid && p.penOn) {  // styled outlines go round like an arc
    Point64 start{b.right, (b.top + b.bottom) / 2};
    DrawArcShape(p, ArcKind::Pie, b, start, start);
    return;
  }
  EllipseRing ring(p, b);
  SpanWriter brush = p.BrushWriter(), pen = p.PenWriter();
  int64_t top = std::max<int64_t>(ring.Top(), p.clip.Top), bottom = std::min<int64_t>(ring.Bottom(), p.clip.Bottom);
  for (int64_t y = top; y < bottom; ++y) {
    Piece pieces[2], inside;
    if (!ring.Row(y, pieces, inside)) continue;
    if (p.brushOn && !inside.Empty()) brush.Span(inside.x0, inside.x1 + 1, y);
    if (!p.penOn) continue;
    for (const Piece& piece : pieces)
      if (!piece.Empty()) pen.Span(piece.x0, piece.x1 + 1, y);
  }
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Paint p;
  if (!Paint::From(*this, p) || !p.penOn) return;
  DrawArcShape(p, ArcKind::Arc, DeviceBox(p, X1, Y1, X2, Y2), p.Device(X3, Y3), p.Device(X4, Y4));
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Paint p;
  if (!Paint::From(*this, p)) return;
  DrawArcShape(p, ArcKind::Pie, DeviceBox(p, X1, Y1, X2, Y2), p.Device(X3, Y3), p.Device(X4, Y4));
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Paint p;
  if (!Paint::From(*this, p)) return;
  DrawArcShape(p, ArcKind::Chord, DeviceBox(p, X1, Y1, X2, Y2), p.Device(X3, Y3), p.Device(X4, Y4));
}

}  // namespace qel
