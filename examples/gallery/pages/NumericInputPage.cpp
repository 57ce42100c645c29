// Page "Numeric input": the edit-based TNumIO and the custom-drawn TNumIO2
// in every input format, TNumIO2 with spin buttons and gauge, with discrete
// values, read-only and disabled; each value is shown live beside its field.
#include <cstdio>
#include <string>

#include "../Gallery.h"
#include "numeric/QEL_NumIO.h"
#include "platform/stdctrls/Label.h"

using namespace qel;

namespace {

const char* const kFormatNames[] = {"itExp", "itFloat", "itFixPoint", "itInt", "itHex", "itOct", "itBin", "itDynamic"};

TLabel* Caption(TWinControl* panel, int x, int y, const std::string& text) {
  auto* label = new TLabel(panel);
  label->SetParent(panel);
  label->SetLeft(x);
  label->SetTop(y);
  label->SetCaption(text);
  return label;
}

std::string Shown(double v) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "Value %.10g", v);
  return buf;
}

// A TNumIO2 at (x, y) with its value label to the right.
TNumIO2* Field2(TWinControl* panel, int x, int y, const std::string& name, int height = 28, int boxWidth = 80) {
  auto* field = new TNumIO2(panel);
  field->SetParent(panel);
  field->SetBounds(x, y, boxWidth + 130, height);
  field->SetLeftSpace(75);
  field->SetTextBoxWidth(boxWidth);
  field->SetLeftText(name);
  field->SetRangeLow(-1000);
  field->SetRangeHigh(1000);
  TLabel* value = Caption(panel, x + boxWidth + 140, y + 7, Shown(0));
  auto show = [field, value](TObject*) { value->SetCaption(Shown(field->GetValue())); };
  field->OnChange = show;
  field->OnGaugeChange = [show](TObject* s, TShiftState, double) { show(s); };
  return field;
}

// The setters fire no OnChange: bring the value label up to date.
void ShowValue(TNumIO2* field) { field->OnChange(field); }

void BuildEditColumn(TWinControl* panel) {
  Caption(panel, 16, 8, "TNumIO (platform edit), range -1000 .. 1000");
  for (int f = 0; f < 8; ++f) {
    int y = 32 + f * 30;
    Caption(panel, 16, y + 4, kFormatNames[f]);
    auto* field = new TNumIO(panel);
    field->SetParent(panel);
    field->SetBounds(96, y, 130, field->GetHeight());
    field->SetInputFormat(TInFormat(f));
    field->SetRangeLow(-1000);
    field->SetRangeHigh(1000);
    field->SetBeep(true);
    TLabel* value = Caption(panel, 236, y + 4, Shown(0));
    field->OnChange = [field, value](TObject*) { value->SetCaption(Shown(field->GetLabValue())); };
    field->SetLabValue(f == itFixPoint ? 12.5 : 12);
    value->SetCaption(Shown(field->GetLabValue()));
  }
}

void BuildCustomColumn(TWinControl* panel) {
  Caption(panel, 380, 8, "TNumIO2 (custom drawn), range -1000 .. 1000");
  for (int f = 0; f < 8; ++f) {
    TNumIO2* field = Field2(panel, 380, 28 + f * 30, kFormatNames[f], 28, 240);
    field->SetInputFormat(TInFormat(f));
    field->SetValue(f == itFixPoint ? 12.5 : 12);
    ShowValue(field);
  }
}

void BuildSpecials(TWinControl* panel) {
  Caption(panel, 16, 290, "TNumIO2 variants");
  TNumIO2* spin = Field2(panel, 16, 312, "Spin, gauge", 40);
  spin->SetRangeLow(0);
  spin->SetRangeHigh(100);
  spin->SetButVisible(true);
  spin->SetButIncrem(5);
  spin->SetGaugeVisible(true);
  spin->SetGaugeLeftMargin(75);
  spin->SetGaugeWidth(80);
  spin->SetRightText("%");
  spin->SetValue(40);
  ShowValue(spin);

  TNumIO2* discrete = Field2(panel, 16, 362, "Discrete", 40);
  discrete->SetRangeLow(0);
  discrete->SetRangeHigh(10);
  discrete->DiscreteValues = {0, 1, 2.5, 5, 7.5, 10};
  discrete->SetButVisible(true);
  discrete->SetGaugeVisible(true);
  discrete->SetGaugeLeftMargin(75);
  discrete->SetGaugeWidth(80);
  discrete->SetValue(2.5);
  ShowValue(discrete);

  TNumIO2* readOnly = Field2(panel, 16, 412, "Read-only");
  readOnly->SetValue(3.14);
  readOnly->SetReadOnly(true);
  ShowValue(readOnly);

  TNumIO2* disabled = Field2(panel, 16, 446, "Disabled");
  disabled->SetValue(42);
  disabled->SetButVisible(true);
  disabled->SetEnabled(false);
  ShowValue(disabled);

  TNumIO2* warn = Field2(panel, 16, 480, "Too big");
  warn->SetRangeHigh(10);
  warn->SetValue(25);
  ShowValue(warn);
}

gallery::PageRegistration page("Numeric input", 10, [](TWinControl* panel) {
  BuildEditColumn(panel);
  BuildCustomColumn(panel);
  BuildSpecials(panel);
},
                            "Type a value in each format, use the spin buttons, and watch the value beside the field");

}  // namespace
