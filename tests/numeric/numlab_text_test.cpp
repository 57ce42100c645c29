// Numeric label texts: every display type on chosen values, the decimal
// separator and plus sign with their exemptions, and what OnBeforeDisplay
// receives from a live label.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "../platform/rtl/SettingsGuard.h"
#include "numeric/QEL_NumLab.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/DateTime.h"

using namespace qel;

namespace {
const std::string kDeg = "\xC2\xB0";

struct NumLabText : ::testing::Test {
  test::SettingsGuard settings;  // a point as the platform's separator
  numlab::TValueFormat f;
  std::string Text(double v, TDisplay type, int precision) {
    f.Type = type;
    f.Precision = precision;
    return numlab::ValueText(v, f);
  }
};
}  // namespace

TEST_F(NumLabText, FixedPointWithCommaAndPlusSign) {
  EXPECT_EQ(Text(1234.567, dtFixP, 2), "1234.57");
  EXPECT_EQ(Text(-3, dtFixP, 0), "-3");
  EXPECT_EQ(Text(0.1, dtFixP, 15), "0.100000000000000");  // no binary noise
  f.Comma = true;
  EXPECT_EQ(Text(1234.567, dtFixP, 2), "1234,57");
  f.ForcePlusSign = true;
  EXPECT_EQ(Text(1234.567, dtFixP, 2), "+1234,57");
  EXPECT_EQ(Text(0, dtFixP, 2), "0,00");  // zero is not positive
  EXPECT_EQ(Text(-1, dtFixP, 1), "-1,0");
}

TEST_F(NumLabText, GeneralAndScientificFormsWithPrecisionZero) {
  EXPECT_EQ(Text(1234.5, dtFloat, 2), "1.2E+003");
  EXPECT_EQ(Text(1234.5, dtFloat, 5), "1234.5");
  EXPECT_EQ(Text(0.00001, dtFloat, 3), "0.00001");
  EXPECT_EQ(Text(0.000009, dtFloat, 3), "9E-006");
  EXPECT_EQ(Text(1234.5, dtExp, 3), "1.23E+003");
  EXPECT_EQ(Text(-0.5, dtExp, 2), "-5.0E-001");
  // Precision 0: one digit, like 1.
  EXPECT_EQ(Text(1234.5, dtFloat, 0), "1E+003");
  EXPECT_EQ(Text(7.3, dtFloat, 0), "7");
  EXPECT_EQ(Text(1234.5, dtExp, 0), "1E+003");
  EXPECT_EQ(Text(std::numeric_limits<double>::infinity(), dtExp, 3), "INF");
}

TEST_F(NumLabText, DecimalCommaPlatformStillFollowsComma) {
  FormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(numlab::FormatValue(1.5, f), "1,50");
  EXPECT_EQ(Text(1.5, dtFixP, 2), "1.50");
  EXPECT_EQ(Text(1234.5, dtEEng, 3), "1.23E+003");
  EXPECT_EQ(Text(12.5, dtDegMin, 1), "12" + kDeg + "30.0'");
  f.Comma = true;
  EXPECT_EQ(Text(1.5, dtFixP, 2), "1,50");
}

TEST_F(NumLabText, IntegersRoundTiesToEvenAndRefuseWhatDoesNotFit) {
  EXPECT_EQ(Text(2.5, dtInt, 2), "2");
  EXPECT_EQ(Text(3.5, dtInt, 2), "4");
  EXPECT_EQ(Text(-2.5, dtInt, 2), "-2");
  EXPECT_EQ(Text(-0.4, dtInt, 2), "0");
  EXPECT_EQ(Text(42.5, dtZeroInt, 4), "0042");
  EXPECT_EQ(Text(-7, dtZeroInt, 4), "-0007");
  EXPECT_EQ(Text(123456, dtZeroInt, 4), "123456");
  EXPECT_EQ(Text(5, dtZeroInt, 0), "5");
  EXPECT_EQ(Text(-9223372036854775808.0, dtInt, 0), "-9223372036854775808");
  f.ForcePlusSign = true;
  EXPECT_EQ(Text(1e19, dtInt, 0), "*********");  // beyond 64 bits: no "+" either
  EXPECT_EQ(Text(std::nan(""), dtInt, 0), "NAN");
}

TEST_F(NumLabText, HexBinaryAndOctal) {
  f.ForcePlusSign = true;
  f.Comma = true;
  EXPECT_EQ(Text(255, dtHex, 2), "FF");
  EXPECT_EQ(Text(254.5, dtHex, 2), "FE");
  EXPECT_EQ(Text(0, dtHex, 2), "0");
  EXPECT_EQ(Text(-1, dtHex, 2), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(Text(5, dtBin, 2), "101");
  EXPECT_EQ(Text(-2, dtBin, 2), std::string(63, '1') + "0");
  EXPECT_EQ(Text(8, dtOct, 2), "+10");  // octal takes the sign
  EXPECT_EQ(Text(-1, dtOct, 2), "1777777777777777777777");
  EXPECT_EQ(Text(1e30, dtHex, 2), "*********");
}

TEST_F(NumLabText, DateTimeAndStateAreExempt) {
  f.ForcePlusSign = true;
  f.Comma = true;
  TDateTime d = EncodeDate(2024, 3, 5);
  EXPECT_EQ(Text(d, dtDateTime, 2), "Mar-05, 2024");
  f.DTFormat = "dd.mm.yyyy";
  EXPECT_EQ(Text(d, dtDateTime, 2), "05.03.2024");
  EXPECT_EQ(Text(1e9, dtDateTime, 2), "*********");  // no such year
  f.StateText = "v1.5";
  EXPECT_EQ(Text(3, dtState, 2), "v1.5");
}

TEST_F(NumLabText, AnglesRoundOnceAtTheLastField) {
  EXPECT_EQ(Text(12.5, dtDeg, 2), "12.50" + kDeg);
  EXPECT_EQ(Text(12.5, dtDegMin, 2), "12" + kDeg + "30.00'");
  EXPECT_EQ(Text(10 + 59.9999 / 60, dtDegMin, 2), "11" + kDeg + "00.00'");
  EXPECT_EQ(Text(10 + 59.9999 / 60, dtDegMin, 4), "10" + kDeg + "59.9999'");
  EXPECT_EQ(Text(12.5125, dtDegMinSec, 1), "12" + kDeg + "30'45.0\"");
  EXPECT_EQ(Text(1 + 59.0 / 60 + 59.999 / 3600, dtDegMinSec, 2), "2" + kDeg + "00'00.00\"");
  EXPECT_EQ(Text(-0.5, dtDegMinSec, 0), "-0" + kDeg + "30'00\"");
  EXPECT_EQ(Text(-1e-7, dtDegMin, 2), "0" + kDeg + "00.00'");  // no "-0"
  EXPECT_EQ(Text(1e300, dtDegMin, 2), "*********");
  f.Comma = true;
  EXPECT_EQ(Text(12.5, dtDegMin, 2), "12" + kDeg + "30,00'");
}

TEST_F(NumLabText, EngineeringNotation) {
  EXPECT_EQ(Text(1234.5, dtEEng, 3), "1.23E+003");
  EXPECT_EQ(Text(12345, dtEEng, 3), "12.3E+003");
  EXPECT_EQ(Text(123456, dtEEng, 2), "120E+003");
  EXPECT_EQ(Text(0.0047, dtEEng, 3), "4.70E-003");
  EXPECT_EQ(Text(0.047, dtEEng, 3), "47.0E-003");
  EXPECT_EQ(Text(999.96, dtEEng, 3), "1.00E+003");
  EXPECT_EQ(Text(0, dtEEng, 3), "0.00E+000");
  EXPECT_EQ(Text(-1500, dtEEng, 2), "-1.5E+003");
  EXPECT_EQ(Text(1234.5, dtEEng, 0), "1E+003");
  EXPECT_EQ(Text(1234.5, dtEEngNoDP, 3), "1E+003");
  EXPECT_EQ(Text(47000, dtEEngNoDP, 3), "47E+003");
  EXPECT_EQ(Text(999.6, dtEEngNoDP, 3), "1E+003");
  EXPECT_EQ(Text(99.6, dtEEngNoDP, 3), "100E+000");
  EXPECT_EQ(Text(0.0047, dtEEngNoDP, 3), "5E-003");
  EXPECT_EQ(Text(-123456, dtEEngNoDP, 3), "-123E+003");
  EXPECT_EQ(Text(0, dtEEngNoDP, 3), "0E+000");
}

TEST(NumLabLive, OnBeforeDisplayReceivesTheFinishedText) {
  test::SettingsGuard settings;
  TForm form(nullptr);
  auto* lab = new TNumLab(&form);
  lab->SetParent(&form);
  form.Show();
  std::string seen;
  int calls = 0;
  lab->OnBeforeDisplay = [&](TObject* sender, std::string& text) {
    EXPECT_EQ(sender, lab);
    seen = text;
    ++calls;
  };
  lab->SetValue(1234.567);
  EXPECT_EQ(seen, "1234.57");
  lab->SetComma(true);
  EXPECT_EQ(seen, "1234,57");
  lab->SetForcePlusSign(true);
  EXPECT_EQ(seen, "+1234,57");
  lab->SetDisplayType(dtHex);
  EXPECT_EQ(seen, "4D3");
  int before = calls;
  lab->SetValue(1234.567);  // unchanged: no repaint
  EXPECT_EQ(calls, before);
  lab->SetEnabled(true);  // refreshes even though nothing changed
  EXPECT_EQ(calls, before + 1);
  lab->SetPrecision(-1);
  EXPECT_EQ(lab->GetPrecision(), 2);
  lab->SetPrecision(40);
  EXPECT_EQ(lab->GetPrecision(), 15);
}
