// Page "Edits and combo boxes": edits in their variants, a memo and a combo
// box of each style; a status line counts the change events.
#include <string>

#include "../Gallery.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Memo.h"

using namespace qel;

namespace {

// The colours the owner-drawn combo offers; the item text is the name.
const TColor kSwatches[] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
                            clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite};

void DrawSwatch(TCustomComboBox* combo, int index, const TRect& r) {
  TCanvas* c = combo->Canvas();
  c->FillRect(r);
  if (index < 0 || index >= static_cast<int>(std::size(kSwatches))) return;
  TColor textColor = c->Font()->GetColor();
  c->Brush()->SetColor(kSwatches[index]);
  c->Pen()->SetColor(clBlack);
  c->Rectangle(r.Left + 3, r.Top + 2, r.Left + 33, r.Bottom - 2);
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetColor(textColor);
  c->TextOut(r.Left + 39, r.Top + (r.Height() - c->TextHeight("Wg")) / 2, combo->Items()->Strings(index));
  c->Brush()->SetStyle(bsSolid);
}

template <typename T>
T* Place(TWinControl* panel, T* control, int x, int y, int w) {
  control->SetParent(panel);
  control->SetBounds(x, y, w, control->GetHeight());
  return control;
}

gallery::PageRegistration page("Edits and combo boxes", 3, [](TWinControl* panel) {
  auto* status = gallery::AddLabel(panel, 16, 290, "Type, select, copy and paste; changes are counted here.");
  auto counts = std::make_shared<int>(0);
  auto report = [status, counts](TObject* sender) {
    ++*counts;
    auto* control = static_cast<TControl*>(sender);
    status->SetCaption("OnChange #" + std::to_string(*counts) + " from " + control->GetName() + ": \"" +
                       control->GetText() + "\"");
  };

  gallery::AddLabel(panel, 16, 12, "Plain edit");
  auto* plain = Place(panel, new TEdit(panel), 140, 8, 200);
  plain->SetName("PlainEdit");
  plain->SetText("Hello, edit");
  plain->OnChange = report;

  gallery::AddLabel(panel, 16, 42, "Read-only");
  auto* readOnly = Place(panel, new TEdit(panel), 140, 38, 200);
  readOnly->SetText("Select and Ctrl+C only");
  readOnly->SetReadOnly(true);

  gallery::AddLabel(panel, 16, 72, "Max length 5");
  auto* shortEdit = Place(panel, new TEdit(panel), 140, 68, 200);
  shortEdit->SetName("MaxLength5");
  shortEdit->SetMaxLength(5);
  shortEdit->OnChange = report;

  gallery::AddLabel(panel, 16, 102, "Disabled");
  auto* disabled = Place(panel, new TEdit(panel), 140, 98, 200);
  disabled->SetText("Cannot be reached");
  disabled->SetEnabled(false);

  gallery::AddLabel(panel, 16, 132, "Password");
  auto* password = Place(panel, new TEdit(panel), 140, 128, 200);
  password->SetPasswordChar('*');
  password->SetText("secret");

  gallery::AddLabel(panel, 16, 162, "Memo");
  auto* memo = Place(panel, new TMemo(panel), 140, 158, 200);
  memo->SetName("Memo");
  memo->SetHeight(110);
  memo->Lines()->Add("Enter starts a new line;");
  memo->Lines()->Add("arrows, Page Up and Page Down");
  memo->Lines()->Add("move the caret.");
  memo->OnChange = report;

  gallery::AddLabel(panel, 370, 12, "Drop-down (editable)");
  auto* dropDown = Place(panel, new TComboBox(panel), 370, 32, 180);
  dropDown->SetName("DropDown");
  for (const char* s : {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot", "Golf", "Hotel", "India", "Juliett"})
    dropDown->Items()->Add(s);
  dropDown->SetText("Type or choose");
  dropDown->OnChange = report;

  gallery::AddLabel(panel, 370, 72, "Drop-down list (sorted)");
  auto* list = Place(panel, new TComboBox(panel), 370, 92, 180);
  list->SetName("DropDownList");
  list->SetStyle(csDropDownList);
  list->SetSorted(true);
  for (const char* s : {"Oslo", "Bern", "Lisbon", "Vienna", "Athens", "Dublin", "Madrid", "Prague", "Rome"})
    list->Items()->Add(s);
  list->SetItemIndex(0);
  list->OnChange = report;

  gallery::AddLabel(panel, 370, 132, "Owner-drawn colours");
  auto* colours = Place(panel, new TComboBox(panel), 370, 152, 180);
  colours->SetName("Colours");
  colours->SetStyle(csOwnerDrawFixed);
  colours->SetItemHeight(18);
  colours->SetDropDownCount(10);
  for (TColor c : kSwatches) colours->Items()->Add(ColorToString(c));
  colours->SetItemIndex(4);
  colours->OnDrawItem = [colours](TWinControl*, int index, const TRect& r, TOwnerDrawState) {
    DrawSwatch(colours, index, r);
  };
  colours->OnChange = report;
},
                            "Type, select, copy and paste in the edits; the status line counts the changes");

}  // namespace
