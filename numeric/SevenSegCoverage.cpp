// The seven-segment strip from coverage: the master glyphs as runs of lit
// pixels (composed once, from the real part pictures), their box-filtered
// shares at a cell size, and the strip painted from them.
#include "numeric/detail/SevenSegCoverage.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

namespace qel::sevenseg {

namespace {

constexpr TColor kLitMark = 0x000001, kGroundMark = 0xFFFFFF;

// A master row as runs [x0, x1) of lit pixels. Rows repeat a lot (segments
// are straight), so each glyph row is an index into the distinct rows.
using TRuns = std::vector<std::pair<int, int>>;
struct TMasters {
  std::vector<TRuns> rows;                              // distinct rows
  std::array<std::array<int, kMasterHeight>, kStripCount> glyphRows;  // per glyph, per row: index
};

// Composes every glyph exactly as the strip did, in two marker colours, and
// reads back which pixels are lit.
TMasters ComposeMasters() {
  TMasters m;
  std::map<TRuns, int> known;
  TPartImages parts;
  parts.Colourise(kLitMark);
  TBitmap raster(kMasterWidth, kMasterHeight);
  const uint32_t lit = ColorToPixel(kLitMark);
  for (int g = 0; g < kStripCount; ++g) {
    ComposeGlyph(raster, parts, kStripChars[g], false, kGroundMark);
    for (int y = 0; y < kMasterHeight; ++y) {
      const uint32_t* row = raster.ScanLine(y);
      TRuns runs;
      for (int x = 0; x < kMasterWidth;) {
        if (row[x] != lit) {
          ++x;
          continue;
        }
        int end = x;
        while (end < kMasterWidth && row[end] == lit) ++end;
        runs.emplace_back(x, end);
        x = end;
      }
      auto [it, added] = known.try_emplace(runs, int(m.rows.size()));
      if (added) m.rows.push_back(std::move(runs));
      m.glyphRows[g][y] = it->second;
    }
  }
  return m;
}

const TMasters& Masters() {
  static const TMasters m = ComposeMasters();
  return m;
}

// Destination cell I of N over S source cells, in units of 1/N of a source
// cell: it covers [I*S, (I+1)*S) and source cell k covers [k*N, (k+1)*N).
struct TTap {
  int index;
  int64_t weight;
};
std::vector<TTap> Taps(int64_t I, int64_t N, int64_t S) {
  std::vector<TTap> taps;
  const int64_t from = I * S, to = (I + 1) * S;
  for (int64_t k = from / N; k < S && k * N < to; ++k) {
    const int64_t overlap = std::min(to, (k + 1) * N) - std::max(from, k * N);
    if (overlap > 0) taps.push_back({int(k), overlap});
  }
  return taps;
}

// One master row summed into W columns: each column's overlap with the
// lit runs, in the units above.
void SumRow(const TRuns& Runs, int W, std::vector<int64_t>& Out) {
  Out.assign(size_t(W), 0);
  const int64_t N = W, S = kMasterWidth;
  for (auto [x0, x1] : Runs) {
    const int64_t a = x0 * N, b = x1 * N;  // the run in units
    for (int64_t i = a / S; i < W && i * S < b; ++i) Out[size_t(i)] += std::min(b, (i + 1) * S) - std::max(a, i * S);
  }
}

std::shared_ptr<const TStripCoverage> Measure(int G, int GH) {
  const TMasters& m = Masters();
  auto cov = std::make_shared<TStripCoverage>();
  cov->GlyphWidth = G;
  cov->GlyphHeight = GH;
  const size_t stride = size_t(kStripCount) * size_t(G);
  cov->Lit.assign(stride * size_t(GH), 0);
  // Every distinct master row summed once for this width.
  std::vector<std::vector<int64_t>> sums(m.rows.size());
  for (size_t r = 0; r < m.rows.size(); ++r) SumRow(m.rows[r], G, sums[r]);
  std::vector<int64_t> acc(static_cast<size_t>(G));
  for (int j = 0; j < GH; ++j) {
    const std::vector<TTap> taps = Taps(j, GH, kMasterHeight);
    uint32_t* out = cov->Lit.data() + size_t(j) * stride;
    for (int g = 0; g < kStripCount; ++g) {
      std::fill(acc.begin(), acc.end(), 0);
      for (const TTap& t : taps) {
        const std::vector<int64_t>& h = sums[size_t(m.glyphRows[g][t.index])];
        for (int i = 0; i < G; ++i) acc[size_t(i)] += t.weight * h[size_t(i)];
      }
      for (int i = 0; i < G; ++i) out[size_t(g) * G + i] = uint32_t(acc[size_t(i)]);
    }
  }
  return cov;
}

// (2 Sum + Total) div (2 Total), as the halftone stretch rounds; Inverse is
// 1 / (2 Total) and one comparison each way makes the quotient exact.
inline uint32_t RoundedMean(int64_t Sum, int64_t Total, double Inverse) {
  const int64_t n = 2 * Sum + Total, d = 2 * Total;
  int64_t q = int64_t(double(n) * Inverse);
  if (q * d > n) --q;
  else if ((q + 1) * d <= n) ++q;
  return uint32_t(q);
}

}  // namespace

std::shared_ptr<const TStripCoverage> CoverageFor(int GlyphWidth, int GlyphHeight) {
  // Weak references: a size stays measured while a display shows it.
  static std::mutex lock;
  static std::map<std::pair<int, int>, std::weak_ptr<const TStripCoverage>> shared;
  std::lock_guard<std::mutex> hold(lock);
  auto& slot = shared[{GlyphWidth, GlyphHeight}];
  if (auto cov = slot.lock()) return cov;
  auto cov = Measure(GlyphWidth, GlyphHeight);
  slot = cov;
  std::erase_if(shared, [](const auto& e) { return e.second.expired(); });
  return cov;
}

void PaintStrip(TBitmap& Strip, const TStripCoverage& Coverage, TColor Text, TColor BackGnd) {
  const int w = kStripCount * Coverage.GlyphWidth, h = Coverage.GlyphHeight;
  Strip.SetSize(w, h);
  if (w <= 0 || h <= 0) return;
  Text = ColorToRGB(Text);
  if (Text == 0xFFFFFF) Text = 0xFEFEFE;
  const uint32_t lit = ColorToPixel(Text), ground = ColorToPixel(BackGnd);
  const int64_t total = Coverage.Total;
  const double inverse = 1.0 / double(2 * total);
  const uint32_t* cov = Coverage.Lit.data();
  for (int y = 0; y < h; ++y) {
    uint32_t* row = Strip.ScanLine(y);
    for (int x = 0; x < w; ++x, ++cov) {
      const int64_t c = *cov;
      if (c == 0) row[x] = ground;
      else if (c == total) row[x] = lit;
      else {
        uint32_t p = 0;
        for (int ch = 0; ch < 24; ch += 8) {
          const int64_t t = (lit >> ch) & 0xFF, b = (ground >> ch) & 0xFF;
          p |= RoundedMean(c * t + (total - c) * b, total, inverse) << ch;
        }
        row[x] = p;
      }
    }
  }
}

}  // namespace qel::sevenseg
