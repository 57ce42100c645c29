// Controls made absurdly large (a size gone wrong in a layout): their paint
// buffers are refused with EOutOfMemory instead of taking the machine's
// memory, the error reaches the application's handler, and once the size is
// sensible again the control paints exactly as before.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../platform/graphics/canvas_test_util.h"
#include "browsers/QEL_Thumbnails.h"
#include "gauges/QEL_Meter.h"
#include "gauges/QEL_ProgBar.h"
#include "gauges/QEL_onoffbut.h"
#include "labels/QEL_RasterLab.h"
#include "ntabed/QEL_ntabed.h"
#include "numeric/QEL_NumIO.h"
#include "numeric/QEL_NumLab.h"
#include "numeric/QEL_sevenseg.h"
#include "pickers/QEL_MiniCal.h"
#include "pickers/QEL_marksel.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"
#include "replist/QEL_replist.h"

using namespace qel;

namespace {

struct Maker {
  const char* name;
  std::function<TControl*(TForm*)> make;
};

template <class T>
Maker Make(const char* Name) {
  return {Name, [](TForm* F) -> TControl* { return new T(F); }};
}


}  // namespace

TEST(AbsurdSizes, PaintBuffersAreRefusedAndTheControlPaintsAgainWhenSensible) {
  Headless();
  // (The gradient fill has no paint buffer: it paints its visible part at
  // any size, gradfill_test.cpp.)
  const Maker makers[] = {Make<TMeter>("TMeter"),         Make<TProgBar>("TProgBar"),
                          Make<TOnOffBut>("TOnOffBut"),   Make<TRasterLab>("TRasterLab"),
                          Make<TNumIO2>("TNumIO2"),       Make<TNumLab>("TNumLab"),
                          Make<TSevenSeg>("TSevenSeg"),   Make<TMarkSel>("TMarkSel"),
                          Make<TThumbnails>("TThumbnails"), Make<TMiniCal>("TMiniCal"),
                          Make<TReportListView>("TReportListView"), Make<TNTabEd>("TNTabEd")};
  std::vector<std::string> handled;
  auto before = Application->OnException;
  Application->OnException = [&](TObject*, const std::exception& e) { handled.push_back(e.what()); };
  for (const Maker& m : makers) {
    SCOPED_TRACE(m.name);
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    TControl* c = m.make(&form);
    c->SetParent(&form);
    c->SetBounds(10, 10, 200, 120);
    form.Show();
    Application->ProcessMessages();
    TTestRobot robot;
    const std::vector<uint32_t> sensible = test::PixelsOf(*robot.Capture(c));
    handled.clear();
    try {
      c->SetBounds(10, 10, 20000, 20000);
      Application->ProcessMessages();
      c->Invalidate();
      Application->ProcessMessages();
    } catch (const EOutOfMemory& e) {
      handled.push_back(e.what());  // a window's surface: the resize itself is refused
    }
    EXPECT_FALSE(handled.empty()) << "a 20000 x 20000 control painted";
    for (const std::string& h : handled) EXPECT_NE(h.find("ut of memory"), std::string::npos) << h;
    c->SetBounds(10, 10, 200, 120);
    c->Invalidate();
    Application->ProcessMessages();
    EXPECT_EQ(test::PixelsOf(*robot.Capture(c)), sensible);
  }
  Application->OnException = before;
}

// The limit lies far beyond any screen, and a long thin bitmap is no problem.
TEST(AbsurdSizes, BitmapBeyondAnyScreenIsRefusedAndKeepsItsPicture) {
  TBitmap b(3, 2);
  b.ScanLine(1)[2] = 0x123456;
  for (auto [w, h] : {std::pair{20000, 20000}, std::pair{INT32_MAX, INT32_MAX}, std::pair{1 << 20, 1 << 9}}) {
    EXPECT_THROW(b.SetSize(w, h), EOutOfMemory) << w << " x " << h;
    EXPECT_EQ(b.GetWidth(), 3);
    EXPECT_EQ(b.GetHeight(), 2);
    EXPECT_EQ(b.ScanLine(1)[2], 0x123456u);
  }
  b.SetSize(100000, 2);
  EXPECT_EQ(b.ScanLine(1)[2], 0x123456u);
}
