// The meter's cached face: after any change a value change paints what a
// fresh meter paints, the painting events keep their canvas and order, and
// a label handler turns the cache off.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "gauges/QEL_Meter.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {

struct Shown {
  TForm form{nullptr};
  TMeter* m;
  TTestRobot robot;
  Shown() {
    form.SetBounds(0, 0, 340, 260);
    m = new TMeter(&form);
    m->SetParent(&form);
    m->SetScaleBkVisible(true);
    m->SetScaleBkWidth(20);
    form.Show();
  }
};

// What a meter drawing its whole picture every time shows after Setup and a
// value of Value (a label handler keeps it from caching its face); its form
// is gone again when this returns, so it cannot cover another meter's.
std::unique_ptr<TBitmap> FreshPicture(const std::function<void(TMeter&)>& Setup, double Value) {
  Shown fresh;
  fresh.m->OnBeforeDrawScaleLabel = [](TObject*, TCanvas*, std::string&, int, int) {};
  Setup(*fresh.m);
  fresh.m->SetValue(Value);
  return fresh.robot.Capture(fresh.m);
}

bool SamePicture(Shown& A, const std::unique_ptr<TBitmap>& b) {
  auto a = A.robot.Capture(A.m);
  if (a->GetWidth() != b->GetWidth() || a->GetHeight() != b->GetHeight()) return false;
  for (int y = 0; y < a->GetHeight(); ++y)
    if (!std::equal(a->ScanLine(y), a->ScanLine(y) + a->GetWidth(), b->ScanLine(y))) return false;
  return true;
}

}  // namespace

TEST(MeterFaceCache, ValueChangesAfterEachFaceChangeMatchAFreshMeter) {
  using Change = std::function<void(TMeter&)>;
  const std::vector<Change> changes = {
      [](TMeter& m) { m.SetCaption("Amps"); },
      [](TMeter& m) { m.SetColorBakG(0xE0F0FF); },
      [](TMeter& m) { m.SetMeterMaxValue(2.5); },
      [](TMeter& m) { m.SetThresholdLow(0.4); },
      [](TMeter& m) { m.SetColorSclBkHigh(0x800080); },
      [](TMeter& m) { m.SetMeterNrTicks(6); },
      [](TMeter& m) { m.SetMeterDecPlaces(2); },
      [](TMeter& m) { m.SetColorScale(0x008000); },
      [](TMeter& m) { m.GetFont()->SetSize(10); },
      [](TMeter& m) { m.GetFontCaption()->SetColor(0x0000C0); },
      [](TMeter& m) { m.SetMeterLayout(mlCirc300); },
      [](TMeter& m) { m.SetBounds(0, 0, 320, 240); },
      [](TMeter& m) { m.SetScaleVisible(false); },
  };
  Shown cached;
  for (size_t i = 0; i < changes.size(); ++i) {
    cached.m->SetValue(0.2);
    cached.m->SetValue(0.3);  // drawn over the cached face
    changes[i](*cached.m);
    cached.m->SetValue(0.7);
    auto fresh = FreshPicture([&](TMeter& m) { for (size_t j = 0; j <= i; ++j) changes[j](m); }, 0.7);
    ASSERT_TRUE(SamePicture(cached, fresh)) << "after change " << i;
  }
}

TEST(MeterFaceCache, EventsKeepTheirCanvasOrderAndStateOverACachedFace) {
  Shown s;
  TMeter& m = *s.m;
  m.GetFontCaption()->SetSize(14);
  m.SetCaption("Hz");
  std::vector<std::string> order;
  std::vector<TCanvas*> canvases;
  std::vector<int> fontHeights;
  m.OnBeforeDrawNeedle = [&](TObject*, TCanvas* c, bool&) {
    order.push_back("needle");
    canvases.push_back(c);
    fontHeights.push_back(c->Font()->GetHeight());  // the caption font, as the face left it
  };
  m.OnMeterRendered = [&](TObject*, TCanvas* c) {
    order.push_back("rendered");
    canvases.push_back(c);
  };
  m.SetValue(0.4);
  m.SetValue(0.5);
  EXPECT_EQ(order, (std::vector<std::string>{"needle", "rendered", "needle", "rendered"}));
  ASSERT_EQ(canvases.size(), 4u);
  EXPECT_EQ(canvases[0], canvases[1]);
  EXPECT_EQ(canvases[2], canvases[3]);
  EXPECT_NE(canvases[0], m.Canvas());  // the off-screen bitmap's
  ASSERT_EQ(fontHeights.size(), 2u);
  EXPECT_EQ(fontHeights[0], m.GetFontCaption()->GetHeight());
  EXPECT_EQ(fontHeights[1], fontHeights[0]);
}

TEST(MeterFaceCache, LateDrawingDoesNotStayInTheFace) {
  Shown s;
  TMeter& m = *s.m;
  TPoint dial;
  m.ConvertToPixelCoords(0.9, 50, dial.X, dial.Y);
  TColor before = s.robot.PixelAt(s.m, dial.X, dial.Y);
  m.OnMeterRendered = [&](TObject*, TCanvas* c) {
    c->Brush()->SetColor(0x00FF00);
    c->FillRect(Rect(dial.X - 2, dial.Y - 2, dial.X + 3, dial.Y + 3));
  };
  m.SetValue(0.1);
  EXPECT_EQ(s.robot.PixelAt(s.m, dial.X, dial.Y), 0x00FF00u);
  m.OnMeterRendered = nullptr;
  m.SetValue(0.2);
  EXPECT_EQ(s.robot.PixelAt(s.m, dial.X, dial.Y), before);
}

TEST(MeterFaceCache, ALabelHandlerSeesEveryLabelOfEveryPaint) {
  Shown s;
  TMeter& m = *s.m;
  int labels = 0;
  m.SetValue(0.1);  // a face in the cache first
  m.OnBeforeDrawScaleLabel = [&](TObject*, TCanvas*, std::string& text, int, int) {
    ++labels;
    text = "X";
  };
  m.SetValue(0.2);
  m.SetValue(0.3);
  m.SetValue(0.4);
  EXPECT_EQ(labels, 18);  // six labels, three paints
  // Without the handler the face is cached again, and shows the labels.
  m.OnBeforeDrawScaleLabel = nullptr;
  m.SetValue(0.5);
  EXPECT_TRUE(SamePicture(s, FreshPicture([](TMeter&) {}, 0.5)));
}
