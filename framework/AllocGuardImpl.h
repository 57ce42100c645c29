// Template part of AllocGuard.h.
#pragma once
#include <new>
#include <stdexcept>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

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

QEL_API_END
}  // namespace qel
