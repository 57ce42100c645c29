// Labels (alignments, word wrap, transparency, disabled), speed buttons
// (single, a group, flat, with a glyph drawn at run time), push buttons
// (default, cancel, disabled) with a label that reports the clicks, and hints.
#include "StdLabelsButtons.h"

#include <string>

#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/SpeedButton.h"

using namespace qel;

namespace gallery {

namespace {
TLabel* AddLabel(TWinControl* panel, const std::string& text, int x, int y) {
  auto* l = new TLabel(panel);
  l->SetParent(panel);
  l->SetLeft(x);
  l->SetTop(y);
  l->SetCaption(text);
  return l;
}

TLabel* Heading(TWinControl* panel, const std::string& text, int x, int y) {
  TLabel* l = AddLabel(panel, text, x, y);
  l->GetFont()->SetStyle({fsBold});
  return l;
}

TLabel* BoxedLabel(TWinControl* panel, const std::string& text, TRect r, TColor color) {
  TLabel* l = AddLabel(panel, text, r.Left, r.Top);
  l->SetAutoSize(false);
  l->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  l->SetColor(color);
  return l;
}

// A small arrow picture, drawn here; its magenta corner colour is see-through.
void DrawArrowGlyph(TBitmap& b, TColor ink) {
  b.SetSize(12, 12);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect({0, 0, 12, 12});
  c->Brush()->SetColor(ink);
  c->Pen()->SetColor(ink);
  const TPoint arrow[] = {{1, 4}, {6, 4}, {6, 1}, {11, 6}, {6, 11}, {6, 8}, {1, 8}};
  c->Polygon(arrow);
}

int Labels(TWinControl* panel, TRect area) {
  int x = area.Left, y = area.Top;
  Heading(panel, "Labels", x, y);
  y += 22;
  TLabel* left = BoxedLabel(panel, "Left justified", Bounds(x, y, 150, 22), clWindow);
  TLabel* centre = BoxedLabel(panel, "Centred", Bounds(x + 160, y, 150, 22), clWindow);
  centre->SetAlignment(taCenter);
  centre->SetLayout(tlCenter);
  TLabel* right = BoxedLabel(panel, "Right, at the bottom", Bounds(x + 320, y, 150, 22), clWindow);
  right->SetAlignment(taRightJustify);
  right->SetLayout(tlBottom);
  (void)left;
  y += 30;
  TLabel* wrap = AddLabel(panel, "", x, y);
  wrap->SetAutoSize(false);
  wrap->SetWidth(230);
  wrap->SetWordWrap(true);
  wrap->SetAutoSize(true);
  wrap->SetCaption("A word-wrapped label keeps its width and grows in height to hold all of its text, "
                   "line after line.");
  // Transparent over a coloured area, next to an opaque one.
  auto* colour = new TWinControl(panel);
  colour->SetParent(panel);
  colour->SetBounds(x + 250, y, 230, 50);
  colour->SetColor(RGB(120, 170, 220));
  AddLabel(colour, "Transparent: the colour shows through", 6, 6)->SetTransparent(true);
  AddLabel(colour, "Opaque, in a colour of its own", 6, 26)->SetColor(clBtnFace);
  TLabel* off = AddLabel(panel, "Disabled label", x + 500, y);
  off->GetFont()->SetSize(11);
  off->SetEnabled(false);
  TLabel* accel = AddLabel(panel, "&Underlined accelerator, && a literal ampersand", x + 500, y + 26);
  (void)accel;
  return std::max(wrap->GetTop() + wrap->GetHeight(), y + 50) + 12;
}

int SpeedButtons(TWinControl* panel, TRect area, TLabel* status) {
  int x = area.Left, y = area.Top;
  Heading(panel, "Speed buttons", x, y);
  y += 22;
  auto make = [&](const std::string& caption, int bx, int w) {
    auto* b = new TSpeedButton(panel);
    b->SetParent(panel);
    b->SetBounds(bx, y, w, 24);
    b->SetCaption(caption);
    b->OnClick = [status, caption](TObject*) { status->SetCaption("Clicked: speed button " + caption); };
    return b;
  };
  make("Single", x, 70);
  const char* align[] = {"Left", "Centre", "Right"};
  for (int i = 0; i < 3; ++i) {
    TSpeedButton* b = make(align[i], x + 90 + i * 62, 60);
    b->SetGroupIndex(1);
    b->SetAllowAllUp(true);
    if (i == 0) b->SetDown(true);
  }
  TSpeedButton* flat = make("Flat", x + 290, 60);
  flat->SetFlat(true);
  TBitmap glyph;
  DrawArrowGlyph(glyph, clGreen);
  TSpeedButton* next = make("Next", x + 360, 70);
  next->SetGlyph(&glyph);
  TSpeedButton* only = make("", x + 440, 28);
  only->SetGlyph(&glyph);
  only->SetFlat(true);
  TSpeedButton* off = make("Off", x + 478, 60);
  off->SetGlyph(&glyph);
  off->SetEnabled(false);
  return y + 36;
}

int PushButtons(TWinControl* panel, TRect area, TLabel* status) {
  int x = area.Left, y = area.Top;
  Heading(panel, "Buttons: Enter presses the default one, Escape the cancel one", x, y);
  y += 22;
  auto make = [&](const std::string& caption, int bx) {
    auto* b = new TButton(panel);
    b->SetParent(panel);
    b->SetBounds(bx, y, 86, 26);
    b->SetCaption(caption);
    b->OnClick = [status, caption](TObject*) { status->SetCaption("Clicked: " + caption); };
    return b;
  };
  make("&OK (default)", x)->SetDefault(true);
  make("Cancel", x + 96)->SetCancel(true);
  make("&Apply", x + 192);
  make("Disabled", x + 288)->SetEnabled(false);
  return y + 38;
}

int Hints(TWinControl* panel, TRect area) {
  int x = area.Left, y = area.Top;
  Heading(panel, "Hints: rest the mouse on these", x, y);
  y += 22;
  auto* save = new TButton(panel);
  save->SetParent(panel);
  save->SetBounds(x, y, 86, 26);
  save->SetCaption("Save");
  save->SetHint("Save the document|Writes the document to disk");
  save->SetShowHint(true);
  auto* bold = new TSpeedButton(panel);
  bold->SetParent(panel);
  bold->SetBounds(x + 96, y + 1, 26, 24);
  bold->SetCaption("B");
  bold->GetFont()->SetStyle({fsBold});
  bold->SetHint("Bold");
  bold->SetShowHint(true);
  bold->SetGroupIndex(2);
  bold->SetAllowAllUp(true);
  TLabel* info = AddLabel(panel, "A label with a hint", x + 134, y + 6);
  info->SetHint("Labels show hints too");
  info->SetShowHint(true);
  return y + 38;
}
}  // namespace

int BuildLabelsAndButtons(TWinControl* Panel, TRect Area) {
  TRect a = Area;
  a.Top = Labels(Panel, a);
  TLabel* status = nullptr;
  {
    // The report line sits under the buttons; made first so the buttons can use it.
    status = AddLabel(Panel, "Clicked: nothing yet", a.Left, 0);
    status->GetFont()->SetColor(clNavy);
  }
  a.Top = SpeedButtons(Panel, a, status);
  a.Top = PushButtons(Panel, a, status);
  status->SetTop(a.Top - 6);
  a.Top += 18;
  a.Top = Hints(Panel, a);
  return a.Top;
}

}  // namespace gallery
