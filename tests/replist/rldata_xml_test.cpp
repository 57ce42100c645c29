// TRLData XML blocks: round trips, block selection, recognition and malformed input.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/NumConv.h"
#include "replist/QEL_replist.h"
#include "replist/detail/XmlLines.h"
#include "tests/platform/rtl/TempFolder.h"

using namespace qel;
using namespace std::string_literals;

namespace {

// A list with every kind of content the format has to carry.
void FillRich(TRLData& d) {
  d.SetNrCols(4);
  d.SetNrRows(5);
  d.SetCommonHeader("Line one\nLine <two> & \"three\"\r\n\ttabbed");
  d.SetComment("K\u00f6ln 'quoted' \u20ac \U0001F600");
  d.SetDataID("Sales");
  d.SetColName(1, "Name & <title>");
  d.SetColName(2, "\u00c4rger");
  d.SetColumnFormat(1, "[c:5]red|green");
  d.SetColumnFormat(4, "[i][80]rix4");
  d.SetColCheckMode(2, cmBox);
  d.SetColCheckMode(3, cmRadio);
  d.SetElem(1, 1, "<b>bold</b> & 'x' \"y\"");
  d.SetElem(1, 2, "\u65e5\u672c\u8a9e");
  d.SetElem(1, 3, "ctl\x01\x1f\x7f end"s);
  d.SetRawElem(1, 4, "bad \xff\xfe utf8 \xc3"s);
  d.SetElem(2, 1, "checked");
  d.SetElemChecked(2, 1, true);
  d.SetElem(2, 2, "unchecked");
  d.SetElemChecked(3, 5, true);  // a mark alone
  d.SetElem(0, 2, "hidden column");
  d.SetElem(4, 5, "  spaces  ");
  d.SetElem(4, 4, "nul\0byte"s);
}

void ExpectSame(const TRLData& a, const TRLData& b) {
  ASSERT_EQ(a.GetNrOfColumns(), b.GetNrOfColumns());
  ASSERT_EQ(a.GetNrOfRows(), b.GetNrOfRows());
  EXPECT_EQ(a.GetCommonHeader(), b.GetCommonHeader());
  EXPECT_EQ(a.GetComment(), b.GetComment());
  for (int c = 1; c <= a.GetNrOfColumns(); ++c) {
    EXPECT_EQ(a.GetColName(c), b.GetColName(c));
    EXPECT_EQ(a.GetColumnFormat(c), b.GetColumnFormat(c));
    EXPECT_EQ(a.GetColCheckMode(c), b.GetColCheckMode(c));
  }
  for (int r = 1; r <= a.GetNrOfRows(); ++r)
    for (int c = 0; c <= a.GetNrOfColumns(); ++c) EXPECT_EQ(a.GetRawElem(c, r), b.GetRawElem(c, r)) << c << "," << r;
}

std::string Xml(const TRLData& d, const std::string& id, bool header = true) {
  TStringStream s;
  d.WriteToXMLStream(s, header, id);
  return s.DataString();
}

}  // namespace

TEST(RLDataXml, RoundTripsEveryKindOfContent) {
  TRLData d(nullptr), back(nullptr);
  FillRich(d);
  const std::string xml = Xml(d, "Sales");
  back.ReadFromXMLString(xml, "sales");
  ExpectSame(d, back);
  EXPECT_EQ(back.GetDataID(), "Sales");
  EXPECT_TRUE(back.GetElemChecked(2, 1));
  EXPECT_TRUE(back.GetElemChecked(3, 5));
  // Through a file and an open text file as well.
  qel::test::TempFolder tmp;
  d.SaveAsXMLFile(tmp.Path("a.xml"), "Sales");
  TRLData fromFile(nullptr);
  fromFile.LoadFromXMLFile(tmp.Path("a.xml"), "");
  ExpectSame(d, fromFile);
  TTextFile f;
  AssignFile(f, tmp.Path("b.xml"));
  Rewrite(f);
  WriteLn(f, "some preamble");
  d.WriteToOpenXMLFile(f, false, "x");
  CloseFile(f);
  AssignFile(f, tmp.Path("b.xml"));
  Reset(f);
  TRLData fromText(nullptr);
  fromText.ReadFromOpenXMLFile(f, "X");
  CloseFile(f);
  ExpectSame(d, fromText);
}

TEST(RLDataXml, SavingReportsProgress) {
  TRLData d(nullptr);
  d.SetNrRows(300);
  std::vector<int> percents;
  d.OnPercentDone = [&](TObject* s, int p) {
    EXPECT_EQ(s, &d);
    percents.push_back(p);
  };
  Xml(d, "");
  ASSERT_EQ(percents.size(), 101u);
  EXPECT_EQ(percents.front(), 0);
  EXPECT_EQ(percents.back(), 100);
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
}

TEST(RLDataXml, WritesTheShownOrder) {
  TRLData d(nullptr), back(nullptr);
  d.SetNrRows(3);
  d.SetElem(1, 1, "b");
  d.SetElem(1, 2, "c");
  d.SetElem(1, 3, "a");
  d.Sort(1, -1, true);
  back.ReadFromXMLString(Xml(d, ""), "");
  EXPECT_EQ(back.GetElem(1, 1), "a");
  EXPECT_EQ(back.GetElem(1, 3), "c");
  EXPECT_EQ(back.GetSortColumn(), -1);
}

TEST(RLDataXml, SelectsBlocksByIdAndReadsFromTheMiddleOfAStream) {
  TRLData a(nullptr), b(nullptr);
  a.SetNrRows(1);
  a.SetElem(1, 1, "from a");
  b.SetNrCols(2);
  b.SetNrRows(2);
  b.SetElem(2, 2, "from b");
  TStringStream s("text before\r\nmore <text> here\n");
  s.Seek(0, soEnd);
  a.WriteToXMLStream(s, false, "a");
  b.WriteToXMLStream(s, false, "b");
  const std::string tail = "trailing line\n";
  s.WriteBuffer(tail.data(), int64_t(tail.size()));
  TRLData r(nullptr);
  r.ReadFromXMLString(s.DataString(), "B");
  EXPECT_EQ(r.GetElem(2, 2), "from b");
  r.ReadFromXMLString(s.DataString(), "");
  EXPECT_EQ(r.GetElem(1, 1), "from a");
  // The stream form reads from the current position and stops after the block.
  s.SetPosition(12);
  r.ReadFromXMLStream(s, "a");
  EXPECT_EQ(r.GetElem(1, 1), "from a");
  TRLData next(nullptr);
  next.ReadFromXMLStream(s, "");  // the next block is b
  EXPECT_EQ(next.GetElem(2, 2), "from b");
  std::string line;
  bool eos = false;
  ReadLnStream(s, eos, 0, line);
  EXPECT_EQ(line, "trailing line");
  // A block all on one line, between other text.
  TRLData one(nullptr);
  one.ReadFromXMLString("junk <replist creator=\"qelgadget\" id=\"z\"><numcols>1</numcols><numrows>1</numrows>"
                        "<cell col=\"1\" row=\"1\">v</cell></replist> more junk", "z");
  EXPECT_EQ(one.GetElem(1, 1), "v");
  // Cells without col follow the previous one; a row starts at column 1.
  one.ReadFromXMLString("<replist creator=\"qelgadget\"><numcols>4</numcols><numrows>3</numrows>\n"
                        "<cell row=\"2\">a</cell><cell>b</cell><cell col=\"4\">c</cell>\n"
                        "<cell col=\"0\" row=\"3\">h</cell><cell>d</cell>\n</replist>", "");
  EXPECT_EQ(one.GetElem(1, 2), "a");
  EXPECT_EQ(one.GetElem(2, 2), "b");
  EXPECT_EQ(one.GetElem(4, 2), "c");
  EXPECT_EQ(one.GetElem(0, 3), "h");
  EXPECT_EQ(one.GetElem(1, 3), "d");
}

TEST(RLDataXml, RecognisesBlocksInFilesAndStreams) {
  qel::test::TempFolder tmp;
  auto write = [&](const std::string& name, const std::string& text) {
    TStringStream s(text);
    TFileStream f(tmp.Path(name), fmCreate);
    f.CopyFrom(s, 0);
    return tmp.Path(name);
  };
  const std::string sales = write("s.xml", "<?xml?>\n<replist creator=\"qelgadget\" id=\" Sales \">\n</replist>\n");
  EXPECT_TRUE(CheckIfValidReplist(sales, "sales"));
  EXPECT_TRUE(CheckIfValidReplist(sales, "SALES"));
  EXPECT_TRUE(CheckIfValidReplist(sales, ""));
  EXPECT_FALSE(CheckIfValidReplist(sales, "sale"));
  EXPECT_TRUE(CheckIfValidReplist(write("c.xml", "<REPLIST x=\"QELGADGET\">\n"), ""));
  EXPECT_FALSE(CheckIfValidReplist(write("two.xml", "<replist\nqelgadget\n"), ""));
  const std::string both = write("ab.xml", "<replist qelgadget id=\"a\">\n</replist>\n<replist qelgadget id=\"b\">\n");
  EXPECT_TRUE(CheckIfValidReplist(both, "b"));
  EXPECT_THROW(CheckIfValidReplist(tmp.Path("missing.xml"), ""), EInOutError);
  TStringStream s("x\n<replist qelgadget id=\"a\">\nafter\n");
  EXPECT_TRUE(CheckIfValidReplist(s, "A"));
  EXPECT_EQ(s.GetPosition(), 29);  // after the line that counted
  EXPECT_FALSE(CheckIfValidReplist(s, ""));
  TRLData d(nullptr);
  d.SetDataID("a&b");  // entities in the identifier are decoded before comparing
  TStringStream w;
  d.WriteToXMLStream(w, true, "a&b");
  w.SetPosition(0);
  EXPECT_TRUE(CheckIfValidReplist(w, "A&B"));
}

TEST(RLDataXml, MalformedBlocksRaiseAndChangeNothing) {
  TRLData good(nullptr);
  FillRich(good);
  const std::string xml = Xml(good, "Sales");
  const std::string root = "<replist creator=\"qelgadget\" id=\"q\"";
  const std::string head = root + ">\n<numcols>2</numcols>\n<numrows>2</numrows>\n";
  struct Case { std::string text, id, message; };
  const Case cases[] = {
      {xml.substr(0, xml.size() / 2), "Sales", "line"},
      {xml.substr(0, xml.rfind("</replist>")), "Sales", "without </replist>"},
      {xml, "other", "no report list block"},
      {"", "", "no report list block"},
      {head + "<cell col=\"3\" row=\"1\">x</cell>\n</replist>", "q", "line 4: <cell> outside"},
      {head + "<cell col=\"1\" row=\"3\">x</cell>\n</replist>", "q", "outside the list"},
      {head + "<cell col=\"1\" row=\"0\">x</cell>\n</replist>", "q", "outside the list"},
      {head + "<colname col=\"0\">x</colname>\n</replist>", "q", "outside the columns"},
      {head + "<unknown>x</unknown>\n</replist>", "q", "line 4: unknown tag <unknown>"},
      {head + "<cell col=\"1\" row=\"1\">x<b/></cell>\n</replist>", "q", "unexpected tag"},
      {head + "<cell col=\"1\" row=\"1\">x\n</replist>", "q", "line 5"},
      {head + "<numrows>3</numrows>\n</replist>", "q", "given twice"},
      {root + ">\n<numcols>x</numcols>\n</replist>", "q", "bad <numcols>"},
      {root + ">\n<numcols>0</numcols>\n</replist>", "q", "bad <numcols>"},
      {root + ">\n<numcols>1</numcols>\n</replist>", "q", "must come first"},
      {root + ">\n<numcols>1</numcols><colname col=\"1\">a</colname>\n</replist>", "q",
       "must come first"},
      {root + ">\n<numcols>100000</numcols><numrows>100000</numrows></replist>", "q",
       "too large"},
      {head + "<cell col=\"a\" row=\"1\">x</cell>\n</replist>", "q", "not a number"},
      {head + "<cell col=\"1\" row=\"1\">x<byte v=\"256\"/></cell>\n</replist>", "q", "<byte>"},
      {head + "<checkedcolumn col=\"1\">300</checkedcolumn>\n</replist>", "q", "bad <checkedcolumn>"},
      {head + "stray text\n</replist>", "q", "text outside"},
      {root + " x=>\n</replist>", "q", "line 1"},
      {root + ">\n</replist", "q", "unfinished"},
      {head + "<cell>x</cell>\n</replist>", "q", "outside the list"},
      {head + "<cell row=\"1\" col=\"2\">x</cell><cell>y</cell>\n</replist>", "q", "outside the list"},
  };
  for (const Case& c : cases) {
    TRLData d(nullptr);
    FillRich(d);
    d.Sort(1, -1, true);
    try {
      d.ReadFromXMLString(c.text, c.id);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const EQELRLDataError& e) {
      const std::string msg = e.what();
      EXPECT_NE(msg.find(c.message), std::string::npos) << msg;
      EXPECT_NE(msg.find("\"" + c.id + "\""), std::string::npos) << msg;
    }
    TRLData expected(nullptr);
    FillRich(expected);
    expected.Sort(1, -1, true);
    ExpectSame(expected, d);
    EXPECT_EQ(d.GetSortColumn(), 1);
  }
}

namespace {

// A block that declares far more than it holds: millions of columns in 79 bytes.
const std::string kHostileBlock =
    "<replist a=\"qelgadget\"><numcols>9369042</numcols><numrows>0</numrows></replist>";

// Reading Text must fail and leave d with its rich content, still usable.
void ExpectRejectedAndUnchanged(const std::string& Text, const std::string& Message) {
  TRLData d(nullptr), expected(nullptr);
  FillRich(d);
  FillRich(expected);
  try {
    d.ReadFromXMLString(Text, "");
    ADD_FAILURE() << "accepted a block of " << Text.size() << " bytes";
  } catch (const EQELRLDataError& e) {
    EXPECT_NE(std::string(e.what()).find(Message), std::string::npos) << e.what();
  }
  ExpectSame(expected, d);
  d.SetNrRows(7);
  d.SetElem(1, 7, "still usable");
  EXPECT_EQ(d.GetElem(1, 7), "still usable");
  TRLData small(nullptr);
  small.SetNrRows(1);
  small.SetElem(1, 1, "x");
  d.ReadFromXMLString(Xml(small, ""), "");
  EXPECT_EQ(d.GetNrOfColumns(), 1);
  EXPECT_EQ(d.GetElem(1, 1), "x");
}

}  // namespace

TEST(RLDataXml, DeclaredSizesMustBeBackedByTheBlock) {
  ExpectRejectedAndUnchanged(kHostileBlock, "declare");
  ExpectRejectedAndUnchanged(
      "<replist x=\"qelgadget\"><numcols>3</numcols><numrows>2000000000</numrows>\n<cell row=\"1\">a</cell>\n</replist>",
      "declare");
  ExpectRejectedAndUnchanged(
      "<replist x=\"qelgadget\"><numcols>2147483647</numcols><numrows>2147483647</numrows></replist>", "declare");
  // The stream form fails the same way and leaves the stream after the block.
  TStringStream s(kHostileBlock + "\nnext line\n");
  TRLData d(nullptr);
  EXPECT_THROW(d.ReadFromXMLStream(s, ""), EQELRLDataError);
  EXPECT_EQ(d.GetNrOfColumns(), 1);
  std::string line;
  bool eos = false;
  ReadLnStream(s, eos, 0, line);
  EXPECT_EQ(line, "next line");
}

TEST(RLDataXml, LargeListsRoundTrip) {
  // Many rows, every one with content: the cells back the size by themselves.
  TRLData dense(nullptr), back(nullptr);
  dense.SetNrCols(3);
  dense.SetNrRows(80000);
  for (int r = 1; r <= dense.GetNrOfRows(); ++r) dense.SetElem(1, r, IntToStr(r));
  const std::string denseXml = Xml(dense, "big");
  back.ReadFromXMLString(denseXml, "big");
  ASSERT_EQ(back.GetNrOfRows(), 80000);
  EXPECT_EQ(back.GetElem(1, 1), "1");
  EXPECT_EQ(back.GetElem(1, 80000), "80000");
  EXPECT_EQ(denseXml.find("\n \n"), std::string::npos);  // no room added

  // As many rows, nearly all empty, and a very wide list with no rows: the
  // writer adds room so that what it saved loads again, through every source.
  TRLData sparse(nullptr), wide(nullptr);
  sparse.SetNrCols(3);
  sparse.SetNrRows(80000);
  sparse.SetElem(2, 79999, "lonely");
  wide.SetNrCols(100000);
  wide.SetColName(90000, "named");
  qel::test::TempFolder tmp;
  for (TRLData* d : {&sparse, &wide}) {
    const std::string xml = Xml(*d, "");
    EXPECT_LT(xml.size(), 1000000u);
    TRLData fromString(nullptr), fromStream(nullptr), fromFile(nullptr), fromText(nullptr);
    fromString.ReadFromXMLString(xml, "");
    ExpectSame(*d, fromString);
    TStringStream s(xml);
    fromStream.ReadFromXMLStream(s, "");
    ExpectSame(*d, fromStream);
    d->SaveAsXMLFile(tmp.Path("l.xml"), "");
    fromFile.LoadFromXMLFile(tmp.Path("l.xml"), "");
    ExpectSame(*d, fromFile);
    TTextFile f;
    AssignFile(f, tmp.Path("l.xml"));
    Reset(f);
    fromText.ReadFromOpenXMLFile(f, "");
    CloseFile(f);
    ExpectSame(*d, fromText);
    // Without that room the block no longer backs its size.
    std::string stripped;
    TStringLineSource lines(xml);
    for (std::string line; lines.Next(line);)
      if (line.find_first_not_of(' ') != std::string::npos) stripped += line + "\n";
    ExpectRejectedAndUnchanged(stripped, "declare");
  }
}

TEST(RLDataXml, ColumnsWithDefaultsWriteNothing) {
  TRLData d(nullptr), back(nullptr);
  d.SetNrCols(1000);
  d.SetColName(2, "Second");
  d.SetColName(3, "C-4");  // a default name, but not this column's
  d.SetColumnFormat(5, "[i]");
  d.SetColCheckMode(6, cmRadio);
  const std::string xml = Xml(d, "");
  auto count = [&](const std::string& what) {
    size_t n = 0;
    for (size_t at = xml.find(what); at != std::string::npos; at = xml.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("<colname"), 2u);
  EXPECT_EQ(count("<columnformat"), 1u);
  EXPECT_EQ(count("<checkedcolumn"), 1u);
  EXPECT_LT(xml.size(), 1000u);
  back.SetNrCols(1000);
  for (int c = 1; c <= 1000; ++c) back.SetColName(c, "old");
  back.ReadFromXMLString(xml, "");
  ExpectSame(d, back);
  EXPECT_EQ(back.GetColName(999), "C-999");
}

TEST(RLDataXml, OnlyTheFoundIdentifierLosesItsBlanks) {
  qel::test::TempFolder tmp;
  const std::string text = "<replist creator=\"qelgadget\" id=\" a \"><numcols>1</numcols><numrows>0</numrows>"
                           "</replist>\n<replist creator=\"qelgadget\" id=\"b\"><numcols>2</numcols><numrows>0</numrows>"
                           "</replist>\n";
  {
    TFileStream f(tmp.Path("ids.xml"), fmCreate);
    f.WriteBuffer(text.data(), int64_t(text.size()));
  }
  EXPECT_TRUE(CheckIfValidReplist(tmp.Path("ids.xml"), "A"));
  EXPECT_FALSE(CheckIfValidReplist(tmp.Path("ids.xml"), " a "));
  EXPECT_FALSE(CheckIfValidReplist(tmp.Path("ids.xml"), "b "));
  EXPECT_FALSE(CheckIfValidReplist(tmp.Path("ids.xml"), " "));
  TStringStream s(text);
  EXPECT_FALSE(CheckIfValidReplist(s, " B"));
  s.SetPosition(0);
  EXPECT_TRUE(CheckIfValidReplist(s, "B"));
  TRLData d(nullptr);
  d.ReadFromXMLString(text, "b");
  EXPECT_EQ(d.GetNrOfColumns(), 2);
  try {
    d.ReadFromXMLString(text, " b");
    ADD_FAILURE() << "found a block for \" b\"";
  } catch (const EQELRLDataError& e) {
    EXPECT_NE(std::string(e.what()).find("no report list block"), std::string::npos) << e.what();
  }
  EXPECT_EQ(d.GetNrOfColumns(), 2);
  EXPECT_EQ(d.GetDataID(), "b");
}

TEST(RLDataXml, TheIdentifierIsReadWhateverTheCaseOfItsAttribute) {
  TRLData d(nullptr);
  d.ReadFromXMLString("<REPLIST CREATOR=\"QELGADGET\" ID=\"Q\"><numcols>1</numcols><numrows>0</numrows></REPLIST>",
                      "q");
  EXPECT_EQ(d.GetDataID(), "Q");
  d.ReadFromXMLString("<replist x=\"qelgadget\" Id=\"first\" iD=\"second\"><numcols>1</numcols><numrows>0</numrows>"
                      "</replist>", "first");
  EXPECT_EQ(d.GetDataID(), "first");
  d.ReadFromXMLString("<replist x=\"qelgadget\"><numcols>1</numcols><numrows>0</numrows></replist>", "");
  EXPECT_EQ(d.GetDataID(), "");
}
