// Dates and times as the platform keeps them: a TDateTime is the number of
// days since 30 December 1899, the time of day its fraction. Before 1899 the
// whole part counts days backwards and the fraction is still the time of day
// (-1.25 is 29 December 1899, 06:00).
#pragma once
#include <optional>
#include <string>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// A date and time: days since 30 December 1899, the time of day as the fraction.
using TDateTime = double;

/// Hours, minutes, seconds and milliseconds per day.
///@{
constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = 24 * 60;
constexpr int SecsPerDay = MinsPerDay * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;
///@}

/// Whether Year is a leap year of the Gregorian calendar.
bool IsLeapYear(int Year);
int DaysInAMonth(int Year, int Month);  ///< 0 for a month outside 1..12

/// Years 1..9999. The raising forms throw EConvertError for impossible values.
///@{
TDateTime EncodeDate(int Year, int Month, int Day);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
///@}
/// Values outside years 1..9999 (or NaN) decode as all zeros.
///@{
void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec);
int YearOf(TDateTime Date);
int MonthOf(TDateTime Date);
int DayOf(TDateTime Date);
///@}

int DayOfWeek(TDateTime Date);     ///< Sunday 1 .. Saturday 7
int DayOfTheWeek(TDateTime Date);  ///< ISO 8601: Monday 1 .. Sunday 7
int DayOfTheYear(TDateTime Date);  ///< 1 January is 1
/// ISO 8601 week number (weeks start on Monday; week 1 holds the first
/// Thursday). Year receives the year the week belongs to.
///@{
int WeekOfTheYear(TDateTime Date);
int WeekOfTheYear(TDateTime Date, int& Year);
///@}
/// Moves by whole months, keeping the time; the day is clipped to the month's length.
TDateTime IncMonth(TDateTime Date, int NumberOfMonths = 1);

/// The local clock, or the override when one is set (tests fix "today" with it).
///@{
TDateTime Now();
TDateTime Date();
TDateTime Time();
int CurrentYear();
void SetNowOverride(std::optional<TDateTime> Value);
///@}
/// A two-digit year completed to four in the century window: the hundred
/// years from this year less Window on; Window 0 or less: this century.
int ExpandTwoDigitYear(int Year, int Window);

/// Format letters (case-insensitive): c d dd ddd dddd ddddd dddddd m mm mmm mmmm
/// yy yyyy h hh n nn s ss z zzz t tt am/pm a/p ampm / : and quoted literals.
/// 'm' right after an hour means minutes.
///@{
std::string FormatDateTime(const std::string& Format, TDateTime Value);
std::string FormatDateTime(const std::string& Format, TDateTime Value, const TFormatSettings& Settings);
std::string DateToStr(TDateTime Date);
std::string TimeToStr(TDateTime Time);
std::string DateTimeToStr(TDateTime Value);
///@}

/// Numbers separated by DateSeparator in the day/month/year order of
/// ShortDateFormat; a missing year is this year, a two-digit year follows
/// TwoDigitYearCenturyWindow. Errors raise EConvertError "'text' is not a valid date".
///@{
TDateTime StrToDate(const std::string& S);
TDateTime StrToDate(const std::string& S, const TFormatSettings& Settings);
bool TryStrToDate(const std::string& S, TDateTime& Value);
bool TryStrToDate(const std::string& S, TDateTime& Value, const TFormatSettings& Settings);
TDateTime StrToDateDef(const std::string& S, TDateTime Default);
///@}

QEL_API_END
}  // namespace qel
