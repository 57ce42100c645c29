#include "platform/stdctrls/TextLayout.h"

#include <algorithm>
#include <cstring>

#include "platform/rtl/Utf8.h"

namespace qel {

int LastPosAtOrBefore(int First, int Last, int64_t X, const TExtentTo& ExtentTo) {
  int lo = First, hi = Last;
  while (lo < hi) {
    int mid = lo + (hi - lo + 1) / 2;
    if (ExtentTo(mid) <= X) lo = mid; else hi = mid - 1;
  }
  return lo;
}

void VisibleChars(int First, int Last, int64_t Left, int64_t Right, int Margin, const TExtentTo& ExtentTo, int& From,
                  int& To) {
  From = std::max(LastPosAtOrBefore(First, Last, Left - Margin, ExtentTo) - 1, First);
  To = std::min(LastPosAtOrBefore(From, Last, Right + Margin, ExtentTo) + 2, Last);
}

char32_t CharBeforeByte(const std::string& Text, size_t Byte) {
  if (Byte == 0 || Text[Byte - 1] == '\n') return 0;
  size_t q = PrevCharStart(Text, Byte);
  if (Byte - q == 1 && static_cast<unsigned char>(Text[q]) >= 0x80) return 0xFFFD;
  return Utf8DecodeChar(Text, q);
}

// ------------------------------------------------------- TMeasuredLine ----

namespace {

// Lengths of the common start and (not overlapping it) common end of two
// strings, compared a page at a time so that a long line costs a memcmp.
void CommonEnds(const std::string& a, const std::string& b, size_t& head, size_t& tail) {
  constexpr size_t kPage = 4096;
  size_t n = std::min(a.size(), b.size());
  head = 0;
  while (head + kPage <= n && std::memcmp(a.data() + head, b.data() + head, kPage) == 0) head += kPage;
  while (head < n && a[head] == b[head]) ++head;
  tail = 0;
  size_t room = n - head;
  while (tail + kPage <= room && std::memcmp(a.data() + a.size() - tail - kPage, b.data() + b.size() - tail - kPage,
                                             kPage) == 0)
    tail += kPage;
  while (tail < room && a[a.size() - tail - 1] == b[b.size() - tail - 1]) ++tail;
}

bool SameMeasure(const TFont* a, const TFont* b) {
  return a->GetName() == b->GetName() && a->GetHeight() == b->GetHeight() && a->GetStyle() == b->GetStyle();
}

}  // namespace

void TMeasuredLine::Update(const std::string& Text, const TFont* Font) {
  if (!measured_ || !SameMeasure(measure_.Font(), Font)) {
    measure_.Font()->Assign(const_cast<TFont*>(Font));
    index_.ForgetExtents();
    measured_ = true;
  }
  if (Text.size() == text_.size() && std::memcmp(Text.data(), text_.data(), Text.size()) == 0) return;
  size_t head, tail;
  CommonEnds(text_, Text, head, tail);
  size_t removed = text_.size() - head - tail, inserted = Text.size() - head - tail;
  text_.replace(head, removed, Text, head, inserted);
  index_.Replace(text_, head, removed, inserted);
}

int64_t TMeasuredLine::MeasureBytes(size_t Begin, size_t End) {
  return measure_.TextWidth(text_.substr(Begin, End - Begin), CharBeforeByte(text_, Begin));
}

int64_t TMeasuredLine::XOf(int Pos) {
  return index_.Extent(text_, 0, static_cast<size_t>(std::clamp(Pos, 0, Length())),
                       [this](size_t Begin, size_t End) { return MeasureBytes(Begin, End); });
}

void TMeasuredLine::Draw(TCanvas* Canvas, const TRect& R, int64_t X, int Y) {
  int from = 0, to = Length();
  if (to > WholeLineChars)
    VisibleChars(0, to, R.Left - X, R.Right - X, Canvas->TextHeight("Wg") + 2, [this](int p) { return XOf(p); },
                 from, to);
  size_t begin = index_.ByteOf(text_, static_cast<size_t>(from)), end = index_.ByteOf(text_, static_cast<size_t>(to));
  // Positions near R fit an int; the clamp only guards an empty range far away.
  int x = static_cast<int>(std::clamp<int64_t>(X + XOf(from), INT32_MIN / 2, INT32_MAX / 2));
  Canvas->TextRect(R, x, Y, text_.substr(begin, end - begin), CharBeforeByte(text_, begin));
}

}  // namespace qel
