#include <gtest/gtest.h>

#include "NumIOTestUtil.h"
#include "numeric/QEL_NumIO.h"
#include "tests/platform/rtl/SettingsGuard.h"

using namespace qel;
using namespace qel::test;

namespace {
struct NumIO2Test : NumFormFixture, ::testing::Test {
  TNumIO2* field = new TNumIO2(form);
  TNumIO2* other = new TNumIO2(form);
  int changes = 0;
  NumIO2Test() {
    field->SetParent(form);
    field->SetBounds(10, 10, 160, 28);
    other->SetParent(form);
    other->SetBounds(10, 60, 160, 28);
    field->OnChange = [this](TObject*) { ++changes; };
    form->Show();
    field->SetFocus();
  }
};
}  // namespace

TEST_F(NumIO2Test, DynamicFormatTakesPrefixesWithShift) {
  field->SetInputFormat(itDynamic);
  field->SetText("");
  field->SetBeep(true);
  robot.Type("$");  // a lone '$' is no hexadecimal number
  EXPECT_EQ(field->GetText(), "");
  EXPECT_EQ(Headless().BeepCount(), 1);
  robot.Type("1");
  robot.Key(VK_HOME);
  robot.Type("$");
  EXPECT_EQ(field->GetText(), "$1");
  EXPECT_EQ(field->GetCaretPos(), 1);
  robot.Key(VK_END);
  robot.Type("f");
  EXPECT_EQ(field->GetValue(), 31);
  robot.Key(VK_HOME);
  robot.Key(VK_DELETE);  // "1F" would be no decimal number
  EXPECT_EQ(field->GetText(), "$1F");
  robot.Key(VK_END);
  robot.Key(VK_BACK);
  EXPECT_EQ(field->GetText(), "$1");
  EXPECT_EQ(Headless().BeepCount(), 2);
  EXPECT_EQ(changes, 4);
  field->SetText("");
  robot.Type("101");
  robot.Key(VK_HOME);
  robot.Key('5', {ssShift});  // the field maps keys, whatever the key cap shows
  EXPECT_EQ(field->GetText(), "%101");
  EXPECT_EQ(field->GetValue(), 5);
  field->SetText("");
  robot.Type("17");
  robot.Key(VK_HOME);
  robot.Key('6', {ssShift});
  EXPECT_EQ(field->GetText(), "&17");
  EXPECT_EQ(field->GetValue(), 15);
  field->SetText("");
  robot.Type("11");
  robot.Key(VK_HOME);
  robot.Key(VK_NUMPAD0 + 5, {ssShift});  // the numeric pad shifts the same way
  EXPECT_EQ(field->GetText(), "%11");
}

TEST_F(NumIO2Test, CaretKeysMoveWithinTheText) {
  field->SetText("123");
  robot.Key(VK_END);
  EXPECT_EQ(field->GetCaretPos(), 3);
  robot.Key(VK_UP);
  EXPECT_EQ(field->GetCaretPos(), 2);
  robot.Key(VK_LEFT);
  EXPECT_EQ(field->GetCaretPos(), 1);
  robot.Key(VK_DOWN);
  EXPECT_EQ(field->GetCaretPos(), 2);
  robot.Key(VK_RIGHT);
  robot.Key(VK_DOWN);  // no further than the end
  EXPECT_EQ(field->GetCaretPos(), 3);
  robot.Key(VK_HOME);
  robot.Key(VK_UP);  // no further than the start
  EXPECT_EQ(field->GetCaretPos(), 0);
  robot.Type("9");
  EXPECT_EQ(field->GetText(), "9123");
  EXPECT_EQ(changes, 1);  // moving the caret is no change
}

// Each case types its keys into an empty exponent field: what stays is the
// longest typed prefix that is a number or could still become one.
TEST_F(NumIO2Test, ExponentFieldKeepsOnlyANumberOrTheStartOfOne) {
  field->SetInputFormat(itExp);
  const struct {
    const char* typed;
    const char* kept;
  } cases[] = {
      {"1ABC-+-", "1"},     // nothing may trail the mantissa
      {"1.E5", "1.E5"},     // the mark right after the separator
      {"2.5E-3", "2.5E-3"}, // after fraction digits, with a sign
      {"7E+45", "7E+45"},   // sign, then several exponent digits
      {"7E4-", "7E4"},      // nothing may trail the exponent either
      {"7E4.E", "7E4"},
      {"7E.E", "7E"},       // after the mark only a sign or a digit
      {"7E+-.E", "7E+"},    // after the exponent sign only a digit
      {"E5", "5"},          // no exponent without a mantissa
  };
  for (const auto& c : cases) {
    field->SetText("");
    robot.Type(c.typed);
    EXPECT_EQ(field->GetText(), c.kept) << c.typed;
  }
  field->SetText("2.5E-3");
  EXPECT_EQ(field->GetValue(), 0.0025);
  field->SetText("1.E5");
  EXPECT_EQ(field->GetValue(), 1e5);
}

TEST_F(NumIO2Test, RefusedKeysRestoreTextAndCaret) {
  robot.Type("12");
  robot.Key(VK_LEFT);
  robot.Type("-");
  EXPECT_EQ(field->GetText(), "12");
  EXPECT_EQ(field->GetCaretPos(), 1);
  EXPECT_EQ(Headless().BeepCount(), 0);  // no beep unless asked for
  field->SetBeep(true);
  robot.Key(VK_F2);
  EXPECT_EQ(Headless().BeepCount(), 1);
  EXPECT_EQ(changes, 2);
}

TEST_F(NumIO2Test, SeparatorModeDecidesWhichKeysAreTaken) {
  field->SetDecPlaceSep(dsPoint);
  robot.Type("1,5");
  EXPECT_EQ(field->GetText(), "15");
  field->SetText("");
  field->SetDecPlaceSep(dsBoth);
  robot.Type("1,5");
  EXPECT_EQ(field->GetText(), "1,5");
  EXPECT_EQ(field->GetValue(), 1.5);
  field->SetDecPlaceSep(dsPoint);  // the text follows the new separator
  EXPECT_EQ(field->GetText(), "1.5");
  field->SetDecPlaceSep(dsComma);
  EXPECT_EQ(field->GetText(), "1,5");
}

TEST_F(NumIO2Test, CommaSeparatorFieldsStayEditable) {
  test::SettingsGuard guard;
  field->SetInputFormat(itFixPoint);
  field->SetDecPlaceSep(dsComma);
  field->SetValue(12.5);
  EXPECT_EQ(field->GetText(), "12,50");
  robot.Key(VK_HOME);
  robot.Key(VK_RIGHT);
  EXPECT_EQ(field->GetCaretPos(), 1);
  robot.Key(VK_RIGHT);
  robot.Key(VK_RIGHT);
  robot.Type("7");
  EXPECT_EQ(field->GetText(), "12,70");
  EXPECT_EQ(field->GetValue(), 12.7);
  FormatSettings.DecimalSeparator = ',';  // a comma locale with the default mode
  field->SetDecPlaceSep(dsSystem);
  field->SetValue(3.25);
  EXPECT_EQ(field->GetText(), "3,25");
  robot.Key(VK_HOME);
  robot.Type("1");
  EXPECT_EQ(field->GetText(), "13,25");
  field->SetInputFormat(itFloat);
  robot.Key(VK_END);
  robot.Type("5");
  EXPECT_EQ(field->GetText(), "13,255");
  EXPECT_EQ(field->GetValue(), 13.255);
  field->SetInputFormat(itExp);
  EXPECT_EQ(field->GetText(), " 1,32550E+01");
  robot.Key(VK_END);
  robot.Key(VK_BACK);
  EXPECT_EQ(field->GetText(), " 1,32550E+0");
  EXPECT_EQ(changes, 4);
}

TEST_F(NumIO2Test, LoneSignIsKeptInEveryFormat) {
  for (TInFormat f : {itExp, itFloat, itFixPoint, itInt, itHex, itOct, itBin, itDynamic}) {
    field->SetInputFormat(f);
    field->SetText("");
    robot.Type("-");
    EXPECT_EQ(field->GetText(), "-") << int(f);
    EXPECT_EQ(field->GetValue(), 0) << int(f);
    robot.Key(VK_BACK);
    robot.Type("+");
    EXPECT_EQ(field->GetText(), "+") << int(f);
  }
}

TEST_F(NumIO2Test, FixedPointDigitReplacesTheNextDecimal) {
  field->SetInputFormat(itFixPoint);
  field->SetValue(12.5);
  EXPECT_EQ(field->GetText(), "12.50");
  robot.Key(VK_HOME);
  robot.Key(VK_RIGHT);
  robot.Key(VK_RIGHT);
  robot.Key(VK_RIGHT);  // behind the point: the next decimal is selected
  EXPECT_EQ(field->GetSelBegin(), 3);
  EXPECT_EQ(field->GetSelEnd(), 4);
  robot.Type("7");
  EXPECT_EQ(field->GetText(), "12.70");
  robot.Type("3");
  EXPECT_EQ(field->GetText(), "12.73");
  robot.Type("9");  // a third decimal does not fit
  EXPECT_EQ(field->GetText(), "12.73");
}

TEST_F(NumIO2Test, ClipboardKeys) {
  field->SetText("123.5");
  field->SetSelBegin(1);
  field->SetSelEnd(3);
  field->SetReadOnly(true);
  robot.Key('C', {ssCtrl});
  EXPECT_EQ(Clipboard()->GetAsText(), "23");
  robot.Type("9");
  robot.Key('X', {ssCtrl});
  EXPECT_EQ(field->GetText(), "123.5");
  EXPECT_EQ(Headless().BeepCount(), 0);
  field->SetReadOnly(false);
  Clipboard()->SetAsText("77");
  field->SetSelEnd(5);
  robot.Key('V', {ssCtrl});  // pasted at the caret, the selection stays
  EXPECT_EQ(field->GetText(), "123.577");
  Clipboard()->SetAsText("x");
  robot.Key('V', {ssCtrl});
  EXPECT_EQ(field->GetText(), "123.577");
  field->SetSelBegin(0);
  field->SetSelEnd(7);
  robot.Key('X', {ssCtrl});  // cutting everything leaves the format's zero
  EXPECT_EQ(Clipboard()->GetAsText(), "123.577");
  EXPECT_EQ(field->GetText(), "0.00");
  EXPECT_EQ(changes, 2);
}

TEST_F(NumIO2Test, ShorterValueTextKeepsEditingSafe) {
  field->SetInputFormat(itInt);
  field->SetText("12345");
  field->SetSelBegin(2);
  field->SetSelEnd(5);
  field->SetValue(7);  // caret and selection now lie beyond the text
  robot.Key('C', {ssCtrl});
  robot.Type("8");
  EXPECT_EQ(field->GetText(), "78");
  robot.Key(VK_BACK);
  EXPECT_EQ(field->GetText(), "7");
}

TEST_F(NumIO2Test, ShorterTextKeepsTheReadOnlyCopySafe) {
  field->SetText("123456.75");
  field->SetSelBegin(5);
  field->SetSelEnd(9);
  field->SetValue(3);  // "3.00": the selection lies beyond the text
  field->SetReadOnly(true);
  Clipboard()->SetAsText("old");
  EXPECT_NO_THROW(robot.Key('C', {ssCtrl}));
  EXPECT_EQ(Clipboard()->GetAsText(), "old");  // nothing left to copy
  field->SetReadOnly(false);
  field->SetText("123456.75");
  field->SetSelBegin(1);
  field->SetSelEnd(9);
  field->SetInputFormat(itInt);  // "123457"
  field->SetReadOnly(true);
  EXPECT_NO_THROW(robot.Key('C', {ssCtrl}));
  EXPECT_EQ(Clipboard()->GetAsText(), "23457");  // what is left of the selection
  field->SetReadOnly(false);
  robot.Key(VK_END);
  robot.Type("8");
  EXPECT_EQ(field->GetText(), "1234578");
}

TEST_F(NumIO2Test, PropertyClampsAndRangeCoupling) {
  field->SetHeight(10);
  EXPECT_EQ(field->GetHeight(), 18);
  field->SetHeight(28);
  field->SetButHeight(40);
  EXPECT_EQ(field->GetButHeight(), 28);
  field->SetHeight(20);
  EXPECT_EQ(field->GetButHeight(), 20);
  field->SetFixPointDecPlaces(20);
  EXPECT_EQ(field->GetFixPointDecPlaces(), 15);
  field->SetFixPointDecPlaces(0);
  EXPECT_EQ(field->GetFixPointDecPlaces(), 15);
  field->SetFixPointDecPlaces(3);
  field->SetValue(1);
  EXPECT_EQ(field->GetText(), "1.000");
  field->SetRangeLow(2000);
  EXPECT_EQ(field->GetRangeHigh(), 2000);
  field->SetRangeHigh(-1);
  EXPECT_EQ(field->GetRangeLow(), -1);
  field->SetLeftSpace(-4);
  EXPECT_EQ(field->GetLeftSpace(), 35);
  field->SetLeftSpace(500);
  EXPECT_EQ(field->GetLeftSpace(), 160);
  field->SetButWidth(2);
  EXPECT_EQ(field->GetButWidth(), 8);
  field->SetGaugeWidth(5);
  EXPECT_EQ(field->GetGaugeWidth(), 10);
  field->SetText("abc");  // invalid text is ignored
  EXPECT_EQ(field->GetText(), "1.000");
}

TEST_F(NumIO2Test, ValueInEachFormat) {
  field->SetValue(-1);
  field->SetInputFormat(itHex);
  EXPECT_EQ(field->GetText(), "FFFFFFFF");
  EXPECT_EQ(field->GetValue(), -1);
  field->SetInputFormat(itBin);
  EXPECT_EQ(field->GetText(), std::string(32, '1'));
  field->SetInputFormat(itExp);
  EXPECT_EQ(field->GetText(), "-1.00000E+00");
  field->SetInputFormat(itInt);
  field->SetValue(2.5);
  EXPECT_EQ(field->GetText(), "2");
  field->SetText("99999999999");
  EXPECT_EQ(field->GetValue(), 2147483647);
  field->SetInputFormat(itDynamic);
  field->SetText("&17");
  EXPECT_EQ(field->GetValue(), 15);
  field->SetValue(3e12);
  EXPECT_EQ(field->GetText(), "3000000000000");
  EXPECT_THROW(field->GetNioIntValue(), EQELNumIO2Error);
  field->SetName("Amount");
  try {
    field->GetNioIntValue();
  } catch (const EQELNumIO2Error& e) {
    EXPECT_STREQ(e.what(), "Component \"Amount\": integer overflow");
  }
  field->SetValue(-7.5);
  EXPECT_EQ(field->GetNioIntValue(), -8);
}

TEST_F(NumIO2Test, SpinButtonsStepAndWalkDiscreteValues) {
  field->SetButVisible(true);
  field->SetRangeLow(0);
  field->SetRangeHigh(2);
  const int bx = 35 + 80 + 3 + 9;  // centre of the button column
  field->SetValue(1.5);
  robot.Click(field, bx, 5);
  EXPECT_EQ(field->GetValue(), 2);  // clamped to the range
  robot.Click(field, bx, 20);
  EXPECT_EQ(field->GetValue(), 1);
  EXPECT_EQ(changes, 2);
  field->DiscreteValues = {0, 0.5, 1};
  field->SetValue(0.5);
  robot.Click(field, bx, 5);
  EXPECT_EQ(field->GetValue(), 1);
  robot.Click(field, bx, 5);
  EXPECT_EQ(field->GetValue(), 1);
  field->SetValue(0.5);
  robot.Click(field, bx, 20);
  EXPECT_EQ(field->GetValue(), 0);
  field->SetValue(0.74);  // nearest is 0.5; it lies above it, so up goes on to 1
  robot.Click(field, bx, 5);
  EXPECT_EQ(field->GetValue(), 1);
  field->SetReadOnly(true);
  robot.Click(field, bx, 20);
  EXPECT_EQ(field->GetValue(), 1);
}

TEST_F(NumIO2Test, GaugePressAndDrag) {
  field->SetHeight(40);
  field->SetGaugeVisible(true);
  field->SetRangeLow(-10);
  field->SetRangeHigh(10);
  const int y = 40 - 3;  // inside the band: D = 8 + 3 + 1
  std::vector<double> seen;
  field->OnGaugeChange = [&](TObject*, TShiftState s, double v) {
    EXPECT_TRUE(s.Contains(ssLeft));
    seen.push_back(v);
  };
  robot.Press(field, 35, y);
  EXPECT_EQ(field->GetValue(), -10);
  EXPECT_EQ(changes, 0);
  robot.Release(field, 35, y);
  EXPECT_EQ(changes, 1);
  robot.Click(field, 35 + 82, y);
  EXPECT_EQ(field->GetValue(), 10);
  robot.Drag(field, 35, y, 35 + 82 + 1, y, 2);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NEAR(seen[0], 0, 0.2);
  EXPECT_EQ(seen[1], 10);
  EXPECT_EQ(changes, 3);
  field->DiscreteValues = {-10, -2, 7};
  robot.Click(field, 35 + 41, y);  // the middle snaps to the nearest entry
  EXPECT_EQ(field->GetValue(), -2);
}

TEST_F(NumIO2Test, GaugeDragReachesOnePixelPastEachEndWhilePressesDoNot) {
  field->SetHeight(40);
  field->SetGaugeVisible(true);
  field->SetRangeLow(-10);
  field->SetRangeHigh(10);
  field->SetValue(3);
  const int y = 40 - 3, first = 35, last = 35 + 82;
  int gaugeEvents = 0;
  field->OnGaugeChange = [&](TObject*, TShiftState, double) { ++gaugeEvents; };
  robot.Press(field, first - 1, y);  // a press takes only the gauge itself
  EXPECT_EQ(field->GetValue(), 3);
  robot.Release(field, first - 1, y);
  EXPECT_EQ(changes, 0);
  robot.Drag(field, first + 10, y, first - 1, y, 1);  // a drag takes one pixel more
  EXPECT_EQ(gaugeEvents, 1);
  EXPECT_EQ(field->GetValue(), -10);
  robot.Drag(field, first + 10, y, first - 2, y, 1);
  EXPECT_EQ(gaugeEvents, 1);
  const double before = field->GetValue();
  robot.Press(field, last + 1, y);
  EXPECT_EQ(field->GetValue(), before);
  robot.Release(field, last + 1, y);
  robot.Drag(field, first + 10, y, last + 2, y, 1);
  EXPECT_EQ(gaugeEvents, 1);
  robot.Drag(field, first + 10, y, last + 1, y, 1);
  EXPECT_EQ(gaugeEvents, 2);
  EXPECT_EQ(field->GetValue(), 10);
}

TEST_F(NumIO2Test, MouseSelectsCharacters) {
  field->SetAlignment(taLeftJustify);
  field->SetText("1234");
  int x0 = field->CharPosToXCoords(0), x4 = field->CharPosToXCoords(4);
  EXPECT_EQ(x0, 35 + 4);
  EXPECT_EQ(field->XCoordsToCharPos(x0), 0);
  EXPECT_EQ(field->XCoordsToCharPos(x4), 4);
  EXPECT_EQ(field->XCoordsToCharPos(-50), 0);
  EXPECT_EQ(field->XCoordsToCharPos(500), 4);
  robot.Drag(field, x0, 14, x4, 14);
  EXPECT_EQ(field->GetSelBegin(), 0);
  EXPECT_EQ(field->GetSelEnd(), 4);
  field->SetText("");
  EXPECT_EQ(field->XCoordsToCharPos(60), 0);
}

TEST_F(NumIO2Test, CaretBlinksWhileFocusedAndStopsWithoutFocus) {
  other->SetReadOnly(true);  // its focus starts no timer
  field->SetFocus();
  ASSERT_TRUE(field->CaretVisible());
  Headless().AdvanceTime(500);
  EXPECT_FALSE(field->CaretVisible());
  Headless().AdvanceTime(500);
  EXPECT_TRUE(field->CaretVisible());
  int timers = Application->ActiveTimerCount();
  other->SetFocus();
  Headless().AdvanceTime(500);
  EXPECT_FALSE(field->CaretVisible());
  EXPECT_EQ(Application->ActiveTimerCount(), timers - 1);
  Headless().AdvanceTime(1500);
  EXPECT_FALSE(field->CaretVisible());
  robot.Key(VK_TAB, {ssShift});  // back to the first field, which restarts its caret
  EXPECT_TRUE(field->Focused());
  Headless().AdvanceTime(500);
  EXPECT_FALSE(field->CaretVisible());
  field->SetReadOnly(true);
  Headless().AdvanceTime(500);
  EXPECT_FALSE(field->CaretVisible());
}

TEST_F(NumIO2Test, RefusedTimerRaisesWithTheComponentName) {
  Application->SetRefuseTimers(true);
  try {
    TNumIO2 refused(form);
    ADD_FAILURE() << "no exception";
  } catch (const EQELNumIO2Error& e) {
    EXPECT_STREQ(e.what(), "Component \"\": no timer available");
  }
  field->SetName("Speed");
  field->SetReadOnly(true);  // stopping needs no timer
  try {
    field->SetReadOnly(false);
    ADD_FAILURE() << "no exception";
  } catch (const EQELNumIO2Error& e) {
    EXPECT_STREQ(e.what(), "Component \"Speed\": no timer available");
  }
  Application->SetRefuseTimers(false);
}

TEST_F(NumIO2Test, AssignCopiesTextAndLookButNotButtonsOrGauge) {
  field->SetText("4.25");
  field->SetLeftText("Speed");
  field->SetRangeHigh(5);
  field->SetButVisible(true);
  field->SetColorScheme(csSystem);
  other->Assign(field);
  EXPECT_EQ(other->GetText(), "4.25");
  EXPECT_EQ(other->GetLeftText(), "Speed");
  EXPECT_EQ(other->GetRangeHigh(), 5);
  EXPECT_EQ(other->GetColorScheme(), csSystem);
  EXPECT_FALSE(other->GetButVisible());
  TNumIO2 third(form);
  field->AssignTo(&third);
  EXPECT_EQ(third.GetText(), "4.25");
}
