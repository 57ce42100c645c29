// StrToDate: numbers in the order of ShortDateFormat.
#include <cctype>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"

namespace qel {

namespace {

enum class DateOrder { DMY, MDY, YMD };

DateOrder OrderOf(const std::string& format) {
  for (char c : format) {
    char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (l == 'd') return DateOrder::DMY;
    if (l == 'm') return DateOrder::MDY;
    if (l == 'y') return DateOrder::YMD;
  }
  return DateOrder::DMY;
}

void SkipBlanks(const std::string& s, size_t& i) {
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
}

// Up to 4 digits (no year or day needs more); the digit count goes to Length.
bool ScanNumber(const std::string& s, size_t& i, int& value, int& length) {
  SkipBlanks(s, i);
  value = 0;
  length = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
    if (++length > 4) return false;
    value = value * 10 + (s[i++] - '0');
  }
  return length > 0;
}

}  // namespace

int ExpandTwoDigitYear(int year, int window) {
  int current = CurrentYear();
  if (window <= 0) return year + current / 100 * 100;
  int pivot = current - window;
  year += pivot / 100 * 100;
  return year < pivot ? year + 100 : year;
}

bool TryStrToDate(const std::string& S, TDateTime& Value, const TFormatSettings& Settings) {
  int n[3] = {0, 0, 0}, len[3] = {0, 0, 0};
  size_t i = 0;
  int count = 0;
  while (count < 3) {
    if (!ScanNumber(S, i, n[count], len[count])) return false;
    ++count;
    SkipBlanks(S, i);
    if (i >= S.size() || S[i] != Settings.DateSeparator) break;
    ++i;
  }
  SkipBlanks(S, i);
  if (i != S.size() || count < 2) return false;
  int y, m, d, yearLength = 4;
  DateOrder order = OrderOf(Settings.ShortDateFormat);
  if (count == 2) {  // no year: this year
    y = CurrentYear();
    if (order == DateOrder::MDY || order == DateOrder::YMD) { m = n[0]; d = n[1]; }
    else { d = n[0]; m = n[1]; }
  } else if (order == DateOrder::DMY) { d = n[0]; m = n[1]; y = n[2]; yearLength = len[2]; }
  else if (order == DateOrder::MDY) { m = n[0]; d = n[1]; y = n[2]; yearLength = len[2]; }
  else { y = n[0]; m = n[1]; d = n[2]; yearLength = len[0]; }
  if (yearLength <= 2) y = ExpandTwoDigitYear(y, Settings.TwoDigitYearCenturyWindow);
  return TryEncodeDate(y, m, d, Value);
}

bool TryStrToDate(const std::string& S, TDateTime& Value) { return TryStrToDate(S, Value, FormatSettings); }

TDateTime StrToDate(const std::string& S, const TFormatSettings& Settings) {
  TDateTime v;
  if (!TryStrToDate(S, v, Settings)) throw EConvertError("'" + S + "' is not a valid date");
  return v;
}

TDateTime StrToDate(const std::string& S) { return StrToDate(S, FormatSettings); }

TDateTime StrToDateDef(const std::string& S, TDateTime Default) {
  TDateTime v;
  return TryStrToDate(S, v) ? v : Default;
}

}  // namespace qel
