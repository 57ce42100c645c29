#include <gtest/gtest.h>

#include "TreeTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {

// Checks every way of walking the nodes against the expected node order.
void ExpectOrder(TTreeNodes* items, const std::vector<std::string>& expected) {
  ASSERT_EQ(items->Count(), static_cast<int>(expected.size()));
  std::vector<std::string> iterated, walked, backwards;
  for (TTreeNode* n : *items) iterated.push_back(n->GetText());
  EXPECT_EQ(iterated, expected);
  TTreeNode* last = nullptr;
  for (TTreeNode* n = items->GetFirstNode(); n; n = n->GetNext()) {
    walked.push_back(n->GetText());
    last = n;
  }
  EXPECT_EQ(walked, expected);
  for (TTreeNode* n = last; n; n = n->GetPrev()) backwards.insert(backwards.begin(), n->GetText());
  EXPECT_EQ(backwards, expected);
  for (int i = 0; i < items->Count(); ++i) {
    ASSERT_NE(items->Item(i), nullptr);
    EXPECT_EQ(items->Item(i)->GetText(), expected[i]);
    EXPECT_EQ(items->Item(i)->AbsoluteIndex(), i);
  }
  // Backwards too: the remembered position must not mislead Item.
  for (int i = items->Count() - 1; i >= 0; --i) EXPECT_EQ(items->Item(i)->GetText(), expected[i]);
  EXPECT_EQ(items->Item(-1), nullptr);
  EXPECT_EQ(items->Item(items->Count()), nullptr);
}

}  // namespace

TEST(TreeNodes, AddingAtEveryPositionKeepsTheNodeOrder) {
  TreeFixture f;
  TTreeNodes* items = f.tree->Items();
  TTreeNode* b = items->Add(nullptr, "B");
  items->Add(b, "D");                       // last root
  items->AddFirst(b, "A");                  // first root
  items->Insert(f.Find("D"), "C");          // before D
  items->Insert(nullptr, "E");              // a last root
  TTreeNode* b2 = items->AddChild(b, "B2");
  items->AddChildFirst(b, "B1");
  items->Insert(b2, "B1x");                 // between B1 and B2
  items->Add(b2, "B3");                     // last sibling of B2
  items->AddFirst(b2, "B0");                // first sibling of B2
  items->AddChild(b2, "B2a");
  ExpectOrder(items, {"A", "B", "B0", "B1", "B1x", "B2", "B2a", "B3", "C", "D", "E"});
  EXPECT_EQ(b->Count(), 5);
  EXPECT_EQ(b->Item(2)->GetText(), "B1x");
  EXPECT_EQ(b->Item(5), nullptr);
  EXPECT_EQ(b2->Index(), 3);
  EXPECT_EQ(b2->Level(), 1);
  EXPECT_EQ(f.Find("B2a")->Level(), 2);
  EXPECT_EQ(b->IndexOf(b2), 3);
  EXPECT_EQ(b->getFirstChild()->GetText(), "B0");
  EXPECT_EQ(b->GetLastChild()->GetText(), "B3");
  EXPECT_EQ(b2->GetNextSibling()->GetText(), "B3");
  EXPECT_EQ(b2->GetPrevSibling()->GetText(), "B1x");
  EXPECT_TRUE(f.Find("B2a")->HasAsParent(b));
  EXPECT_FALSE(b->HasAsParent(b2));

  int payload = 7;
  TTreeNode* obj = items->AddChildObject(f.Find("E"), "E1", &payload);
  EXPECT_EQ(obj->GetData(), &payload);
  EXPECT_EQ(items->AddObject(nullptr, "F", &payload)->GetData(), &payload);
}

TEST(TreeNodes, DeletingAtEveryPositionKeepsTheNodeOrder) {
  TreeFixture f;
  TTreeNodes* items = f.tree->Items();
  for (const char* r : {"A", "B", "C", "D"}) {
    TTreeNode* n = items->Add(nullptr, r);
    for (int i = 1; i <= 3; ++i) items->AddChild(n, std::string(r) + std::to_string(i));
  }
  std::vector<std::string> deleted;
  f.tree->OnDeletion = [&](TObject*, TTreeNode* n) { deleted.push_back(n->GetText()); };
  f.Find("A")->Delete();                   // first root with children
  EXPECT_EQ(deleted, (std::vector<std::string>{"A3", "A2", "A1", "A"}));
  items->Delete(f.Find("B2"));             // a middle child
  f.Find("C1")->Delete();                  // a first child
  f.Find("C3")->Delete();                  // a last child
  f.Find("D")->Delete();                   // the last root
  ExpectOrder(items, {"B", "B1", "B3", "C", "C2"});
  // The last child gone, the parent has no button any more.
  TTreeNode* c = f.Find("C");
  EXPECT_TRUE(c->GetHasChildren());
  f.Find("C2")->Delete();
  EXPECT_FALSE(c->GetHasChildren());
  EXPECT_EQ(c->Count(), 0);
  f.Find("B")->DeleteChildren();
  ExpectOrder(items, {"B", "C"});
  EXPECT_FALSE(f.Find("B")->GetHasChildren());
  items->Clear();
  EXPECT_EQ(items->Count(), 0);
  EXPECT_EQ(items->GetFirstNode(), nullptr);
}

// A handler that throws while a subtree goes is told once; every node of the
// subtree is still freed and the tree stays whole and usable.
TEST(TreeNodes, AThrowingDeletionHandlerStillFreesTheWholeSubtree) {
  TreeFixture f;
  TTreeNodes* items = f.tree->Items();
  TTreeNode* a = items->Add(nullptr, "A");
  for (const char* c : {"A1", "A2", "A3"}) items->AddChild(a, c);
  items->Add(nullptr, "B");
  int told = 0;
  f.tree->OnDeletion = [&](TObject*, TTreeNode*) {
    ++told;
    throw EInvalidOperation("refused");
  };
  EXPECT_THROW(a->Delete(), EInvalidOperation);
  EXPECT_EQ(told, 1);
  f.tree->OnDeletion = nullptr;
  ExpectOrder(items, {"B"});
  items->AddChild(f.Find("B"), "B1");
  ExpectOrder(items, {"B", "B1"});
}

TEST(TreeNodes, NodesOfAnotherTreeAreRefused) {
  TreeFixture f, g;
  TTreeNode* foreign = g.tree->Items()->Add(nullptr, "X");
  TTreeNodes* items = f.tree->Items();
  EXPECT_THROW(items->AddChild(foreign, "Y"), ETreeViewError);
  EXPECT_THROW(items->Add(foreign, "Y"), ETreeViewError);
  EXPECT_THROW(items->Delete(foreign), ETreeViewError);
  EXPECT_THROW(f.tree->SetSelected(foreign), ETreeViewError);
  EXPECT_EQ(items->Count(), 0);
  EXPECT_EQ(g.tree->Items()->Count(), 1);
}

TEST(TreeNodes, ExpandAndCollapseFireTheirEventsInOrderOnlyWhenTheStateChanges) {
  TreeFixture f;
  f.BuildSmall();
  TTreeNode* a = f.Find("A");
  a->Expand(false);
  EXPECT_EQ(f.TakeLog(), "expanding A; expanded A; ");
  a->Expand(false);
  EXPECT_EQ(f.TakeLog(), "");
  EXPECT_EQ(f.Rows(), "A A1 A2 B C ");
  a->Collapse(false);
  EXPECT_EQ(f.TakeLog(), "collapsing A; collapsed A; ");
  // A node without children has nothing to expand and asks nobody.
  f.Find("B")->Expand(false);
  EXPECT_EQ(f.TakeLog(), "");
  EXPECT_FALSE(f.Find("B")->GetExpanded());

  a->Expand(true);
  EXPECT_EQ(f.TakeLog(), "expanding A; expanded A; expanding A2; expanded A2; ");
  EXPECT_EQ(f.Rows(), "A A1 A2 A2a B C ");
  f.tree->FullCollapse();
  EXPECT_EQ(f.TakeLog(), "collapsing A; collapsed A; collapsing A2; collapsed A2; ");
  EXPECT_EQ(f.Rows(), "A B C ");
  f.tree->FullExpand();
  EXPECT_EQ(f.Rows(), "A A1 A2 A2a B C C1 ");
  f.TakeLog();

  // Refusals keep the state and skip the after-events.
  f.tree->OnCollapsing = [&](TObject*, TTreeNode*, bool& allow) { allow = false; };
  a->Collapse(false);
  EXPECT_TRUE(a->GetExpanded());
  f.tree->OnCollapsing = nullptr;
  a->SetExpanded(false);
  f.tree->OnExpanding = [&](TObject*, TTreeNode* n, bool& allow) {
    f.log.push_back("expanding " + n->GetText());
    allow = false;
  };
  a->SetExpanded(true);
  EXPECT_EQ(f.TakeLog(), "collapsed A; expanding A; ");
  EXPECT_FALSE(a->GetExpanded());
  EXPECT_EQ(f.Rows(), "A B C C1 ");
}

TEST(TreeNodes, ChildrenMadeWhileExpandingAppearAndAChildlessNodeLosesItsButton) {
  TreeFixture f;
  TTreeNodes* items = f.tree->Items();
  TTreeNode* lazy = items->Add(nullptr, "Lazy");
  TTreeNode* empty = items->Add(nullptr, "Empty");
  items->AddChild(items->Add(nullptr, "Placeholder"), "Child");
  lazy->SetHasChildren(true);
  empty->SetHasChildren(true);
  int calls = 0;
  f.tree->OnExpanding = [&](TObject*, TTreeNode* n, bool&) {
    ++calls;
    // What a lazy tree does: drop the placeholder, add the real children.
    n->DeleteChildren();
    if (n->GetText() == "Empty") return;
    for (int i = 1; i <= 3; ++i) items->AddChild(n, n->GetText() + std::to_string(i));
    EXPECT_FALSE(n->GetExpanded());  // the children are made before they show
  };
  std::vector<std::string> seenExpanded;
  f.tree->OnExpanded = [&](TObject*, TTreeNode* n) {
    for (TTreeNode* c = n->getFirstChild(); c; c = c->GetNextSibling()) seenExpanded.push_back(c->GetText());
  };
  f.ClickButton("Lazy");
  EXPECT_EQ(f.Rows(), "Lazy Lazy1 Lazy2 Lazy3 Empty Placeholder ");
  EXPECT_EQ(seenExpanded, (std::vector<std::string>{"Lazy1", "Lazy2", "Lazy3"}));
  EXPECT_EQ(NameOf(f.tree->GetNodeAt(30, f.Find("Lazy")->DisplayRect(false).Bottom + 1)), "Lazy1");

  f.ClickButton("Placeholder");
  EXPECT_EQ(f.Rows(), "Lazy Lazy1 Lazy2 Lazy3 Empty Placeholder Placeholder1 Placeholder2 Placeholder3 ");

  f.ClickButton("Empty");
  EXPECT_FALSE(empty->GetExpanded());
  EXPECT_FALSE(empty->GetHasChildren());
  EXPECT_EQ(calls, 3);
  f.ClickButton("Empty");  // no button any more: nothing is asked
  EXPECT_EQ(calls, 3);
}

TEST(TreeNodes, AHandlerDeletingTheNodeItExpandsOrSelectsDoesNotBreakTheView) {
  TreeFixture f;
  f.BuildSmall();
  f.tree->OnExpanding = [&](TObject*, TTreeNode* n, bool&) { n->Delete(); };
  f.Find("A")->Expand(true);
  EXPECT_EQ(f.Rows(), "B C ");
  f.tree->OnExpanding = [&](TObject*, TTreeNode*, bool&) { f.tree->Items()->Clear(); };
  f.tree->FullExpand();
  EXPECT_EQ(f.tree->Items()->Count(), 0);
  f.BuildSmall();
  f.tree->OnExpanding = nullptr;
  f.tree->OnChanging = [&](TObject*, TTreeNode* n, bool&) { n->Delete(); };
  f.tree->SetSelected(f.Find("C1"));
  EXPECT_EQ(f.tree->GetSelected(), nullptr);
  EXPECT_EQ(f.Find("C1"), nullptr);
  Application->ProcessMessages();
}
