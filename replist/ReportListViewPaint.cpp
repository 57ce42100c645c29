// TReportListView painting: the grid's cells, the empty list and the
// inter-row indicator.
//
// Every cell uses two rectangles: F, the cell (for a scrollable cell
// widened over the grid line the view does not draw), filled with the
// background; and T, the text area, 4 pixels in from the left, 2 from the
// top and 5 from the right.
//
// Data cell colours, later rules winning:
//   background   ColorBkgdNormal; ColorBkgdShaded in the first band of
//                RowColPattern rows and every other band after it
//   text         ColorText
//   (enabled view only)
//   disabled row ColorDisabledBkgd / ColorDisabledText, nothing else applies
//   selected     column and row: ColorSelectedBoth; column: ColorSelectedCol;
//                row: ColorSelectedRow (each with its text colour)
//   highlight    HighLightRow, else HighLightColumn: ColorHigh / ColorHighText,
//                bold with HighLightBold
//   fixed column background 0xC0C0C0; a text that would vanish on it grey
//   disabled view text clInactiveCaption
// then OnBeforeRenderCell may change all of it.
//
// Sections: helpers, Paint, data cells, header cells.
#include <algorithm>
#include <climits>
#include <cmath>
#include <string_view>

#include "platform/rtl/Utf8.h"
#include "replist/detail/ReportListViewInternal.h"

namespace qel {

namespace {

// ------------------------------------------------------------ helpers ----

constexpr TColor kWhite = 0xFFFFFF, kSilver = 0xC0C0C0, kGrey = 0x808080, kBlack = 0x000000;
constexpr int kBoxWidth = 16;     // room a check box takes before the text
constexpr int kArrowWidth = 13;   // room the sort arrow takes in a header

// Pieces of S between separators; an empty S is one empty piece.
std::vector<std::string_view> SplitLines(std::string_view S, char Separator) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i <= S.size(); ++i) {
    if (i == S.size() || S[i] == Separator) {
      lines.push_back(S.substr(start, i - start));
      start = i + 1;
    }
  }
  return lines;
}

// Reals become pixels and character counts by rounding half to even.
int RoundEven(double v) {
  if (std::isnan(v)) return 0;
  return int(std::clamp(std::nearbyint(v), double(INT_MIN), double(INT_MAX)));
}

// A pen line through the given points, each segment leaving out its end.
void Lines(TCanvas* C, TColor Color, std::initializer_list<TPoint> Points) {
  C->Pen()->SetColor(Color);
  auto p = Points.begin();
  C->MoveTo(p->X, p->Y);
  for (++p; p != Points.end(); ++p) C->LineTo(p->X, p->Y);
}

// One short line relative to a cell's corner.
void CellLine(TCanvas* C, const TRect& F, int X1, int Y1, int X2, int Y2) {
  C->MoveTo(F.Left + X1, F.Top + Y1);
  C->LineTo(F.Left + X2, F.Top + Y2);
}

// The dot of a checked radio button and the tick of a checked box.
void DrawRadioDot(TCanvas* C, const TRect& F) {
  CellLine(C, F, 8, 7, 11, 7);
  for (int y = 8; y <= 10; ++y) CellLine(C, F, 7, y, 12, y);
  CellLine(C, F, 8, 11, 11, 11);
}

void DrawTick(TCanvas* C, const TRect& F) {
  for (int i = 0; i < 3; ++i) {
    CellLine(C, F, 6, 8 + i, 9, 11 + i);
    CellLine(C, F, 8, 10 + i, 13, 5 + i);
  }
}

// The raised frame of header cells and of the fixed column.
void RaisedFrame(TCanvas* C, int Left, int Top, int Right, int Bottom) {
  DrawFrame(C, fsRaised, Left, Top, Right, Bottom, kWhite, kSilver, kGrey, kBlack, kBlack);
}

// Band clipping of header lines: the first line may use the whole cell
// (and so fills it), later lines their own strip.
TRect LineBand(const TRect& F, int Top, int Height, int Line) {
  if (Line == 0) return F;
  return {F.Left, std::min(Top, F.Bottom), F.Right, std::min(Top + Height, F.Bottom)};
}

// Colours and style of one data cell, as OnBeforeRenderCell sees them.
struct TCellLook {
  TColor pen, brush, font;
  TFontStyles style;
};

}  // namespace

class TReportListView::TCellPainter {
 public:
  TCellPainter(TReportListView& View, int Col, int Row, const TRect& Rect, TGridDrawState State)
      : v_(View), C_(View.Canvas()), col_(Col), row_(Row), F_(Rect),
        T_{Rect.Left + 4, Rect.Top + 2, Rect.Right - 5, Rect.Bottom} {
    const TGridOptions options = v_.GetOptions();
    if (!State.Contains(gdFixed)) {
      if (!options.Contains(goVertLine)) ++F_.Right;
      if (!options.Contains(goHorzLine)) ++F_.Bottom;
    }
  }
  void DataCell();
  void HeaderCell();
  const TRect& TextRect() const { return T_; }

 private:
  TCellLook Colours(int c, int r, uint8_t rowAttrib) const;
  void Truncate(std::string& Text, int Available, bool RightAligned);
  void DrawAligned(const TRect& T, const std::string& Text, uint8_t Alignment);
  void DrawMark(TCheckMode Mode, bool Checked, const TCellLook& Look, bool DisabledRow);
  void CommonHeader();
  void ColumnHeader();
  void SortArrow(int m, int h);
  bool Italic() const { return v_.GetFont()->GetStyle().Contains(fsItalic); }

  TReportListView& v_;
  TCanvas* C_;
  int col_, row_;
  TRect F_, T_;
};

// --------------------------------------------------------------- Paint ----

// The right edge of the last visible column, where the header frames end.
int TReportListView::HeaderRight() {
  int x2 = 0;
  for (int g = GridLeftCol(); g < GetColCount() && g < GetNrCols(); ++g) {
    const TRect r = CellRect(g, 0);
    if (r.IsEmpty()) break;
    x2 = r.Right;
  }
  return x2;
}

// A handler that changes the data while a cell is drawn must not start a
// paint inside the paint.
void TReportListView::Paint() {
  if (PaintPaused() || painting_) return;
  painting_ = true;
  struct TDone {
    bool& flag;
    ~TDone() { flag = false; }
  } done{painting_};
  headerRight_ = HeaderRight();
  TCustomDataGrid::Paint();
  if (ShownRows() == 0) PaintEmptyList();  // a filter that lets no row through too
  PaintInterRowIndicator();
}

// Hides the grid's one empty data row and centres the message's lines
// in the space below the headers.
void TReportListView::PaintEmptyList() {
  TCanvas* C = Canvas();
  const int y0 = FixedRowsHeight(true);
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(GetColor());
  C->Brush()->SetColor(GetColor());
  C->Rectangle(0, y0, GetWidth(), GetHeight());
  if (emptyMessage_.empty()) return;
  C->Font()->Assign(GetFont());
  C->Font()->SetColor(colorEmptyMsg_);
  const int h = C->TextHeight(emptyMessage_);
  const std::vector<std::string_view> lines = SplitLines(emptyMessage_, '|');
  const int y1 = y0 - int(lines.size()) * h;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string line(lines[i]);
    const int w = C->TextWidth(line);
    C->TextOut((GetWidth() - w) / 2, y1 - 2 + (GetHeight() - y1 - h) / 2 + int(i) * h, line);
  }
}

// Rows are taken at their default height, as the view never sizes them.
// The line starts below the header cells' own heights, their lines left out.
void TReportListView::PaintInterRowIndicator() {
  const int v = interRowIndi_, top = GetTopRow();
  if (v == 0 || v < top || int64_t(v) > int64_t(ShownRows()) + 1) return;
  int64_t y = FixedRowsHeight(false);
  y += (int64_t(v) - top) * (int64_t(GetDefaultRowHeight()) + 1);
  if (y > GetHeight() + int64_t(interRowIndicatorWidth_)) return;  // below the view
  TCanvas* C = Canvas();
  C->Pen()->SetColor(interRowIndicatorColor_);
  C->Pen()->SetWidth(interRowIndicatorWidth_);
  C->MoveTo(0, int(y));
  C->LineTo(GetWidth(), int(y));
  C->Pen()->SetWidth(1);
}

void TReportListView::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  Canvas()->Font()->Assign(GetFont());
  TCellPainter painter(*this, ACol, ARow, ARect, AState);
  if (ARow >= GetFixedRows()) painter.DataCell();
  else if (AState.Contains(gdFixed)) painter.HeaderCell();
  TCustomDataGrid::DrawCell(ACol, ARow, painter.TextRect(), AState);
}

// ---------------------------------------------------------- data cells ----

TCellLook TReportListView::TCellPainter::Colours(int c, int r, uint8_t rowAttrib) const {
  const int pattern = v_.rowColPattern_;
  TCellLook k{};
  k.brush = pattern > 0 && ((row_ - v_.GetFixedRows()) / pattern) % 2 == 0 ? v_.colorBkgdShaded_ : v_.colorBkgdNormal_;
  k.font = v_.colorText_;
  k.pen = k.brush;
  if (v_.GetEnabled()) {
    if (rowAttrib & 64) {
      k.brush = k.pen = v_.colorDisabledBkgd_;
      k.font = v_.colorDisabledText_;
    } else {
      const bool rowSelected = rowAttrib & 128, colSelected = v_.data_->GetColAttrib(c) & 128;
      if (colSelected && rowSelected) {
        k.brush = v_.colorSelectedBoth_;
        k.font = v_.colorSelectedBothText_;
      } else if (colSelected) {
        k.brush = v_.colorSelectedCol_;
        k.font = v_.colorSelectedColText_;
      } else if (rowSelected) {
        k.brush = v_.colorSelectedRow_;
        k.font = v_.colorSelectedRowText_;
      }
      if (r == v_.highLightRow_ || c == v_.highLightColumn_) {
        k.brush = k.pen = v_.colorHigh_;
        k.font = v_.colorHighText_;
        if (v_.highLightBold_) k.style = {fsBold};
      }
    }
  }
  if (col_ < v_.GetFixedCols()) {
    k.brush = k.pen = kSilver;
    // A disabled row's silver text would vanish on the silver column: its
    // row number shows in the grey that disabled texts take on silver.
    if (ColorToRGB(k.font) == kSilver) k.font = kGrey;
  }
  if (!v_.GetEnabled()) k.font = clInactiveCaption;
  return k;
}

// A text wider than the room keeps its first characters (right-aligned:
// its first and last ones) with "..." for the rest.
void TReportListView::TCellPainter::Truncate(std::string& Text, int Available, bool RightAligned) {
  if (Text.empty()) return;
  std::string& rest = v_.measured_;
  rest.assign(Text, Utf8CharSize(Text, 0), std::string::npos);
  const int w = C_->TextWidth(rest);
  if (w <= Available || w <= 0) return;
  const int n = std::max(RoundEven(double(Utf8Length(Text)) * Available / w - 4), 1);
  Text = RightAligned ? Utf8FirstChar(Text) + "..." + Utf8Right(Text, n) : Utf8Left(Text, n) + "...";
}

void TReportListView::TCellPainter::DrawAligned(const TRect& T, const std::string& Text, uint8_t Alignment) {
  int x;
  switch (Alignment) {
    case taLeftJustify: x = T.Left; break;
    case taRightJustify: x = T.Right - (C_->TextWidth(Text) + (Italic() ? 2 : 0)); break;
    case taCenter: x = (T.Left + T.Right) / 2 - (C_->TextWidth(Text) + (Italic() ? 2 : 0)) / 2; break;
    default: return;
  }
  C_->TextRect(T, x, T.Top - 1, Text);
}

// The frame (not with read-only marks) and, when checked, the dot or tick.
void TReportListView::TCellPainter::DrawMark(TCheckMode Mode, bool Checked, const TCellLook& Look, bool DisabledRow) {
  const bool viewEnabled = v_.GetEnabled();
  if (!v_.roCheckmarks_) {
    C_->Pen()->SetColor(!viewEnabled ? clInactiveCaption : DisabledRow ? Look.pen : clBtnShadow);
    if (Mode == cmRadio) C_->Ellipse(F_.Left + 4, F_.Top + 4, F_.Left + 15, F_.Top + 15);
    else C_->Rectangle(F_.Left + 4, F_.Top + 4, F_.Left + 15, F_.Top + 15);
  }
  if (!Checked) return;
  C_->Pen()->SetColor(viewEnabled ? Look.font : clInactiveCaption);
  if (Mode == cmRadio) DrawRadioDot(C_, F_);
  else DrawTick(C_, F_);
}

void TReportListView::TCellPainter::DataCell() {
  TReportListView& v = v_;
  const int c = v.DataCol(col_), r = v.DataRow(row_);
  const TCheckMode mode = v.data_->GetColCheckMode(c);
  const bool marks = mode == cmBox || mode == cmRadio;
  const std::string& stored = v.data_->GetRawElem(c, r);
  const TColumnLook* look = v.Look(c);
  const uint8_t alignment = look ? look->alignment : uint8_t(taLeftJustify);
  std::string& text = v.cellText_;
  // A password column hides the text, never the check mark.
  if (look && look->password) text = marks ? (stored.empty() ? " " : Utf8FirstChar(stored)) + "******" : "******";
  else text = stored;

  const uint8_t rowAttrib = v.data_->GetRowAttrib(r);
  TCellLook k = Colours(c, r, rowAttrib);
  if (v.OnBeforeRenderCell) v.OnBeforeRenderCell(&v, c, r, k.pen, k.brush, k.font, k.style, text);
  C_->Font()->SetStyle(k.style);
  C_->Font()->SetColor(k.font);
  C_->Brush()->SetColor(k.brush);
  Truncate(text, v.GridColWidth(col_) - 9 - (marks ? kBoxWidth : 0), alignment == taRightJustify);

  // The cell is filled once (as a rectangle whose pen is its brush would
  // be); the text then needs no background of its own.
  C_->Pen()->SetWidth(1);
  C_->FillRect(F_);
  C_->Pen()->SetColor(k.pen);
  const bool box = marks && (Utf8CharSize(stored, 0) < stored.size() || v.showEmptyCheckBoxes_);
  C_->Brush()->SetStyle(bsClear);
  if (!marks) {
    DrawAligned(T_, text, alignment);
  } else if (box) {
    TRect t = T_;
    t.Left += kBoxWidth;
    DrawAligned(t, Utf8RestChars(text), alignment);
  }
  C_->Brush()->SetStyle(bsSolid);
  if (box) DrawMark(mode, !text.empty() && text[0] != ' ', k, v.GetEnabled() && (rowAttrib & 64));
  if (col_ < v.GetFixedCols()) RaisedFrame(C_, F_.Left, F_.Top, F_.Right - 1, F_.Bottom - 1);
}

// -------------------------------------------------------- header cells ----

void TReportListView::TCellPainter::HeaderCell() {
  if (v_.commonHeaderVisible_ && row_ == 0) CommonHeader();
  else if (v_.columnHeadersVisible_) ColumnHeader();
}

// The band spans every visible column; each of its cells draws it whole.
void TReportListView::TCellPainter::CommonHeader() {
  const int x2 = v_.headerRight_;
  F_.Left = 0;
  F_.Right = x2;
  C_->Font()->SetColor(v_.colorCommonHdText_);
  C_->Brush()->SetColor(v_.colorCommonHd_);
  const std::string& header = v_.data_->GetCommonHeader();
  const int h = C_->TextHeight(header);
  const std::vector<std::string_view> lines = SplitLines(header, '\n');
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string line(lines[i]);
    const int y = T_.Top + int(i) * h;
    const int w = C_->TextWidth(line);
    int x = v_.commonHeaderAlignment_ == taLeftJustify    ? 4
            : v_.commonHeaderAlignment_ == taRightJustify ? x2 - w - 5
                                                          : x2 / 2 - w / 2;
    C_->TextRect(LineBand(F_, y, h, int(i)), x, y, line);
  }
  RaisedFrame(C_, F_.Left, F_.Top, x2 - 1, F_.Bottom - 1);
  C_->Pen()->SetWidth(1);
  Lines(C_, kBlack, {{x2, F_.Bottom - 1}, {x2, F_.Top - 1}});
}

void TReportListView::TCellPainter::ColumnHeader() {
  const int c = v_.DataCol(col_);
  const int colWidth = v_.GridColWidth(col_);
  const TColumnLook* look = v_.Look(c);
  const uint8_t alignment = look ? look->alignment : uint8_t(taLeftJustify);
  const bool sorted = v_.data_->GetSortColumn() == c;
  const int available = colWidth - 9 - (sorted ? kArrowWidth : 0);
  C_->Brush()->SetColor(v_.GetFixedColor());
  C_->Font()->SetColor(v_.colorColumnHdText_);
  const std::string name = v_.data_->GetColName(c);
  const int h = C_->TextHeight(name);
  const std::vector<std::string_view> lines = SplitLines(name, '\n');
  int m = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line(lines[i]);
    int w = C_->TextWidth(line);
    if (w > available && w > 0) {
      const int n = std::max(RoundEven(double(Utf8Length(line)) * available / w - 3), 1);
      line = Utf8Left(line, n) + "...";
      w = C_->TextWidth(line);
    }
    if (Italic()) w += 2;
    const int y = T_.Top + int(i) * h;
    const TRect band = LineBand(F_, y, h, int(i));
    const int width = T_.Right - T_.Left;
    switch (alignment) {
      case taLeftJustify: C_->TextRect(band, T_.Left, y, line); break;
      case taRightJustify: C_->TextRect(band, T_.Right - w, y, line); break;
      case taCenter: C_->TextRect(band, (T_.Left + T_.Right) / 2 - w / 2, y, line); break;
      default: C_->TextRect(band, T_.Left, y, ""); break;  // the band is filled all the same
    }
    if (i == 0) {
      m = alignment == taLeftJustify    ? w + 10
          : alignment == taRightJustify ? width - w - 11
          : alignment == taCenter       ? width / 2 + w / 2 + 10
                                        : 0;
    }
  }
  if (sorted) SortArrow(std::min(m, colWidth - 11), h);
  RaisedFrame(C_, F_.Left, F_.Top, v_.headerRight_ - 1, F_.Bottom - 1);
}

// Up (light right edge) for an ascending flag, down otherwise.
void TReportListView::TCellPainter::SortArrow(int m, int h) {
  const int x = T_.Left + m, y = T_.Top + h / 2;
  C_->Pen()->SetWidth(1);
  if (v_.data_->GetSortDirection()) {
    Lines(C_, kGrey, {{x - 4, y + 3}, {x, y - 3}});
    Lines(C_, kWhite, {{x, y - 3}, {x + 4, y + 3}, {x - 4, y + 3}});
  } else {
    Lines(C_, kWhite, {{x + 4, y - 3}, {x, y + 3}});
    Lines(C_, kGrey, {{x, y + 3}, {x - 4, y - 3}, {x + 4, y - 3}});
  }
}

}  // namespace qel
