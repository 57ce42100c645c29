// The report list's row editor: the dialog built from the column formats,
// answered through the headless modal hook; and its date reader.
#include "ReportListViewTestUtil.h"
#include "numeric/QEL_NumIO.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/DateTimePicker.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/SpeedButton.h"
#include "replist/detail/RowEditorDate.h"

using namespace qel;
using namespace qel::test;

namespace {
class RowEditorTest : public ListViewTest {
 protected:
  void SetUp() override {
    ListViewTest::SetUp();
    view->SetNrCols(6);
    const char* formats[] = {"[s][150]", "[#i]rix3", "[l]a|b|c", "[c:3]x|y", "[ddd.MM.yyyy]", "[d]dd.MM.yyyy"};
    for (int c = 1; c <= 6; ++c) view->SetColumnFormat(c, formats[c - 1]);
    view->SetColName(1, "Name");
  }
  void TearDown() override {
    Headless().OnModal = nullptr;
    ListViewTest::TearDown();
  }
  template <class T>
  static T* Find(TCustomForm* f, const std::string& name) {
    return dynamic_cast<T*>(f->FindComponent(name));
  }
  std::string Row(int r) {
    std::string s;
    for (int c = 1; c <= view->GetNrCols(); ++c) s += view->GetElem(c, r) + ";";
    return s;
  }
};
}  // namespace

TEST_F(RowEditorTest, EditorsFollowTheColumnFormats) {
  bool shown = false;
  Headless().OnModal = [&](TCustomForm* f) {
    shown = true;
    EXPECT_EQ(f->GetCaption(), "Editing Row 3");
    EXPECT_EQ(f->GetLeft(), 100);
    EXPECT_EQ(f->GetTop(), 120);
    auto* label = Find<TLabel>(f, "runtime_rlre_Label1");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->GetCaption(), "Name:");
    EXPECT_EQ(label->GetTop(), 45 + 3);
    auto* edit = Find<TEdit>(f, "runtime_rlre_Edit1");
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->GetWidth(), 150);
    EXPECT_EQ(edit->GetTag(), 1);
    EXPECT_EQ(edit->GetLeft(), label->GetWidth() + 12);
    auto* num = Find<TNumIO>(f, "runtime_rlre_NumIO2");
    ASSERT_TRUE(num);
    EXPECT_FALSE(num->GetEnabled());
    EXPECT_EQ(num->GetText(), "003");
    EXPECT_EQ(num->GetInputFormat(), itInt);
    EXPECT_EQ(num->GetWidth(), 200);
    EXPECT_EQ(num->GetTop(), 45 + 25);
    auto* list = Find<TComboBox>(f, "runtime_rlre_CBox3");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->GetStyle(), csDropDownList);
    EXPECT_EQ(list->Items()->Count(), 3);
    EXPECT_EQ(list->Items()->Get(2), "c");
    EXPECT_EQ(list->GetItemIndex(), 1);  // the cell's "b"
    auto* combo = Find<TComboBox>(f, "runtime_rlre_CBox4");
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->GetStyle(), csDropDown);
    EXPECT_EQ(combo->GetDropDownCount(), 3);
    EXPECT_EQ(combo->Items()->Count(), 2);
    auto* picker = Find<TDateTimePicker>(f, "runtime_rlre_DtPick5");
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->GetFormat(), "dd.MM.yyyy");
    EXPECT_EQ(picker->GetDateTime(), EncodeDate(2024, 2, 29));
    auto* plain = Find<TDateTimePicker>(f, "runtime_rlre_DtPick6");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->GetFormat(), "");
    ASSERT_TRUE(Find<TSpeedButton>(f, "runtime_rlre_OK"));
    EXPECT_EQ(Find<TSpeedButton>(f, "runtime_rlre_Cancel")->GetWidth(), 81);
    EXPECT_EQ(f->GetHeight(), 6 * 25 + 45 + 38);
    f->SetModalResult(mrCancel);
  };
  view->SetElem(3, 3, "b");
  view->SetElem(5, 3, "29.02.2024");
  const int components = view->ComponentCount();
  EXPECT_EQ(view->EditRowEntries(3, 100, 120), mrCancel);
  EXPECT_TRUE(shown);
  EXPECT_EQ(view->ComponentCount(), components);  // the dialog is gone
}

TEST_F(RowEditorTest, OkWritesBackAndCancelChangesNothing) {
  view->SetColCheckMode(1, cmBox);
  view->SetElem(1, 2, "old");
  view->SetElemChecked(1, 2, true);
  view->SetElem(6, 2, "not a date");
  const std::string before = Row(2);
  auto answer = [&](const char* button) {
    Headless().OnModal = [&, button](TCustomForm* f) {
      Find<TEdit>(f, "runtime_rlre_Edit1")->SetText("new");
      Find<TComboBox>(f, "runtime_rlre_CBox3")->SetItemIndex(2);
      Find<TComboBox>(f, "runtime_rlre_CBox4")->SetText("typed");
      Find<TDateTimePicker>(f, "runtime_rlre_DtPick5")->SetDateTime(EncodeDate(2023, 12, 1));
      TSpeedButton* b = Find<TSpeedButton>(f, button);
      robot.Click(b, 10, 10);
    };
  };
  answer("runtime_rlre_Cancel");
  EXPECT_EQ(view->EditRowEntries(2, 0, 0), mrCancel);
  EXPECT_EQ(Row(2), before);
  answer("runtime_rlre_OK");
  EXPECT_EQ(view->EditRowEntries(2, 0, 0, "Part", "Keep", "Drop"), mrOk);
  // The mark stays; the read-only field writes what it showed; a picker that
  // could not read its cell and was not touched leaves the cell alone.
  EXPECT_EQ(Row(2), "new;002;c;typed;01.12.2023;not a date;");
  EXPECT_TRUE(view->GetElemChecked(1, 2));
}

TEST_F(RowEditorTest, EnterInAnEditorIsOkAndACallersFormIsKept) {
  view->SetNrCols(2);
  TForm host(nullptr);
  host.SetBounds(0, 0, 50, 40);
  Headless().OnModal = [&](TCustomForm* f) {
    EXPECT_EQ(f, &host);
    auto* edit = Find<TEdit>(f, "runtime_rlre_Edit1");
    EXPECT_EQ(edit->GetTop(), 30);  // no room for buttons: only the offset
    EXPECT_FALSE(Find<TSpeedButton>(f, "runtime_rlre_OK"));
    edit->SetFocus();
    robot.SetKeyForm(f);
    robot.Type("x");
    robot.Key(VK_RETURN);
    robot.SetKeyForm(nullptr);
  };
  view->SetColumnFormat(2, "[#s]");
  EXPECT_EQ(view->EditRowEntries(1, &host, 20, 30), mrOk);
  EXPECT_EQ(view->GetElem(1, 1), "x");
  EXPECT_GE(host.GetWidth(), 28 + 200);
  EXPECT_EQ(host.GetHeight(), 2 * 25 + 38);
  EXPECT_EQ(host.ComponentCount(), 0);  // its controls are freed, the form stays
  // OnRequestEditFormat replaces a column's format for this row.
  view->OnRequestEditFormat = [](TObject*, int Col, int Row, std::string& Format) {
    if (Col == 2 && Row == 1) Format = "[i][80]rix2";
  };
  Headless().OnModal = [&](TCustomForm* f) {
    auto* num = Find<TNumIO>(f, "runtime_rlre_NumIO2");
    ASSERT_TRUE(num);
    EXPECT_EQ(num->GetWidth(), 80);
    EXPECT_EQ(num->GetText(), "01");
    f->SetModalResult(mrOk);
  };
  EXPECT_EQ(view->EditRowEntries(1, &host, 0, 0), mrOk);
  EXPECT_EQ(view->GetElem(2, 1), "01");
}

TEST(RowEditorDate, ReadsTheFormatsPickersShow) {
  EXPECT_EQ(ParseEditDate("29.02.2024", "dd.MM.yyyy"), EncodeDate(2024, 2, 29));
  EXPECT_EQ(ParseEditDate("Thu, 7 March 2024", "ddd, d MMMM yyyy"), EncodeDate(2024, 3, 7));
  EXPECT_EQ(ParseEditDate("mar 7 24", "MMM d yy"), EncodeDate(2024, 3, 7));
  EXPECT_DOUBLE_EQ(ParseEditDate("12:30:15 pm", "hh:mm:ss tt"), EncodeTime(12, 30, 15, 0));
  EXPECT_DOUBLE_EQ(ParseEditDate("12:05 am", "hh:mm tt"), EncodeTime(0, 5, 0, 0));
  EXPECT_DOUBLE_EQ(ParseEditDate("7:05 p", "h:mm t"), EncodeTime(19, 5, 0, 0));
  EXPECT_DOUBLE_EQ(ParseEditDate("2024-01-02 23:59", "yyyy-MM-dd HH:mm"), EncodeDate(2024, 1, 2) + EncodeTime(23, 59, 0, 0));
  EXPECT_EQ(ParseEditDate("at 3.4.2020", "'at' d.M.yyyy"), EncodeDate(2020, 4, 3));
  EXPECT_EQ(ParseEditDate("it's 3.4.2020", "'it''s' d.M.yyyy"), EncodeDate(2020, 4, 3));
}

TEST(RowEditorDate, RejectsWhatDoesNotFit) {
  struct Case {
    const char *text, *format;
    int error;
  };
  for (const Case& c : {Case{"29-02-2024", "dd.MM.yyyy", edeLiteral}, Case{"1.2.2024", "dd.MM.yyyy", edeValue},
                        Case{"30.02.2024", "dd.MM.yyyy", edeValue}, Case{"01.13.2024", "dd.MM.yyyy", edeValue},
                        Case{"24", "yyy", edeFormat}, Case{"Mon", "ddddd", edeFormat},
                        Case{"Foo 1 2024", "MMM d yyyy", edeValue}, Case{"13:00 pm", "hh:mm tt", edeValue},
                        Case{"25:00", "HH:mm", edeValue}, Case{"", "d", edeValue}, Case{"at 1", "'on' d", edeLiteral},
                        Case{"99999999999", "d", edeValue}, Case{"1.1.2024 xx", "d.M.yyyy tt", edeValue}}) {
    int error = 0;
    EXPECT_EQ(ParseEditDate(c.text, c.format, &error), 0) << c.text << " / " << c.format;
    EXPECT_EQ(error, c.error) << c.text << " / " << c.format;
  }
}
