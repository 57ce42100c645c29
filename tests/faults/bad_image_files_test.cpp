// Bad picture files given to the components that load them: the meter's
// background and anchor, the progress bar's background, and the pictures
// the gallery's thumbnail viewer reads from a folder. Each bad file leaves
// the property as the component defines it, paints the fallback, and a good
// file set afterwards paints again.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <new>

#include "../../examples/gallery/pages/ScaledImageCache.h"
#include "../platform/rtl/TempFolder.h"
#include "../platform/rtl/Unprivileged.h"
#include "HostileImages.h"
#include "browsers/QEL_Thumbnails.h"
#include "gauges/QEL_Meter.h"
#include "gauges/QEL_ProgBar.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {
constexpr uint32_t kGreen = 0x00FF00;  // the same as pixel and as TColor

struct Files {
  test::TempFolder dir;
  std::vector<test::BadImageFile> bad = test::WriteBadImageFiles(dir.Path());
  std::string good = dir.Path("good.png");
  Files() { test::WriteSolidImage(good, 12, 12, kGreen); }
};

struct OnForm {
  TForm form{nullptr};
  TTestRobot robot;
  OnForm() { form.SetBounds(0, 0, 600, 450); }
  // A meter with nothing over its dial, a background stretched over all of it.
  TMeter* PlainMeter() {
    auto* m = new TMeter(&form);
    m->SetParent(&form);
    m->SetScaleVisible(false);
    m->SetAnchorCovered(false);
    m->SetBkgndFillMode(TBkgFill(1));
    return m;
  }
  // An empty bar without text: (150, 14) shows its background.
  TProgBar* PlainBar() {
    auto* bar = new TProgBar(&form);
    bar->SetParent(&form);
    bar->SetBounds(0, 0, 300, 28);
    bar->SetTextVisible(false);
    bar->SetValue(0);
    return bar;
  }
};
}  // namespace

// The background: a file that exists but cannot be read raises, keeps its
// name, and the dial is painted plain at once, not with the last picture.
TEST(BadImageFiles, MeterBackgroundRaisesKeepsTheNameAndPaintsThePlainDial) {
  Files files;
  OnForm on;
  TMeter* m = on.PlainMeter();
  on.form.Show();
  const TColor plain = on.robot.PixelAt(m, 42, 150);
  ASSERT_NE(plain, kGreen);
  for (const auto& bad : files.bad) {
    SCOPED_TRACE(bad.What);
    m->SetBackGroundImg(files.good);
    ASSERT_EQ(on.robot.PixelAt(m, 42, 150), kGreen);
    EXPECT_THROW(m->SetBackGroundImg(bad.Path), Exception);
    EXPECT_EQ(m->GetBackGroundImg(), bad.Path);
    EXPECT_EQ(on.robot.PixelAt(m, 42, 150), plain);
    m->SetValue(m->GetValue() + 0.01);  // later paints stay plain
    EXPECT_EQ(on.robot.PixelAt(m, 42, 150), plain);
  }
  m->SetBackGroundImg(files.dir.Path("missing.png"));  // a missing file is no error
  EXPECT_EQ(m->GetBackGroundImg(), "");
  m->SetBackGroundImg(files.good);
  EXPECT_EQ(on.robot.PixelAt(m, 42, 150), kGreen);
}

// The anchor: a bad file clears the name and the built-in pedestal shows.
TEST(BadImageFiles, MeterAnchorClearsTheNameAndDrawsTheBuiltInAnchor) {
  Files files;
  OnForm on;
  auto* m = new TMeter(&on.form);
  m->SetParent(&on.form);
  m->SetScaleVisible(false);
  m->SetValue(0.0);  // the needle away from the pivot's top
  on.form.Show();
  const TColor pedestal = on.robot.PixelAt(m, 148, 200);
  ASSERT_NE(pedestal, kGreen);
  for (const auto& bad : files.bad) {
    SCOPED_TRACE(bad.What);
    m->SetAnchorImage(files.good);
    ASSERT_EQ(m->GetAnchorImage(), files.good);
    ASSERT_EQ(on.robot.PixelAt(m, 148, 191), kGreen);
    EXPECT_NO_THROW(m->SetAnchorImage(bad.Path));
    EXPECT_EQ(m->GetAnchorImage(), "");
    EXPECT_EQ(on.robot.PixelAt(m, 148, 200), pedestal);
    EXPECT_NE(on.robot.PixelAt(m, 148, 191), kGreen);
  }
}

// Read from a form file, a bad background or anchor clears its name in
// Loaded; no error escapes the loading and the plain dial shows.
TEST(BadImageFiles, MeterLoadedFromAFormClearsBadNames) {
  Files files;
  for (const auto& bad : files.bad) {
    SCOPED_TRACE(bad.What);
    OnForm on;
    TMeter* m = on.PlainMeter();
    on.form.Show();
    const TColor plain = on.robot.PixelAt(m, 42, 150);
    on.form.BeginLoading();
    m->SetBackGroundImg(bad.Path);
    m->SetAnchorImage(bad.Path);
    EXPECT_EQ(m->GetBackGroundImg(), bad.Path);  // only stored while loading
    EXPECT_NO_THROW(on.form.EndLoading());
    EXPECT_EQ(m->GetBackGroundImg(), "");
    EXPECT_EQ(m->GetAnchorImage(), "");
    EXPECT_EQ(on.robot.PixelAt(m, 42, 150), plain);
    m->SetBackGroundImg(files.good);
    EXPECT_EQ(on.robot.PixelAt(m, 42, 150), kGreen);
  }
}

// The bar ignores a file it cannot load: the name and the picture it had stay.
TEST(BadImageFiles, ProgressBarKeepsItsPictureAndName) {
  Files files;
  OnForm on;
  TProgBar* bar = on.PlainBar();
  on.form.Show();
  const TColor plain = on.robot.PixelAt(bar, 150, 14);
  ASSERT_NE(plain, kGreen);
  for (const auto& bad : files.bad) {
    SCOPED_TRACE(bad.What);
    EXPECT_NO_THROW(bar->SetBackGroundImg(bad.Path));
    EXPECT_EQ(bar->GetBackGroundImg(), "");
    EXPECT_EQ(on.robot.PixelAt(bar, 150, 14), plain);
    bar->SetBackGroundImg(files.good);
    EXPECT_NO_THROW(bar->SetBackGroundImg(bad.Path));
    EXPECT_EQ(bar->GetBackGroundImg(), files.good);
    EXPECT_EQ(on.robot.PixelAt(bar, 150, 14), kGreen);
    bar->SetBackGroundImg("");
  }
}

namespace {
// A well-formed BMP whose picture needs a gigabyte: 16384 x 16384 run-length
// coded pixels, every row left blank by an end-of-line mark (32 KB of file).
void WriteGigabytePicture(const std::string& Path) {
  constexpr uint32_t kSide = 16384, kPalette = 256 * 4, kOffset = 14 + 40 + kPalette, kStream = 2 * kSide + 2;
  std::vector<uint8_t> b(kOffset + kStream, 0);
  auto put = [&](size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + i] = uint8_t(v >> 8 * i);
  };
  b[0] = 'B', b[1] = 'M';
  put(2, uint32_t(b.size()), 4), put(10, kOffset, 4);
  put(14, 40, 4), put(18, kSide, 4), put(22, kSide, 4), put(26, 1, 2), put(28, 8, 2), put(30, 1, 4);  // RLE8
  put(34, kStream, 4);
  b[b.size() - 1] = 1;  // the stream: kSide end-of-line marks (0, 0), then the end mark (0, 1)
  std::ofstream(Path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

// While it lives, pictures up to the largest bitmap may be loaded: the
// gigabyte picture is within it, and fails only for want of memory.
class TLargestPicturesAllowed {
 public:
  TLargestPicturesAllowed() { SetMaxLoadPixels(int64_t(1) << 28); }
  ~TLargestPicturesAllowed() { SetMaxLoadPixels(old_); }
  TLargestPicturesAllowed(const TLargestPicturesAllowed&) = delete;
  TLargestPicturesAllowed& operator=(const TLargestPicturesAllowed&) = delete;

 private:
  int64_t old_ = GetMaxLoadPixels();
};

// The sanitizers reserve address space and end the program when memory runs
// out, so a test of running out of memory cannot run under them.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QEL_UNDER_SANITIZERS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer) || __has_feature(thread_sanitizer)
#define QEL_UNDER_SANITIZERS 1
#endif
#endif
#ifdef QEL_UNDER_SANITIZERS
#define SKIP_UNDER_SANITIZERS() GTEST_SKIP() << "the sanitizers end the program when memory runs out"
#else
#define SKIP_UNDER_SANITIZERS() (void)0
#endif

// While it lives, the process may take at most Spare more bytes of address
// space: a larger allocation raises std::bad_alloc, as on a machine whose
// memory is used up.
class TMemoryCeiling {
 public:
  explicit TMemoryCeiling(size_t Spare) {
    getrlimit(RLIMIT_AS, &old_);
    long pages = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(f, "%ld", &pages) != 1) pages = 0;
      std::fclose(f);
    }
    rlimit low = old_;
    low.rlim_cur = size_t(pages) * size_t(sysconf(_SC_PAGESIZE)) + Spare;
    set_ = pages > 0 && (old_.rlim_max == RLIM_INFINITY || low.rlim_cur < old_.rlim_max) &&
           setrlimit(RLIMIT_AS, &low) == 0;
  }
  ~TMemoryCeiling() {
    if (set_) setrlimit(RLIMIT_AS, &old_);
  }
  bool Set() const { return set_; }

 private:
  rlimit old_{};
  bool set_ = false;
};
}  // namespace

// A picture the memory left cannot hold fails in the decoder with
// std::bad_alloc, not the library's own error: the bar and the meter ignore
// it like any failed load, keep their pictures and names, and load a good
// file afterwards.
TEST(BadImageFiles, BarAndMeterIgnoreAPictureTooLargeForTheMemoryLeft) {
  SKIP_UNDER_SANITIZERS();
  Files files;
  const std::string huge = files.dir.Path("huge.bmp");
  WriteGigabytePicture(huge);
  TLargestPicturesAllowed allowed;
  OnForm on;
  TProgBar* bar = on.PlainBar();
  on.form.Show();
  bar->SetBackGroundImg(files.good);
  ASSERT_EQ(on.robot.PixelAt(bar, 150, 14), kGreen);
  {
    TMemoryCeiling ceiling(size_t(256) << 20);
    if (!ceiling.Set()) GTEST_SKIP() << "cannot lower the address-space limit";
    TBitmap probe;  // the same load as the bar's, to see it fails as intended
    EXPECT_THROW(probe.LoadFromFile(huge), std::bad_alloc);
    EXPECT_NO_THROW(bar->SetBackGroundImg(huge));
  }
  EXPECT_EQ(bar->GetBackGroundImg(), files.good);
  EXPECT_EQ(on.robot.PixelAt(bar, 150, 14), kGreen);
  bar->SetValue(50);  // still paints: the bar over the kept picture
  EXPECT_NE(on.robot.PixelAt(bar, 100, 14), kGreen);
  EXPECT_EQ(on.robot.PixelAt(bar, 200, 14), kGreen);
  bar->SetBackGroundImg("");
  EXPECT_NE(on.robot.PixelAt(bar, 200, 14), kGreen);
  bar->SetBackGroundImg(files.good);
  EXPECT_EQ(bar->GetBackGroundImg(), files.good);
  EXPECT_EQ(on.robot.PixelAt(bar, 200, 14), kGreen);

  // The meter's anchor picture likewise: refused, and a good one afterwards.
  TMeter* meter = on.PlainMeter();
  {
    TMemoryCeiling ceiling(size_t(256) << 20);
    EXPECT_NO_THROW(meter->SetAnchorImage(huge));
  }
  EXPECT_EQ(meter->GetAnchorImage(), "");
  meter->SetAnchorImage(files.good);
  EXPECT_EQ(meter->GetAnchorImage(), files.good);
  meter->SetValue(0.5);
  EXPECT_EQ(meter->GetValue(), 0.5);
}


// The gallery's thumbnail pages read every picture of a folder: a bad file
// is an empty card (it is not read twice) and the good ones still show.
TEST(BadImageFiles, ThumbnailCardsOfBadFilesStayEmptyAndTheGoodOnesShow) {
  Files files;
  std::vector<std::string> names = {files.good};
  for (const auto& bad : files.bad) names.push_back(bad.Path);
  gallery::TScaledImageCache cache(64);
  cache.Reset(names, 100);
  for (int i = 1; i < cache.Count(); ++i) EXPECT_EQ(cache.Get(i), nullptr) << files.bad[i - 1].What;
  EXPECT_EQ(cache.Get(1), nullptr);
  EXPECT_EQ(cache.Decoded(), cache.Count() - 1);

  OnForm on;
  auto* thumbs = new TThumbnails(&on.form);
  thumbs->SetParent(&on.form);
  thumbs->SetBounds(0, 0, 540, 400);
  thumbs->SetSlideSize(100);
  thumbs->SetMax(cache.Count());
  int requests = 0;
  thumbs->OnImageRequest = [&](TObject*, int n, TImageRequestProcessing& how, int& mark, TBitmap*& buf) {
    ++requests;
    if (TBitmap* picture = cache.Get(n - 1)) {
      how = irpShowSlide;
      buf = picture;
    } else {
      mark = 4;
    }
  };
  on.form.Show();
  thumbs->Paint();
  EXPECT_GT(requests, 1);
  int x = 0, y = 0;
  thumbs->CalcSlidePos(1, x, y);
  const int half = thumbs->GetSlideMargin() + thumbs->GetSlideSize() / 2;
  EXPECT_EQ(on.robot.PixelAt(thumbs, x + half, y + half), kGreen);
  EXPECT_EQ(cache.Decoded(), cache.Count());
}

// A file the program may not read is ignored like a bad one (under root,
// checked as another user: root reads every file whatever its mode).
TEST(BadImageFiles, UnreadableFileIsIgnoredLikeABadOne) {
  bool ran = test::RunUnprivileged([] {
    Files files;
    const std::string locked = files.dir.Path("locked.png");
    test::WriteSolidImage(locked, 12, 12, 0x0000FF);
    ASSERT_EQ(chmod(locked.c_str(), 0), 0);
    OnForm on;
    TProgBar* bar = on.PlainBar();
    on.form.Show();
    bar->SetBackGroundImg(files.good);
    bar->SetBackGroundImg(locked);
    EXPECT_EQ(bar->GetBackGroundImg(), files.good);
    EXPECT_EQ(on.robot.PixelAt(bar, 150, 14), kGreen);
    auto* m = new TMeter(&on.form);
    m->SetParent(&on.form);
    m->SetTop(40);
    m->SetAnchorImage(locked);
    EXPECT_EQ(m->GetAnchorImage(), "");
    EXPECT_THROW(m->SetBackGroundImg(locked), EFOpenError);
    EXPECT_EQ(m->GetBackGroundImg(), locked);
  });
  if (!ran) GTEST_SKIP() << "running as root and unable to become another user: permission bits stop nothing";
}
