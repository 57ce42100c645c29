// Table editor and the clipboard: the text "Copy" writes in both precision
// modes, "Paste" from the copy buffer, the number reader behind "Extract
// from Clipboard" and GetClipMatrixSize (ragged lines, signs, exponents
// past the cap, texts without numbers), spreadsheet-shaped texts both ways,
// and texts larger than the table.
#include <cmath>

#include "framework/QEL_Base.h"
#include "ntabed/detail/ClipMatrix.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "tests/ntabed/NTabEdTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {

void SelectCells(TNTabEd* e, int left, int top, int right, int bottom) {
  int co = e->GetAttribRowVisible() ? 1 : 0, ro = e->GetAttribColVisible() ? 1 : 0;
  e->SetSelection({left + co, top + ro, right + co, bottom + ro});
}

double Scan(const std::string& text, size_t* end = nullptr) {
  size_t p = 0;
  std::string buffer;
  double v = ScanClipNumber(text, p, buffer);
  if (end) *end = p;
  return v;
}

struct TScanned {
  int col, line;
  double v;
  bool operator==(const TScanned&) const = default;
};
std::vector<TScanned> ScanAll(const std::string& text, TClipExtent* extent = nullptr) {
  std::vector<TScanned> out;
  TClipExtent e = ScanClipMatrix(text, [&](int c, int l, double v) { out.push_back({c, l, v}); });
  if (extent) *extent = e;
  return out;
}

}  // namespace

TEST(NTabEdClipboard, CopyWritesTheSelectionAsText) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetElem(1, 1, 1.5);
  e->SetElem(2, 1, 2.25);
  e->SetCellState(1, 2, csEmpty);
  e->SetElem(2, 2, 4);
  e->SetClipboardUseFullPrec(false);
  SelectCells(e, 1, 1, 2, 2);
  e->PopupMenuClickCopy(e);
  EXPECT_EQ(Clipboard()->GetAsText(), " 1.500\t2.250\r\n ####\t4.000\r\n");

  // Each column's own decimals; scientific columns with one decimal;
  // invalid cells are no numbers either; no range limit on the fixed form.
  e->SetDecPlaces(1, 0);
  e->SetDecPlaces(2, -1);
  e->SetDecPlaces(3, 10);
  e->SetElem(1, 3, -123456789012.5);
  e->SetElem(2, 3, 0.000123);
  e->SetElem(3, 3, 1.0 / 3);
  e->SetCellState(1, 4, csInvalid);
  e->SetElem(3, 4, -2);
  SelectCells(e, 1, 3, 3, 4);
  e->PopupMenuClickCopy(e);
  EXPECT_EQ(Clipboard()->GetAsText(),
            " -123456789013\t 1.2E-0004\t0.3333333333\r\n ####\t 0.0E+0000\t-2.0000000000\r\n");

  // Full precision: the exponent form with 13 decimals and four exponent digits.
  e->SetClipboardUseFullPrec(true);
  e->SetElem(1, 1, 123456.7);
  e->SetElem(2, 1, -0.5);
  SelectCells(e, 1, 1, 2, 1);
  e->PopupMenuClickCopy(e);
  EXPECT_EQ(Clipboard()->GetAsText(), "  1.2345670000000E+0005\t-5.0000000000000E-0001\r\n");
}

TEST(NTabEdClipboard, PasteWritesTheCopyBufferAtTheSelectionInsideTheTable) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  int pastes = 0;
  e->OnPaste = [&](TObject*) { ++pastes; };
  e->SetElem(1, 1, 1);
  e->SetElem(2, 1, 2);
  e->SetElem(1, 2, 3);
  e->SetCellState(2, 2, csMarkA | csEmpty);
  SelectCells(e, 1, 1, 2, 2);
  e->PopupMenuClickCopy(e);
  e->SetElem(1, 1, 99);  // the buffer keeps what was copied
  SelectCells(e, 2, 3, 2, 3);
  f.notes = {};
  f.notes.Bind(e);
  e->PopupMenuClickPaste(e);
  EXPECT_EQ(e->GetElem(2, 3), 1);
  EXPECT_EQ(e->GetElem(3, 3), 2);
  EXPECT_EQ(e->GetElem(2, 4), 3);
  EXPECT_EQ(e->GetCellState(3, 4), csMarkA | csEmpty);
  EXPECT_EQ(pastes, 1);
  EXPECT_EQ(f.notes.data, 1);
  EXPECT_EQ(f.notes.states, 1);
  EXPECT_EQ(e->GetSelection(), (TGridRect{3, 3, 4, 4}));

  // At the bottom-right cell only one value fits; nothing else is written.
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 4; ++r) e->SetElem(c, r, -1);
  SelectCells(e, 3, 4, 3, 4);
  e->PopupMenuClickPaste(e);
  EXPECT_EQ(e->GetElem(3, 4), 1);
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 4; ++r)
      if (c != 3 || r != 4) {
        EXPECT_EQ(e->GetElem(c, r), -1) << c << "," << r;
      }
  EXPECT_EQ(e->GetSelection(), (TGridRect{4, 4, 4, 4}));
  EXPECT_EQ(e->GetNrOfColumns(), 3);
  EXPECT_EQ(e->GetNrOfRows(), 4);
}

TEST(NTabEdClipboard, NumberScannerStates) {
  size_t end = 0;
  EXPECT_EQ(Scan("12 ", &end), 12);
  EXPECT_EQ(end, 2u);
  EXPECT_EQ(Scan("-1,25;"), -1.25);
  EXPECT_EQ(Scan("+.5"), 0.5);
  EXPECT_EQ(Scan("7."), 7);
  EXPECT_EQ(Scan("."), 0);
  EXPECT_EQ(Scan("1.5e3x"), 1500);
  EXPECT_EQ(Scan("2E-2"), 0.02);
  EXPECT_EQ(Scan("3E+1,"), 30);  // a separator ends the exponent digits
  EXPECT_EQ(Scan("4"), 4);       // past the end reads as "Z"
  // Errors and incomplete texts read as 0.
  EXPECT_EQ(Scan("+-5", &end), 0);
  EXPECT_EQ(end, 1u);
  EXPECT_EQ(Scan("1.2.3", &end), 0);
  EXPECT_EQ(end, 3u);
  EXPECT_EQ(Scan("1E 5"), 0);
  EXPECT_EQ(Scan("1E;"), 0);
  EXPECT_EQ(Scan("1E+"), 0);
  EXPECT_EQ(Scan("-"), 0);
  EXPECT_EQ(Scan(".E5"), 0);
  // Exponents past the cap and values past the doubles.
  EXPECT_EQ(Scan("1E4300"), uc_MaxDouble);
  EXPECT_EQ(Scan("-2e999999999999"), -uc_MaxDouble);
  EXPECT_EQ(Scan("1E309"), uc_MaxDouble);
  EXPECT_EQ(Scan("1E-4300"), 0);
  EXPECT_EQ(Scan("0.000001E-320"), 0);
  EXPECT_EQ(Scan("1E00000000000000000003"), 1000);
  // Exponent digits past 4200 are dropped: 4300 becomes 430 here.
  EXPECT_EQ(Scan("0." + std::string(4300, '0') + "1E4300"), 0);
  EXPECT_EQ(Scan("0." + std::string(4199, '0') + "1E4200"), 1);
  EXPECT_EQ(Scan(std::string(400, '0') + "1E-1"), 0.1);
  EXPECT_EQ(Scan("1" + std::string(400, '0') + "E-390"), 1e10);
}

TEST(NTabEdClipboard, MatrixScanLinesColumnsAndSeparators) {
  TClipExtent x;
  // Ragged lines, blanks and CR LF; lines before the first number do not count.
  EXPECT_EQ(ScanAll("\r\n\r\nx 1 2 3\r\n4\r\n5 6\r\n", &x),
            (std::vector<TScanned>{{0, 0, 1}, {1, 0, 2}, {2, 0, 3}, {0, 1, 4}, {0, 2, 5}, {1, 2, 6}}));
  EXPECT_EQ(x.Columns, 3);
  EXPECT_EQ(x.Rows, 3);
  // A number ended by a line feed ends the line; signs start numbers.
  EXPECT_EQ(ScanAll("1\n2-3+4", &x), (std::vector<TScanned>{{0, 0, 1}, {0, 1, 2}, {1, 1, -3}, {2, 1, 4}}));
  EXPECT_EQ(x.Rows, 2);
  EXPECT_EQ(ScanAll("1,5;2.5"), (std::vector<TScanned>{{0, 0, 1.5}, {1, 0, 2.5}}));
  // TABs keep cells in their columns, also around texts and "####".
  EXPECT_EQ(ScanAll(" 1.000\t####\t3.000\r\n\t\t9\r\n", &x),
            (std::vector<TScanned>{{0, 0, 1}, {2, 0, 3}, {2, 1, 9}}));
  EXPECT_EQ(x.Columns, 3);
  // A blank line inside the matrix is a row.
  EXPECT_EQ(ScanAll("1\n\n2", &x), (std::vector<TScanned>{{0, 0, 1}, {0, 2, 2}}));
  EXPECT_EQ(x.Rows, 3);
  // No number at all.
  EXPECT_TRUE(ScanAll("abc\r\n####\t;;\n", &x).empty());
  EXPECT_EQ(x.Values, 0);
  EXPECT_EQ(x.Rows, 0);
}

TEST(NTabEdClipboard, ExtractWritesAtTheSelectionAndNeverOutsideTheTable) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  int pastes = 0;
  e->OnPaste = [&](TObject*) { ++pastes; };
  e->SetCellState(1, 1, csMarkB);
  Clipboard()->SetAsText("1 2 3\r\n4 5 6\r\n");
  SelectCells(e, 1, 1, 1, 1);
  e->PopupMenuClickExtClip(e);
  EXPECT_EQ(e->GetElem(1, 1), 1);
  EXPECT_EQ(e->GetElem(3, 1), 3);
  EXPECT_EQ(e->GetElem(1, 2), 4);
  EXPECT_EQ(e->GetElem(3, 2), 6);
  EXPECT_EQ(e->GetElem(1, 3), 0);
  EXPECT_EQ(e->GetCellState(1, 1), csMarkB);  // states stay
  EXPECT_EQ(pastes, 1);
  EXPECT_EQ(e->GetSelection(), (TGridRect{2, 1, 4, 2}));

  // A matrix larger than the room right and below the selection.
  std::string big;
  for (int r = 0; r < 6; ++r) {
    for (int c = 0; c < 7; ++c) big += std::to_string(10 * r + c + 100) + "\t";
    big += "\n";
  }
  Clipboard()->SetAsText(big);
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 4; ++r) e->SetElem(c, r, -1);
  SelectCells(e, 2, 3, 2, 3);
  e->PopupMenuClickExtClip(e);
  EXPECT_EQ(e->GetElem(2, 3), 100);
  EXPECT_EQ(e->GetElem(3, 3), 101);
  EXPECT_EQ(e->GetElem(2, 4), 110);
  EXPECT_EQ(e->GetElem(3, 4), 111);
  EXPECT_EQ(e->GetElem(1, 3), -1);
  EXPECT_EQ(e->GetElem(3, 2), -1);
  EXPECT_EQ(e->GetSelection(), (TGridRect{3, 3, 4, 4}));
  EXPECT_EQ(e->GetNrOfColumns(), 3);

  // No text: nothing happens.
  Clipboard()->SetAsText("");
  e->PopupMenuClickExtClip(e);
  EXPECT_EQ(pastes, 2);
}

TEST(NTabEdClipboard, ClipMatrixSize) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  int cols = 0, rows = 0;
  Clipboard()->SetAsText("");
  EXPECT_FALSE(e->GetClipMatrixSize(cols, rows));
  EXPECT_EQ(cols, 1);
  EXPECT_EQ(rows, 1);
  Clipboard()->SetAsText("no numbers here\n");
  EXPECT_FALSE(e->GetClipMatrixSize(cols, rows));
  EXPECT_EQ(cols, 1);
  // With and without a line end after the last line, ragged lines.
  Clipboard()->SetAsText("1 2 3\r\n4 5 6\r\n");
  EXPECT_TRUE(e->GetClipMatrixSize(cols, rows));
  EXPECT_EQ(cols, 3);
  EXPECT_EQ(rows, 2);
  Clipboard()->SetAsText("1\n2 3 4 5\n6");
  EXPECT_TRUE(e->GetClipMatrixSize(cols, rows));
  EXPECT_EQ(cols, 4);
  EXPECT_EQ(rows, 3);
  Clipboard()->SetAsText("-1e99999 +2,5");
  EXPECT_TRUE(e->GetClipMatrixSize(cols, rows));
  EXPECT_EQ(cols, 2);
  EXPECT_EQ(rows, 1);
}

// What LibreOffice Calc and Gnumeric put on the clipboard for a copied
// range, and that our own text is a matrix of numbers to them: one line per
// row, cells split at TABs, each a number once a leading blank is trimmed
// (their import trims it) and with "." as the decimal point.
TEST(NTabEdClipboard, SpreadsheetTextsBothWays) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  struct TCase {
    const char* text;
    double a, b, c, d;
  };
  const TCase cases[] = {
      {"1.5\t2\n3\t-4.25\n", 1.5, 2, 3, -4.25},           // Calc and Gnumeric, LF, trailing line end
      {"1.5\t2\r\n3\t-4.25\r\n", 1.5, 2, 3, -4.25},       // CR LF
      {"1,5\t2\n3\t-4,25", 1.5, 2, 3, -4.25},             // decimal comma, no line end at the end
      {"1.5E-10\t2\n3\t4e+20\n", 1.5e-10, 2, 3, 4e20},    // exponent cells
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    Clipboard()->SetAsText(c.text);
    int cols = 0, rows = 0;
    EXPECT_TRUE(e->GetClipMatrixSize(cols, rows));
    EXPECT_EQ(cols, 2);
    EXPECT_EQ(rows, 2);
    SelectCells(e, 1, 1, 1, 1);
    e->PopupMenuClickExtClip(e);
    EXPECT_EQ(e->GetElem(1, 1), c.a);
    EXPECT_EQ(e->GetElem(2, 1), c.b);
    EXPECT_EQ(e->GetElem(1, 2), c.c);
    EXPECT_EQ(e->GetElem(2, 2), c.d);
  }
  // An empty spreadsheet cell keeps the cells after it in their columns.
  e->SetElem(2, 1, -7);
  Clipboard()->SetAsText("1\t\t3\n");
  SelectCells(e, 1, 1, 1, 1);
  e->PopupMenuClickExtClip(e);
  EXPECT_EQ(e->GetElem(1, 1), 1);
  EXPECT_EQ(e->GetElem(2, 1), -7);
  EXPECT_EQ(e->GetElem(3, 1), 3);

  // Our copy, read the way a spreadsheet reads it.
  e->SetElem(1, 1, 1.5);
  e->SetElem(2, 1, -2e-7);
  e->SetElem(1, 2, 1e300);
  e->SetElem(2, 2, 0);
  for (bool full : {true, false}) {
    SCOPED_TRACE(full);
    e->SetClipboardUseFullPrec(full);
    SelectCells(e, 1, 1, 2, 2);
    e->PopupMenuClickCopy(e);
    std::string text = Clipboard()->GetAsText();
    std::vector<std::vector<double>> matrix;
    size_t at = 0;
    while (at < text.size()) {
      size_t eol = text.find("\r\n", at);
      ASSERT_NE(eol, std::string::npos);
      std::string line = text.substr(at, eol - at);
      at = eol + 2;
      matrix.emplace_back();
      size_t from = 0;
      for (;;) {
        size_t tab = line.find('\t', from);
        std::string cell = line.substr(from, tab == std::string::npos ? std::string::npos : tab - from);
        while (!cell.empty() && cell.front() == ' ') cell.erase(0, 1);
        char* end = nullptr;
        double v = std::strtod(cell.c_str(), &end);
        EXPECT_TRUE(!cell.empty() && *end == 0) << "not a number: '" << cell << "'";
        matrix.back().push_back(v);
        if (tab == std::string::npos) break;
        from = tab + 1;
      }
    }
    ASSERT_EQ(matrix.size(), 2u);
    ASSERT_EQ(matrix[0].size(), 2u);
    ASSERT_EQ(matrix[1].size(), 2u);
    EXPECT_NEAR(matrix[0][0], 1.5, 1e-12);
    EXPECT_NEAR(matrix[0][1], full ? -2e-7 : 0, 1e-12);
    EXPECT_NEAR(matrix[1][0] / 1e300, 1, 1e-12);
    EXPECT_EQ(matrix[1][1], 0);
    // And back into the table at another place, unchanged at full precision.
    SelectCells(e, 2, 3, 2, 3);
    e->PopupMenuClickExtClip(e);
    EXPECT_EQ(e->GetElem(2, 3), 1.5);
    if (full) {
      EXPECT_EQ(e->GetElem(3, 3), -2e-7);
    }
    EXPECT_NEAR(e->GetElem(2, 4) / 1e300, 1, 1e-12);
  }
}
