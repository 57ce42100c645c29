// A seeded random user: mouse moves, presses, drags, double clicks, wheel
// steps, keys and timer advances on whatever form is on top, answering the
// menus and modal dialogs it opens on the way. The same seed replays the
// same events.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls/Forms.h"
#include "platform/hosts/headless/Robot.h"

namespace monkey {

// A small generator whose sequence does not depend on the standard library.
class TRandom {
 public:
  explicit TRandom(uint64_t Seed) : s_(Seed * 0x9E3779B97F4A7C15ull + 1) {}
  uint64_t Next() {  // splitmix64
    uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int N) { return N <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(N)); }
  bool Chance(int Percent) { return Below(100) < Percent; }

 private:
  uint64_t s_;
};

// The last events, for the failure report.
class TEventLog {
 public:
  void Add(std::string Line);
  // Oldest first; safe enough to call from a signal handler or a watchdog.
  void Dump(int Fd) const { DumpLast(Fd, kKeep); }
  void DumpLast(int Fd, int N = 1) const;
  uint64_t Count() const { return count_; }

 private:
  static constexpr int kKeep = 40;
  char lines_[kKeep][120] = {};
  uint64_t count_ = 0;
};

class TMonkey {
 public:
  // TimeBudgetMs: how far timer events may move the virtual clock in all.
  TMonkey(uint64_t Seed, uint64_t TimeBudgetMs, TEventLog& Log);
  ~TMonkey();
  // One random event on the topmost shown form; Area limits mouse events on
  // the main form (the rest of it, the page list, is left alone).
  void Step(qel::TCustomForm* Main, qel::TRect Area);
  uint64_t Events() const { return events_; }
  // Called after every event (the watchdog's heartbeat, the page's guards).
  std::function<void()> AfterEvent;
  // A control tagged gallery::kLongWorkTag starts seconds of work: it is
  // pressed (by mouse or key) at most once in this many events.
  static constexpr uint64_t kLongWorkEvery = 20000;

 private:
  void MouseEvent(qel::TCustomForm* Form, qel::TRect Area);
  void KeyEvent();
  // May this press at (X, Y) of Form, or this key, start long work now?
  bool LongWorkAllowed(qel::TControl* Target);
  // While a page's long work pumps input: now and then a nested event.
  void DuringLongWork();
  void AnswerModal(qel::TCustomForm* Form);
  qel::TCustomForm* TopForm(qel::TCustomForm* Main) const;
  void Note(const std::string& What);

  TRandom rnd_;
  TEventLog& log_;
  qel::TTestRobot robot_;
  uint64_t events_ = 0;
  uint64_t timeBudgetMs_, timeSpentMs_ = 0;
  bool leftHeld_ = false;
  uint64_t nextLongWork_ = kLongWorkEvery;
  qel::TCustomForm* main_ = nullptr;
  qel::TRect area_;
  std::vector<std::pair<qel::TCustomForm*, int>> modalTurns_;
};

}  // namespace monkey
