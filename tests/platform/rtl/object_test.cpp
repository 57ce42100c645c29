#include "platform/rtl/Object.h"

#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"

using namespace qel;

namespace {
class TThing : public TPersistent {};
class TOther : public TPersistent {};
}  // namespace

TEST(Object, AssignWithoutSupportRaisesWithBothClassNames) {
  TThing thing;
  TOther other;
  try {
    thing.Assign(&other);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TOther to a TThing");
  }
  try {
    thing.Assign(nullptr);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TThing");
  }
}
