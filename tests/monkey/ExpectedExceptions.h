// The exceptions components raise on purpose for what a user typed or
// chose, which a real application shows as a message: not failures.
#pragma once
#include <exception>

namespace monkey {

bool IsExpected(const std::exception& E);

}  // namespace monkey
