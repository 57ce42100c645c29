// The report list's file readers given names that lead to no regular file (a
// pipe nobody writes to, /dev/zero, a folder, a missing name): each raises
// EInOutError at once, keeps the data, and reads a good file afterwards.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "platform/rtl/Exceptions.h"
#include "replist/QEL_replist.h"
#include "replist/detail/XmlLines.h"
#include "tests/platform/rtl/NonRegularFiles.h"
#include "tests/platform/rtl/Watchdog.h"

using namespace qel;

namespace {

std::string Cells(const TRLData& d) {
  std::string s;
  for (int r = 1; r <= d.GetNrOfRows(); ++r)
    for (int c = 1; c <= d.GetNrOfColumns(); ++c) s += d.GetElem(c, r) + "|";
  return s;
}

std::string InOutMessage(const std::function<void()>& f, const std::string& name) {
  return test::ReturnsInTime(
      [&]() -> std::string {
        try {
          f();
        } catch (const EInOutError& e) {
          return e.Message();
        }
        return "no exception";
      },
      name.c_str());
}

}  // namespace

TEST(RLDataFileKinds, ReadersRefuseWhatIsNoRegularFile) {
  test::NonRegularFiles odd;
  ASSERT_TRUE(odd.made);
  TRLData d(nullptr);
  d.SetNrCols(2);
  d.SetNrRows(1);
  d.SetElem(1, 1, "kept");
  d.SetElem(2, 1, "ünï");
  const std::string before = Cells(d);
  for (const std::string& name : odd.All()) {
    std::string m = InOutMessage([&] { d.LoadFromXMLFile(name, ""); }, name);
    EXPECT_EQ(m.rfind("Cannot open file \"" + name + "\". ", 0), 0u) << m;
    m = InOutMessage([&] { CheckIfValidReplist(name, ""); }, name);
    EXPECT_EQ(m.rfind("Cannot open file \"" + name + "\". ", 0), 0u) << m;
    m = InOutMessage([&] { d.LoadLinesFromFile(1, 1, name); }, name);
    EXPECT_EQ(m.rfind("Cannot open file \"" + name + "\". ", 0), 0u) << m;
    EXPECT_EQ(Cells(d), before) << name;
  }
  EXPECT_EQ(InOutMessage([&] { CheckIfValidReplist(odd.pipe, ""); }, odd.pipe),
            "Cannot open file \"" + odd.pipe + "\". It is not a regular file");

  const std::string good = odd.dir.Path("good.xml");  // the same object reads a good file
  d.SaveAsXMLFile(good, "Sales");
  EXPECT_TRUE(CheckIfValidReplist(good, "sales"));
  TRLData back(nullptr);
  back.LoadFromXMLFile(good, "");
  EXPECT_EQ(Cells(back), before);
  d.LoadFromXMLFile(good, "sales");
  EXPECT_EQ(Cells(d), before);
}

// The check looks only at the start of very long lines, so a huge file with
// no line breaks needs no memory beyond that; the next line is still seen.
TEST(RLDataFileKinds, CheckReadsLongLinesOnlyInPart) {
  TStringStream s("abcdefgh\r\nxy\r\n" + std::string(100, 'z'));
  TStreamLineSource lines(s, 4);
  std::string line;
  ASSERT_TRUE(lines.Next(line));
  EXPECT_EQ(line, "abcd");
  ASSERT_TRUE(lines.Next(line));
  EXPECT_EQ(line, "xy");
  ASSERT_TRUE(lines.Next(line));
  EXPECT_EQ(line, "zzzz");
  EXPECT_FALSE(lines.Next(line));
  EXPECT_EQ(lines.LineNo(), 3);

  test::TempFolder tmp;
  TFileStream f(tmp.Path("long.xml"), fmCreate);
  const std::string filler(300 * 1024, 'x');
  f.WriteBuffer(filler.data(), int64_t(filler.size()));
  const std::string tag = "\n<replist creator=\"qelgadget\" id=\"a\">\n";
  f.WriteBuffer(tag.data(), int64_t(tag.size()));
  EXPECT_TRUE(CheckIfValidReplist(tmp.Path("long.xml"), "a"));
  EXPECT_FALSE(CheckIfValidReplist(tmp.Path("long.xml"), "b"));
}
