// Runs a call that must not block (opening a pipe, reading a device) on a
// thread of its own, so that a regression fails the test run instead of
// hanging it.
#pragma once
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <utility>

namespace qel::test {

// F's result or exception; aborts when F has not returned after a minute
// (a blocked thread cannot be stopped, so the run cannot go on).
template <class F>
auto ReturnsInTime(F f, const char* what) {
  auto done = std::async(std::launch::async, std::move(f));
  if (done.wait_for(std::chrono::minutes(1)) != std::future_status::ready) {
    std::fprintf(stderr, "%s did not return: it blocks\n", what);
    std::abort();
  }
  return done.get();
}

}  // namespace qel::test
