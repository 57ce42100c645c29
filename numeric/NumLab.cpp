// TNumLab: construction, the setters with limits, and Assign. Painting is
// in NumLabPaint.cpp, the value text in NumLabText.cpp.
#include <algorithm>

#include "numeric/QEL_NumLab.h"

namespace qel {

TNumLab::TNumLab(TComponent* AOwner) : TGraphicControl(AOwner), buffer_(std::make_unique<TBitmap>()) {
  SetBounds(GetLeft(), GetTop(), 160, 28);
}

TNumLab::~TNumLab() = default;

void TNumLab::ShowChange(TRefresh Refresh) {
  // ANDing a new picture onto the old one would keep both: a transparent
  // label always lets the parent paint first.
  if (Refresh == TRefresh::Invalidate || transparent_) Invalidate();
  else Paint();
}

void TNumLab::SetPrecision(int v) {
  if (v < 0) return;
  Apply(format_.Precision, std::min(v, 15));
}

void TNumLab::SetLeftSpace(int v) {
  if (v < 0) return;
  Apply(leftSpace_, std::min(v, GetWidth()));
}

void TNumLab::SetColorScheme(TColorScheme v) {
  if (scheme_.Set(v)) ShowChange(TRefresh::Repaint);
}

void TNumLab::SetEnabled(bool v) {
  TGraphicControl::SetEnabled(v);
  Refresh();
}

void TNumLab::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TNumLab*>(Source);
  if (!src) return TGraphicControl::Assign(Source);
  leftSpace_ = src->leftSpace_;
  empty_ = src->empty_;
  labelWidth_ = src->labelWidth_;
  format_.Precision = src->format_.Precision;
  leftText_ = src->leftText_;
  rightText_ = src->rightText_;
  frameStyle_ = src->frameStyle_;
  alignment_ = src->alignment_;
  rightTextAlignment_ = src->rightTextAlignment_;
  leftTextAlignment_ = src->leftTextAlignment_;
  format_.OverflowIndicator = src->format_.OverflowIndicator;
  value_ = src->value_;
  format_.StateText = src->format_.StateText;
  transparent_ = src->transparent_;
  colorLabBakG_ = src->colorLabBakG_;
  colorLabText_ = src->colorLabText_;
  colorOutBakG_ = src->colorOutBakG_;
  colorOutText_ = src->colorOutText_;
  scheme_ = src->scheme_;
  format_.Type = src->format_.Type;
  ShowChange(TRefresh::Repaint);
}

void TNumLab::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TNumLab*>(Dest)) return d->Assign(this);
  TGraphicControl::AssignTo(Dest);
}

}  // namespace qel
