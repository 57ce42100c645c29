// TThumbnails painting: the cards composed off screen in one pass, and the
// focus highlight drawn straight onto the control.
//
// Order of a paint: background; column count (re-applying the scroll
// position when it changed) and row count; OnFirstImageRequest; per card,
// column by column and top to bottom within a column: the request, the card,
// its content (empty card, picture or nothing), the marker, OnSlideRendered;
// then OnLastImageRequest, the top and bottom strips (cards scrolled into them
// are cut), the control's frame, and one copy onto the control.
//
// A handler that raises during the paint spoils only its own card, which
// is drawn as if it had not been asked; the paint ends and is shown, and
// then the first exception goes on to the caller.
#include <cmath>
#include <cstdint>
#include <exception>

#include "browsers/QEL_Thumbnails.h"
#include "browsers/detail/SlideCache.h"
#include "browsers/detail/ThumbnailGrid.h"

namespace qel {

namespace {

// Clears a flag when the paint ends, however it ends.
class TBusy {
 public:
  explicit TBusy(bool& Flag) : flag_(Flag) { flag_ = true; }
  ~TBusy() { flag_ = false; }
  TBusy(const TBusy&) = delete;
  TBusy& operator=(const TBusy&) = delete;

 private:
  bool& flag_;
};

// Where a picture of Width x Height lands in a square of Side pixels at
// (Left, Top): as large as fits, aspect kept, centred across.
TRect FitIntoSquare(int Width, int Height, int Side, int Left, int Top) {
  if (Height > Width) {
    int w = int(std::nearbyint(double(Width) * Side / Height));
    int x = Left + (Side - w) / 2;
    return {x, Top, x + w, Top + Side};
  }
  int h = int(std::nearbyint(double(Height) * Side / Width));
  int y = Top + (Side - h) / 2;
  return {Left, y, Left + Side, y + h};
}

}  // namespace

class TThumbnails::TPainter {
 public:
  TPainter(TThumbnails& T, TCanvas& C) : t_(T), c_(C), w_(T.GetWidth()), h_(T.GetHeight()) {}

  void Background() {
    c_.Pen()->SetColor(t_.colorBackGnd_);
    c_.Brush()->SetColor(t_.colorBackGnd_);
    c_.Brush()->SetStyle(bsSolid);
    c_.Rectangle(0, 0, w_, h_);
  }

  void Grid() {
    const int p = t_.Pitch();
    int columns = std::max(1, (w_ + t_.slideDistance_ - 20) / p);
    if (columns != t_.columns_) {
      t_.columns_ = columns;
      t_.first_ = t_.FirstThumbIxFor(t_.first_);
    }
    t_.rows_ = h_ / p + 1;
    g_ = t_.Grid();
  }

  // Runs an application handler; what it raises waits for the paint's end.
  template <class F>
  bool Call(F&& Handler) {
    try {
      Handler();
      return true;
    } catch (...) {
      if (!failure_) failure_ = std::current_exception();
      return false;
    }
  }
  void RethrowFailure() const {
    if (failure_) std::rethrow_exception(failure_);
  }

  void Cards() {
    if (t_.OnFirstImageRequest) Call([&] { t_.OnFirstImageRequest(&t_); });
    TBitmap buffer;
    const int rows = t_.rows_;
    for (int col = 1; col <= g_.Columns; ++col)
      for (int row = 1; row <= rows; ++row) {
        const int64_t n = int64_t(g_.Top) + int64_t(row - 1) * g_.Columns + col - 1;  // past INT_MAX near the end
        if (t_.InRange(n)) Card(int(n), buffer);
      }
    if (t_.OnLastImageRequest) Call([&] { t_.OnLastImageRequest(&t_); });
  }

  void StripsAndFrame() {
    c_.Brush()->SetColor(t_.colorBackGnd_);
    c_.Brush()->SetStyle(bsSolid);
    c_.FillRect({0, 0, w_, 10});
    c_.FillRect({0, h_ - 10, w_, h_});
    DrawFrame(&c_, t_.frameStyle_, 0, 0, w_ - 2, h_ - 2, clWhite, 0xC0C0C0, 0x808080, clBlack, clBlack);
  }

 private:
  void Card(int n, TBitmap& buffer) {
    TImageRequestProcessing how = irpShowEmpty;
    int mark = -1;
    TBitmap* picture = &buffer;
    if (t_.OnImageRequest && !Call([&] { t_.OnImageRequest(&t_, n, how, mark, picture); })) {
      how = irpShowEmpty;
      mark = -1;
      picture = &buffer;
    }
    const TPoint pos = g_.CardPos(n);
    const int x = pos.X, y = pos.Y, x2 = x + g_.Card(), y2 = y + g_.Card();
    if (how != irpShowNothing) {
      c_.Brush()->SetStyle(bsSolid);
      c_.Brush()->SetColor(t_.GetSelectedSlide(n) ? t_.colorSelected_ : t_.colorCover_);
      c_.FillRect({x, y, x2 + 1, y2 + 1});
      DrawFrame(&c_, t_.outerFrameStyle_, x, y, x2, y2, clWhite, 0xC0C0C0, 0x808080, clBlack, clBlack);
    }
    c_.Pen()->SetColor(clBlack);
    if (how == irpShowEmpty) EmptyCard(n, x, y, x2, y2);
    else if (how == irpShowSlide && picture) Picture(*picture, x, y);
    if (mark != -1) {
      c_.Pen()->SetColor(t_.colorMark_);
      DrawMarkOnCanvas(&c_, mark & 0xFF, x + 10, y + 12);
    }
    if (t_.OnSlideRendered) Call([&] { t_.OnSlideRendered(&t_, &c_, x, y, n); });
  }

  void EmptyCard(int n, int x, int y, int x2, int y2) {
    const int m = g_.Margin;
    c_.Brush()->SetStyle(bsSolid);
    c_.Brush()->SetColor(clWhite);
    c_.Rectangle(x + m, y + m + 20, x2 - m, y2 - m - 20);
    std::string text = std::to_string(n);
    c_.Font()->SetColor(clBlack);
    c_.TextOut((x + x2) / 2 - c_.TextWidth(text) / 2, (y + y2) / 2 - c_.TextHeight(text) / 2, text);
  }

  // The picture fitted into the square, framed just outside its edge.
  void Picture(TBitmap& picture, int x, int y) {
    if (picture.GetWidth() <= 0 || picture.GetHeight() <= 0) return;
    const int m = g_.Margin;
    TRect r = FitIntoSquare(picture.GetWidth(), picture.GetHeight(), g_.Size, x + m, y + m);
    if (r.Width() == picture.GetWidth() && r.Height() == picture.GetHeight()) {
      BitBlt(&c_, r.Left, r.Top, r.Width(), r.Height(), picture.Canvas(), 0, 0, SRCCOPY);  // fits as it is
    } else if (!t_.antiAlias_) {
      // Nearest pixel costs about a copy: keeping it would only add the
      // fingerprint to every paint.
      int oldMode = SetStretchBltMode(&c_, COLORONCOLOR);
      StretchBlt(&c_, r.Left, r.Top, r.Width(), r.Height(), picture.Canvas(), 0, 0, picture.GetWidth(),
                 picture.GetHeight(), SRCCOPY);
      SetStretchBltMode(&c_, oldMode);
    } else {
      TBitmap& scaled = t_.slideCache_->Scaled(picture, r.Width(), r.Height(), t_.antiAlias_);
      BitBlt(&c_, r.Left, r.Top, r.Width(), r.Height(), scaled.Canvas(), 0, 0, SRCCOPY);
    }
    DrawFrame(&c_, t_.innerFrameStyle_, r.Left - 1, r.Top - 1, r.Right, r.Bottom, clWhite, 0xC0C0C0, 0x808080,
              clBlack, clBlack);
  }

  TThumbnails& t_;
  TCanvas& c_;
  const int w_, h_;
  thumbs::TGrid g_;  // taken once the column count is known
  std::exception_ptr failure_;
};

// ---------------------------------------------------------------- Paint ----

void TThumbnails::Paint() {
  if (painting_) return;  // a handler changed a property: this paint goes on
  if (!GetVisible() && !ComponentState().Contains(csDesigning)) return;
  TBusy busy(painting_);
  offscreen_->SetSize(GetWidth(), GetHeight());
  TCanvas& c = *offscreen_->Canvas();
  c.Font()->Assign(GetFont());
  TPainter p(*this, c);
  p.Background();
  p.Grid();
  p.Cards();
  p.StripsAndFrame();
  Canvas()->Draw(0, 0, offscreen_.get());
  p.RethrowFailure();
}

// ------------------------------------------------------------ highlight ----

void TThumbnails::DrawHighlight(int ThumbID, TColor Color) {
  if (!InRange(ThumbID)) return;
  const thumbs::TGrid g = Grid();
  const int w = g.Width, h = g.Height, side = g.Card();
  const int x = g.CardPos(ThumbID).X, y = g.CardPos(ThumbID).Y;
  const int left = x + 2, top = std::max(y + 2, 2), bottom = std::min(h - 3, y + side - 2);
  TCanvas* c = Canvas();
  c->Pen()->SetColor(Color);
  c->Pen()->SetWidth(1);
  for (int i = 1; i <= focusLinewidth_; ++i)
    DrawRectangle(c, left + i - 1, top + i - 1, x + side - i - 1, bottom - i + 1);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(colorBackGnd_);
  c->FillRect({2, 2, w - 2, 10});
  c->FillRect({2, h - 10, w - 2, h - 2});
}

void TThumbnails::HiLite(int ThumbID) { DrawHighlight(ThumbID, colorFocus_); }

void TThumbnails::ResetLastHiLite() {
  DrawHighlight(focusedSlide_, GetSelectedSlide(focusedSlide_) ? colorSelected_ : colorCover_);
}

}  // namespace qel
