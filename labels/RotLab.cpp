// TRotLab: construction, the settings and their refresh, the anchor, Assign.
#include "labels/QEL_RotLab.h"

namespace qel {

TRotLab::TRotLab(TComponent* AOwner) : TCustomLabel(AOwner) {
  SetAutoSize(false);
  TCustomLabel::SetAlignment(taCenter);
  TControl::SetColor(clBtnFace);
  GetFont()->SetName("Arial");
  GetFont()->SetSize(11);
  OnResize = [this](TObject* Sender) { LabelResized(Sender); };
  SetBounds(GetLeft(), GetTop(), 200, 200);
  // transparent_ starts on without telling the platform label: see the header.
}

void TRotLab::RefreshLabel() {
  if (transparent_) Invalidate();
  else Paint();
}

// ------------------------------------------------------------ anchor ----

void TRotLab::CenterAnchor() {
  posX_ = GetWidth() / 2;
  posY_ = GetHeight() / 2;
}

void TRotLab::SetPosX(int v) {
  if (v == posX_) return;
  if (autoCenter_) CenterAnchor();
  else posX_ = v;
  RefreshLabel();
}

void TRotLab::SetPosY(int v) {
  if (v == posY_) return;
  if (autoCenter_) CenterAnchor();
  else posY_ = v;
  RefreshLabel();
}

void TRotLab::SetAutoCenter(bool v) {
  if (v == autoCenter_) return;
  autoCenter_ = v;
  if (v) CenterAnchor();
  RefreshLabel();
}

void TRotLab::LabelResized(TObject*) {
  if (!GetParent() || !autoCenter_) return;
  CenterAnchor();
  RefreshLabel();
}

// A label made at run time gets its parent after its size: centre it then.
void TRotLab::SetParent(TWinControl* AParent) {
  TCustomLabel::SetParent(AParent);
  if (AParent && autoCenter_) CenterAnchor();
}

// ---------------------------------------------------------- settings ----

void TRotLab::SetAlignment(TAlignment v) {
  if (v == GetAlignment()) return;
  TCustomLabel::SetAlignment(v);
  RefreshLabel();
}

// Compared with what the platform label shows too, so that assigning the
// initial value makes the label transparent.
void TRotLab::SetTransparent(bool v) {
  if (v == transparent_ && v == TCustomLabel::GetTransparent()) return;
  transparent_ = v;
  TCustomLabel::SetTransparent(v);
  RefreshLabel();
}

void TRotLab::SetColor(TColor v) {
  if (v == GetColor() && !GetParentColor()) return;
  TControl::SetColor(v);
  RefreshLabel();
}

void TRotLab::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TRotLab*>(Source);
  if (!s) return TCustomLabel::Assign(Source);
  autoCenter_ = s->autoCenter_;
  frameStyle_ = s->frameStyle_;
  textAngle_ = s->textAngle_;
  posX_ = s->posX_;
  posY_ = s->posY_;
  antiAlias_ = s->antiAlias_;
  Invalidate();
}

void TRotLab::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TRotLab*>(Dest)) return d->Assign(this);
  TCustomLabel::AssignTo(Dest);
}

}  // namespace qel
