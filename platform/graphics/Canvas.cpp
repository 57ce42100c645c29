// TCanvas: target, clipping and state. The primitives live in
// CanvasShapes.cpp, CanvasText.cpp and CanvasBlit.cpp.
#include <algorithm>
#include <cstdint>

#include "platform/graphics/detail/Raster.h"

namespace qel {

TCanvas::TCanvas()
    : pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()), font_(std::make_unique<TFont>()) {}

TCanvas::TCanvas(TBitmap* Surface) : TCanvas() { surface_ = Surface; }

TCanvas::~TCanvas() = default;

void TCanvas::SetTarget(TBitmap* Surface, TPoint Origin, const TRect& SurfaceClip) {
  surface_ = Surface;
  origin_ = Origin;
  targetClip_ = SurfaceClip;
}

TRect TCanvas::DeviceClip() const {
  if (!surface_) return {};
  TRect r = IntersectRect(targetClip_, {0, 0, surface_->GetWidth(), surface_->GetHeight()});
  if (hasUserClip_) {
    TRect user = userClip_;
    user.Offset(origin_.X, origin_.Y);
    r = IntersectRect(r, user);
  }
  return r;
}

TRect TCanvas::GetClipRect() const {
  TRect r = DeviceClip();
  if (r.IsEmpty()) return {};
  r.Offset(-origin_.X, -origin_.Y);
  return r;
}

void TCanvas::SetClipRect(const TRect& R) {
  userClip_ = R;
  hasUserClip_ = true;
}

void TCanvas::ResetClipRect() { hasUserClip_ = false; }

}  // namespace qel

namespace qel {

namespace {
// Canvas coordinates on the surface, computed wide so extreme values cannot
// overflow, then cut down to the clip.
TRect ToDevice(const TRect& R, TPoint origin, const TRect& clip) {
  auto shift = [](int v, int d, int lo, int hi) {
    return static_cast<int>(std::clamp<int64_t>(int64_t(v) + d, lo, hi));
  };
  TRect r{shift(R.Left, origin.X, clip.Left, clip.Right), shift(R.Top, origin.Y, clip.Top, clip.Bottom),
          shift(R.Right, origin.X, clip.Left, clip.Right), shift(R.Bottom, origin.Y, clip.Top, clip.Bottom)};
  return r.IsEmpty() ? TRect{} : r;
}
}  // namespace

void TCanvas::FillRect(const TRect& R) {
  if (brush_->GetStyle() == bsClear) return;
  TRect r = ToDevice(R, origin_, DeviceClip());
  if (r.IsEmpty()) return;
  raster::FillRows(*surface_, r, ColorToPixel(brush_->GetColor()));
}

TColor TCanvas::GetPixels(int X, int Y) const {
  TRect r = ToDevice({X, Y, X == INT32_MAX ? X : X + 1, Y == INT32_MAX ? Y : Y + 1}, origin_, DeviceClip());
  TPoint p = r.TopLeft();
  if (r.IsEmpty()) return CLR_INVALID;
  return PixelToColor(surface_->ScanLine(p.Y)[p.X]);
}

void TCanvas::SetPixels(int X, int Y, TColor Color) {
  TRect r = ToDevice({X, Y, X == INT32_MAX ? X : X + 1, Y == INT32_MAX ? Y : Y + 1}, origin_, DeviceClip());
  TPoint p = r.TopLeft();
  if (r.IsEmpty()) return;
  surface_->ScanLine(p.Y)[p.X] = ColorToPixel(Color);
}

}  // namespace qel
