// Browser speed: expanding a folder of 20 000 subfolders in the folder tree,
// against the same file-system work written directly on opendir/readdir
// (list the folder, then open each subfolder until its first subfolder);
// and full paints of a 1200 x 800 thumbnail viewer showing 50 slides of
// 256 x 256 pictures, with AntiAlias off and on.
#include <benchmark/benchmark.h>
#include <dirent.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "browsers/QEL_FolderTree.h"
#include "browsers/QEL_Thumbnails.h"
#include "platform/controls/Application.h"

using namespace qel;
namespace fs = std::filesystem;

namespace {

// 20 000 subfolders, every tenth with a folder inside; made once, removed at exit.
class BigFolder {
 public:
  static const std::string& Path() {
    static BigFolder folder;
    return folder.path_;
  }
  ~BigFolder() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

 private:
  BigFolder() {
    std::string pattern = (fs::temp_directory_path() / "qel-bench-folders-XXXXXX").string();
    root_ = mkdtemp(pattern.data()) ? pattern : std::string();
    path_ = root_ + "/big";
    for (int i = 0; i < 20000; ++i) {
      std::string sub = path_ + "/Folder " + std::to_string(i * 7919 % 20000);
      fs::create_directories(i % 10 == 0 ? sub + "/inner" : sub);
    }
  }
  std::string root_, path_;
};

// The baseline: names of the subfolders, and for each whether it holds one.
size_t RawExpand(const std::string& path) {
  std::vector<std::pair<std::string, bool>> found;
  DIR* d = opendir(path.c_str());
  if (!d) return 0;
  while (dirent* e = readdir(d)) {
    if (e->d_name[0] == '.' || e->d_type != DT_DIR) continue;
    found.emplace_back(e->d_name, false);
  }
  closedir(d);
  for (auto& [name, has] : found) {
    DIR* s = opendir((path + "/" + name).c_str());
    if (!s) continue;
    while (dirent* e = readdir(s))
      if (e->d_name[0] != '.' && e->d_type == DT_DIR) {
        has = true;
        break;
      }
    closedir(s);
  }
  return found.size();
}

struct TreeOnForm {
  TForm form{nullptr};
  TFolderTree* tree;
  TreeOnForm() {
    form.SetBounds(0, 0, 300, 600);
    tree = new TFolderTree(&form);
    tree->SetParent(&form);
    tree->SetBounds(0, 0, 300, 600);
    form.Show();
    Application->ProcessMessages();
  }
  // A collapsed node standing for the big folder, expanded by the tree's handler.
  int Expand(const std::string& path) {
    tree->Items()->Clear();
    TTreeNode* node = tree->Items()->Add(nullptr, path + "/");
    tree->Items()->AddChild(node, TFolderTree::PlaceholderText);
    node->Expand(false);
    return node->Count();
  }
};

}  // namespace

static void BM_FolderTreeExpand20000(benchmark::State& state) {
  const std::string& path = BigFolder::Path();
  TreeOnForm t;
  for (auto _ : state) benchmark::DoNotOptimize(t.Expand(path));
}
BENCHMARK(BM_FolderTreeExpand20000)->Unit(benchmark::kMillisecond);

static void BM_RawOpendirExpand20000(benchmark::State& state) {
  const std::string& path = BigFolder::Path();
  for (auto _ : state) benchmark::DoNotOptimize(RawExpand(path));
}
BENCHMARK(BM_RawOpendirExpand20000)->Unit(benchmark::kMillisecond);

// Both in turn; the counter "ratio" is the tree's time over the raw time.
static void BM_FolderTreeExpandRatio(benchmark::State& state) {
  using clock = std::chrono::steady_clock;
  const std::string& path = BigFolder::Path();
  TreeOnForm t;
  double tree = 0, raw = 0;
  for (auto _ : state) {
    auto a = clock::now();
    benchmark::DoNotOptimize(t.Expand(path));
    auto b = clock::now();
    benchmark::DoNotOptimize(RawExpand(path));
    auto c = clock::now();
    tree += std::chrono::duration<double>(b - a).count();
    raw += std::chrono::duration<double>(c - b).count();
  }
  state.counters["ratio"] = raw > 0 ? tree / raw : 0;
}
BENCHMARK(BM_FolderTreeExpandRatio)->Unit(benchmark::kMillisecond);

static void BM_ThumbnailsPaint50(benchmark::State& state) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 1240, 840);
  auto* t = new TThumbnails(&form);
  t->SetParent(&form);
  t->SetBounds(0, 0, 1200, 800);
  t->SetSlideSize(100);
  t->SetSlideMargin(6);
  t->SetSlideDistance(6);
  t->SetMax(50);  // 10 columns of 118 pixels, 5 rows
  t->SetAntiAlias(state.range(0) != 0);
  form.Show();
  Application->ProcessMessages();
  std::vector<std::unique_ptr<TBitmap>> pictures;
  for (int i = 0; i < 50; ++i) {
    auto b = std::make_unique<TBitmap>(256, 256);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) b->ScanLine(y)[x] = uint32_t((x * 3 + i) << 16 | (y * 5) << 8 | (x ^ y));
    pictures.push_back(std::move(b));
  }
  int requests = 0;
  t->OnImageRequest = [&](TObject*, int n, TImageRequestProcessing& how, int&, TBitmap*& buf) {
    how = irpShowSlide;
    buf = pictures[n - 1].get();
    ++requests;
  };
  // Cold: every picture changes before each paint, so none is kept scaled.
  const bool cold = state.range(1) != 0;
  uint32_t stamp = 0;
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      ++stamp;
      for (auto& p : pictures) p->ScanLine(0)[0] = stamp;
      state.ResumeTiming();
    }
    t->Paint();
  }
  state.counters["paints/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["slides"] = double(requests) / double(std::max<int64_t>(1, state.iterations()));
}
BENCHMARK(BM_ThumbnailsPaint50)
    ->ArgNames({"AntiAlias", "cold"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);
