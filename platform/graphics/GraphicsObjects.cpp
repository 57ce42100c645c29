// Pen, brush and font settings: store, notify, copy.
#include <algorithm>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/StoreIfChanged.h"

namespace qel {

void TPen::SetColor(TColor v) { if (StoreIfChanged(color_, v)) Changed(); }
void TPen::SetStyle(TPenStyle v) { if (StoreIfChanged(style_, v)) Changed(); }
void TPen::SetMode(TPenMode v) { if (StoreIfChanged(mode_, v)) Changed(); }
void TPen::SetWidth(int v) { if (StoreIfChanged(width_, std::max(v, 1))) Changed(); }
void TPen::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TPen*>(Source);
  if (!src) return TPersistent::Assign(Source);
  color_ = src->color_;
  width_ = src->width_;
  style_ = src->style_;
  mode_ = src->mode_;
  Changed();
}

void TBrush::SetColor(TColor v) {
  if (v == color_ && style_ == bsSolid) return;
  color_ = v;
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}
void TBrush::SetStyle(TBrushStyle v) { if (StoreIfChanged(style_, v)) Changed(); }
void TBrush::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TBrush*>(Source);
  if (!src) return TPersistent::Assign(Source);
  color_ = src->color_;
  style_ = src->style_;
  Changed();
}

TFont::TFont() = default;
void TFont::SetName(const std::string& v) { if (StoreIfChanged(name_, v)) Changed(); }
void TFont::SetHeight(int v) { if (StoreIfChanged(height_, v)) Changed(); }
void TFont::SetStyle(TFontStyles v) { if (StoreIfChanged(style_, v)) Changed(); }
void TFont::SetColor(TColor v) { if (StoreIfChanged(color_, v)) Changed(); }
void TFont::SetOrientation(int v) { if (StoreIfChanged(orientation_, v)) Changed(); }
void TFont::SetQuality(TFontQuality v) { if (StoreIfChanged(quality_, v)) Changed(); }
void TFont::SetPitch(TFontPitch v) { if (StoreIfChanged(pitch_, v)) Changed(); }
void TFont::SetCharset(uint8_t v) { if (StoreIfChanged(charset_, v)) Changed(); }

int TFont::GetSize() const { return -MulDiv(height_, 72, ScreenPixelsPerInch); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch, 72)); }

void TFont::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFont*>(Source);
  if (!src) return TPersistent::Assign(Source);
  name_ = src->name_;
  height_ = src->height_;
  style_ = src->style_;
  color_ = src->color_;
  orientation_ = src->orientation_;
  quality_ = src->quality_;
  pitch_ = src->pitch_;
  charset_ = src->charset_;
  Changed();
}

HFONT TFont::GetHandle() const {
  TLogFont lf;
  GetObject(*this, lf);
  return CreateFontIndirect(lf);
}

void TFont::SetHandle(const HFONT& h) {
  if (!h) return;
  name_ = h->lfFaceName;
  height_ = h->lfHeight;
  style_ = {};
  if (h->lfWeight >= 600) style_.Include(fsBold);
  if (h->lfItalic) style_.Include(fsItalic);
  if (h->lfUnderline) style_.Include(fsUnderline);
  if (h->lfStrikeOut) style_.Include(fsStrikeOut);
  orientation_ = h->lfEscapement;
  quality_ = h->lfQuality <= fqClearTypeNatural ? TFontQuality(h->lfQuality) : fqDefault;
  pitch_ = TFontPitch(h->lfPitchAndFamily & 3) <= fpFixed ? TFontPitch(h->lfPitchAndFamily & 3) : fpDefault;
  charset_ = h->lfCharSet;
  Changed();
}

void GetObject(const TFont& Font, TLogFont& lf) {
  lf = TLogFont{};
  lf.lfHeight = Font.GetHeight();
  lf.lfEscapement = lf.lfOrientation = Font.GetOrientation();
  lf.lfWeight = Font.GetStyle().Contains(fsBold) ? 700 : 400;
  lf.lfItalic = Font.GetStyle().Contains(fsItalic);
  lf.lfUnderline = Font.GetStyle().Contains(fsUnderline);
  lf.lfStrikeOut = Font.GetStyle().Contains(fsStrikeOut);
  lf.lfCharSet = Font.GetCharset();
  lf.lfQuality = Font.GetQuality();
  lf.lfPitchAndFamily = Font.GetPitch();
  lf.lfFaceName = Font.GetName();
}

HFONT CreateFontIndirect(const TLogFont& LogFont) { return std::make_shared<const TLogFont>(LogFont); }

int MulDiv(int Number, int Numerator, int Denominator) {
  if (Denominator == 0) return -1;
  int64_t product = int64_t(Number) * Numerator;
  // Round half away from zero, as the platform does.
  int64_t half = (Denominator > 0 ? Denominator : -int64_t(Denominator)) / 2;
  bool negative = (product < 0) != (Denominator < 0);
  int64_t magnitude = (product < 0 ? -product : product) + half;
  int64_t q = magnitude / (Denominator > 0 ? Denominator : -int64_t(Denominator));
  return static_cast<int>(negative ? -q : q);
}

}  // namespace qel
