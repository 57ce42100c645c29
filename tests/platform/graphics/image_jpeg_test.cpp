// JPEG files through TBitmap: the eight Exif orientations, grey and
// progressive files, reduced decoding for previews, and files that are
// broken or declare a size they cannot hold.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "../rtl/TempFolder.h"
#include "JpegSamples.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/rtl/Exceptions.h"

using namespace qel;
using namespace qel::test;

namespace {

void WriteBytes(const std::string& Name, const JpegBytes& Bytes) {
  std::ofstream(Name, std::ios::binary).write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
}

// JPEG is lossy: a channel may be a few steps off.
::testing::AssertionResult Near(uint32_t Actual, uint32_t Expected) {
  for (int shift : {0, 8, 16})
    if (std::abs(int((Actual >> shift) & 0xFF) - int((Expected >> shift) & 0xFF)) > 12)
      return ::testing::AssertionFailure() << std::hex << "0x" << Actual << " is not near 0x" << Expected;
  return ::testing::AssertionSuccess();
}

// The colours a bitmap shows a little inside its four corners.
struct Corners {
  uint32_t TopLeft, TopRight, BottomLeft, BottomRight;
};
void ExpectCorners(TBitmap& B, const Corners& C) {
  const int w = B.GetWidth(), h = B.GetHeight(), in = 3;
  EXPECT_TRUE(Near(B.ScanLine(in)[in], C.TopLeft));
  EXPECT_TRUE(Near(B.ScanLine(in)[w - 1 - in], C.TopRight));
  EXPECT_TRUE(Near(B.ScanLine(h - 1 - in)[in], C.BottomLeft));
  EXPECT_TRUE(Near(B.ScanLine(h - 1 - in)[w - 1 - in], C.BottomRight));
}

void Mark(TBitmap& B) {
  B.SetSize(3, 2);
  B.ScanLine(1)[2] = 0x123456;
}
void ExpectMarked(TBitmap& B) {
  ASSERT_EQ(B.GetWidth(), 3);
  ASSERT_EQ(B.GetHeight(), 2);
  EXPECT_EQ(B.ScanLine(1)[2], 0x123456u);
}

// The message of the exception a load raises, "" for none.
std::string LoadError(TBitmap& B, const std::string& File) {
  try {
    B.LoadFromFile(File);
  } catch (const EInvalidGraphic& e) {
    return e.Message();
  }
  return "";
}

long long PeakMemory() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return (long long)u.ru_maxrss * 1024;
}

constexpr uint32_t R = kTopLeft, G = kTopRight, B = kBottomLeft, W = kBottomRight;

}  // namespace

// Stored: red, green over blue, white, 64 x 32. Each orientation shows it as
// a camera held that way saw it; 5 to 8 show it 32 x 64.
TEST(ImageJpeg, EveryExifOrientationShowsThePictureUpright) {
  const Corners shown[9] = {{},
                            {R, G, B, W},   // 1: as stored
                            {G, R, W, B},   // 2: mirrored
                            {W, B, G, R},   // 3: turned half round
                            {B, W, R, G},   // 4: upside down mirrored
                            {R, B, G, W},   // 5: transposed
                            {B, R, W, G},   // 6: turned a quarter clockwise
                            {W, G, B, R},   // 7: transversed
                            {G, W, R, B}};  // 8: turned a quarter anticlockwise
  TempFolder dir;
  for (int o = 1; o <= 8; ++o)
    for (bool bigEndian : {false, true}) {
      SCOPED_TRACE("orientation " + std::to_string(o) + (bigEndian ? ", big-endian" : ", little-endian"));
      const std::string file = dir.Path(o % 2 ? "photo.JPG" : "photo.jpeg");
      WriteBytes(file, EncodeJpegSample({.Orientation = o, .BigEndianExif = bigEndian}));
      TBitmap b;
      b.LoadFromFile(file);
      EXPECT_EQ(b.GetWidth(), o >= 5 ? 32 : 64);
      EXPECT_EQ(b.GetHeight(), o >= 5 ? 64 : 32);
      ExpectCorners(b, shown[o]);
    }
}

TEST(ImageJpeg, GreyProgressiveAndPlainFilesLoad) {
  TempFolder dir;
  TBitmap b;
  WriteBytes(dir.Path("grey.jpg"), EncodeJpegSample({.Width = 24, .Height = 10, .Grey = true}));
  b.LoadFromFile(dir.Path("grey.jpg"));
  ASSERT_EQ(b.GetWidth(), 24);
  ASSERT_EQ(b.GetHeight(), 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 24; ++x) ASSERT_TRUE(Near(b.ScanLine(y)[x], 0x808080)) << x << "," << y;

  WriteBytes(dir.Path("progressive.jpg"), EncodeJpegSample({.Progressive = true}));
  b.LoadFromFile(dir.Path("progressive.jpg"));
  EXPECT_EQ(b.GetWidth(), 64);
  ExpectCorners(b, {R, G, B, W});

  // A JPEG is told by its first bytes, whatever its name says.
  WriteBytes(dir.Path("named.png"), EncodeJpegSample({}));
  b.LoadFromFile(dir.Path("named.png"));
  ExpectCorners(b, {R, G, B, W});
}

// A preview is decoded at the largest reduction that keeps the longer side
// at least the size asked for, and still turned upright.
TEST(ImageJpeg, PreviewDecodesReducedAndUpright) {
  TempFolder dir;
  const std::string file = dir.Path("big.jpg");
  WriteBytes(file, EncodeJpegSample({.Width = 256, .Height = 128, .Orientation = 6}));
  TBitmap b;
  b.LoadPreviewFromFile(file, 40);  // 256 / 4 = 64 >= 40; 256 / 8 = 32 is too small
  EXPECT_EQ(b.GetWidth(), 32);
  EXPECT_EQ(b.GetHeight(), 64);
  ExpectCorners(b, {B, R, W, G});
  b.LoadPreviewFromFile(file, 300);  // larger than the picture: whole
  EXPECT_EQ(b.GetWidth(), 128);
  EXPECT_EQ(b.GetHeight(), 256);
  b.LoadPreviewFromFile(file, 10);  // never below 1/8
  EXPECT_EQ(b.GetWidth(), 16);
  EXPECT_EQ(b.GetHeight(), 32);
}

// A damaged Exif block is read as "as stored", never past its end.
TEST(ImageJpeg, DamagedExifBlocksLeaveThePictureAsStored) {
  TempFolder dir;
  const std::string file = dir.Path("exif.jpg");
  JpegBytes good = EncodeJpegSample({.Orientation = 6});
  const uint8_t tiff[] = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0};
  size_t at = std::search(good.begin(), good.end(), tiff, tiff + sizeof tiff) - good.begin() + 6;
  ASSERT_LT(at, good.size());
  auto damaged = [&](size_t offset, uint8_t value) {
    JpegBytes f = good;
    f[at + offset] = value;
    return f;
  };
  const JpegBytes cases[] = {
      damaged(4, 0xF0),   // the directory past the block
      damaged(7, 0xFF),   // the directory 4 GB past the block
      damaged(8, 1),      // a directory of one entry: the orientation is not in it
      damaged(24, 4),     // the orientation as a LONG
      damaged(30, 9),     // no such orientation
      damaged(0, 'X'),    // no byte order
  };
  for (const JpegBytes& f : cases) {
    WriteBytes(file, f);
    TBitmap b;
    b.LoadFromFile(file);
    EXPECT_EQ(b.GetWidth(), 64);
    ExpectCorners(b, {R, G, B, W});
  }
}

// Broken files raise an error naming the file; the bitmap keeps its picture
// and loads the next good file.
TEST(ImageJpeg, BrokenFilesRaiseNamingTheFileAndChangeNothing) {
  TempFolder dir;
  const JpegBytes good = EncodeJpegSample({});
  JpegBytes truncated(good.begin(), good.begin() + good.size() * 2 / 3);
  JpegBytes noFrame(good.begin(), good.begin() + 20);
  JpegBytes arithmetic = good;
  for (size_t i = 2; i + 1 < arithmetic.size(); ++i)
    if (arithmetic[i] == 0xFF && arithmetic[i + 1] == 0xC0) {
      arithmetic[i + 1] = 0xC9;  // the same frame, declared arithmetic-coded
      break;
    }
  const std::pair<JpegBytes, std::string> cases[] = {
      {truncated, "truncated"}, {noFrame, "Invalid JPEG image"}, {arithmetic, "arithmetic"}};
  for (const auto& [bytes, why] : cases) {
    const std::string file = dir.Path("broken " + why + ".jpg");
    WriteBytes(file, bytes);
    TBitmap b;
    Mark(b);
    const std::string error = LoadError(b, file);
    EXPECT_NE(error.find(why), std::string::npos) << error;
    EXPECT_NE(error.find(file), std::string::npos) << error;
    ExpectMarked(b);
    WriteBytes(dir.Path("good.jpg"), good);
    b.LoadFromFile(dir.Path("good.jpg"));
    ExpectCorners(b, {R, G, B, W});
  }
}

// A header that claims a size the file cannot hold is refused before the
// picture's memory is taken; so is a true size past the load limit.
TEST(ImageJpeg, HeaderThatLiesAboutItsSizeIsRefusedBeforeDecoding) {
  TempFolder dir;
  const std::string file = dir.Path("liar.jpg");
  JpegBytes liar = EncodeJpegSample({});
  DeclareSize(liar, 8000, 8000);  // 64 M pixels, 256 MB, from about a kilobyte
  WriteBytes(file, liar);
  TBitmap b;
  Mark(b);
  const long long before = PeakMemory();
  const std::string error = LoadError(b, file);
  EXPECT_NE(error.find("too short for its size 8000 x 8000"), std::string::npos) << error;
  EXPECT_NE(error.find(file), std::string::npos) << error;
  EXPECT_LT(PeakMemory() - before, 64ll << 20);
  ExpectMarked(b);

  const int64_t old = GetMaxLoadPixels();
  SetMaxLoadPixels(64 * 32 - 1);
  WriteBytes(file, EncodeJpegSample({}));
  try {
    b.LoadFromFile(file);
    ADD_FAILURE() << "a picture past the limit loaded";
  } catch (const EImageTooLarge& e) {
    EXPECT_NE(e.Message().find(file), std::string::npos) << e.Message();
    EXPECT_EQ(e.Width, 64);
    EXPECT_EQ(e.Height, 32);
  }
  SetMaxLoadPixels(old);
  ExpectMarked(b);
  b.LoadFromFile(file);
  EXPECT_EQ(b.GetWidth(), 64);
}

// Writes the fuzz target's seed files when QEL_WRITE_JPEG_SEEDS names a
// folder (scripts/jpeg-seeds.sh); otherwise nothing to do.
TEST(ImageJpeg, SeedCorpus) {
  const char* folder = std::getenv("QEL_WRITE_JPEG_SEEDS");
  if (!folder) GTEST_SKIP() << "QEL_WRITE_JPEG_SEEDS is not set";
  auto write = [&](const std::string& name, const JpegBytes& bytes) { WriteBytes(std::string(folder) + "/" + name, bytes); };
  write("seed-plain.jpg", EncodeJpegSample({.Width = 16, .Height = 8}));
  write("seed-grey.jpg", EncodeJpegSample({.Width = 16, .Height = 8, .Grey = true}));
  write("seed-progressive.jpg", EncodeJpegSample({.Width = 16, .Height = 8, .Progressive = true}));
  write("seed-exif-le.jpg", EncodeJpegSample({.Width = 16, .Height = 8, .Orientation = 6}));
  write("seed-exif-be.jpg", EncodeJpegSample({.Width = 16, .Height = 8, .Orientation = 7, .BigEndianExif = true}));
  JpegBytes liar = EncodeJpegSample({.Width = 16, .Height = 8});
  DeclareSize(liar, 4000, 4000);
  write("seed-liar.jpg", liar);
}
