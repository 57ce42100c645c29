// TNTabEd painting: the paint operation, data cells (text, colours by
// state byte, selection, the render hook), the header cells and the corner.
//
// Colours of a data cell by its state byte s:
//   s < 64        ColorRangeSelFG when selected, else ColorNormal
//   64 .. 127     ColorMarkedA     (mark A only)    bold when BoldMarks
//   128 .. 191    ColorMarkedB     (mark B only)    bold when BoldMarks
//   192 ..        ColorMarkedBoth                   bold when BoldMarks
// Background ColorRangeSelBG when selected, else what the grid set.
#include <cmath>

#include "ntabed/detail/CellFormat.h"
#include "ntabed/QEL_ntabed.h"
#include "platform/rtl/NumConv.h"

namespace qel {

namespace {

// A nominal code that has no identifier, in decimal (huge ones in exponent form).
std::string CodeText(double Code, int Width) {
  if (std::fabs(Code) < 1e15) return IntToStr(int64_t(Code));
  return FormatCellNumber(Code, Width, DecPlacesScientific);
}

}  // namespace

void TNTabEd::Paint() {
  if (PaintPaused() || !HandleAllocated()) return;
  TCustomDataGrid::Paint();
  DrawHeaderOutline();
  if (!optimizeRowHeight_) return;
  int h = AutoRowHeight(-1, 2);
  if (h != GetDefaultRowHeight()) SetDefaultRowHeight(h);
}

std::string TNTabEd::DataCellText(int Col, int Row) const {
  if (Col < 1 || Col > table_->GetNrOfColumns() || Row < 1 || Row > table_->GetNrOfRows()) return {};
  uint8_t state = table_->GetCellState(Col, Row);
  if (state & csEmpty) return {};
  if (state & csInvalid) return "-nan-";
  double v = table_->GetElem(Col, Row);
  int scaleType = table_->GetMScaleType(Col);
  if ((scaleType == 1 || scaleType == 2) && std::isfinite(v)) {
    double code = std::round(v);
    if (code >= 1 && code <= MaxNominalCode) {
      std::string id = table_->GetNominalID(Col, int(code));
      if (!id.empty()) return id;
    }
    return std::string(MScaleTypeNames[scaleType]) + ":" + CodeText(code, numWidth_);
  }
  return FormatCellNumber(v, numWidth_, DecPlacesOf(Col));
}

void TNTabEd::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (ACol == 0 && ARow == 0) DrawCorner(ARect);
  else if (ACol <= colOffset_ || ARow <= rowOffset_) DrawFixedCell(ACol, ARow, ARect);
  else DrawDataCell(DataCol(ACol), DataRow(ARow), ARect, AState);
}

void TNTabEd::BeforeRenderCell(int Col, int Row, std::string& Text, TColor& ColorText, TColor& ColorBakg,
                               TFontStyles& FontStyles) {
  if (OnBeforeRenderCell) OnBeforeRenderCell(this, Col, Row, Text, ColorText, ColorBakg, FontStyles);
}

void TNTabEd::DrawDataCell(int Col, int Row, const TRect& R, TGridDrawState State) {
  TCanvas* C = Canvas();
  uint8_t s = table_->GetCellState(Col, Row);
  bool selected = State.Contains(gdSelected);
  std::string text = DataCellText(Col, Row);
  TFontStyles style = GetFont()->GetStyle();
  TColor fg = selected ? colorRangeSelFG_ : colorNormal_;
  if (s >= 64) {
    fg = s < 128 ? colorMarkedA_ : s < 192 ? colorMarkedB_ : colorMarkedBoth_;
    if (boldMarks_) style.Include(fsBold);
  }
  TColor bg = selected ? colorRangeSelBG_ : C->Brush()->GetColor();
  BeforeRenderCell(Col, Row, text, fg, bg, style);
  C->Font()->SetColor(fg);
  C->Font()->SetStyle(style);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(bg);
  C->TextRect(R, R.Left + 2, R.Top + 1, text);
}

// Fixed cells but the corner are inset by a pixel on each side that has an
// extent, and all but the "Attrib" label lose two more at the right.
void TNTabEd::DrawFixedCell(int ACol, int ARow, TRect R) {
  bool attribLabel = ARow == 0 && ACol == 1 && colOffset_ == 1;
  if (R.Height() > 0) ++R.Top, --R.Bottom;
  if (R.Width() > 0) ++R.Left, --R.Right;
  if (!attribLabel) R.Right -= 2;
  TCanvas* C = Canvas();
  if (ACol <= colOffset_ && ARow <= rowOffset_) {  // the headers' own headers
    if (attribLabel) C->TextRect(R, R.Left + 2, R.Top + 1, "Attrib");
    else if (ACol == 0 && ARow == 1) C->TextRect(R, R.Left + 2, R.Top + 1, "Attribute");
    return;
  }
  TGridRect sel = GetSelection();
  int r = DataRow(ARow), c = DataCol(ACol);
  if (ACol == 0) DrawHeaderText(R, R.Left + 2, R.Top, table_->GetRowName(r), ARow == sel.Top);
  else if (ACol <= colOffset_) DrawHeaderText(R, R.Left + 2, R.Top + 1, IntToStr(int(table_->GetRowAttrib(r))), ARow == sel.Top);
  else if (ARow == 0) DrawHeaderText(R, R.Left + 2, R.Top + 1, table_->GetColName(c), ACol == sel.Left);
  else DrawHeaderText(R, R.Left + 2, R.Top + 1, IntToStr(int(table_->GetColAttrib(c))), ACol == sel.Left);
}

// The header of the current row or column stands out.
void TNTabEd::DrawHeaderText(const TRect& R, int X, int Y, const std::string& Text, bool Current) {
  TCanvas* C = Canvas();
  TFontStyles base = GetFont()->GetStyle();
  C->Font()->SetColor(Current ? colorSelected_ : colorNormal_);
  if (Current && boldSelHeads_) C->Font()->SetStyle(base + TFontStyles{fsBold});
  C->TextRect(R, X, Y, Text);
  C->Font()->SetStyle(base);
}

std::string TNTabEd::CornerText() const {
  TGridRect sel = GetSelection();
  return IntToStr(DataCol(sel.Left)) + ":" + IntToStr(DataRow(sel.Top));
}

void TNTabEd::DrawCorner(const TRect& R) {
  TCanvas* C = Canvas();
  C->Brush()->SetStyle(bsSolid);
  if (commentEditing_) {
    C->Brush()->SetColor(0x808000);
    C->Font()->SetColor(clWhite);
    C->TextRect(R, R.Left + 2, R.Top + 1, "Comment:");
    return;
  }
  C->Brush()->SetColor(clWindow);
  C->Font()->SetColor(colorNormal_);
  C->TextRect(R, R.Left + 3, R.Top + 2, CornerText());
}

void TNTabEd::RedrawCorner() {
  if (PaintPaused() || !HandleAllocated()) return;
  TRect r = CellRect(0, 0);
  if (r.IsEmpty()) return;
  TCanvas* C = Canvas();
  C->Font()->Assign(GetFont());
  C->Font()->SetStyle({});
  C->Font()->SetColor(colorNormal_);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clWindow);
  C->TextRect(r, r.Left + 3, r.Top + 2, CornerText());
}

}  // namespace qel
