// TProgBar painting, on an off-screen bitmap in this order: margins, bar
// area (colour, then the stretched image), the bar and its grid, the inner
// and outer frames, the value text; then one copy to the control.
//
// The bar is walked as pixel lines e = 0, 1, ... from its root (the edge it
// grows from); only the lines that fall on the bitmap are visited, so a
// value far outside the range costs no more than a full bar.
#include <algorithm>
#include <cmath>
#include <vector>

#include "gauges/QEL_ProgBar.h"

namespace qel {

namespace {
// Margins are not limited: positions far outside the control stay far
// outside without overflowing.
int Sat(int64_t v) { return int(std::clamp<int64_t>(v, -(1 << 29), 1 << 29)); }

// Which way the bar grows: along x or y, from Root by Step per pixel line.
struct TBarAxis {
  bool Horizontal;
  int Root, Step;
  int Inner;  // the bar area's length along the axis
  int64_t Along(int64_t e) const { return Root + Step * e; }
};

TBarAxis AxisOf(TDirection Dir, const TRect& Area) {
  switch (Dir) {
    case dirUp: return {false, Area.Bottom - 1, -1, Area.Height()};
    case dirDown: return {false, Area.Top, 1, Area.Height()};
    case dirLeft: return {true, Area.Right - 1, -1, Area.Width()};
    case dirRight:
    default: return {true, Area.Left, 1, Area.Width()};
  }
}

// The pixel lines e in [From, To) of a bar that land on 0 .. Size-1.
struct TLineRange {
  int64_t From, To;
  bool Empty() const { return To <= From; }
};

TLineRange VisibleLines(const TBarAxis& A, int Size, int64_t Count) {
  int64_t lo = A.Step > 0 ? -int64_t(A.Root) : int64_t(A.Root) - Size + 1;
  int64_t hi = A.Step > 0 ? int64_t(Size) - A.Root : int64_t(A.Root) + 1;
  return {std::max<int64_t>(0, lo), std::min(Count, hi)};
}
}  // namespace

class TProgBar::TPainter {
 public:
  TPainter(TProgBar& Bar, TBitmap& Buffer)
      : bar_(Bar), bmp_(Buffer), c_(*Buffer.Canvas()), W_(Buffer.GetWidth()), H_(Buffer.GetHeight()),
        area_{Sat(Bar.marginLeft_), Sat(Bar.marginTop_), Sat(int64_t(W_) - Bar.marginRight_),
              Sat(int64_t(H_) - Bar.marginBottom_)},
        axis_(AxisOf(Bar.direction_, area_)),
        n_(progbar::BarLength(axis_.Inner, Bar.value_, Bar.min_, Bar.max_)) {}

  void Background() {
    Fill({0, 0, W_, H_}, bar_.colorMargin_);
    Fill(area_, bar_.colorBackGnd_);
    if (bar_.backGroundImg_.empty() || area_.Width() <= 0 || area_.Height() <= 0) return;
    try {
      c_.StretchDraw(area_, bar_.backgroundBmp_.get());
    } catch (const std::exception&) {
      Fill(area_, bar_.colorBackGnd_);
    }
  }

  void Bar() {
    TLineRange lines = VisibleLines(axis_, axis_.Horizontal ? W_ : H_, n_);
    if (!lines.Empty()) {
      if (bar_.showColorGradient_) Gradient(lines);
      else Fill(LinesRect(lines), bar_.table_[0]);
    }
    if (bar_.gridDist_ > 1) Grid();
  }

  void Frames() {
    Frame(bar_.frameStyleInner_, area_.Left, area_.Top, area_.Right, area_.Bottom);
    Frame(bar_.frameStyleOuter_, 0, 0, W_, H_);
  }

  void Text() {
    if (!bar_.textVisible_) return;
    std::string text = progbar::ValueText(bar_.value_, bar_.textDecPlaces_);
    if (bar_.OnShowValue) bar_.OnShowValue(&bar_, text);
    TFont* font = c_.Font();
    font->Assign(bar_.GetFont());
    TLogFont lf;
    GetObject(*font, lf);
    lf.lfEscapement = lf.lfOrientation = bar_.textAngle_ * 10;
    lf.lfCharSet = 1;
    lf.lfOutPrecision = lf.lfClipPrecision = lf.lfQuality = lf.lfPitchAndFamily = 0;
    font->SetHandle(CreateFontIndirect(lf));
    c_.Brush()->SetStyle(bsClear);
    TPoint at = progbar::TextOrigin(bar_.textAlignment_, {bar_.textPosX_, bar_.textPosY_}, bar_.textAngle_,
                                    c_.TextWidth(text) / 2, c_.TextHeight(text) / 2);
    c_.TextOut(at.X, at.Y, text);
  }

 private:
  void Fill(const TRect& R, TColor Color) {
    c_.Brush()->SetColor(Color);
    c_.FillRect(R);
  }

  // The rectangle the pixel lines cover, across the whole bar area.
  TRect LinesRect(TLineRange L) const {
    int a = int(axis_.Along(L.From)), b = int(axis_.Along(L.To - 1));
    int lo = std::min(a, b), hi = std::max(a, b) + 1;
    return axis_.Horizontal ? TRect{lo, area_.Top, hi, area_.Bottom} : TRect{area_.Left, lo, area_.Right, hi};
  }

  // One table lookup per pixel line: a horizontal bar builds one row and
  // copies it to every row; a vertical bar fills each row in its colour.
  void Gradient(TLineRange L) {
    auto pixelOf = [&](int64_t e) {
      return ColorToPixel(bar_.table_[progbar::GradientIndex(bar_.colorMapMode_, e, n_, axis_.Inner)]);
    };
    TRect r = IntersectRect(LinesRect(L), {0, 0, W_, H_});
    if (r.IsEmpty()) return;
    if (axis_.Horizontal) {
      row_.resize(size_t(r.Width()));
      for (int64_t e = L.From; e < L.To; ++e) row_[size_t(axis_.Along(e) - r.Left)] = pixelOf(e);
      for (int y = r.Top; y < r.Bottom; ++y) std::copy(row_.begin(), row_.end(), bmp_.ScanLine(y) + r.Left);
    } else {
      for (int64_t e = L.From; e < L.To; ++e) {
        uint32_t* line = bmp_.ScanLine(int(axis_.Along(e)));
        std::fill(line + r.Left, line + r.Right, pixelOf(e));
      }
    }
  }

  // Grid lines every GridDist pixel lines from the root: up to the line just
  // past the tip along x, up to the tip's own line along y.
  void Grid() {
    const int64_t d = bar_.gridDist_;
    const int64_t last = axis_.Horizontal ? n_ : n_ - 1;
    TLineRange vis = VisibleLines(axis_, axis_.Horizontal ? W_ : H_, last + 1);
    if (vis.Empty()) return;
    c_.Pen()->SetColor(bar_.colorGrid_);
    c_.Pen()->SetStyle(psSolid);
    for (int64_t o = (vis.From + d - 1) / d * d; o < vis.To; o += d) {
      int p = int(axis_.Along(o));
      if (axis_.Horizontal) Line(p, area_.Top, p, area_.Bottom);
      else Line(area_.Left, p, area_.Right, p);
    }
  }

  // A pen line leaving out its end point.
  void Line(int X1, int Y1, int X2, int Y2) {
    c_.MoveTo(X1, Y1);
    c_.LineTo(X2, Y2);
  }
  void Line(int X1, int Y1, int X2, int Y2, TColor Color) {
    c_.Pen()->SetColor(Color);
    Line(X1, Y1, X2, Y2);
  }
  // The outline of Rectangle(X1, Y1, X2, Y2): X1 .. X2-1 by Y1 .. Y2-1.
  void Outline(int X1, int Y1, int X2, int Y2, TColor Color) {
    c_.Pen()->SetColor(Color);
    c_.Brush()->SetStyle(bsClear);
    c_.Rectangle(X1, Y1, X2, Y2);
  }

  // The bar's own frames. Styles 2 and 3: an outline in the dark colour
  // inside two lines, black and light (sunken) or light and black (raised);
  // 4 and 5: two offset outlines; the two far corners take the margin colour.
  void Frame(TFrameStyle Style, int X1, int Y1, int X2, int Y2) {
    const TColor black = clBlack, dark = bar_.scheme_.Dark, light = bar_.scheme_.Light;
    c_.Pen()->SetStyle(psSolid);
    switch (Style) {
      case fsSimple: Outline(X1, Y1, X2, Y2, dark); return;
      case fsLowered:
      case fsRaised: {
        const TColor first = Style == fsLowered ? black : light, second = Style == fsLowered ? light : black;
        c_.Pen()->SetColor(first);
        c_.MoveTo(X1 + 1, Y2 - 3);
        c_.LineTo(X1 + 1, Y1 + 1);
        c_.LineTo(X2 - 1, Y1 + 1);
        c_.Pen()->SetColor(second);
        c_.MoveTo(X1 + 1, Y2 - 1);
        c_.LineTo(X2 - 1, Y2 - 1);
        c_.LineTo(X2 - 1, Y1);
        Outline(X1, Y1, X2 - 1, Y2 - 1, dark);
        break;
      }
      case fsEmbossed:
      case fsEngraved: {
        const TColor inner = Style == fsEmbossed ? dark : light, outer = Style == fsEmbossed ? light : dark;
        Outline(X1 + 1, Y1 + 1, X2, Y2, inner);
        Outline(X1, Y1, X2 - 1, Y2 - 1, outer);
        break;
      }
      default: return;
    }
    c_.SetPixels(X1, Y2 - 1, bar_.colorMargin_);
    c_.SetPixels(X2 - 1, Y1, bar_.colorMargin_);
  }

  TProgBar& bar_;
  TBitmap& bmp_;
  TCanvas& c_;
  const int W_, H_;
  const TRect area_;
  const TBarAxis axis_;
  const int64_t n_;
  std::vector<uint32_t> row_;  // one row of a horizontal gradient
};

void TProgBar::Paint() {
  if (!GetVisible() && !Designing()) return;
  const int w = GetWidth(), h = GetHeight();
  if (w <= 0 || h <= 0) return;
  if (buffer_->GetWidth() != w || buffer_->GetHeight() != h) buffer_->SetSize(w, h);
  TPainter p(*this, *buffer_);
  p.Background();
  p.Bar();
  p.Frames();
  p.Text();
  Canvas()->Draw(0, 0, buffer_.get());
}

}  // namespace qel
