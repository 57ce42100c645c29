// Speed as ratios measured in one run: each iteration times ours and every
// baseline one after the other in the thread's processor time, so a busy
// shared machine disturbs them alike. A counter x_NAME is our time divided
// by NAME's: below 1 we are faster.
#pragma once
#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace qel::bench {

struct Baseline {
  std::string name;
  std::function<void()> run;
};

inline double ThreadCpuNs() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

// Reset, when given, runs untimed before ours and before each baseline, so
// that every one starts from the same state.
inline void Compare(benchmark::State& state, const std::function<void()>& Ours, const std::vector<Baseline>& Others,
                    const std::function<void()>& Reset = {}) {
  std::vector<double> ns(Others.size() + 1, 0.0);
  auto timed = [&](const std::function<void()>& f) {
    if (Reset) Reset();
    const double t0 = ThreadCpuNs();
    f();
    return ThreadCpuNs() - t0;
  };
  for (auto _ : state) {
    ns[0] += timed(Ours);
    for (size_t i = 0; i < Others.size(); ++i) ns[i + 1] += timed(Others[i].run);
  }
  state.counters["ours_us"] = ns[0] / double(state.iterations()) / 1e3;
  for (size_t i = 0; i < Others.size(); ++i) state.counters["x_" + Others[i].name] = ns[0] / ns[i + 1];
}

}  // namespace qel::bench
