// Small helpers shared by the programs that drive the gallery (the monkey
// and the soak): numbers from the environment and finding a control.
#pragma once
#include <cstdint>
#include <cstdlib>

#include "platform/controls/Component.h"

namespace qel::test {

// The environment variable Name as a number, Default when unset or empty.
inline uint64_t EnvNumber(const char* Name, uint64_t Default) {
  const char* v = std::getenv(Name);
  return v && *v ? std::strtoull(v, nullptr, 10) : Default;
}

// The first component of type T owned, directly or below, by Root.
template <class T>
T* FindOn(TComponent* Root) {
  for (int i = 0; i < Root->ComponentCount(); ++i) {
    if (auto* t = dynamic_cast<T*>(Root->Components(i))) return t;
    if (T* t = FindOn<T>(Root->Components(i))) return t;
  }
  return nullptr;
}

}  // namespace qel::test
