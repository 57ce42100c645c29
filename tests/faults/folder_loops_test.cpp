// The folder tree on link loops that wind between folders and on branches too
// large to open whole: the * key ends, SelectPath cannot be led round a loop,
// a whole-branch expansion stays within its budget and can be stopped, and
// the tree goes on working.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "../browsers/FolderTreeFixture.h"

using namespace qel;
using namespace qel::test;
namespace fs = std::filesystem;

namespace {

// Nodes below n, all levels (placeholders included).
int NodesBelow(const TTreeNode* n) {
  int count = 0;
  for (TTreeNode* c = n->GetFirstChild(); c; c = c->GetNextSibling()) count += 1 + NodesBelow(c);
  return count;
}

// Folders below n whose children were listed.
int LoadedBelow(const TTreeNode* n) {
  int count = 0;
  for (TTreeNode* c = n->GetFirstChild(); c; c = c->GetNextSibling())
    count += (c->GetData() == TFolderTree::LoadedMark) + LoadedBelow(c);
  return count;
}

// Makes the tree's expansions end with an exception after Limit of them, so
// that an endless expansion fails the test instead of hanging it.
void StopAfter(TFolderTree* Tree, int Limit) {
  auto inner = Tree->OnExpanding;
  auto count = std::make_shared<int>(0);
  Tree->OnExpanding = [=](TObject* Sender, TTreeNode* Node, bool& Allow) {
    if (++*count > Limit) throw std::runtime_error("expansion does not end");
    inner(Sender, Node, Allow);
  };
}

}  // namespace

TEST(FolderLoops, LinksBetweenSiblingsAreOpenedOnceRoundAndNoFurther) {
  FolderTreeFixture f;
  f.Mk({"t/a", "t/b"});
  fs::create_directory_symlink("../b", f.P("t/a/l"));
  fs::create_directory_symlink("../b", f.P("t/a/l2"));
  fs::create_directory_symlink("../a", f.P("t/b/m"));
  fs::create_directory_symlink("../a", f.P("t/b/m2"));
  StopAfter(f.tree, 1000);
  ASSERT_TRUE(f.tree->SelectPath(f.P("t/a/l")));
  EXPECT_EQ(f.Children(f.Node(f.P("t/a/l/m"))), "");  // no expand button: m is a again
  ASSERT_TRUE(f.tree->SelectPath(f.P("t/a")));
  TTreeNode* a = f.tree->GetSelected();
  EXPECT_NO_THROW(f.robot.Key(VK_MULTIPLY));
  // a > l, l2 > m, m2 each; m and m2 are a again: shown, never opened.
  EXPECT_EQ(f.Children(a), "l l2 ");
  EXPECT_EQ(f.Children(f.Node(f.P("t/a/l"))), "m m2 ");
  EXPECT_EQ(f.Children(f.Node(f.P("t/a/l2/m2"))), "");
  EXPECT_EQ(NodesBelow(a), 6);
  // SelectPath cannot go round: the deepest folder the tree shows is selected.
  EXPECT_FALSE(f.tree->SelectPath(f.P("t/a/l/m/l/m/l")));
  EXPECT_EQ(f.tree->CurrentPath(), f.P("t/a/l/m/"));
  EXPECT_EQ(f.Children(f.tree->GetSelected()), "");
  EXPECT_TRUE(f.tree->SelectPath(f.P("t/a/l/m")));
  // A folder listed by its own path reports the loop too.
  TStringList list;
  EXPECT_FALSE(f.tree->GetSubDirs(f.P("t/a/l/m"), list));
  EXPECT_TRUE(f.tree->GetSubDirs(f.P("t/b"), list));
  EXPECT_EQ(list.Objects(0), TFolderTree::HasSubfolders);  // b/m is a, which is not above b
  // From the root of the temporary folder, the whole branch ends as well.
  ASSERT_TRUE(f.tree->SelectPath(f.P("t")));
  EXPECT_NO_THROW(f.robot.Key(VK_MULTIPLY));
  EXPECT_EQ(NodesBelow(f.tree->GetSelected()), 2 * (1 + 2 + 4));
  EXPECT_TRUE(f.tree->SelectPath(f.P("t/b/m")));  // still usable
  EXPECT_EQ(f.Children(f.tree->GetSelected()), "l l2 ");
}

TEST(FolderLoops, WholeBranchStaysWithinItsBudgetAndCanBeStopped) {
  FolderTreeFixture f;
  for (int i = 0; i < 30; ++i)
    for (int j = 0; j < 5; ++j) f.Mk({"w/d" + std::to_string(100 + i) + "/e" + std::to_string(j) + "/leaf"});
  ASSERT_TRUE(f.tree->SelectPath(f.P("w")));
  TTreeNode* w = f.tree->GetSelected();
  // 1 + 30 + 150 folders hold folders: more than the budget.
  f.tree->SetExpansionBudget(50);
  std::vector<int> reports;
  f.tree->OnExpansionProgress = [&](TObject*, int n, bool&) { reports.push_back(n); };
  f.robot.Key(VK_MULTIPLY);
  EXPECT_EQ(LoadedBelow(w), 50);  // w itself was listed by SelectPath
  EXPECT_TRUE(reports.empty());   // fewer than 100
  EXPECT_NE(f.Children(f.Node(f.P("w/d129/e4"))), "leaf ");  // not reached: left for later
  // Each * lists the next 50.
  f.robot.Key(VK_MULTIPLY);
  EXPECT_EQ(LoadedBelow(w), 2 * 50);
  // A larger budget: progress every 100 folders, and the handler may stop it.
  f.tree->SetExpansionBudget(10000);
  f.tree->OnExpansionProgress = [&](TObject*, int n, bool& stop) {
    reports.push_back(n);
    stop = true;
  };
  ASSERT_TRUE(f.tree->SelectPath(f.P("w")));  // fresh nodes
  w = f.tree->GetSelected();
  f.robot.Key(VK_MULTIPLY);
  EXPECT_EQ(reports, std::vector<int>{100});
  EXPECT_EQ(LoadedBelow(w), 100);
  // Unbounded by the handler, it runs to the end: every folder opened.
  f.tree->OnExpansionProgress = nullptr;
  f.robot.Key(VK_MULTIPLY);
  EXPECT_EQ(LoadedBelow(w), 30 + 150);
  EXPECT_EQ(f.Children(f.Node(f.P("w/d129/e4"))), "leaf ");
  f.tree->SetExpansionBudget(-5);
  EXPECT_EQ(f.tree->GetExpansionBudget(), 1);
}
