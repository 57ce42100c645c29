// The checked-in pictures under resources/ are exactly what the artwork
// program draws, and the library embeds those same pixels.
#include <gtest/gtest.h>

#include "resources/art/PictureArt.h"

using namespace qel;

namespace {
// Empty when equal, else the first differing pixel.
std::string Difference(const TBitmap& A, const TBitmap& B) {
  if (A.GetWidth() != B.GetWidth() || A.GetHeight() != B.GetHeight())
    return "size " + std::to_string(A.GetWidth()) + "x" + std::to_string(A.GetHeight()) + " against " +
           std::to_string(B.GetWidth()) + "x" + std::to_string(B.GetHeight());
  for (int y = 0; y < A.GetHeight(); ++y)
    for (int x = 0; x < A.GetWidth(); ++x)
      if ((A.ScanLine(y)[x] & 0xFFFFFF) != (B.ScanLine(y)[x] & 0xFFFFFF))
        return "pixel " + std::to_string(x) + "," + std::to_string(y);
  return "";
}
}  // namespace

TEST(ResourceArt, CheckedInPicturesAreWhatTheProgramDraws) {
  ASSERT_FALSE(art::Pictures().empty());
  for (const art::TPicture& p : art::Pictures()) {
    SCOPED_TRACE(p.Name);
    auto drawn = art::Render(p);
    TBitmap file, embedded;
    ASSERT_NO_THROW(file.LoadFromFile(art::FileNameOf(QEL_SOURCE_DIR "/resources", p)))
        << "run: cmake --build <build dir> --target qel-draw-resources";
    EXPECT_EQ(Difference(*drawn, file), "") << "resources/ is stale: run the qel-draw-resources target";
    ASSERT_NO_THROW(embedded.LoadFromResourceName(HInstance, p.Name));
    EXPECT_EQ(Difference(file, embedded), "") << "the build embeds an old copy";
    // Pure black and white: colouring the shapes by flood fill needs that.
    if (p.Coloured) continue;
    for (int y = 0; y < file.GetHeight(); ++y)
      for (int x = 0; x < file.GetWidth(); ++x) {
        uint32_t px = file.ScanLine(y)[x] & 0xFFFFFF;
        ASSERT_TRUE(px == 0 || px == 0xFFFFFF) << x << "," << y;
      }
  }
}
