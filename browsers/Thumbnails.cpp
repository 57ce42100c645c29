// TThumbnails: construction, the range and style setters, scrolling, the
// selection, the grid geometry and Assign. Painting and the highlight are in
// ThumbnailsPaint.cpp, the mouse in ThumbnailsInput.cpp.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include <climits>
#include <string>

#include "browsers/QEL_Thumbnails.h"
#include "browsers/detail/SlideCache.h"
#include "browsers/detail/SelectionRuns.h"
#include "browsers/detail/ThumbnailGrid.h"

namespace qel {

TThumbnails::TThumbnails(TComponent* AOwner)
    : TGraphicControl(AOwner),
      selection_(std::make_unique<thumbs::TSelectionRuns>()),
      offscreen_(std::make_unique<TBitmap>()),
      slideCache_(std::make_unique<thumbs::TSlideCache>()) {
  selection_->SetSize(max_ - min_ + 1);
  SetBounds(GetLeft(), GetTop(), 260, 400);
}

TThumbnails::~TThumbnails() = default;

// ------------------------------------------------------ range, styles ----

// Slide indices, counts and the selection are ints: a wider range has no
// index for its last slides.
void TThumbnails::ResizeSelection(int Min, int Max, const char* Property, int Value) {
  const int64_t count = std::max<int64_t>(0, int64_t(Max) - Min + 1);
  if (count > INT_MAX)
    throw EQELThumbnailsError(ComponentErrorMessage(
        GetName(), std::string(": TThumbnails.") + Property + " = " + std::to_string(Value) + " refused: slides " +
                       std::to_string(Min) + " to " + std::to_string(Max) + " are " + std::to_string(count) +
                       ", more than the 2147483647 a thumbnail viewer can number"));
  selection_->SetSize(int(count));
}

void TThumbnails::SetMin(int v) {
  if (v == min_) return;
  ResizeSelection(v, std::max(max_, v), "Min", v);
  min_ = v;
  max_ = std::max(max_, v);
  first_ = FirstThumbIxFor(first_);  // rows now start at the new first slide
  Paint();
}

void TThumbnails::SetMax(int v) {
  v = std::max(v, min_);
  if (v == max_) return;
  ResizeSelection(min_, v, "Max", v);
  max_ = v;
  Paint();
}

void TThumbnails::SetSlideSize(int v) {
  SetProperty(slideSize_, std::min(std::max(v, 50), GetWidth()), TRefresh::Paint);
}

void TThumbnails::SetSlideDistance(int v) { SetProperty(slideDistance_, std::clamp(v, 0, 100), TRefresh::Paint); }

void TThumbnails::SetSlideMargin(int v) { SetProperty(slideMargin_, std::clamp(v, 0, 100), TRefresh::Paint); }

void TThumbnails::SetFocusLinewidth(int v) { SetProperty(focusLinewidth_, std::clamp(v, 0, 10), TRefresh::Paint); }

void TThumbnails::SetSlideSelectMode(TSlideSelectMode v) {
  if (v == selectMode_) return;
  selectMode_ = v;
  selection_->Clear();
  Paint();
}

void TThumbnails::SetColorScheme(TColorScheme v) {
  if (scheme_.Set(v)) Paint();
}

void TThumbnails::SetAntiAlias(bool v) {
  antiAlias_ = v;
  Paint();
}

// ---------------------------------------------------------- scrolling ----

double TThumbnails::FirstThumbIxFor(double Position) const {
  if (std::isnan(Position)) Position = first_;
  Position = std::clamp(Position, double(min_), double(std::max(min_, max_)));
  double rowStart = double(columns_) * std::floor((Position - min_) / columns_) + min_;
  return rowStart + (Position - rowStart) / columns_;
}

void TThumbnails::SetFirstThumbIx(double Position) {
  double f = FirstThumbIxFor(Position);
  if (f == first_) return;
  first_ = f;
  Paint();
}

thumbs::TGrid TThumbnails::Grid() const {
  const double top = std::floor(first_);
  return {.Width = GetWidth(), .Height = GetHeight(), .Size = slideSize_, .Margin = slideMargin_,
          .Distance = slideDistance_, .Columns = std::max(columns_, 1), .Top = int(top),
          .Scroll = int(std::nearbyint((first_ - top) * Pitch()))};
}

// ---------------------------------------------------------- selection ----

bool TThumbnails::GetSelectedSlide(int ThumbID) const {
  return InRange(ThumbID) && selection_->Get(ThumbID - min_);
}

void TThumbnails::SetSelectedSlide(int ThumbID, bool Value) {
  if (!InRange(ThumbID)) return;
  selection_->Set(ThumbID - min_, Value);
  Paint();
}

int TThumbnails::FirstSelectedSlide() const {
  const int first = selection_->First();
  if (first >= 0) return min_ + first;
  return min_ == INT_MIN ? INT_MAX : min_ - 1;
}

int TThumbnails::NumSlidesSelected() const { return int(selection_->Count()); }

void TThumbnails::ResetAllSelections() {
  selection_->Clear();
  Paint();
}

// ----------------------------------------------------------- geometry ----

void TThumbnails::CalcSlidePos(int ThumbID, int& X, int& Y) const {
  TPoint p = Grid().CardPos(ThumbID);
  X = p.X;
  Y = p.Y;
}

bool TThumbnails::SlideAt(int X, int Y, int& ThumbID) const {
  return Grid().SlideAt(X, Y, ThumbID) && InRange(ThumbID);
}

int TThumbnails::CalcSlideIndex(int X, int Y) const {
  int n = 0;
  return SlideAt(X, Y, n) ? n : 0;
}

// ------------------------------------------------------------- Assign ----

// The selection, ColorMark and SlideSelectMode stay; the selection is sized
// for the copied range.
void TThumbnails::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TThumbnails*>(Source);
  if (!src) return TGraphicControl::Assign(Source);
  if (src == this) return Paint();
  ResizeSelection(src->min_, src->max_, "Max", src->max_);
  frameStyle_ = src->frameStyle_;
  outerFrameStyle_ = src->outerFrameStyle_;
  innerFrameStyle_ = src->innerFrameStyle_;
  colorBackGnd_ = src->colorBackGnd_;
  schemeBlack_ = src->schemeBlack_;
  scheme_ = src->scheme_;
  first_ = src->first_;
  min_ = src->min_;
  max_ = src->max_;
  columns_ = src->columns_;
  rows_ = src->rows_;
  slideSize_ = src->slideSize_;
  slideDistance_ = src->slideDistance_;
  slideMargin_ = src->slideMargin_;
  OnImageRequest = src->OnImageRequest;
  OnImageClick = src->OnImageClick;
  OnImageDblClick = src->OnImageDblClick;
  OnFocusChange = src->OnFocusChange;
  OnFirstImageRequest = src->OnFirstImageRequest;
  OnLastImageRequest = src->OnLastImageRequest;
  OnSlideRendered = src->OnSlideRendered;
  antiAlias_ = src->antiAlias_;
  colorCover_ = src->colorCover_;
  colorSelected_ = src->colorSelected_;
  colorFocus_ = src->colorFocus_;
  focusedSlide_ = src->focusedSlide_;
  focusLinewidth_ = src->focusLinewidth_;
  Paint();
}

void TThumbnails::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TThumbnails*>(Dest)) return d->Assign(this);
  TGraphicControl::AssignTo(Dest);
}

}  // namespace qel
