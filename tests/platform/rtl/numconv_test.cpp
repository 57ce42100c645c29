#include "platform/rtl/NumConv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/rtl/Exceptions.h"
#include "tests/platform/rtl/SettingsGuard.h"

using namespace qel;

namespace {

int IntCode(const std::string& s, int* value = nullptr) {
  int v = -1, code = -1;
  Val(s, v, code);
  if (value) *value = v;
  return code;
}

int FloatCode(const std::string& s, double* value = nullptr) {
  double v = -1;
  int code = -1;
  Val(s, v, code);
  if (value) *value = v;
  return code;
}

template <typename F>
std::string MessageOf(F f) {
  try {
    f();
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return "no exception";
}

}  // namespace

TEST(NumConv, IntegerText) {
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(int64_t{-9223372036854775807} - 1), "-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(int64_t{-1}, 1), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(0, 0), "0");
}

TEST(NumConv, ValIntegerCodes) {
  int v;
  EXPECT_EQ(IntCode("123", &v), 0);
  EXPECT_EQ(v, 123);
  EXPECT_EQ(IntCode("  -42", &v), 0);
  EXPECT_EQ(v, -42);
  EXPECT_EQ(IntCode("$1F", &v), 0);
  EXPECT_EQ(v, 31);
  EXPECT_EQ(IntCode("0x10", &v), 0);
  EXPECT_EQ(v, 16);
  EXPECT_EQ(IntCode("$FFFFFFFF", &v), 0);
  EXPECT_EQ(v, -1);
  EXPECT_EQ(IntCode("12a3", &v), 3);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(IntCode("42 "), 3);
  EXPECT_EQ(IntCode(""), 1);
  EXPECT_EQ(IntCode("-"), 2);
  EXPECT_EQ(IntCode(" $"), 3);
  EXPECT_EQ(IntCode("2147483647"), 0);
  EXPECT_EQ(IntCode("2147483648"), 10);
  EXPECT_EQ(IntCode("-2147483648", &v), 0);
  EXPECT_EQ(v, std::numeric_limits<int>::min());
  int64_t big;
  int c;
  Val("-9223372036854775808", big, c);
  EXPECT_EQ(c, 0);
  EXPECT_EQ(big, std::numeric_limits<int64_t>::min());
  Val("99999999999999999999", big, c);
  EXPECT_EQ(c, 19);
}

TEST(NumConv, ValFloatCodes) {
  double v;
  EXPECT_EQ(FloatCode(" 1.5e3", &v), 0);
  EXPECT_EQ(v, 1500);
  EXPECT_EQ(FloatCode(".5", &v), 0);
  EXPECT_EQ(v, 0.5);
  EXPECT_EQ(FloatCode("-2.", &v), 0);
  EXPECT_EQ(v, -2);
  EXPECT_EQ(FloatCode("1.5x", &v), 4);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(FloatCode("1,5"), 2);  // Val always uses '.'
  EXPECT_EQ(FloatCode("1e"), 3);
  EXPECT_EQ(FloatCode("1e+"), 4);
  EXPECT_EQ(FloatCode("."), 2);
  EXPECT_EQ(FloatCode("1.2.3"), 4);
  EXPECT_EQ(FloatCode("$10"), 1);
  EXPECT_NE(FloatCode("1e400"), 0);  // too large for a double
  EXPECT_EQ(FloatCode("1e-400", &v), 0);
  EXPECT_EQ(v, 0);
}

TEST(NumConv, StrToIntAndErrors) {
  EXPECT_EQ(StrToInt(" 17"), 17);
  EXPECT_EQ(StrToInt64("$7FFFFFFFFFFFFFFF"), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(StrToIntDef("x", 9), 9);
  int v = 5;
  EXPECT_FALSE(TryStrToInt("1 2", v));
  EXPECT_TRUE(TryStrToInt("-0", v));
  EXPECT_EQ(v, 0);
  EXPECT_EQ(MessageOf([] { StrToInt("abc"); }), "'abc' is not a valid integer value");
  EXPECT_EQ(MessageOf([] { StrToInt("99999999999"); }), "'99999999999' is not a valid integer value");
  EXPECT_EQ(MessageOf([] { StrToFloat("x"); }), "'x' is not a valid floating point value");
}

TEST(NumConv, StrToFloatFollowsDecimalSeparator) {
  test::SettingsGuard guard;
  EXPECT_EQ(StrToFloat(" 1.25 "), 1.25);
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(StrToFloat("1,5"), 1.5);
  EXPECT_EQ(StrToFloat("-2,5E2"), -250);
  double v;
  EXPECT_FALSE(TryStrToFloat("1.5", v));
  EXPECT_FALSE(TryStrToFloat("1.000,5", v));  // no thousand separators
  EXPECT_EQ(MessageOf([] { StrToFloat("1.5"); }), "'1.5' is not a valid floating point value");
  TFormatSettings point;
  EXPECT_EQ(StrToFloat("1.5", point), 1.5);
  EXPECT_TRUE(std::isinf(StrToFloat("-INF")));
  EXPECT_TRUE(std::isnan(StrToFloat("nan")));
  EXPECT_EQ(StrToFloatDef("", 3), 3);
}
