// TNTabEd editing: the cell editor with its pick list and parsing, the name
// editor for headers and attributes, the comment editor on the corner
// cell, and the keys and mouse presses that open, advance and close them.
//
// A first press on a cell only selects it (the press takes goEditing away);
// the release gives goEditing back unless DataReadOnly, so a second press
// on the same cell, or typing, opens the cell editor.
#include <algorithm>
#include <cmath>

#include "ntabed/detail/CellFormat.h"
#include "ntabed/detail/CellInput.h"
#include "ntabed/QEL_ntabed.h"
#include "ntabed/detail/NTabEdInternal.h"
#include "platform/controls/Messages.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/rtl/NumConv.h"
#include "platform/rtl/StringList.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Memo.h"

namespace qel {

namespace {
constexpr TColor kCommentColor = 0x808000;
constexpr int kCommentHeight = 80;
constexpr int kNameEditWidth = 140;
}  // namespace

void TNTabEd::BuildEditors() {
  pickList_ = std::make_unique<TStringList>();
  if (ComponentState().Contains(csDesigning)) return;
  nameEdit_ = new TEdit(this);
  nameEdit_->SetVisible(false);
  nameEdit_->SetParent(this);
  nameEdit_->OnKeyPress = [this](TObject* s, char32_t& k) { NameEdKeyPress(s, k); };
  commentMemo_ = new TMemo(this);
  commentMemo_->SetVisible(false);
  commentMemo_->SetParent(this);
  commentMemo_->OnKeyPress = [this](TObject* s, char32_t& k) { CommentMemoKeyPress(s, k); };
}

// ------------------------------------------------------ the cell editor ----

bool TNTabEd::IsNominal(int Col) const {
  int type = table_->GetMScaleType(Col);
  return type == 1 || type == 2;
}

TInplaceEdit* TNTabEd::CreateEditor() {
  auto* editor = new TInplaceEditList(this);
  editor->SetDropDownRows(nomEditDropDownCount_);
  editor->OnGetPickListItems = [this](int c, int r, TStrings* items) { ColumnsGetPickListItems(c, r, items); };
  return editor;
}

TEditStyle TNTabEd::GetEditStyle(int ACol, int) { return IsNominal(DataCol(ACol)) ? esPickList : esSimple; }

void TNTabEd::ColumnsGetPickListItems(int ACol, int, TStrings* Items) {
  int col = DataCol(ACol);
  pickList_->Clear();
  for (int code = 1; code <= MaxNominalCode; ++code) {
    std::string id = table_->GetNominalID(col, code);
    if (!id.empty()) pickList_->Add(id);
  }
  if (Items) Items->Assign(pickList_.get());
}

std::string TNTabEd::GetEditText(int ACol, int ARow) {
  int col = DataCol(ACol), row = DataRow(ARow);
  std::string text;
  double v = table_->GetElem(col, row);
  if (IsNominal(col)) {
    double code = std::isfinite(v) ? std::round(v) : 0;
    if (code >= 1 && code <= MaxNominalCode) text = table_->GetNominalID(col, int(code));
    if (text.empty()) text = std::fabs(code) < 1e15 ? IntToStr(int64_t(code)) : FormatCellNumber(code, 1, 255);
  } else {
    text = FormatCellNumber(v, numWidth_, DecPlacesOf(col));
  }
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, text);
  editOrigin_ = {col, row, text, v, table_->GetCellState(col, row)};
  return text;
}

void TNTabEd::SetEditText(int ACol, int ARow, const std::string& Value) {
  StoreEditedCell(DataCol(ACol), DataRow(ARow), Value);
  TCustomGrid::SetEditText(ACol, ARow, Value);
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

// The whole state byte is written: typing clears marks and the empty bit.
void TNTabEd::StoreEditedCell(int Col, int Row, const std::string& Text) {
  if (Col < 1 || Col > table_->GetNrOfColumns() || Row < 1 || Row > table_->GetNrOfRows()) return;
  // The cell follows every keystroke; a text that is no number keeps the
  // value the cell had before editing, not one typed on the way ("1e40" of "1e400").
  bool origin = editOrigin_.Col == Col && editOrigin_.Row == Row;
  double value = origin ? editOrigin_.Value : table_->GetElem(Col, Row);
  uint8_t state = csInvalid;
  if (origin && Text == editOrigin_.Text) {
    // The text shown at the start (Escape, or typed back): the cell as it
    // was, not the rounded number of its text.
    value = editOrigin_.Value;
    state = editOrigin_.State;
  } else if (IsNominal(Col)) {
    std::string id = Text.substr(0, MaxNominalIDLength);
    int code = table_->OrdinalOfNominalID(Col, id, true);
    if (Text.find_first_not_of(" \t") == std::string::npos) {
      state = csEmpty;
    } else if (code > 0) {
      value = code;
      state = 0;
    } else if (IsValidDecInt(Text)) {
      value = StrToInt(Text);
      state = 0;
    }
  } else {
    double v = 0;
    switch (ParseCellInput(Text, v)) {
      case TCellInput::Number: value = v; state = 0; break;
      case TCellInput::Empty: state = csEmpty; break;
      case TCellInput::Invalid: break;
    }
  }
  bool changed = state != table_->GetCellState(Col, Row) || !(value == table_->GetElem(Col, Row));
  if (!changed) return;
  table_->SetElem(Col, Row, value);
  table_->SetCellState(Col, Row, state);
  ChangedData();
  ChangedCellStates();
}

// --------------------------------------------------------------- keys ----

void TNTabEd::KeyPress(char32_t& Key) {
  char32_t typed = Key;
  TCustomDataGrid::KeyPress(Key);
  if (autoAdvance_ && (Key == 0 || Key == U'\r') && typed != 27) {
    uint16_t step = autoAdvanceDir_ == orVertical ? VK_DOWN : VK_RIGHT;
    KeyDown(step, {});
  }
  if (typed == 27 && InplaceEditor()) {
    SetOptions(GetOptions() - TGridOptions{goEditing});
    HideEditor();
  }
}

void TNTabEd::WndProc(TMessage& Message) {
  TCustomDataGrid::WndProc(Message);
  if (Message.Msg == WM_GETDLGCODE) Message.Result |= DLGC_WANTTAB;
}

// ------------------------------------------------------------- mouse ----

void TNTabEd::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (commentEditing_) {
    TCustomDataGrid::MouseDown(Button, Shift, X, Y);
    clickedCell_ = MouseCoord(X, Y);
    if (clickedCell_ == TGridCoord{0, 0}) CloseCommentEditor(false);
    return;
  }
  if (headerEditing_) return;
  TGridCoord previous = MouseCoord(lastPress_.X, lastPress_.Y);
  clickedCell_ = MouseCoord(X, Y);
  if (!(previous == clickedCell_)) SetOptions(GetOptions() - TGridOptions{goEditing});
  TCustomDataGrid::MouseDown(Button, Shift, X, Y);
  Invalidate();
  if (X <= 0 || X >= GetGridWidth() || Y <= 0 || Y >= GetGridHeight()) return;
  lastPress_ = {X, Y};
  TGridCoord hit = clickedCell_;
  bool internalMenus = !GetPopupMenu() && !blockInternalPopup_;
  if (hit.X > colOffset_ && hit.Y > rowOffset_) {
    if (hit == previous && !dataReadOnly_) SetOptions(GetOptions() + TGridOptions{goEditing});
    if (Button == mbRight && internalMenus) PopupDataMenu(X, Y);
    else if (Button == mbLeft) RedrawCorner();
  } else if (hit == TGridCoord{0, 0}) {
    if (Button == mbRight && !blockInternalPopup_ && commentEditingAllowed_) OpenCommentEditor();
  } else if (hit.X >= 0 && hit.Y >= 0 && (hit.X > colOffset_ || hit.Y > rowOffset_)) {
    if (Button == mbRight && internalMenus) PopupHeaderMenu(hit.X, hit.Y);
  }
}

// A double click on a data cell edits it, as two slower presses do.
void TNTabEd::DblClick() {
  TCustomDataGrid::DblClick();
  TGridCoord hit = MouseCoord(lastPress_.X, lastPress_.Y);
  if (dataReadOnly_ || commentEditing_ || headerEditing_ || hit.X <= colOffset_ || hit.Y <= rowOffset_) return;
  if (!(hit == TGridCoord{GetCol(), GetRow()})) return;
  SetOptions(GetOptions() + TGridOptions{goEditing});
  ShowEditor();
}

void TNTabEd::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomDataGrid::MouseUp(Button, Shift, X, Y);
  RestoreEditing();
}

// -------------------------------------------------- the comment editor ----

void TNTabEd::OpenCommentEditor() {
  if (!commentMemo_) return;
  commentEditing_ = true;
  TRect corner = CellRect(0, 0);
  if (!corner.IsEmpty() && HandleAllocated()) {
    TCanvas* C = Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(kCommentColor);
    C->Font()->Assign(GetFont());
    C->Font()->SetColor(clWhite);
    C->TextRect(corner, corner.Left + 2, corner.Top + 1, "Comment:");
  }
  int left = GridColWidth(0);
  commentMemo_->SetBounds(left, 0, std::max(GetWidth() - left - 20, 1), kCommentHeight);
  commentMemo_->SetText(table_->GetFComment());
  commentMemo_->SetColor(kCommentColor);
  commentMemo_->GetFont()->SetColor(clWhite);
  commentMemo_->Show();
  if (commentMemo_->CanFocus()) commentMemo_->SetFocus();
}

void TNTabEd::CloseCommentEditor(bool Apply) {
  if (!commentMemo_) return;
  commentMemo_->Hide();
  commentEditing_ = false;
  if (CanFocus()) SetFocus();
  if (Apply) {
    table_->SetFComment(commentMemo_->GetText());
    ChangedData();
  }
  Invalidate();
  RedrawCorner();
}

void TNTabEd::CommentMemoKeyPress(TObject*, char32_t& Key) {
  if (Key != U'\r' && Key != 27) return;
  bool apply = Key == U'\r';
  Key = 0;
  CloseCommentEditor(apply);
}

// ----------------------------------------------------- the name editor ----

void TNTabEd::PopupMenuClickChangeID(TObject*) {
  int c = clickedCell_.X, r = clickedCell_.Y;
  if (!nameEdit_ || (c <= colOffset_ && r <= rowOffset_)) return;
  std::string text;
  if (c > colOffset_) {
    int col = DataCol(c);
    text = r == 0 ? table_->GetColName(col) : IntToStr(int(table_->GetColAttrib(col)));
  } else {
    int row = DataRow(r);
    text = c == 0 ? table_->GetRowName(row) : IntToStr(int(table_->GetRowAttrib(row)));
  }
  TRect cell = CellRect(c, r);
  nameEdit_->SetBounds(cell.Left + 30, cell.Top + 5, kNameEditWidth, nameEdit_->GetHeight());
  nameEdit_->SetText(text);
  nameEdit_->Show();
  if (nameEdit_->CanFocus()) nameEdit_->SetFocus();
  nameEdit_->SelectAll();
  headerEditing_ = true;
}

void TNTabEd::NameEdKeyPress(TObject*, char32_t& Key) {
  if (Key != U'\r' && Key != 27) return;
  bool apply = Key == U'\r';
  Key = 0;
  nameEdit_->Hide();
  headerEditing_ = false;
  if (CanFocus()) SetFocus();
  Invalidate();
  if (apply) ApplyNameEdit();
}

// A name goes in as typed (cut to 50 characters); an attribute must be a
// number, clamped to 0..255 and rounded.
void TNTabEd::ApplyNameEdit() {
  int c = clickedCell_.X, r = clickedCell_.Y;
  std::string text = nameEdit_->GetText();
  bool columnHeader = c > colOffset_;
  bool name = columnHeader ? r == 0 : c == 0;
  int index = columnHeader ? DataCol(c) : DataRow(r);
  if (name) {
    if (columnHeader) SetColName(index, text);
    else SetRowName(index, text);
  } else {
    double v = 0;
    int code = 0;
    Val(text, v, code);
    if (code != 0 || std::isnan(v)) return;
    uint8_t a = uint8_t(std::nearbyint(std::clamp(v, 0.0, 255.0)));
    if (columnHeader) SetColAttrib(index, a);
    else SetRowAttrib(index, a);
  }
  ChangedHeading();
}

}  // namespace qel
