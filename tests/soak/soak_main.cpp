// qel-soak: runs the gallery's timer-driven pages for a long stretch of the
// headless host's virtual time (default 10 minutes per page) and fails when
// the memory the program holds grows after the first virtual minute. The
// virtual clock makes ten minutes cost seconds of real time.
//
// On each page a repeating button is held down and a numeric field has the
// focus, so that the click-repeat and caret timers run along with the
// progress bar, the scrolling dot-matrix labels and the pages' own timers.
//
// QEL_SOAK_MINUTES      virtual minutes per page (default 10, at least 2)
// QEL_SOAK_SLACK_BYTES  growth still accepted per page (default 32768): the
//                       counters on the pages grow a digit now and then
// Prints, per page, the bytes in use after the first minute and at the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../../examples/gallery/MainForm.h"
#include "../monkey/GalleryDriver.h"
#include "AllocatedBytes.h"
#include "gauges/QEL_repsbut.h"
#include "numeric/QEL_NumIO.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"
#include "platform/rtl/DateTime.h"

using namespace qel;
using qel::test::EnvNumber;
using qel::test::FindOn;

namespace {

const char* const kTimerPages[] = {"Meter", "Bars and buttons", "Labels and fills", "Numeric input", "Displays",
                                   "Basics"};

int PageIndex(gallery::TMainForm& Form, const std::string& Name) {
  for (int i = 0; i < Form.PageCount(); ++i)
    if (Form.PageName(i) == Name) return i;
  return -1;
}

}  // namespace

int main() {
  const uint64_t minutes = std::max<uint64_t>(2, EnvNumber("QEL_SOAK_MINUTES", 10));
  const int64_t slack = int64_t(EnvNumber("QEL_SOAK_SLACK_BYTES", 32768));
  const TDateTime epoch = EncodeDate(2024, 2, 28) + EncodeTime(23, 58, 30, 0);
  auto syncClock = [&] { SetNowOverride(epoch + double(Headless().NowMs()) / 86400000.0); };
  syncClock();
  int failures = 0;
  Application->OnException = [&](TObject*, const std::exception& e) {
    ++failures;
    std::fprintf(stderr, "qel-soak: exception reached HandleException: %s\n", e.what());
  };
  // Steps of a quarter second: every timer fires at its own time within a
  // step; the clock the pages read follows between steps.
  auto run = [&](uint64_t Ms) {
    for (uint64_t done = 0; done < Ms; done += 250) {
      Headless().AdvanceTime(250);
      syncClock();
    }
  };

  auto* form = new gallery::TMainForm(nullptr);
  form->Show();
  Application->ProcessMessages();
  std::printf("%-20s %14s %14s %10s  %8s  (%s, %llu virtual minutes per page)\n", "page",
              "bytes at 1 min", "bytes at end", "growth", "real", soak::AllocatorName(), static_cast<unsigned long long>(minutes));
  for (const char* name : kTimerPages) {
    int index = PageIndex(*form, name);
    if (index < 0) {
      std::fprintf(stderr, "qel-soak: the gallery has no page \"%s\"\n", name);
      ++failures;
      continue;
    }
    const auto started = std::chrono::steady_clock::now();
    form->SelectPage(index);
    Application->ProcessMessages();
    TTestRobot robot;
    TRepSpeedButton* held = FindOn<TRepSpeedButton>(form);
    if (held) robot.Press(held, 5, 5);
    if (auto* field = FindOn<TNumIO2>(form)) field->SetFocus();

    run(60000);
    const int64_t atOneMinute = soak::AllocatedBytes();
    run((minutes - 1) * 60000);
    const int64_t atEnd = soak::AllocatedBytes();
    if (held) robot.Release(held, 5, 5);

    const int64_t growth = atEnd - atOneMinute;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%-20s %14lld %14lld %10lld  %6.2f s\n", name, static_cast<long long>(atOneMinute),
                static_cast<long long>(atEnd), static_cast<long long>(growth), seconds);
    std::fflush(stdout);
    if (growth > slack) {
      std::fprintf(stderr, "qel-soak: page \"%s\" grew by %lld bytes after the first minute (more than %lld)\n",
                   name, static_cast<long long>(growth), static_cast<long long>(slack));
      ++failures;
    }
  }
  delete form;
  Application->ProcessMessages();
  SetNowOverride(std::nullopt);
  return failures ? 1 : 0;
}
