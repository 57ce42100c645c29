// TFolderTree operations: selecting paths (trailing slash, case), the current
// path and its events, creating and removing folders, refreshing after
// changes made outside, and Reset.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/browsers/FolderTreeFixture.h"

using namespace qel;
using qel::test::FolderTreeFixture;
namespace fs = std::filesystem;

TEST(FolderTreeOps, SelectPathWithOrWithoutTrailingSlash) {
  FolderTreeFixture f;
  f.Mk({"s/one/two"});
  f.log.clear();
  ASSERT_TRUE(f.tree->SelectPath(f.P("s/one")));
  TTreeNode* node = f.tree->GetSelected();
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->GetText(), "one");
  EXPECT_EQ(f.tree->CurrentPath(), f.P("s/one/"));
  EXPECT_EQ(f.tree->PathOfNode(node), f.P("s/one/"));
  EXPECT_TRUE(node->IsVisible());
  EXPECT_TRUE(f.tree->Focused());
  EXPECT_EQ(f.Children(node), "two ");  // the selected folder's subfolders are loaded
  EXPECT_EQ(f.TakeLog(), "dir " + f.P("s/one/") + "; ");
  ASSERT_TRUE(f.tree->SelectPath(f.P("s/one/")));
  EXPECT_EQ(f.tree->GetSelected()->GetText(), "one");
  EXPECT_EQ(f.tree->CurrentPath(), f.P("s/one/"));
  EXPECT_EQ(f.TakeLog(), "");  // same path: no change reported
  ASSERT_TRUE(f.tree->SelectPath(f.P("s//one//two")));
  EXPECT_EQ(f.tree->CurrentPath(), f.P("s/one/two/"));
  ASSERT_TRUE(f.tree->SelectPath("/"));
  EXPECT_EQ(f.tree->GetSelected(), f.tree->Items()->GetFirstNode());
  EXPECT_EQ(f.tree->CurrentPath(), "/");
}

TEST(FolderTreeOps, SelectPathRefusesWhatIsNoShownFolder) {
  FolderTreeFixture f;
  f.Mk({"n/a", "n/.dot/b"});
  std::ofstream(f.P("n/file")) << "x";
  ASSERT_TRUE(f.tree->SelectPath(f.P("n/a")));
  TTreeNode* before = f.tree->GetSelected();
  f.log.clear();
  EXPECT_FALSE(f.tree->SelectPath(f.P("n/missing")));
  EXPECT_FALSE(f.tree->SelectPath(f.P("n/file")));
  EXPECT_FALSE(f.tree->SelectPath(""));
  EXPECT_FALSE(f.tree->SelectPath("n/a"));  // relative
  EXPECT_EQ(f.tree->GetSelected(), before);  // nothing changed
  EXPECT_EQ(f.tree->CurrentPath(), f.P("n/a/"));
  EXPECT_EQ(f.TakeLog(), "");
  // An existing folder the tree does not show: its shown ancestor is selected.
  EXPECT_FALSE(f.tree->SelectPath(f.P("n/.dot/b")));
  EXPECT_EQ(f.tree->CurrentPath(), f.P("n/"));
}

TEST(FolderTreeOps, NamesKeepTheirCase) {
  FolderTreeFixture f;
  f.Mk({"c/User/docs", "c/user"});
  ASSERT_TRUE(f.tree->SelectPath(f.P("c/User")));
  EXPECT_EQ(f.tree->GetSelected()->GetText(), "User");
  EXPECT_EQ(f.tree->CurrentPath(), f.P("c/User/"));
  EXPECT_EQ(f.Children(f.tree->GetSelected()), "docs ");
  ASSERT_TRUE(f.tree->SelectPath(f.P("c/user/")));
  EXPECT_EQ(f.tree->GetSelected()->GetText(), "user");
  EXPECT_EQ(f.Children(f.tree->GetSelected()), "");
  EXPECT_FALSE(f.tree->SelectPath(f.P("c/USER")));
  std::string both = f.Children(f.Node(f.P("c")));  // equal when lower-cased: listing order
  EXPECT_TRUE(both == "User user " || both == "user User ") << both;
}

TEST(FolderTreeOps, SelectingANodeReportsClickChangeAndDirChange) {
  FolderTreeFixture f;
  f.Mk({"e/a", "e/b"});
  ASSERT_TRUE(f.tree->SelectPath(f.P("e/a")));
  f.log.clear();
  f.tree->OnClick = [&](TObject*) { f.log.push_back("click " + f.tree->CurrentPath()); };
  f.tree->OnChange = [&](TObject*, TTreeNode* n) { f.log.push_back("change " + n->GetText()); };
  f.tree->SetSelected(f.Node(f.P("e/b")));
  EXPECT_EQ(f.TakeLog(), "click " + f.P("e/a/") + "; change b; dir " + f.P("e/b/") + "; ");
}

// One click is one OnClick, whether it selects a node (the change clicks) or
// lands on the node already selected (the release clicks); keys click too.
TEST(FolderTreeOps, OneMouseClickOnANodeFiresOneOnClick) {
  FolderTreeFixture f;
  f.Mk({"k/a", "k/b"});
  ASSERT_TRUE(f.tree->SelectPath(f.P("k/a")));
  f.log.clear();
  f.tree->OnClick = [&](TObject*) { f.log.push_back("click " + f.tree->CurrentPath()); };
  auto clickOn = [&](const std::string& path) {
    TTreeNode* n = f.Node(path);
    ASSERT_NE(n, nullptr);
    TRect r = n->DisplayRect(true);
    f.robot.Click(f.tree, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  };
  clickOn(f.P("k/b"));
  EXPECT_EQ(f.TakeLog(), "click " + f.P("k/a/") + "; dir " + f.P("k/b/") + "; ");
  clickOn(f.P("k/b"));
  EXPECT_EQ(f.TakeLog(), "click " + f.P("k/b/") + "; ");
  f.robot.Key(VK_UP);
  EXPECT_EQ(f.TakeLog(), "click " + f.P("k/b/") + "; dir " + f.P("k/a/") + "; ");
  clickOn(f.P("k/b"));
  EXPECT_EQ(f.TakeLog(), "click " + f.P("k/a/") + "; dir " + f.P("k/b/") + "; ");
}

TEST(FolderTreeOps, MakeSubFolderCreatesLevelsAndSelectsTheLast) {
  FolderTreeFixture f;
  f.Mk({"m"});
  EXPECT_FALSE(f.tree->MakeSubFolder("x"));  // nothing selected yet
  ASSERT_TRUE(f.tree->SelectPath(f.P("m")));
  f.log.clear();
  EXPECT_TRUE(f.tree->MakeSubFolder("a/b/"));
  EXPECT_TRUE(f.Exists("m/a/b"));
  EXPECT_EQ(f.tree->CurrentPath(), f.P("m/a/b/"));
  EXPECT_EQ(f.tree->GetSelected()->GetText(), "b");
  EXPECT_EQ(f.TakeLog(), "dir " + f.P("m/a/b/") + "; ");
  EXPECT_TRUE(f.tree->MakeSubFolder("/c/"));
  EXPECT_TRUE(f.Exists("m/a/b/c"));
  EXPECT_TRUE(f.tree->MakeSubFolder("Ünïcode name"));
  EXPECT_TRUE(f.Exists("m/a/b/c/Ünïcode name"));
  ASSERT_TRUE(f.tree->SelectPath(f.P("m")));
  for (const char* bad : {"x|y", "x<y", "x>y", "say \"hi\"", "tab\there", "", "/", "../out", "a/./b", "a//b",
                          ".hidden", "a/.b"}) {
    EXPECT_FALSE(f.tree->MakeSubFolder(bad)) << bad;
  }
  EXPECT_FALSE(f.Exists("out"));
  EXPECT_EQ(f.Children(f.Node(f.P("m"))), "a ");
  EXPECT_EQ(std::distance(fs::directory_iterator(f.P("m")), fs::directory_iterator()), 1);
  EXPECT_EQ(f.tree->CurrentPath(), f.P("m/"));
  EXPECT_TRUE(f.tree->MakeSubFolder("ok"));  // still usable after refusals
  EXPECT_TRUE(f.Exists("m/ok"));
}

TEST(FolderTreeOps, RemoveSelectedFolderOnlyRemovesEmptyFolders) {
  FolderTreeFixture f;
  f.Mk({"d/full/inner", "d/empty"});
  f.tree->SetSelected(f.tree->Items()->GetFirstNode());
  EXPECT_FALSE(f.tree->RemoveSelectedFolder());  // the root
  ASSERT_TRUE(f.tree->SelectPath(f.P("d/full")));
  EXPECT_FALSE(f.tree->RemoveSelectedFolder());
  EXPECT_TRUE(f.Exists("d/full/inner"));
  EXPECT_EQ(f.tree->CurrentPath(), f.P("d/full/"));
  ASSERT_TRUE(f.tree->SelectPath(f.P("d/empty")));
  f.log.clear();
  EXPECT_TRUE(f.tree->RemoveSelectedFolder());
  EXPECT_FALSE(f.Exists("d/empty"));
  EXPECT_EQ(f.tree->CurrentPath(), f.P("d/"));
  EXPECT_EQ(f.Children(f.tree->GetSelected()), "full ");
  EXPECT_EQ(f.TakeLog(), "dir " + f.P("d/") + "; ");
  f.tree->Items()->Clear();
  EXPECT_FALSE(f.tree->RemoveSelectedFolder());  // nothing selected
}

TEST(FolderTreeOps, RefreshTreeFallsBackToTheNearestExistingAncestor) {
  FolderTreeFixture f;
  f.Mk({"g/a/b/c", "g/a/other"});
  ASSERT_TRUE(f.tree->SelectPath(f.P("g/a/b/c")));
  f.log.clear();
  fs::remove_all(f.P("g/a/b"));  // outside the program
  EXPECT_TRUE(f.tree->RefreshTree());
  EXPECT_EQ(f.tree->CurrentPath(), f.P("g/a/"));
  EXPECT_EQ(f.TakeLog(), "dir " + f.P("g/a/") + "; ");  // once
  EXPECT_EQ(f.Children(f.tree->GetSelected()), "other ");
  // Unchanged: selected again, nothing reported.
  EXPECT_TRUE(f.tree->RefreshTree());
  EXPECT_EQ(f.tree->CurrentPath(), f.P("g/a/"));
  EXPECT_EQ(f.TakeLog(), "");
  // New folders made outside show after a refresh.
  fs::create_directories(f.P("g/a/new"));
  EXPECT_TRUE(f.tree->RefreshTree());
  EXPECT_EQ(f.Children(f.tree->GetSelected()), "new other ");
}

TEST(FolderTreeOps, ResetGoesBackToTheRoot) {
  FolderTreeFixture f;
  f.Mk({"z/y"});
  ASSERT_TRUE(f.tree->SelectPath(f.P("z/y")));
  f.log.clear();
  f.tree->Reset();
  EXPECT_EQ(f.tree->CurrentPath(), "/");
  EXPECT_EQ(f.TakeLog(), "dir /; ");
  EXPECT_EQ(f.tree->Items()->Count(), 2);
  EXPECT_EQ(f.Children(f.tree->Items()->GetFirstNode()), "Child ");
  f.tree->Reset();
  EXPECT_EQ(f.TakeLog(), "");
}

TEST(FolderTreeOps, SelectPathBeforeTheWindowExistsIsKept) {
  qel::test::TempFolder temp;
  std::filesystem::create_directories(temp.Path("w/v"));
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 200);
  auto* tree = new TFolderTree(&form);
  tree->SetParent(&form);
  ASSERT_TRUE(tree->SelectPath(temp.Path("w/v")));
  form.Show();
  Application->ProcessMessages();
  EXPECT_EQ(tree->CurrentPath(), temp.Path("w/v/"));
  EXPECT_EQ(tree->GetSelected()->GetText(), "v");
}
