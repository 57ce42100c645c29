#include "platform/graphics/Resources.h"

#include <cctype>
#include <map>

namespace qel {

void RegisterEmbeddedResources();  // generated at build time

namespace {
std::map<std::string, std::span<const unsigned char>>& Registry() {
  static std::map<std::string, std::span<const unsigned char>> registry;
  return registry;
}
std::string Key(std::string name) {
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}
void EnsureEmbedded() {
  static bool done = (RegisterEmbeddedResources(), true);
  (void)done;
}
}  // namespace

void RegisterResource(const std::string& Name, const unsigned char* Data, size_t Size) {
  Registry()[Key(Name)] = {Data, Size};
}

std::span<const unsigned char> FindResource(const std::string& Name) {
  EnsureEmbedded();
  auto it = Registry().find(Key(Name));
  return it == Registry().end() ? std::span<const unsigned char>{} : it->second;
}

}  // namespace qel
