#include "platform/stdctrls/ComboBox.h"

#include <algorithm>

#include "platform/controls/Application.h"
#include "platform/rtl/Utf8.h"
#include "platform/stdctrls/ButtonFace.h"
#include "platform/stdctrls/DropDownList.h"

namespace qel {

namespace {
constexpr int ButtonWidth = 17;
}

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(std::make_unique<TStringList>()) {
  SetBorderStyle(bsSingle);
  SetColor(clWindow);
  SetTabStop(true);
  // OnClick means a choice of item here, not a mouse click.
  controlStyle_.Exclude(csClickEvents);
  items_->OnChange = [this](TObject*) { ItemsChanged(); };
  editor_.GetArea = [this] { return TextArea(); };
  editor_.OnView = [this] { Invalidate(); };
  editor_.OnEdit = [this] { EditorChangedText(); };
  editor_.SetFont(GetFont());
  itemHeight_ = editor_.LineHeight();
  SetBounds(0, 0, 145, 21);
  AdjustHeight();
}

TCustomComboBox::~TCustomComboBox() {
  // The popup calls back into the combo; it must go while the combo is whole.
  popup_.reset();
}

// --------------------------------------------------------- properties ----

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (v == style_) return;
  style_ = v;
  SetCursor(Editable() ? crIBeam : crDefault);
  SelectIndex(itemIndex_);
  AdjustHeight();
  Invalidate();
}

void TCustomComboBox::SetItemHeight(int v) {
  if (v < 1) return;
  itemHeight_ = v;
  AdjustHeight();
  Invalidate();
}

// The closed box is as tall as an item plus border and margins.
void TCustomComboBox::AdjustHeight() {
  int content = OwnerDraw() ? itemHeight_ : editor_.LineHeight();
  SetHeight(content + 2 * BorderWidth() + 4);
}

TRect TCustomComboBox::ButtonRect() const {
  TRect c = GetClientRect();
  return {std::max(c.Right - ButtonWidth, 0), 0, c.Right, c.Bottom};
}

TRect TCustomComboBox::TextArea() {
  TRect c = GetClientRect();
  int lh = editor_.LineHeight();
  int top = std::max((c.Height() - lh) / 2, 0);
  return {2, top, std::max(ButtonRect().Left - 1, 2), std::min(top + lh, c.Bottom)};
}

TCanvas* TCustomComboBox::Canvas() {
  if (drawCanvas_) return drawCanvas_;
  HandleNeeded();
  return PaintCanvas();
}

TCustomControl* TCustomComboBox::ListControl() { return droppedDown_ && popup_ ? popup_->List() : nullptr; }

// --------------------------------------------------------- text, index ----

void TCustomComboBox::SetTextQuietly(const std::string& S) {
  syncing_ = true;
  TControl::SetText(S);
  syncing_ = false;
}

void TCustomComboBox::SelectIndex(int Index) {
  int n = items_->Count();
  itemIndex_ = Index >= 0 && Index < n ? Index : -1;
  if (itemIndex_ >= 0 || !Editable()) {
    std::string text = itemIndex_ >= 0 ? items_->Get(itemIndex_) : std::string();
    editor_.SetText(text);
    SetTextQuietly(text);
  }
  Invalidate();
}

void TCustomComboBox::SetItemIndex(int v) {
  if (v != itemIndex_) SelectIndex(v);
}

void TCustomComboBox::Clear() {
  items_->Clear();
  SetText("");
}

// The program set the text: a list style selects the item of that text.
void TCustomComboBox::TextChanged() {
  if (syncing_) return;
  if (Editable()) {
    editor_.SetText(GetText());
    int i = items_->IndexOf(GetText());
    itemIndex_ = i >= 0 && items_->Get(i) == GetText() ? i : -1;
  } else {
    SelectIndex(items_->IndexOf(GetText()));
  }
  Invalidate();
}

void TCustomComboBox::EditorChangedText() {
  SetTextQuietly(editor_.Model().Text());
  int i = items_->IndexOf(GetText());
  itemIndex_ = i >= 0 && items_->Get(i) == GetText() ? i : -1;
  Change();
}

void TCustomComboBox::ItemsChanged() {
  if (itemIndex_ >= items_->Count()) SelectIndex(-1);
  // A list style shows its item's text: a renamed item renames the box.
  else if (!Editable() && itemIndex_ >= 0 && GetText() != items_->Get(itemIndex_)) SelectIndex(itemIndex_);
  if (droppedDown_ && popup_) ShowList();
  Invalidate();
}

// ------------------------------------------------------------- events ----

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

void TCustomComboBox::UserChoose(int Index) {
  if (Index < 0 || Index >= items_->Count() || Index == itemIndex_) return;
  SelectIndex(Index);
  if (Editable()) editor_.Select(0, editor_.Model().Length());
  Click();
  Select();
}

// ---------------------------------------------------------- the list ----

void TCustomComboBox::SetDroppedDown(bool v) {
  if (v) OpenList(); else CloseList(false);
}

void TCustomComboBox::OpenList() {
  if (droppedDown_) return;
  DropDown();
  if (droppedDown_ || !Showing()) return;
  if (!popup_) {
    popup_ = std::make_unique<TDropDownPopup>(this, items_.get());
    TDropDownList* list = popup_->List();
    list->OnPaintRow = [this](TCanvas* C, int Index, const TRect& Rect, bool Hot) {
      PaintItem(C, Index, Rect, Hot ? TOwnerDrawState{odSelected, odFocused} : TOwnerDrawState{});
    };
    list->OnPick = [this] { CloseList(true); };
    // The press that took the list away does not open it again.
    popup_->OnDismissed = [this](bool PressOnCombo) {
      suppressOpen_ = PressOnCombo;
      CloseList(false);
    };
  }
  droppedDown_ = true;
  ShowList();
  Invalidate();
}

// Places the list under the box with the current item highlighted; the list
// is in the box's colour.
void TCustomComboBox::ShowList() {
  popup_->List()->SetColor(GetColor());
  popup_->Open(dropDownCount_, itemHeight_, itemIndex_);
}

// Take: the highlighted item becomes the choice (Enter, F4, a click in the list).
void TCustomComboBox::CloseList(bool Take) {
  if (!droppedDown_) return;
  droppedDown_ = false;
  int hot = popup_->Close();
  Invalidate();
  if (Take) UserChoose(hot);
  CloseUp();
}

// ---------------------------------------------------------- messages ----

void TCustomComboBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      // While the list is open Enter and Escape belong to it.
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (droppedDown_ ? DLGC_WANTALLKEYS : 0);
      return;
    case WM_KEYDOWN:
      TWinControl::WndProc(Message);
      if (Message.WParam != 0)
        HandleKey(static_cast<uint16_t>(Message.WParam), TShiftState::FromBits(static_cast<uint64_t>(Message.LParam)));
      return;
    case WM_CHAR:
      TWinControl::WndProc(Message);
      if (Message.WParam != 0) CharTyped(static_cast<char32_t>(Message.WParam));
      return;
    case WM_SETFOCUS:
      if (Editable()) editor_.Blink().Start();
      Invalidate();
      break;
    case WM_KILLFOCUS:
      editor_.Blink().Stop();
      editor_.MouseUp();
      CloseList(false);
      Invalidate();
      break;
    case CM_TEXTCHANGED:
      TextChanged();
      return;
    case CM_FONTCHANGED:
      editor_.SetFont(GetFont());
      if (!OwnerDraw()) itemHeight_ = editor_.LineHeight();
      AdjustHeight();
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

bool TCustomComboBox::HandleKey(uint16_t Key, TShiftState Shift) {
  bool alt = Shift.Contains(ssAlt);
  if (Key == VK_F4 || (alt && (Key == VK_DOWN || Key == VK_UP))) {
    if (droppedDown_) CloseList(true); else OpenList();
    return true;
  }
  int n = items_->Count();
  if (droppedDown_) {
    TDropDownList* list = popup_->List();
    if (list->MoveKey(Key)) return true;
    switch (Key) {
      case VK_HOME: list->SetHot(0); return true;
      case VK_END: list->SetHot(n - 1); return true;
      case VK_RETURN: CloseList(true); return true;
      case VK_ESCAPE: CloseList(false); return true;
      default: break;
    }
  } else if (n > 0) {
    int i = itemIndex_;
    bool list = !Editable();
    switch (Key) {
      case VK_UP: UserChoose(std::max(i - 1, 0)); return true;
      case VK_DOWN: UserChoose(std::min(i + 1, n - 1)); return true;
      case VK_PRIOR: UserChoose(std::max(i - (dropDownCount_ - 1), 0)); return true;
      case VK_NEXT: UserChoose(std::min(std::max(i, 0) + dropDownCount_ - 1, n - 1)); return true;
      case VK_LEFT: if (list) { UserChoose(std::max(i - 1, 0)); return true; } break;
      case VK_RIGHT: if (list) { UserChoose(std::min(i + 1, n - 1)); return true; } break;
      case VK_HOME: if (list) { UserChoose(0); return true; } break;
      case VK_END: if (list) { UserChoose(n - 1); return true; } break;
      default: break;
    }
  }
  return Editable() && editor_.KeyDown(Key, Shift);
}

// A list style answers a letter with the next item that starts with it.
int TCustomComboBox::NextByLetter(int From, char32_t Ch) const {
  int n = items_->Count();
  std::string letter = AnsiLowerCase(Utf8EncodeChar(Ch));
  for (int k = 1; k <= n; ++k) {
    int i = ((From < 0 ? -1 : From) + k) % n;
    if (AnsiLowerCase(Utf8FirstChar(items_->Get(i))) == letter) return i;
  }
  return -1;
}

void TCustomComboBox::CharTyped(char32_t Ch) {
  if (Editable()) {
    if (Ch != '\r' && Ch != 27) editor_.Char(Ch);
    return;
  }
  if (Ch < 32 || items_->Count() == 0) return;
  int from = droppedDown_ ? popup_->List()->Hot() : itemIndex_;
  int i = NextByLetter(from, Ch);
  if (i < 0) return;
  if (droppedDown_) popup_->List()->SetHot(i);
  else UserChoose(i);
}

// -------------------------------------------------------------- mouse ----

void TCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (!Focused() && CanFocus()) {
      mouseFocusing_ = true;
      SetFocus();
      mouseFocusing_ = false;
    }
    bool onButton = ButtonRect().Contains({X, Y});
    if (Editable() && !onButton) {
      editor_.MouseDown(X, Y, Shift);
    } else if (suppressOpen_) {
      suppressOpen_ = false;  // the press that closed the list does not reopen it
    } else {
      buttonDown_ = true;
      if (droppedDown_) SetDroppedDown(false); else OpenList();
    }
  }
  TWinControl::MouseDown(Button, Shift, X, Y);
}

void TCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
  editor_.MouseMove(X, Y);
  TWinControl::MouseMove(Shift, X, Y);
}

void TCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  editor_.MouseUp();
  suppressOpen_ = false;
  if (buttonDown_) {
    buttonDown_ = false;
    Invalidate();
  }
  TWinControl::MouseUp(Button, Shift, X, Y);
}

void TCustomComboBox::DoEnter() {
  if (Editable() && !mouseFocusing_) SelectAll();
  TWinControl::DoEnter();
}

// ----------------------------------------------------------- painting ----

void TCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  DrawItemText(Canvas(), Index, Rect);
}

// The item's text on the brush's colour, as an item no one draws looks.
void TCustomComboBox::DrawItemText(TCanvas* C, int Index, const TRect& Rect) {
  C->FillRect(Rect);
  if (Index >= 0 && Index < items_->Count()) DrawListItemText(C, Rect, items_->Get(Index));
}

// Prepares brush and font for the state, as the platform does before it
// asks for an owner-drawn item, then draws it.
void TCustomComboBox::PaintItem(TCanvas* C, int Index, const TRect& Rect, TOwnerDrawState State) {
  bool enabled = GetEnabled();
  C->Font()->Assign(GetFont());
  C->Brush()->SetStyle(bsSolid);
  if (State.Contains(odSelected)) {
    C->Brush()->SetColor(clHighlight);
    C->Font()->SetColor(clHighlightText);
  } else {
    C->Brush()->SetColor(enabled ? GetColor() : clBtnFace);
    if (!enabled) C->Font()->SetColor(clGrayText);
  }
  TCanvas* saved = drawCanvas_;
  drawCanvas_ = C;
  try {
    if (OwnerDraw()) {
      DrawItem(Index, Rect, State);
      // The platform frames the focused item whatever the owner drew.
      if (State.Contains(odFocused)) DrawFocusRect(C, Rect);
    } else {
      DrawItemText(C, Index, Rect);
    }
  } catch (...) {
    drawCanvas_ = saved;
    throw;
  }
  drawCanvas_ = saved;
}

void TCustomComboBox::PaintWindow() {
  TCanvas* c = PaintCanvas();
  TRect client = GetClientRect();
  bool enabled = GetEnabled(), focused = Focused();
  c->Brush()->SetColor(enabled ? GetColor() : clBtnFace);
  c->FillRect(client);
  if (Editable()) {
    TTextColors colors{enabled ? GetFont()->GetColor() : clGrayText, clHighlight, clHighlightText};
    editor_.Paint(c, colors, focused, focused);
  } else {
    TRect face{1, 1, ButtonRect().Left - 1, client.Bottom - 1};
    TOwnerDrawState state{odComboBoxEdit};
    if (focused && !droppedDown_) state += TOwnerDrawState{odSelected, odFocused};
    if (!enabled) state += TOwnerDrawState{odDisabled, odGrayed};
    PaintItem(c, itemIndex_, face, state);
  }
  DrawDropDownButton(c, ButtonRect(), buttonDown_ || droppedDown_, GetEnabled(), dgArrow);
}

}  // namespace qel
