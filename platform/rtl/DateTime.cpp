// Calendar arithmetic and the clock. Formatting is in DateFormat.cpp and
// parsing in DateParse.cpp.
#include "platform/rtl/DateTime.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/detail/DateTimeParts.h"

namespace qel {

namespace {

std::optional<TDateTime> nowOverride;

// Days from 1970-01-01 to a proleptic Gregorian date (Hinnant's algorithm).
long DaysFromCivil(long y, int m, int d) {
  y -= m <= 2;
  long era = (y >= 0 ? y : y - 399) / 400;
  long yoe = y - era * 400;
  long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d) {
  z += 719468;
  long era = (z >= 0 ? z : z - 146096) / 146097;
  long doe = z - era * 146097;
  long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

constexpr long kUnixEpochSerial = 25569;  // 1970-01-01 as a TDateTime
constexpr long kMinSerial = -693593;       // 0001-01-01
constexpr long kMaxSerial = 2958465;       // 9999-12-31

}  // namespace

namespace detail {

bool SplitDateTime(TDateTime value, long& day, long& msec) {
  day = 0;
  msec = 0;
  if (!(value > kMinSerial - 1 && value < kMaxSerial + 1)) return false;
  day = static_cast<long>(std::trunc(value));
  msec = std::lround(std::fabs(value - std::trunc(value)) * MSecsPerDay);
  if (msec >= MSecsPerDay) {  // rounds up into the next day
    msec = 0;
    ++day;
  }
  return day >= kMinSerial && day <= kMaxSerial;
}

TDateTime CombineDateTime(long day, double timeFraction) {
  return day >= 0 ? day + timeFraction : day - timeFraction;
}

}  // namespace detail

bool IsLeapYear(int Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

int DaysInAMonth(int Year, int Month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return Month == 2 && IsLeapYear(Year) ? 29 : kDays[Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month)) return false;
  Date = static_cast<double>(DaysFromCivil(Year, Month, Day) + kUnixEpochSerial);
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime d;
  if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time) {
  if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999) return false;
  Time = ((Hour * 60.0 + Min) * 60.0 * 1000.0 + Sec * 1000.0 + MSec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  TDateTime t;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, t)) throw EConvertError("Invalid argument to time encode");
  return t;
}

void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day) {
  long day, msec;
  Year = Month = Day = 0;
  if (detail::SplitDateTime(Date, day, msec)) CivilFromDays(day - kUnixEpochSerial, Year, Month, Day);
}

void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec) {
  long day, msec;
  Hour = Min = Sec = MSec = 0;
  if (!detail::SplitDateTime(Time, day, msec)) return;
  Hour = static_cast<int>(msec / 3600000);
  Min = static_cast<int>(msec / 60000 % 60);
  Sec = static_cast<int>(msec / 1000 % 60);
  MSec = static_cast<int>(msec % 1000);
}

int YearOf(TDateTime Date) {
  int y, m, d;
  DecodeDate(Date, y, m, d);
  return y;
}

int MonthOf(TDateTime Date) {
  int y, m, d;
  DecodeDate(Date, y, m, d);
  return m;
}

int DayOf(TDateTime Date) {
  int y, m, d;
  DecodeDate(Date, y, m, d);
  return d;
}

int DayOfWeek(TDateTime Date) {
  long day, msec;
  detail::SplitDateTime(Date, day, msec);
  long r = (day + 693594) % 7;  // 0001-01-01 (a Monday) has day number 1 there
  return static_cast<int>(r < 0 ? r + 7 : r) + 1;
}

int DayOfTheWeek(TDateTime Date) { return (DayOfWeek(Date) + 5) % 7 + 1; }

int DayOfTheYear(TDateTime Date) {
  int y, m, d;
  DecodeDate(Date, y, m, d);
  if (y == 0) return 0;
  return static_cast<int>(DaysFromCivil(y, m, d) - DaysFromCivil(y, 1, 1)) + 1;
}

int WeekOfTheYear(TDateTime Date, int& Year) {
  long day, msec;
  Year = 0;
  if (!detail::SplitDateTime(Date, day, msec)) return 0;
  // The week belongs to the year of its Thursday.
  double thursday = static_cast<double>(day - DayOfTheWeek(Date) + 4);
  Year = YearOf(thursday);
  if (Year == 0) return 0;
  return (DayOfTheYear(thursday) - 1) / 7 + 1;
}

int WeekOfTheYear(TDateTime Date) {
  int year;
  return WeekOfTheYear(Date, year);
}

TDateTime IncMonth(TDateTime Date, int NumberOfMonths) {
  int y, m, d;
  DecodeDate(Date, y, m, d);
  if (y == 0) throw EConvertError("Invalid argument to date encode");
  long months = static_cast<long>(y) * 12 + (m - 1) + NumberOfMonths;
  long ny = months >= 0 ? months / 12 : (months - 11) / 12;
  int nm = static_cast<int>(months - ny * 12) + 1;
  if (ny < 1 || ny > 9999) throw EConvertError("Invalid argument to date encode");
  int nd = std::min(d, DaysInAMonth(static_cast<int>(ny), nm));
  TDateTime result = EncodeDate(static_cast<int>(ny), nm, nd);
  return detail::CombineDateTime(static_cast<long>(result), std::fabs(Date - std::trunc(Date)));
}

void SetNowOverride(std::optional<TDateTime> Value) { nowOverride = Value; }

TDateTime Now() {
  if (nowOverride) return *nowOverride;
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local{};
  localtime_r(&ts.tv_sec, &local);
  TDateTime date = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  // A leap second shows as the 59th.
  TDateTime time = EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                              static_cast<int>(ts.tv_nsec / 1000000));
  return date + time;
}

TDateTime Date() {
  long day, msec;
  detail::SplitDateTime(Now(), day, msec);
  return static_cast<double>(day);
}

TDateTime Time() {
  TDateTime now = Now();
  return std::fabs(now - std::trunc(now));
}

int CurrentYear() { return YearOf(Now()); }

}  // namespace qel
