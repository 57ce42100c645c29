// The table editor's readers on arbitrary bytes: the clipboard matrix reader
// behind "Extract from Clipboard" and GetClipMatrixSize, and the parser of
// typed cell texts. Nothing may crash, read out of bounds, report a cell
// outside the extent it gives, or produce a value beyond the doubles.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/DataTable.h"
#include "framework/QEL_Base.h"
#include "ntabed/detail/CellInput.h"
#include "ntabed/detail/ClipMatrix.h"

using namespace qel;

namespace {
void Check(bool Ok) {
  if (!Ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  // As "Extract from Clipboard" stores into a small table from cell (2, 2).
  TDataTable table(3, 4);
  int64_t stored = 0;
  TClipExtent extent = ScanClipMatrix(text, [&](int Col, int Line, double V) {
    Check(Col >= 0 && Line >= 0);
    Check(std::isfinite(V) && std::fabs(V) <= uc_MaxDouble);
    if (Col <= 1 && Line <= 2) table.SetElem(2 + Col, 2 + Line, V);
    ++stored;
  });
  Check(stored == extent.Values);
  Check((extent.Values == 0) == (extent.Rows == 0));
  Check(extent.Columns >= 0 && extent.Rows >= 0);

  // Every number the reader finds goes out and back in full precision.
  ScanClipMatrix(text, [&](int, int, double V) {
    std::string out;
    AppendClipNumber(out, V, true, 3);
    std::string buffer;
    size_t p = 0;
    while (p < out.size() && out[p] == ' ') ++p;
    double back = ScanClipNumber(out, p, buffer);
    Check(std::fabs(back - V) <= 1e-12 * std::fabs(V) + 1e-300);  // 14 digits; tiny values may vanish
    AppendClipNumber(out, V, false, 10);
    AppendClipNumber(out, V, false, 255);
  });

  // A typed cell text: a number, empty, or invalid; never a crash.
  double v = 0;
  TCellInput kind = ParseCellInput(text, v);
  if (kind == TCellInput::Number) Check(!std::isnan(v));
  return 0;
}
