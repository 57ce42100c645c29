// On/off button behaviour: the pictures of every style, placement and
// centring, the resize handler, groups and AllowAllOff, the two modes and
// three mouse actions, user pictures and Assign.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../platform/rtl/TempFolder.h"
#include "gauges/QEL_onoffbut.h"
#include "platform/hosts/headless/Robot.h"
#include "platform/stdctrls/SpeedButton.h"

using namespace qel;

namespace {
struct OnOff : ::testing::Test {
  TForm form{nullptr};
  TOnOffBut* but = new TOnOffBut(&form);
  TTestRobot robot;
  std::vector<std::string> log;
  OnOff() {
    form.SetBounds(0, 0, 400, 300);
    but->SetParent(&form);
    form.Show();
  }
  void Log(TOnOffBut* B, const std::string& Name) {
    B->OnClick = [this, Name](TObject*) { log.push_back(Name + " click"); };
    B->OnMouseUp = [this, Name](TObject*, TMouseButton, TShiftState, int, int) { log.push_back(Name + " up"); };
  }
  // A press and release at the middle of the picture.
  void ClickPicture(TOnOffBut* B) {
    robot.Click(B, B->GetLeftSpace() + B->GetGlyphWidth() / 2, B->GetTopSpace() + B->GetGlyphHeight() / 2);
  }
  TOnOffBut* Another(int Left, int Top) {
    auto* b = new TOnOffBut(&form);
    b->SetParent(&form);
    b->SetBounds(Left, Top, 100, 50);
    return b;
  }
};

TColor Px(const TBitmap* B, int X, int Y) { return PixelToColor(B->ScanLine(Y)[X] & 0xFFFFFF); }
bool Grey(uint32_t Px) { return (Px & 0xFF) == ((Px >> 8) & 0xFF) && (Px & 0xFF) == ((Px >> 16) & 0xFF); }
}  // namespace

TEST_F(OnOff, EveryStyleHasFourFramesOfItsSize) {
  struct Size {
    TOnOffButStyle style;
    int w, h;
  };
  const Size sizes[] = {{oobsCheckbox, 16, 16},      {oobsRadioBut, 14, 14},       {oobsSlideTB, 18, 30},
                        {oobsSlideLR, 30, 18},       {oobsColSlideTB, 18, 30},     {oobsColSlideLR, 30, 18},
                        {oobsLedRedGreen, 14, 14},   {oobsArrowTopRgt, 25, 25},    {oobsArrowUpDown, 25, 25},
                        {oobsArrowLeftRight, 25, 25}, {oobsTrafficLPed, 31, 31},   {oobsBeveledLed, 17, 17},
                        {oobsSmileyYellow, 18, 18},  {oobsSmileyRedGrn, 18, 18},   {oobsBulb, 39, 49},
                        {oobsButLamp, 49, 24},       {oobsHDLeft, 48, 16},         {oobsHDRight, 48, 16},
                        {oobsUser1, 24, 24},         {oobsUser2, 24, 24},          {oobsUser3, 24, 24},
                        {oobsUser4, 24, 24},         {oobsUser5, 24, 24}};
  const uint32_t key = ColorToPixel(TOnOffBut::KeyColor);
  for (Size s : sizes) {
    SCOPED_TRACE(OnOffButResourceName(s.style));
    but->SetButtonStyle(s.style);
    EXPECT_EQ(but->GetGlyphWidth(), s.w);
    EXPECT_EQ(but->GetGlyphHeight(), s.h);
    int seeThrough = 0, onDiffers = 0, disabledDiffers = 0;
    bool disabledGrey = true;
    for (int y = 0; y < s.h; ++y)
      for (int x = 0; x < s.w; ++x) {
        uint32_t on = but->Frame(3)->ScanLine(y)[x], off = but->Frame(1)->ScanLine(y)[x];
        seeThrough += on == key;
        onDiffers += on != off;
        // Greyed, on and off must still differ in lightness where they differ.
        const uint32_t dOn = but->Frame(2)->ScanLine(y)[x], dOff = but->Frame(0)->ScanLine(y)[x];
        disabledDiffers += (dOn == key) != (dOff == key) || std::abs(int(dOn & 0xFF) - int(dOff & 0xFF)) > 16;
        for (int disabled : {0, 2}) {
          uint32_t px = but->Frame(disabled)->ScanLine(y)[x];
          if (px != key && !Grey(px)) disabledGrey = false;
        }
      }
    EXPECT_GT(seeThrough, 0);                   // shaped, not a box
    EXPECT_GT(onDiffers, s.w * s.h / 20);       // on and off read differently
    EXPECT_GT(disabledDiffers, s.w * s.h / 20);  // also when disabled
    EXPECT_TRUE(disabledGrey);
  }
}

TEST_F(OnOff, NewButtonShowsTheOnFrameOfTheColouredSlideAt36_19) {
  EXPECT_EQ(but->GetWidth(), 100);
  EXPECT_EQ(but->GetHeight(), 50);
  EXPECT_EQ(but->GetLeftSpace(), 35);
  EXPECT_EQ(but->GetTopSpace(), 18);
  EXPECT_TRUE(but->GetOnOff());
  TBitmap picture;
  picture.LoadFromResourceName("COLSLIDELR");
  ASSERT_EQ(picture.GetWidth(), 60);
  auto shot = robot.Capture(but);
  const uint32_t key = ColorToPixel(TOnOffBut::KeyColor), face = ColorToPixel(clBtnFace);
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 30; ++x) {
      uint32_t want = picture.ScanLine(y)[x] & 0xFFFFFF;
      ASSERT_EQ(shot->ScanLine(19 + y)[36 + x] & 0xFFFFFF, want == key ? face : want) << x << "," << y;
    }
  for (int y = 19; y < 37; ++y) EXPECT_EQ(shot->ScanLine(y)[35] & 0xFFFFFF, face);
  // Disabled: the bottom-left frame.
  but->SetEnabled(false);
  shot = robot.Capture(but);
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 30; ++x) {
      uint32_t want = picture.ScanLine(18 + y)[x] & 0xFFFFFF;
      ASSERT_EQ(shot->ScanLine(19 + y)[36 + x] & 0xFFFFFF, want == key ? face : want) << x << "," << y;
    }
}

TEST_F(OnOff, SpacesCentringAndTheResizeHandler) {
  but->SetLeftSpace(-1);
  EXPECT_EQ(but->GetLeftSpace(), 35);
  but->SetLeftSpace(10);  // AutoCenter: re-centred instead
  EXPECT_EQ(but->GetLeftSpace(), 35);
  EXPECT_EQ(but->GetTopSpace(), 16);
  but->SetAutoCenter(false);
  but->SetLeftSpace(500);
  EXPECT_EQ(but->GetLeftSpace(), 100);
  but->SetTopSpace(7);
  EXPECT_EQ(but->GetTopSpace(), 7);
  but->SetAutoCenter(true);
  EXPECT_EQ(but->GetLeftSpace(), 35);
  // A resize re-centres while the button's own handler is in place.
  but->SetBounds(0, 0, 200, 100);
  EXPECT_EQ(but->GetLeftSpace(), 85);
  EXPECT_EQ(but->GetTopSpace(), 41);
  int resized = 0;
  but->OnResize = [&](TObject*) { ++resized; };  // the application takes over
  but->SetBounds(0, 0, 120, 60);
  EXPECT_EQ(resized, 1);
  EXPECT_EQ(but->GetLeftSpace(), 85);
  but->OnResize = [this](TObject* s) { but->ProcessResize(s); };
  but->SetBounds(0, 0, 100, 50);
  EXPECT_EQ(but->GetLeftSpace(), 35);
  // The user style centres by its own 20 x 20 frames.
  but->SetButtonStyle(oobsUser);
  EXPECT_EQ(but->GetGlyphWidth(), 20);
  EXPECT_EQ(but->GetLeftSpace(), 40);
  EXPECT_EQ(but->GetTopSpace(), 15);
  EXPECT_EQ(Px(but->Frame(3), 10, 5), clBlack);   // the circle
  EXPECT_EQ(Px(but->Frame(3), 10, 10), clWhite);
  EXPECT_EQ(Px(but->Frame(1), 10, 10), clBlack);  // the cross
  EXPECT_EQ(Px(but->Frame(1), 10, 5), clWhite);
  EXPECT_EQ(Px(but->Frame(2), 10, 5), clWhite);
}

TEST_F(OnOff, AGroupHasOneButtonOnAndSharesAllowAllOff) {
  TOnOffBut* second = Another(0, 100);
  but->SetGroupIndex(1);
  second->SetGroupIndex(1);  // both were on: the second tells the first
  EXPECT_TRUE(second->GetOnOff());
  EXPECT_FALSE(but->GetOnOff());
  ClickPicture(but);
  EXPECT_TRUE(but->GetOnOff());
  EXPECT_FALSE(second->GetOnOff());
  but->SetAllowAllOff(false);
  EXPECT_FALSE(second->GetAllowAllOff());  // shared through the group
  ClickPicture(but);  // the one that is on stays on
  EXPECT_TRUE(but->GetOnOff());
  but->SetOnOff(false);
  EXPECT_TRUE(but->GetOnOff());
  second->SetOnOff(true);
  EXPECT_FALSE(but->GetOnOff());
  second->SetAllowAllOff(true);
  EXPECT_TRUE(but->GetAllowAllOff());
  ClickPicture(second);
  EXPECT_FALSE(second->GetOnOff());
  EXPECT_FALSE(but->GetOnOff());
  // Another group, and a speed button of the same group number, are not told.
  TOnOffBut* other = Another(200, 0);
  other->SetGroupIndex(2);
  auto* speed = new TSpeedButton(&form);
  speed->SetParent(&form);
  speed->SetBounds(200, 100, 30, 30);
  speed->SetGroupIndex(1);
  speed->SetDown(true);
  but->SetOnOff(true);
  EXPECT_TRUE(other->GetOnOff());
  EXPECT_TRUE(speed->GetDown());
  robot.Click(speed, 5, 5);  // and the speed button tells no on/off button
  EXPECT_TRUE(but->GetOnOff());
}

TEST_F(OnOff, SpeedButtonModeIsOnOnlyWhileHeld) {
  Log(but, "b");
  but->SetMode(oobmSpeedBut);
  EXPECT_FALSE(but->GetOnOff());
  robot.Press(but, 50, 25);
  EXPECT_TRUE(but->GetOnOff());
  EXPECT_TRUE(log.empty());
  robot.Release(but, 50, 25);
  EXPECT_FALSE(but->GetOnOff());
  EXPECT_EQ(log, (std::vector<std::string>{"b up", "b click"}));
  // In normal mode a click toggles and stays.
  log.clear();
  but->SetMode(oobmNormalBut);
  ClickPicture(but);
  EXPECT_TRUE(but->GetOnOff());
  ClickPicture(but);
  EXPECT_FALSE(but->GetOnOff());
  EXPECT_EQ(log.size(), 4u);
}

TEST_F(OnOff, MouseActionsDecideWhereAPressActs) {
  Log(but, "b");
  // Focused: strictly inside the picture's area (35 < x < 65, 18 < y < 36).
  for (TPoint p : {TPoint{10, 25}, TPoint{35, 25}, TPoint{65, 25}, TPoint{50, 18}, TPoint{50, 36}})
    robot.Click(but, p.X, p.Y);
  EXPECT_TRUE(but->GetOnOff());
  EXPECT_EQ(log, (std::vector<std::string>(5, "b up")));
  log.clear();
  robot.Click(but, 36, 19);
  EXPECT_FALSE(but->GetOnOff());
  EXPECT_EQ(log, (std::vector<std::string>{"b up", "b click"}));
  // A release away from the picture: no click.
  log.clear();
  robot.Press(but, 50, 25);
  robot.Release(but, 90, 45);
  EXPECT_TRUE(but->GetOnOff());
  EXPECT_EQ(log, (std::vector<std::string>{"b up"}));
  // Plain: anywhere on the button.
  log.clear();
  but->SetMouseAction(oomaPlain);
  robot.Click(but, 3, 3);
  EXPECT_FALSE(but->GetOnOff());
  EXPECT_EQ(log, (std::vector<std::string>{"b up", "b click"}));
  // None: nothing toggles and OnClick never fires; neither does the right button.
  log.clear();
  robot.Click(but, 50, 25, mbRight);
  but->SetMouseAction(oomaNone);
  robot.Click(but, 50, 25);
  robot.Click(but, 3, 3);
  EXPECT_FALSE(but->GetOnOff());
  EXPECT_EQ(log, (std::vector<std::string>(3, "b up")));
}

TEST_F(OnOff, UserPicturesFromAFileOrABitmap) {
  test::TempFolder dir;
  TBitmap grid(40, 30);
  const TColor quads[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};  // on, off / on-disabled, off-disabled
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) grid.Canvas()->SetPixels(x, y, quads[(y >= 15) * 2 + (x >= 20)]);
  grid.Canvas()->SetPixels(0, 0, TOnOffBut::KeyColor);
  grid.SaveToFile(dir.Path("user.png"));
  {
    FILE* f = std::fopen(dir.Path("bad.bmp").c_str(), "wb");
    std::fputs("BM garbage", f);
    std::fclose(f);
  }
  but->LoadUserGlyph(dir.Path("user.png"));
  EXPECT_EQ(but->GetGlyphWidth(), 30);  // the current style is not the user one
  but->SetButtonStyle(oobsUser);
  EXPECT_EQ(but->GetGlyphWidth(), 20);
  EXPECT_EQ(but->GetGlyphHeight(), 15);
  EXPECT_EQ(but->GetLeftSpace(), 40);
  EXPECT_EQ(Px(but->Frame(3), 5, 5), 0x0000FFu);
  EXPECT_EQ(Px(but->Frame(1), 5, 5), 0x00FF00u);
  EXPECT_EQ(Px(but->Frame(2), 5, 5), 0xFF0000u);
  EXPECT_EQ(Px(but->Frame(0), 5, 5), 0x00FFFFu);
  EXPECT_EQ(robot.PixelAt(but, 46, 22), 0x0000FFu);
  EXPECT_EQ(robot.PixelAt(but, 41, 18), ColorToRGB(clBtnFace));  // the key pixel
  // Bad input changes nothing.
  EXPECT_THROW(but->LoadUserGlyph(dir.Path("bad.bmp")), Exception);
  EXPECT_THROW(but->LoadUserGlyph(dir.Path("missing.png")), Exception);
  TBitmap tiny(1, 5);
  EXPECT_THROW(but->SetUserGlyph(&tiny), EInvalidGraphic);
  EXPECT_THROW(but->SetUserGlyph(nullptr), EInvalidGraphic);
  EXPECT_EQ(but->GetGlyphWidth(), 20);
  EXPECT_EQ(Px(but->Frame(3), 5, 5), 0x0000FFu);
  // A bitmap works the same, and switching styles keeps the user frames.
  TBitmap small(8, 8);
  small.Canvas()->Brush()->SetColor(0x123456);
  small.Canvas()->FillRect({0, 0, 8, 8});
  but->SetUserGlyph(&small);
  EXPECT_EQ(but->GetGlyphWidth(), 4);
  but->SetButtonStyle(oobsBulb);
  but->SetButtonStyle(oobsUser);
  EXPECT_EQ(Px(but->Frame(1), 3, 3), 0x123456u);
}

TEST_F(OnOff, AssignCopiesLookStateAndPicturesButNotTheGroup) {
  but->SetButtonStyle(oobsCheckbox);
  but->SetOnOff(false);
  but->SetLeftText("L");
  but->SetTopTextAlignment(taLeftJustify);
  but->SetColorText(0x0000FF);
  but->SetFrameStyle(fsEngraved);
  but->SetColorScheme(csSystem);
  but->SetMouseAction(oomaPlain);
  but->SetTransparent(true);
  but->SetGroupIndex(4);
  but->SetAllowAllOff(false);
  but->SetMode(oobmSpeedBut);
  but->SetEnabled(false);
  TOnOffBut* copy = Another(0, 100);
  copy->Assign(but);
  EXPECT_EQ(copy->GetButtonStyle(), oobsCheckbox);
  EXPECT_EQ(copy->GetGlyphWidth(), 16);
  EXPECT_FALSE(copy->GetOnOff());
  EXPECT_EQ(copy->GetLeftText(), "L");
  EXPECT_EQ(copy->GetTopTextAlignment(), taLeftJustify);
  EXPECT_EQ(copy->GetColorText(), 0x0000FFu);
  EXPECT_EQ(copy->GetFrameStyle(), fsEngraved);
  EXPECT_EQ(copy->GetColorScheme(), csSystem);
  EXPECT_EQ(copy->GetMouseAction(), oomaPlain);
  EXPECT_TRUE(copy->GetTransparent());
  EXPECT_FALSE(copy->GetEnabled());
  EXPECT_EQ(copy->GetLeftSpace(), but->GetLeftSpace());
  EXPECT_EQ(copy->GetGroupIndex(), 0);
  EXPECT_TRUE(copy->GetAllowAllOff());
  EXPECT_EQ(copy->GetMode(), oobmNormalBut);
  EXPECT_NE(copy->Frame(3), but->Frame(3));  // copied, not shared
  EXPECT_EQ(copy->Frame(3)->ScanLine(8)[8], but->Frame(3)->ScanLine(8)[8]);
}
