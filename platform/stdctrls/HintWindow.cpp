// THintWindow: measuring and painting a hint; the short and long hint parts.
#include "platform/stdctrls/HintWindow.h"

#include "platform/stdctrls/ButtonFace.h"
#include "platform/stdctrls/DrawText.h"

namespace qel {

namespace {
// Room between the frame and the text.
constexpr int kPadX = 3, kPadY = 2;
constexpr unsigned kHintFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
}  // namespace

THintWindow::THintWindow(TComponent* AOwner) : TCustomForm(AOwner) {
  SetPopup(true);
  SetBorderStyle(bsNone);
  SetColor(clInfoBk);
  GetFont()->SetColor(clInfoText);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& Hint) {
  TCanvas measure;
  measure.Font()->Assign(GetFont());
  TRect r{0, 0, std::max(MaxWidth - 2 * kPadX, 1), 0};
  DrawText(&measure, Hint, r, kHintFlags | DT_CALCRECT);
  return {0, 0, r.Right + 2 * kPadX, r.Bottom + 2 * kPadY};
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& Hint) {
  SetCaption(Hint);
  SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  Invalidate();
  // Show() on a shown form would activate it; a popup must not be.
  if (!Showing()) Show();
}

void THintWindow::PaintWindow() {
  TCanvas* c = PaintCanvas();
  TRect r = GetClientRect();
  c->Brush()->SetColor(GetColor());
  c->FillRect(r);
  StylePainter::PaintBevel(c, r, clBlack, clBlack);
  c->Font()->Assign(GetFont());
  c->Brush()->SetStyle(bsClear);
  TRect text{kPadX, kPadY, GetClientRect().Right - kPadX, GetClientRect().Bottom - kPadY};
  DrawText(c, GetCaption(), text, kHintFlags);
}

std::string GetShortHint(const std::string& Hint) {
  size_t bar = Hint.find('|');
  return bar == std::string::npos ? Hint : Hint.substr(0, bar);
}

std::string GetLongHint(const std::string& Hint) {
  size_t bar = Hint.find('|');
  return bar == std::string::npos ? Hint : Hint.substr(bar + 1);
}

}  // namespace qel
