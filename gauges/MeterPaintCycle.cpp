// How a meter paint puts its picture together on the reused off-screen
// bitmap. A full paint takes the face from the cache or draws it, draws
// over it OnBeforeDrawNeedle and the needles, cover, window bevel and
// anchor, lamps, OnMeterRendered and frame, and copies the whole picture
// onto the control. A value change with no painting handler assigned
// restores the face only in the strips the old and new needles and a
// changed lamp touch, draws what lies over the face within them, and copies
// only those strips: the pixels come out as a full paint's. Painting changes
// none of the meter's state but the cache.
#include "gauges/detail/MeterFaceCache.h"
#include "gauges/detail/MeterPainter.h"

namespace qel {

namespace {
// A canvas as a new bitmap's: default pen, brush and font, no clip.
void ResetCanvas(TCanvas& c) {
  static TPen pen;
  static TBrush brush;
  static TFont font;
  c.Pen()->Assign(&pen);
  c.Brush()->Assign(&brush);
  c.Font()->Assign(&font);
  c.SetPenPos({0, 0});
  c.SetCopyMode(cmSrcCopy);
  c.SetStretchBltMode(COLORONCOLOR);
  c.ResetClipRect();
}

TMeterCopyTarget TargetOf(const TCanvas& C) { return {C.Surface(), C.Origin(), C.DeviceClip(), C.GetCopyMode()}; }

// Both places of a needle that moved or changed, shadows included.
void AddNeedleChange(meter::TDirtyRegion& R, bool HadOld, const meter::TNeedleShape& Old, bool HasNew,
                     const meter::TNeedleShape& New) {
  if (HadOld == HasNew && (!HasNew || Old == New)) return;
  auto add = [&](const meter::TNeedleShape& s) {
    R.AddPolygon(s.poly);
    if (s.HasShadow()) R.AddPolygon(s.ShadowPolygon());
  };
  if (HadOld) add(Old);
  if (HasNew) add(New);
}
}  // namespace

TMeterFaceKey TMeter::TFaceCache::KeyOf(const TMeter& M) {
  TMeterFaceKey k;
  k.w = M.GetWidth(), k.h = M.GetHeight(), k.layout = M.layout_;
  k.sweep = M.geometry_.Sweep, k.centreX = M.geometry_.CentreX, k.centreY = M.geometry_.CentreY;
  k.radius = M.geometry_.Radius, k.min = M.min_, k.max = M.max_, k.logarithmic = M.logarithmic_;
  k.thresholdLow = M.thresholdLow_, k.thresholdHigh = M.thresholdHigh_, k.scaleBkWidth = M.scaleBkWidth_;
  k.shortTicks = M.shortTicks_, k.scaleLine = M.scaleLine_, k.scaleVisible = M.scaleVisible_;
  k.scaleBkVisible = M.scaleBkVisible_, k.nrTicks = M.nrTicks_, k.decPlaces = M.decPlaces_;
  k.hasBackground = M.hasBackground_, k.fillMode = M.bkgndFillMode_, k.backgroundLoads = M.backgroundLoads_;
  k.low = ColorToPixel(M.colorSclBkLow_), k.norm = ColorToPixel(M.colorSclBkNorm_);
  k.high = ColorToPixel(M.colorSclBkHigh_), k.scale = ColorToPixel(M.colorScale_), k.back = ColorToPixel(M.colorBakG_);
  return k;
}

TMeterOverlayKey TMeter::TFaceCache::OverlayOf(const TMeter& M) {
  TMeterOverlayKey k;
  k.w = M.GetWidth(), k.h = M.GetHeight(), k.rimTop = M.rimTop_, k.rimBottom = M.rimBottom_, k.rimSide = M.rimSide_;
  k.layout = M.layout_, k.anchorSize = M.anchorSize_, k.frameStyle = M.frameStyle_;
  k.anchorCovered = M.anchorCovered_, k.hasAnchorImage = M.hasAnchorImage_;
  k.lampHigh = M.limWatchHighOn_, k.lampLow = M.limWatchLowOn_;
  k.cover = ColorToPixel(M.colorCover_), k.lampActive = ColorToPixel(M.limWatchActColor_);
  k.lampPassive = ColorToPixel(M.limWatchPsvColor_), k.frameDark = ColorToPixel(M.scheme_.Dark);
  k.frameLight = ColorToPixel(M.scheme_.Light), k.back = ColorToPixel(M.colorBakG_);
  return k;
}

// The face (everything before the needles) comes from the cache when what
// it shows is unchanged; a label handler may draw anything, so while one is
// assigned the face is drawn every time.
void TMeter::Paint() {
  TFaceCache& cache = *faceCache_;
  cache.drawn.valid = false;  // until this paint is complete
  if (!(geometry_.Radius > 0)) return;
  const bool handlers = OnBeforeDrawScaleLabel || OnBeforeDrawNeedle || OnMeterRendered;
  const int w = GetWidth(), h = GetHeight();
  cache.frame.SetSize(w, h);
  TCanvas& c = *cache.frame.Canvas();
  ResetCanvas(c);
  TPainter p(*this, c);
  bool cacheable = !OnBeforeDrawScaleLabel;
  TMeterFaceKey key = TFaceCache::KeyOf(*this);
  if (cacheable && cache.Shows(*this, key)) {
    c.Draw(0, 0, &cache.face);
    c.Pen()->Assign(&cache.pen);
    c.Brush()->Assign(&cache.brush);
    c.Font()->Assign(&cache.canvasFont);
    c.SetPenPos(cache.penPos);
  } else {
    // What a background leaves uncovered is white, as on a new bitmap.
    if (hasBackground_) std::fill_n(cache.frame.ScanLine(0), size_t(w) * size_t(h), ColorToPixel(clWhite));
    p.Background();
    p.Zones();
    p.Scale();
    p.Caption();
    cache.valid = cacheable;
    if (cacheable) {
      cache.face.SetSize(w, h);
      cache.face.Canvas()->Draw(0, 0, &cache.frame);
      cache.key = key;
      cache.caption = caption_;
      cache.font.Take(*GetFont());
      cache.captionFont.Take(*fontCaption_);
      cache.pen.Assign(c.Pen());
      cache.brush.Assign(c.Brush());
      cache.canvasFont.Assign(c.Font());
      cache.penPos = c.GetPenPos();
    }
  }
  TMeterNeedles needles;
  p.Needles(needles);
  p.Cover();
  p.BevelAndAnchor();
  p.Lamps();
  if (OnMeterRendered) OnMeterRendered(this, &c);
  p.Frame();
  TCanvas& out = *Canvas();
  out.Draw(0, 0, &cache.frame);
  cache.target = TargetOf(out);
  // A handler may have drawn anywhere: the next value change paints in full.
  cache.drawn.overlay = TFaceCache::OverlayOf(*this);
  cache.drawn.anchorImage = anchorImage_;
  cache.drawn.needles = needles;
  cache.drawn.overflow = overflow_, cache.drawn.underflow = underflow_;
  cache.drawn.valid = !handlers;
}

// Falls back to a full paint whenever the last picture is not known to
// differ from the new one in needles and lamps alone.
void TMeter::PaintValueChange() {
  TFaceCache& cache = *faceCache_;
  const bool handlers = OnBeforeDrawScaleLabel || OnBeforeDrawNeedle || OnMeterRendered;
  if (handlers || !cache.drawn.valid || !(geometry_.Radius > 0) || !cache.Shows(*this, TFaceCache::KeyOf(*this)) ||
      !(cache.drawn.overlay == TFaceCache::OverlayOf(*this)) || cache.drawn.anchorImage != anchorImage_)
    return Paint();
  cache.drawn.valid = false;  // until this paint is complete
  TCanvas& c = *cache.frame.Canvas();
  ResetCanvas(c);
  TPainter p(*this, c);
  const TMeterNeedles now = p.NeedleShapes();
  const TMeterNeedles& was = cache.drawn.needles;
  meter::TDirtyRegion& dirty = cache.dirty;
  dirty.Reset(GetWidth(), GetHeight());
  AddNeedleChange(dirty, was.hasPrimary, was.primary, now.hasPrimary, now.primary);
  AddNeedleChange(dirty, was.hasSecondary, was.secondary, now.hasSecondary, now.secondary);
  if (limWatchHighOn_ && overflow_ != cache.drawn.overflow) dirty.AddRect(p.LampRect(true));
  if (limWatchLowOn_ && underflow_ != cache.drawn.underflow) dirty.AddRect(p.LampRect(false));
  dirty.Finish();
  for (const TRect& r : dirty.Rects()) c.CopyRect(r, cache.face.Canvas(), r);
  c.Pen()->Assign(&cache.pen);
  c.Brush()->Assign(&cache.brush);
  c.Font()->Assign(&cache.canvasFont);
  c.SetPenPos(cache.penPos);
  // Each layer from here on either sets a pixel or leaves it (the anchor
  // picture's mask is all or nothing), so drawing them again over finished
  // pixels within the bounds leaves those as they were.
  c.SetClipRect(dirty.Bounds());
  p.DrawNeedles(now);
  p.Cover();
  p.BevelAndAnchor();
  p.Lamps();
  p.Frame();
  c.ResetClipRect();
  TCanvas& out = *Canvas();
  if (TargetOf(out) == cache.target && out.GetCopyMode() == cmSrcCopy) {
    for (const TRect& r : dirty.Rects()) out.CopyRect(r, &c, r);
  } else {
    out.Draw(0, 0, &cache.frame);
    cache.target = TargetOf(out);
  }
  cache.drawn.needles = now;
  cache.drawn.overflow = overflow_, cache.drawn.underflow = underflow_;
  cache.drawn.valid = true;
}

}  // namespace qel
