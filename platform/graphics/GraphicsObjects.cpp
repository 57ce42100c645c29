// Pen, brush and font settings: store, notify, copy.
#include <algorithm>

#include "platform/graphics/Graphics.h"

namespace qel {

// A setter that stores a changed value and notifies.
#define QEL_SETTER(Class, Name, Type, field) \
  void Class::Set##Name(Type v) {            \
    if (field == v) return;                  \
    field = v;                               \
    Changed();                               \
  }

QEL_SETTER(TPen, Color, TColor, color_)
QEL_SETTER(TPen, Style, TPenStyle, style_)
QEL_SETTER(TPen, Mode, TPenMode, mode_)
void TPen::SetWidth(int v) {
  v = std::max(v, 1);
  if (v == width_) return;
  width_ = v;
  Changed();
}
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
QEL_SETTER(TBrush, Style, TBrushStyle, style_)
void TBrush::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TBrush*>(Source);
  if (!src) return TPersistent::Assign(Source);
  color_ = src->color_;
  style_ = src->style_;
  Changed();
}

TFont::TFont() = default;
QEL_SETTER(TFont, Name, const std::string&, name_)
QEL_SETTER(TFont, Height, int, height_)
QEL_SETTER(TFont, Style, TFontStyles, style_)
QEL_SETTER(TFont, Color, TColor, color_)
QEL_SETTER(TFont, Orientation, int, orientation_)
QEL_SETTER(TFont, Quality, TFontQuality, quality_)
QEL_SETTER(TFont, Pitch, TFontPitch, pitch_)
QEL_SETTER(TFont, Charset, uint8_t, charset_)

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
