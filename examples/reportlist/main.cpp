// A report list with a search box: type to show only the matching rows.
//   qel-reportlist                   a window (built with the SDL host, qel::sdl)
//   qel-reportlist --screenshot DIR  no window: types "bolt", writes DIR/reportlist.png
#include <cstdio>
#include <string>

#include "platform/stdctrls/Edit.h"
#include "../ProgramArgs.h"
#include <qel/qel.h>
using namespace qel;

int main(int argc, char** argv) {
  const examples::TProgram program{"qel-reportlist", "A report list with a search box: type to show only the matching rows."};
  const examples::TArgs args = examples::StartOrExit(argc, argv, program);
  const bool headless = args.Headless();
  auto* form = new TForm(Application);
  form->SetBounds(100, 100, 420, 300);
  form->SetCaption("libqel report list");
  //! [list]
  auto* list = new TReportListView(form);
  list->SetParent(form);
  list->SetBounds(8, 40, 404, 252);
  list->SetNrCols(3);
  list->SetColName(1, "Part");
  list->SetColName(2, "Stock");
  list->SetColName(3, "Shelf");
  list->SetColAlignment(2, taRightJustify);
  //! [list]
  const char* parts[] = {"Anchor bolt", "Ball bearing", "Cable tie", "Eye bolt", "Gasket", "Lock nut"};
  //! [data]
  list->SetNrRows(6);
  for (int r = 1; r <= 6; ++r) {  // cells are numbered from 1: column, then row
    list->Data()->SetElem(1, r, parts[r - 1]);
    list->Data()->SetElem(2, r, std::to_string(r * 37 % 100));
    list->Data()->SetElem(3, r, "A" + std::to_string(r));
  }
  list->FitAllColWidths(3, true, 6, 200, 24);
  //! [data]

  //! [filter]
  auto* search = new TEdit(form);  // filters as you type: any column, any case
  search->SetParent(form);
  search->SetBounds(8, 8, 200, 24);
  search->OnChange = [=](TObject*) { list->FilterAndSort(search->GetText(), {}, false, fmSimple, 1, true); };
  //! [filter]
  Application->CreateForm(form);
  form->Show();
  if (!headless) return Application->Run(), 0;
  TTestRobot robot;  // input through the same path a user's takes
  robot.Click(search, 5, 5);
  robot.Type("bolt");
  form->FrameBuffer().SaveToFile(args.ScreenshotDir + "/reportlist.png");
  std::printf("%d of %d rows shown\n", list->ShownRows(), list->GetNrRows());
}
