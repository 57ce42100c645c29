// TReportListView painting: cell colours, truncated texts, password
// columns, check marks, header band, sort arrow, empty list, the inter-row
// indicator, suppressed painting and a list of ten million rows.
#include <climits>
#include <cmath>

#include "ReportListViewTestUtil.h"
#include "platform/rtl/Utf8.h"

using namespace qel;
using namespace qel::test;

namespace {
constexpr TColor kShaded = 0xF0EFE8, kWhite = 0xFFFFFF;
}  // namespace

TEST_F(ListViewTest, CellColoursFollowTheirPrecedence) {
  view->SetNrRows(6);
  TRLData* d = view->Data();
  view->SetColorSelectedCol(0x0000C0);
  view->SetColorSelectedColText(0x0000C1);
  view->SetColorSelectedBoth(0x00C000);
  view->SetColorSelectedBothText(0x00C001);
  d->SetColAttrib(2, 128);          // column 2 selected
  d->SetRowAttrib(1, 128);          // row 1 selected
  d->SetRowAttrib(2, 64 | 128);     // row 2 disabled (and selected)
  d->SetRowAttrib(3, 128);          // row 3 selected and highlighted
  view->SetHighLightRow(3);
  view->SetHighLightColumn(4);
  view->SetHighLightBold(true);
  auto cells = Render();
  auto expect = [&](int c, int r, TColor brush, TColor font, TColor pen) {
    const RenderedCell& k = cells.at({c, r});
    EXPECT_EQ(k.brush, brush) << c << "," << r;
    EXPECT_EQ(k.font, font) << c << "," << r;
    EXPECT_EQ(k.pen, pen) << c << "," << r;
  };
  expect(2, 1, 0x00C000, 0x00C001, kShaded);  // both selected; the outline keeps the band
  expect(1, 1, 0x94BAED, 0x800000, kShaded);  // row selected
  expect(2, 4, 0x0000C0, 0x0000C1, kWhite);   // column selected
  expect(2, 2, 0xF0F0F0, 0xC0C0C0, 0xF0F0F0); // a disabled row beats all the rest
  expect(4, 2, 0xF0F0F0, 0xC0C0C0, 0xF0F0F0);
  expect(1, 3, 0xCC9966, 0xFFFFFF, 0xCC9966); // the highlight beats the selection
  expect(2, 3, 0xCC9966, 0xFFFFFF, 0xCC9966);
  expect(4, 5, 0xCC9966, 0xFFFFFF, 0xCC9966); // the highlighted column
  expect(1, 6, kWhite, 0x002000, kWhite);     // plain, second band
  EXPECT_EQ(cells.at({4, 5}).style, TFontStyles{fsBold});
  EXPECT_EQ(cells.at({1, 6}).style, TFontStyles{});
  EXPECT_EQ(Pixel(Cell(2, 1).Left + 40, Cell(2, 1).Top + 3), TColor(0x00C000));
  EXPECT_EQ(Pixel(Cell(2, 2).Left + 40, Cell(2, 2).Top + 3), TColor(0xF0F0F0));

  // A fixed column is silver; a disabled row's silver text turns grey there
  // so that its row number stays readable.
  view->SetFixedFirstColumn(true);
  cells = Render();
  expect(1, 2, 0xC0C0C0, 0x808080, 0xC0C0C0);
  expect(1, 1, 0xC0C0C0, 0x800000, 0xC0C0C0);
  view->SetColorDisabledText(0x202020);
  cells = Render();
  expect(1, 2, 0xC0C0C0, 0x202020, 0xC0C0C0);
  view->SetColorDisabledText(0xC0C0C0);
  // A disabled view draws every text inactive and no row as disabled.
  view->SetEnabled(false);
  cells = Render();
  expect(1, 6, 0xC0C0C0, clInactiveCaption, 0xC0C0C0);
  const TRect fixed = Cell(1, 6);  // raised: light top and left, dark bottom and right
  EXPECT_EQ(Pixel(fixed.Left, fixed.Top + 5), kWhite);
  EXPECT_EQ(Pixel(fixed.Left + 5, fixed.Top), kWhite);
  EXPECT_EQ(Pixel(fixed.Right - 1, fixed.Top + 5), TColor(0x808080));
  EXPECT_EQ(Pixel(fixed.Left + 5, fixed.Bottom - 1), TColor(0x808080));
  EXPECT_EQ(Pixel(fixed.Left + 5, fixed.Top + 5), TColor(0xC0C0C0));
  expect(2, 2, kWhite, clInactiveCaption, kWhite);
  expect(3, 3, kShaded, clInactiveCaption, kShaded);

  // RowColPattern 2: bands of two rows, the first shaded; 0: no shading.
  view->SetEnabled(true);
  view->SetFixedFirstColumn(false);
  view->SetHighLightRow(0);
  view->SetHighLightColumn(0);
  for (int r = 1; r <= 6; ++r) d->SetRowAttrib(r, 0);
  d->SetColAttrib(2, 0);
  view->SetRowColPattern(2);
  cells = Render();
  EXPECT_EQ(cells.at({1, 2}).brush, kShaded);
  EXPECT_EQ(cells.at({1, 3}).brush, kWhite);
  EXPECT_EQ(cells.at({1, 5}).brush, kShaded);
  view->SetRowColPattern(0);
  EXPECT_EQ(Render().at({1, 1}).brush, kWhite);
}

TEST_F(ListViewTest, RenderEventChangesWhatIsDrawn) {
  view->SetElem(1, 1, "stored");
  view->OnBeforeRenderCell = [](TObject*, int c, int r, TColor&, TColor& brush, TColor& font, TFontStyles&,
                                std::string& text) {
    if (c == 1 && r == 1) {
      brush = 0x00FFFF;
      font = 0xFF0000;
      text = "shown";
    }
  };
  view->Repaint();
  const TRect cell = Cell(1, 1);
  const TRect t{cell.Left + 4, cell.Top + 2, cell.Right - 5, cell.Bottom};
  EXPECT_EQ(Pixel(cell.Left + 1, cell.Top + 1), TColor(0x00FFFF));
  EXPECT_TRUE(ShowsText(t, t.Left, t.Top - 1, "shown", 0x00FFFF, 0xFF0000));
  // A handler that writes the data while drawing starts no paint inside the paint.
  int calls = 0;
  view->OnBeforeRenderCell = [&](TObject*, int c, int r, TColor&, TColor&, TColor&, TFontStyles&, std::string&) {
    ++calls;
    if (c == 2 && r == 2) view->SetElem(3, 3, "written while drawing");
  };
  view->Repaint();
  EXPECT_EQ(calls, 5 * 4);
  EXPECT_EQ(view->GetElem(3, 3), "written while drawing");
}

TEST_F(ListViewTest, TooLongTextsAreCutWithDotsByAlignment) {
  const std::string text = "Alpha Bravo Charlie Delta Echo";
  view->SetColWidths(1, 60);
  view->SetColWidths(2, 60);
  view->SetColWidths(3, 260);
  for (int c = 1; c <= 3; ++c) view->SetElem(c, 2, text);
  view->SetColAlignment(2, taRightJustify);
  view->SetColAlignment(3, taCenter);
  view->Repaint();
  // n = Round(Length * available / width of the text from its 2nd character - 4)
  TBitmap probe(10, 10);
  probe.Canvas()->Font()->Assign(view->GetFont());
  const int w = probe.Canvas()->TextWidth(Utf8RestChars(text));
  const int n = int(std::nearbyint(double(Utf8Length(text)) * (60 - 9) / w - 4));
  const std::string left = Utf8Left(text, n) + "...";
  const std::string right = "A..." + Utf8Right(text, n);
  ASSERT_GT(n, 1);

  const TRect c1 = Cell(1, 2), c2 = Cell(2, 2), c3 = Cell(3, 2);
  const TRect t1{c1.Left + 4, c1.Top + 2, c1.Right - 5, c1.Bottom};
  const TRect t2{c2.Left + 4, c2.Top + 2, c2.Right - 5, c2.Bottom};
  const TRect t3{c3.Left + 4, c3.Top + 2, c3.Right - 5, c3.Bottom};
  EXPECT_TRUE(ShowsText(t1, t1.Left, t1.Top - 1, left, kWhite, 0x002000));
  EXPECT_TRUE(ShowsText(t2, t2.Right - probe.Canvas()->TextWidth(right), t2.Top - 1, right, kWhite, 0x002000));
  // Wide enough: whole and centred.
  const int wc = probe.Canvas()->TextWidth(text);
  EXPECT_TRUE(ShowsText(t3, (t3.Left + t3.Right) / 2 - wc / 2, t3.Top - 1, text, kWhite, 0x002000));
}

TEST_F(ListViewTest, PasswordColumnsShowStarsButKeepTheirCheckMark) {
  view->SetElem(1, 2, "secret");
  view->SetColumnIsPwd(1, true);
  view->SetColCheckMode(2, cmBox);
  view->SetElem(2, 2, "hidden");
  view->SetColumnIsPwd(2, true);
  auto cells = Render();
  EXPECT_EQ(cells.at({1, 2}).text, "******");
  EXPECT_EQ(cells.at({1, 1}).text, "******");  // whatever the cell holds
  EXPECT_EQ(cells.at({2, 2}).text, " ******");  // unchecked stays unchecked
  view->SetElemChecked(2, 2, true);
  EXPECT_EQ(Render().at({2, 2}).text, "X******");
  const TRect c = Cell(1, 2);
  const TRect t{c.Left + 4, c.Top + 2, c.Right - 5, c.Bottom};
  EXPECT_TRUE(ShowsText(t, t.Left, t.Top - 1, "******", kWhite, 0x002000));
  EXPECT_FALSE(view->GetColumnIsPwd(0));
  EXPECT_FALSE(view->GetColumnIsPwd(3));
}

TEST_F(ListViewTest, CheckBoxTickAndRadioDotAreDrawnWithTheirLines) {
  view->SetColCheckMode(1, cmBox);
  view->SetColCheckMode(2, cmRadio);
  view->SetElem(1, 2, "box");
  view->SetElem(2, 2, "radio");
  view->SetElemChecked(1, 2, true);
  view->SetElemChecked(2, 2, true);
  view->Repaint();
  const TColor ink = 0x002000, shadow = ColorToRGB(clBtnShadow);
  const TRect b = Cell(1, 2), r = Cell(2, 2);
  auto at = [&](const TRect& f, int x, int y) { return Pixel(f.Left + x, f.Top + y); };
  // The tick: three strokes down-right from (6, 8), three up-right from (8, 10).
  for (int i = 0; i < 3; ++i) {
    for (int k = 0; k < 3; ++k) EXPECT_EQ(at(b, 6 + k, 8 + i + k), ink) << i << "," << k;
    for (int k = 0; k < 5; ++k) EXPECT_EQ(at(b, 8 + k, 10 + i - k), ink) << i << "," << k;
  }
  EXPECT_EQ(at(b, 9, 12), kWhite);   // the first strokes stop short of their end
  EXPECT_EQ(at(b, 13, 5), kWhite);
  EXPECT_EQ(at(b, 6, 11), kWhite);
  EXPECT_EQ(at(b, 4, 4), shadow);    // the box, 11 pixels from (4, 4)
  EXPECT_EQ(at(b, 14, 14), shadow);
  EXPECT_EQ(at(b, 15, 10), kWhite);
  // The dot: rows 7 and 11 from x = 8 to 10, rows 8 to 10 from 7 to 11.
  for (int x = 7; x <= 11; ++x)
    for (int y = 7; y <= 11; ++y) {
      bool dot = (y == 7 || y == 11) ? x >= 8 && x <= 10 : true;
      EXPECT_EQ(at(r, x, y) == ink, dot) << x << "," << y;
    }
  EXPECT_EQ(at(r, 9, 4), shadow);  // the circle's top

  // Read-only marks: no frame, the mark stays; an empty box only when asked.
  view->SetROCheckmarks(true);
  EXPECT_EQ(at(b, 4, 4), kWhite);
  EXPECT_EQ(at(b, 6, 8), ink);
  view->SetROCheckmarks(false);
  view->SetElem(1, 3, "");
  view->SetElemChecked(1, 3, false);  // only the mark: " "
  const TRect e = Cell(1, 3);
  EXPECT_EQ(at(e, 4, 4), shadow);
  view->SetShowEmptyCheckBoxes(false);
  EXPECT_EQ(at(e, 4, 4), kShaded);
  EXPECT_EQ(at(b, 4, 4), shadow);  // a box with text stays
  // A disabled row frames its box in its outline colour, a disabled view
  // draws frame and tick inactive.
  view->Data()->SetRowAttrib(2, 64);
  view->Repaint();
  EXPECT_EQ(at(b, 4, 4), TColor(0xF0F0F0));
  EXPECT_EQ(at(b, 6, 8), TColor(0xC0C0C0));
  view->SetEnabled(false);
  EXPECT_EQ(at(b, 4, 4), ColorToRGB(clInactiveCaption));
  EXPECT_EQ(at(b, 6, 8), ColorToRGB(clInactiveCaption));
}

TEST_F(ListViewTest, HeadersShowNamesBandAndSortArrowDirection) {
  view->SetColName(1, "Name");
  view->Repaint();
  TBitmap probe(10, 10);
  probe.Canvas()->Font()->Assign(view->GetFont());
  const int w = probe.Canvas()->TextWidth("Name"), h = probe.Canvas()->TextHeight("Name");
  const TRect cell = view->CellRect(0, 0);
  const TRect t{cell.Left + 4, cell.Top + 2, cell.Right - 5, cell.Bottom};
  const TColor face = ColorToRGB(clBtnFace);
  const TRect inner{cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1};
  EXPECT_TRUE(ShowsText(inner, t.Left, t.Top, "Name", face, clBlack));
  EXPECT_EQ(Pixel(cell.Left, cell.Top + 5), kWhite);  // raised frame
  EXPECT_EQ(Pixel(cell.Left + 5, cell.Bottom - 1), TColor(0x808080));

  // The arrow sits w + 10 right of the text start, centred on the text height.
  const int x = t.Left + w + 10, y = t.Top + h / 2;
  view->Data()->Sort(1, -1, true);
  view->Repaint();
  EXPECT_EQ(Pixel(x - 2, y + 3), kWhite);  // up: light base line
  EXPECT_EQ(Pixel(x - 2, y - 3), face);
  EXPECT_EQ(Pixel(x - 2, y), TColor(0x808080));  // its dark left side
  view->Data()->Sort(1, -1, false);
  view->Repaint();
  EXPECT_EQ(Pixel(x - 2, y - 3), TColor(0x808080));  // down: dark top line
  EXPECT_EQ(Pixel(x - 2, y + 3), face);
  view->Data()->UnSort();
  view->Repaint();
  EXPECT_EQ(Pixel(x - 2, y - 3), face);

  // Names too long for their column are cut; columns narrower than the
  // margins cope, with a name or without.
  view->SetColName(2, "A name far too long for its column");
  view->SetColName(3, "");
  view->SetColWidths(3, 3);
  view->Repaint();
  const TRect c2 = view->CellRect(1, 0);
  const int n = int(std::nearbyint(34.0 * (64 - 9) / probe.Canvas()->TextWidth("A name far too long for its column") - 3));
  EXPECT_TRUE(ShowsText({c2.Left + 1, c2.Top + 1, c2.Right - 1, c2.Bottom - 1}, c2.Left + 4, c2.Top + 2,
                        Utf8Left("A name far too long for its column", n) + "...", face, clBlack));
  view->SetColWidths(3, 64);

  // The common header band: two lines over all columns, above the names.
  view->SetCommonHeader("First line\nSecond");
  view->SetColorCommonHd(0xE0FFE0);
  view->SetCommonHeaderHeight(40);
  view->SetCommonHeaderVisible(true);
  const TRect band = view->CellRect(0, 0), names = view->CellRect(0, 1);
  int x2 = 0;
  for (int g = 0; g < 5; ++g) x2 = view->CellRect(g, 0).Right;
  const int w1 = probe.Canvas()->TextWidth("First line"), w2 = probe.Canvas()->TextWidth("Second");
  EXPECT_TRUE(ShowsText({1, band.Top + 2, x2 - 2, band.Top + 2 + h}, x2 / 2 - w1 / 2, band.Top + 2, "First line",
                        0xE0FFE0, clBlack));
  EXPECT_TRUE(ShowsText({1, band.Top + 2 + h, x2 - 2, band.Bottom - 1}, x2 / 2 - w2 / 2, band.Top + 2 + h,
                        "Second", 0xE0FFE0, clBlack));
  EXPECT_EQ(Pixel(x2 - 3, band.Top + 3), TColor(0xE0FFE0));
  EXPECT_EQ(Pixel(x2, band.Top + 5), TColor(clBlack));
  EXPECT_EQ(Pixel(x2 - 1, band.Top + 5), TColor(0x808080));
  EXPECT_TRUE(ShowsText({names.Left + 1, names.Top + 1, names.Right - 1, names.Bottom - 1}, names.Left + 4,
                        names.Top + 2, "Name", face, clBlack));
}

TEST_F(ListViewTest, EmptyListShowsItsMessageCentredBelowTheHeaders) {
  view->SetNrRows(0);
  view->SetColor(0xE0E0FF);
  view->SetColorEmptyMsg(0x0000FF);
  view->SetEmptyMessage("Nothing here|Press Fill");
  view->Repaint();
  const int y0 = 20 + 1;  // the header row and its line
  EXPECT_EQ(Pixel(5, y0 + 2), TColor(0xE0E0FF));  // the grid's empty row is hidden
  EXPECT_EQ(Pixel(395, 235), TColor(0xE0E0FF));
  TBitmap probe(10, 10);
  probe.Canvas()->Font()->Assign(view->GetFont());
  const int h = probe.Canvas()->TextHeight("N");
  const int y1 = y0 - 2 * h;
  const std::string lines[2] = {"Nothing here", "Press Fill"};
  for (int i = 0; i < 2; ++i) {
    const int w = probe.Canvas()->TextWidth(lines[i]);
    const int x = (400 - w) / 2, y = y1 - 2 + (240 - y1 - h) / 2 + i * h;
    EXPECT_TRUE(ShowsText({x, y, x + w, y + h}, x, y, lines[i], 0xE0E0FF, 0x0000FF)) << i;
  }
  view->SetEmptyMessage("");
  const int w = probe.Canvas()->TextWidth(lines[0]), y = y1 - 2 + (240 - y1 - h) / 2;
  for (int x = (400 - w) / 2; x < (400 + w) / 2; ++x)
    for (int yy = y; yy < y + h; ++yy) ASSERT_EQ(Pixel(x, yy), TColor(0xE0E0FF)) << x << "," << yy;
}

TEST_F(ListViewTest, InterRowIndicatorLiesOnTheTopEdgeOfItsRow) {
  view->SetNrRows(20);
  view->SetInterRowIndicatorWidth(1);
  const int rowH = view->GetDefaultRowHeight() + 1;
  auto red = [&](int y) { return Pixel(200, y) == TColor(0x0000FF); };
  view->SetInterRowIndi(3);
  EXPECT_TRUE(red(20 + 2 * rowH));
  EXPECT_FALSE(red(20 + 2 * rowH - 1));
  EXPECT_FALSE(red(20 + 2 * rowH + 1));
  // Measured from the top row; rows above it draw nothing.
  view->SetTopRow(2);
  EXPECT_TRUE(red(20 + rowH));
  view->SetInterRowIndi(1);
  for (int y = 0; y < 240; ++y) ASSERT_FALSE(red(y)) << y;
  // Below the last row, and with the common header above.
  view->SetTopRow(1);
  view->SetNrRows(3);
  view->SetInterRowIndicatorWidth(3);
  view->SetInterRowIndi(4);
  EXPECT_TRUE(red(20 + 3 * rowH - 1) && red(20 + 3 * rowH) && red(20 + 3 * rowH + 1));
  EXPECT_FALSE(red(20 + 3 * rowH + 2));
  view->SetCommonHeaderVisible(true);
  EXPECT_TRUE(red(20 + 20 + 3 * rowH));
  view->SetInterRowIndi(0);
  for (int y = 0; y < 240; ++y) ASSERT_FALSE(red(y)) << y;
}

TEST_F(ListViewTest, SuppressedPaintingDrawsNothingUntilCleared) {
  const TRect c = Cell(1, 1);
  view->SetSuppressPaint(true);
  view->SetColorBkgdShaded(0x00FF00);
  view->Repaint();
  EXPECT_EQ(Pixel(c.Left + 30, c.Top + 3), kShaded);
  view->SetSuppressPaint(false);
  EXPECT_EQ(Pixel(c.Left + 30, c.Top + 3), TColor(0x00FF00));
  // Bulk operations restore what they found.
  view->SetSuppressPaint(true);
  view->Fill("x");
  EXPECT_TRUE(view->GetSuppressPaint());
  view->SetSuppressPaint(false);
  view->Fill("y");
  EXPECT_FALSE(view->GetSuppressPaint());
}

// Ten million rows: the last one scrolls into view and shows its number and
// its tick; the mouse and the keyboard reach it.
TEST_F(ListViewTest, TenMillionRowsScrollToTheLastRowAndDrawIt) {
  constexpr int kRows = 10'000'000;
  form.SetBounds(0, 0, 460, 1100);
  view->SetBounds(10, 10, 400, 1060);  // a long scroll bar: positions times pixels pass 2^31
  view->SetNrCols(1);
  view->SetColWidths(1, 200);
  view->SetColCheckMode(1, cmBox);
  view->SetNrRows(kRows);
  view->SetElem(1, kRows, "10000000");
  view->SetElemChecked(1, kRows, true);
  view->SetTopRow(kRows);
  EXPECT_EQ(view->GetTopRow(), kRows);
  view->Repaint();
  const TRect f = Cell(1, kRows);
  ASSERT_FALSE(f.IsEmpty());
  EXPECT_EQ(f.Top, 21);
  const TColor band = (kRows - 1) / 1 % 2 == 0 ? kShaded : kWhite;
  EXPECT_EQ(Pixel(f.Left + 6, f.Top + 8), TColor(0x002000));  // the tick
  EXPECT_EQ(Pixel(f.Left + 12, f.Top + 6), TColor(0x002000));
  EXPECT_EQ(Pixel(f.Left + 4, f.Top + 4), ColorToRGB(clBtnShadow));
  const TRect t{f.Left + 4 + 16, f.Top + 2, f.Right - 5, f.Bottom};
  EXPECT_TRUE(ShowsText(t, t.Left, t.Top - 1, "10000000", band, 0x002000));
  EXPECT_EQ(view->MouseCoord(f.Left + 30, f.Top + 5).Y, kRows);
  robot.Click(view, f.Left + 30, f.Top + 5);
  EXPECT_EQ(view->GetRow(), kRows);
  EXPECT_EQ(view->VertScrollBar().Position(), view->VertScrollBar().MaxPosition());
  robot.Key(VK_HOME, {ssCtrl});
  EXPECT_EQ(view->GetTopRow(), 1);
  // The scroll bar's thumb dragged to the end shows the last page.
  const TRect thumb = view->VertScrollBar().ThumbRect();
  const int x = view->ClientWidth() + ScrollBarSize / 2, y = (thumb.Top + thumb.Bottom) / 2;
  robot.Drag(view, x, y, x, view->ClientHeight() + 50);
  EXPECT_EQ(view->GetTopRow() + view->VisibleRowCount() - 1, kRows);
  robot.Key(VK_END, {ssCtrl});
  EXPECT_EQ(view->GetRow(), kRows);
  EXPECT_EQ(view->CellRect(0, kRows).Bottom <= view->ClientHeight(), true);
  view->SetNrRows(0);
}

// Cells written one by one are painted together at the next paint: a
// program filling many cells does not repaint the list for each.
TEST_F(ListViewTest, CellsWrittenTogetherArePaintedOnce) {
  view->SetNrRows(40);
  Application->ProcessMessages();
  int paints = 0;
  view->OnBeforeRenderCell = [&](TObject*, int c, int r, TColor&, TColor&, TColor&, TFontStyles&, std::string&) {
    paints += c == 1 && r == 1;
  };
  for (int r = 1; r <= 40; ++r)
    for (int c = 1; c <= 3; ++c) view->SetElem(c, r, "cell " + std::to_string(c) + "," + std::to_string(r));
  EXPECT_EQ(paints, 0);
  Application->ProcessMessages();
  EXPECT_EQ(paints, 1);
  view->OnBeforeRenderCell = nullptr;
  const auto& cells = Render();
  EXPECT_EQ(cells.at({1, 1}).text, "cell 1,1");
  EXPECT_EQ(cells.at({3, 2}).text, "cell 3,2");
}
