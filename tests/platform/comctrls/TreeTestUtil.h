// A tree view on a form whose events are logged, for the tree view tests.
#pragma once
#include <string>
#include <vector>

#include "platform/comctrls/TreeView.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

namespace qel::test {

inline std::string NameOf(const TTreeNode* n) { return n ? n->GetText() : "nil"; }

struct TreeFixture {
  TForm form{nullptr};
  TTreeView* tree;
  TTestRobot robot;
  std::vector<std::string> log;

  explicit TreeFixture(int w = 200, int h = 200) {
    form.SetBounds(0, 0, w + 40, h + 40);
    tree = new TTreeView(&form);
    tree->SetParent(&form);
    tree->SetBounds(10, 10, w, h);
    tree->OnExpanding = [this](TObject*, TTreeNode* n, bool&) { log.push_back("expanding " + NameOf(n)); };
    tree->OnExpanded = [this](TObject*, TTreeNode* n) { log.push_back("expanded " + NameOf(n)); };
    tree->OnCollapsing = [this](TObject*, TTreeNode* n, bool&) { log.push_back("collapsing " + NameOf(n)); };
    tree->OnCollapsed = [this](TObject*, TTreeNode* n) { log.push_back("collapsed " + NameOf(n)); };
    tree->OnChanging = [this](TObject*, TTreeNode* n, bool&) { log.push_back("changing " + NameOf(n)); };
    tree->OnChange = [this](TObject*, TTreeNode* n) { log.push_back("change " + NameOf(n)); };
    form.Show();
    Application->ProcessMessages();
  }

  // Roots A, B, C; A has A1, A2 (A2 has A2a); C has C1. All collapsed.
  void BuildSmall() {
    TTreeNodes* items = tree->Items();
    TTreeNode* a = items->Add(nullptr, "A");
    items->AddChild(a, "A1");
    items->AddChild(items->AddChild(a, "A2"), "A2a");
    items->Add(a, "B");
    items->AddChild(items->Add(a, "C"), "C1");
    Application->ProcessMessages();
  }

  TTreeNode* Find(const std::string& text) {
    for (TTreeNode* n : *tree->Items())
      if (n->GetText() == text) return n;
    return nullptr;
  }

  // Clicks the middle of a node's text, or the middle of its expand button.
  void ClickText(const std::string& text) {
    TRect r = Find(text)->DisplayRect(true);
    robot.Click(tree, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  TPoint ButtonCenter(const std::string& text) {
    TRect label = Find(text)->DisplayRect(true);
    // The button sits in the indent column just left of the text's box.
    int x = label.Left - 2 - tree->GetIndent() + tree->GetIndent() / 2;
    return {x, (label.Top + label.Bottom) / 2};
  }
  void ClickButton(const std::string& text) {
    TPoint p = ButtonCenter(text);
    robot.Click(tree, p.X, p.Y);
  }

  // The texts of the rows shown, top to bottom of the whole list.
  std::string Rows() {
    std::string s;
    for (TTreeNode* n = tree->Items()->GetFirstNode(); n; n = n->GetNextVisible()) s += n->GetText() + " ";
    return s;
  }
  std::string TakeLog() {
    std::string s;
    for (auto& e : log) s += e + "; ";
    log.clear();
    return s;
  }
};

}  // namespace qel::test
