// Template part of AllocGuard.h.
#pragma once
#include <new>
#include <stdexcept>

#include "platform/rtl/Exceptions.h"

namespace qel {

template <typename F>
void GuardAllocation(F&& Work) {
  try {
    Work();
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory("Out of memory");
  } catch (const std::length_error&) {
    throw EOutOfMemory("Out of memory");
  }
}

}  // namespace qel
