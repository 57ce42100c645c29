// Colour names and numbers in text.
#include <gtest/gtest.h>

#include "platform/graphics/Colors.h"
#include "platform/rtl/Exceptions.h"

using namespace qel;

TEST(Colors, NamesRoundTripAndOthersAreHex) {
  const TColor named[] = {clBlack, clMaroon, clSilver, clWhite, clMoneyGreen, clSkyBlue, clCream, clMedGray,
                          clNone, clDefault, clScrollBar, clBtnFace, cl3DDkShadow, clInfoBk, clHotLight,
                          clGradientActiveCaption, clMenuHighlight, clMenuBar};
  for (TColor c : named) {
    std::string s = ColorToString(c);
    EXPECT_EQ(s.substr(0, 2), "cl") << s;
    EXPECT_EQ(StringToColor(s), c) << s;
  }
  EXPECT_EQ(ColorToString(clRed), "clRed");
  EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToString(clLtGray), "clSilver");
  EXPECT_EQ(ColorToString(RGB(1, 2, 0xAB)), "$00AB0201");
  EXPECT_EQ(ColorToString(0xFF000019), "$FF000019");  // no name at index 25
  EXPECT_EQ(StringToColor("$00AB0201"), RGB(1, 2, 0xAB));
  std::string ident;
  EXPECT_FALSE(ColorToIdent(0x123456, ident));
}

TEST(Colors, StringToColorReadsNamesAndNumbers) {
  EXPECT_EQ(StringToColor("CLRED"), clRed);
  EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);
  EXPECT_EQ(StringToColor("clDkGray"), clGray);
  EXPECT_EQ(StringToColor("$FF"), 0xFFu);
  EXPECT_EQ(StringToColor("255"), 255u);
  EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
  EXPECT_EQ(StringToColor("$FFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(StringToColor("0x10"), 16u);
  TColor c = 7;
  EXPECT_FALSE(IdentToColor("clRedd", c));
  EXPECT_EQ(c, 7u);
  for (const char* junk : {"", "cl", "red", "$", "12a", "$1FFFFFFFF", "2147483648", "- 1", "1 ", "$-1"})
    EXPECT_THROW(StringToColor(junk), EConvertError) << junk;
}
