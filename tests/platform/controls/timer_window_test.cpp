// The hidden timer window: ticks by id, a raising tick reported as its
// sender's, and no timer left behind when it goes.
#include "platform/controls/TimerWindow.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"

using namespace qel;

TEST(TimerWindow, TicksByIdReportsARaisingTickAsItsSendersAndTakesItsTimersAlong) {
  const int before = Application->ActiveTimerCount();
  std::vector<uintptr_t> ticks;
  TComponent sender(nullptr);
  TObject* reported = nullptr;
  auto* timer = new TTimerWindow(
      [&](uintptr_t id) {
        ticks.push_back(id);
        if (id == 2) throw std::runtime_error("tick failed");
      },
      &sender);
  Application->OnException = [&](TObject* s, const std::exception&) { reported = s; };
  ASSERT_NE(timer->Start(1, 100), 0u);
  ASSERT_NE(timer->Start(2, 250), 0u);
  Headless().AdvanceTime(250);
  EXPECT_EQ(ticks, (std::vector<uintptr_t>{1, 1, 2}));
  EXPECT_EQ(reported, &sender);  // and the loop goes on
  EXPECT_TRUE(timer->Stop(2));
  EXPECT_FALSE(timer->Stop(2));
  TMessage other{WM_PAINT, 0, 0, 7};
  EXPECT_TRUE(Application->SendToWindow(timer->Handle(), other));
  EXPECT_EQ(other.Result, 0);  // the default handling
  delete timer;  // timer 1 still running: it goes too
  EXPECT_EQ(Application->ActiveTimerCount(), before);
  Headless().AdvanceTime(1000);
  EXPECT_EQ(ticks.size(), 3u);
  Application->OnException = nullptr;
}
