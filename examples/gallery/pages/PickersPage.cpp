// Page "Pickers": a colour selector for each palette and one whose entries
// the colour dialog can redefine (click a swatch), with the chosen colour in
// a sample; marker selectors with every symbol, with some hidden and with
// symbol 0 as a cross, with the picked symbol drawn large beside them.
#include <cstdio>
#include <string>

#include "../Gallery.h"
#include "pickers/QEL_Colsel.h"
#include "pickers/QEL_marksel.h"
#include "platform/stdctrls/Label.h"

using namespace qel;

namespace {

// A framed area filled with one colour.
class TColourSample : public TGraphicControl {
 public:
  explicit TColourSample(TWinControl* parent) : TGraphicControl(parent) { SetParent(parent); }
  void SetSample(TColor c) {
    colour_ = c;
    Invalidate();
  }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(colour_);
    c->Rectangle(0, 0, GetWidth(), GetHeight());
  }

 private:
  TColor colour_ = clBlack;
};

// One marker symbol, drawn small off screen and shown enlarged.
class TSymbolPreview : public TGraphicControl {
 public:
  explicit TSymbolPreview(TWinControl* parent) : TGraphicControl(parent) { SetParent(parent); }
  void SetSymbol(int mark, TColor colour) {
    mark_ = mark;
    colour_ = colour;
    Invalidate();
  }

 protected:
  void Paint() override {
    constexpr int kSmall = 13;  // a symbol with a pixel of margin all round
    TBitmap small(kSmall, kSmall);
    TCanvas* s = small.Canvas();
    s->Brush()->SetColor(clWhite);
    s->FillRect({0, 0, kSmall, kSmall});
    s->Pen()->SetColor(colour_);
    s->Brush()->SetColor(clWhite);
    DrawMarkOnCanvas(s, mark_, kSmall / 2, kSmall / 2);
    TCanvas* c = Canvas();
    c->StretchDraw({0, 0, GetWidth(), GetHeight()}, &small);
    c->Pen()->SetColor(clGray);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(0, 0, GetWidth(), GetHeight());
  }

 private:
  int mark_ = 0;
  TColor colour_ = clBlack;
};

std::string HexOf(TColor c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

TLabel* Title(TWinControl* panel, int x, int y, const std::string& text) {
  TLabel* label = gallery::AddLabel(panel, x, y, text);
  label->GetFont()->SetStyle({fsBold});
  return label;
}

// ------------------------------------------------------- colours ----

void BuildColourSelectors(TWinControl* panel) {
  constexpr int x = 10, selX = 150, width = 210, rowH = 32;
  Title(panel, x, 10, "Colour selectors");
  auto* sample = new TColourSample(panel);
  sample->SetBounds(x, 210, 120, 56);
  TLabel* sampleText = gallery::AddLabel(panel, x + 132, 220, "");
  TLabel* sampleFrom = gallery::AddLabel(panel, x + 132, 240, "");
  auto show = [=](TObject* sender) {
    auto* sel = static_cast<TColSel*>(sender);
    TColor rgb = ColorToRGB(sel->GetSelColor());
    sample->SetSample(rgb);
    sampleText->SetCaption(sel->GetSelColorID() + "  " + HexOf(rgb));
    sampleFrom->SetCaption("from " + sel->GetName());
  };

  struct Row {
    const char* name;
    const char* caption;
    void (TColSel::*load)();
    TColor start;
  };
  const Row rows[] = {
      {"BasicVGA", "Basic VGA (16)", &TColSel::LoadBasicVGAPalette, clTeal},
      {"Extended", "Extended (20)", &TColSel::LoadExtendedPalette, clSkyBlue},
      {"Standard", "Standard (47)", &TColSel::LoadStandardPalette, clMoneyGreen},
      {"System", "System colours (27)", &TColSel::LoadWindowsSystemPalette, clInfoBk},
      {"Editable", "Editable: click a swatch", &TColSel::LoadExtendedPalette, clRed},
  };
  TColSel* last = nullptr;
  for (int i = 0; i < 5; ++i) {
    const Row& r = rows[i];
    int y = 34 + i * rowH;
    gallery::AddLabel(panel, x, y + 4, r.caption);
    auto* sel = new TColSel(panel);
    sel->SetName(r.name);
    sel->SetParent(panel);
    sel->SetBounds(selX, y, width, sel->GetHeight());
    sel->SetDropDownCount(12);
    (sel->*r.load)();
    sel->SetSelColor(r.start);
    // A dialog's colour arrives before the list opens; a choice on closing.
    sel->OnChange = show;
    sel->OnDropDown = show;
    last = sel;
  }
  // Friendlier names on the editable one, with the edit mark on every swatch.
  last->OnColorNameChange = [](TObject*, std::string& name) {
    if (name.rfind("cl", 0) == 0) name = name.substr(2);
  };
  last->LoadExtendedPalette();
  last->SetSelColor(clRed);
  last->SetAllColorEditFlags();
  show(last);
}

// ------------------------------------------------------- markers ----

void BuildMarkerSelectors(TWinControl* panel) {
  constexpr int x = 390;
  Title(panel, 10, 300, "Picked symbol");
  auto* preview = new TSymbolPreview(panel);
  preview->SetBounds(10, 324, 104, 104);
  TLabel* caption = gallery::AddLabel(panel, 126, 330, "");
  auto pick = [=](TObject* sender, int, int, int mark) {
    auto* ms = static_cast<TMarkSel*>(sender);
    preview->SetSymbol(mark, ms->GetColorMarks());
    caption->SetCaption("Symbol " + std::to_string(mark) + " from " + ms->GetName());
  };

  Title(panel, x, 10, "All 52 symbols (symbol 0 as itself)");
  auto* all = new TMarkSel(panel);
  all->SetName("AllSymbols");
  all->SetParent(panel);
  all->SetBounds(x, 30, 236, 206);  // room for the seventh row
  all->SetNrOfRows(7);
  all->SetShowZeroAsCross(false);
  all->SetSelected(10);
  all->OnMarkClick = pick;

  Title(panel, x, 246, "Open shapes only: the filled ones hidden");
  auto* open = new TMarkSel(panel);
  open->SetName("OpenShapes");
  open->SetParent(panel);
  open->SetBounds(x, 266, 236, 150);
  open->SetNrOfColumns(7);
  open->SetNrOfRows(5);
  for (int i = 2; i <= 34; i += 2) open->SetVis(i, false);
  open->SetColorMarks(0x8B0000);
  open->SetColorBackGnd(0xFFF4EC);
  open->SetFrameStyle(fsLowered);
  open->OnMarkClick = pick;

  Title(panel, x, 426, "Symbol 0 as a cross, with the composites");
  auto* cross = new TMarkSel(panel);
  cross->SetName("ZeroCross");
  cross->SetParent(panel);
  cross->SetBounds(x, 446, 196, 100);
  cross->SetNrOfColumns(6);
  cross->SetNrOfRows(3);
  for (int i = 1; i <= 34; ++i) cross->SetVis(i, false);
  cross->SetColorSelFG(0x006400);
  cross->SetColorSelBG(0xD0FFD0);
  cross->SetColorHiLiteBG(0x006400);
  cross->SetSelected(0);
  cross->OnMarkClick = pick;

  pick(all, 0, 0, all->GetSelected());
}

gallery::PageRegistration page("Pickers", 35, [](TWinControl* panel) {
  BuildColourSelectors(panel);
  BuildMarkerSelectors(panel);
},
                            "Pick a colour or a marker; click a swatch of the last selector to redefine it");

}  // namespace
