// The umbrella header alone is enough to build a form with every component
// on it, and each of them paints something of its own.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "qel/qel.h"

using namespace qel;

namespace {
// True when some pixel of the control differs from the form's colour.
bool PaintsSomething(TTestRobot& robot, TControl* C, TColor FormColour) {
  std::unique_ptr<TBitmap> shot = robot.Capture(C);
  for (int y = 0; y < shot->GetHeight(); ++y)
    for (int x = 0; x < shot->GetWidth(); ++x)
      if (PixelToColor(shot->ScanLine(y)[x]) != FormColour) return true;
  return false;
}
}  // namespace

TEST(UmbrellaHeader, EveryComponentOnOneForm) {
  Headless();
  TForm form(nullptr);
  form.SetBounds(0, 0, 960, 720);
  std::vector<std::pair<std::string, TControl*>> all = {
      {"TMeter", new TMeter(&form)},           {"TNumIO", new TNumIO(&form)},
      {"TNumIO2", new TNumIO2(&form)},         {"TNumLab", new TNumLab(&form)},
      {"TSevenSeg", new TSevenSeg(&form)},     {"TReportListView", new TReportListView(&form)},
      {"TNTabEd", new TNTabEd(&form)},         {"TRasterLab", new TRasterLab(&form)},
      {"TRotLab", new TRotLab(&form)},         {"TGradFill", new TGradFill(&form)},
      {"TMiniCal", new TMiniCal(&form)},       {"TColSel", new TColSel(&form)},
      {"TMarkSel", new TMarkSel(&form)},       {"TThumbnails", new TThumbnails(&form)},
      {"TFolderTree", new TFolderTree(&form)},
  };
  // A grid of 4 columns of 240 x 180 cells.
  for (size_t i = 0; i < all.size(); ++i) {
    TControl* c = all[i].second;
    c->SetParent(&form);
    c->SetBounds(int(i % 4) * 240 + 4, int(i / 4) * 180 + 4, 232, 172);
  }
  form.Show();
  Application->ProcessMessages();
  EXPECT_EQ(form.ControlCount(), int(all.size()));
  TTestRobot robot;
  const TColor formColour = robot.PixelAt(&form, 959, 719);
  for (auto& [name, c] : all) EXPECT_TRUE(PaintsSomething(robot, c, formColour)) << name;
}
