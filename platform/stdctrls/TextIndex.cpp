#include "platform/stdctrls/TextIndex.h"

#include <algorithm>

#include "platform/rtl/Utf8.h"

namespace qel {

namespace {

// An edited block grows to twice the size of a new one before it is cut
// again, so typing rarely reshapes the tree.
constexpr size_t kMaxBlockBytes = 2 * TTextIndex::BlockBytes;

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

size_t CharSize(const std::string& t, size_t i) {
  return static_cast<unsigned char>(t[i]) < 0x80 ? 1 : Utf8CharSize(t, i);
}

}  // namespace

size_t PrevCharStart(const std::string& Text, size_t Byte) {
  // A valid sequence of two to four bytes ending here, else the single byte.
  if (!IsContinuation(Text[Byte - 1])) return Byte - 1;
  for (size_t len = 2; len <= 4 && len <= Byte; ++len) {
    size_t q = Byte - len;
    if (!IsContinuation(Text[q])) return Utf8CharSize(Text, q) == len ? q : Byte - 1;
  }
  return Byte - 1;
}

TTextIndex::Totals& TTextIndex::Totals::operator+=(const Totals& o) {
  bytes += o.bytes, chars += o.chars, breaks += o.breaks, extent += o.extent, unknown += o.unknown;
  return *this;
}

TTextIndex::Totals& TTextIndex::Totals::operator-=(const Totals& o) {
  bytes -= o.bytes, chars -= o.chars, breaks -= o.breaks, extent -= o.extent, unknown -= o.unknown;
  return *this;
}

// Cuts bytes [Begin, End) of a text, both character starts, into blocks
// appended to Out: one block unless Cut, else blocks of about BlockBytes.
void TTextIndex::Segment(const std::string& Text, size_t Begin, size_t End, bool Cut, std::vector<Totals>& Out) {
  Totals b;
  b.unknown = 1;
  size_t blockStart = Begin;
  for (size_t i = Begin; i < End;) {
    if (Cut && i - blockStart >= BlockBytes) {
      Out.push_back(b);
      b = Totals{};
      b.unknown = 1;
      blockStart = i;
    }
    size_t n = CharSize(Text, i);
    b.bytes += int64_t(n);
    b.chars += 1;
    b.breaks += Text[i] == '\n';
    i += n;
  }
  if (b.bytes > 0) Out.push_back(b);
}

// ------------------------------------------------------------- the tree ----

void TTextIndex::Rebuild() {
  size_t n = blocks_.size();
  tree_.assign(n + 1, Totals{});
  total_ = Totals{};
  for (size_t i = 1; i <= n; ++i) {
    tree_[i] += blocks_[i - 1];
    total_ += blocks_[i - 1];
    size_t parent = i + (i & (~i + 1));
    if (parent <= n) tree_[parent] += tree_[i];
  }
}

void TTextIndex::Add(size_t Block, const Totals& Delta) {
  blocks_[Block] += Delta;
  total_ += Delta;
  for (size_t i = Block + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += Delta;
}

TTextIndex::Totals TTextIndex::Prefix(size_t Blocks) const {
  Totals sum;
  for (size_t i = Blocks; i > 0; i -= i & (~i + 1)) sum += tree_[i];
  return sum;
}

size_t TTextIndex::Find(int64_t Totals::*Field, int64_t Target, Totals& Before) const {
  size_t n = blocks_.size(), pos = 0, step = 1;
  while (step * 2 <= n) step *= 2;
  Before = Totals{};
  for (; step > 0; step /= 2)
    if (pos + step <= n && Before.*Field + tree_[pos + step].*Field <= Target) {
      pos += step;
      Before += tree_[pos];
    }
  return pos;
}

// ---------------------------------------------------------------- edits ----

void TTextIndex::Assign(const std::string& Text) {
  blocks_.clear();
  Segment(Text, 0, Text.size(), true, blocks_);
  Rebuild();
}

void TTextIndex::Replace(const std::string& Text, size_t Start, size_t Removed, size_t Inserted) {
  size_t oldSize = Text.size() + Removed - Inserted;
  // The blocks from a little before the edit to a little after it. Whether
  // byte P starts a character depends on bytes P-3..P+2 alone (a sequence
  // is at most four bytes), so edges three bytes away from the edit still
  // start characters and the blocks outside keep their counts.
  size_t first = 0, last = 0, begin = 0, end = 0;
  if (!blocks_.empty()) {
    size_t lo = Start >= 3 ? Start - 3 : 0;
    size_t hi = std::min(Start + Removed + 3, oldSize);
    Totals before;
    first = Find(&Totals::bytes, int64_t(lo), before);
    begin = size_t(before.bytes);
    last = Find(&Totals::bytes, int64_t(hi - 1), before);
    end = size_t(before.bytes + blocks_[last].bytes);
    ++last;
  }
  end = end + Inserted - Removed;
  std::vector<Totals> fresh;
  Segment(Text, begin, end, end - begin > kMaxBlockBytes, fresh);

  if (fresh.size() == last - first) {
    for (size_t i = 0; i < fresh.size(); ++i) {
      Totals delta = fresh[i];
      delta -= blocks_[first + i];
      Add(first + i, delta);
    }
  } else {
    blocks_.erase(blocks_.begin() + ptrdiff_t(first), blocks_.begin() + ptrdiff_t(last));
    blocks_.insert(blocks_.begin() + ptrdiff_t(first), fresh.begin(), fresh.end());
    Rebuild();
  }
  if (first + fresh.size() < blocks_.size()) Forget(first + fresh.size());
}

// -------------------------------------------------------------- queries ----

// The block holding character Char (< Chars()), the totals before it and
// the byte where the character starts.
size_t TTextIndex::Locate(const std::string& Text, size_t Char, Totals& Before, size_t& Byte) const {
  size_t k = Find(&Totals::chars, int64_t(Char), Before);
  Byte = size_t(Before.bytes);
  size_t skip = Char - size_t(Before.chars);
  if (blocks_[k].bytes == blocks_[k].chars) {
    Byte += skip;  // one byte a character
  } else {
    for (; skip > 0; --skip) Byte += CharSize(Text, Byte);
  }
  return k;
}

size_t TTextIndex::ByteOf(const std::string& Text, size_t Char) const {
  if (Char >= Chars()) return Text.size();
  Totals before;
  size_t byte;
  Locate(Text, Char, before, byte);
  return byte;
}

size_t TTextIndex::CharAfterBreak(const std::string& Text, size_t Break) const {
  if (Break == 0) return 0;
  if (Break > Breaks()) return Chars();
  Totals before;
  Find(&Totals::breaks, int64_t(Break - 1), before);
  size_t need = Break - size_t(before.breaks), chars = size_t(before.chars);
  for (size_t i = size_t(before.bytes);; i += CharSize(Text, i)) {
    ++chars;
    if (Text[i] == '\n' && --need == 0) return chars;
  }
}

size_t TTextIndex::BreaksBefore(const std::string& Text, size_t Char) const {
  if (Char >= Chars()) return Breaks();
  Totals before;
  size_t k = Find(&Totals::chars, int64_t(Char), before);
  size_t breaks = size_t(before.breaks);
  if (blocks_[k].breaks == 0) return breaks;
  size_t i = size_t(before.bytes);
  for (size_t c = size_t(before.chars); c < Char; ++c, i += CharSize(Text, i)) breaks += Text[i] == '\n';
  return breaks;
}

// -------------------------------------------------------------- extents ----

void TTextIndex::Learn(size_t Block, size_t Begin, const Measure& M) {
  Totals delta;
  delta.extent = M(Begin, Begin + size_t(blocks_[Block].bytes)) - blocks_[Block].extent;
  delta.unknown = -blocks_[Block].unknown;
  Add(Block, delta);
}

void TTextIndex::Forget(size_t Block) {
  Totals delta;
  delta.extent = -blocks_[Block].extent;
  delta.unknown = 1 - blocks_[Block].unknown;
  Add(Block, delta);
}

void TTextIndex::ForgetExtents() {
  for (Totals& b : blocks_) b.extent = 0, b.unknown = 1;
  Rebuild();
}

int64_t TTextIndex::Extent(const std::string& Text, size_t From, size_t To, const Measure& M) {
  To = std::min(To, Chars());
  if (From >= To) return 0;
  Totals a, b;
  size_t fromByte, toByte;
  size_t ka = Locate(Text, From, a, fromByte);
  size_t kb = To < Chars() ? Locate(Text, To, b, toByte) : blocks_.size();
  if (kb == blocks_.size()) b = total_, toByte = Text.size();
  if (ka == kb) return M(fromByte, toByte);

  size_t headEnd = size_t(a.bytes + blocks_[ka].bytes);
  int64_t sum;
  if (fromByte == size_t(a.bytes)) {
    if (blocks_[ka].unknown) Learn(ka, fromByte, M);
    sum = blocks_[ka].extent;
  } else {
    sum = M(fromByte, headEnd);
  }
  // Whole blocks between: measure those not known yet, then add them up.
  for (;;) {
    Totals before = Prefix(ka + 1), at;
    size_t k = total_.unknown > before.unknown ? Find(&Totals::unknown, before.unknown, at) : blocks_.size();
    if (k >= kb) break;
    Learn(k, size_t(at.bytes), M);
  }
  sum += Prefix(kb).extent - Prefix(ka + 1).extent;
  if (toByte > size_t(b.bytes)) sum += M(size_t(b.bytes), toByte);
  return sum;
}

}  // namespace qel
