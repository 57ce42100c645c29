// The meter's display properties repaint it at once; caption, scale
// visibility and background fill repaint even when set to what they are.
#include <gtest/gtest.h>

#include "gauges/QEL_Meter.h"
#include "platform/controls/Application.h"
#include "platform/controls/Forms.h"

using namespace qel;

TEST(MeterSetters, ChangesRepaintAtOnceAndCaptionScaleAndFillRepaintEvenUnchanged) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 320, 240);
  auto* m = new TMeter(&form);
  m->SetParent(&form);
  int paints = 0;
  m->OnMeterRendered = [&](TObject*, TCanvas*) { ++paints; };
  form.Show();
  Application->ProcessMessages();
  paints = 0;

  m->SetColorScale(0x123456);
  EXPECT_EQ(paints, 1);  // no turn of the loop needed
  m->SetColorScale(0x123456);
  m->SetRimTop(m->GetRimTop());
  m->SetFrameStyle(m->GetFrameStyle());
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(m->GetColorScale(), 0x123456u);

  m->SetCaption("Druck \xC3\xBC");
  m->SetCaption("Druck \xC3\xBC");
  EXPECT_EQ(paints, 3);
  EXPECT_EQ(m->GetCaption(), "Druck \xC3\xBC");
  m->SetScaleVisible(m->GetScaleVisible());
  m->SetScaleBkVisible(m->GetScaleBkVisible());
  m->SetBkgndFillMode(m->GetBkgndFillMode());
  EXPECT_EQ(paints, 6);
  Application->ProcessMessages();
  EXPECT_EQ(paints, 6);
}
