// TRLData clipboard text, HTML export and line import.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/controls/Application.h"
#include "replist/QEL_replist.h"
#include "tests/platform/rtl/TempFolder.h"

using namespace qel;

namespace {
void FillAbcd(TRLData& d) {
  d.SetNrCols(2);
  d.SetNrRows(2);
  d.SetColName(1, "N1");
  d.SetColName(2, "N2");
  d.SetElem(1, 1, "a");
  d.SetElem(2, 1, "b");
  d.SetElem(1, 2, "c");
  d.SetElem(2, 2, "d");
}
template <typename S>
constexpr bool TakesSeparator = requires(const TRLData& l, S s) {
  l.ClipboardText(1, 1, 2, 2, true, s);
  l.CopyToClipBoard(1, 1, 2, 2, true, s);
};
std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}
}  // namespace

TEST(RLDataClipboard, SeparatedAndFixedWidthLayouts) {
  TRLData d(nullptr);
  FillAbcd(d);
  d.CopyToClipBoard(1, 1, 2, 2, true, std::string(";"));
  EXPECT_EQ(Clipboard()->GetAsText(), "N1;N2\n\na;b\nc;d\n");
  d.CopyToClipBoard(1, 1, 2, 2, true, false);
  EXPECT_EQ(Clipboard()->GetAsText(), "N1 N2 \n\na  b  \nc  d  \n");
  d.CopyToClipBoard(1, 1, 2, 2, false, true);
  EXPECT_EQ(Clipboard()->GetAsText(), "a\tb\nc\td\n");
  d.CopyToClipBoard(1, 2, 2, 1, true, std::string(";"));
  EXPECT_EQ(Clipboard()->GetAsText(), "N1;N2\n\n");
  d.CopyToClipBoard(1, 2, 2, 1, false, false);
  EXPECT_EQ(Clipboard()->GetAsText(), "");
  d.CopyToClipBoard(1, 2, 2, 2000000000, false, std::string(","));  // clipped to the list
  EXPECT_EQ(Clipboard()->GetAsText(), "c,d\n");
  d.SetColCheckMode(2, cmBox);
  d.SetElem(2, 1, "yes");
  d.SetElemChecked(2, 1, true);
  d.CopyToClipBoard(2, 1, 2, 1, false, false);
  EXPECT_EQ(Clipboard()->GetAsText(), "yes  \n");  // width 4 + 1 from 'Xyes'
  d.CopyToClipBoard(2, 1, 2, 1, false, true);
  EXPECT_EQ(Clipboard()->GetAsText(), "yes\n");
}

// A literal must not turn into the Boolean layout flag.
TEST(RLDataClipboard, LiteralSeparatorsSeparate) {
  TRLData d(nullptr);
  FillAbcd(d);
  d.CopyToClipBoard(1, 1, 2, 2, true, ";");
  EXPECT_EQ(Clipboard()->GetAsText(), "N1;N2\n\na;b\nc;d\n");
  EXPECT_EQ(d.ClipboardText(1, 1, 2, 1, false, " | "), "a | b\n");
  EXPECT_EQ(d.ClipboardText(1, 1, 2, 1, false, std::string_view(",")), "a,b\n");
  const char* none = nullptr;
  EXPECT_EQ(d.ClipboardText(1, 1, 2, 1, false, none), "ab\n");
  // A single character would be read as the layout flag: it does not compile.
  static_assert(!TakesSeparator<char> && TakesSeparator<const char*> && TakesSeparator<std::string>);
}

TEST(RLDataHtml, EscapesEveryTextAfterTheHandler) {
  qel::test::TempFolder tmp;
  TRLData d(nullptr);
  FillAbcd(d);
  d.SetElem(1, 1, "<script>&\"x\"");
  d.SetRawElem(1, 2, std::string("bad\xff", 4));
  d.SetColCheckMode(2, cmBox);
  d.SetElemChecked(2, 1, true);
  std::vector<std::pair<int, int>> calls;
  d.OnBeforeHTMLExport = [&](TObject* s, std::string& text, int col, int row) {
    EXPECT_EQ(s, &d);
    calls.emplace_back(col, row);
    if (col == 2 && row == 2) text = "<changed>";
  };
  d.ExportHTMLTable(tmp.Path("t.html"), 1, 1, 2, 2, {120}, 1, 2, 0, true, "T<1>", "#eeeeee", "white\"x");
  const std::string html = ReadAll(tmp.Path("t.html"));
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(html.find("&lt;script&gt;&amp;&quot;x&quot;"), std::string::npos);
  EXPECT_EQ(html.find("<script>"), std::string::npos);
  EXPECT_NE(html.find("&lt;changed&gt;"), std::string::npos);
  EXPECT_NE(html.find("T&lt;1&gt;"), std::string::npos);
  EXPECT_NE(html.find("bad\uFFFD"), std::string::npos);
  EXPECT_NE(html.find("\u2611 b"), std::string::npos);
  EXPECT_NE(html.find("width:120px;"), std::string::npos);
  EXPECT_NE(html.find("background-color:whitex;"), std::string::npos);  // quotes cannot break out
  EXPECT_EQ(calls.size(), 6u);  // two names, four cells
  EXPECT_EQ(calls[0], std::make_pair(1, 0));
  EXPECT_THROW(d.ExportHTMLTable(tmp.Path("no/such/dir.html"), 1, 1, 2, 2, {}, 0, 0, 0, false, "", "", ""),
               EInOutError);
}

TEST(RLDataImport, LinesGrowTheListAndFailuresChangeNothing) {
  qel::test::TempFolder tmp;
  {
    std::ofstream f(tmp.Path("l.txt"), std::ios::binary);
    f << "one\r\ntwo\n\nfour";
  }
  TRLData d(nullptr);
  d.SetNrRows(1);
  d.SetElem(1, 1, "keep");
  EXPECT_EQ(d.LoadLinesFromFile(3, 2, tmp.Path("l.txt")), 4);
  EXPECT_EQ(d.GetNrOfColumns(), 3);
  EXPECT_EQ(d.GetNrOfRows(), 5);
  EXPECT_EQ(d.GetElem(1, 1), "keep");
  EXPECT_EQ(d.GetElem(3, 2), "one");
  EXPECT_EQ(d.GetElem(3, 3), "two");
  EXPECT_EQ(d.GetElem(3, 4), "");
  EXPECT_EQ(d.GetElem(3, 5), "four");
  d.SetColCheckMode(1, cmBox);
  d.SetElemChecked(1, 1, true);
  d.LoadLinesFromFile(1, 1, tmp.Path("l.txt"));
  EXPECT_EQ(d.GetRawElem(1, 1), "Xone");  // marks stay
  EXPECT_THROW(d.LoadLinesFromFile(1, 1, tmp.Path("missing.txt")), EInOutError);
  EXPECT_EQ(d.GetNrOfRows(), 5);
  EXPECT_EQ(d.GetElem(1, 1), "one");
}
