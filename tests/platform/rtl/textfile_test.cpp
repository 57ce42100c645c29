#include "platform/rtl/TextFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "platform/rtl/Exceptions.h"
#include "tests/platform/rtl/TempFolder.h"

using namespace qel;

namespace {

std::string InOutMessage(const std::function<void()>& f) {
  try {
    f();
  } catch (const EInOutError& e) {
    return e.Message();
  }
  return "no exception";
}

}  // namespace

TEST(TextFile, WriteThenReadLines) {
  test::TempFolder dir;
  TTextFile f;
  AssignFile(f, dir.Path("lines.txt"));
  Rewrite(f);
  Write(f, "first ");
  WriteLn(f, "line");
  WriteLn(f);
  WriteLn(f, "caf\xC3\xA9");
  CloseFile(f);
  Append(f);
  Write(f, "last");  // no line end
  CloseFile(f);

  Reset(f);
  std::vector<std::string> lines;
  while (!Eof(f)) lines.push_back(ReadLn(f));
  EXPECT_EQ(lines, (std::vector<std::string>{"first line", "", "caf\xC3\xA9", "last"}));
  EXPECT_EQ(ReadLn(f), "");  // reading at the end gives empty lines
  CloseFile(f);
}

TEST(TextFile, ReadsCrLfLines) {
  test::TempFolder dir;
  std::ofstream(dir.Path("dos.txt"), std::ios::binary) << "a\r\nb\nc\r\n";
  TTextFile f;
  AssignFile(f, dir.Path("dos.txt"));
  Reset(f);
  EXPECT_EQ(ReadLn(f), "a");
  EXPECT_EQ(ReadLn(f), "b");
  EXPECT_EQ(ReadLn(f), "c");
  EXPECT_TRUE(Eof(f));
}

TEST(TextFile, ErrorsCarryNameAndReason) {
  test::TempFolder dir;
  const std::string missing = dir.Path("missing.txt");
  TTextFile f;
  AssignFile(f, missing);
  EXPECT_EQ(InOutMessage([&] { Reset(f); }), "Cannot open file \"" + missing + "\". " + std::strerror(ENOENT));
  EXPECT_EQ(InOutMessage([&] { Append(f); }), "Cannot open file \"" + missing + "\". " + std::strerror(ENOENT));
  EXPECT_EQ(InOutMessage([&] { ReadLn(f); }), "File not open: \"" + missing + "\"");
  const std::string deep = dir.Path("no/folder.txt");
  AssignFile(f, deep);
  EXPECT_EQ(InOutMessage([&] { Rewrite(f); }), "Cannot create file \"" + deep + "\". " + std::strerror(ENOENT));
  AssignFile(f, dir.Path());
  EXPECT_EQ(InOutMessage([&] { Reset(f); }), "Cannot open file \"" + dir.Path() + "\". " + std::strerror(EISDIR));

  AssignFile(f, dir.Path("out.txt"));
  Rewrite(f);
  EXPECT_EQ(InOutMessage([&] { ReadLn(f); }), "File not open for input: \"" + dir.Path("out.txt") + "\"");
  EXPECT_EQ(InOutMessage([&] { Reset(f); }), "File already open: \"" + dir.Path("out.txt") + "\"");
  CloseFile(f);
  Reset(f);
  EXPECT_EQ(InOutMessage([&] { WriteLn(f, "x"); }), "File not open for output: \"" + dir.Path("out.txt") + "\"");
}
