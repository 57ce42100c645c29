// Dot-matrix label, its character matrices: the built-in font's entries and
// completeness, how text maps to codes, sampled fonts, advances and the
// settings that follow the font.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <string>

#include "labels/QEL_RasterLab.h"
#include "labels/detail/RasterFont.h"

using namespace qel;

namespace {
using Entry = rasterfont::TGlyphEntry;

Entry Expect(uint8_t first, uint8_t last, std::array<uint8_t, 12> rows) {
  Entry e{first, last};
  std::memcpy(e.data() + 2, rows.data(), 12);
  return e;
}

// An installed font (DejaVu Sans is the platform's fallback for any name).
TFont Installed(int size, const std::string& name = "DejaVu Sans") {
  TFont f;
  f.SetName(name);
  f.SetSize(size);
  return f;
}

bool Dot(const TRDCharMatrix& m, int code, int row, int col) { return (m.Rows[code][row] >> col) & 1u; }
}  // namespace

TEST(RasterFont, BuiltinEntriesKeepTheFixedGlyphs) {
  EXPECT_EQ(rasterfont::BuiltinEntry('A'),
            Expect(0, 6, {0x00, 0x08, 0x08, 0x14, 0x14, 0x22, 0x3E, 0x22, 0x22, 0x77, 0x00, 0x00}));
  EXPECT_EQ(rasterfont::BuiltinEntry('0'),
            Expect(1, 5, {0x00, 0x1C, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x1C, 0x00, 0x00}));
  EXPECT_EQ(rasterfont::BuiltinEntry('.'), Expect(3, 3, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x08, 0, 0}));
  EXPECT_EQ(rasterfont::BuiltinEntry(' '), Expect(0, 6, {}));
  const Entry& g = rasterfont::BuiltinEntry('g');
  EXPECT_EQ(g[2 + 9], 0x20);
  EXPECT_EQ(g[2 + 10], 0x20);
  EXPECT_EQ(g[2 + 11], 0x1E);

  const TRDCharMatrix& m = rasterfont::Builtin();
  EXPECT_EQ(m.Width, 7);
  EXPECT_EQ(m.Height, 12);
  EXPECT_EQ(m.Rows['A'][9], 0x77u);
  EXPECT_EQ(m.FirstCol['0'], 1);
  EXPECT_EQ(m.LastCol['0'], 5);
  for (int code = 0; code < 32; ++code)
    for (int r = 0; r < 32; ++r) ASSERT_EQ(m.Rows[code][r], 0u) << code;
}

TEST(RasterFont, EveryPrintableCharacterHasItsOwnGlyphInTheCell) {
  const TRDCharMatrix& m = rasterfont::Builtin();
  // The blanks, the soft hyphen (shown as a hyphen) and the low single quote
  // (shaped as a comma) may share a picture;
  // the replacement glyph fills DEL and the codes the code page leaves out.
  const std::map<int, int> sameAs = {{160, 32}, {173, '-'}, {130, ','}, {0x81, 127}, {0x8D, 127}, {0x8F, 127}, {0x90, 127},
                                     {0x9D, 127}};
  std::map<std::array<uint32_t, 12>, int> seen;
  for (int code = 32; code < 256; ++code) {
    std::array<uint32_t, 12> rows{};
    uint32_t all = 0;
    for (int r = 0; r < 12; ++r) all |= rows[r] = m.Rows[code][r];
    for (int r = 12; r < 32; ++r) EXPECT_EQ(m.Rows[code][r], 0u) << code;
    EXPECT_EQ(all & ~0x7Fu, 0u) << "outside columns 0..6: " << code;
    if (code != 32 && code != 160) {
      EXPECT_NE(all, 0u) << "no dots: " << code;
      EXPECT_EQ(m.FirstCol[code], __builtin_ctz(all)) << code;
      EXPECT_EQ(m.LastCol[code], 31 - __builtin_clz(all)) << code;
    }
    auto [it, fresh] = seen.emplace(rows, code);
    if (!fresh) {
      auto same = sameAs.find(code);
      EXPECT_TRUE(same != sameAs.end() && same->second == it->second)
          << "code " << code << " looks like code " << it->second;
    }
  }
}

TEST(RasterFont, TextMapsToWindows1252WithAVisibleReplacement) {
  EXPECT_EQ(RasterCharCode(U'A'), 'A');
  EXPECT_EQ(RasterCharCode(U'é'), 233);
  EXPECT_EQ(RasterCharCode(U'ÿ'), 255);
  EXPECT_EQ(RasterCharCode(U'€'), 128);
  EXPECT_EQ(RasterCharCode(U'Ÿ'), 159);
  EXPECT_EQ(RasterCharCode(U'™'), 153);
  EXPECT_EQ(RasterCharCode(U'☺'), 127);
  EXPECT_EQ(RasterCharCode(U'Ā'), 127);
  EXPECT_EQ(RasterCharCode(0x81), 127);  // a C1 control is no character of the page
  EXPECT_EQ(RasterCharCode(0x7F), 127);
  EXPECT_EQ(RasterCharCode(U'\t'), 9);

  std::string codes;
  rasterfont::ForEachCode("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z\xE9!", [&](uint8_t c) { codes += char(c); });
  // a, é, €, an emoji, z, a stray Latin-1 byte, !
  EXPECT_EQ(codes, std::string("a\xE9\x80\x7Fz\x7F!"));
  // The replacement has dots, so an unknown character never vanishes.
  EXPECT_NE(rasterfont::Builtin().Rows[127][5], 0u);
}

TEST(RasterFont, SampledFontReadsGlyphsDotByDot) {
  TFont font = Installed(16);
  TRDCharMatrix m = TRasterLab::CreateBitFont(&font);
  EXPECT_GT(m.Height, 12);
  EXPECT_LE(m.Height, 32);
  // 'L': the stem is the first column in use and runs down to the foot,
  // which is the last row in use and reaches the last column.
  int top = 32, bottom = -1;
  for (int r = 0; r < 32; ++r)
    if (m.Rows['L'][r]) top = std::min(top, r), bottom = r;
  ASSERT_GT(bottom - top, 6);
  for (int r = top; r <= bottom; ++r) EXPECT_TRUE(Dot(m, 'L', r, m.FirstCol['L'])) << r;
  EXPECT_TRUE(Dot(m, 'L', bottom, m.LastCol['L']));
  EXPECT_FALSE(Dot(m, 'L', top, m.LastCol['L']));
  EXPECT_GT(m.LastCol['L'] - m.FirstCol['L'], 3);
  // '.' is small and sits at the foot; 'W' is among the widest.
  EXPECT_LE(m.LastCol['.'] - m.FirstCol['.'], 3);
  EXPECT_EQ(m.Rows['.'][top], 0u);
  EXPECT_NE(m.Rows['.'][bottom], 0u);
  int widest = 0;
  for (int c = 33; c < 256; ++c)
    if (m.FirstCol[c] <= m.LastCol[c]) widest = std::max(widest, m.LastCol[c] - m.FirstCol[c] + 1);
  EXPECT_EQ(m.Width, widest);
  EXPECT_GT(m.LastCol['W'] - m.FirstCol['W'], 3 * (m.LastCol['i'] - m.FirstCol['i']));
  // The blanks take half the widest character; control codes have no columns.
  EXPECT_EQ(m.FirstCol[' '], 0);
  EXPECT_EQ(m.LastCol[' '], m.Width / 2);
  EXPECT_EQ(m.LastCol[160], m.Width / 2);
  EXPECT_EQ(m.FirstCol[10], 31);
  EXPECT_EQ(m.LastCol[10], 0);
  // Codes 128..159 are Windows-1252: the euro sign is there.
  EXPECT_NE(m.FirstCol[128], 31);
  // The sample is the glyph as the canvas draws it, top left at (0, 0).
  TBitmap ref(65, 65);
  ref.Canvas()->Font()->Assign(&font);
  ref.Canvas()->Font()->SetColor(clBlack);
  ref.Canvas()->TextOut(0, 0, "g");
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 32; ++c)
      ASSERT_EQ(Dot(m, 'g', r, c), (ref.ScanLine(r)[c] & 0xFFFFFF) != 0xFFFFFF) << r << "," << c;
}

TEST(RasterFont, LargeGlyphsAreCutAt32AndTheNameDefaultIsBuiltIn) {
  TFont big = Installed(60);
  TRDCharMatrix m = TRasterLab::CreateBitFont(&big);
  EXPECT_EQ(m.Height, 32);
  EXPECT_EQ(m.LastCol['T'], 31);  // the bar of a T wider than the sample
  TFont def;
  def.SetName("DeFault");
  def.SetSize(30);
  TRDCharMatrix builtin = TRasterLab::CreateBitFont(&def);
  EXPECT_EQ(std::memcmp(&builtin, &rasterfont::Builtin(), sizeof(TRDCharMatrix)), 0);
}

TEST(RasterLabFont, AdvancesHeightsAndClamps) {
  TRasterLab lab(nullptr);
  EXPECT_EQ(lab.GetText(), "Text");
  EXPECT_EQ(lab.GetWidth(), 400);
  EXPECT_EQ(lab.GetHeight(), 68);
  EXPECT_EQ(lab.GetFont()->GetName(), "default");
  EXPECT_EQ(lab.GetFont()->GetSize(), 8);
  // P = 3 + 1: "A" spans 7 columns and advances 8 of them, "." 2.
  EXPECT_EQ(lab.CalcTextBitLength("A"), 32);
  EXPECT_EQ(lab.CalcTextBitLength("."), 8);
  EXPECT_EQ(lab.CalcTextBitLength("A.A"), 72);
  EXPECT_EQ(lab.CalcTextBitLength(""), 0);
  lab.SetProportional(false);
  EXPECT_EQ(lab.CalcTextBitLength("."), 32);
  lab.SetProportional(true);

  lab.SetAutoHeight(true);
  EXPECT_EQ(lab.GetHeight(), 49);  // frame 1 + 4 * 12
  lab.SetDotSize(0);
  EXPECT_EQ(lab.GetDotSize(), 1);
  EXPECT_EQ(lab.GetHeight(), 1 + 2 * 12);
  lab.SetDotSize(50);
  EXPECT_EQ(lab.GetDotSize(), 32);
  lab.SetDotSpacing(5);
  EXPECT_EQ(lab.GetDotSpacing(), 3);
  EXPECT_EQ(lab.GetHeight(), 1 + 35 * 12);
  lab.SetDotSpacing(-1);
  EXPECT_EQ(lab.GetDotSpacing(), 0);
  lab.SetFrameStyle(fsEmbossed);
  lab.SetDotSize(3);
  EXPECT_EQ(lab.GetHeight(), 2 + 3 * 12);
  lab.SetAutoHeight(false);
  lab.SetDotSize(4);
  EXPECT_EQ(lab.GetHeight(), 2 + 3 * 12);  // no longer follows

  lab.SetScrollIncrement(-3);
  EXPECT_EQ(lab.GetScrollIncrement(), 3);
  lab.SetScrollIncrement(0);
  EXPECT_EQ(lab.GetScrollIncrement(), 1);
  lab.SetScrollInterval(5);
  EXPECT_EQ(lab.GetScrollInterval(), 10);
}

TEST(RasterLabFont, CharactersWithoutDotsNeverMoveTheTextBack) {
  TRasterLab lab(nullptr);
  TRDCharMatrix m = rasterfont::Builtin();
  m.FirstCol['x'] = 31;  // an empty sampled glyph
  m.LastCol['x'] = 0;
  lab.SetCharMatrix(m);
  EXPECT_EQ(lab.CalcTextBitLength("x"), 4);
  EXPECT_EQ(lab.CalcTextBitLength("AxA"), 68);
  EXPECT_EQ(lab.CalcTextBitLength("\t"), 4);  // a control code is such a character too

  TBitmap bmp(200, 60);
  int length = 0;
  TRasterLab::PaintString(bmp.Canvas(), m, 1, 1, "AxA", 3, 1, clLime, clGray, clBlack, rdbmOff, true, length);
  EXPECT_EQ(length, 69);
  EXPECT_EQ(TRasterLab::PaintChar(bmp.Canvas(), m, 1, 1, U'x', 3, 1, clLime, clGray, clBlack, false), 0);

  // A matrix from outside with sizes past its rows and columns draws within them.
  TRDCharMatrix wild{};
  wild.Width = 1000;
  wild.Height = 1000;
  wild.FirstCol['A'] = 0;
  wild.LastCol['A'] = 255;
  for (int r = 0; r < 32; ++r) wild.Rows['A'][r] = 0xFFFFFFFFu;
  EXPECT_EQ(TRasterLab::PaintChar(bmp.Canvas(), wild, 0, 0, U'A', 1, 0, clLime, clGray, clBlack, false), 32);
  EXPECT_EQ(TRasterLab::PaintChar(bmp.Canvas(), wild, 0, 0, U'A', 1, 0, clLime, clGray, clBlack, true), 32);
  lab.SetCharMatrix(wild);
  lab.SetProportional(false);
  EXPECT_EQ(lab.CalcTextBitLength("A"), 33 * 4);
}

TEST(RasterLabFont, FontChangesRebuildTheMatrixThenHeightAndCentre) {
  TRasterLab lab(nullptr);
  lab.SetAutoHeight(true);
  lab.SetAutoCenter(true);
  EXPECT_EQ(lab.GetPosX(), (400 - lab.CalcTextBitLength("Text")) / 2 + 1 + 1);
  lab.GetFont()->SetName("DejaVu Sans");
  lab.GetFont()->SetSize(14);
  TFont same = Installed(14);
  TRDCharMatrix expected = TRasterLab::CreateBitFont(&same);
  EXPECT_EQ(std::memcmp(&lab.GetCharMatrix(), &expected, sizeof expected), 0);
  EXPECT_EQ(lab.GetHeight(), 1 + 4 * expected.Height);
  EXPECT_EQ(lab.GetPosX(), (400 - lab.CalcTextBitLength("Text")) / 2 + 2);
  lab.GetFont()->SetName("Default");
  EXPECT_EQ(lab.GetCharMatrix().Width, 7);
  EXPECT_EQ(lab.GetHeight(), 49);
}
