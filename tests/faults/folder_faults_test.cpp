// The folder tree on folders it may not read or write, and on folders that
// vanish after they were listed: the operations answer false, nothing is
// created or lost, and the tree goes on working.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "../browsers/FolderTreeFixture.h"
#include "../platform/rtl/Unprivileged.h"

using namespace qel;
using namespace qel::test;
namespace fs = std::filesystem;

namespace {
// Gives the folder back its rights when the body ends, so it can be removed.
struct ModeGuard {
  std::string path;
  ~ModeGuard() { chmod(path.c_str(), 0755); }
};
}  // namespace

TEST(FolderFaults, UnreadableFolderIsALeafAndRefusesEverything) {
  bool ran = RunUnprivileged([] {
    FolderTreeFixture f;
    f.Mk({"r/locked/sub", "r/open"});
    ASSERT_TRUE(f.tree->SelectPath(f.P("r")));
    ASSERT_EQ(chmod(f.P("r/locked").c_str(), 0), 0);
    ModeGuard guard{f.P("r/locked")};
    TTreeNode* locked = f.Node(f.P("r/locked"));
    ASSERT_NE(locked, nullptr);
    EXPECT_NO_THROW(f.Expand(locked));
    EXPECT_EQ(f.Children(locked), "");
    EXPECT_FALSE(f.tree->SelectPath(f.P("r/locked/sub")));  // cannot be seen, so it is no folder
    EXPECT_EQ(f.tree->CurrentPath(), f.P("r/"));
    EXPECT_TRUE(f.tree->SelectPath(f.P("r/locked")));
    EXPECT_EQ(f.Children(f.tree->GetSelected()), "");
    EXPECT_FALSE(f.tree->MakeSubFolder("new"));
    EXPECT_FALSE(f.tree->RemoveSelectedFolder());
    EXPECT_EQ(f.tree->CurrentPath(), f.P("r/locked/"));
    EXPECT_TRUE(f.tree->SelectPath(f.P("r/open")));  // still usable
    EXPECT_TRUE(f.tree->MakeSubFolder("made"));
    EXPECT_TRUE(f.Exists("r/open/made"));
  });
  if (!ran) GTEST_SKIP() << "running as root and unable to become another user: permission bits stop nothing";
}

TEST(FolderFaults, ReadOnlyFolderCreatesAndRemovesNothing) {
  bool ran = RunUnprivileged([] {
    FolderTreeFixture f;
    f.Mk({"w/ro/empty", "w/rw"});
    ASSERT_EQ(chmod(f.P("w/ro").c_str(), 0555), 0);
    ModeGuard guard{f.P("w/ro")};
    ASSERT_TRUE(f.tree->SelectPath(f.P("w/ro")));
    f.log.clear();
    EXPECT_FALSE(f.tree->MakeSubFolder("new/deeper"));
    EXPECT_FALSE(f.Exists("w/ro/new"));
    EXPECT_EQ(f.tree->CurrentPath(), f.P("w/ro/"));
    ASSERT_TRUE(f.tree->SelectPath(f.P("w/ro/empty")));
    EXPECT_FALSE(f.tree->RemoveSelectedFolder());
    EXPECT_TRUE(f.Exists("w/ro/empty"));
    EXPECT_EQ(f.tree->CurrentPath(), f.P("w/ro/empty/"));
    EXPECT_EQ(f.tree->GetSelected()->GetText(), "empty");
    EXPECT_TRUE(f.tree->SelectPath(f.P("w/rw")));  // still usable
    EXPECT_TRUE(f.tree->MakeSubFolder("made"));
    EXPECT_TRUE(f.tree->RemoveSelectedFolder());
    EXPECT_EQ(f.tree->CurrentPath(), f.P("w/rw/"));
  });
  if (!ran) GTEST_SKIP() << "running as root and unable to become another user: permission bits stop nothing";
}

// The selected folder is deleted behind the tree's back: creating below it
// must not bring it back, removing it fails, and a refresh moves up.
TEST(FolderFaults, VanishedFolderIsNotRecreatedAndTheTreeRecovers) {
  FolderTreeFixture f;
  f.Mk({"v/gone/sub", "v/stays"});
  ASSERT_TRUE(f.tree->SelectPath(f.P("v/gone")));
  TTreeNode* gone = f.tree->GetSelected();
  fs::remove_all(f.P("v/gone"));
  EXPECT_NO_THROW(f.Expand(gone));
  EXPECT_FALSE(f.tree->MakeSubFolder("new"));
  EXPECT_FALSE(f.Exists("v/gone"));
  EXPECT_FALSE(f.tree->RemoveSelectedFolder());
  EXPECT_FALSE(f.tree->SelectPath(f.P("v/gone/sub")));
  EXPECT_EQ(f.tree->CurrentPath(), f.P("v/gone/"));  // gone: nothing else was selected
  f.log.clear();
  EXPECT_TRUE(f.tree->RefreshTree());
  EXPECT_EQ(f.tree->CurrentPath(), f.P("v/"));
  EXPECT_EQ(f.TakeLog(), "dir " + f.P("v/") + "; ");
  EXPECT_EQ(f.Children(f.tree->GetSelected()), "stays ");
  // Replaced by a file of the same name: still no folder made through it.
  ASSERT_TRUE(f.tree->SelectPath(f.P("v/stays")));
  fs::remove_all(f.P("v/stays"));
  std::ofstream(f.P("v/stays")) << "x";
  EXPECT_FALSE(f.tree->MakeSubFolder("new"));
  EXPECT_TRUE(fs::is_regular_file(f.P("v/stays")));
  EXPECT_TRUE(f.tree->SelectPath(f.P("v")));
  EXPECT_TRUE(f.tree->MakeSubFolder("fresh"));
  EXPECT_TRUE(f.Exists("v/fresh"));
}
