// Tree view speed: filling a collapsed folder with many children (what a
// folder tree does on expanding), expanding it, a full repaint of a
// screen-high tree, and walking all nodes by index.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/comctrls/TreeView.h"
#include "platform/controls/Application.h"

using namespace qel;

namespace {

struct TreeScreen {
  TForm form{nullptr};
  TTreeView* tree;
  TreeScreen(int w, int h) {
    form.SetBounds(0, 0, w, h);
    tree = new TTreeView(&form);
    tree->SetParent(&form);
    tree->SetBounds(0, 0, w, h);
    form.Show();
    Application->ProcessMessages();
  }
};

void FillFolder(TTreeView* tree, TTreeNode* folder, int n) {
  for (int i = 0; i < n; ++i) tree->Items()->AddChild(folder, "Folder " + std::to_string(i));
}

}  // namespace

static void BM_TreeFillCollapsedThenExpand(benchmark::State& state) {
  TreeScreen s(400, 600);
  int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    s.tree->Items()->Clear();
    TTreeNode* folder = s.tree->Items()->Add(nullptr, "C:\\");
    FillFolder(s.tree, folder, n);
    folder->Expand(false);
    Application->ProcessMessages();
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_TreeFillCollapsedThenExpand)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_TreeFullRepaint1080p(benchmark::State& state) {
  TreeScreen s(1920, 1080);
  TTreeNode* root = s.tree->Items()->Add(nullptr, "Root");
  for (int i = 0; i < 20; ++i) FillFolder(s.tree, s.tree->Items()->AddChild(root, "Group " + std::to_string(i)), 10);
  s.tree->FullExpand();
  Application->ProcessMessages();
  for (auto _ : state) s.tree->Repaint();
}
BENCHMARK(BM_TreeFullRepaint1080p)->Unit(benchmark::kMillisecond);

static void BM_TreeItemByIndex(benchmark::State& state) {
  TreeScreen s(400, 600);
  TTreeNode* root = s.tree->Items()->Add(nullptr, "Root");
  FillFolder(s.tree, root, 10000);
  for (auto _ : state) {
    int count = s.tree->Items()->Count();
    for (int i = 0; i < count; ++i) benchmark::DoNotOptimize(s.tree->Items()->Item(i));
  }
  state.SetItemsProcessed(state.iterations() * 10001);
}
BENCHMARK(BM_TreeItemByIndex)->Unit(benchmark::kMillisecond);
