// TSpeedButton: settings and grouping; the mouse; painting (face and frame,
// then glyph and caption placed by the layout).
#include "platform/stdctrls/SpeedButton.h"

#include <algorithm>

#include "platform/stdctrls/ButtonFace.h"
#include "platform/stdctrls/DrawText.h"
#include "platform/stdctrls/HintWindow.h"

namespace qel {

namespace {
constexpr unsigned kCaptionFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

TSize CaptionSize(TCanvas* c, const std::string& caption) {
  if (caption.empty()) return {};
  TRect r{};
  DrawText(c, caption, r, kCaptionFlags | DT_CALCRECT);
  return {r.Width(), r.Height()};
}
}  // namespace

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), glyph_(std::make_unique<TBitmap>()) {
  InstallHints();
  // The button fires Click itself on release, so the plain click event is off.
  controlStyle_ = TControlStyle{csCaptureMouse, csDoubleClicks};
  SetBounds(0, 0, 23, 22);
  SetColor(clBtnFace);
}

TSpeedButton::~TSpeedButton() = default;

// ---------------------------------------------------------- settings ----

void TSpeedButton::SetGroupIndex(int v) {
  if (v == groupIndex_) return;
  groupIndex_ = v;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool v) {
  if (v == allowAllUp_) return;
  allowAllUp_ = v;
  UpdateExclusive();  // the whole group follows
}

// Outside a group a button is never down; the down button of a group goes
// up only with AllowAllUp (another button going down pushes it up instead).
void TSpeedButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == FDown) return;
  if (FDown && !allowAllUp_) return;
  FDown = v;
  if (FState != bsDisabled) FState = v ? bsExclusive : bsUp;
  Invalidate();
  if (v) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool v) {
  if (v == flat_) return;
  flat_ = v;
  Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* v) {
  if (v) glyph_->Assign(v);
  else glyph_->SetSize(0, 0);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int v) {
  v = std::clamp(v, 1, 4);
  if (v == numGlyphs_) return;
  numGlyphs_ = v;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v) {
  if (v == layout_) return;
  layout_ = v;
  Invalidate();
}

void TSpeedButton::SetSpacing(int v) {
  if (v == spacing_) return;
  spacing_ = v;
  Invalidate();
}

// Tells the group's other buttons (the parent's controls) who is down and
// whether all may be up.
void TSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || !GetParent()) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<uintptr_t>(groupIndex_), reinterpret_cast<intptr_t>(this), 0};
  GetParent()->Broadcast(m);
}

// Other kinds of buttons announce themselves with the same message: only a
// speed button of the same parent counts as the sender.
void TSpeedButton::CMButtonPressed(TMessage& Message) {
  if (Message.WParam != static_cast<uintptr_t>(groupIndex_) || groupIndex_ == 0 || !GetParent()) return;
  TSpeedButton* sender = nullptr;
  for (int i = 0; i < GetParent()->ControlCount() && !sender; ++i) {
    auto* b = dynamic_cast<TSpeedButton*>(GetParent()->Controls(i));
    if (b && b != this && reinterpret_cast<intptr_t>(b) == Message.LParam) sender = b;
  }
  if (!sender) return;
  if (sender->FDown && FDown) {
    FDown = false;
    if (FState != bsDisabled) FState = bsUp;
    Invalidate();
  }
  allowAllUp_ = sender->allowAllUp_;
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

// ------------------------------------------------------------- mouse ----

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  bool inside = GetClientRect().Contains({X, Y});
  TButtonState state = FDown ? bsExclusive : (inside ? bsDown : bsUp);
  if (state == FState) return;
  FState = state;
  Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging || Button != mbLeft) return;
  FDragging = false;
  bool over = GetClientRect().Contains({X, Y});
  FMouseInControl = over;
  if (groupIndex_ == 0) {
    FState = bsUp;
    Invalidate();
  } else if (over) {
    SetDown(!FDown);
    FState = FDown ? bsExclusive : bsUp;  // a refused release of the down button stays latched
    Invalidate();
  } else {
    FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  }
  if (over) Click();
}

void TSpeedButton::CMMouseEnter(TMessage& Message) {
  TGraphicControl::WndProc(Message);
  TCustomForm* form = GetParentForm();
  if (FMouseInControl || !GetEnabled() || (form && form->CaptureControl())) return;
  FMouseInControl = true;
  if (flat_) Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage& Message) {
  TGraphicControl::WndProc(Message);
  if (!FMouseInControl || FDragging) return;
  FMouseInControl = false;
  if (flat_) Invalidate();
}

void TSpeedButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_BUTTONPRESSED: CMButtonPressed(Message); return;
    case CM_ENABLEDCHANGED:
      FDragging = false;
      FState = !GetEnabled() ? bsDisabled : FDown ? bsExclusive : bsUp;
      Invalidate();
      break;
    default: break;
  }
  TGraphicControl::WndProc(Message);
}

// ---------------------------------------------------------- painting ----

void TSpeedButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = GetClientRect();
  PaintFace(c, r);
  if (Sunken()) r.Offset(1, 1);
  PaintContent(c, r);
}

// Fills the face and draws the frame; R becomes the area inside the frame.
void TSpeedButton::PaintFace(TCanvas* C, TRect& R) {
  bool hot = FMouseInControl && GetEnabled();
  TColor face = flat_ && !Sunken() && !hot && GetParent() ? GetParent()->GetColor() : GetColor();
  C->Brush()->SetStyle(bsSolid);
  if (FState == bsExclusive && !(flat_ && hot)) FillChecked(C, R, face, clBtnHighlight);
  else {
    C->Brush()->SetColor(face);
    C->FillRect(R);
  }
  if (!flat_) StylePainter::PaintButtonFrame(C, R, Sunken());
  else if (Sunken()) StylePainter::PaintBevel(C, R, clBtnShadow, clBtnHighlight);
  else if (hot) StylePainter::PaintBevel(C, R, clBtnHighlight, clBtnShadow);
  else R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
}

// The picture of one state, cut from the glyph strip; Embossed when the
// disabled look must be made from the up picture.
std::unique_ptr<TBitmap> TSpeedButton::GlyphFor(TButtonState State, bool& Embossed) const {
  Embossed = false;
  if (glyph_->Empty()) return nullptr;
  int index = State == bsDisabled ? 1 : State == bsDown ? 2 : State == bsExclusive ? 3 : 0;
  if (index >= numGlyphs_) {
    Embossed = State == bsDisabled;
    index = 0;
  }
  int w = glyph_->GetWidth() / numGlyphs_, h = glyph_->GetHeight();
  if (w <= 0) return nullptr;
  auto out = std::make_unique<TBitmap>(w, h);
  for (int y = 0; y < h; ++y) std::copy_n(glyph_->ScanLine(y) + index * w, w, out->ScanLine(y));
  out->SetTransparent(true);
  out->SetTransparentColor(glyph_->GetTransparentColor());
  return out;
}

namespace {
// The disabled look of a picture: its shape in highlight, one pixel right
// and down, under its shape in shadow.
void DrawEmbossed(TCanvas* c, int x, int y, TBitmap& glyph) {
  uint32_t clear = ColorToPixel(glyph.GetTransparentColor());
  for (int pass = 0; pass < 2; ++pass)
    for (int gy = 0; gy < glyph.GetHeight(); ++gy)
      for (int gx = 0; gx < glyph.GetWidth(); ++gx)
        if (glyph.ScanLine(gy)[gx] != clear)
          c->SetPixels(x + gx + 1 - pass, y + gy + 1 - pass, pass == 0 ? clBtnHighlight : clBtnShadow);
}
}  // namespace

void TSpeedButton::PaintContent(TCanvas* C, const TRect& R) {
  C->Font()->Assign(GetFont());
  bool embossed = false;
  std::unique_ptr<TBitmap> glyph = GlyphFor(FState, embossed);
  TSize g = glyph ? TSize{glyph->GetWidth(), glyph->GetHeight()} : TSize{};
  TSize t = CaptionSize(C, GetCaption());
  int gap = g.cx > 0 && t.cx > 0 ? spacing_ : 0;
  bool across = layout_ == blGlyphLeft || layout_ == blGlyphRight;
  bool glyphFirst = layout_ == blGlyphLeft || layout_ == blGlyphTop;
  // The glyph and the caption are centred together as one block.
  int total = across ? g.cx + gap + t.cx : g.cy + gap + t.cy;
  int start = across ? R.Left + (R.Width() - total) / 2 : R.Top + (R.Height() - total) / 2;
  int glyphAt = glyphFirst ? start : start + total - (across ? g.cx : g.cy);
  int textAt = glyphFirst ? start + total - (across ? t.cx : t.cy) : start;
  TPoint gp = across ? TPoint{glyphAt, R.Top + (R.Height() - g.cy) / 2}
                     : TPoint{R.Left + (R.Width() - g.cx) / 2, glyphAt};
  TRect tr = across ? Bounds(textAt, R.Top + (R.Height() - t.cy) / 2, t.cx, t.cy)
                    : Bounds(R.Left + (R.Width() - t.cx) / 2, textAt, t.cx, t.cy);
  if (glyph && embossed) DrawEmbossed(C, gp.X, gp.Y, *glyph);
  else if (glyph) C->Draw(gp.X, gp.Y, glyph.get());
  if (t.cx == 0) return;
  C->Brush()->SetStyle(bsClear);
  if (GetEnabled()) DrawText(C, GetCaption(), tr, kCaptionFlags | DT_NOCLIP);
  else DrawDisabledText(C, GetCaption(), tr, kCaptionFlags | DT_NOCLIP);
}

}  // namespace qel
