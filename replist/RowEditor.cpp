// TReportListView's row editor: a dialog built at run time with a label and
// an editor per column (edit, combo box, date picker or numeric field, by
// the column format), shown modally; OK writes the editors back into the
// row. Every control it made is freed afterwards, whatever happened.
#include <algorithm>
#include <map>

#include "numeric/QEL_NumIO.h"
#include "platform/controls/Forms.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/DateTimePicker.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/SpeedButton.h"
#include "replist/detail/ColumnFormat.h"
#include "replist/detail/RowEditorDate.h"
#include "replist/detail/ReportListViewInternal.h"

namespace qel {

struct TReportListView::TUnreadDates {
  std::map<TComponent*, double> ByPicker;
};

namespace {

constexpr char kPrefix[] = "runtime_rlre_";

// One column's editor, as its format describes it.
struct TEditorField {
  char kind = 's';        // s, c, l, d, e, f, h, i; anything else: label only
  bool readOnly = false;
  int width = 200;
  int dropDownCount = 0;  // from "c:n" / "l:n"
  std::string dateFormat;
  std::string defaultPart;
  std::string format;     // without the read-only mark, for the default value
};

TEditorField ReadEditorFormat(const std::string& Format) {
  TEditorField field;
  TColumnFormatParts parts = SplitColumnFormat(Format);
  std::string type = parts.type.empty() ? "s" : parts.type;
  if (type[0] == '#') {
    field.readOnly = true;
    type.erase(0, 1);
  }
  field.kind = type.empty() ? '\0' : type[0];
  if ((field.kind == 'c' || field.kind == 'l') && type.size() > 1 && type[1] == ':')
    field.dropDownCount = FormatNumberAt(type, 3);
  if (field.kind == 'd') field.dateFormat = type.substr(1);
  field.width = ColumnFormatWidth(Format);
  field.defaultPart = parts.defaultPart;
  field.format = "[" + type + "]" + parts.widthPart + parts.defaultPart;
  return field;
}

// The items of a list: the pieces between vertical bars (a trailing bar ends
// the last one).
std::vector<std::string> ListItems(std::string Text) {
  std::vector<std::string> items;
  if (Text.empty() || Text.back() != '|') Text += '|';
  size_t start = 0;
  for (size_t bar = Text.find('|'); bar != std::string::npos; bar = Text.find('|', start)) {
    items.push_back(Text.substr(start, bar - start));
    start = bar + 1;
  }
  return items;
}

// A picker's format empty: the platform's short date, as the picker shows it.
bool ReadPickerDate(const std::string& Text, const std::string& Format, TDateTime& Value) {
  if (Format.empty()) return TryStrToDate(Text, Value);
  int error = 0;
  Value = ParseEditDate(Text, Format, &error);
  return error == edeNone;
}

bool HasName(const TComponent* C, const char* Part) { return C->GetName().find(Part) != std::string::npos; }

void AddLabel(TCustomForm& Form, int Col, const std::string& Caption, TPoint At, int Width) {
  auto* label = new TLabel(&Form);
  label->SetName(kPrefix + std::string("Label") + std::to_string(Col));
  label->SetParent(&Form);
  label->SetAutoSize(false);
  label->SetAlignment(taRightJustify);
  label->SetBounds(At.X, At.Y, Width, label->GetHeight());
  label->SetCaption(Caption);
}

TComboBox* NewComboBox(TCustomForm& Form, const std::string& Name, const TEditorField& Field, const std::string& Cell) {
  auto* box = new TComboBox(&Form);
  box->SetName(Name);
  box->SetStyle(Field.kind == 'c' ? csDropDown : csDropDownList);
  for (const std::string& item : ListItems(Field.defaultPart)) box->Items()->Add(item);
  if (Field.dropDownCount > 0) box->SetDropDownCount(Field.dropDownCount);
  if (Field.kind == 'c') box->SetText(Cell);
  else box->SetItemIndex(box->Items()->IndexOf(Cell));
  return box;
}

// A date the picker cannot read leaves it at today, noted in Unread.
TDateTimePicker* NewDatePicker(TCustomForm& Form, const std::string& Name, const TEditorField& Field,
                               const std::string& Cell, std::map<TComponent*, double>& Unread) {
  auto* picker = new TDateTimePicker(&Form);
  picker->SetName(Name);
  picker->SetFormat(Field.dateFormat);
  TDateTime value = 0;
  if (ReadPickerDate(Cell.empty() ? Field.defaultPart : Cell, Field.dateFormat, value)) {
    picker->SetDateTime(value);
  } else {
    picker->SetDateTime(Date());
    Unread[picker] = picker->GetDateTime();
  }
  return picker;
}

TNumIO* NewNumberField(TCustomForm& Form, const std::string& Name, char Kind, const std::string& Text) {
  auto* num = new TNumIO(&Form);
  num->SetName(Name);
  num->SetRangeLow(-1.7e308);
  num->SetRangeHigh(1.7e308);
  num->SetInputFormat(Kind == 'e' ? itDynamic : Kind == 'f' ? itFloat : Kind == 'h' ? itHex : itInt);
  num->SetEditText(Text);
  return num;
}

TEdit* NewEdit(TCustomForm& Form, const std::string& Name, const std::string& Text) {
  auto* edit = new TEdit(&Form);
  edit->SetName(Name);
  edit->SetText(Text);
  return edit;
}

// A read-only editor is greyed out and takes no input.
void PlaceEditor(TWinControl& Editor, TCustomForm& Form, int Col, TPoint At, const TEditorField& Field) {
  Editor.SetTag(Col);
  Editor.SetParent(&Form);
  Editor.SetBounds(At.X, At.Y, Field.width, Editor.GetHeight());
  if (!Field.readOnly) return;
  Editor.SetEnabled(false);
  Editor.SetColor(0xE0E0E0);
  Editor.GetFont()->SetColor(0x808080);
}

// A dialog of our own: its size, frame and buttons; returns Cancel.
TControl* LayOutOwnDialog(TReportListView& View, TCustomForm& Form, int Width, int RowsBottom,
                          const std::string& OkCaption, const std::string& CancelCaption) {
  Form.SetWidth(Width + 28);
  Form.SetHeight(RowsBottom + 38);
  Form.SetBorderStyle(bsDialog);
  auto button = [&](const char* name, int left, const std::string& caption, void (TReportListView::*click)(TObject*)) {
    auto* b = new TSpeedButton(&Form);
    b->SetName(kPrefix + std::string(name));
    b->SetParent(&Form);
    b->SetBounds(left, 4, 81, 29);
    b->SetCaption(caption);
    b->OnClick = [&View, click](TObject* Sender) { (View.*click)(Sender); };
    return b;
  };
  TControl* cancel = button("Cancel", Width - 69, CancelCaption, &TReportListView::EdRowCancelClick);
  button("OK", Width - 154, OkCaption, &TReportListView::EdRowOKClick);
  return cancel;
}

// A form given to us only grows to hold the editors.
void GrowToHold(TCustomForm& Form, int Width, int RowsHeight) {
  if (Form.GetWidth() < Width + 28) Form.SetWidth(Width + 28);
  if (Form.GetHeight() < RowsHeight + 38) Form.SetHeight(RowsHeight + 38);
}

// The editor the field's kind asks for; nullptr for a kind that has none.
// An empty cell shows the column's default in an edit or a number field.
TWinControl* NewFieldEditor(TCustomForm& Form, int Col, int Row, const TEditorField& Field, const std::string& Cell,
                            std::map<TComponent*, double>& UnreadDates) {
  const std::string number = std::to_string(Col);
  const auto text = [&] { return Cell.empty() ? ColumnFormatDefault(Field.format, Row) : Cell; };
  switch (Field.kind) {
    case 'c':
    case 'l': return NewComboBox(Form, kPrefix + std::string("CBox") + number, Field, Cell);
    case 'd': return NewDatePicker(Form, kPrefix + std::string("DtPick") + number, Field, Cell, UnreadDates);
    case 'e':
    case 'f':
    case 'h':
    case 'i': return NewNumberField(Form, kPrefix + std::string("NumIO") + number, Field.kind, text());
    case 's': return NewEdit(Form, kPrefix + std::string("Edit") + number, text());
    default: return nullptr;
  }
}

}  // namespace

int TReportListView::EditRowEntries(int Row, int X, int Y) {
  return EditRowEntriesIntern(Row, nullptr, X, Y, "Editing Row " + std::to_string(Row), "OK", "Cancel");
}

int TReportListView::EditRowEntries(int Row, int X, int Y, const std::string& FormCaption,
                                    const std::string& OkCaption, const std::string& CancelCaption) {
  return EditRowEntriesIntern(Row, nullptr, X, Y, FormCaption, OkCaption, CancelCaption);
}

int TReportListView::EditRowEntries(int Row, TCustomForm* Form, int X, int Y) {
  return EditRowEntriesIntern(Row, Form, X, Y, "", "OK", "Cancel");
}

void TReportListView::EdRowOKClick(TObject*) {
  if (rowEditorForm_) rowEditorForm_->SetModalResult(mrOk);
}

void TReportListView::EdRowCancelClick(TObject*) {
  if (rowEditorForm_) rowEditorForm_->SetModalResult(mrCancel);
}

void TReportListView::EdRowKeyPress(TObject*, char32_t& Key) {
  if (Key == 13 && rowEditorForm_) rowEditorForm_->SetModalResult(mrOk);
}

int TReportListView::EditRowEntriesIntern(int Row, TCustomForm* Form, int X, int Y, const std::string& FormCaption,
                                          const std::string& OkCaption, const std::string& CancelCaption) {
  HideEditor();
  std::unique_ptr<TForm> own;
  int top = 0;
  if (!Form) {
    own = std::make_unique<TForm>(this);
    own->SetLeft(X);
    own->SetTop(Y);
    Form = own.get();
    X = Y = 0;
    top = 45;
  }
  // Whatever ends the dialog, the controls it made go, the last first.
  struct TCleanup {
    TReportListView& view;
    TCustomForm* form;
    ~TCleanup() {
      for (int i = form->ComponentCount() - 1; i >= 0; --i) {
        TComponent* c = form->Components(i);
        if (HasName(c, kPrefix)) delete c;
      }
      view.rowEditorForm_ = nullptr;
      view.rowEditorCancel_ = nullptr;
    }
  } cleanup{*this, Form};
  rowEditorForm_ = Form;
  TUnreadDates unreadDates;
  const int width = AddRowEditors(*Form, Row, X, Y + top, unreadDates);
  if (own) rowEditorCancel_ = LayOutOwnDialog(*this, *Form, width, GetNrCols() * 25 + top, OkCaption, CancelCaption);
  else GrowToHold(*Form, width, GetNrCols() * 25);
  Form->SetCaption(FormCaption);
  Form->SetModalResult(mrNone);
  const int result = Form->ShowModal();
  if (result == mrOk) WriteBackRow(*Form, Row, unreadDates);
  return result;
}

// A label and an editor per column, from (X, Y) down; returns the width of
// the labels and the widest editor. Pickers whose cell held no readable
// date go into UnreadDates with the date they offered: they are written
// back only when it was changed.
int TReportListView::AddRowEditors(TCustomForm& Form, int Row, int X, int Y, TUnreadDates& UnreadDates) {
  int labelWidth = 0;
  for (int c = 1; c <= GetNrCols(); ++c) labelWidth = std::max(labelWidth, Form.Canvas()->TextWidth(GetColName(c)));
  labelWidth += 8;
  int widest = 0;
  for (int c = 1; c <= GetNrCols(); ++c) {
    const int t = Y + (c - 1) * 25;
    std::string format = GetColumnFormat(c);
    if (OnRequestEditFormat) OnRequestEditFormat(this, c, Row, format);
    const TEditorField field = ReadEditorFormat(format);
    widest = std::max(widest, field.width);
    AddLabel(Form, c, GetColName(c) + ":", {X + 8, t + 3}, labelWidth);
    TWinControl* editor = NewFieldEditor(Form, c, Row, field, GetElem(c, Row), UnreadDates.ByPicker);
    if (!editor) continue;
    PlaceEditor(*editor, Form, c, {labelWidth + X + 12, t}, field);
    if (!field.readOnly) editor->OnKeyPress = [this](TObject* Sender, char32_t& Key) { EdRowKeyPress(Sender, Key); };
  }
  return labelWidth + widest;
}

void TReportListView::WriteBackRow(TCustomForm& Form, int Row, const TUnreadDates& UnreadDates) {
  TPaintPause pause(*this);
  for (int i = 0; i < Form.ComponentCount(); ++i) {
    TComponent* c = Form.Components(i);
    const int col = int(c->GetTag());
    if (HasName(c, "runtime_rlre_Edit") || HasName(c, "runtime_rlre_NumIO") || HasName(c, "runtime_rlre_CBox")) {
      SetElem(col, Row, static_cast<TControl*>(c)->GetText());
    } else if (HasName(c, "runtime_rlre_DtPick")) {
      auto* picker = static_cast<TDateTimePicker*>(c);
      const auto unread = UnreadDates.ByPicker.find(c);
      if (unread != UnreadDates.ByPicker.end() && unread->second == picker->GetDateTime()) continue;  // nothing read, nothing chosen
      SetElem(col, Row, picker->GetFormat().empty() ? picker->Text()
                                                    : FormatDateTime(picker->GetFormat(), picker->GetDateTime()));
    }
  }
}

}  // namespace qel
