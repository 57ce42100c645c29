// The field remembers its value and the validity of its text between
// changes: every way the text changes must make it read them again.
#include <gtest/gtest.h>

#include "NumIOTestUtil.h"
#include "numeric/QEL_NumIO.h"
#include "tests/platform/rtl/SettingsGuard.h"

using namespace qel;
using namespace qel::test;

namespace {
struct NumIO2MemoTest : NumFormFixture, ::testing::Test {
  TNumIO2* field = new TNumIO2(form);
  TNumIO2* other = new TNumIO2(form);
  NumIO2MemoTest() {
    field->SetParent(form);
    field->SetBounds(10, 10, 160, 40);
    other->SetParent(form);
    other->SetBounds(10, 60, 160, 28);
    form->Show();
    field->SetFocus();
  }
};

std::string Digits(int Length) {
  std::string s(size_t(Length), '0');
  for (int i = 0; i < Length; ++i) s[size_t(i)] = char('1' + i % 9);
  return s;
}
}  // namespace

TEST_F(NumIO2MemoTest, ValueFollowsEveryChangeOfTheText) {
  field->SetText("12");
  EXPECT_EQ(field->GetValue(), 12);
  robot.Key(VK_END);
  robot.Type("3");
  EXPECT_EQ(field->GetValue(), 123);
  robot.Key(VK_BACK);
  EXPECT_EQ(field->GetValue(), 12);
  robot.Key(VK_HOME);
  robot.Key(VK_DELETE);
  EXPECT_EQ(field->GetValue(), 2);
  Clipboard()->SetAsText("45");
  robot.Key('V', {ssCtrl});
  EXPECT_EQ(field->GetValue(), 452);
  field->SetSelBegin(0);
  field->SetSelEnd(1);
  robot.Key('X', {ssCtrl});
  EXPECT_EQ(field->GetText(), "52");
  EXPECT_EQ(field->GetValue(), 52);
  field->SetValue(7.5);
  EXPECT_EQ(field->GetValue(), 7.5);
  field->SetInputFormat(itInt);  // "8": ties round to even
  EXPECT_EQ(field->GetValue(), 8);
  field->SetInputFormat(itHex);
  EXPECT_EQ(field->GetText(), "00000008");
  robot.Key(VK_END);
  robot.Type("0");  // the same digits now read in base 16
  EXPECT_EQ(field->GetValue(), 0x80);
  field->SetInputFormat(itFloat);
  field->SetText("1,5");
  EXPECT_EQ(field->GetValue(), 1.5);
  field->SetDecPlaceSep(dsPoint);
  EXPECT_EQ(field->GetText(), "1.5");
  EXPECT_EQ(field->GetValue(), 1.5);

  field->SetButVisible(true);
  const int bx = 35 + 80 + 3 + 9;  // centre of the button column
  robot.Click(field, bx, 5);
  EXPECT_EQ(field->GetValue(), 2.5);
  robot.Click(field, bx, 20);
  robot.Click(field, bx, 20);
  EXPECT_EQ(field->GetValue(), 0.5);
  field->SetButVisible(false);

  field->SetGaugeVisible(true);
  field->SetRangeLow(-10);
  field->SetRangeHigh(10);
  robot.Click(field, 35 + 82, 40 - 3);
  EXPECT_EQ(field->GetValue(), 10);
  robot.Click(field, 35, 40 - 3);
  EXPECT_EQ(field->GetValue(), -10);

  other->SetText("99");
  EXPECT_EQ(other->GetValue(), 99);
  other->Assign(field);
  EXPECT_EQ(other->GetValue(), -10);
}

TEST_F(NumIO2MemoTest, KeysAreCheckedAgainstTheTextAndSettingsOfTheMoment) {
  SettingsGuard settings;
  FormatSettings.DecimalSeparator = '.';
  field->SetDecPlaceSep(dsSystem);
  field->SetText("1.5");
  robot.Key(VK_RIGHT);
  EXPECT_EQ(field->GetCaretPos(), 1);
  FormatSettings.DecimalSeparator = ',';  // "1.5" is no number of this field now
  robot.Key(VK_RIGHT);
  EXPECT_EQ(field->GetCaretPos(), 1);
  FormatSettings.DecimalSeparator = '.';
  robot.Key(VK_RIGHT);
  EXPECT_EQ(field->GetCaretPos(), 2);

  field->SetText("12");
  robot.Key(VK_END);
  robot.Type("a");  // refused: the text it took back is valid again
  EXPECT_EQ(field->GetText(), "12");
  robot.Key(VK_LEFT);
  EXPECT_EQ(field->GetCaretPos(), 1);
}

TEST_F(NumIO2MemoTest, LongTextsEditAndMapTheMouseAsShortOnes) {
  field->SetAlignment(taLeftJustify);
  const std::string digits = Digits(5000);
  field->SetText(digits);
  robot.Key(VK_END);
  robot.Type("7");
  robot.Key(VK_HOME);
  robot.Type("-");
  EXPECT_EQ(field->GetText(), "-" + digits + "7");
  EXPECT_EQ(field->GetValue(), -uc_MaxDouble);
  robot.Key(VK_RIGHT);
  robot.Type(".");
  robot.Type(".");  // a second point is refused and the first one stays
  EXPECT_EQ(field->GetText(), "-1." + digits.substr(1) + "7");
  EXPECT_NEAR(field->GetValue(), -1.2345678, 1e-7);

  TBitmap measure(1, 1);
  measure.Canvas()->Font()->Assign(field->GetFont());
  const std::string& text = field->GetText();
  for (int pos : {0, 1, 7, 600, 4999, int(text.size())})
    EXPECT_EQ(field->CharPosToXCoords(pos), 35 + 4 + measure.Canvas()->TextWidth(text.substr(0, size_t(pos)))) << pos;
  const int width = measure.Canvas()->TextWidth(text), perChar = width / int(text.size());
  EXPECT_EQ(field->XCoordsToCharPos(35 + 3 + 10 * perChar), 10);
  EXPECT_EQ(field->XCoordsToCharPos(35 + 3 + 10 * perChar + (perChar + 1) / 2), 11);
  field->SetAlignment(taRightJustify);  // the end shows at the box's right edge
  EXPECT_EQ(field->XCoordsToCharPos(35 + 80 - 3), int(text.size()));
  // Further left (a drag far out of the box), by the mean character width
  // of the whole text.
  const int size = int(text.size());
  for (int x : {35 + 80 - 3 - width / 2, 35 + 80 - 3 - width / 3}) {
    const int pos = x + width - 35 - 80 + 3;
    EXPECT_EQ(field->XCoordsToCharPos(x), std::min((std::min(width, pos) + perChar / 2) / perChar, size)) << x;
  }
}
