// TColSel items and input: an item's swatch, edit mark and name, the choice
// of an item, and redefining an editable entry through the colour dialog.
#include <cmath>

#include "pickers/QEL_Colsel.h"
#include "platform/stdctrls/ColorDialog.h"

namespace qel {

namespace {
constexpr TColor kSilver = 0xC0C0C0, kGrey = 0x808080, kBlack = 0x000000, kWhite = 0xFFFFFF;
// Below this width the swatch has no room for the edit mark.
constexpr int kEditMarkMinWidth = 12;
}  // namespace

// ------------------------------------------------------------- drawing ----

// The selection state is not shown: the platform frames the current row.
void TColSel::DrawItem(int Index, const TRect& Rect, TOwnerDrawState) {
  TCanvas* c = Canvas();
  TColor brush = c->Brush()->GetColor(), font = c->Font()->GetColor();
  int entry = Index + 1;
  bool enabled = GetEnabled();
  if (colorBarWidth_ > 0 && Listed(entry)) DrawSwatch(c, entry, Rect);
  c->Brush()->SetColor(enabled ? GetColor() : kSilver);
  c->Font()->SetColor(enabled ? kBlack : kGrey);
  TRect text = Rect;
  text.Left += colorBarWidth_ + 3;
  if (Listed(entry)) c->TextRect(text, text.Left + 3, Rect.Top + (Rect.Height() - c->TextHeight("Wg")) / 2, names_[entry]);
  else c->FillRect(text);
  c->Brush()->SetColor(brush);
  c->Font()->SetColor(font);
}

void TColSel::DrawSwatch(TCanvas* C, int Entry, const TRect& R) {
  TRect swatch{R.Left + 3, R.Top + 2, R.Left + 3 + colorBarWidth_, R.Bottom - 2};
  if (GetEnabled()) {
    C->Pen()->SetColor(kBlack);
    C->Brush()->SetColor(colors_[Entry]);
    C->Rectangle(swatch);
    if (editable_[Entry] && colorBarWidth_ >= kEditMarkMinWidth) DrawEditMark(C, colors_[Entry], R);
  } else {
    C->Pen()->SetColor(kSilver);
    C->Brush()->SetColor(kSilver);
    C->Rectangle(R.Left - 1, R.Top - 1, R.Left + 3 + colorBarWidth_, R.Bottom + 1);
    C->Pen()->SetColor(kGrey);
    C->Rectangle(swatch);
  }
}

// A small pencil outline in the swatch, black on light colours and white on
// dark ones (green weighs double, as the eye sees it).
void TColSel::DrawEditMark(TCanvas* C, TColor Color, const TRect& R) {
  TColor rgb = ColorToRGB(Color);
  double r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
  double brightness = std::sqrt(r * r + b * b + 2 * g * g) / 2;
  C->Pen()->SetColor(brightness > 180 ? kBlack : kWhite);
  const TPoint mark[] = {{R.Left + 5, R.Top + 4},     {R.Left + 5, R.Bottom - 5}, {R.Left + 8, R.Bottom - 5},
                         {R.Left + 11, R.Bottom - 8}, {R.Left + 11, R.Top + 7},   {R.Left + 8, R.Top + 4},
                         {R.Left + 5, R.Top + 4}};
  C->Polyline(mark);
  C->Pen()->SetColor(kBlack);
}

// --------------------------------------------------------------- input ----

void TColSel::Click() {
  if (GetItemIndex() >= 0) selected_ = GetItemIndex() + 1;
  TCustomComboBox::Click();
}

void TColSel::MouseMove(TShiftState Shift, int X, int Y) {
  mouseOnSwatch_ = X < colorBarWidth_;
  TCustomComboBox::MouseMove(Shift, X, Y);
}

void TColSel::WndProc(TMessage& Message) {
  if (Message.Msg == CM_MOUSELEAVE) mouseOnSwatch_ = false;
  TCustomComboBox::WndProc(Message);
}

// The press that opens the list asks first whether the swatch was meant.
void TColSel::DropDown() {
  if (mouseOnSwatch_ && GetArrayAllowEdit(GetItemIndex() + 1)) RedefineSelectedColor();
  TCustomComboBox::DropDown();
}

void TColSel::RedefineSelectedColor() {
  TColorDialog dialog(nullptr);
  dialog.SetColor(colors_[selected_]);
  if (dialog.Execute()) {
    colors_[selected_] = dialog.GetColor();
    StoreName(selected_, GeneratedName(ColorToRGB(dialog.GetColor())));
  }
  Refresh();
}

}  // namespace qel
