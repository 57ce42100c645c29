// Picture files that declare far more pixels than they hold: a PNG of a
// few kilobytes that inflates to a gigabyte, and BMPs and PNGs just past the
// limit an application sets. The load is refused before memory is taken
// for the picture, the message names the file, its size and the limit, and
// the bitmap keeps what it showed.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdint>
#include <string>

#include "../platform/rtl/TempFolder.h"
#include "HostileImages.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/rtl/Streams.h"

using namespace qel;
using namespace qel::test;

namespace {

// Sets the load limit while it lives.
class TLoadLimit {
 public:
  explicit TLoadLimit(int64_t Pixels) { SetMaxLoadPixels(Pixels); }
  ~TLoadLimit() { SetMaxLoadPixels(old_); }
  TLoadLimit(const TLoadLimit&) = delete;
  TLoadLimit& operator=(const TLoadLimit&) = delete;

 private:
  int64_t old_ = GetMaxLoadPixels();
};

// A bitmap showing one known pixel.
void Mark(TBitmap& B) {
  B.SetSize(3, 2);
  B.ScanLine(1)[2] = 0x123456;
}
void ExpectMarked(TBitmap& B) {
  EXPECT_EQ(B.GetWidth(), 3);
  EXPECT_EQ(B.GetHeight(), 2);
  EXPECT_EQ(B.ScanLine(1)[2], 0x123456u);
}

// Peak resident memory of the process so far, in bytes.
long long PeakMemory() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return (long long)u.ru_maxrss * 1024;
}

}  // namespace

TEST(ImageBomb, GigabytePngOfThirtyKilobytesIsRefusedBeforeDecoding) {
  TempFolder dir;
  const std::string bomb = dir.Path("bomb.png");
  WritePngBomb(bomb, 16384);
  TBitmap b;
  Mark(b);
  const long long peakBefore = PeakMemory();
  try {
    b.LoadFromFile(bomb);
    ADD_FAILURE() << "loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot load file \"" + bomb +
                                         "\": its picture of 16384 x 16384 pixels is more than the limit of "
                                         "100000000 pixels a picture may have (SetMaxLoadPixels)");
  }
  EXPECT_LT(PeakMemory() - peakBefore, 64ll << 20) << "bytes taken by a refused picture";
  ExpectMarked(b);
  // An application that wants larger pictures says so; within the limit the
  // picture loads (blank: black).
  TLoadLimit larger(int64_t(1) << 28);
  TempFolder small;
  WritePngBomb(small.Path("b.png"), 1024);
  b.LoadFromFile(small.Path("b.png"));
  EXPECT_EQ(b.GetWidth(), 1024);
  EXPECT_EQ(b.ScanLine(1023)[1023], 0u);
}

TEST(ImageBomb, LimitIsTheApplicationsForPngBmpAndStreams) {
  TempFolder dir;
  WriteSolidImage(dir.Path("64.png"), 64, 64, 0x00FF00);
  WriteSolidImage(dir.Path("64.bmp"), 64, 64, 0x00FF00);
  TLoadLimit limit(64 * 64 - 1);
  EXPECT_EQ(GetMaxLoadPixels(), 4095);
  TBitmap b;
  Mark(b);
  for (const char* name : {"64.png", "64.bmp"}) {
    SCOPED_TRACE(name);
    const std::string path = dir.Path(name);
    try {
      b.LoadFromFile(path);
      ADD_FAILURE() << "loaded";
    } catch (const EImageTooLarge& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot load file \"" + path +
                                           "\": its picture of 64 x 64 pixels is more than the limit of 4095 "
                                           "pixels a picture may have (SetMaxLoadPixels)");
    }
    ExpectMarked(b);
    TMemoryStream stream;
    stream.LoadFromFile(path);
    try {
      b.LoadFromStream(stream);
      ADD_FAILURE() << "loaded";
    } catch (const EImageTooLarge& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot load a stream: its picture of 64 x 64 pixels is more than the "
                                       "limit of 4095 pixels a picture may have (SetMaxLoadPixels)");
    }
    ExpectMarked(b);
  }
  SetMaxLoadPixels(64 * 64);  // exactly the picture: it loads
  b.LoadFromFile(dir.Path("64.bmp"));
  EXPECT_EQ(b.ScanLine(63)[63], 0x00FF00u);
  SetMaxLoadPixels(0);
  EXPECT_EQ(GetMaxLoadPixels(), 1);
  SetMaxLoadPixels(int64_t(1) << 40);  // never more than a bitmap can be
  EXPECT_EQ(GetMaxLoadPixels(), int64_t(1) << 28);
}
