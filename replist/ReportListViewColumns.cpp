// TReportListView columns: per-column settings of the view and of the
// data, bulk check-mark changes and column widths.
#include <algorithm>
#include <climits>
#include <string_view>

#include "platform/graphics/TextMeasurer.h"
#include "platform/rtl/Utf8.h"
#include "replist/detail/ReportListViewInternal.h"

namespace qel {

// ----------------------------------------------------- column settings ----

void TReportListView::SetColName(int Col, const TNameStrType& Name) {
  if (!ValidCol(Col)) return;
  data_->SetColName(Col, Name);
  Changed();
  PaintAtOnce();
}

void TReportListView::SetColumnFormat(int Col, const TColFmtString& Format) {
  if (!ValidCol(Col)) return;
  data_->SetColumnFormat(Col, Format);
  Changed();
  PaintAtOnce();
}

void TReportListView::SetColCheckMode(int Col, TCheckMode Mode) {
  if (!ValidCol(Col)) return;
  data_->SetColCheckMode(Col, Mode);
  Changed();
  PaintAtOnce();
}

TAlignment TReportListView::GetColAlignment(int Col) const {
  const TColumnLook* look = ValidCol(Col) ? Look(Col) : nullptr;
  return look ? TAlignment(look->alignment) : taLeftJustify;
}

void TReportListView::SetColAlignment(int Col, TAlignment A) {
  TColumnLook* look = ValidCol(Col) ? Look(Col) : nullptr;
  if (look && SetProperty(look->alignment, uint8_t(A), TRefresh::Paint)) Changed();
}

bool TReportListView::GetColumnIsPwd(int Col) const {
  const TColumnLook* look = ValidCol(Col) ? Look(Col) : nullptr;
  return look && look->password;
}

void TReportListView::SetColumnIsPwd(int Col, bool B) {
  TColumnLook* look = ValidCol(Col) ? Look(Col) : nullptr;
  if (look && SetProperty(look->password, uint8_t(B), TRefresh::Paint)) Changed();
}

bool TReportListView::GetColumnEditable(int Col) const {
  const TColumnLook* look = ValidCol(Col) ? Look(Col) : nullptr;
  return look && look->editable;
}

void TReportListView::SetColumnEditable(int Col, bool B) {
  if (TColumnLook* look = ValidCol(Col) ? Look(Col) : nullptr) SetProperty(look->editable, uint8_t(B), TRefresh::None);
}

void TReportListView::SetAllCheckmarksOfCol(int Col, bool B) {
  TPaintPause pause(*this);
  data_->SetAllCheckmarksOfCol(Col, B);
}

void TReportListView::InvertAllCheckmarksOfCol(int Col) {
  TPaintPause pause(*this);
  data_->InvertAllCheckmarksOfCol(Col);
}

// --------------------------------------------------------------- widths ----

int TReportListView::GetColWidths(int Col) const { return ValidCol(Col) ? GridColWidth(GridCol(Col)) : 0; }

void TReportListView::SetColWidths(int Col, int Width) {
  if (ValidCol(Col)) SetGridColWidth(GridCol(Col), Width);
  ChangedSetup();
}

// Each cell is measured once, from tables of the font's advances. Radio
// columns get the room of their button like box columns, so that an
// automatic width never cuts their text.
int TReportListView::DetermineMaxColWidth(int Col, bool WithHeader) {
  if (!ValidCol(Col)) return 9;
  const bool marks = GetColCheckMode(Col) == cmBox || GetColCheckMode(Col) == cmRadio;
  const int italic = GetFont()->GetStyle().Contains(fsItalic) ? 2 : 0;
  int widest = 0;
  TTextMeasurer measure(*GetFont());
  for (int r = 1, rows = GetNrRows(); r <= rows; ++r) {
    const std::string& raw = data_->GetRawElem(Col, r);
    if (!marks) {
      widest = std::max(widest, measure.Width(raw));
      continue;
    }
    const std::string_view text = std::string_view(raw).substr(Utf8CharSize(raw, 0));
    widest = std::max(widest, measure.Width(text) + 16);
  }
  if (GetNrRows() > 0) widest += italic;
  if (WithHeader) {
    const std::string name = GetColName(Col);
    const int arrow = data_->GetSortColumn() == Col ? 13 : 0;
    // A name of several lines is as wide as its widest line.
    size_t start = 0;
    for (size_t i = 0; i <= name.size(); ++i) {
      if (i < name.size() && name[i] != '\n') continue;
      widest = std::max(widest, measure.Width(std::string_view(name).substr(start, i - start)) + arrow + italic);
      start = i + 1;
    }
  }
  return widest + 9;
}

void TReportListView::AutoColWidth(int Col, bool WithHeader, int Extra) {
  SetColWidths(Col, std::max(DetermineMaxColWidth(Col, WithHeader) + Extra, 4));
}

void TReportListView::AutoColWidth(int Col, bool WithHeader, int Extra, int MaxWidth) {
  SetColWidths(Col, std::min(std::max(DetermineMaxColWidth(Col, WithHeader) + Extra, 4), MaxWidth));
}

void TReportListView::ExpandColWidth(int Col, int Margin) {
  if (ValidCol(Col)) {
    int64_t width = int64_t(ClientWidth()) - Margin;
    for (int c = 1; c <= GetNrCols(); ++c)
      if (c != Col) width -= GetColWidths(c);
    SetGridColWidth(GridCol(Col), width <= 15 ? 16 : int(std::min<int64_t>(width, INT_MAX)));
  }
  ChangedSetup();
}

void TReportListView::FitAllColWidths(int ExpandCol, bool WithHeader, int Extra, int MaxWidth, int Margin) {
  TPaintPause pause(*this);
  for (int c = 1; c <= GetNrCols(); ++c)
    if (c != ExpandCol) AutoColWidth(c, WithHeader, Extra, MaxWidth);
  ExpandColWidth(ExpandCol, Margin);
}

}  // namespace qel
