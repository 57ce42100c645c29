// The containers and the calendar's holidays with each allocation of a change failing in turn: the change
// raises, nothing of what was there is lost or half changed, and the next
// change goes through.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "AllocationSweep.h"
#include "framework/DataTable.h"
#include "framework/StringArray.h"
#include "pickers/QEL_MiniCal.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;
using namespace qel::test;

TEST(ContainerAllocationFailures, DataTableChangesAreWholeOrNotAtAll) {
  TDataTable t(3, 3);
  t.SetElem(2, 2, 22);
  t.SetCellState(3, 3, csMarkA);
  int notices = 0;
  t.OnResize = [&](TObject*, int, int, int, int) { ++notices; };
  const std::function<void()> ops[] = {[&] { t.Resize(8, 9); }, [&] { t.InsertRow(1); }, [&] { t.InsertColumn(1); },
                                       [&] { t.RemoveRow(1); }, [&] { t.RemoveColumn(1); }};
  for (const auto& op : ops) {
    const int points = SweepAllocationFailures(op, [&](int, const std::exception* raised) {
      EXPECT_NE(dynamic_cast<const EOutOfMemory*>(raised), nullptr);
      EXPECT_EQ(t.GetNrOfColumns(), 3);
      EXPECT_EQ(t.GetNrOfRows(), 3);
      EXPECT_EQ(t.GetElem(2, 2), 22);
      EXPECT_EQ(t.GetCellState(3, 3), csMarkA);
      EXPECT_EQ(notices, 0) << "a resize that did not happen was announced";
    });
    EXPECT_GT(points, 0);
    EXPECT_EQ(notices, 1);
    t.Resize(3, 3);
    t.Clear();
    t.SetElem(2, 2, 22);
    t.SetCellState(3, 3, csMarkA);
    notices = 0;
  }
}

TEST(ContainerAllocationFailures, StringArrayInsertAndSortKeepEveryRow) {
  TStringArray a(2, 4);
  const std::vector<std::string> words = {"delta", "alpha", "charlie", "bravo"};
  for (int r = 1; r <= 4; ++r) a.SetString(1, r, words[r - 1]);
  ASSERT_TRUE(a.Sort(1, -1, true));
  auto shown = [&] {
    std::string s;
    for (int r = 1; r <= a.GetNrOfRows(); ++r) s += a.GetString(1, r) + " ";
    return s;
  };
  const std::string sorted = shown();
  ASSERT_EQ(sorted, "alpha bravo charlie delta ");
  EXPECT_GT(SweepAllocationFailures([&] { a.InsertRow(3); }, [&](int, const std::exception* raised) {
    EXPECT_NE(dynamic_cast<const EOutOfMemory*>(raised), nullptr);
    EXPECT_EQ(shown(), sorted);
  }), 1);
  EXPECT_EQ(shown(), "alpha bravo  charlie delta ");
  a.RemoveRow(3);
  EXPECT_GT(SweepAllocationFailures([&] { a.Sort(1, -1, false); }, [&](int, const std::exception* raised) {
    EXPECT_NE(dynamic_cast<const EOutOfMemory*>(raised), nullptr);
    EXPECT_EQ(shown(), sorted);
  }), 0);
  EXPECT_EQ(shown(), "delta charlie bravo alpha ");
}

TEST(ContainerAllocationFailures, CalendarHolidayThatCannotBeStoredChangesNothing) {
  Headless();
  TForm form(nullptr);
  auto* cal = new TMiniCal(&form);
  cal->SetParent(&form);
  form.Show();
  const int before = cal->GetNumHolidays();
  int attempt = 0;  // each attempt its own name: a name left behind would show
  const int points = SweepAllocationFailures([&] { cal->AddHoliday(24, 5, 2024, "Try " + std::to_string(++attempt)); },
                          [&](int, const std::exception* raised) {
                            EXPECT_NE(dynamic_cast<const EOutOfMemory*>(raised), nullptr);
                            EXPECT_EQ(cal->GetNumHolidays(), before);
                            std::string name;
                            EXPECT_FALSE(cal->CheckHoliday(2024, 5, 24, name));
                          });
  EXPECT_GT(points, 0);
  EXPECT_EQ(cal->GetNumHolidays(), before + 1);
  int d = 0, m = 0, y = 0;
  bool repeating = true;
  std::string name;
  ASSERT_TRUE(cal->RetrieveHoliday(before + 1, d, m, y, repeating, name));  // holidays count from 1
  EXPECT_EQ(std::make_tuple(d, m, y, repeating, name), std::make_tuple(24, 5, 2024, false, "Try " + std::to_string(attempt)));
}
