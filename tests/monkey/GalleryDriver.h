// Small helpers shared by the programs that drive the gallery (the monkey
// and the soak): numbers from the environment and finding a control.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/controls/Component.h"

namespace qel::test {

// The environment variable Name as a number, Default when unset or empty.
inline uint64_t EnvNumber(const char* Name, uint64_t Default) {
  const char* v = std::getenv(Name);
  return v && *v ? std::strtoull(v, nullptr, 10) : Default;
}

// The first component of type T (named Name, when given) owned, directly or
// below, by Root.
template <class T>
T* FindOn(TComponent* Root, const std::string& Name = {}) {
  for (int i = 0; i < Root->ComponentCount(); ++i) {
    TComponent* c = Root->Components(i);
    if (auto* t = dynamic_cast<T*>(c); t && (Name.empty() || c->GetName() == Name)) return t;
    if (T* t = FindOn<T>(c, Name)) return t;
  }
  return nullptr;
}

// A scripted check's failures, each printed as "qel-monkey: <Topic>: <what>".
struct TChecker {
  const char* Topic;
  int failures = 0;
  void Expect(bool Ok, const std::string& What) {
    if (Ok) return;
    std::fprintf(stderr, "qel-monkey: %s: %s\n", Topic, What.c_str());
    ++failures;
  }
};

}  // namespace qel::test
