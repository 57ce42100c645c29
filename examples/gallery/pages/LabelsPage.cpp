// Page "Labels and fills": dot-matrix labels in the three block modes, with
// the built-in font and a sampled one, scrolling in each direction; rotated
// labels at several angles and alignments around a marked anchor, one
// turning; gradient fills of each type with grids, one with text on top.
#include <string>
#include <vector>

#include "../Gallery.h"
#include "labels/QEL_RasterLab.h"
#include "labels/QEL_RotLab.h"
#include "labels/QEL_gradfl.h"
#include "platform/controls/Application.h"

using namespace qel;

namespace {

// A small red cross centred on a point, drawn over whatever lies below.
class TAnchorMark : public TGraphicControl {
 public:
  TAnchorMark(TWinControl* parent, int x, int y) : TGraphicControl(parent) {
    SetParent(parent);
    SetBounds(x - 4, y - 4, 9, 9);
  }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    c->Pen()->SetColor(clRed);
    c->MoveTo(0, 4);
    c->LineTo(9, 4);
    c->MoveTo(4, 0);
    c->LineTo(4, 9);
  }
};

// Turns a rotated label by 5 degrees every 50 ms; freed with the page.
class TTurner : public TComponent {
 public:
  TTurner(TComponent* owner, TRotLab* label) : TComponent(owner), label_(label) {
    wnd_ = AllocateHWnd([this](TMessage& m) {
      if (m.Msg == WM_TIMER) label_->SetTextAngle((label_->GetTextAngle() + 5) % 360);
    });
    SetTimer(wnd_, 1, 50);
  }
  ~TTurner() override { DeallocateHWnd(wnd_); }

 private:
  TRotLab* label_;
  HWND wnd_ = 0;
};

TRasterLab* AddRaster(TWinControl* panel, int x, int y, int w, const std::string& text) {
  auto* lab = new TRasterLab(panel);
  lab->SetParent(panel);
  lab->SetBounds(x, y, w, 40);
  lab->SetDotSize(2);
  lab->SetDotSpacing(1);
  lab->SetAutoHeight(true);
  lab->SetText(text);
  return lab;
}

void AddDotMatrix(TWinControl* panel) {
  gallery::AddLabel(panel, 8, 6, "Dot-matrix labels: character blocks, raster, no grid; a sampled font; scrolling");
  TRasterLab* blocks = AddRaster(panel, 8, 24, 266, "Gr\u00fc\u00dfe 5\u20ac");
  blocks->SetAutoCenter(true);
  TRasterLab* raster = AddRaster(panel, 280, 24, 266, "R\u00e9sum\u00e9");
  raster->SetCharBlockMode(rdbmRaster);
  raster->SetAutoCenter(true);
  raster->SetColorDotOn(clAqua);
  raster->SetColorDotOff(0x403020);
  TRasterLab* off = AddRaster(panel, 552, 24, 266, "\u00a1Se\u00f1or!");
  off->SetCharBlockMode(rdbmOff);
  off->SetAutoCenter(true);
  off->SetColorDotOn(clYellow);

  TRasterLab* sampled = AddRaster(panel, 8, 68, 810, "Sampled: DejaVu Sans 11 pt, dot by dot");
  sampled->SetDotSize(1);
  sampled->GetFont()->SetName("DejaVu Sans");
  sampled->GetFont()->SetSize(11);
  sampled->SetColorDotOn(0x40A0FF);
  sampled->SetFrameStyle(TFrameStyle(4));

  struct Scroll {
    TRDScrollMode mode;
    int x, y, h;
    const char* text;
    TColor on;
  };
  const Scroll scrolls[] = {
      {rdsmLeft, 8, 118, 37, "\u00ab Scrolling left: news ticker \u2022 loops forever \u2022", clLime},
      {rdsmRight, 418, 118, 37, "Scrolling right \u00bb", clRed},
      {rdsmUp, 8, 162, 52, "Up ^", 0x00C0FF},
      {rdsmDown, 418, 162, 52, "Down v", clFuchsia},
  };
  for (const Scroll& s : scrolls) {
    TRasterLab* lab = AddRaster(panel, s.x, s.y, 404, s.text);
    lab->SetAutoHeight(false);
    lab->SetHeight(s.h);
    lab->SetPosY(s.mode == rdsmUp || s.mode == rdsmDown ? 3 : 1);
    lab->SetAutoCenter(s.mode == rdsmUp || s.mode == rdsmDown);
    lab->SetColorDotOn(s.on);
    lab->SetScrollInterval(s.mode == rdsmUp || s.mode == rdsmDown ? 60 : 20);
    lab->SetScrollMode(s.mode);
  }
}

TRotLab* AddRotated(TWinControl* panel, int index, int angle, TAlignment alignment, const std::string& note) {
  constexpr int size = 94, gap = 8, top = 246;
  int x = 8 + index * (size + gap);
  auto* lab = new TRotLab(panel);
  lab->SetParent(panel);
  lab->SetBounds(x, top, size, size);
  lab->SetColor(clWhite);
  lab->GetFont()->SetSize(12);
  lab->SetCaption(std::to_string(angle) + "\u00b0");
  lab->SetTextAngle(angle);
  lab->SetAlignment(alignment);
  new TAnchorMark(panel, x + size / 2, top + size / 2);
  gallery::AddLabel(panel, x, top + size + 4, note);
  return lab;
}

void AddRotatedLabels(TWinControl* panel) {
  gallery::AddLabel(panel, 8, 226, "Rotated labels around the red anchor: alignment, anti-aliasing, disabled");
  AddRotated(panel, 0, 0, taCenter, "0, centre");
  AddRotated(panel, 1, 45, taLeftJustify, "45, left");
  AddRotated(panel, 2, 90, taRightJustify, "90, right");
  AddRotated(panel, 3, 180, taCenter, "180, centre");
  TRotLab* turning = AddRotated(panel, 4, 0, taLeftJustify, "turning, left");
  turning->SetCaption("Turning");
  new TTurner(panel, turning);
  AddRotated(panel, 5, 30, taCenter, "anti-aliased")->SetCaption("Smooth");
  TRotLab* sharp = AddRotated(panel, 6, 30, taCenter, "aliased");
  sharp->SetCaption("Sharp");
  sharp->SetAntiAlias(false);
  TRotLab* disabled = AddRotated(panel, 7, 20, taCenter, "disabled");
  disabled->SetCaption("Disabled");
  disabled->SetColor(clBtnFace);
  disabled->SetEnabled(false);
}

TGradFill* AddFill(TWinControl* panel, int index, TGradType type, TGridMode grid, const std::string& note) {
  constexpr int w = 154, h = 250, gap = 8, top = 388;
  int x = 8 + index * (w + gap);
  auto* fill = new TGradFill(panel);
  fill->SetParent(panel);
  fill->SetBounds(x, top, w, h);
  fill->SetFillType(type);
  fill->SetGridMode(grid);
  fill->SetFrameStyle(fsLowered);
  gallery::AddLabel(panel, x, top + h + 4, note);
  return fill;
}

void AddFills(TWinControl* panel) {
  gallery::AddLabel(panel, 8, 368, "Gradient fills: the four types with their grids; text drawn in OnPaint");
  AddFill(panel, 0, gtHoriz, gmHoriz, "gtHoriz, gmHoriz");
  TGradFill* vert = AddFill(panel, 1, gtVert, gmVert, "gtVert, gmVert");
  vert->SetColorFirst(clNavy);
  vert->SetColorLast(clAqua);
  vert->SetNrColors(12);
  vert->SetGridColor(clWhite);
  TGradFill* midH = AddFill(panel, 2, gtMidBandHoriz, gmBoth, "gtMidBandHoriz, gmBoth");
  midH->SetColorFirst(clBlack);
  midH->SetColorLast(clLime);
  midH->SetNrColors(15);
  midH->SetGridColor(0x303030);
  TGradFill* midV = AddFill(panel, 3, gtMidBandVert, gmHoriz, "gtMidBandVert, gmHoriz");
  midV->SetColorFirst(clPurple);
  midV->SetColorLast(clWhite);
  midV->SetNrColors(9);
  midV->SetGridColor(clPurple);
  TGradFill* text = AddFill(panel, 4, gtHoriz, gmNone, "OnPaint draws on top");
  text->SetColorFirst(0x603000);
  text->SetColorLast(0xFFD0A0);
  text->SetNrColors(32);
  text->SetColorFlipped(true);
  text->OnPaint = [](TObject* sender) {
    auto* f = static_cast<TGradFill*>(sender);
    TCanvas* c = f->Canvas();
    c->Font()->SetName("DejaVu Sans");
    c->Font()->SetSize(14);
    c->Font()->SetStyle({fsBold});
    c->Font()->SetColor(0x402000);
    c->Brush()->SetStyle(bsClear);
    const std::string text = "Gradient";
    c->TextOut((f->GetWidth() - c->TextWidth(text)) / 2, f->GetHeight() / 2 - c->TextHeight(text) / 2, text);
  };
}

gallery::PageRegistration page("Labels and fills", 25, [](TWinControl* panel) {
  AddDotMatrix(panel);
  AddRotatedLabels(panel);
  AddFills(panel);
},
                            "Watch the dot-matrix labels scroll and the rotated label turn around its red anchor");

}  // namespace
