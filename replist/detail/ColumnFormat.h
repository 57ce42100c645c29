// The column format language of the report list: "[" type "]" "[" width "]"
// default. The width part runs to the next "]" and may be missing; a format
// without any "]" is type "s" with the whole format as its default part.
#pragma once
#include <string>

namespace qel {

/// The three parts of a column format.
struct TColumnFormatParts {
  std::string type;         ///< Between the first "[" and the first "]"
  std::string widthPart;    ///< Up to and including the second "]" (may be empty)
  std::string defaultPart;  ///< Everything after
};

/// Splits a column format into its type, width and default parts.
TColumnFormatParts SplitColumnFormat(const std::string& Format);
/// The number at character Pos (1-based) of S: blanks skipped, an optional
/// sign, then decimal digits; no digits give 0. Saturates at the int range.
int FormatNumberAt(const std::string& S, int Pos);
/// Editor width in pixels: the width part's number, 200 when missing or below 1.
int ColumnFormatWidth(const std::string& Format);
/// The default value of a cell in row Row under Format.
std::string ColumnFormatDefault(const std::string& Format, int Row);

}  // namespace qel
