#include "labels/detail/RasterTextRuler.h"

#include <algorithm>

#include "labels/detail/RasterFont.h"

namespace qel {
namespace {
constexpr size_t kEvery = 64;  // characters between two marks
}  // namespace

void TRasterTextRuler::Measure(const std::string& Text, const TRDCharMatrix& Matrix, int P, bool Proportional) {
  marks_.clear();
  int64_t offset = 0;
  size_t n = 0;
  for (size_t i = 0, size = 0; i < Text.size(); i += size, ++n) {
    if (n % kEvery == 0) marks_.push_back({i, offset});
    const uint8_t code = rasterfont::CodeAt(Text, i, size);
    offset += int64_t(P) * (rasterfont::ColumnsOf(Matrix, code, !Proportional).Count() + 1);
  }
  length_ = offset;
  pitch_ = P, proportional_ = Proportional, measured_ = true;
}

TRasterTextRuler::TMark TRasterTextRuler::Before(int64_t Offset) const {
  // Offsets never fall, so the marks are sorted by them.
  auto after = std::upper_bound(marks_.begin(), marks_.end(), Offset,
                                [](int64_t o, const TMark& m) { return o < m.Offset; });
  return after == marks_.begin() ? TMark{} : *(after - 1);
}

}  // namespace qel
