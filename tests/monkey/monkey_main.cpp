// qel-monkey: opens every gallery page in the headless host and lets a
// seeded random user loose on it. Fails (exit code not 0) on a crash, a
// sanitizer report, a form left over at exit, an exception a component
// raised for its own input reaching HandleException, or a hang; it prints
// the seed, the page and the last events, which replay the case. Before the
// random user, scripted checks of the gallery's navigation, long work and
// report list page run (see GalleryNavigation.h, GalleryLongWork.h and
// GalleryReportList.h). Replay:
//   QEL_MONKEY_SEED=S QEL_MONKEY_PAGE="Name" QEL_MONKEY_EVENTS=N qel-monkey
// QEL_MONKEY_EVENTS  events per page (default 150; 1000000 for a long run);
//                    the virtual clock moves at most 10 ms per event in all
// QEL_MONKEY_SEED    the base seed (default 1); page i runs with seed + i
// QEL_MONKEY_PAGE    only the page of that name
// QEL_MONKEY_HANG_SECONDS  how long one event may take (default 60)
// QEL_MONKEY_KEEP_GOING=1  reports exceptions but goes on
// QEL_MONKEY_TRACE=1       prints every event
// QEL_MONKEY_SLOW_MS=N     prints every event that took more than N ms
//
// The machine stays out of it: the clock the pages read (Now) follows the
// headless host's virtual clock from a fixed date, and the temporary folder
// (where the "Browsers" page writes its sample pictures) is a fresh one that
// is removed at exit; the folder tree on that page is brought back into it
// whenever the monkey leaves it (it only reads folders, but what lies
// outside differs from machine to machine).
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <typeinfo>

#include "../../examples/gallery/MainForm.h"
#include "ExpectedExceptions.h"
#include "GalleryDriver.h"
#include "GalleryLongWork.h"
#include "GalleryNavigation.h"
#include "GalleryPages.h"
#include "GalleryReportList.h"
#include "Monkey.h"
#include "browsers/QEL_FolderTree.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/rtl/DateTime.h"
#include "platform/stdctrls/HintWindow.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QEL_MONKEY_DEATH_CALLBACK 1
#endif
#elif defined(__SANITIZE_ADDRESS__)
#define QEL_MONKEY_DEATH_CALLBACK 1
#endif
#ifdef QEL_MONKEY_DEATH_CALLBACK
#include <sanitizer/common_interface_defs.h>
#endif

using namespace qel;
using qel::test::EnvNumber;
using qel::test::FindOn;

namespace {

monkey::TEventLog eventLog;
std::string header;  // seed and page, for every report
std::atomic<uint64_t> heartbeat{0};

void Report(const char* What) {
  std::fprintf(stderr, "\nqel-monkey: %s\n%s, last events:\n", What, header.c_str());
  std::fflush(stderr);
  eventLog.Dump(2);
}

extern "C" void OnDeath() { Report("the process dies (sanitizer report above)"); }

void OnSignal(int Sig) {
  const char* text = "\nqel-monkey: fatal signal\n";
  ssize_t ignored = write(2, text, std::strlen(text));
  ignored = write(2, header.c_str(), header.size());
  ignored = write(2, "\n", 1);
  (void)ignored;
  eventLog.Dump(2);
  signal(Sig, SIG_DFL);
  raise(Sig);
}

// The virtual time the timer events may spend, per event of the run: the
// seven-segment displays cost real time for every second they count.
constexpr uint64_t kVirtualMsPerEvent = 10;

std::string MakeSandbox() {
  std::string base = (std::filesystem::temp_directory_path() / "qel-monkey-XXXXXX").string();
  if (!mkdtemp(base.data())) {
    std::perror("qel-monkey: mkdtemp");
    std::exit(2);
  }
  setenv("TMPDIR", base.c_str(), 1);
  return base;
}

}  // namespace

int main() {
  const uint64_t events = EnvNumber("QEL_MONKEY_EVENTS", 150);
  const uint64_t seed = EnvNumber("QEL_MONKEY_SEED", 1);
  const uint64_t hangSeconds = EnvNumber("QEL_MONKEY_HANG_SECONDS", 60);
  const bool keepGoing = EnvNumber("QEL_MONKEY_KEEP_GOING", 0) != 0;
  const char* onlyPage = std::getenv("QEL_MONKEY_PAGE");
  const bool trace = EnvNumber("QEL_MONKEY_TRACE", 0) != 0;
  const uint64_t slowMs = EnvNumber("QEL_MONKEY_SLOW_MS", 0);
#ifdef QEL_MONKEY_DEATH_CALLBACK
  __sanitizer_set_death_callback(OnDeath);
#endif
  for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS}) signal(sig, OnSignal);

  const std::string sandbox = MakeSandbox();
  const TDateTime epoch = EncodeDate(2024, 2, 28) + EncodeTime(23, 58, 30, 0);
  auto syncClock = [&] { SetNowOverride(epoch + double(Headless().NowMs()) / 86400000.0); };
  syncClock();

  int failures = 0;
  Application->OnException = [&](TObject*, const std::exception& e) {
    if (monkey::IsExpected(e)) return;
    ++failures;
    Report(("exception reached HandleException: " + std::string(typeid(e).name()) + ": " + e.what()).c_str());
    if (!keepGoing) std::_Exit(1);
  };

  // The scripted checks first: they are long single steps (a fill, a sort
  // and a search of 200 000 rows, minutes under the sanitizers), which the
  // test's own time limit bounds; the watchdog then times the random events.
  failures += monkey::CheckGalleryNavigation();
  failures += monkey::CheckLongWork();
  failures += monkey::CheckGalleryPages();
  failures += monkey::CheckReportListPage();

  std::atomic<bool> done{false};
  std::thread watchdog([&] {
    uint64_t last = heartbeat.load();
    auto since = std::chrono::steady_clock::now();
    while (!done.load()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      uint64_t now = heartbeat.load();
      if (now != last) {
        last = now;
        since = std::chrono::steady_clock::now();
      } else if (std::chrono::steady_clock::now() - since > std::chrono::seconds(hangSeconds)) {
        Report("an event did not return (hang)");
        std::_Exit(3);
      }
    }
  });


  auto* form = new gallery::TMainForm(nullptr);
  form->Show();
  Application->ProcessMessages();
  const TRect area{171, 0, form->ClientWidth(), form->ClientHeight()};
  for (int page = 0; page < form->PageCount(); ++page) {
    const std::string name = form->PageName(page);
    if (onlyPage && name != onlyPage) continue;
    const uint64_t pageSeed = seed + page;
    header = "seed " + std::to_string(pageSeed) + " (QEL_MONKEY_SEED=" + std::to_string(seed) + "), page \"" +
             name + "\", " + std::to_string(events) + " events";
    auto started = std::chrono::steady_clock::now();
    monkey::TMonkey monkey(pageSeed, events * kVirtualMsPerEvent, eventLog);
    auto select = [&] {
      try {
        form->SelectPage(page);
        Application->ProcessMessages();
      } catch (...) {
        Application->HandleException(form);
      }
    };
    select();
    // With QEL_MONKEY_SLOW_MS: the event, then the guards below, each timed.
    auto lastMark = std::chrono::steady_clock::now();
    auto noteIfSlow = [&] {
      const auto now = std::chrono::steady_clock::now();
      const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastMark).count();
      lastMark = now;
      if (!slowMs || uint64_t(ms) <= slowMs) return;
      std::fprintf(stdout, "%lld ms:", static_cast<long long>(ms));
      std::fflush(stdout);
      eventLog.DumpLast(1);
    };
    monkey.AfterEvent = [&] {
      ++heartbeat;
      if (trace) eventLog.DumpLast(1);
      noteIfSlow();
      syncClock();
      if (form->SelectedPage() != page) {  // the page list got the keys
        eventLog.Add("back to the page");
        select();
      }
      if (auto* tree = FindOn<TFolderTree>(form); tree && tree->CurrentPath().rfind(sandbox, 0) != 0) {
        eventLog.Add("folder tree back into the sandbox");
        tree->SelectPath(sandbox + "/qel-gallery-browsers");
      }
      noteIfSlow();
    };
    while (monkey.Events() < events) monkey.Step(form, area);
    if (const char* shots = std::getenv("QEL_MONKEY_SHOTS")) form->SaveScreenshot(std::string(shots) + "/" + std::to_string(page) + ".png");
    // Let go of the mouse and close what is open before the next page.
    TTestRobot().Release(form, area.Left + 1, area.Top + 1);
    Application->ClosePopups();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%-22s %llu events, seed %llu, %.2f s\n", name.c_str(), static_cast<unsigned long long>(monkey.Events()),
                static_cast<unsigned long long>(pageSeed), seconds);
    std::fflush(stdout);
  }
  header = "at exit";
  delete form;
  Application->ProcessMessages();
  int leftover = 0;
  for (TCustomForm* f : Application->Forms()) {
    // The hint window belongs to the hint manager, which lives as long as the
    // program; any other form still there has no one left to free it.
    if (dynamic_cast<THintWindow*>(f) && !f->Showing()) continue;
    std::fprintf(stderr, "qel-monkey: form %s (%s) left over at exit\n", f->GetName().c_str(), f->ClassName().c_str());
    ++leftover;
  }
  done = true;
  watchdog.join();
  SetNowOverride(std::nullopt);
  std::error_code ec;
  std::filesystem::remove_all(sandbox, ec);
  if (failures) std::fprintf(stderr, "qel-monkey: %d failed checks or exceptions that reached HandleException\n", failures);
  return failures || leftover ? 1 : 0;
}
