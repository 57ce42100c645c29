// Random numbers from the kernel's cryptographic source, for secrets such as
// generated passwords (the ordinary Random is predictable).
#pragma once
#include <cstddef>
#include <cstdint>

namespace qel {

/// Fills Buffer with Count random bytes; raises Exception if the source fails.
void SecureRandomBytes(void* Buffer, size_t Count);
/// Uniform in 0 .. Range-1 without modulo bias; Range must be positive.
uint32_t SecureRandomInt(uint32_t Range);

}  // namespace qel
