// The table editor's number texts: the fixed range of every precision at
// both edges, rounding ties, negative values, the scientific form with its
// shortened exponent and the row of "*" from exponent 100 on.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "ntabed/detail/CellFormat.h"

using namespace qel;

namespace {
std::string F(double x, int p, int w = 1) { return FormatCellNumber(x, w, p); }
}  // namespace

TEST(CellFormat, ExamplesOfEveryKind) {
  EXPECT_EQ(F(1234.5, 3), "1234.500");
  EXPECT_EQ(F(0, 3), "0.000");
  EXPECT_EQ(F(0.0004, 3), " 4.0E-04");
  EXPECT_EQ(F(123456.7, 3), " 1.2E+05");
  EXPECT_EQ(F(0.5, 0), " 5.0E-01");
  EXPECT_EQ(F(1, 0), "1");
  EXPECT_EQ(F(0, 0), "0");
  EXPECT_EQ(F(-0.0, 3), "0.000");  // no "-0.000"
}

// Each precision: the smallest and largest magnitude still fixed, and the
// neighbours just outside that switch to the exponent form.
TEST(CellFormat, FixedRangeEdgesForEveryPrecision) {
  struct Edge {
    int p;
    double lo;
    const char* loText;
    double below;
    const char* belowText;
    double hi;
    const char* hiText;
    double above;
    const char* aboveText;
  };
  const Edge edges[] = {
      {0, 1, "1", 0.99, " 9.9E-01", 999999999, "999999999", 1000000000, " 1.0E+09"},
      {1, 0.1, "0.1", 0.09, " 9.0E-02", 9999999.9, "9999999.9", 9999999.91, " 1.0E+07"},
      {2, 0.01, "0.01", 0.0099, " 9.9E-03", 999999.99, "999999.99", 999999.991, " 1.0E+06"},
      {3, 0.001, "0.001", 0.00099, " 9.9E-04", 99999.999, "99999.999", 99999.9991, " 1.0E+05"},
      {4, 0.0001, "0.0001", 0.000099, " 9.9E-05", 9999.9999, "9999.9999", 10000, " 1.0E+04"},
      {5, 0.00001, "0.00001", 0.0000099, " 9.9E-06", 999.99999, "999.99999", 1000, " 1.0E+03"},
      {6, 0.000001, "0.000001", 9.9e-7, " 9.9E-07", 99.999999, "99.999999", 100, " 1.0E+02"},
      {7, 0.0000001, "0.0000001", 9.9e-8, " 9.9E-08", 9.9999999, "9.9999999", 9.99999995, " 1.0E+01"},
      {8, 0.00000001, "0.00000001", 9.9e-9, " 9.9E-09", 0.99999999, "0.99999999", 1, " 1.0E+00"},
  };
  for (const Edge& e : edges) {
    SCOPED_TRACE(e.p);
    EXPECT_EQ(F(e.lo, e.p), e.loText);
    EXPECT_EQ(F(e.below, e.p), e.belowText);
    EXPECT_EQ(F(e.hi, e.p), e.hiText);
    EXPECT_EQ(F(e.above, e.p), e.aboveText);
    EXPECT_EQ(F(-e.lo, e.p), std::string("-") + e.loText);
    EXPECT_EQ(F(-e.hi, e.p), std::string("-") + e.hiText);
    EXPECT_EQ(F(-e.above, e.p), std::string("-") + (e.aboveText + 1));
    EXPECT_EQ(F(0, e.p), e.p == 0 ? "0" : "0." + std::string(size_t(e.p), '0'));
  }
  // Just inside the top edge, a value still rounds within the field.
  EXPECT_EQ(F(99999.9989, 3), "99999.999");
  // Just below the bottom edge, rounding does not bring the fixed form back.
  EXPECT_EQ(F(0.00099999, 3), " 1.0E-03");
}

TEST(CellFormat, NineAndMoreDecimalsAreAlwaysScientific) {
  for (int p : {9, 10, 255}) {
    SCOPED_TRACE(p);
    EXPECT_EQ(F(1, p), " 1.0E+00");
    EXPECT_EQ(F(0, p), " 0.0E+00");
    EXPECT_EQ(F(-42.42, p), "-4.2E+01");
  }
}

// Ties are judged on the shortest text of the double (what was typed) and
// go away from zero; values just below a tie go down.
TEST(CellFormat, TiesInTheLastDigitRoundAwayFromZero) {
  EXPECT_EQ(F(2.5, 0), "3");
  EXPECT_EQ(F(-2.5, 0), "-3");
  EXPECT_EQ(F(3.5, 0), "4");
  EXPECT_EQ(F(0.35, 1), "0.4");  // the double lies a little below 0.35
  EXPECT_EQ(F(1.005, 2), "1.01");
  EXPECT_EQ(F(-1.005, 2), "-1.01");
  EXPECT_EQ(F(0.125, 2), "0.13");
  EXPECT_EQ(F(1.0049999, 2), "1.00");
  EXPECT_EQ(F(9.9999995, 6), "10.000000");  // the carry adds a digit in front
  EXPECT_EQ(F(125000, 3), " 1.3E+05");       // mantissa 1.25
  EXPECT_EQ(F(-125000, 3), "-1.3E+05");
  EXPECT_EQ(F(9.95, 9), " 1.0E+01");  // the carry raises the exponent
}

TEST(CellFormat, ExponentNinetyNineAndOneHundred) {
  EXPECT_EQ(F(9.94e99, 3), " 9.9E+99");
  EXPECT_EQ(F(9.96e99, 3), "********");  // rounds up to 1.0E+100
  EXPECT_EQ(F(1e100, 3), "********");
  EXPECT_EQ(F(1e150, 3), "********");
  EXPECT_EQ(F(-1e150, 3), "********");
  EXPECT_EQ(F(1e-99, 3), " 1.0E-99");
  EXPECT_EQ(F(9.95e-100, 3), " 1.0E-99");  // rounds up into exponent -99
  EXPECT_EQ(F(9.94e-100, 3), "********");
  EXPECT_EQ(F(1e-100, 3), "********");
  EXPECT_EQ(F(5e-324, 3), "********");
  EXPECT_EQ(F(1e150, 3, 5), std::string(11, '*'));  // as long as the exponent form
}

TEST(CellFormat, FieldWidthPadsFixedAndLengthensTheMantissa) {
  EXPECT_EQ(F(1.5, 3, 5), "1.500");
  EXPECT_EQ(F(1.5, 3, 8), "   1.500");
  EXPECT_EQ(F(-1.5, 3, 8), "  -1.500");
  EXPECT_EQ(F(123456.7, 3, 5), " 1.2346E+05");
  EXPECT_EQ(F(0.1, 255, 20), " 1.0000000000000000000E-01");
  EXPECT_EQ(F(123456.7, 3, 2), " 1.2E+05");  // F = max(1, w - 1)
  EXPECT_EQ(F(123456.7, 3, 3), " 1.23E+05");
}

TEST(CellFormat, NonFiniteValuesAndLocaleIndependence) {
  EXPECT_EQ(F(std::numeric_limits<double>::quiet_NaN(), 3), "-nan-");
  EXPECT_EQ(F(std::numeric_limits<double>::infinity(), 3), "********");
  EXPECT_EQ(F(-std::numeric_limits<double>::infinity(), 3, 5), std::string(11, '*'));
  // A decimal-comma locale changes nothing.
  const char* old = std::setlocale(LC_ALL, nullptr);
  std::string saved = old ? old : "C";
  if (std::setlocale(LC_ALL, "de_DE.UTF-8")) {
    EXPECT_EQ(F(1234.5, 3), "1234.500");
    EXPECT_EQ(F(123456.7, 3), " 1.2E+05");
  }
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(CellFormat, RawExponentFormKeepsFourExponentDigits) {
  EXPECT_EQ(RawExponentForm(1.5, 22), " 1.5000000000000E+0000");
  EXPECT_EQ(RawExponentForm(-123.456, 22), "-1.2345600000000E+0002");
  EXPECT_EQ(RawExponentForm(1e150, 22), " 1.0000000000000E+0150");
  EXPECT_EQ(RawExponentForm(2.5e-300, 22), " 2.5000000000000E-0300");
  EXPECT_EQ(RawExponentForm(0.5, 1), " 5.0E-0001");
  EXPECT_EQ(RawExponentForm(0, 10), " 0.0E+0000");
}
