// TTextIndex: where the characters and line breaks of a UTF-8 text lie, kept
// up to date edit by edit, so that a key in a text of millions of characters
// costs about what it costs in a short one.
//
// The text is cut into blocks of a few hundred bytes, each starting on a
// character. Running totals over the blocks (a Fenwick tree) find the block
// that holds a character, byte or line break in logarithmic time; inside a
// block the bytes are scanned. Characters are counted as Utf8CharSize does:
// a byte that starts no valid sequence is a character of its own.
//
// Each block also keeps one extent for its owner, such as the pixel width of
// its characters, measured on demand. An edit forgets the extents of the
// blocks it touches and of the block after them, whose first character may
// have a new neighbour.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// The first byte of the character that ends just before byte Byte (Byte > 0).
size_t PrevCharStart(const std::string& Text, size_t Byte);

/// Counts of characters and line breaks over a UTF-8 text in blocks, with the measured extent of each block remembered, so that positions and widths in long texts cost little.
class TTextIndex {
 public:
  /// The extent of the characters in bytes [Begin, End) of the text. It must
  /// add up: [a, c) measures as [a, b) plus [b, c).
  using Measure = std::function<int64_t(size_t Begin, size_t End)>;
  /// New blocks are cut after this many bytes.
  static constexpr size_t BlockBytes = 256;

  /// Indexes Text afresh.
  void Assign(const std::string& Text);
  /// Text now holds Inserted bytes at byte Start where Removed bytes were.
  void Replace(const std::string& Text, size_t Start, size_t Removed, size_t Inserted);

  /// Number of characters.
  size_t Chars() const { return size_t(total_.chars); }
  size_t Breaks() const { return size_t(total_.breaks); }  ///< '\n' characters
  /// The byte where character Char starts (the text's size from Chars() on).
  size_t ByteOf(const std::string& Text, size_t Char) const;
  /// The character after line break number Break (counted from 1); 0 for 0.
  size_t CharAfterBreak(const std::string& Text, size_t Break) const;
  /// How many line breaks lie before character Char.
  size_t BreaksBefore(const std::string& Text, size_t Char) const;

  /// The extent of characters [From, To): the partial blocks at the ends are
  /// measured, whole blocks in between come from what was measured before.
  int64_t Extent(const std::string& Text, size_t From, size_t To, const Measure& M);
  /// Every extent is measured afresh from now on (the measure changed).
  void ForgetExtents();

 private:
  struct Totals {
    int64_t bytes = 0, chars = 0, breaks = 0;
    int64_t extent = 0;   // 0 while unknown
    int64_t unknown = 0;  // 1 for a block whose extent is unknown
    Totals& operator+=(const Totals& o);
    Totals& operator-=(const Totals& o);
  };

  static void Segment(const std::string& Text, size_t Begin, size_t End, bool Cut, std::vector<Totals>& Out);
  void Rebuild();
  void Add(size_t Block, const Totals& Delta);
  Totals Prefix(size_t Blocks) const;  // the totals of blocks [0, Blocks)
  // The block holding unit number Target (from 0) of Field, and the totals
  // of the blocks before it; the block count when the text has fewer.
  size_t Find(int64_t Totals::*Field, int64_t Target, Totals& Before) const;
  size_t Locate(const std::string& Text, size_t Char, Totals& Before, size_t& Byte) const;
  void Learn(size_t Block, size_t Begin, const Measure& M);
  void Forget(size_t Block);

  std::vector<Totals> blocks_;
  std::vector<Totals> tree_;  // Fenwick tree over blocks_, 1-based
  Totals total_;
};

QEL_API_END
}  // namespace qel
