// TOnOffBut: construction, the setters with more to do than store and
// refresh, the frames (resources, user pictures), the group, the mouse and
// Assign. Painting is in OnOffButPaint.cpp.
#include <algorithm>

#include "gauges/QEL_onoffbut.h"

namespace qel {

namespace {
constexpr const char* kResourceNames[] = {
    "",           "CHECKBOX",   "RADIOBUT", "SLIDETOPBOT", "SLIDELFTRGT", "COLSLIDETB", "COLSLIDELR",
    "LEDREDGREEN", "ARROWTR",   "ARROWUD",  "ARROWLR",     "TRAFFICLGT",  "BEVELEDLED", "SMILEYS",
    "SMILEYRG",   "BULB",       "BUTLAMP",  "HDLEFT",      "HDRIGHT",     "USER1",      "USER2",
    "USER3",      "USER4",      "USER5"};

// The built-in user pictures, 20 x 20: a circle when on, a cross when off,
// blank when disabled.
void DrawUserFrames(std::array<std::unique_ptr<TBitmap>, 4>& Frames) {
  for (auto& f : Frames) {
    f->SetSize(20, 20);
    TCanvas& c = *f->Canvas();
    c.Brush()->SetColor(clWhite);
    c.FillRect({0, 0, 20, 20});
    c.Pen()->SetColor(clBlack);
  }
  Frames[3]->Canvas()->Ellipse(5, 5, 15, 15);
  TCanvas& off = *Frames[1]->Canvas();
  off.MoveTo(0, 0);
  off.LineTo(20, 20);
  off.MoveTo(0, 20);
  off.LineTo(20, 0);
}
}  // namespace

const char* OnOffButResourceName(TOnOffButStyle Style) {
  return Style <= oobsUser5 ? kResourceNames[Style] : "";
}

TOnOffBut::TOnOffBut(TComponent* AOwner)
    : TGraphicControl(AOwner), main_(std::make_unique<TBitmap>()), mask_(std::make_unique<TBitmap>()) {
  for (auto& f : frames_) f = std::make_unique<TBitmap>();
  for (auto& f : userFrames_) f = std::make_unique<TBitmap>();
  DrawUserFrames(userFrames_);
  LoadGlyphs();
  SetBounds(GetLeft(), GetTop(), 100, 50);  // the spaces stay 35 and 18
  OnResize = [this](TObject* Sender) { ProcessResize(Sender); };
}

TOnOffBut::~TOnOffBut() = default;

// ------------------------------------------------------------ refresh ----

void TOnOffBut::Redraw(TRefresh Refresh) {
  if (Refresh == TRefresh::Invalidate || (Refresh == TRefresh::Paint && transparent_)) Invalidate();
  else if (Refresh == TRefresh::Paint) Paint();
}

// ------------------------------------------------------ state, group ----

void TOnOffBut::SetOnOff(bool v) {
  if (v == onOff_) return;
  if (!v && groupIndex_ != 0 && !allowAllOff_) return;
  onOff_ = v;
  Redraw(TRefresh::Paint);
  if (v) UpdateExclusive();
}

void TOnOffBut::SetMode(TOOButMode v) {
  mode_ = v;
  if (v == oobmSpeedBut) onOff_ = false;
  Invalidate();
}

void TOnOffBut::SetGroupIndex(int v) {
  if (v == groupIndex_) return;
  groupIndex_ = v;
  UpdateExclusive();
}

void TOnOffBut::SetAllowAllOff(bool v) {
  if (v == allowAllOff_) return;
  allowAllOff_ = v;
  UpdateExclusive();
}

void TOnOffBut::UpdateExclusive() {
  if (groupIndex_ == 0 || !GetParent()) return;
  TMessage m{CM_BUTTONPRESSED, uintptr_t(groupIndex_), reinterpret_cast<intptr_t>(this), 0};
  GetParent()->Broadcast(m);
}

// Other kinds of buttons announce themselves with the same message: only an
// on/off button of the same parent counts as the sender.
void TOnOffBut::CMButtonPressed(TMessage& Message) {
  if (groupIndex_ == 0 || Message.WParam != uintptr_t(groupIndex_) || !GetParent()) return;
  TOnOffBut* sender = nullptr;
  for (int i = 0; i < GetParent()->ControlCount() && !sender; ++i) {
    auto* b = dynamic_cast<TOnOffBut*>(GetParent()->Controls(i));
    if (b && b != this && reinterpret_cast<intptr_t>(b) == Message.LParam) sender = b;
  }
  if (!sender) return;
  if (sender->onOff_ && onOff_) {
    onOff_ = false;
    Redraw(TRefresh::Paint);
  }
  allowAllOff_ = sender->allowAllOff_;
}

void TOnOffBut::WndProc(TMessage& Message) {
  if (Message.Msg == CM_BUTTONPRESSED) return CMButtonPressed(Message);
  TGraphicControl::WndProc(Message);
}

// ---------------------------------------------------------- placement ----

void TOnOffBut::SetAutoCenter(bool v) {
  if (v == autoCenter_) return;
  autoCenter_ = v;
  if (v) AdjustAutoCenter();
  Redraw(TRefresh::Paint);
}

void TOnOffBut::SetLeftSpace(int v) {
  if (v == leftSpace_ || v < 0) return;
  if (autoCenter_) AdjustAutoCenter();
  else leftSpace_ = std::min(v, GetWidth());
  Invalidate();
}

void TOnOffBut::SetTopSpace(int v) {
  if (v == topSpace_ || v < 0) return;
  if (autoCenter_) AdjustAutoCenter();
  else topSpace_ = std::min(v, GetHeight());
  Invalidate();
}

void TOnOffBut::AdjustAutoCenter() {
  leftSpace_ = (GetWidth() - glyphWidth_) / 2;
  topSpace_ = (GetHeight() - glyphHeight_) / 2;
}

void TOnOffBut::ProcessResize(TObject*) {
  if (!GetParent() || !autoCenter_) return;
  AdjustAutoCenter();
  Redraw(TRefresh::Paint);
}

void TOnOffBut::SetColorScheme(TColorScheme v) {
  if (scheme_.Set(v)) Redraw(TRefresh::Invalidate);
}

// ------------------------------------------------------------ pictures ----

void TOnOffBut::Cut(const TBitmap& Picture, std::array<std::unique_ptr<TBitmap>, 4>& Into) {
  const int w = Picture.GetWidth() / 2, h = Picture.GetHeight() / 2;
  // Quadrants: on-enabled, off-enabled / on-disabled, off-disabled.
  const struct {
    int index, x, y;
  } quadrants[] = {{3, 0, 0}, {1, w, 0}, {2, 0, h}, {0, w, h}};
  for (auto q : quadrants) {
    TBitmap& f = *Into[q.index];
    f.SetSize(w, h);
    for (int y = 0; y < h; ++y) std::copy_n(Picture.ScanLine(q.y + y) + q.x, w, f.ScanLine(y));
  }
}

void TOnOffBut::ExtractGlyphs(TBitmap* Picture) {
  if (!Picture) return;
  Cut(*Picture, frames_);
  glyphWidth_ = Picture->GetWidth() / 2;
  glyphHeight_ = Picture->GetHeight() / 2;
}

void TOnOffBut::LoadGlyphs() {
  if (buttonStyle_ == oobsUser) {
    for (int i = 0; i < 4; ++i) frames_[i]->Assign(userFrames_[i].get());
    glyphWidth_ = userFrames_[0]->GetWidth();
    glyphHeight_ = userFrames_[0]->GetHeight();
    return;
  }
  TBitmap picture;
  picture.LoadFromResourceName(HInstance, OnOffButResourceName(buttonStyle_));
  ExtractGlyphs(&picture);
}

// A style whose picture cannot be loaded leaves the button as it was.
void TOnOffBut::SetButtonStyle(TOnOffButStyle v) {
  if (v == buttonStyle_) return;
  const TOnOffButStyle old = buttonStyle_;
  buttonStyle_ = v;
  try {
    LoadGlyphs();
  } catch (...) {
    buttonStyle_ = old;
    throw;
  }
  if (autoCenter_) AdjustAutoCenter();
  Invalidate();
}

void TOnOffBut::SetUserGlyph(TBitmap* Picture) {
  if (!Picture || Picture->GetWidth() < 2 || Picture->GetHeight() < 2)
    throw EInvalidGraphic("TOnOffBut.SetUserGlyph: the picture needs at least 2 x 2 pixels");
  Cut(*Picture, userFrames_);
  if (buttonStyle_ == oobsUser) {
    LoadGlyphs();
    if (autoCenter_) AdjustAutoCenter();
  }
  Invalidate();
}

void TOnOffBut::LoadUserGlyph(const std::string& FileName) {
  TBitmap picture;
  picture.LoadFromFile(FileName);  // a bad file raises here, before anything changes
  SetUserGlyph(&picture);
}

const TBitmap* TOnOffBut::Frame(int Index) const {
  return Index >= 0 && Index < 4 ? frames_[Index].get() : nullptr;
}

// --------------------------------------------------------------- mouse ----

// Whether a press or release with Button at (X, Y) acts on the button.
bool TOnOffBut::Acts(TMouseButton Button, int X, int Y) const {
  if (mouseAction_ == oomaNone || Button != mbLeft) return false;
  if (mouseAction_ == oomaPlain) return GetClientRect().Contains({X, Y});
  return leftSpace_ < X && X < leftSpace_ + glyphWidth_ && topSpace_ < Y && Y < topSpace_ + glyphHeight_;
}

void TOnOffBut::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Acts(Button, X, Y)) SetOnOff(!onOff_);
}

void TOnOffBut::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!Acts(Button, X, Y)) return;
  if (mode_ == oobmSpeedBut && onOff_) {
    onOff_ = false;  // a push button: on only while held
    Redraw(TRefresh::Paint);
  }
  TGraphicControl::Click();
}

// -------------------------------------------------------------- Assign ----

void TOnOffBut::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TOnOffBut*>(Source);
  if (!src) return TGraphicControl::Assign(Source);
  if (src == this) return Invalidate();
  leftSpace_ = src->leftSpace_;
  topSpace_ = src->topSpace_;
  autoCenter_ = src->autoCenter_;
  text_ = src->text_;
  align_ = src->align_;
  frameStyle_ = src->frameStyle_;
  colorBackgnd_ = src->colorBackgnd_;
  scheme_ = src->scheme_;
  onOff_ = src->onOff_;
  for (int i = 0; i < 4; ++i) {
    frames_[i]->Assign(src->frames_[i].get());
    userFrames_[i]->Assign(src->userFrames_[i].get());
  }
  buttonStyle_ = src->buttonStyle_;
  mouseAction_ = src->mouseAction_;
  colorText_ = src->colorText_;
  glyphWidth_ = src->glyphWidth_;
  glyphHeight_ = src->glyphHeight_;
  transparent_ = src->transparent_;
  SetEnabled(src->GetEnabled());
  Invalidate();
  if (onOff_) UpdateExclusive();
}

void TOnOffBut::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TOnOffBut*>(Dest)) return d->Assign(this);
  TGraphicControl::AssignTo(Dest);
}

}  // namespace qel
