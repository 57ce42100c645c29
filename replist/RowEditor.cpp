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
#include "replist/ColumnFormat.h"
#include "replist/RowEditorDate.h"
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

  int labelWidth = 0;
  for (int c = 1; c <= GetNrCols(); ++c) labelWidth = std::max(labelWidth, Form->Canvas()->TextWidth(GetColName(c)));
  labelWidth += 8;
  int widest = 0;
  // Pickers whose cell held no readable date, with the date they offered:
  // written back only when it was changed.
  TUnreadDates unreadDates;
  for (int c = 1; c <= GetNrCols(); ++c) {
    const int t = top + (c - 1) * 25 + Y;
    std::string format = GetColumnFormat(c);
    if (OnRequestEditFormat) OnRequestEditFormat(this, c, Row, format);
    const TEditorField field = ReadEditorFormat(format);
    widest = std::max(widest, field.width);
    const std::string cell = GetElem(c, Row);

    auto* label = new TLabel(Form);
    label->SetName(kPrefix + std::string("Label") + std::to_string(c));
    label->SetParent(Form);
    label->SetAutoSize(false);
    label->SetAlignment(taRightJustify);
    label->SetBounds(X + 8, t + 3, labelWidth, label->GetHeight());
    label->SetCaption(GetColName(c) + ":");

    TWinControl* editor = nullptr;
    if (field.kind == 'c' || field.kind == 'l') {
      auto* box = new TComboBox(Form);
      box->SetName(kPrefix + std::string("CBox") + std::to_string(c));
      box->SetStyle(field.kind == 'c' ? csDropDown : csDropDownList);
      for (const std::string& item : ListItems(field.defaultPart)) box->Items()->Add(item);
      if (field.dropDownCount > 0) box->SetDropDownCount(field.dropDownCount);
      if (field.kind == 'c') box->SetText(cell);
      else box->SetItemIndex(box->Items()->IndexOf(cell));
      editor = box;
    } else if (field.kind == 'd') {
      auto* picker = new TDateTimePicker(Form);
      picker->SetName(kPrefix + std::string("DtPick") + std::to_string(c));
      picker->SetFormat(field.dateFormat);
      TDateTime value = 0;
      if (ReadPickerDate(cell.empty() ? field.defaultPart : cell, field.dateFormat, value)) {
        picker->SetDateTime(value);
      } else {
        picker->SetDateTime(Date());
        unreadDates.ByPicker[picker] = picker->GetDateTime();
      }
      editor = picker;
    } else if (field.kind == 'e' || field.kind == 'f' || field.kind == 'h' || field.kind == 'i') {
      auto* num = new TNumIO(Form);
      num->SetName(kPrefix + std::string("NumIO") + std::to_string(c));
      num->SetRangeLow(-1.7e308);
      num->SetRangeHigh(1.7e308);
      num->SetInputFormat(field.kind == 'e' ? itDynamic : field.kind == 'f' ? itFloat : field.kind == 'h' ? itHex : itInt);
      num->SetEditText(cell.empty() ? ColumnFormatDefault(field.format, Row) : cell);
      editor = num;
    } else if (field.kind == 's') {
      auto* edit = new TEdit(Form);
      edit->SetName(kPrefix + std::string("Edit") + std::to_string(c));
      edit->SetText(cell.empty() ? ColumnFormatDefault(field.format, Row) : cell);
      editor = edit;
    }
    if (!editor) continue;
    editor->SetTag(c);
    editor->SetParent(Form);
    editor->SetBounds(labelWidth + X + 12, t, field.width, editor->GetHeight());
    if (field.readOnly) {
      editor->SetEnabled(false);
      editor->SetColor(0xE0E0E0);
      editor->GetFont()->SetColor(0x808080);
    } else {
      editor->OnKeyPress = [this](TObject* Sender, char32_t& Key) { EdRowKeyPress(Sender, Key); };
    }
  }

  const int l = labelWidth + widest;
  if (own) {
    own->SetWidth(l + 28);
    own->SetHeight(GetNrCols() * 25 + top + 38);
    own->SetBorderStyle(bsDialog);
    auto button = [&](const char* name, int left, const std::string& caption, void (TReportListView::*click)(TObject*)) {
      auto* b = new TSpeedButton(Form);
      b->SetName(kPrefix + std::string(name));
      b->SetParent(Form);
      b->SetBounds(left, 4, 81, 29);
      b->SetCaption(caption);
      b->OnClick = [this, click](TObject* Sender) { (this->*click)(Sender); };
      return b;
    };
    rowEditorCancel_ = button("Cancel", l - 69, CancelCaption, &TReportListView::EdRowCancelClick);
    button("OK", l - 154, OkCaption, &TReportListView::EdRowOKClick);
  } else {
    if (Form->GetWidth() < l + 28) Form->SetWidth(l + 28);
    if (Form->GetHeight() < GetNrCols() * 25 + 38) Form->SetHeight(GetNrCols() * 25 + 38);
  }
  Form->SetCaption(FormCaption);
  Form->SetModalResult(mrNone);
  const int result = Form->ShowModal();
  if (result == mrOk) WriteBackRow(*Form, Row, unreadDates);
  return result;
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
