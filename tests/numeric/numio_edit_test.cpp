#include <gtest/gtest.h>

#include "NumIOTestUtil.h"
#include "numeric/QEL_NumIO.h"
#include "tests/platform/rtl/SettingsGuard.h"

using namespace qel;
using namespace qel::test;

namespace {
struct NumIOTest : NumFormFixture, ::testing::Test {
  TNumIO* field = new TNumIO(form);
  int changes = 0;
  NumIOTest() {
    field->SetParent(form);
    field->SetBounds(10, 10, 150, field->GetHeight());
    field->OnChange = [this](TObject*) { ++changes; };
    form->Show();
    field->SetFocus();
  }
  void Range(double low, double high) {
    field->SetRangeLow(low);
    field->SetRangeHigh(high);
  }
  bool Convert(const std::string& s, double& v) { return field->ConvertNumString(s, v); }
};
}  // namespace

TEST_F(NumIOTest, RunTimeFieldStartsWithTheZeroRange) {
  EXPECT_EQ(field->GetRangeLow(), 0);
  EXPECT_EQ(field->GetRangeHigh(), 0);
  robot.Type("5");
  EXPECT_EQ(field->GetText(), "");
  robot.Type("-");  // scans as 0, which always passes
  EXPECT_EQ(field->GetText(), "-");
  TForm designer(nullptr);
  designer.SetDesigning(true);
  TNumIO designed(&designer);
  EXPECT_EQ(designed.GetRangeLow(), -uc_MaxDouble);
  EXPECT_EQ(designed.GetRangeHigh(), uc_MaxDouble);
}

TEST_F(NumIOTest, RefusedKeysRestoreTextAndCaretAndBeepOnRequest) {
  Range(-100, 100);
  field->SetInputFormat(itExp);
  robot.Type("12");
  EXPECT_EQ(changes, 2);
  robot.Key(VK_LEFT);
  robot.Type("x");
  EXPECT_EQ(field->GetText(), "12");
  EXPECT_EQ(field->GetSelStart(), 1);
  EXPECT_EQ(Headless().BeepCount(), 0);
  field->SetBeep(true);
  robot.Type("9");  // 192 is out of range
  EXPECT_EQ(field->GetText(), "12");
  EXPECT_EQ(field->GetSelStart(), 1);
  EXPECT_EQ(Headless().BeepCount(), 1);
  EXPECT_EQ(changes, 2);
  robot.Key(VK_END);
  robot.Type(".5e-");  // an open exponent reads as the mantissa
  EXPECT_EQ(field->GetText(), "12.5e-");
  EXPECT_EQ(field->GetLabValue(), 12.5);
  robot.Type(" ");
  EXPECT_EQ(field->GetText(), "12.5e-");
}

TEST_F(NumIOTest, ConvertNumStringNeedsTheWholeTrimmedText) {
  double v = 7;
  EXPECT_FALSE(Convert("", v));
  EXPECT_EQ(v, 7);
  EXPECT_TRUE(Convert("  12", v));
  EXPECT_EQ(v, 12);
  EXPECT_FALSE(Convert("1 2", v));
  EXPECT_TRUE(Convert("   ", v));
  EXPECT_EQ(v, 0);
  EXPECT_TRUE(Convert("1.5E", v));
  EXPECT_EQ(v, 1.5);
  EXPECT_FALSE(Convert("1.5x", v));
  EXPECT_TRUE(Convert("$FF", v));
  EXPECT_EQ(v, 255);
  EXPECT_TRUE(Convert("%101", v));
  EXPECT_EQ(v, 5);
  EXPECT_TRUE(Convert("&17", v));
  EXPECT_EQ(v, 15);
  EXPECT_FALSE(Convert("$", v));
  EXPECT_FALSE(Convert("$fg", v));
  EXPECT_FALSE(Convert("%102", v));
  EXPECT_TRUE(Convert("$ffffffff", v));
  EXPECT_EQ(v, -1);
  field->SetInputFormat(itHex);
  EXPECT_TRUE(Convert("aB", v));
  EXPECT_EQ(v, 171);
  EXPECT_FALSE(Convert("$ab", v));  // the prefix belongs to the dynamic format
  field->SetInputFormat(itOct);
  EXPECT_FALSE(Convert("8", v));
  field->SetInputFormat(itInt);
  EXPECT_TRUE(Convert("-42", v));
  EXPECT_EQ(v, -42);
  EXPECT_FALSE(Convert("4.2", v));
  field->SetInputFormat(itFloat);
  EXPECT_FALSE(Convert("1e5", v));
  field->SetDecPlaceSep(dsComma);
  EXPECT_TRUE(Convert("1,5", v));
  EXPECT_EQ(v, 1.5);
  EXPECT_FALSE(Convert("1.5", v));
}

TEST_F(NumIOTest, FixedPointCutsAndReformatsTheDecimals) {
  Range(0, 1000);
  field->SetInputFormat(itFixPoint);
  field->SetLabValue(12.5);
  EXPECT_EQ(field->GetText(), "12.50");
  field->SetSelStart(3);
  robot.Type("7");  // 12.750: the third decimal is cut
  EXPECT_EQ(field->GetText(), "12.75");
  EXPECT_EQ(field->GetSelStart(), 4);
  EXPECT_EQ(field->GetLabValue(), 12.75);
  robot.Type(".");  // a second point: back to the last valid text
  EXPECT_EQ(field->GetText(), "12.75");
  robot.Key(VK_HOME);
  robot.Type("9");
  EXPECT_EQ(field->GetText(), "912.75");
  EXPECT_EQ(changes, 2);
  robot.Key(VK_HOME);
  robot.Type("9");  // 9912.75 is out of range
  EXPECT_EQ(field->GetText(), "912.75");
  field->SetLabValue(12.34);
  field->SetSelStart(5);
  robot.Type("9");  // 12.349 would round to 12.35: a digit the user did not touch
  EXPECT_EQ(field->GetText(), "12.34");
  EXPECT_EQ(field->GetSelStart(), 5);
  EXPECT_EQ(field->GetLabValue(), 12.34);
}

TEST_F(NumIOTest, RefusedChangeGoesBackToTheTextTheProgramSet) {
  Range(0, 100);
  field->SetInputFormat(itInt);
  field->SetLabValue(42);
  Clipboard()->SetAsText("x");
  field->SetSelStart(2);
  robot.Key('V', {ssCtrl});
  EXPECT_EQ(field->GetText(), "42");
  field->SetEditText("7");
  robot.Key(VK_END);
  robot.Type("x");
  EXPECT_EQ(field->GetText(), "7");
  robot.Type("5");  // still editable
  EXPECT_EQ(field->GetText(), "75");
  EXPECT_EQ(changes, 1);
}

TEST_F(NumIOTest, CommaSeparatorIsReadAndWritten) {
  test::SettingsGuard guard;
  Range(0, 100);
  field->SetInputFormat(itFloat);
  field->SetDecPlaceSep(dsComma);
  robot.Type("3,5");
  EXPECT_EQ(field->GetText(), "3,5");
  EXPECT_EQ(field->GetLabValue(), 3.5);
  field->SetEditText("3.");  // the other separator still reads, as a comma does in point mode
  EXPECT_EQ(field->GetLabValue(), 3);
  field->SetLabValue(0.25);  // a text the field itself accepts
  EXPECT_EQ(field->GetText(), "0,25000000");
  robot.Key(VK_END);
  robot.Type("1");
  EXPECT_EQ(field->GetText(), "0,250000001");
  FormatSettings.DecimalSeparator = ',';  // a comma locale with the default mode
  field->SetDecPlaceSep(dsSystem);
  field->SetEditText("");
  robot.Type("4,75");
  EXPECT_EQ(field->GetLabValue(), 4.75);
  field->SetInputFormat(itFixPoint);
  EXPECT_EQ(field->GetText(), "4,75");
  robot.Key(VK_END);
  robot.Type("9");
  EXPECT_EQ(field->GetText(), "4,75");
  robot.Key(VK_HOME);
  robot.Type("1");
  EXPECT_EQ(field->GetText(), "14,75");
  robot.Type(",");  // a second separator
  EXPECT_EQ(field->GetText(), "14,75");
  EXPECT_EQ(field->GetLabValue(), 14.75);
  field->SetDecPlaceSep(dsBoth);  // either is taken; the point is written
  EXPECT_EQ(field->GetText(), "14.75");
  EXPECT_EQ(field->GetLabValue(), 14.75);
}

TEST_F(NumIOTest, SetLabValueWritesEachFormat) {
  field->SetInputFormat(itHex);
  field->SetLabValue(255);
  EXPECT_EQ(field->GetText(), "000000FF");
  field->SetLabValue(-1);
  EXPECT_EQ(field->GetText(), "FFFFFFFF");
  field->SetInputFormat(itInt);
  field->SetLabValue(12.4);
  EXPECT_EQ(field->GetText(), "12");
  field->SetInputFormat(itOct);
  field->SetLabValue(8);
  EXPECT_EQ(field->GetText(), "00000010");
  field->SetInputFormat(itBin);
  field->SetLabValue(5);
  EXPECT_EQ(field->GetText(), "00000101");
  field->SetInputFormat(itDynamic);
  field->SetLabValue(1234.5678);
  EXPECT_EQ(field->GetText(), " 1.23457E+03");
  field->SetInputFormat(itFloat);
  field->SetLabValue(0.5);
  EXPECT_EQ(field->GetText(), "0.50000000");
  EXPECT_EQ(changes, 0);  // the program's texts are not changes of the user
}

TEST_F(NumIOTest, ProgrammaticTextDoesNotSwallowTheNextUserChange) {
  Range(0, 100);
  field->SetInputFormat(itInt);
  robot.Type("5");
  field->SetLabValue(5);  // the same text again: no notification follows
  robot.Type("x");
  EXPECT_EQ(field->GetText(), "5");
}

TEST_F(NumIOTest, GetLabValueTakesACommaAndAnOpenPoint) {
  Range(0, 100);
  field->SetInputFormat(itFloat);
  field->SetEditText("3,");
  EXPECT_EQ(field->GetLabValue(), 3);
  field->SetEditText("abc");
  EXPECT_EQ(field->GetLabValue(), 0);
}

TEST_F(NumIOTest, RangeSettersSwapAndFormatChangesRevalidate) {
  field->SetRangeLow(10);  // above the high end: the ends swap
  EXPECT_EQ(field->GetRangeLow(), 0);
  EXPECT_EQ(field->GetRangeHigh(), 10);
  field->SetRangeHigh(-5);
  EXPECT_EQ(field->GetRangeLow(), -5);
  EXPECT_EQ(field->GetRangeHigh(), 0);
  Range(-100, 100);
  field->SetInputFormat(itExp);
  robot.Type("2.5");
  field->SetInputFormat(itInt);  // 2.5 is no integer and no valid text went before
  EXPECT_EQ(field->GetText(), "");
  field->SetFixPointDecPlaces(0);
  EXPECT_EQ(field->GetFixPointDecPlaces(), 1);
  field->SetFixPointDecPlaces(9);
  EXPECT_EQ(field->GetFixPointDecPlaces(), 8);
}

TEST_F(NumIOTest, AssignCopiesTheNumericSettings) {
  Range(-3, 3);
  field->SetInputFormat(itOct);
  field->SetBeep(true);
  field->SetDecPlaceSep(dsBoth);
  TNumIO copy(form);
  copy.Assign(field);
  EXPECT_EQ(copy.GetInputFormat(), itOct);
  EXPECT_TRUE(copy.GetBeep());
  EXPECT_EQ(copy.GetRangeLow(), -3);
  EXPECT_EQ(copy.GetRangeHigh(), 3);
  EXPECT_EQ(copy.GetDecPlaceSep(), dsBoth);
  TNumIO other(form);
  field->AssignTo(&other);
  EXPECT_EQ(other.GetInputFormat(), itOct);
}
