// TNTabEd popup menus: building the data and header menus, their masks and
// captions, showing them on a right click, and every action but the
// clipboard ones (NTabEdClipboard.cpp) and "Edit Heading" (NTabEdEditing.cpp).
#include <algorithm>

#include "ntabed/detail/CellFormat.h"
#include "ntabed/QEL_ntabed.h"
#include "ntabed/detail/NTabEdInternal.h"
#include "platform/stdctrls/Menus.h"

namespace qel {

using namespace ntabed;

namespace {

constexpr int kMaxCaption = 50;
const char* const kDataCaptions[12] = {"Mark as type A", "Mark as type B", "Unmark type A", "Unmark type B",
                                       "Unmark All",     "Clear",          "Copy",          "Paste",
                                       "Data Read-Only", "Extract from Clipboard", "Select All",
                                       "Toggle Empty State"};
const char* const kHeaderCaptions[5] = {"Edit Heading", "Change Precision", "Select..", "Insert..", "Delete.."};
const char* const kScopeCaptions[4] = {"Range", "Column", "Row", "All"};
const char* const kSubPrefixes[4] = {"M1It", "M2It", "U1It", "U2It"};

std::string Cut(const std::string& S) { return S.substr(0, kMaxCaption); }
bool Bit(uint32_t Mask, int Item) { return (Mask >> (Item - 1)) & 1u; }

TMenuItem* NewItem(TPopupMenu* Menu, TMenuItem* Parent, const std::string& Name, const std::string& Caption,
                   TNotifyEvent OnClick) {
  auto* item = new TMenuItem(Menu);
  item->SetName(Name);
  item->SetCaption(Caption);
  item->OnClick = std::move(OnClick);
  Parent->Add(item);
  return item;
}

}  // namespace

// ----------------------------------------------------------- building ----

void TNTabEd::BuildMenus() {
  dataMenu_ = new TPopupMenu(this);
  dataMenu_->SetName("PopupDTAction");
  dataMenu_->SetAutoPopup(false);
  dataMenu_->OnPopup = [this](TObject* s) { PopupMenuDLoadPopup(s); };
  const TNotifyEvent actions[12] = {
      nullptr,
      nullptr,
      nullptr,
      nullptr,
      [this](TObject* s) { PopupMenuClickUnmarkAll(s); },
      [this](TObject* s) { PopupMenuClickClear(s); },
      [this](TObject* s) { PopupMenuClickCopy(s); },
      [this](TObject* s) { PopupMenuClickPaste(s); },
      [this](TObject* s) { PopupMenuClickReadOnly(s); },
      [this](TObject* s) { PopupMenuClickExtClip(s); },
      [this](TObject* s) { PopupMenuClickSelectAll(s); },
      [this](TObject* s) { PopupMenuClickToggleEmpty(s); },
  };
  for (int i = 0; i < 12; ++i)
    dataItems_[i] = NewItem(dataMenu_, dataMenu_->Items(), "DIt" + std::to_string(i + 1), kDataCaptions[i], actions[i]);
  // Items 1..4: mark A, mark B, unmark A, unmark B, each over four scopes.
  for (int m = 0; m < 4; ++m) {
    uint8_t bit = m % 2 == 0 ? csMarkA : csMarkB;
    bool on = m < 2;
    for (int s = 0; s < 4; ++s)
      subItems_[m][s] = NewItem(dataMenu_, dataItems_[m], kSubPrefixes[m] + std::to_string(s + 1), kScopeCaptions[s],
                                [this, s, bit, on](TObject*) { PopupMenuClickMark(TMarkScope(s), bit, on); });
  }
  dataItems_[kItemPaste - 1]->SetEnabled(false);

  headerMenu_ = new TPopupMenu(this);
  headerMenu_->SetName("PopupHTAction");
  headerMenu_->SetAutoPopup(false);
  headerMenu_->OnClose = [this](TObject*) { RemoveHeaderOutline(); };
  const TNotifyEvent headerActions[2] = {[this](TObject* s) { PopupMenuClickChangeID(s); },
                                         [this](TObject* s) { PopupMenuClickPrecision(s); }};
  for (int i = 0; i < 5; ++i)
    headerItems_[i] = NewItem(headerMenu_, headerMenu_->Items(), "HIt" + std::to_string(i + 1), kHeaderCaptions[i],
                              i < 2 ? headerActions[i] : nullptr);
}

// ------------------------------------------------- masks and captions ----

void TNTabEd::SetPopupDMask(uint32_t Mask) {
  dMask_ = Mask;
  for (int i = 1; i <= 12; ++i) dataItems_[i - 1]->SetEnabled(Bit(Mask, i));
  ChangedSetup();
}

void TNTabEd::SetPopupHMask(uint32_t Mask) {
  hMask_ = Mask;
  for (int i = 1; i <= 5; ++i) headerItems_[i - 1]->SetEnabled(Bit(Mask, i));
  ChangedSetup();
}

void TNTabEd::SetPopupDCaption(int Index, const std::string& Caption) {
  if (Index >= 1 && Index <= 12) dataItems_[Index - 1]->SetCaption(Cut(Caption));
}

std::string TNTabEd::GetPopupDCaption(int Index) const {
  return Index >= 1 && Index <= 12 ? dataItems_[Index - 1]->GetCaption() : std::string();
}

void TNTabEd::SetPopupHCaption(int Index, const std::string& Caption) {
  if (Index >= 1 && Index <= 5) headerItems_[Index - 1]->SetCaption(Cut(Caption));
}

std::string TNTabEd::GetPopupHCaption(int Index) const {
  return Index >= 1 && Index <= 5 ? headerItems_[Index - 1]->GetCaption() : std::string();
}

void TNTabEd::SetPopupMCaption(int Index, const std::string& Caption) {
  if (Index < 1 || Index > 4) return;
  subItems_[0][Index - 1]->SetCaption(Cut(Caption));
  subItems_[1][Index - 1]->SetCaption(Cut(Caption));
}

std::string TNTabEd::GetPopupMCaption(int Index) const {
  return Index >= 1 && Index <= 4 ? subItems_[0][Index - 1]->GetCaption() : std::string();
}

void TNTabEd::SetPopupUCaption(int Index, const std::string& Caption) {
  if (Index < 1 || Index > 4) return;
  subItems_[2][Index - 1]->SetCaption(Cut(Caption));
  subItems_[3][Index - 1]->SetCaption(Cut(Caption));
}

std::string TNTabEd::GetPopupUCaption(int Index) const {
  return Index >= 1 && Index <= 4 ? subItems_[2][Index - 1]->GetCaption() : std::string();
}

// ------------------------------------------------------------ showing ----

// Items that change values or cell states follow the mask and, like the
// cell editor, stay off while the data are read-only: "Paste" only after a
// copy. The clipboard keys follow the same rules.
bool TNTabEd::DataItemAllowed(int Item) const {
  if (!Bit(dMask_, Item)) return false;
  switch (Item) {
    case kItemClear: case kItemExtract: case kItemToggleEmpty: return !dataReadOnly_;
    case kItemPaste: return copyDone_ && !dataReadOnly_;
    default: return true;
  }
}

void TNTabEd::PopupMenuDLoadPopup(TObject*) {
  for (int item : {kItemClear, kItemPaste, kItemExtract, kItemToggleEmpty})
    dataItems_[item - 1]->SetEnabled(DataItemAllowed(item));
}

void TNTabEd::PopupDataMenu(int X, int Y) {
  TBitmap box;
  box.LoadFromResourceName(dataReadOnly_ ? "CHECKEDBOX" : "EMPTYBOX");
  dataItems_[kItemReadOnly - 1]->SetBitmap(&box);
  if (OnBeforePopup) OnBeforePopup(this, dataMenu_);
  TPoint at = ClientToScreen({X + 10, Y - 20});
  dataMenu_->SetPopupComponent(this);
  dataMenu_->Popup(at.X, at.Y);
}

void TNTabEd::PopupHeaderMenu(int ACol, int ARow) {
  bool column = ACol > colOffset_;
  headerItems_[0]->SetEnabled(Bit(hMask_, 1));
  headerItems_[1]->SetEnabled(Bit(hMask_, 2) && column);
  headerItems_[2]->SetEnabled(Bit(hMask_, 3));
  headerItems_[3]->SetEnabled(Bit(hMask_, 4) && !dataReadOnly_);
  headerItems_[4]->SetEnabled(Bit(hMask_, 5) && !dataReadOnly_);
  static const char* const kColumn[3] = {"Select Column", "Insert Column", "Delete Column"};
  static const char* const kRow[3] = {"Select Row", "Insert Row", "Delete Row"};
  const TNotifyEvent colActions[3] = {[this](TObject* s) { PopupMenuClickSelectCol(s); },
                                      [this](TObject* s) { PopupMenuClickInsertCol(s); },
                                      [this](TObject* s) { PopupMenuClickDeleteCol(s); }};
  const TNotifyEvent rowActions[3] = {[this](TObject* s) { PopupMenuClickSelectRow(s); },
                                      [this](TObject* s) { PopupMenuClickInsertRow(s); },
                                      [this](TObject* s) { PopupMenuClickDeleteRow(s); }};
  for (int i = 0; i < 3; ++i) {
    headerItems_[i + 2]->SetCaption(column ? kColumn[i] : kRow[i]);
    headerItems_[i + 2]->OnClick = column ? colActions[i] : rowActions[i];
  }
  OutlineClickedHeader();
  if (OnBeforePopup) OnBeforePopup(this, headerMenu_);
  TRect cell = CellRect(ACol, ARow);
  TPoint at = ClientToScreen({cell.Left + 20, cell.Top + 20});
  headerMenu_->SetPopupComponent(this);
  headerMenu_->Popup(at.X, at.Y);
}

// An inverting frame around the clicked header cell while its menu shows;
// drawn by Paint over the cells, so that repaints meanwhile keep it.
void TNTabEd::OutlineClickedHeader() {
  TRect r = CellRect(clickedCell_.X, clickedCell_.Y);
  outlined_ = !r.IsEmpty();
  outline_ = {r.Left, r.Top, r.Right + 1, r.Bottom + 1};
  PaintAtOnce();
}

void TNTabEd::RemoveHeaderOutline() {
  if (!outlined_) return;
  outlined_ = false;
  PaintAtOnce();
}

void TNTabEd::DrawHeaderOutline() {
  if (!outlined_) return;
  TCanvas* C = Canvas();
  C->Pen()->SetMode(pmNot);
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(outline_);
  C->Pen()->SetMode(pmCopy);
  C->Brush()->SetStyle(bsSolid);
}

// ------------------------------------------------------- data actions ----

void TNTabEd::PopupMenuClickMark(TMarkScope Scope, uint8_t Bit, bool On) {
  TTableRange r = SelectedRange();
  int cols = table_->GetNrOfColumns(), rows = table_->GetNrOfRows();
  if (Scope == msColumn || Scope == msAll) r.Top = 1, r.Bottom = rows;
  if (Scope == msRow || Scope == msAll) r.Left = 1, r.Right = cols;
  {
    TPaintPause updating(*this, TPaintPause::Quiet);
    for (int row = r.Top; row <= r.Bottom; ++row)
      for (int col = r.Left; col <= r.Right; ++col) {
        uint8_t s = table_->GetCellState(col, row);
        table_->SetCellState(col, row, On ? uint8_t(s | Bit) : uint8_t(s & ~Bit));
      }
  }
  PaintAtOnce();
  ChangedCellStates();
}

void TNTabEd::PopupMenuClickUnmarkAll(TObject*) { UnMarkAllElems(); }

void TNTabEd::PopupMenuClickClear(TObject*) {
  TTableRange r = SelectedRange();
  WithoutDataBinding([&] {
    for (int row = r.Top; row <= r.Bottom; ++row)
      for (int col = r.Left; col <= r.Right; ++col) {
        table_->SetElem(col, row, 0);
        table_->SetCellState(col, row, 0);
      }
  });
  PaintAtOnce();
  if (OnPaste) OnPaste(this);
  ChangedData();
  ChangedCellStates();
}

void TNTabEd::PopupMenuClickReadOnly(TObject*) {
  SetDataReadOnly(!dataReadOnly_);
  ChangedSetup();
}

void TNTabEd::PopupMenuClickSelectAll(TObject*) {
  SelectTableRange(1, 1, table_->GetNrOfColumns(), table_->GetNrOfRows());
}

void TNTabEd::PopupMenuClickToggleEmpty(TObject*) {
  TTableRange r = SelectedRange();
  WithoutDataBinding([&] {
    for (int row = r.Top; row <= r.Bottom; ++row)
      for (int col = r.Left; col <= r.Right; ++col)
        table_->SetCellState(col, row, uint8_t(table_->GetCellState(col, row) ^ csEmpty));
  });
  PaintAtOnce();
  ChangedCellStates();
}

// ----------------------------------------------------- header actions ----

// 10, 9, .. 0, scientific, 10 again; the menu comes back for the next step.
void TNTabEd::PopupMenuClickPrecision(TObject*) {
  int col = DataCol(clickedCell_.X);
  if (col < 1 || col > table_->GetNrOfColumns()) return;
  uint8_t p = GetDecPlaces(col);
  SetDecPlaces(col, p == DecPlacesScientific ? MaxFixedDecPlaces : p == 0 ? -1 : p - 1);
  OutlineClickedHeader();
  TRect cell = CellRect(clickedCell_.X, clickedCell_.Y);
  TPoint at = ClientToScreen({cell.Left + 20, cell.Top + 20});
  headerMenu_->Popup(at.X, at.Y);
  ChangedLayout();
}

void TNTabEd::PopupMenuClickSelectCol(TObject*) {
  int col = DataCol(clickedCell_.X);
  SelectTableRange(col, 1, col, table_->GetNrOfRows());
}

void TNTabEd::PopupMenuClickSelectRow(TObject*) {
  int row = DataRow(clickedCell_.Y);
  SelectTableRange(1, row, table_->GetNrOfColumns(), row);
}

void TNTabEd::PopupMenuClickInsertCol(TObject*) {
  int col = DataCol(clickedCell_.X);
  TNotifyEvent saved = std::move(table_->OnDataChanged);
  table_->OnDataChanged = nullptr;
  try {
    InsertColumn(col);
  } catch (...) {
    table_->OnDataChanged = std::move(saved);
    throw;
  }
  table_->OnDataChanged = std::move(saved);
  SetColName(col, "(...)");
}

void TNTabEd::PopupMenuClickInsertRow(TObject*) {
  int row = DataRow(clickedCell_.Y);
  TNotifyEvent saved = std::move(table_->OnDataChanged);
  table_->OnDataChanged = nullptr;
  try {
    InsertRow(row);
  } catch (...) {
    table_->OnDataChanged = std::move(saved);
    throw;
  }
  table_->OnDataChanged = std::move(saved);
  SetRowName(row, "(...)");
}

void TNTabEd::PopupMenuClickDeleteCol(TObject*) {
  RemoveColumn(DataCol(clickedCell_.X));
  ChangedSetup();
}

void TNTabEd::PopupMenuClickDeleteRow(TObject*) {
  RemoveRow(DataRow(clickedCell_.Y));
  ChangedSetup();
}

}  // namespace qel
