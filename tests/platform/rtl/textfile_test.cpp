#include "platform/rtl/TextFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>

#include "platform/rtl/Exceptions.h"
#include "tests/platform/rtl/NonRegularFiles.h"
#include "tests/platform/rtl/TempFolder.h"
#include "tests/platform/rtl/Watchdog.h"

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

// A pipe nobody writes to would hold Reset forever and /dev/zero would fill
// memory with one endless line: only regular files open.
TEST(TextFile, OpensOnlyRegularFiles) {
  test::NonRegularFiles odd;
  ASSERT_TRUE(odd.made);
  TTextFile f;
  auto failure = [&](const std::string& name, void (*open)(TTextFile&)) {
    AssignFile(f, name);
    return test::ReturnsInTime([&] { return InOutMessage([&] { open(f); }); }, name.c_str());
  };
  const std::string notRegular = "It is not a regular file";
  EXPECT_EQ(failure(odd.pipe, Reset), "Cannot open file \"" + odd.pipe + "\". " + notRegular);
  EXPECT_EQ(failure(odd.pipe, Rewrite), "Cannot create file \"" + odd.pipe + "\". " + notRegular);
  EXPECT_EQ(failure(odd.pipe, Append), "Cannot open file \"" + odd.pipe + "\". " + notRegular);
  EXPECT_EQ(failure(odd.folder, Rewrite), "Cannot create file \"" + odd.folder + "\". " + std::strerror(EISDIR));
  for (const std::string& name : odd.All()) {
    EXPECT_NE(failure(name, Reset), "no exception") << name;
    EXPECT_FALSE(f.IsOpen()) << name;
  }
  if (std::filesystem::exists("/dev/zero")) {
    EXPECT_EQ(failure("/dev/zero", Reset), "Cannot open file \"/dev/zero\". " + notRegular);
  }
  AssignFile(f, odd.dir.Path("good.txt"));  // the same object still writes and reads
  Rewrite(f);
  WriteLn(f, "still fine");
  CloseFile(f);
  Append(f);
  WriteLn(f, "twice");
  CloseFile(f);
  Reset(f);
  EXPECT_EQ(ReadLn(f), "still fine");
  EXPECT_EQ(ReadLn(f), "twice");
  EXPECT_TRUE(Eof(f));
  CloseFile(f);
}
