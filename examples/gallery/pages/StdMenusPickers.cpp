// Page "Menus and pickers": a popup menu on a box (right click), date-time
// pickers in three formats, and a box that opens the colour dialog.
#include <cstdio>
#include <string>

#include "../Gallery.h"
#include "platform/controls/Application.h"
#include "platform/stdctrls/ColorDialog.h"
#include "platform/stdctrls/DateTimePicker.h"
#include "platform/stdctrls/Menus.h"

using namespace qel;

namespace {

// A framed box with a caption, filled with its colour; clicks fire OnClick.
class TBox : public TCustomControl {
 public:
  TBox(TWinControl* parent, TRect r, const std::string& caption, TColor color) : TCustomControl(parent) {
    SetParent(parent);
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
    SetBorderStyle(bsSingle);
    SetCaption(caption);
    SetColor(color);
  }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(GetColor());
    c->FillRect(GetClientRect());
    TColor rgb = ColorToRGB(GetColor());
    bool dark = GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb) < 3 * 110;
    c->Font()->Assign(GetFont());
    c->Font()->SetColor(dark ? clWhite : clBlack);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(8, (ClientHeight() - c->TextHeight("0")) / 2, GetCaption());
  }
};

TMenuItem* AddItem(TPopupMenu* menu, TMenuItem* parent, const std::string& caption, TLabel* last) {
  auto* item = new TMenuItem(menu);
  item->SetCaption(caption);
  item->OnClick = [last](TObject* s) {
    last->SetCaption("Last chosen: " + static_cast<TMenuItem*>(s)->GetCaption());
  };
  parent->Add(item);
  return item;
}

void BuildMenu(TWinControl* panel) {
  gallery::AddLabel(panel, 16, 12, "Right-click the box for its popup menu.");
  auto* box = new TBox(panel, Bounds(16, 34, 260, 60), "Right-click here", clWindow);
  auto* last = gallery::AddLabel(panel, 290, 54, "Last chosen: (nothing yet)");
  auto* menu = new TPopupMenu(panel);
  TMenuItem* root = menu->Items();
  AddItem(menu, root, "&Open", last)->SetShortCutText("Ctrl+O");
  TMenuItem* pic = AddItem(menu, root, "With a &picture", last);
  TBitmap* b = pic->GetBitmap();
  b->SetSize(16, 16);
  b->Canvas()->Brush()->SetColor(clFuchsia);  // the bottom-left colour: transparent
  b->Canvas()->FillRect({0, 0, 16, 16});
  b->Canvas()->Brush()->SetColor(clNavy);
  b->Canvas()->Pen()->SetColor(clNavy);
  b->Canvas()->Ellipse(2, 2, 14, 14);
  TMenuItem* check = AddItem(menu, root, "&Checked", last);
  check->SetChecked(true);
  check->OnClick = [check, last](TObject*) {
    check->SetChecked(!check->GetChecked());
    last->SetCaption(std::string("Last chosen: Checked, now ") + (check->GetChecked() ? "on" : "off"));
  };
  AddItem(menu, root, "Disabled", last)->SetEnabled(false);
  AddItem(menu, root, "-", last);
  TMenuItem* more = AddItem(menu, root, "&More", last);
  AddItem(menu, more, "First", last);
  TMenuItem* deeper = AddItem(menu, more, "Deeper", last);
  AddItem(menu, deeper, "Deepest", last);
  AddItem(menu, root, "E&xit menu", last);
  box->SetPopupMenu(menu);
}

void BuildPickers(TWinControl* panel) {
  gallery::AddLabel(panel, 16, 112, "Date-time pickers: arrows step and move, digits type, Alt+Down or the button drops down.");
  TDateTime today = Date() + EncodeTime(14, 30, 0, 0);
  auto* date = new TDateTimePicker(panel);
  date->SetParent(panel);
  date->SetBounds(16, 134, 150, 24);
  date->SetDateTime(today);
  auto* time = new TDateTimePicker(panel);
  time->SetParent(panel);
  time->SetKind(dtkTime);
  time->SetBounds(180, 134, 110, 24);
  time->SetDateTime(today);
  auto* longDate = new TDateTimePicker(panel);
  longDate->SetParent(panel);
  longDate->SetFormat("dddd d mmmm yyyy");
  longDate->SetBounds(304, 134, 220, 24);
  longDate->SetDateTime(today);
  auto* echo = gallery::AddLabel(panel, 16, 164, "");
  auto show = [=](TObject*) {
    echo->SetCaption("Value: " + FormatDateTime("dd/mm/yyyy hh:nn:ss", longDate->GetDateTime()));
  };
  // The three pickers show one value.
  date->OnChange = [=](TObject* s) { time->SetDate(date->GetDate()); longDate->SetDate(date->GetDate()); show(s); };
  time->OnChange = [=](TObject* s) { date->SetTime(time->GetTime()); longDate->SetTime(time->GetTime()); show(s); };
  longDate->OnChange = [=](TObject* s) { date->SetDate(longDate->GetDate()); time->SetDate(longDate->GetDate()); show(s); };
  show(nullptr);
}

void BuildColour(TWinControl* panel) {
  gallery::AddLabel(panel, 16, 200, "Click the box to choose its colour.");
  auto* box = new TBox(panel, Bounds(16, 222, 260, 40), "Colour: 0x008000", clGreen);
  auto* dialog = new TColorDialog(panel);
  box->OnClick = [box, dialog](TObject*) {
    dialog->SetColor(box->GetColor());
    if (!dialog->Execute()) return;
    box->SetColor(dialog->GetColor());
    char text[32];
    std::snprintf(text, sizeof text, "Colour: 0x%06X", static_cast<unsigned>(dialog->GetColor()));
    box->SetCaption(text);
  };
}

gallery::PageRegistration page("Menus and pickers", 4, [](TWinControl* panel) {
  BuildMenu(panel);
  BuildPickers(panel);
  BuildColour(panel);
},
                            "Right-click the box for its menu; press Alt+Down on a date-time picker to drop it down");

}  // namespace
