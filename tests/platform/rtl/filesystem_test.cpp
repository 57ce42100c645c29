#include "platform/rtl/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "tests/platform/rtl/TempFolder.h"

using namespace qel;

namespace {

// Names FindFirst/FindNext report for Pattern and Attr, sorted.
std::vector<std::string> Found(const std::string& pattern, int attr) {
  std::vector<std::string> names;
  TSearchRec sr;
  for (int r = FindFirst(pattern, attr, sr); r == 0; r = FindNext(sr)) names.push_back(sr.Name);
  FindClose(sr);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(FileSystem, CreateFindAndRemove) {
  test::TempFolder dir;
  const std::string root = IncludeTrailingPathDelimiter(dir.Path());
  EXPECT_TRUE(ForceDirectories(root + "a/b/c"));
  EXPECT_TRUE(DirectoryExists(root + "a/b/c"));
  EXPECT_FALSE(FileExists(root + "a/b/c"));
  EXPECT_TRUE(ForceDirectories(root + "a/b/c/"));  // existing: still true
  std::ofstream(root + "a/notes.txt") << "12345";
  std::ofstream(root + "a/data.csv") << "x";
  std::ofstream(root + "a/.hidden.txt") << "h";
  EXPECT_TRUE(FileExists(root + "a/notes.txt"));
  EXPECT_FALSE(DirectoryExists(root + "a/notes.txt"));

  EXPECT_EQ(Found(root + "a/*.txt", 0), std::vector<std::string>{"notes.txt"});
  EXPECT_EQ(Found(root + "a/*.txt", faHidden), (std::vector<std::string>{".hidden.txt", "notes.txt"}));
  EXPECT_EQ(Found(root + "a/*", 0), (std::vector<std::string>{"data.csv", "notes.txt"}));
  EXPECT_EQ(Found(root + "a/?ata.*", 0), std::vector<std::string>{"data.csv"});
  // Folders only come with faDirectory.
  EXPECT_EQ(Found(root + "a/*", faDirectory), (std::vector<std::string>{".", "..", "b", "data.csv", "notes.txt"}));
  EXPECT_EQ(Found(root + "missing/*", faAnyFile), std::vector<std::string>{});

  TSearchRec sr;
  ASSERT_EQ(FindFirst(root + "a/b", faDirectory, sr), 0);
  EXPECT_EQ(sr.Name, "b");
  EXPECT_TRUE(sr.Attr & faDirectory);
  FindClose(sr);
  ASSERT_EQ(FindFirst(root + "a/notes.txt", faAnyFile, sr), 0);
  EXPECT_EQ(sr.Size, 5);
  EXPECT_FALSE(sr.Attr & faDirectory);
  EXPECT_GT(sr.Time, EncodeDate(2020, 1, 1));
  EXPECT_NE(FindNext(sr), 0);
  FindClose(sr);
  EXPECT_NE(FindFirst(root + "a/*.none", faAnyFile, sr), 0);

  EXPECT_FALSE(RemoveDir(root + "a/b"));  // not empty
  EXPECT_TRUE(RemoveDir(root + "a/b/c"));
  EXPECT_FALSE(DeleteFile(root + "a/b"));  // a folder is no file
  EXPECT_TRUE(DeleteFile(root + "a/notes.txt"));
  EXPECT_FALSE(FileExists(root + "a/notes.txt"));
  EXPECT_FALSE(DeleteFile(root + "a/notes.txt"));
  EXPECT_TRUE(CreateDir(root + "new"));
  EXPECT_FALSE(CreateDir(root + "new"));
  EXPECT_FALSE(GetCurrentDir().empty());
}

TEST(FileSystem, MaskMatching) {
  EXPECT_TRUE(MatchesMask("readme", "*.*"));
  EXPECT_TRUE(MatchesMask("a.b.c", "*.c"));
  EXPECT_FALSE(MatchesMask("a.b.c", "*.b"));
  EXPECT_TRUE(MatchesMask("abc", "a?c"));
  EXPECT_FALSE(MatchesMask("ac", "a?c"));
  EXPECT_TRUE(MatchesMask("", "*"));
  EXPECT_FALSE(MatchesMask("Readme", "readme"));
  // Many stars against a long name stay fast.
  EXPECT_FALSE(MatchesMask(std::string(5000, 'a'), std::string(50, '*') + "b"));
}

TEST(FileSystem, FileNameParts) {
  EXPECT_EQ(ExtractFileName("/home/u/file.tar.gz"), "file.tar.gz");
  EXPECT_EQ(ExtractFilePath("/home/u/file.tar.gz"), "/home/u/");
  EXPECT_EQ(ExtractFileDir("/home/u/file.tar.gz"), "/home/u");
  EXPECT_EQ(ExtractFileDir("/file"), "/");
  EXPECT_EQ(ExtractFilePath("file"), "");
  EXPECT_EQ(ExtractFileExt("/home/u/file.tar.gz"), ".gz");
  EXPECT_EQ(ExtractFileExt("/home/u.d/file"), "");
  EXPECT_EQ(ChangeFileExt("/home/u/file.tar.gz", ".zip"), "/home/u/file.tar.zip");
  EXPECT_EQ(ChangeFileExt("/home/u.d/file", ".txt"), "/home/u.d/file.txt");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp/"), "/tmp/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/tmp/"), "/tmp");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}
