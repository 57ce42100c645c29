// TFolderTree loading: the root and its placeholder, expansion listing the
// subfolders sorted without regard to case and without dot-folders,
// placeholders where folders have subfolders, listings into string lists,
// folders that cannot be read, link loops, the hourglass, and the look.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/rtl/Utf8.h"
#include "tests/browsers/FolderTreeFixture.h"
#include "tests/platform/rtl/Unprivileged.h"

using namespace qel;
using qel::test::FolderTreeFixture;
namespace fs = std::filesystem;

TEST(FolderTreeLoad, StartsWithTheRootAndItsPlaceholder) {
  FolderTreeFixture f;
  TTreeNode* root = f.tree->Items()->GetFirstNode();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->GetText(), "/");
  EXPECT_EQ(root->GetNextSibling(), nullptr);
  EXPECT_EQ(f.Children(root), "Child ");
  EXPECT_EQ(root->GetData(), nullptr);
  EXPECT_FALSE(root->GetExpanded());
  EXPECT_EQ(f.tree->CurrentPath(), "/");
  EXPECT_EQ(f.tree->PathOfNode(root), "/");
  EXPECT_TRUE(f.tree->GetReadOnly());
  EXPECT_FALSE(f.tree->GetMultiSelect());
  EXPECT_TRUE(f.tree->GetDoubleBuffered());
  EXPECT_TRUE(f.tree->GetOldTreeStyle());
  // Expanding the root lists the top-level folders, "tmp" among them.
  root->Expand(false);
  EXPECT_EQ(root->GetData(), TFolderTree::LoadedMark);
  TTreeNode* tmp = f.Node("/tmp");
  ASSERT_NE(tmp, nullptr);
  EXPECT_EQ(f.Children(tmp), "Child ");  // our temporary folder is in it
  EXPECT_EQ(f.tree->PathOfNode(tmp), "/tmp/");
  for (TTreeNode* c = root->GetFirstChild(); c; c = c->GetNextSibling()) {
    EXPECT_NE(c->GetText()[0], '.');
    if (c->GetNextSibling()) {
      EXPECT_LE(LowerCase(c->GetText()), LowerCase(c->GetNextSibling()->GetText()));
    }
  }
}

TEST(FolderTreeLoad, ExpansionListsSortedFoldersWithPlaceholders) {
  FolderTreeFixture f;
  f.Mk({"top/beta", "top/Alpha", "top/alpha2", "top/.hidden/deep", "top/gamma/.only", "top/Delta/sub",
        "top/ärger", "top/Zeta"});
  std::ofstream(f.P("top/file.txt")) << "not a folder";
  ASSERT_TRUE(f.tree->SelectPath(f.P("top")));
  TTreeNode* top = f.Node(f.P("top"));
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(f.tree->GetSelected(), top);
  EXPECT_EQ(top->GetData(), TFolderTree::LoadedMark);
  EXPECT_EQ(f.Children(top), "Alpha alpha2 beta Delta gamma Zeta ärger ");
  EXPECT_EQ(f.Children(f.Node(f.P("top/Delta"))), "Child ");
  EXPECT_EQ(f.Children(f.Node(f.P("top/gamma"))), "");  // only a dot-folder inside
  EXPECT_FALSE(f.Node(f.P("top/gamma"))->GetHasChildren());
  EXPECT_EQ(f.Node(f.P("top/Delta"))->GetData(), nullptr);
  // Expanding loads once and marks the node.
  TTreeNode* delta = f.Node(f.P("top/Delta"));
  delta->Expand(false);
  EXPECT_EQ(f.Children(delta), "sub ");
  EXPECT_EQ(delta->GetData(), TFolderTree::LoadedMark);
  fs::create_directories(f.P("top/Delta/later"));
  delta->Collapse(false);
  delta->Expand(false);
  EXPECT_EQ(f.Children(delta), "sub ");  // marked: not listed again
  // A folder without subfolders loses its placeholder and stays unmarked.
  TTreeNode* sub = f.Node(f.P("top/Delta/sub"));
  sub->SetHasChildren(true);
  f.tree->Items()->AddChild(sub, "Child");
  f.Expand(sub);
  EXPECT_EQ(f.Children(sub), "");
  EXPECT_EQ(sub->GetData(), nullptr);
  fs::create_directories(f.P("top/Delta/sub/new"));
  f.tree->Items()->AddChild(sub, "Child");
  f.Expand(sub);  // listed again
  EXPECT_EQ(f.Children(sub), "new ");
}

TEST(FolderTreeLoad, ListingsIntoStringLists) {
  FolderTreeFixture f;
  f.Mk({"l/b/x", "l/C", "l/a"});
  TStringList list;
  list.AddObject("B0", nullptr);  // appended to and sorted along
  f.tree->LoadDirNamesAndSort(f.P("l"), list);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.GetCommaText(), "a,b,B0,C");
  EXPECT_EQ(list.Objects(1), TFolderTree::HasSubfolders);
  EXPECT_EQ(list.Objects(0), nullptr);
  f.tree->LoadDirNamesAndSort(f.P("missing"), list);  // cannot start: unchanged
  EXPECT_EQ(list.GetCommaText(), "a,b,B0,C");
  EXPECT_TRUE(f.tree->GetSubDirs(f.P("l/"), list));
  EXPECT_EQ(list.GetCommaText(), "a,b,C");
  EXPECT_FALSE(f.tree->GetSubDirs(f.P("l/a"), list));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(f.tree->GetSubDirs(f.P("nothing"), list));
  ASSERT_TRUE(f.tree->SelectPath(f.P("l")));
  EXPECT_TRUE(f.tree->GetSubDirs(f.tree->GetSelected(), list));
  EXPECT_EQ(list.GetCommaText(), "a,b,C");
  EXPECT_TRUE(f.tree->GetSubDirs(f.tree->Items()->GetFirstNode(), list));  // the root is "/"
  EXPECT_GE(list.IndexOf("tmp"), 0);
}

TEST(FolderTreeLoad, FoldersGoneSinceListingAreLeaves) {
  FolderTreeFixture f;
  f.Mk({"r/gone/sub", "r/nowfile/sub"});
  ASSERT_TRUE(f.tree->SelectPath(f.P("r")));
  TTreeNode* gone = f.Node(f.P("r/gone"));
  TTreeNode* nowFile = f.Node(f.P("r/nowfile"));
  ASSERT_EQ(f.Children(gone), "Child ");
  // Removed, or replaced by a file, after it was listed.
  fs::remove_all(f.P("r/gone"));
  fs::remove_all(f.P("r/nowfile"));
  std::ofstream(f.P("r/nowfile")) << "x";
  EXPECT_NO_THROW(gone->Expand(false));
  EXPECT_NO_THROW(nowFile->Expand(false));
  EXPECT_EQ(f.Children(gone), "");
  EXPECT_EQ(f.Children(nowFile), "");
  EXPECT_EQ(Screen->GetCursor(), crDefault);
}

TEST(FolderTreeLoad, FoldersWithoutReadPermissionAreLeaves) {
  // Root reads every folder whatever its mode: then as another user.
  bool ran = test::RunUnprivileged([] {
    FolderTreeFixture f;
    f.Mk({"r/locked/sub"});
    ASSERT_TRUE(f.tree->SelectPath(f.P("r")));
    ASSERT_EQ(chmod(f.P("r/locked").c_str(), 0), 0);
    TTreeNode* locked = f.Node(f.P("r/locked"));
    EXPECT_NO_THROW(locked->Expand(false));
    EXPECT_EQ(f.Children(locked), "");
    chmod(f.P("r/locked").c_str(), 0755);
  });
  if (!ran) GTEST_SKIP() << "running as root and unable to become another user: permission bits stop nothing";
}

TEST(FolderTreeLoad, LinksAreShownButLoopsCannotBeOpened) {
  FolderTreeFixture f;
  f.Mk({"k/real/inner", "k/loop/x"});
  fs::create_directory_symlink(f.P("k"), f.P("k/loop/up"));         // to an ancestor
  fs::create_directory_symlink(".", f.P("k/loop/self"));            // to itself
  fs::create_directory_symlink(f.P("k/real"), f.P("k/loop/side"));  // elsewhere
  fs::create_symlink(f.P("k/none"), f.P("k/loop/dangling"));
  ASSERT_TRUE(f.tree->SelectPath(f.P("k/loop")));
  TTreeNode* loop = f.Node(f.P("k/loop"));
  EXPECT_EQ(f.Children(loop), "self side up x ");
  EXPECT_EQ(f.Children(f.Node(f.P("k/loop/up"))), "");
  EXPECT_EQ(f.Children(f.Node(f.P("k/loop/self"))), "");
  EXPECT_EQ(f.Children(f.Node(f.P("k/loop/side"))), "Child ");
  // A loop cannot be walked round by path either: k/loop/up is k again.
  EXPECT_FALSE(f.tree->SelectPath(f.P("k/loop/up/loop")));
  EXPECT_EQ(f.tree->CurrentPath(), f.P("k/loop/up/"));
  EXPECT_EQ(f.Children(f.tree->GetSelected()), "");
}

TEST(FolderTreeLoad, HourglassReturnsWhenListingThrows) {
  FolderTreeFixture f;
  f.Mk({"h/a/b"});
  ASSERT_TRUE(f.tree->SelectPath(f.P("h")));
  TTreeNode* a = f.Node(f.P("h/a"));
  std::vector<TCursor> seen;
  f.tree->OnDeletion = [&](TObject*, TTreeNode*) {
    seen.push_back(Screen->GetCursor());
    throw EInvalidOperation("refused");
  };
  EXPECT_THROW(f.Expand(a), EInvalidOperation);
  EXPECT_EQ(seen, std::vector<TCursor>{crHourGlass});
  EXPECT_EQ(Screen->GetCursor(), crDefault);
  f.tree->OnDeletion = nullptr;
  f.Expand(a);
  EXPECT_EQ(f.Children(a), "b ");
}

TEST(FolderTreeLoad, ExpansionDoesNothingInDesignMode) {
  FolderTreeFixture f;
  f.tree->SetDesigning(true);
  TTreeNode* root = f.tree->Items()->GetFirstNode();
  f.Expand(root);
  EXPECT_EQ(f.Children(root), "Child ");
  EXPECT_EQ(root->GetData(), nullptr);
}

TEST(FolderTreeLoad, DisabledShowsButtonFaceAndEnabledTheStoredColour) {
  FolderTreeFixture f;
  f.tree->SetColor(0x0000FF);
  EXPECT_EQ(f.tree->GetColor(), 0x0000FFu);
  f.tree->SetEnabled(false);
  EXPECT_FALSE(f.tree->GetEnabled());
  EXPECT_EQ(f.tree->GetColor(), clBtnFace);
  f.tree->SetEnabled(true);
  EXPECT_EQ(f.tree->GetColor(), 0x0000FFu);
  // Loading: black becomes white, and is the colour to come back to.
  f.tree->BeginLoading();
  f.tree->TCustomTreeView::SetColor(0);
  f.tree->EndLoading();
  EXPECT_EQ(f.tree->GetColor(), 0xFFFFFFu);
  f.tree->SetEnabled(false);
  f.tree->SetEnabled(true);
  EXPECT_EQ(f.tree->GetColor(), 0xFFFFFFu);
}
