#include <gtest/gtest.h>

#include <limits>

#include "platform/rtl/NumConv.h"
#include "tests/platform/rtl/SettingsGuard.h"

using namespace qel;

class FloatFormat : public ::testing::Test {
 protected:
  test::SettingsGuard guard_;
};

TEST_F(FloatFormat, GeneralChoosesFixedOrScientific) {
  EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
  EXPECT_EQ(FloatToStr(-1.5), "-1.5");
  EXPECT_EQ(FloatToStr(100), "100");
  EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
  EXPECT_EQ(FloatToStr(1e15), "1E15");
  EXPECT_EQ(FloatToStr(1e20), "1E20");
  EXPECT_EQ(FloatToStr(0.00001), "0.00001");
  EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
  EXPECT_EQ(FloatToStr(0), "0");
  EXPECT_EQ(FloatToStr(-0.0), "0");
  EXPECT_EQ(FloatToStr(1.7976931348623157e308), "1.79769313486232E308");
  EXPECT_EQ(FloatToStrF(1234.5, ffGeneral, 2, 3), "1.2E+003");
  EXPECT_EQ(FloatToStrF(1234.5, ffGeneral, 4, 3), "1235");
  EXPECT_EQ(FloatToStrF(9999.7, ffGeneral, 4, 0), "1E4");  // rounding adds a digit
  EXPECT_EQ(FloatToStrF(-0.000001234, ffGeneral, 3, 2), "-1.23E-06");
}

TEST_F(FloatFormat, ExponentForm) {
  EXPECT_EQ(FloatToStrF(1.2e3, ffExponent, 2, 3), "1.2E+003");
  EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 3, 3), "1.23E+003");
  EXPECT_EQ(FloatToStrF(-1234.5, ffExponent, 5, 0), "-1.2345E+3");
  EXPECT_EQ(FloatToStrF(0.00015, ffExponent, 3, 4), "1.50E-0004");
  EXPECT_EQ(FloatToStrF(0, ffExponent, 4, 2), "0.000E+00");
  EXPECT_EQ(FloatToStrF(9.99, ffExponent, 2, 1), "1.0E+1");
}

TEST_F(FloatFormat, FixedAndNumberForms) {
  EXPECT_EQ(FloatToStrF(1234.5678, ffNumber, 15, 2), "1,234.57");
  EXPECT_EQ(FloatToStrF(-1234567.5, ffNumber, 15, 0), "-1,234,568");
  EXPECT_EQ(FloatToStrF(1234.5678, ffFixed, 15, 2), "1234.57");
  EXPECT_EQ(FloatToStrF(0.125, ffFixed, 15, 2), "0.13");  // half away from zero
  EXPECT_EQ(FloatToStrF(2.675, ffFixed, 15, 2), "2.67");  // 2.675 is stored just below
  EXPECT_EQ(FloatToStrF(-0.001, ffFixed, 15, 2), "0.00");  // no minus on a zero
  EXPECT_EQ(FloatToStrF(1234.5678, ffFixed, 4, 2), "1235.00");
  EXPECT_EQ(FloatToStrF(1e20, ffFixed, 15, 2), "1E20");
  EXPECT_EQ(FloatToStrF(0.5, ffFixed, 15, 0), "1");
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(FloatToStrF(1234.5678, ffNumber, 15, 2), "1.234,57");
  EXPECT_EQ(FloatToStr(2.5), "2,5");
  FormatSettings.CurrencyString = "EUR";
  FormatSettings.CurrencyFormat = 3;
  EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2), "-1.234,50 EUR");
}

TEST_F(FloatFormat, NonFiniteValues) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(FloatToStrF(inf, ffFixed, 15, 2), "INF");
  EXPECT_EQ(FloatToStrF(-inf, ffExponent, 15, 2), "-INF");
  EXPECT_EQ(FormatFloat("0.00", -inf), "-INF");
}

TEST_F(FloatFormat, PictureFormats) {
  EXPECT_EQ(FormatFloat("0", 2.5), "3");
  EXPECT_EQ(FormatFloat("000", 7), "007");
  EXPECT_EQ(FormatFloat("0.00", 1.005), "1.00");
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1,234,567.89");
  EXPECT_EQ(FormatFloat("#,##0.00", -1234.5), "-1,234.50");
  EXPECT_EQ(FormatFloat("#,##0.00", 0.5), "0.50");
  EXPECT_EQ(FormatFloat("0.###", 1.5), "1.5");
  EXPECT_EQ(FormatFloat("0.###", 2), "2");
  EXPECT_EQ(FormatFloat("0.###", 1.23456), "1.235");
  EXPECT_EQ(FormatFloat("#", 0), "");
  EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
  EXPECT_EQ(FormatFloat("#", 1234), "1234");
  EXPECT_EQ(FormatFloat(".00", 12.5), "12.50");
  EXPECT_EQ(FormatFloat("0.00E+00", 1234.5), "1.23E+03");
  EXPECT_EQ(FormatFloat("0.00E+00", 0.000123), "1.23E-04");
  EXPECT_EQ(FormatFloat("0.0E-0", 1234), "1.2E3");
  EXPECT_EQ(FormatFloat("0.00E+00", 0), "0.00E+00");
  EXPECT_EQ(FormatFloat("\"Total: \"0 'pcs'", 7), "Total: 7 pcs");
  EXPECT_EQ(FormatFloat("", 2.5), "2.5");
  EXPECT_EQ(FormatFloat("0.0", -0.01), "0.0");
}

TEST_F(FloatFormat, PictureSections) {
  const std::string f = "0.0;(0.0);\"zero\"";
  EXPECT_EQ(FormatFloat(f, 5), "5.0");
  EXPECT_EQ(FormatFloat(f, -2.25), "(2.3)");
  EXPECT_EQ(FormatFloat(f, 0), "zero");
  EXPECT_EQ(FormatFloat("0;;", -3), "-3");  // an empty negative section uses the first
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
}
