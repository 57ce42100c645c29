// Table editor popup menus through right clicks: names, captions and masks
// of both menus, every data action on a small table, "Paste" enabled only
// after a copy and while writable, the read-only check image, "Change
// Precision" stepping with the menu coming back, the header actions, and
// application menus or BlockInternalPopup suppressing the internal ones.
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/stdctrls/Menus.h"
#include "tests/ntabed/NTabEdTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {

int CellX(int c) { return 114 + (c - 1) * 65 + 30; }
int CellY(int r) { return 25 + (r - 1) * 25 + 12; }

struct Menus : EditorFixture {
  TPopupMenu* data() { return ed->GetDataMenu(); }
  TPopupMenu* header() { return ed->GetHeaderMenu(); }
  void RightClick(int x, int y) {
    Headless().AdvanceTime(1000);
    robot.Click(ed, x, y, mbRight);
  }
  void Choose(TPopupMenu* menu, const std::string& name) {
    TMenuItem* item = menu->FindItem(name);
    ASSERT_NE(item, nullptr) << name;
    int level = 0;
    if (TMenuItem* parent = item->GetParent(); parent != menu->Items()) {
      TRect p = menu->ItemRect(parent);
      ASSERT_FALSE(p.IsEmpty());
      robot.MoveTo(menu->PopupWindow(0), p.Left + 5, p.Top + p.Height() / 2);
      level = 1;
    }
    TRect r = menu->ItemRect(item);
    ASSERT_FALSE(r.IsEmpty()) << name << " is not shown";
    robot.Click(menu->PopupWindow(level), r.Left + r.Width() / 2, r.Top + r.Height() / 2);
  }
  // Right click on data cell (c, r), then the item.
  void DataAction(int c, int r, const std::string& name) {
    RightClick(CellX(c), CellY(r));
    ASSERT_TRUE(data()->IsShowing());
    Choose(data(), name);
  }
  bool Enabled(TPopupMenu* menu, const std::string& name) { return menu->FindItem(name)->GetEnabled(); }
  void SelectCells(int l, int t, int r, int b) { ed->SetSelection({l + 1, t, r + 1, b}); }
};

}  // namespace

TEST(NTabEdMenus, NamesCaptionsAndWhereTheyPopUp) {
  Menus f;
  TNTabEd* e = f.ed;
  EXPECT_EQ(f.data()->GetName(), "PopupDTAction");
  EXPECT_EQ(f.header()->GetName(), "PopupHTAction");
  const char* captions[] = {"Mark as type A", "Mark as type B", "Unmark type A", "Unmark type B", "Unmark All",
                            "Clear", "Copy", "Paste", "Data Read-Only", "Extract from Clipboard", "Select All",
                            "Toggle Empty State"};
  for (int i = 1; i <= 12; ++i) {
    EXPECT_EQ(f.data()->FindItem("DIt" + std::to_string(i))->GetCaption(), captions[i - 1]);
    EXPECT_EQ(e->GetPopupDCaption(i), captions[i - 1]);
  }
  for (const char* prefix : {"M1It", "M2It", "U1It", "U2It"})
    EXPECT_EQ(f.data()->FindItem(std::string(prefix) + "4")->GetCaption(), "All");
  EXPECT_EQ(e->GetPopupHCaption(1), "Edit Heading");
  EXPECT_EQ(e->GetPopupHCaption(5), "Delete..");
  EXPECT_EQ(e->GetPopupDCaption(13), "");
  e->SetPopupDCaption(7, "Kopieren");
  e->SetPopupMCaption(2, "Spalte");
  e->SetPopupUCaption(3, std::string(60, 'z'));
  e->SetPopupHCaption(0, "ignored");
  EXPECT_EQ(f.data()->FindItem("DIt7")->GetCaption(), "Kopieren");
  EXPECT_EQ(f.data()->FindItem("M2It2")->GetCaption(), "Spalte");
  EXPECT_EQ(e->GetPopupMCaption(2), "Spalte");
  EXPECT_EQ(e->GetPopupUCaption(3), std::string(50, 'z'));
  EXPECT_EQ(f.data()->FindItem("U2It3")->GetCaption(), std::string(50, 'z'));

  TPopupMenu* before = nullptr;
  e->OnBeforePopup = [&](TObject*, TPopupMenu* m) { before = m; };
  f.RightClick(CellX(2), CellY(2));
  ASSERT_TRUE(f.data()->IsShowing());
  EXPECT_EQ(before, f.data());
  TPoint at = e->ClientToScreen({CellX(2) + 10, CellY(2) - 20});
  EXPECT_EQ(f.data()->PopupWindow(0)->GetLeft(), at.X);
  EXPECT_EQ(f.data()->PopupWindow(0)->GetTop(), at.Y);
  f.data()->CloseMenu();
  f.RightClick(CellX(3), 10);
  ASSERT_TRUE(f.header()->IsShowing());
  EXPECT_EQ(before, f.header());
  TRect cell = e->CellRect(4, 0);
  at = e->ClientToScreen({cell.Left + 20, cell.Top + 20});
  EXPECT_EQ(f.header()->PopupWindow(0)->GetLeft(), at.X);
  f.header()->CloseMenu();
}

TEST(NTabEdMenus, MarkingActions) {
  Menus f;
  TNTabEd* e = f.ed;
  f.SelectCells(1, 2, 2, 3);
  f.DataAction(1, 2, "M1It1");  // range, mark A
  EXPECT_EQ(e->NrOfMarkedDataA(), 4);
  EXPECT_TRUE(e->GetElemMarkedA(2, 3));
  f.SelectCells(2, 1, 2, 1);
  f.notes = {};
  f.notes.Bind(e);
  f.DataAction(2, 1, "M2It2");  // column, mark B
  EXPECT_EQ(e->NrOfMarkedDataB(), 4);
  EXPECT_TRUE(e->GetElemMarkedB(2, 4));
  EXPECT_EQ(f.notes.states, 1);
  f.SelectCells(1, 3, 1, 3);
  f.DataAction(1, 3, "M2It3");  // row, mark B
  EXPECT_TRUE(e->GetElemMarkedB(3, 3));
  EXPECT_EQ(e->NrOfMarkedDataB(), 6);
  f.DataAction(1, 3, "U2It4");  // all, unmark B
  EXPECT_EQ(e->NrOfMarkedDataB(), 0);
  EXPECT_EQ(e->NrOfMarkedDataA(), 4);
  f.DataAction(1, 1, "M2It4");
  f.SelectCells(2, 2, 2, 2);
  f.DataAction(2, 2, "U1It3");  // row 2, unmark A
  EXPECT_FALSE(e->GetElemMarkedA(1, 2));
  EXPECT_TRUE(e->GetElemMarkedA(1, 3));
  e->SetCellState(3, 1, csMarkA | csEmpty);
  f.DataAction(2, 2, "DIt5");  // unmark all keeps the other bits
  EXPECT_FALSE(e->IfAnyMarked());
  EXPECT_EQ(e->GetCellState(3, 1), csEmpty);
}

TEST(NTabEdMenus, DataActions) {
  Menus f;
  TNTabEd* e = f.ed;
  int pastes = 0;
  e->OnPaste = [&](TObject*) { ++pastes; };
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 4; ++r) e->SetElem(c, r, c * 10 + r);
  e->SetCellState(1, 1, csMarkA | csInvalid);
  // Paste waits for a copy.
  f.RightClick(CellX(1), CellY(1));
  EXPECT_FALSE(f.Enabled(f.data(), "DIt8"));
  f.data()->CloseMenu();
  f.SelectCells(1, 1, 2, 1);
  f.DataAction(1, 1, "DIt7");
  EXPECT_EQ(Clipboard()->GetAsText(), " ####\t 2.1000000000000E+0001\r\n");
  f.SelectCells(2, 3, 2, 3);
  f.RightClick(CellX(2), CellY(3));
  EXPECT_TRUE(f.Enabled(f.data(), "DIt8"));
  f.Choose(f.data(), "DIt8");
  EXPECT_EQ(e->GetElem(2, 3), 11);
  EXPECT_EQ(e->GetCellState(2, 3), csMarkA | csInvalid);
  EXPECT_EQ(e->GetElem(3, 3), 21);
  EXPECT_EQ(pastes, 1);
  // Clear, Toggle Empty State, Extract from Clipboard on the selection.
  f.SelectCells(2, 3, 3, 3);
  f.DataAction(2, 3, "DIt6");
  EXPECT_EQ(e->GetElem(2, 3), 0);
  EXPECT_EQ(e->GetCellState(2, 3), 0);
  EXPECT_EQ(e->GetElem(3, 3), 0);
  EXPECT_EQ(e->GetElem(1, 3), 13);
  EXPECT_EQ(pastes, 2);
  f.DataAction(2, 3, "DIt12");
  EXPECT_TRUE(e->GetIsEmpty(2, 3));
  EXPECT_TRUE(e->GetIsEmpty(3, 3));
  f.DataAction(2, 3, "DIt12");
  EXPECT_FALSE(e->GetIsEmpty(2, 3));
  Clipboard()->SetAsText("7\t8\n9\t10\n");
  f.SelectCells(1, 1, 1, 1);
  f.DataAction(1, 1, "DIt10");
  EXPECT_EQ(e->GetElem(2, 2), 10);
  EXPECT_EQ(pastes, 3);
  // Select All.
  f.DataAction(1, 1, "DIt11");
  EXPECT_EQ(e->GetSelection(), (TGridRect{2, 1, 4, 4}));
}

TEST(NTabEdMenus, ReadOnlyToggleWithItsCheckImage) {
  Menus f;
  TNTabEd* e = f.ed;
  TBitmap checked, empty;
  checked.LoadFromResourceName("CHECKEDBOX");
  empty.LoadFromResourceName("EMPTYBOX");
  auto shows = [&](const TBitmap& b) {
    TBitmap* item = f.data()->FindItem("DIt9")->GetBitmap();
    if (item->GetWidth() != b.GetWidth() || item->GetHeight() != b.GetHeight()) return false;
    for (int y = 0; y < b.GetHeight(); ++y)
      for (int x = 0; x < b.GetWidth(); ++x)
        if (item->ScanLine(y)[x] != b.ScanLine(y)[x]) return false;
    return true;
  };
  f.DataAction(1, 1, "DIt7");  // a copy, so that Paste could be enabled
  f.notes = {};
  f.notes.Bind(e);
  f.RightClick(CellX(1), CellY(1));
  EXPECT_TRUE(shows(empty));
  EXPECT_TRUE(f.Enabled(f.data(), "DIt8"));
  f.Choose(f.data(), "DIt9");
  EXPECT_TRUE(e->GetDataReadOnly());
  EXPECT_GE(f.notes.setup, 1);
  f.RightClick(CellX(1), CellY(1));
  EXPECT_TRUE(shows(checked));
  // What changes values or states is off while read-only.
  for (const char* name : {"DIt6", "DIt8", "DIt10", "DIt12"}) EXPECT_FALSE(f.Enabled(f.data(), name)) << name;
  EXPECT_TRUE(f.Enabled(f.data(), "DIt7"));
  f.Choose(f.data(), "DIt9");
  EXPECT_FALSE(e->GetDataReadOnly());
}

TEST(NTabEdMenus, MasksAndSuppression) {
  Menus f;
  TNTabEd* e = f.ed;
  e->SetPopupDMask(0x7FFFFFFF & ~(1u << 6) & ~(1u << 10));
  f.RightClick(CellX(1), CellY(1));
  EXPECT_FALSE(f.Enabled(f.data(), "DIt7"));
  EXPECT_FALSE(f.Enabled(f.data(), "DIt11"));
  EXPECT_TRUE(f.Enabled(f.data(), "DIt6"));
  EXPECT_TRUE(f.Enabled(f.data(), "M1It1"));
  f.data()->CloseMenu();
  // Header mask; "Change Precision" only for columns; inserting and deleting
  // not while read-only.
  e->SetPopupHMask(0x7FFFFFFF & ~1u);
  f.RightClick(40, CellY(2));  // row header
  ASSERT_TRUE(f.header()->IsShowing());
  EXPECT_FALSE(f.Enabled(f.header(), "HIt1"));
  EXPECT_FALSE(f.Enabled(f.header(), "HIt2"));
  EXPECT_EQ(f.header()->FindItem("HIt3")->GetCaption(), "Select Row");
  e->SetDataReadOnly(true);
  e->SetPopupHCaption(3, "Pick");
  f.RightClick(CellX(2), 10);  // column header
  EXPECT_TRUE(f.Enabled(f.header(), "HIt2"));
  EXPECT_EQ(f.header()->FindItem("HIt3")->GetCaption(), "Select Column");
  EXPECT_FALSE(f.Enabled(f.header(), "HIt4"));
  EXPECT_FALSE(f.Enabled(f.header(), "HIt5"));
  f.header()->CloseMenu();
  // An application menu or BlockInternalPopup keeps the internal ones away.
  TPopupMenu app(&f.form);
  auto* item = new TMenuItem(&app);
  item->SetCaption("Application");
  app.Items()->Add(item);
  e->SetPopupMenu(&app);
  f.RightClick(CellX(1), CellY(1));
  EXPECT_FALSE(f.data()->IsShowing());
  EXPECT_TRUE(app.IsShowing());
  app.CloseMenu();
  f.RightClick(CellX(1), 10);
  EXPECT_FALSE(f.header()->IsShowing());
  app.CloseMenu();
  e->SetPopupMenu(nullptr);
  e->SetBlockInternalPopup(true);
  f.RightClick(CellX(1), CellY(1));
  f.RightClick(CellX(1), 10);
  EXPECT_FALSE(f.data()->IsShowing());
  EXPECT_FALSE(f.header()->IsShowing());
}

TEST(NTabEdMenus, ChangePrecisionStepsAndComesBack) {
  Menus f;
  TNTabEd* e = f.ed;
  e->SetDecPlaces(2, 1);
  f.notes = {};
  f.notes.Bind(e);
  f.RightClick(CellX(2), 10);
  f.Choose(f.header(), "HIt2");
  EXPECT_EQ(e->GetDecPlaces(2), 0);
  EXPECT_TRUE(f.header()->IsShowing());  // again, for the next step
  f.Choose(f.header(), "HIt2");
  EXPECT_EQ(e->GetDecPlaces(2), 255);
  f.Choose(f.header(), "HIt2");
  EXPECT_EQ(e->GetDecPlaces(2), 10);
  f.Choose(f.header(), "HIt2");
  EXPECT_EQ(e->GetDecPlaces(2), 9);
  EXPECT_GE(f.notes.layout, 4);
  EXPECT_EQ(e->GetDecPlaces(1), 3);
  // The header cell is outlined while the menu shows, and not afterwards.
  TRect cell = e->CellRect(3, 0);
  TColor framed = f.robot.PixelAt(e, cell.Left, cell.Top + 5);
  f.header()->CloseMenu();
  Application->ProcessMessages();
  EXPECT_NE(f.robot.PixelAt(e, cell.Left, cell.Top + 5), framed);
}

TEST(NTabEdMenus, HeaderSelectInsertDelete) {
  Menus f;
  TNTabEd* e = f.ed;
  f.RightClick(CellX(2), 10);
  f.Choose(f.header(), "HIt3");
  EXPECT_EQ(e->GetSelection(), (TGridRect{3, 1, 3, 4}));
  f.RightClick(40, CellY(3));
  f.Choose(f.header(), "HIt3");
  EXPECT_EQ(e->GetSelection(), (TGridRect{2, 3, 4, 3}));
  e->SetElem(2, 4, 5);
  f.notes = {};
  f.notes.Bind(e);
  f.RightClick(CellX(2), 10);
  f.Choose(f.header(), "HIt4");
  EXPECT_EQ(e->GetNrOfColumns(), 4);
  EXPECT_EQ(e->GetColName(2), "(...)");
  EXPECT_EQ(e->GetElem(3, 4), 5);
  EXPECT_EQ(f.notes.data, 0);
  f.RightClick(40, CellY(3));
  f.Choose(f.header(), "HIt4");
  EXPECT_EQ(e->GetNrOfRows(), 5);
  EXPECT_EQ(e->GetRowName(3), "(...)");
  f.RightClick(40, CellY(1));
  f.Choose(f.header(), "HIt5");
  EXPECT_EQ(e->GetNrOfRows(), 4);
  EXPECT_EQ(e->GetRowName(2), "(...)");
  f.RightClick(CellX(2), 10);
  f.Choose(f.header(), "HIt5");
  EXPECT_EQ(e->GetNrOfColumns(), 3);
  EXPECT_EQ(e->GetElem(2, 4), 5);
  EXPECT_GE(f.notes.setup, 1);
}
