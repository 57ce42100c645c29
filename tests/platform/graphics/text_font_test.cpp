// Font resolution, metrics and widths.
#include <gtest/gtest.h>

#include "platform/graphics/FontEngine.h"
#include "platform/graphics/Graphics.h"

using namespace qel;

TEST(TextFont, PlatformNamesResolveToMetricCompatibleFonts) {
  EXPECT_EQ(ResolveFont("Arial", false, false).Family, "Liberation Sans");
  EXPECT_EQ(ResolveFont("helvetica", false, false).Family, "Liberation Sans");
  EXPECT_EQ(ResolveFont("Times New Roman", false, false).Family, "Liberation Serif");
  EXPECT_EQ(ResolveFont("Times", false, false).Family, "Liberation Serif");
  EXPECT_EQ(ResolveFont("Courier New", false, false).Family, "Liberation Mono");
  EXPECT_EQ(ResolveFont(" COURIER ", false, false).Family, "Liberation Mono");
}

TEST(TextFont, UnknownNamesFallBackToDejaVuSans) {
  for (const char* name : {"NoSuchFont", "Tahoma", "MS Sans Serif", "default", "", "sans-serif"}) {
    ResolvedFont r = ResolveFont(name, false, false);
    EXPECT_EQ(r.Family, "DejaVu Sans") << name;
    EXPECT_NE(r.File.find("DejaVuSans.ttf"), std::string::npos) << name << ": " << r.File;
  }
  // An installed family that is not aliased is used as it is.
  EXPECT_EQ(ResolveFont("DejaVu Serif", false, false).Family, "DejaVu Serif");
}

TEST(TextFont, StylesPickRealFacesOrAreSynthesised) {
  ResolvedFont bold = ResolveFont("Arial", true, false), italic = ResolveFont("Arial", false, true);
  ResolvedFont regular = ResolveFont("Arial", false, false), both = ResolveFont("NoSuchFont", true, true);
  EXPECT_NE(bold.File, regular.File);
  EXPECT_NE(italic.File, regular.File);
  EXPECT_FALSE(bold.SyntheticBold || italic.SyntheticItalic || both.SyntheticBold || both.SyntheticItalic);
  EXPECT_NE(both.File.find("DejaVuSans-BoldOblique"), std::string::npos) << both.File;

  // A family with only a regular face gets both styles synthesised.
  ResolvedFont math = ResolveFont("DejaVu Math TeX Gyre", true, true);
  if (math.Family != "DejaVu Math TeX Gyre") GTEST_SKIP() << "DejaVu Math TeX Gyre is not installed";
  EXPECT_TRUE(math.SyntheticBold);
  EXPECT_TRUE(math.SyntheticItalic);
}

TEST(TextFont, TextHeightIsTheCellHeightOfTheFont) {
  TCanvas c;
  c.Font()->SetSize(8);
  ASSERT_EQ(c.Font()->GetHeight(), -11);
  FontMetrics m = GetFontMetrics(*c.Font());
  EXPECT_EQ(m.Height, m.Ascent + m.Descent);
  EXPECT_EQ(c.TextHeight("x"), m.Height);
  EXPECT_EQ(c.TextHeight("\xC3\x89g"), m.Height);  // "Ég"
  EXPECT_EQ(c.TextHeight(""), m.Height);
  // The 8-point default renders at 11 pixels to the em with a 13-pixel cell,
  // as the platform's 8-point dialog font does.
  EXPECT_EQ(m.EmPixels, 11);
  EXPECT_EQ(m.Height, 13);
  EXPECT_EQ(c.TextExtent("Ég"), (TSize{c.TextWidth("Ég"), m.Height}));

  // A positive Height is the cell height itself.
  for (int h : {7, 13, 20, 33}) {
    c.Font()->SetHeight(h);
    EXPECT_EQ(c.TextHeight("x"), h);
  }
}

TEST(TextFont, LargerHeightMakesLargerText) {
  TCanvas c;
  c.Font()->SetHeight(-11);
  TSize small = c.TextExtent("Sample text");
  c.Font()->SetHeight(-20);
  TSize large = c.TextExtent("Sample text");
  EXPECT_GT(large.cx, small.cx * 3 / 2);
  EXPECT_GT(large.cy, small.cy * 3 / 2);
  // Absurd heights are drawn at a bounded size rather than failing.
  c.Font()->SetHeight(-1000000);
  EXPECT_GT(c.TextHeight("x"), large.cy);
  EXPECT_LT(c.TextHeight("x"), 5000);
}

TEST(TextFont, WidthIsTheSumOfItsParts) {
  TCanvas c;
  for (const char* name : {"Tahoma", "Arial", "Times New Roman"}) {
    c.Font()->SetName(name);
    const std::string left = "Hello, Wo", right = "rld AVATAR 123";
    int whole = c.TextWidth(left + right), parts = c.TextWidth(left) + c.TextWidth(right);
    EXPECT_NEAR(whole, parts, 2) << name;  // kerning across the split
    EXPECT_EQ(c.TextWidth(""), 0);
    EXPECT_GT(c.TextWidth("ab"), c.TextWidth("a"));
  }
  // A fixed-pitch font gives every character the same advance.
  c.Font()->SetName("Courier New");
  EXPECT_EQ(c.TextWidth("iiii"), c.TextWidth("MMMM"));
  EXPECT_EQ(c.TextWidth("iiii"), 4 * c.TextWidth("i"));
}

TEST(TextFont, MalformedUtf8CountsAsReplacementCharacters) {
  TCanvas c;
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(c.TextWidth("a\xFF" "b"), c.TextWidth("a" + replacement + "b"));
  // Overlong form, lone continuation, surrogate, truncated sequence at the end.
  EXPECT_EQ(c.TextWidth("\xC0\xAF"), 2 * c.TextWidth(replacement));
  EXPECT_EQ(c.TextWidth("\x80"), c.TextWidth(replacement));
  EXPECT_EQ(c.TextWidth("\xED\xA0\x80"), 3 * c.TextWidth(replacement));
  EXPECT_EQ(c.TextWidth("x\xE2\x82"), c.TextWidth("x") + 2 * c.TextWidth(replacement));
  // F8..FF start no sequence, however valid what follows would look.
  EXPECT_EQ(c.TextWidth("\xF8\x90\x80\x80"), 4 * c.TextWidth(replacement));
  // Well-formed multi-byte characters are one character each.
  EXPECT_EQ(c.TextWidth("\xC3\xA9\xC3\xA9"), 2 * c.TextWidth("\xC3\xA9"));
  EXPECT_LT(c.TextWidth("\xC3\xA9"), 2 * c.TextWidth(replacement));
}
