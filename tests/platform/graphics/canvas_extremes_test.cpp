#include <gtest/gtest.h>

#include <climits>

#include "platform/graphics/Graphics.h"

using namespace qel;

// Extreme coordinates must clip, not overflow (the sanitizer build checks).
TEST(CanvasExtremes, FillRectAndPixelsWithExtremeCoordinatesAndOrigin) {
  TBitmap surface(20, 20);
  TCanvas canvas;
  canvas.SetTarget(&surface, {10, 10}, {0, 0, 20, 20});
  canvas.Brush()->SetColor(clRed);
  canvas.FillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  EXPECT_EQ(PixelToColor(surface.ScanLine(0)[0]), clRed);
  EXPECT_EQ(PixelToColor(surface.ScanLine(19)[19]), clRed);
  EXPECT_EQ(canvas.GetPixels(INT_MAX, INT_MAX), CLR_INVALID);
  EXPECT_EQ(canvas.GetPixels(INT_MIN, 0), CLR_INVALID);
  canvas.SetPixels(INT_MAX, INT_MIN, clBlue);
  canvas.SetPixels(-10, -10, clBlue);  // the surface's top-left corner
  EXPECT_EQ(PixelToColor(surface.ScanLine(0)[0]), clBlue);
  EXPECT_EQ(canvas.GetPixels(-10, -10), clBlue);
  EXPECT_EQ(canvas.GetPixels(10, 10), CLR_INVALID);  // past the surface
  TRect huge{INT_MIN, 0, INT_MAX, 1};
  EXPECT_EQ(huge.Width(), INT_MAX);
}
