#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/rtl/Exceptions.h"
#include "tests/platform/rtl/NonRegularFiles.h"
#include "tests/platform/rtl/TempFolder.h"
#include "tests/platform/rtl/Watchdog.h"

using namespace qel;

namespace {

std::string ReadAll(TStream& s) {
  s.SetPosition(0);
  std::string text(static_cast<size_t>(s.GetSize()), '\0');
  s.ReadBuffer(text.data(), static_cast<int64_t>(text.size()));
  return text;
}

void WriteText(TStream& s, const std::string& text) { s.WriteBuffer(text.data(), static_cast<int64_t>(text.size())); }

}  // namespace

TEST(Streams, MemoryStreamReadWriteSeek) {
  TMemoryStream m;
  WriteText(m, "hello world");
  EXPECT_EQ(m.GetSize(), 11);
  EXPECT_EQ(m.GetPosition(), 11);
  m.Seek(-5, soEnd);
  WriteText(m, "WORLD!");  // overwrites and grows
  EXPECT_EQ(ReadAll(m), "hello WORLD!");
  char buf[8] = {};
  m.SetPosition(9);
  EXPECT_EQ(m.Read(buf, 8), 3);  // only what is left
  EXPECT_EQ(std::string(buf, 3), "LD!");
  EXPECT_EQ(m.Read(buf, 8), 0);
  EXPECT_THROW(m.ReadBuffer(buf, 1), EStreamError);
  m.Seek(15, soBeginning);  // writing past the end fills the gap with zeros
  WriteText(m, "x");
  EXPECT_EQ(ReadAll(m), std::string("hello WORLD!\0\0\0x", 16));
  m.SetSize(5);
  EXPECT_EQ(m.GetPosition(), 5);
  EXPECT_EQ(ReadAll(m), "hello");
  EXPECT_THROW(m.Seek(-1, soBeginning), EStreamError);
  m.Clear();
  EXPECT_EQ(m.GetSize(), 0);
}

TEST(Streams, StringStreamAndCopy) {
  TStringStream s("abcdef");
  char buf[3];
  s.ReadBuffer(buf, 3);
  EXPECT_EQ(std::string(buf, 3), "abc");
  WriteText(s, "XY");
  EXPECT_EQ(s.DataString(), "abcXYf");
  s.SetSize(2);
  EXPECT_EQ(s.DataString(), "ab");
  TMemoryStream m;
  m.CopyFrom(s, 0);  // 0 copies the whole source from its start
  EXPECT_EQ(ReadAll(m), "ab");
  TStringStream target;
  m.SetPosition(1);
  target.CopyFrom(m, 1);
  EXPECT_EQ(target.DataString(), "b");
  EXPECT_THROW(target.CopyFrom(m, 1), EStreamError);  // nothing left to copy
}

TEST(Streams, FileStreamRoundTrip) {
  test::TempFolder dir;
  const std::string name = dir.Path("data.bin");
  {
    TFileStream f(name, fmCreate);
    WriteText(f, "0123456789");
    f.SetSize(8);
    EXPECT_EQ(f.GetSize(), 8);
  }
  {
    TFileStream f(name, fmOpenReadWrite);
    f.Seek(-3, soEnd);
    WriteText(f, "ab");
    EXPECT_EQ(ReadAll(f), "01234ab7");
  }
  TMemoryStream m;
  m.LoadFromFile(name);
  EXPECT_EQ(ReadAll(m), "01234ab7");
  m.SaveToFile(dir.Path("copy.bin"));
  TFileStream copy(dir.Path("copy.bin"), fmOpenRead);
  EXPECT_EQ(ReadAll(copy), "01234ab7");
  EXPECT_THROW(WriteText(copy, "x"), EStreamError);  // opened for reading only
}

TEST(Streams, FileStreamErrorsNameTheFile) {
  test::TempFolder dir;
  const std::string missing = dir.Path("missing.txt");
  try {
    TFileStream f(missing, fmOpenRead);
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". " + std::strerror(ENOENT));
  }
  const std::string nowhere = dir.Path("no/such/folder.txt");
  try {
    TFileStream f(nowhere, fmCreate);
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file \"" + nowhere + "\". " + std::strerror(ENOENT));
  }
  EXPECT_THROW(TFileStream(dir.Path(), fmOpenRead), EFOpenError);  // a folder is no file
}

// Read to the end, a device never ends and opening a pipe waits for a
// writer: only regular files open, for reading and writing alike.
TEST(Streams, FileStreamOpensOnlyRegularFiles) {
  test::NonRegularFiles odd;
  ASSERT_TRUE(odd.made);
  auto message = [](const std::string& name, uint16_t mode) {
    return test::ReturnsInTime(
        [&]() -> std::string {
          try {
            TFileStream f(name, mode);
          } catch (const EFOpenError& e) {
            return e.Message();
          }
          return "opened";
        },
        name.c_str());
  };
  const std::string notRegular = "It is not a regular file";
  EXPECT_EQ(message(odd.pipe, fmOpenRead), "Cannot open file \"" + odd.pipe + "\". " + notRegular);
  EXPECT_EQ(message(odd.pipe, fmCreate), "Cannot create file \"" + odd.pipe + "\". " + notRegular);
  EXPECT_EQ(message(odd.pipe, fmOpenWrite), "Cannot open file \"" + odd.pipe + "\". " + notRegular);
  EXPECT_EQ(message(odd.folder, fmOpenRead), "Cannot open file \"" + odd.folder + "\". " + std::strerror(EISDIR));
  EXPECT_EQ(message(odd.folder, fmCreate), "Cannot create file \"" + odd.folder + "\". " + std::strerror(EISDIR));
  EXPECT_EQ(message(odd.missing, fmOpenRead), "Cannot open file \"" + odd.missing + "\". " + std::strerror(ENOENT));
  if (std::filesystem::exists("/dev/zero")) {
    EXPECT_EQ(message("/dev/zero", fmOpenRead), "Cannot open file \"/dev/zero\". " + notRegular);
  }
  TMemoryStream m;
  WriteText(m, "kept");
  for (const std::string& name : odd.All()) EXPECT_THROW(m.LoadFromFile(name), EFOpenError) << name;
  EXPECT_EQ(ReadAll(m), "kept");
  const std::string good = odd.dir.Path("good.bin");
  m.SaveToFile(good);
  TMemoryStream again;
  again.LoadFromFile(good);
  EXPECT_EQ(ReadAll(again), "kept");
  TFileStream reopened(good, fmOpenReadWrite);  // a regular file reads and writes as before
  reopened.Seek(0, soEnd);
  WriteText(reopened, "!");
  EXPECT_EQ(ReadAll(reopened), "kept!");
}
