#include "CountedNew.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> g_allocations{0};
std::atomic<std::size_t> g_largest{0};

void* Counted(std::size_t n) noexcept {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  std::size_t largest = g_largest.load(std::memory_order_relaxed);
  while (n > largest && !g_largest.compare_exchange_weak(largest, n, std::memory_order_relaxed)) {
  }
  return std::malloc(n ? n : 1);
}

void* CountedOrThrow(std::size_t n) {
  if (void* p = Counted(n)) return p;
  throw std::bad_alloc();
}
}  // namespace

namespace bench {
long AllocationCount() { return g_allocations.load(std::memory_order_relaxed); }
std::size_t TakeLargestAllocation() { return g_largest.exchange(0, std::memory_order_relaxed); }
}  // namespace bench

void* operator new(std::size_t n) { return CountedOrThrow(n); }
void* operator new[](std::size_t n) { return CountedOrThrow(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Counted(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Counted(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
