// TThumbnails painting: which slides are requested and in which order, what
// each processing mode leaves on the card, how pictures are fitted and
// scaled, the marker, the cut strips and frames, and the busy guard.
//
// The default viewer (260 x 400) puts slide 1's card at (10, 12)-(144, 146)
// with its picture square at (17, 19), 120 pixels across.
#include <gtest/gtest.h>

#include <string>

#include "tests/browsers/ThumbnailsFixture.h"

using namespace qel;
using qel::test::SolidBitmap;
using qel::test::ThumbsFixture;

namespace {

constexpr TColor kRed = 0x0000FF, kCover = 0xC0C0C0, kGreen = 0x00FF00;

// Every slide shown as Mode with Picture, marked with Mark.
void ShowAll(TThumbnails* t, TImageRequestProcessing Mode, TBitmap* Picture, int Mark = -1) {
  t->OnImageRequest = [=](TObject*, int, TImageRequestProcessing& how, int& mark, TBitmap*& buf) {
    how = Mode;
    mark = Mark;
    if (Picture) buf->Assign(Picture);
  };
  t->Paint();
}

int CountColour(ThumbsFixture& f, TRect r, TColor c) {
  auto shot = f.robot.Capture(f.t);
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += PixelToColor(shot->ScanLine(y)[x]) == c;
  return n;
}

}  // namespace

TEST(ThumbnailsPaint, RequestsOnlyVisibleSlidesColumnByColumn) {
  ThumbsFixture f(440, 300);  // 3 columns, 3 rows
  f.LogRequests();
  f.t->SetMax(7);
  EXPECT_EQ(f.TakeLog(), "first n1 n4 n7 n2 n5 n3 n6 last ");
  f.t->SetFirstThumbIx(5);
  EXPECT_EQ(f.TakeLog(), "first n4 n7 n5 n6 last ");
  f.t->SetMin(6);  // rows start at 6 now
  EXPECT_EQ(f.TakeLog(), "first n6 n7 last ");
}

TEST(ThumbnailsPaint, EmptyCardsShowTheirNumberOnWhite) {
  ThumbsFixture f;
  f.t->Paint();  // no request handler
  EXPECT_EQ(f.At(13, 15), kCover);
  EXPECT_EQ(f.At(30, 50), clWhite);                    // the white rectangle
  EXPECT_EQ(f.At(17, 39), clBlack);                    // its black border
  EXPECT_EQ(f.At(30, 36), kCover);                     // 20 pixels below the square's top
  EXPECT_EQ(f.At(10, 12), clWhite);                    // raised card frame
  EXPECT_EQ(f.At(144, 146), 0x808080u);
  // "1" about the card's centre (77, 79) on the white.
  EXPECT_LT(CountColour(f, {67, 70, 87, 90}, clWhite), 20 * 20 - 8);
  EXPECT_EQ(CountColour(f, {18, 50, 67, 110}, clWhite), 49 * 60);
  f.t->SetSelectedSlide(1, true);
  EXPECT_EQ(f.At(13, 15), 0x800000u);  // selected: navy card
  EXPECT_EQ(f.At(13, 151), kCover);    // slide 2 stays silver
}

TEST(ThumbnailsPaint, ProcessingModes) {
  ThumbsFixture f;
  auto red = SolidBitmap(120, 120, kRed);
  f.t->SetColorBackGnd(0x404040);
  ShowAll(f.t, irpShowSlide, red.get());
  EXPECT_EQ(f.At(60, 60), kRed);
  EXPECT_EQ(f.At(13, 15), kCover);
  ShowAll(f.t, irpShowFrameOnly, red.get());
  EXPECT_EQ(f.At(60, 60), kCover);
  EXPECT_EQ(f.At(10, 12), clWhite);
  ShowAll(f.t, irpShowNothing, red.get());
  EXPECT_EQ(f.At(60, 60), 0x404040u);
  EXPECT_EQ(f.At(10, 12), 0x404040u);
  // Showing a slide without a picture leaves the bare card.
  TBitmap none;
  f.t->OnImageRequest = [&](TObject*, int, TImageRequestProcessing& how, int&, TBitmap*& buf) {
    how = irpShowSlide;
    buf->Assign(&none);
  };
  f.t->Paint();
  EXPECT_EQ(f.At(60, 60), kCover);
  // A handler may hand its own bitmap, or none; its own is never freed.
  f.t->OnImageRequest = [&](TObject*, int n, TImageRequestProcessing& how, int&, TBitmap*& buf) {
    how = irpShowSlide;
    buf = n == 1 ? red.get() : nullptr;
  };
  f.t->Paint();
  EXPECT_EQ(f.At(60, 60), kRed);
  EXPECT_EQ(f.At(60, 200), kCover);
  EXPECT_EQ(red->GetWidth(), 120);
}

TEST(ThumbnailsPaint, MarkerAndRenderedEventApplyInEveryMode) {
  ThumbsFixture f;
  f.t->SetColorMark(kGreen);
  std::vector<std::string> rendered;
  f.t->OnSlideRendered = [&](TObject*, TCanvas* c, int x, int y, int n) {
    rendered.push_back(std::to_string(n) + "@" + std::to_string(x) + "," + std::to_string(y));
    c->SetPixels(x + 60, y + 3, 0x123456);  // drawn on top, before the copy
  };
  for (auto mode : {irpShowEmpty, irpShowNothing}) {
    rendered.clear();
    ShowAll(f.t, mode, nullptr, 256 + 2);  // only the low byte counts
    EXPECT_EQ(rendered, (std::vector<std::string>{"1@10,12", "2@10,148", "3@10,284"}));
    EXPECT_GT(CountColour(f, {14, 18, 27, 31}, kGreen), 5);  // centred on (20, 24)
    EXPECT_EQ(CountColour(f, {30, 14, 140, 140}, kGreen), 0);
    EXPECT_EQ(CountColour(f, {10, 31, 30, 60}, kGreen), 0);
    EXPECT_EQ(CountColour(f, {10, 12, 30, 17}, kGreen), 0);
    EXPECT_EQ(f.At(70, 15), 0x123456u);
  }
  ShowAll(f.t, irpShowEmpty, nullptr, -1);
  EXPECT_EQ(CountColour(f, {14, 18, 27, 31}, kGreen), 0);
}

TEST(ThumbnailsPaint, PicturesKeepTheirAspectCentredInTheSquare) {
  ThumbsFixture f;
  auto tall = SolidBitmap(50, 100, kRed);  // 60 x 120 at (47, 19)
  ShowAll(f.t, irpShowSlide, tall.get());
  EXPECT_EQ(CountColour(f, {17, 19, 137, 139}, kRed), 60 * 120);
  EXPECT_EQ(f.At(47, 19), kRed);
  EXPECT_EQ(f.At(106, 138), kRed);
  EXPECT_EQ(f.At(46, 18), 0x808080u);  // lowered frame just outside the picture
  EXPECT_EQ(f.At(107, 139), clWhite);
  auto wide = SolidBitmap(100, 25, kRed);  // 120 x 30 at (17, 64)
  ShowAll(f.t, irpShowSlide, wide.get());
  EXPECT_EQ(CountColour(f, {17, 19, 137, 139}, kRed), 120 * 30);
  EXPECT_EQ(f.At(17, 64), kRed);
  EXPECT_EQ(f.At(136, 93), kRed);
  EXPECT_EQ(f.At(16, 63), 0x808080u);
  auto square = SolidBitmap(7, 7, kRed);  // enlarged to the whole square
  ShowAll(f.t, irpShowSlide, square.get());
  EXPECT_EQ(CountColour(f, {17, 19, 137, 139}, kRed), 120 * 120);
}

TEST(ThumbnailsPaint, AntiAliasAveragesWhereNearestPixelPicks) {
  ThumbsFixture f;
  TBitmap stripes(240, 240);  // one-pixel black and white columns, halved
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 240; ++x) stripes.ScanLine(y)[x] = ColorToPixel(x % 2 ? clWhite : clBlack);
  ShowAll(f.t, irpShowSlide, &stripes);
  TColor sharp = f.At(60, 60);
  EXPECT_TRUE(sharp == clBlack || sharp == clWhite) << std::hex << sharp;
  f.t->SetAntiAlias(true);
  TColor smooth = f.At(60, 60);
  EXPECT_NEAR(int(GetRValue(smooth)), 128, 2) << std::hex << smooth;
  EXPECT_EQ(GetRValue(smooth), GetBValue(smooth));
}

TEST(ThumbnailsPaint, StripsCutScrolledCardsAndTheFrameSitsInside) {
  ThumbsFixture f;
  f.t->SetColorBackGnd(0x404040);
  EXPECT_EQ(f.At(13, 389), kCover);     // slide 3 reaches into the bottom strip
  EXPECT_EQ(f.At(13, 390), 0x404040u);
  f.t->SetFirstThumbIx(1.5);  // one column: scrolled up by half a pitch
  EXPECT_EQ(f.At(30, 5), 0x404040u);   // slide 1's card is under the top strip
  EXPECT_EQ(f.At(13, 12), kCover);     // and shows below it
  EXPECT_EQ(f.At(30, 395), 0x404040u); // the bottom strip
  EXPECT_EQ(f.At(0, 0), 0x808080u);    // lowered frame on (0, 0)-(W - 2, H - 2)
  EXPECT_EQ(f.At(258, 398), clWhite);
  EXPECT_EQ(f.At(259, 399), 0x404040u);
  f.t->SetFrameStyle(fsNone);
  EXPECT_EQ(f.At(0, 0), 0x404040u);
}

TEST(ThumbnailsPaint, PaintingIgnoresRequestsWhileBusyAndWhenHidden) {
  ThumbsFixture f;
  f.LogRequests();
  auto log = f.t->OnImageRequest;
  f.t->OnImageRequest = [&](TObject* s, int n, TImageRequestProcessing& how, int& mark, TBitmap*& buf) {
    log(s, n, how, mark, buf);
    if (n == 2) {
      f.t->SetColorCover(kGreen);  // stored, but this paint goes on
      f.t->SetFirstThumbIx(50);
      f.t->Paint();
    }
  };
  f.t->Paint();
  EXPECT_EQ(f.TakeLog(), "first n1 n2 n3 last ");
  EXPECT_EQ(f.t->GetColorCover(), kGreen);
  EXPECT_DOUBLE_EQ(f.t->GetFirstThumbIx(), 50.0);
  f.t->OnImageRequest = log;
  f.t->SetVisible(false);
  f.t->Paint();
  EXPECT_EQ(f.TakeLog(), "");
  f.t->SetDesigning(true);
  f.t->Paint();
  EXPECT_EQ(f.TakeLog(), "first n50 n51 n52 last ");
  // An exception from a handler is raised once the paint has ended, and the
  // viewer paints again.
  f.t->SetDesigning(false);
  f.t->SetVisible(true);
  f.t->OnImageRequest = [](TObject*, int, TImageRequestProcessing&, int&, TBitmap*&) {
    throw EConvertError("bad picture");
  };
  EXPECT_THROW(f.t->Paint(), EConvertError);
  f.t->OnImageRequest = log;
  f.t->Paint();
  EXPECT_EQ(f.TakeLog(), "first last first n50 n51 n52 last ");
}
