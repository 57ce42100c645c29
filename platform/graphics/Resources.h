// The registry of pictures embedded in the library at build time.
#pragma once
#include <cstddef>
#include <span>
#include <string>

namespace qel {

/// Called from generated code at start-up, and by tests for extra pictures.
void RegisterResource(const std::string& Name, const unsigned char* Data, size_t Size);
/// The bytes of a resource by (case-insensitive) name; empty when unknown.
std::span<const unsigned char> FindResource(const std::string& Name);

}  // namespace qel
