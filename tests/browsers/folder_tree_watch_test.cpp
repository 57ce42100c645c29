// Folders created, renamed and removed by another program while the tree
// shows them: the loop's timer brings them in, and the tree keeps its
// expanded branches and its selection.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FolderTreeFixture.h"

using namespace qel;
using namespace qel::test;
namespace fs = std::filesystem;

namespace {
void Wait() { Headless().AdvanceTime(TFolderTree::WatchIntervalMs); }
}  // namespace

TEST(FolderTreeWatch, OutsideChangesShowWithoutLosingExpansionOrSelection) {
  FolderTreeFixture f;
  f.Mk({"s/a", "s/c/deep", "s/d/inner"});
  ASSERT_TRUE(f.tree->SelectPath(f.P("s/a")));
  TTreeNode* c = f.Node(f.P("s/c"));
  ASSERT_NE(c, nullptr);
  c->Expand(false);
  ASSERT_EQ(f.Children(c), "deep ");
  TTreeNode* selected = f.tree->GetSelected();
  f.log.clear();

  f.Mk({"s/b", "s/B2/sub", "s/c/deeper", "s/.hidden"});
  fs::rename(f.P("s/c/deep"), f.P("s/c/deep2"));
  fs::remove_all(f.P("s/d"));
  std::ofstream(f.P("s/file.txt")) << "not a folder";
  Wait();
  TTreeNode* s = f.Node(f.P("s"));
  EXPECT_EQ(f.Children(s), "a b B2 c ");
  EXPECT_EQ(f.Children(c), "deep2 deeper ");
  EXPECT_TRUE(c->GetExpanded());
  EXPECT_EQ(f.tree->GetSelected(), selected);
  EXPECT_EQ(f.tree->CurrentPath(), f.P("s/a/"));
  EXPECT_EQ(f.TakeLog(), "");
  TTreeNode* b2 = f.Node(f.P("s/B2"));
  ASSERT_NE(b2, nullptr);
  EXPECT_EQ(f.Children(b2), std::string(TFolderTree::PlaceholderText) + " ");  // an expand button
  b2->Expand(false);  // and it opens
  EXPECT_EQ(f.Children(b2), "sub ");

  // The selected folder goes: its parent is selected, once.
  fs::remove(f.P("s/a"));
  Wait();
  EXPECT_EQ(f.Children(s), "b B2 c ");
  EXPECT_EQ(f.tree->GetSelected(), s);
  EXPECT_EQ(f.TakeLog(), "dir " + f.P("s/") + "; ");

  // A new folder inside the newly opened one is seen too, and the tree stays usable.
  f.Mk({"s/B2/sub2"});
  Wait();
  EXPECT_EQ(f.Children(b2), "sub sub2 ");
  EXPECT_TRUE(f.tree->MakeSubFolder("made"));
  EXPECT_EQ(f.tree->CurrentPath(), f.P("s/made/"));
}

// Many changes between two turns of the loop are read together; a folder
// removed with its loaded branch takes its watches along, and one made again
// under the same name is watched afresh once it is loaded.
TEST(FolderTreeWatch, BurstsAndFoldersThatComeBack) {
  FolderTreeFixture f;
  f.Mk({"s/x/y"});
  ASSERT_TRUE(f.tree->SelectPath(f.P("s/x/y")));
  for (int i = 0; i < 200; ++i) f.Mk({"s/x/y/n" + std::to_string(1000 + i)});
  Wait();
  TTreeNode* y = f.Node(f.P("s/x/y"));  // listed empty when selected: now it has an expand button
  ASSERT_NE(y, nullptr);
  ASSERT_EQ(f.Children(y), std::string(TFolderTree::PlaceholderText) + " ");
  y->Expand(false);
  EXPECT_EQ(y->Count(), 200);
  f.Mk({"s/x/y/n0999"});
  Wait();
  EXPECT_EQ(y->Count(), 201);
  EXPECT_EQ(y->GetFirstChild()->GetText(), "n0999");
  fs::remove_all(f.P("s/x"));
  Wait();
  EXPECT_EQ(f.Children(f.Node(f.P("s"))), "");
  EXPECT_EQ(f.tree->CurrentPath(), f.P("s/"));
  f.Mk({"s/x/y"});
  Wait();
  TTreeNode* x = f.Node(f.P("s/x"));
  ASSERT_NE(x, nullptr);
  x->Expand(false);
  f.Mk({"s/x/z"});
  Wait();
  EXPECT_EQ(f.Children(x), "y z ");
}
