// Number matrices as clipboard text: the reader behind "Extract from
// Clipboard" and GetClipMatrixSize, and the cell texts "Copy" writes.
//
// Reading. Numbers are separated by blanks or anything else that cannot
// start one (",", ";", letters, quotes, "####"); CRs count as blanks, so
// lines may end in LF or CR LF and the last line needs no line end. A line
// feed starts the next matrix row; lines before the first number do not
// count. A TAB ends a cell: the n-th TAB of a line puts the next number in
// column n at the earliest, so that the empty and non-numeric cells of a
// spreadsheet range or of our own copies keep the others in their columns.
// A number is read by this state machine (characters upper-cased; sep is
// "." or ","; a comma is read as the decimal point; TAB and CR are blanks):
//
//   state      blank  + or -    digit       sep    E         other
//   start      start  sign      integer     point  error     error
//   sign       error  error     integer     point  error     error
//   integer    end    end       integer     point  exponent  end
//   point      end    end       fraction    error  exponent  end
//   fraction   end    end       fraction    error  exponent  end
//   exponent   error  exp-sign  exp-digits  error  error     end
//   exp-sign   error  error     exp-digits  error  error     end
//   exp-digits end    end       exp-digits  end    end       end
//
// Exponent digits stop counting once the exponent passes 4200 in
// magnitude; a value beyond the doubles is clamped to +-uc_MaxDouble and
// one too small for them becomes 0. An error, or a text that is no number
// ("-", ".E5", "1E"), reads as 0. The character that ends a number is
// looked at again: a line feed there ends the line, a sign there starts
// the next number ("1-2" is 1 and -2).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qel {

/// Reads one number starting at Text[Pos] (which should be a sign, a point
/// or a digit) and leaves Pos on the character that ended it; past the end
/// of Text the reader sees "Z". Buffer is scratch space, reused between calls.
double ScanClipNumber(std::string_view Text, size_t& Pos, std::string& Buffer);

/// What a scan of a whole text found: the most values on one line, the
/// lines from the first holding a value to the last holding one, and how
/// many values there were. All 0 for a text without a number.
struct TClipExtent {
  /// The most values on one line.
  int Columns = 0;
  /// Lines from the first with a value to the last.
  int Rows = 0;
  /// Number of values.
  int64_t Values = 0;
};

/// Calls Store(column, line, value) for every number of Text, columns and
/// lines counted from 0, and returns the extent.
template <class F>
TClipExtent ScanClipMatrix(std::string_view Text, F&& Store);

/// A number as "Copy" writes it: with FullPrecision the raw exponent form of
/// width 22 (13 decimals, four exponent digits); otherwise DecPlaces 0..10
/// fixed decimals with no range limit, or for scientific columns the raw
/// exponent form with one decimal. Appended to Out.
void AppendClipNumber(std::string& Out, double X, bool FullPrecision, int DecPlaces);

// ------------------------------------------------------------------------

namespace clipmatrix {
inline bool StartsNumber(char C) { return C == '+' || C == '-' || C == '.' || (C >= '0' && C <= '9'); }
}  // namespace clipmatrix

template <class F>
TClipExtent ScanClipMatrix(std::string_view Text, F&& Store) {
  TClipExtent extent;
  std::string buffer;
  size_t p = 0, n = Text.size();
  int column = 0, line = 0, tabs = 0;
  bool counting = false;  // lines count from the first number on
  auto skip = [&] {
    for (; p < n && !clipmatrix::StartsNumber(Text[p]); ++p) {
      if (Text[p] == '\t') {
        ++tabs;
      } else if (Text[p] == '\n') {
        line += counting;
        column = tabs = 0;
      }
    }
  };
  skip();
  counting = true;
  while (p < n) {
    double v = ScanClipNumber(Text, p, buffer);
    if (column < tabs) column = tabs;
    Store(column, line, v);
    ++column;
    ++extent.Values;
    if (column > extent.Columns) extent.Columns = column;
    extent.Rows = line + 1;
    skip();
  }
  return extent;
}

}  // namespace qel
