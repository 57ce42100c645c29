// Signed-distance shapes, colour fills and the soft-edged frame they are
// laid onto (see ShadedArt.h).
#include "resources/art/ShadedArt.h"

#include <algorithm>
#include <cmath>

namespace qel::art::shade {

namespace {
double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
double Len(double x, double y) { return std::hypot(x, y); }
}  // namespace

TRgb Rgb(TColor C) { return {double(GetRValue(C)), double(GetGValue(C)), double(GetBValue(C))}; }
TRgb Mix(TRgb A, TRgb B, double T) {
  T = Clamp01(T);
  return {A.R + (B.R - A.R) * T, A.G + (B.G - A.G) * T, A.B + (B.B - A.B) * T};
}
TRgb Lighter(TRgb C, double T) { return Mix(C, {255, 255, 255}, T); }
TRgb Darker(TRgb C, double T) { return Mix(C, {0, 0, 0}, T); }

// ------------------------------------------------------------ shapes ----

TShape Circle(double Cx, double Cy, double R) {
  return [=](double x, double y) { return Len(x - Cx, y - Cy) - R; };
}

TShape Ellipse(double Cx, double Cy, double Rx, double Ry) {
  return [=](double x, double y) {
    double px = (x - Cx) / Rx, py = (y - Cy) / Ry;
    double k0 = Len(px, py), k1 = Len(px / Rx, py / Ry);
    return k1 == 0 ? -std::min(Rx, Ry) : k0 * (k0 - 1) / k1;
  };
}

TShape Box(double Cx, double Cy, double Hw, double Hh, double Radius) {
  return [=](double x, double y) {
    double qx = std::abs(x - Cx) - (Hw - Radius), qy = std::abs(y - Cy) - (Hh - Radius);
    return Len(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - Radius;
  };
}

namespace {
double SegmentDistance(double x, double y, double ax, double ay, double bx, double by) {
  double ex = bx - ax, ey = by - ay, wx = x - ax, wy = y - ay;
  double l2 = ex * ex + ey * ey;
  double t = l2 == 0 ? 0 : Clamp01((wx * ex + wy * ey) / l2);
  return Len(wx - ex * t, wy - ey * t);
}
}  // namespace

TShape Capsule(double Ax, double Ay, double Bx, double By, double R) {
  return [=](double x, double y) { return SegmentDistance(x, y, Ax, Ay, Bx, By) - R; };
}

TShape Polygon(std::vector<std::pair<double, double>> P) {
  return [P = std::move(P)](double x, double y) {
    double d = 1e30;
    bool inside = false;
    for (size_t i = 0, j = P.size() - 1; i < P.size(); j = i++) {
      auto [xi, yi] = P[i];
      auto [xj, yj] = P[j];
      d = std::min(d, SegmentDistance(x, y, xi, yi, xj, yj));
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside ? -d : d;
  };
}

TShape Stroke(std::vector<std::pair<double, double>> P, double R) {
  return [P = std::move(P), R](double x, double y) {
    double d = 1e30;
    for (size_t i = 1; i < P.size(); ++i)
      d = std::min(d, SegmentDistance(x, y, P[i - 1].first, P[i - 1].second, P[i].first, P[i].second));
    return d - R;
  };
}

TShape Union(TShape A, TShape B) {
  return [=](double x, double y) { return std::min(A(x, y), B(x, y)); };
}
TShape Intersect(TShape A, TShape B) {
  return [=](double x, double y) { return std::max(A(x, y), B(x, y)); };
}
TShape Subtract(TShape A, TShape B) {
  return [=](double x, double y) { return std::max(A(x, y), -B(x, y)); };
}
TShape Ring(TShape A, double HalfWidth) {
  return [=](double x, double y) { return std::abs(A(x, y)) - HalfWidth; };
}
TShape Grow(TShape A, double By) {
  return [=](double x, double y) { return A(x, y) - By; };
}

TShape Transposed(TShape A) {
  return [=](double x, double y) { return A(y, x); };
}

// ------------------------------------------------------------- fills ----

TFill Solid(TRgb C) {
  return [=](double, double) { return C; };
}

TFill Linear(TRgb C0, double X0, double Y0, TRgb C1, double X1, double Y1) {
  double dx = X1 - X0, dy = Y1 - Y0, l2 = dx * dx + dy * dy;
  return [=](double x, double y) { return Mix(C0, C1, l2 == 0 ? 0 : ((x - X0) * dx + (y - Y0) * dy) / l2); };
}

TFill Radial(TRgb Centre, double Cx, double Cy, TRgb Edge, double R) {
  return [=](double x, double y) { return Mix(Centre, Edge, Len(x - Cx, y - Cy) / R); };
}

TFill Ball(TRgb Base, double Cx, double Cy, double R) {
  const double hx = Cx - 0.35 * R, hy = Cy - 0.4 * R;
  return [=](double x, double y) {
    double d = Len(x - hx, y - hy);
    TRgb body = Mix(Lighter(Base, 0.3), Darker(Base, 0.45), d / (1.35 * R));
    double shine = Clamp01(1 - d / (0.38 * R));
    return Mix(body, {255, 255, 255}, shine * shine * 0.85);
  };
}

TFill Transposed(TFill F) {
  return [=](double x, double y) { return F(y, x); };
}

// ------------------------------------------------------------ sketch ----

TSketch::TSketch(int W, int H) : w_(W), h_(H), px_(size_t(W) * H) {}

void TSketch::Layer(const TShape& Shape, const TFill& Fill, double Opacity) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      const double cx = x + 0.5, cy = y + 0.5;
      const double cov = Clamp01(0.5 - Shape(cx, cy)) * Opacity;
      if (cov <= 0) continue;
      TPx& p = px_[size_t(y) * w_ + x];
      const double a = cov + p.A * (1 - cov);
      p.C = Mix(p.C, Fill(cx, cy), cov / a);
      p.A = a;
    }
}

// The outward normal of the shape's edge says which light a point of the
// band gets: up-left faces the light.
void TSketch::Bevel(const TShape& Shape, double Width, TRgb Light, TRgb Dark, double Opacity) {
  TShape band = [=](double x, double y) {
    double d = Shape(x, y);
    return std::max(d, -d - Width);
  };
  TFill lit = [=](double x, double y) {
    double gx = Shape(x + 0.5, y) - Shape(x - 0.5, y), gy = Shape(x, y + 0.5) - Shape(x, y - 0.5);
    double l = Len(gx, gy);
    double facing = l == 0 ? 0 : -(gx + gy) / (l * std::sqrt(2.0));
    return Mix(Dark, Light, (1 + facing) / 2);
  };
  Layer(band, lit, Opacity);
}

void TSketch::Put(TCanvas& C, int X, int Y, bool Disabled) const {
  const TRgb matte = Rgb(kMatte);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      const TPx& p = px_[size_t(y) * w_ + x];
      if (p.A < 0.35) {
        C.SetPixels(X + x, Y + y, kKey);
        continue;
      }
      TRgb c = Mix(matte, p.C, p.A);
      if (Disabled) {
        // Greyed: the lightness only, lifted and with half the contrast.
        double grey = 112 + 0.45 * (0.3 * c.R + 0.59 * c.G + 0.11 * c.B);
        c = {grey, grey, grey};
      }
      TColor out = RGB(uint8_t(std::lround(c.R)), uint8_t(std::lround(c.G)), uint8_t(std::lround(c.B)));
      if (out == kKey) out ^= 0x000100;  // never see-through by accident
      C.SetPixels(X + x, Y + y, out);
    }
}

TPicture FourFrames(const char* Name, int W, int H, TFrameArt Art) {
  TPicture p{Name, 2 * W, 2 * H, [=](TCanvas& C) {
               C.Brush()->SetColor(kKey);
               C.FillRect({0, 0, 2 * W, 2 * H});
               for (bool on : {true, false}) {
                 TSketch s(W, H);
                 Art(s, on);
                 s.Put(C, on ? 0 : W, 0, false);
                 s.Put(C, on ? 0 : W, H, true);
               }
             }};
  p.Coloured = true;
  return p;
}

}  // namespace qel::art::shade
