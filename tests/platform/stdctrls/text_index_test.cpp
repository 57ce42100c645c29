// The block index under the edit model, checked against plain counting after
// many random edits: characters (invalid bytes included), lines, and cached
// extents that must follow every change, also the neighbour-dependent part.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/rtl/Utf8.h"
#include "platform/stdctrls/TextEditing.h"
#include "platform/stdctrls/TextIndex.h"

using namespace qel;

namespace {

// Byte offsets of every character, then the size: the plain way.
std::vector<size_t> Starts(const std::string& t) {
  std::vector<size_t> s;
  for (size_t i = 0; i < t.size(); i += Utf8CharSize(t, i)) s.push_back(i);
  s.push_back(t.size());
  return s;
}

// Pieces that merge, split and break sequences when spliced at random.
std::string RandomPiece(std::mt19937& rng) {
  static const char* const pieces[] = {"a", "word ", "\n", "\xC3\xA9", "\xC3", "\xA9", "\xE2\x82\xAC", "\xE2\x82",
                                       "\xF0\x9F\x98\x80", "\x80\x80\x80", "\xF8", "xyz\nuvw", ""};
  std::string s = pieces[rng() % (sizeof(pieces) / sizeof(*pieces))];
  if (rng() % 40 == 0) s = std::string(700 + rng() % 900, 'q') + "\xC3\xA9\n";  // longer than a block
  return s;
}

// An additive measure whose value per character depends on the character
// before, as kerning does: a stale neighbour shows up in the sum.
int64_t Weigh(const std::string& t, size_t b, size_t e) {
  int64_t sum = 0;
  for (size_t i = b; i < e; i += Utf8CharSize(t, i)) {
    uint32_t before = i > 0 ? Utf8DecodeChar(t, PrevCharStart(t, i)) : 0;
    sum += Utf8DecodeChar(t, i) % 997 + before % 7 * 1000;
  }
  return sum;
}

void ExpectIndexMatches(TTextIndex& index, const std::string& t, std::mt19937& rng) {
  std::vector<size_t> starts = Starts(t);
  size_t chars = starts.size() - 1;
  ASSERT_EQ(index.Chars(), chars);
  std::vector<size_t> lineStarts{0};
  for (size_t c = 0; c < chars; ++c)
    if (t[starts[c]] == '\n') lineStarts.push_back(c + 1);
  ASSERT_EQ(index.Breaks() + 1, lineStarts.size());
  for (int k = 0; k < 20; ++k) {
    size_t c = rng() % (chars + 1);
    ASSERT_EQ(index.ByteOf(t, c), starts[c]) << c;
    size_t breaks = 0;
    while (breaks + 1 < lineStarts.size() && lineStarts[breaks + 1] <= c) ++breaks;
    ASSERT_EQ(index.BreaksBefore(t, c), breaks) << c;
    size_t line = rng() % lineStarts.size();
    ASSERT_EQ(index.CharAfterBreak(t, line), lineStarts[line]);
  }
  auto weigh = [&](size_t b, size_t e) { return Weigh(t, b, e); };
  for (int k = 0; k < 5; ++k) {
    size_t a = rng() % (chars + 1), b = rng() % (chars + 1);
    if (a > b) std::swap(a, b);
    ASSERT_EQ(index.Extent(t, a, b, weigh), Weigh(t, starts[a], starts[b])) << a << ".." << b;
  }
  ASSERT_EQ(index.Extent(t, 0, chars, weigh), Weigh(t, 0, t.size()));
}

}  // namespace

TEST(TextIndex, FollowsRandomEditsOfAnyBytes) {
  std::mt19937 rng(7);
  std::string t;
  TTextIndex index;
  index.Assign(t);
  for (int step = 0; step < 600; ++step) {
    size_t start = t.empty() ? 0 : rng() % (t.size() + 1);
    size_t removed = std::min<size_t>(rng() % 4 == 0 ? rng() % 600 : rng() % 3, t.size() - start);
    std::string piece = RandomPiece(rng);
    t.replace(start, removed, piece);
    index.Replace(t, start, removed, piece.size());
    ExpectIndexMatches(index, t, rng);
    if (HasFatalFailure()) FAIL() << "after step " << step;
  }
  TTextIndex fresh;
  fresh.Assign(t);
  ExpectIndexMatches(fresh, t, rng);
}

// Edits right at a block's edge that join or part the characters on both
// sides of it (new blocks are cut after BlockBytes bytes of ASCII here).
TEST(TextIndex, EditsAtABlockEdgeRecountTheCharactersAcrossIt) {
  const size_t edge = TTextIndex::BlockBytes;
  std::mt19937 rng(3);
  // A lone lead byte before the edge gets its continuation after it.
  std::string t = std::string(edge - 1, 'a') + "\xC3" + std::string(300, 'b');
  TTextIndex index;
  index.Assign(t);
  t.insert(edge, "\xA9");
  index.Replace(t, edge, 0, 1);
  ExpectIndexMatches(index, t, rng);
  // A lead byte three bytes before the edge turns the lone continuation
  // bytes up to the edge into one character.
  t = std::string(edge - 3, 'a') + "x\x9F\x98\x80" + std::string(300, 'b');
  index.Assign(t);
  t[edge - 3] = '\xF0';
  index.Replace(t, edge - 3, 1, 1);
  ExpectIndexMatches(index, t, rng);
}

TEST(TextIndex, WholeBlocksAreMeasuredOnceUntilTheyChange) {
  std::string t;
  for (int i = 0; i < 4000; ++i) t += "some words \xC3\xA9 ";
  TTextIndex index;
  index.Assign(t);
  int64_t measured = 0;
  auto weigh = [&](size_t b, size_t e) {
    measured += int64_t(e - b);
    return Weigh(t, b, e);
  };
  size_t n = index.Chars();
  EXPECT_EQ(index.Extent(t, 0, n, weigh), Weigh(t, 0, t.size()));
  EXPECT_EQ(measured, int64_t(t.size()));
  // Again, and after an edit: only partial blocks and the touched ones.
  measured = 0;
  index.Extent(t, 0, n - 3, weigh);
  EXPECT_LT(measured, 1200);
  t.insert(t.size() / 2, "q");
  index.Replace(t, t.size() / 2, 0, 1);
  measured = 0;
  EXPECT_EQ(index.Extent(t, 0, n + 1, weigh), Weigh(t, 0, t.size()));
  EXPECT_LT(measured, 1600);
  index.ForgetExtents();
  measured = 0;
  index.Extent(t, 0, n + 1, weigh);
  EXPECT_EQ(measured, int64_t(t.size()));

  // An edit three bytes before a block's start that changes the character
  // ending there: the block's neighbour is new, its extent is measured again.
  t = std::string(252, 'q') + "\xF0\x9F\x98\x80" + std::string(300, 'q');
  index.Assign(t);
  n = index.Chars();
  EXPECT_EQ(index.Extent(t, 0, n, weigh), Weigh(t, 0, t.size()));
  t[252] = '\xF1';
  index.Replace(t, 252, 1, 1);
  EXPECT_EQ(index.Extent(t, 0, n, weigh), Weigh(t, 0, t.size()));
}

TEST(TextEditModel, LongTextsEditUndoAndWalkWordsByCharacters) {
  TTextEditModel m;
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "caf\xC3\xA9 na\xC3\xAFve\t";
  m.SetText(text + "end\xFF" "x");
  int n = m.Length();
  EXPECT_EQ(n, 20000 * 11 + 5);
  EXPECT_EQ(m.CharAt(n - 2), char32_t(0xFF));  // the stray byte is a character
  EXPECT_EQ(m.PrevWordStart(n), n - 5);        // "end", the stray byte and x are one word
  EXPECT_EQ(m.NextWordStart(0), 5);
  int s, e;
  m.WordAt(20000 * 11 - 3, s, e);
  EXPECT_EQ(m.Substr(s, e - s), "na\xC3\xAFve");

  // A byte typed after a lone lead byte completes its character; undo and
  // redo put back exactly the bytes there were.
  m.Select(n - 1, n - 1);
  EXPECT_TRUE(m.ReplaceSelection("\xC3"));
  EXPECT_TRUE(m.ReplaceSelection("\xA9"));
  EXPECT_EQ(m.Length(), n + 1);
  EXPECT_EQ(m.Substr(n - 2, 3), "\xFF\xC3\xA9x");
  EXPECT_TRUE(m.Undo());
  EXPECT_EQ(m.Text(), text + "end\xFF\xC3x");
  EXPECT_EQ(m.Caret(), n);
  EXPECT_TRUE(m.Undo());
  EXPECT_EQ(m.Text(), text + "end\xFF\xC3\xA9x");
  m.Select(3, n - 1);
  EXPECT_TRUE(m.DeleteBackward());
  EXPECT_EQ(m.Text(), "caf\xC3\xA9x");
  EXPECT_TRUE(m.Undo());
  EXPECT_EQ(m.Length(), n + 1);
  EXPECT_EQ(m.SelLength(), n - 4);
}
