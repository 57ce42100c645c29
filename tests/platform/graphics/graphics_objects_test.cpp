// Pens, brushes and fonts: what their setters store and when they notify.
#include <gtest/gtest.h>

#include "platform/graphics/Graphics.h"

using namespace qel;

TEST(GraphicsObjects, PenBrushAndFontNotifyOnceForEachChangeAndNotForTheSameValue) {
  int changes = 0;
  auto count = [&](TObject*) { ++changes; };

  TPen pen;
  pen.OnChange = count;
  pen.SetColor(clRed);
  pen.SetColor(clRed);
  pen.SetWidth(0);  // below 1 is 1, which the pen already has
  EXPECT_EQ(pen.GetWidth(), 1);
  EXPECT_EQ(changes, 1);
  pen.SetWidth(3);
  pen.SetStyle(psDot);
  pen.SetMode(pmXor);
  pen.SetMode(pmXor);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(pen.GetColor(), clRed);
  EXPECT_EQ(pen.GetWidth(), 3);

  changes = 0;
  TBrush brush;
  brush.OnChange = count;
  brush.SetStyle(bsClear);
  brush.SetStyle(bsClear);
  EXPECT_EQ(changes, 1);

  changes = 0;
  TFont font;
  font.OnChange = count;
  font.SetName("Liberation Sans \xC3\xA9");
  font.SetName("Liberation Sans \xC3\xA9");
  font.SetSize(12);
  font.SetSize(12);
  font.SetStyle(TFontStyles{fsBold});
  font.SetOrientation(900);
  font.SetOrientation(900);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(font.GetName(), "Liberation Sans \xC3\xA9");
  EXPECT_EQ(font.GetHeight(), -16);
  EXPECT_EQ(font.GetOrientation(), 900);
}
