// Page "Tree view": a tree of a few hundred nodes in several levels, one
// folder filled only when it is expanded, a second tree with hot tracking
// and no lines, and labels with the selected node's path and the events.
#include <deque>
#include <memory>
#include <string>

#include "../Gallery.h"
#include "platform/comctrls/TreeView.h"
#include "platform/stdctrls/Label.h"

using namespace qel;

namespace {

TLabel* AddLabel(TWinControl* panel, int x, int y, int w) {
  auto* l = new TLabel(panel);
  l->SetParent(panel);
  l->SetAutoSize(false);
  l->SetBounds(x, y, w, 16);
  return l;
}

std::string PathOf(const TTreeNode* n) {
  std::string path;
  for (; n; n = n->GetParent()) path = "\\" + n->GetText() + path;
  return path.empty() ? "(nothing selected)" : path;
}

// Years, months and three documents each; artists, albums and tracks.
void Fill(TTreeNodes* items) {
  static const char* months[] = {"January", "February", "March", "April", "May", "June", "July",
                                 "August", "September", "October", "November", "December"};
  items->BeginUpdate();
  TTreeNode* docs = items->Add(nullptr, "Documents");
  for (int year = 2021; year <= 2025; ++year) {
    TTreeNode* y = items->AddChild(docs, std::to_string(year));
    for (const char* m : months) {
      TTreeNode* month = items->AddChild(y, m);
      for (const char* d : {"Invoice.pdf", "Report.odt", "Notes.txt"}) items->AddChild(month, d);
    }
  }
  TTreeNode* music = items->Add(nullptr, "Music");
  for (const char* artist : {"Ada Quartet", "Blue Harbour", "Cedar Lane", "Dune Orchestra"}) {
    TTreeNode* a = items->AddChild(music, artist);
    for (int album = 1; album <= 3; ++album) {
      TTreeNode* al = items->AddChild(a, "Album " + std::to_string(album));
      for (int track = 1; track <= 8; ++track) items->AddChild(al, "Track " + std::to_string(track));
    }
  }
  items->Add(nullptr, "Filled when opened")->SetHasChildren(true);
  items->Add(nullptr, "Empty when opened")->SetHasChildren(true);
  items->EndUpdate();
  docs->Expand(false);
}

void BuildMainTree(TWinControl* panel) {
  auto* tree = new TTreeView(panel);
  tree->SetParent(panel);
  tree->SetBounds(10, 10, 320, 520);
  Fill(tree->Items());

  TLabel* path = AddLabel(panel, 10, 540, 620);
  TLabel* events = AddLabel(panel, 10, 560, 820);
  auto recent = std::make_shared<std::deque<std::string>>();
  auto note = [events, recent](const std::string& e) {
    recent->push_front(e);
    if (recent->size() > 5) recent->pop_back();
    std::string s;
    for (const std::string& r : *recent) s += (s.empty() ? "" : "   <   ") + r;
    events->SetCaption(s);
  };
  path->SetCaption(PathOf(nullptr));
  tree->OnChange = [path, note](TObject*, TTreeNode* n) {
    path->SetCaption(PathOf(n));
    note("OnChange " + (n ? n->GetText() : std::string("nil")));
  };
  tree->OnExpanded = [note](TObject*, TTreeNode* n) { note("OnExpanded " + n->GetText()); };
  tree->OnCollapsed = [note](TObject*, TTreeNode* n) { note("OnCollapsed " + n->GetText()); };
  tree->OnDblClick = [note](TObject*) { note("OnDblClick"); };
  // The lazy folders: children are made the moment the node opens.
  tree->OnExpanding = [tree, note](TObject*, TTreeNode* n, bool&) {
    note("OnExpanding " + n->GetText());
    if (n->GetText() == "Filled when opened" && n->Count() == 0)
      for (int i = 1; i <= 20; ++i) tree->Items()->AddChild(n, "Made on demand " + std::to_string(i));
  };
  // 2023, March, Report.odt: selecting it opens its folders.
  tree->SetSelected(tree->Items()->GetFirstNode()->Item(2)->Item(2)->Item(1));
}

void BuildPlainTree(TWinControl* panel) {
  auto* tree = new TTreeView(panel);
  tree->SetParent(panel);
  tree->SetBounds(350, 10, 220, 260);
  tree->SetShowLines(false);
  tree->SetHotTrack(true);
  tree->SetHideSelection(false);
  TTreeNodes* items = tree->Items();
  for (const char* group : {"Fruit", "Vegetables", "Grains"}) {
    TTreeNode* g = items->Add(nullptr, group);
    for (int i = 1; i <= 6; ++i) items->AddChild(g, std::string(group) + " " + std::to_string(i));
  }
  tree->FullExpand();
  tree->SetSelected(items->Item(9));  // Vegetables 2
  AddLabel(panel, 350, 276, 260)->SetCaption("Hot tracking, no lines, selection kept");
}

gallery::PageRegistration page("Tree view", 6, [](TWinControl* panel) {
  BuildMainTree(panel);
  BuildPlainTree(panel);
},
                            "Expand the folder that fills on demand; the labels below follow the selection and events");

}  // namespace
