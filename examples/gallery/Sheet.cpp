#include "Sheet.h"

#include <cmath>
#include <string>
#include <vector>

using namespace qel;

namespace gallery {

namespace {
void Caption(TCanvas& c, int x, int y, const std::string& text) {
  c.Brush()->SetStyle(bsClear);
  c.Font()->SetName("DejaVu Sans");
  c.Font()->SetHeight(-11);
  c.Font()->SetStyle({});
  c.Font()->SetOrientation(0);
  c.Font()->SetColor(clBlack);
  c.TextOut(x, y, text);
}

void Lines(TCanvas& c, int x, int y) {
  c.Pen()->SetColor(clNavy);
  for (int a = 0; a < 360; a += 15) {
    double r = a * M_PI / 180;
    c.MoveTo(x + 45, y + 45);
    c.LineTo(x + 45 + int(std::lround(40 * std::cos(r))), y + 45 - int(std::lround(40 * std::sin(r))));
  }
  TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
  for (int i = 0; i < 5; ++i) {
    c.Pen()->SetStyle(styles[i]);
    c.MoveTo(x + 100, y + 10 + i * 9);
    c.LineTo(x + 220, y + 10 + i * 9);
  }
  c.Pen()->SetStyle(psSolid);
  for (int w = 1; w <= 4; ++w) {
    c.Pen()->SetWidth(w * 2);
    c.MoveTo(x + 100 + w * 25, y + 60);
    c.LineTo(x + 115 + w * 25, y + 88);
  }
  c.Pen()->SetWidth(1);
}

void Shapes(TCanvas& c, int x, int y) {
  c.Pen()->SetColor(clBlack);
  c.Brush()->SetColor(clYellow);
  c.Rectangle(x, y, x + 50, y + 40);
  c.Brush()->SetColor(clAqua);
  c.Ellipse(x + 60, y, x + 120, y + 40);
  c.Brush()->SetColor(clLime);
  c.Pie(x + 130, y, x + 180, y + 50, x + 180, y + 25, x + 155, y);
  c.Brush()->SetColor(clFuchsia);
  c.Chord(x + 190, y, x + 240, y + 50, x + 240, y + 35, x + 190, y + 35);
  c.Pen()->SetColor(clRed);
  c.Arc(x + 250, y, x + 300, y + 50, x + 300, y + 25, x + 250, y + 25);
  c.Pen()->SetColor(clBlack);
  c.Pen()->SetWidth(3);
  c.Brush()->SetColor(clSilver);
  c.Rectangle(x + 310, y, x + 360, y + 40);
  c.Pen()->SetWidth(1);
  std::vector<TPoint> star;
  for (int i = 0; i < 5; ++i) {
    double r = (90 + i * 144) * M_PI / 180;
    star.push_back({x + 400 + int(std::lround(25 * std::cos(r))), y + 27 - int(std::lround(25 * std::sin(r)))});
  }
  c.Brush()->SetColor(clTeal);
  c.Polygon(star);
  // Flood fill: a ring filled up to its border.
  c.Brush()->SetColor(clWhite);
  c.Pen()->SetColor(clMaroon);
  c.Ellipse(x + 440, y, x + 490, y + 50);
  c.Brush()->SetColor(clOlive);
  c.FloodFill(x + 465, y + 25, clMaroon, fsBorder);
}

void Blits(TCanvas& c, int x, int y) {
  // A fine checker shrunk to a third: nearest picks pixels, halftone averages to grey.
  TBitmap checker(72, 48);
  for (int j = 0; j < 48; ++j)
    for (int i = 0; i < 72; ++i) checker.ScanLine(j)[i] = (i + j) % 2 ? 0x000000 : 0xFFFFFF;
  c.StretchDraw(Bounds(x, y, 24, 16), &checker);
  c.SetStretchBltMode(HALFTONE);
  c.CopyRect(Bounds(x + 30, y, 24, 16), checker.Canvas(), {0, 0, 72, 48});
  c.SetStretchBltMode(COLORONCOLOR);
  TBitmap small(4, 4);
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) small.Canvas()->SetPixels(i, j, (i + j) % 2 ? clBlack : clRed);
  c.StretchDraw(Bounds(x + 60, y, 32, 32), &small);
  TBitmap swatch(40, 40);
  swatch.Canvas()->Brush()->SetColor(clBlue);
  swatch.Canvas()->FillRect({0, 0, 40, 40});
  TCopyMode modes[] = {cmSrcCopy, cmSrcAnd, cmSrcPaint, cmSrcInvert, cmNotSrcCopy, cmDstInvert};
  for (int i = 0; i < 6; ++i) {
    c.Brush()->SetColor(clYellow);
    c.FillRect(Bounds(x + 100 + i * 50, y, 40, 40));
    c.SetCopyMode(modes[i]);
    c.CopyRect(Bounds(x + 110 + i * 50, y + 10, 30, 30), swatch.Canvas(), {0, 0, 30, 30});
  }
  c.SetCopyMode(cmSrcCopy);
}

void Texts(TCanvas& c, int x, int y) {
  const char* families[] = {"DejaVu Sans", "Arial", "Times New Roman", "Courier New"};
  int yy = y;
  for (const char* f : families) {
    c.Font()->SetName(f);
    c.Font()->SetHeight(-15);
    c.Font()->SetColor(clBlack);
    c.Brush()->SetStyle(bsClear);
    c.TextOut(x, yy, std::string(f) + ": The quick brown fox 0123");
    yy += c.TextHeight("Ag") + 2;
  }
  c.Font()->SetName("DejaVu Sans");
  c.Font()->SetHeight(-13);
  c.Font()->SetStyle({fsBold});
  c.TextOut(x, yy, "Bold");
  c.Font()->SetStyle({fsItalic});
  c.TextOut(x + 60, yy, "Italic");
  c.Font()->SetStyle({fsUnderline});
  c.TextOut(x + 120, yy, "Underline");
  c.Font()->SetStyle({fsStrikeOut});
  c.TextOut(x + 200, yy, "Strike");
  c.Font()->SetStyle({});
  c.Brush()->SetColor(clNavy);
  c.Font()->SetColor(clWhite);
  c.TextOut(x + 270, yy, "Opaque ÄÖÜ é");
  c.Font()->SetQuality(fqNonAntialiased);
  c.Brush()->SetStyle(bsClear);
  c.Font()->SetColor(clBlack);
  c.TextOut(x + 380, yy, "Not anti-aliased");
  c.Font()->SetQuality(fqDefault);
}

void Rotated(TCanvas& c, int x, int y) {
  c.Font()->SetName("DejaVu Sans");
  c.Font()->SetHeight(-13);
  c.Font()->SetColor(clMaroon);
  c.Brush()->SetStyle(bsClear);
  for (int a = 0; a < 360; a += 45) {
    c.Font()->SetOrientation(a * 10);
    c.TextOut(x + 70, y + 70, "  angle " + std::to_string(a));
  }
  c.Font()->SetOrientation(0);
  c.Pen()->SetColor(clRed);
  c.Ellipse(x + 68, y + 68, x + 73, y + 73);
}
}  // namespace

void DrawSheet(TCanvas& c) {
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetColor(RGB(250, 250, 245));
  c.FillRect({0, 0, SheetWidth, SheetHeight});
  Caption(c, 10, 6, "Lines: all directions, pen styles, wide pens");
  Lines(c, 10, 24);
  Caption(c, 250, 6, "Rotated text");
  Rotated(c, 250, 10);
  Caption(c, 10, 150, "Rectangle, ellipse, pie, chord, arc, wide pen, polygon, flood fill");
  Shapes(c, 10, 170);
  Caption(c, 10, 240, "Stretch nearest, halftone; copy modes copy AND OR XOR NOT INVERT");
  Blits(c, 10, 260);
  Caption(c, 10, 320, "Fonts and styles");
  Texts(c, 10, 340);
}

}  // namespace gallery
