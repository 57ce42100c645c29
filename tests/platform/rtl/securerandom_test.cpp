#include "platform/rtl/SecureRandom.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/rtl/Exceptions.h"

using namespace qel;

TEST(SecureRandom, IntStaysInRangeAndCoversIt) {
  std::array<int, 7> seen{};
  for (int i = 0; i < 2000; ++i) {
    uint32_t v = SecureRandomInt(7);
    ASSERT_LT(v, 7u);
    ++seen[v];
  }
  for (int count : seen) EXPECT_GT(count, 150);  // expected about 286 each
  EXPECT_EQ(SecureRandomInt(1), 0u);
  EXPECT_THROW(SecureRandomInt(0), Exception);
}

TEST(SecureRandom, BytesDiffer) {
  std::array<uint8_t, 32> a{}, b{};
  SecureRandomBytes(a.data(), a.size());
  SecureRandomBytes(b.data(), b.size());
  EXPECT_NE(a, b);
  SecureRandomBytes(nullptr, 0);
}
