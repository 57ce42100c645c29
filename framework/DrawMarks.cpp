// The 52 marker symbols: outlines, open shapes (pen outline, brush inside),
// filled shapes (the pen colour inside) and composite symbols built from them.
#include <cmath>
#include <initializer_list>
#include <vector>

#include "framework/QEL_Base.h"

namespace qel {
namespace {

constexpr int H = 4;  // half-size: symbols are 2 * H + 1 pixels across

struct Marker {
  TCanvas* c;
  int x, y;

  void Dot() const { c->SetPixels(x, y, c->Pen()->GetColor()); }
  void BigDot() const {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) c->SetPixels(x + dx, y + dy, c->Pen()->GetColor());
  }
  // Both ends included.
  void Line(int x1, int y1, int x2, int y2) const {
    c->MoveTo(x + x1, y + y1);
    c->LineTo(x + x2, y + y2);
    c->SetPixels(x + x2, y + y2, c->Pen()->GetColor());
  }
  void Plus(int h = H) const { Line(-h, 0, h, 0); Line(0, -h, 0, h); }
  void Cross(int h = H) const { Line(-h, -h, h, h); Line(h, -h, -h, h); }

  // Runs Draw with the brush in the pen colour when Filled, restoring it.
  template <typename F>
  void Shape(bool filled, F draw) const {
    if (!filled) { draw(); return; }
    TBrush saved;
    saved.Assign(c->Brush());
    c->Brush()->SetColor(c->Pen()->GetColor());
    c->Brush()->SetStyle(bsSolid);
    draw();
    c->Brush()->Assign(&saved);
  }
  void Square(bool filled, int h = H) const {
    Shape(filled, [&] { c->Rectangle(x - h, y - h, x + h + 1, y + h + 1); });
  }
  void Circle(bool filled, int h = H) const {
    Shape(filled, [&] { c->Ellipse(x - h, y - h, x + h + 1, y + h + 1); });
  }
  void Poly(bool filled, std::initializer_list<TPoint> offsets) const {
    std::vector<TPoint> pts;
    for (TPoint p : offsets) pts.push_back({x + p.X, y + p.Y});
    Shape(filled, [&] { c->Polygon(pts); });
  }
  void Star5(bool filled) const {
    std::vector<TPoint> pts;
    for (int i = 0; i < 10; ++i) {
      const double r = i % 2 ? 2.0 : 4.4, a = -M_PI / 2 + i * M_PI / 5;
      pts.push_back({x + int(std::lround(r * std::cos(a))), y + int(std::lround(r * std::sin(a)))});
    }
    Shape(filled, [&] { c->Polygon(pts); });
  }
  void HalfFill() const {  // the upper half of a square in the pen colour
    for (int dy = -H; dy <= 0; ++dy) Line(-H, dy, H, dy);
  }
};

void DrawOpenOrFilled(const Marker& m, int shape, bool f) {
  switch (shape) {
    case 0: m.Square(f); break;
    case 1: m.Circle(f); break;
    case 2: m.Poly(f, {{0, -H}, {H, H}, {-H, H}}); break;             // triangle up
    case 3: m.Poly(f, {{-H, -H}, {H, -H}, {0, H}}); break;            // triangle down
    case 4: m.Poly(f, {{0, -H}, {H, 0}, {0, H}, {-H, 0}}); break;     // diamond
    case 5: m.Poly(f, {{H, -H}, {H, H}, {-H, 0}}); break;             // triangle left
    case 6: m.Poly(f, {{-H, -H}, {H, 0}, {-H, H}}); break;            // triangle right
    case 7: m.Square(f, 2); break;
    case 8: m.Circle(f, 2); break;
    case 9: m.Poly(f, {{-2, -H}, {2, -H}, {H, 0}, {2, H}, {-2, H}, {-H, 0}}); break;  // hexagon
    case 10: m.Star5(f); break;
    case 11: m.Poly(f, {{0, -H}, {H, -1}, {3, H}, {-3, H}, {-H, -1}}); break;         // pentagon
    case 12: m.Poly(f, {{-1, -H}, {1, -H}, {1, -1}, {H, -1}, {H, 1}, {1, 1}, {1, H}, {-1, H},
                        {-1, 1}, {-H, 1}, {-H, -1}, {-1, -1}}); break;                 // thick plus
    case 13: m.Poly(f, {{-H, -H}, {H, -H}, {-H, H}, {H, H}}); break;                   // hourglass
    case 14: m.Poly(f, {{-H, -H}, {H, H}, {H, -H}, {-H, H}}); break;                   // bow tie
    case 15: m.Poly(f, {{-1, -H}, {1, -H}, {H, -1}, {H, 1}, {1, H}, {-1, H}, {-H, 1}, {-H, -1}}); break;  // octagon
    case 16: m.Poly(f, {{0, -H}, {1, -1}, {H, 0}, {1, 1}, {0, H}, {-1, 1}, {-H, 0}, {-1, -1}}); break;
  }
}

// Symbols 1..34 come in open/filled pairs of 17 shapes; 35..51 are composites.
void DrawComposite(const Marker& m, int mark) {
  switch (mark) {
    case 35: m.Plus(); break;
    case 36: m.Cross(); break;
    case 37: m.Plus(); m.Cross(3); break;                         // asterisk
    case 38: m.Line(-H, 0, H, 0); break;                          // horizontal bar
    case 39: m.Line(0, -H, 0, H); break;                          // vertical bar
    case 40: m.Square(false); m.Cross(); break;
    case 41: m.Square(false); m.Plus(); break;
    case 42: m.Circle(false); m.Cross(2); break;
    case 43: m.Circle(false); m.Plus(); break;
    case 44: DrawOpenOrFilled(m, 4, false); m.Plus(2); break;    // diamond with plus
    case 45: DrawOpenOrFilled(m, 2, false); m.Dot(); break;      // triangle with dot
    case 46: m.Square(false); m.BigDot(); break;
    case 47: m.Circle(false); m.BigDot(); break;
    case 48: m.Square(false); m.Square(false, 2); break;          // square in square
    case 49: m.Circle(false); m.Circle(false, 2); break;          // concentric circles
    case 50: m.Square(false); m.HalfFill(); break;
    case 51: m.Circle(false); m.Line(-H, 0, H, 0); break;
  }
}

}  // namespace

void DrawMarkOnCanvas(TCanvas* Canvas, int Mark, int X, int Y) {
  if (!Canvas || Mark < 0 || Mark > MaxMarkSymbol) return;
  const Marker m{Canvas, X, Y};
  if (Mark == 0) m.Dot();
  else if (Mark <= 34) DrawOpenOrFilled(m, (Mark - 1) / 2, Mark % 2 == 0);
  else DrawComposite(m, Mark);
}

}  // namespace qel
