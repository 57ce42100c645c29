// Editing speed on one long line: a key pressed in a line of a million
// characters, typed through the robot and painted as the user would see it,
// for the edit, the combo box, the grid's in-place editor and the custom
// numeric field. Each run reports its cost as a share of one 60 Hz frame and
// as a multiple of the same key in a short line.
#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "numeric/QEL_NumIO.h"
#include "platform/controls/Application.h"
#include "platform/grids/Grids.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/hosts/headless/Robot.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"

using namespace qel;

namespace {

constexpr int kLongLine = 1000000;
constexpr int kShortLine = 40;
constexpr double kFrameSeconds = 1.0 / 60;

// Words with a few letters beyond ASCII, cut to Length characters' worth.
std::string Words(int Length) {
  const std::string words = "the quick brown fox jumps over the lazy dog caf\xC3\xA9 na\xC3\xAFve ";
  std::string s;
  while (int(s.size()) < Length) s += words;
  s.resize(size_t(Length));
  return s;
}

std::string Digits(int Length) {
  std::string s(size_t(Length), '0');
  for (int i = 0; i < Length; ++i) s[size_t(i)] = char('1' + i % 9);
  return s;
}

// The keys measured; each pair leaves text and caret as they were.
enum KeyPair { kpTypeAndBackspace, kpLeftRight, kpHomeEnd, kpShiftLeftRight, kpDeleteAndType };
const char* const kPairNames[] = {"type+backspace", "left+right", "home+end", "shift-left+right", "delete+type"};

void PressPair(TTestRobot& robot, KeyPair Pair, char Letter) {
  switch (Pair) {
    case kpTypeAndBackspace: robot.Type(std::string(1, Letter)); robot.Key(VK_BACK); break;
    case kpLeftRight: robot.Key(VK_LEFT); robot.Key(VK_RIGHT); break;
    case kpHomeEnd: robot.Key(VK_HOME); robot.Key(VK_END); break;
    case kpShiftLeftRight: robot.Key(VK_LEFT, {ssShift}); robot.Key(VK_RIGHT, {ssShift}); break;
    case kpDeleteAndType: robot.Key(VK_LEFT); robot.Key(VK_DELETE); robot.Type(std::string(1, Letter)); break;
  }
}

// One editor on a shown form with a line of some length and the caret at
// its end; PressPair then works on it.
struct Scene {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TTestRobot robot;
  char letter = 'x';
  virtual ~Scene() = default;
};

using SceneMaker = std::function<std::unique_ptr<Scene>(int Length)>;

std::unique_ptr<Scene> EditScene(int Length) {
  auto s = std::make_unique<Scene>();
  s->form->SetBounds(0, 0, 400, 120);
  auto* edit = new TEdit(s->form.get());
  edit->SetParent(s->form.get());
  edit->SetBounds(10, 10, 300, edit->GetHeight());
  s->form->Show();
  edit->SetText(Words(Length));
  edit->SetFocus();
  s->robot.Key(VK_END);
  return s;
}

std::unique_ptr<Scene> ComboScene(int Length) {
  auto s = std::make_unique<Scene>();
  s->form->SetBounds(0, 0, 400, 120);
  auto* combo = new TComboBox(s->form.get());
  combo->SetParent(s->form.get());
  combo->SetBounds(10, 10, 300, combo->GetHeight());
  s->form->Show();
  combo->SetText(Words(Length));
  combo->SetFocus();
  s->robot.Key(VK_END);
  return s;
}

std::unique_ptr<Scene> GridScene(int Length) {
  auto s = std::make_unique<Scene>();
  s->form->SetBounds(0, 0, 400, 200);
  auto* grid = new TStringGrid(s->form.get());
  grid->SetParent(s->form.get());
  grid->SetBounds(10, 10, 360, 150);
  grid->SetColWidths(1, 300);
  grid->SetOptions(grid->GetOptions() + TGridOptions{goEditing});
  grid->SetCells(1, 1, Words(Length));
  s->form->Show();
  grid->SetFocus();
  s->robot.Key(VK_F2);
  s->robot.Key(VK_END);
  return s;
}

std::unique_ptr<Scene> NumIO2Scene(int Length) {
  auto s = std::make_unique<Scene>();
  s->form->SetBounds(0, 0, 400, 120);
  auto* field = new TNumIO2(s->form.get());
  field->SetParent(s->form.get());
  field->SetBounds(10, 10, 160, 28);
  field->SetInputFormat(itFloat);
  s->form->Show();
  field->SetText(Digits(Length));
  field->SetFocus();
  s->robot.Key(VK_END);
  s->letter = '7';
  return s;
}

// Processor time of this thread: steadier than the wall clock on a shared machine.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double SecondsPerPair(Scene& s, KeyPair Pair, int Pairs) {
  double start = CpuSeconds();
  for (int i = 0; i < Pairs; ++i) PressPair(s.robot, Pair, s.letter);
  return (CpuSeconds() - start) / Pairs;
}

void KeysInLongLine(benchmark::State& state, const SceneMaker& Make) {
  auto pair = KeyPair(state.range(0));
  double shortCost;
  {
    auto shortScene = Make(kShortLine);
    SecondsPerPair(*shortScene, pair, 20);  // warm the glyph cache
    shortCost = SecondsPerPair(*shortScene, pair, 200);
  }
  auto scene = Make(kLongLine);
  double total = 0;
  int64_t pairs = 0;
  for (auto _ : state) {
    total += SecondsPerPair(*scene, pair, 1);
    ++pairs;
  }
  // Two keys a pair (three for delete+type): per key against the frame.
  double keys = pair == kpDeleteAndType ? 3 : 2;
  double perKey = total / double(pairs) / keys;
  state.counters["key_frame_%"] = 100 * perKey / kFrameSeconds;
  state.counters["x_short_line"] = total / double(pairs) / shortCost;
  state.SetLabel(kPairNames[pair]);
}

void AllPairs(benchmark::internal::Benchmark* b) {
  for (int p = kpTypeAndBackspace; p <= kpDeleteAndType; ++p) b->Arg(p);
  b->Unit(benchmark::kMicrosecond);
}

}  // namespace

static void BM_EditKeyLongLine(benchmark::State& state) { KeysInLongLine(state, EditScene); }
BENCHMARK(BM_EditKeyLongLine)->Apply(AllPairs);

static void BM_ComboKeyLongLine(benchmark::State& state) { KeysInLongLine(state, ComboScene); }
BENCHMARK(BM_ComboKeyLongLine)->Apply(AllPairs);

static void BM_GridEditorKeyLongLine(benchmark::State& state) { KeysInLongLine(state, GridScene); }
BENCHMARK(BM_GridEditorKeyLongLine)->Apply(AllPairs);

static void BM_NumIO2KeyLongLine(benchmark::State& state) { KeysInLongLine(state, NumIO2Scene); }
BENCHMARK(BM_NumIO2KeyLongLine)->Apply(AllPairs);
