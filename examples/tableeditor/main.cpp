// A table editor of numbers: select a block with the mouse and copy it; the
// clipboard then holds the block as tab-separated lines, ready for a
// spreadsheet (under the SDL host the system clipboard).
//   qel-tableeditor                   a window (built with the SDL host, qel::sdl)
//   qel-tableeditor --screenshot DIR  no window: selects and copies two cells,
//                                     writes DIR/tableeditor.png
#include <cstdio>
#include <string>

#include "../ProgramArgs.h"
#include <qel/qel.h>
using namespace qel;

int main(int argc, char** argv) {
  const examples::TProgram program{"qel-tableeditor", "A table editor of numbers: select a block and copy it."};
  const examples::TArgs args = examples::StartOrExit(argc, argv, program);
  const bool headless = args.Headless();
  auto* form = new TForm(Application);
  form->SetBounds(100, 100, 440, 260);
  form->SetCaption("libqel table editor");
  //! [table]
  auto* table = new TNTabEd(form);
  table->SetParent(form);
  table->SetBounds(8, 8, 424, 244);
  table->Redimension(3, 6);  // columns, rows
  table->SetClipboardUseFullPrec(false);  // copy what is shown: two decimals
  const char* names[] = {"Width", "Height", "Area"};
  for (int c = 1; c <= 3; ++c) {
    table->SetColName(c, names[c - 1]);
    table->SetDecPlaces(c, 2);
  }
  for (int r = 1; r <= 6; ++r) {
    table->SetRowName(r, "Plate " + std::to_string(r));
    table->SetElem(1, r, 1.5 * r);
    table->SetElem(2, r, 2.0 + r);
    table->SetElem(3, r, 1.5 * r * (2.0 + r));
  }
  //! [table]
  Application->CreateForm(form);
  form->Show();
  if (!headless) return Application->Run(), 0;  // right click a cell for the menu with "Copy"
  TTestRobot robot;  // input through the same path a user's takes
  // Grid row 0 holds the column names; grid columns 0 and 1 the row names and attributes.
  const TRect from = table->CellRect(2, 1), to = table->CellRect(3, 1);
  robot.Drag(table, from.Left + 5, from.Top + 5, to.Left + 5, to.Top + 5);
  table->PopupMenuClickCopy(nullptr);  // what the menu's "Copy" does
  form->FrameBuffer().SaveToFile(args.ScreenshotDir + "/tableeditor.png");
  std::string copied;  // one line per row, cells separated by TAB: shown here with '|'
  for (char ch : Application->Host().ClipboardText()) copied += ch == '\t' ? "|" : ch == '\r' ? "" : std::string(1, ch);
  std::printf("copied:%s", copied.c_str());
}
