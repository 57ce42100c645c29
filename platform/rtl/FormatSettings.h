// Conventions for numbers and dates as text. The global FormatSettings starts
// from the process locale's separators and English names; programs and tests
// may change it, and every conversion without an explicit settings argument
// uses it.
#pragma once
#include <array>
#include <string>

#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// How numbers, dates and times are written and read: separators, formats and names (English by default).
struct TFormatSettings {
  /// Characters between the parts of numbers, dates and times.
  ///@{
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  ///@}
  /// Formats of dates and times (as FormatDateTime reads them).
  ///@{
  std::string ShortDateFormat = "dd/mm/yyyy";
  std::string LongDateFormat = "dddd, d mmmm yyyy";
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  ///@}
  /// Markers of morning and afternoon times.
  ///@{
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  ///@}
  /// Currency symbol.
  std::string CurrencyString = "$";
  int CurrencyFormat = 0;     ///< 0 '$1', 1 '1$', 2 '$ 1', 3 '1 $'
  int NegCurrFormat = 1;      ///< 0 '($1)', 1 '-$1' (others treated as 1)
  /// Decimals of currency amounts.
  int CurrencyDecimals = 2;
  /// Two-digit years fall within this many years before and after now.
  int TwoDigitYearCenturyWindow = 50;
  /// Month and day names, January and Sunday first.
  ///@{
  std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                             "July",    "August",   "September", "October", "November", "December"};
  std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  ///@}

  /// Defaults with the decimal and thousand separators of the environment's
  /// numeric locale (LC_ALL / LC_NUMERIC / LANG). The process locale is not changed.
  static TFormatSettings FromLocale();
};

/// The settings the conversions use.
extern TFormatSettings FormatSettings;

QEL_API_END
}  // namespace qel
