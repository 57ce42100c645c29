// Where the characters of a dot-matrix text start, every 64th one noted, so
// that a paint begins at the first character it shows instead of walking a
// long text from its start on every scroll tick.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "labels/QEL_RasterLab.h"

namespace qel {

class TRasterTextRuler {
 public:
  /// A character's first byte in the text, and its pixels from the text's start.
  struct TMark {
    size_t Byte = 0;
    int64_t Offset = 0;
  };
  /// Measures Text with the matrix and pitch P: a character advances P times
  /// its dot columns plus one.
  void Measure(const std::string& Text, const TRDCharMatrix& Matrix, int P, bool Proportional);
  /// Whether the last measure holds for this pitch and mode (the text and
  /// matrix are the caller's to watch: Forget when either changes).
  bool Fits(int P, bool Proportional) const { return measured_ && P == pitch_ && Proportional == proportional_; }
  void Forget() { measured_ = false; }
  /// The last noted character that starts at Offset or before (the first when none).
  TMark Before(int64_t Offset) const;
  /// The pixels the whole text advances.
  int64_t Length() const { return length_; }

 private:
  std::vector<TMark> marks_;
  int64_t length_ = 0;
  int pitch_ = 0;
  bool proportional_ = true, measured_ = false;
};

}  // namespace qel
