// The row editor's reader of date and time texts in a picker's format.
//
// The format is read from left to right; each piece consumes the start of
// the text. Letter runs: yyyy (four digits), yy (two digits, in the century
// window of FormatSettings), MMMM / MMM (English month name / its first
// three letters, any case), MM / M (month), dddd / ddd (weekday name /
// three letters, skipped), dd / d, HH / H (0..23), hh / h (1..12), mm / m,
// ss / s, tt / t ("am"/"pm", "a"/"p"). Two-letter runs take exactly two
// digits; one-letter runs a number of any length (blanks and a sign before
// it). Quoted runs ('...', '' for a quote) and other characters must appear
// as they are. Parts of the date that the format lacks are this year,
// January and the 1st; text after the format is ignored.
#pragma once
#include <string>

#include "platform/rtl/DateTime.h"

namespace qel {

/// Why a date text does not fit its format (edeNone: it does).
enum TEditDateError : int {
  edeNone = 0,
  edeLiteral = -1,  ///< The text lacks a literal of the format
  edeFormat = -2,   ///< A run of format letters that means nothing
  edeValue = -3     // a bad number, name or date
};

/// The date and time, or only the time when the format has no date part;
/// 0 with Error set on failure.
TDateTime ParseEditDate(const std::string& Text, const std::string& Format, int* Error = nullptr);

}  // namespace qel
