// TTextMeasurer gives every string the width the canvas gives it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "platform/graphics/TextMeasurer.h"

using namespace qel;

TEST(TextMeasurer, WidthsEqualTheCanvasForEveryKindOfText) {
  const std::vector<std::string> texts = {
      "", "a", "Report list", "AVAVA To Ty Wa yo LT", "0123456789", "  blanks  ", "tab\tand\x01control",
      "Ünïcödé ßtraße €", "mixed ascii then é and back", "bad \xC3 byte", "\xE2\x82", "emoji \xF0\x9F\x98\x80",
      std::string(300, 'W')};
  TBitmap bitmap(4, 4);
  TCanvas* c = bitmap.Canvas();
  for (const char* family : {"Tahoma", "Times New Roman", "Courier New"})
    for (TFontStyles style : {TFontStyles{}, TFontStyles{fsBold}, TFontStyles{fsItalic}})
      for (int height : {-11, -20}) {
        TFont font;
        font.SetName(family);
        font.SetStyle(style);
        font.SetHeight(height);
        c->Font()->Assign(&font);
        std::vector<int> expected;
        for (const std::string& t : texts) expected.push_back(c->TextWidth(t));
        const int tail = c->TextWidth(texts[3].substr(1));
        // The measurer holds the font engine: the canvas measures before it.
        TTextMeasurer measure(font);
        for (size_t i = 0; i < texts.size(); ++i)
          EXPECT_EQ(measure.Width(texts[i]), expected[i]) << family << " " << height << " \"" << texts[i] << "\"";
        // Part of a string, as the view measures a check cell after its mark.
        EXPECT_EQ(measure.Width(std::string_view(texts[3]).substr(1)), tail) << family;
      }
}
