// A report list view on a form for the view tests, and a way to check the
// text a part of it shows.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "framework/AllocGuard.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"
#include "replist/QEL_replist.h"

namespace qel::test {

// What OnBeforeRenderCell was given for one cell.
struct RenderedCell {
  TColor pen = 0, brush = 0, font = 0;
  TFontStyles style;
  std::string text;
};

// A 400 x 240 view without border at (10, 10): client and control
// coordinates are the same, so Width and Height are the client's.
class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Headless();
    form.SetBounds(0, 0, 460, 300);
    view = new TReportListView(&form);
    view->SetName("List");
    view->SetParent(&form);
    view->SetBorderStyle(bsNone);
    view->SetBounds(10, 10, 400, 240);
    form.Show();
    Application->ProcessMessages();
  }
  void TearDown() override { FailNextAllocations(0); }

  // Paints the view and records what every data cell was drawn with.
  const std::map<std::pair<int, int>, RenderedCell>& Render() {
    rendered.clear();
    view->OnBeforeRenderCell = [this](TObject*, int c, int r, TColor& pen, TColor& brush, TColor& font,
                                      TFontStyles& style, std::string& text) {
      rendered[{c, r}] = {pen, brush, font, style, text};
    };
    view->Repaint();
    view->OnBeforeRenderCell = nullptr;
    return rendered;
  }
  TColor Pixel(int x, int y) { return robot.PixelAt(view, x, y); }
  // The grid rectangle of data cell (c, r).
  TRect Cell(int c, int r) { return view->CellRect(c - 1, r + view->GetFixedRows() - 1); }

  // True when drawing Text at (X, Y), clipped to Clip, over what the view
  // shows changes no pixel (and Clip holds some of the text's ink): the
  // view shows exactly that text in that place.
  ::testing::AssertionResult ShowsText(const TRect& Clip, int X, int Y, const std::string& Text, TColor Brush,
                                       TColor Font, TFontStyles Style = {}) {
    std::unique_ptr<TBitmap> shot = robot.Capture(view);
    TBitmap expected;
    expected.Assign(shot.get());
    TCanvas* c = expected.Canvas();
    c->Font()->Assign(view->GetFont());
    c->Font()->SetColor(Font);
    c->Font()->SetStyle(Style);
    c->Brush()->SetColor(Brush);
    c->TextRect(Clip, X, Y, Text);
    int differing = 0, ink = 0;
    for (int y = std::max(Clip.Top, 0); y < std::min(Clip.Bottom, shot->GetHeight()); ++y)
      for (int x = std::max(Clip.Left, 0); x < std::min(Clip.Right, shot->GetWidth()); ++x) {
        differing += shot->ScanLine(y)[x] != expected.ScanLine(y)[x];
        ink += PixelToColor(expected.ScanLine(y)[x]) != ColorToRGB(Brush);
      }
    if (ink == 0) return ::testing::AssertionFailure() << "no ink of \"" << Text << "\" in the clip";
    if (differing) return ::testing::AssertionFailure() << differing << " pixels differ from \"" << Text << "\"";
    return ::testing::AssertionSuccess();
  }

  TForm form{nullptr};
  TReportListView* view = nullptr;
  TTestRobot robot;
  std::map<std::pair<int, int>, RenderedCell> rendered;
};

}  // namespace qel::test
