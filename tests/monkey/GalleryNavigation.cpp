#include "GalleryNavigation.h"

#include <cstdio>
#include <string>
#include <vector>

#include "../../examples/gallery/MainForm.h"
#include "GalleryDriver.h"
#include "ntabed/QEL_ntabed.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"
#include "platform/stdctrls/Edit.h"

using namespace qel;

namespace monkey {
namespace {

using qel::test::TChecker;

std::vector<std::string> ListedNames(const gallery::TMainForm& Form) {
  std::vector<std::string> names;
  for (int i : Form.ListedPages()) names.push_back(Form.PageName(i));
  return names;
}

int IndexOf(const gallery::TMainForm& Form, const std::string& Name) {
  for (int i = 0; i < Form.PageCount(); ++i)
    if (Form.PageName(i) == Name) return i;
  return -1;
}

// Whether every column heading of the table editor shows whole, in bold too
// (the current column's): the text starts 3 pixels into its cell and stops
// 3 before its end.
bool HeadingsFit(TNTabEd* Ed, std::string& Cut) {
  TBitmap scratch(1, 1);
  TCanvas* c = scratch.Canvas();
  c->Font()->Assign(Ed->GetFont());
  c->Font()->SetStyle(Ed->GetFont()->GetStyle() + TFontStyles{fsBold});
  for (int col = 1; col <= Ed->GetNrOfColumns(); ++col)
    if (c->TextWidth(Ed->GetColName(col)) + 6 > Ed->GetColWidths(col)) {
      Cut = Ed->GetColName(col);
      return false;
    }
  return true;
}

}  // namespace

int CheckGalleryNavigation() {
  TChecker check{"gallery navigation"};
  auto* form = new gallery::TMainForm(nullptr);
  form->Show();
  Application->ProcessMessages();
  TTestRobot robot;
  TEdit* search = form->SearchField();
  const int all = form->PageCount();
  const int table = IndexOf(*form, "Table editor");
  check.Expect(all > 2 && table > 0, "the pages \"Table editor\" and two others are registered");

  // Typing filters the list: any case, anywhere in the name.
  robot.Click(search, 5, 5);
  robot.Type("TaBlE");
  Application->ProcessMessages();
  check.Expect(ListedNames(*form) == std::vector<std::string>{"Table editor"}, "\"TaBlE\" lists the table editor only");
  robot.Key(VK_RETURN);
  Application->ProcessMessages();
  check.Expect(form->SelectedPage() == table, "Enter opens the match");
  std::string cut;
  TNTabEd* tableEditor = qel::test::FindOn<TNTabEd>(form);
  bool whole = tableEditor && HeadingsFit(tableEditor, cut);
  check.Expect(whole, "the table editor opens with every heading whole, not \"" + cut + "\"");
  check.Expect(search->GetText() == "TaBlE", "Enter keeps the search");

  // Escape clears the field and brings every page back.
  robot.Key(VK_ESCAPE);
  Application->ProcessMessages();
  check.Expect(search->GetText().empty(), "Escape clears the search");
  check.Expect(static_cast<int>(form->ListedPages().size()) == all, "an empty search lists every page");

  // Text beyond ASCII matches nothing here, and Enter then changes nothing.
  robot.Type("Grüße");
  Application->ProcessMessages();
  check.Expect(form->ListedPages().empty(), "\"Grüße\" lists no page");
  robot.Key(VK_RETURN);
  check.Expect(form->SelectedPage() == table, "Enter without a match keeps the page");
  robot.Key(VK_ESCAPE);

  // Ctrl+Page Down / Up step through the pages from the search field and
  // from inside a page alike.
  form->SelectPage(0);
  Application->ProcessMessages();
  robot.Key(VK_NEXT, TShiftState{ssCtrl});
  check.Expect(form->SelectedPage() == 1, "Ctrl+Page Down in the search field opens the next page");
  robot.Click(form, form->ClientWidth() - 5, form->ClientHeight() - 5);  // into the page's panel
  robot.Key(VK_NEXT, TShiftState{ssCtrl});
  check.Expect(form->SelectedPage() == 2, "Ctrl+Page Down on a page opens the next page");
  robot.Key(VK_PRIOR, TShiftState{ssCtrl});
  check.Expect(form->SelectedPage() == 1, "Ctrl+Page Up opens the previous page");
  robot.Key(VK_NEXT);
  check.Expect(form->SelectedPage() == 1, "Page Down alone leaves the page alone");

  // Down in the search field goes on into the list, where Down steps on.
  robot.Click(search, 5, 5);
  robot.Key(VK_DOWN);
  robot.Key(VK_DOWN);
  check.Expect(form->SelectedPage() == 2, "Down, Down from the search field opens the next page");

  // Every page says what to try.
  for (int i = 0; i < all; ++i) {
    form->SelectPage(i);
    check.Expect(!form->PageHint().empty(), "page \"" + form->PageName(i) + "\" has a hint");
  }

  delete form;
  Application->ProcessMessages();
  return check.failures;
}

}  // namespace monkey
