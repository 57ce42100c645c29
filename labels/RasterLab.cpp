// TRasterLab: construction, the text, dot and colour settings, the font and
// its character matrix, auto height and auto centre, Assign.
#include <algorithm>

#include "labels/detail/RasterFont.h"
#include "labels/detail/RasterTextRuler.h"
#include "platform/controls/Application.h"
#include "platform/rtl/Utf8.h"

namespace qel {

TRasterLab::TRasterLab(TComponent* AOwner)
    : TGraphicControl(AOwner),
      matrix_(std::make_unique<TRDCharMatrix>(rasterfont::Builtin())),
      buffer_(std::make_unique<TBitmap>()),
      ruler_(std::make_unique<TRasterTextRuler>()),
      timer_([this](uintptr_t) { DoTimer(); }, this) {
  controlStyle_.Include(csOpaque);  // every pixel is painted
  SetBounds(GetLeft(), GetTop(), 400, 68);
  TControl::SetText("Text");
  GetFont()->SetName("default");  // each font change rebuilds the matrix
  GetFont()->SetSize(8);
}

TRasterLab::~TRasterLab() = default;

// ---------------------------------------------------------- text, dots ----

void TRasterLab::SetText(const std::string& v) {
  if (v == GetText()) return;
  TControl::SetText(v);
  ApplyAutoCenter();
  Paint();
}

void TRasterLab::SetDotSize(int v) {
  v = std::clamp(v, 1, 32);
  if (v == dotSize_) return;
  dotSize_ = v;
  ApplyAutoHeight();
  ApplyAutoCenter();
  Paint();
}

void TRasterLab::SetDotSpacing(int v) {
  v = std::clamp(v, 0, 3);
  if (v == dotSpacing_) return;
  dotSpacing_ = v;
  ApplyAutoHeight();
  ApplyAutoCenter();
  Paint();
}

void TRasterLab::SetAutoHeight(bool v) {
  autoHeight_ = v;
  ApplyAutoHeight();
}

void TRasterLab::SetAutoCenter(bool v) {
  autoCenter_ = v;
  if (v) ApplyAutoCenter();
  else posX_ = 1;
  Paint();
}

void TRasterLab::ApplyAutoHeight() {
  if (autoHeight_) SetHeight(FrameWidth(frameStyle_) + Pitch() * std::clamp(matrix_->Height, 0, 32));
}

void TRasterLab::ApplyAutoCenter() {
  if (autoCenter_) posX_ = (GetWidth() - CalcTextBitLength(GetText())) / 2 + FrameWidth(frameStyle_) + 1;
}

// ------------------------------------------------------ font, matrix ----

TRDCharMatrix TRasterLab::CreateBitFont(TFont* Font) {
  if (!Font || AnsiLowerCase(Font->GetName()) == "default") return rasterfont::Builtin();
  return rasterfont::Sample(*Font);
}

// A new matrix changes the text's size as a new font does.
void TRasterLab::SetCharMatrix(const TRDCharMatrix& Matrix) {
  *matrix_ = Matrix;
  ruler_->Forget();
  ApplyAutoHeight();
  ApplyAutoCenter();
  Paint();
}

void TRasterLab::FontMatrixChanged() { SetCharMatrix(CreateBitFont(GetFont())); }

void TRasterLab::WndProc(TMessage& Message) {
  TGraphicControl::WndProc(Message);
  if (Message.Msg == CM_FONTCHANGED) FontMatrixChanged();
  if (Message.Msg == CM_TEXTCHANGED) ruler_->Forget();
}

// ---------------------------------------------------- colours, assign ----

void TRasterLab::SetColorScheme(TColorScheme v) {
  if (scheme_.Set(v)) Paint();
}

void TRasterLab::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TRasterLab*>(Source);
  if (!s) return TGraphicControl::Assign(Source);
  frameStyle_ = s->frameStyle_;
  TControl::SetText(s->GetText());
  colorLabBakG_ = s->colorLabBakG_;
  colorDotOn_ = s->colorDotOn_;
  edge0_ = s->edge0_, scheme_ = s->scheme_;
  ApplyAutoCenter();
  Paint();
}

void TRasterLab::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TRasterLab*>(Dest)) return d->Assign(this);
  TGraphicControl::AssignTo(Dest);
}

}  // namespace qel
