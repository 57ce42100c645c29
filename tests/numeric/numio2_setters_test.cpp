// The custom-drawn numeric field repaints at once when a property changes;
// the warn colours repaint it even when set to what they are.
#include <gtest/gtest.h>

#include "NumIOTestUtil.h"
#include "numeric/QEL_NumIO.h"

using namespace qel;
using namespace qel::test;

namespace {
class TCountingNumIO2 : public TNumIO2 {
 public:
  using TNumIO2::TNumIO2;
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    TNumIO2::Paint();
  }
};
}  // namespace

TEST(NumIO2Setters, ChangesRepaintAtOnceAndWarnColoursRepaintEvenUnchanged) {
  NumFormFixture f;
  auto* field = new TCountingNumIO2(f.form);
  field->SetParent(f.form);
  f.form->Show();
  Application->ProcessMessages();
  field->paints = 0;

  field->SetRightText("m\xC2\xB3");
  EXPECT_EQ(field->paints, 1);  // no turn of the loop needed
  field->SetRightText("m\xC2\xB3");
  field->SetButWidth(5);        // clamped to 8
  field->SetButWidth(8);        // the same clamped width
  EXPECT_EQ(field->paints, 2);
  EXPECT_EQ(field->GetButWidth(), 8);

  field->SetColorWarnBG(field->GetColorWarnBG());
  field->SetColorWarnText(field->GetColorWarnText());
  EXPECT_EQ(field->paints, 4);
  Application->ProcessMessages();
  EXPECT_EQ(field->paints, 4);
}
