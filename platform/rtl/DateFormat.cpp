// FormatDateTime and the default date/time texts.
#include <cctype>
#include <cmath>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/DateTimeParts.h"

namespace qel {

namespace {

struct Parts {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Min = 0, Sec = 0, MSec = 0;
  int WeekDay = 1;     // Sunday 1
  bool HasTime = false;
};

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(const std::string& s, size_t i, const char* word) {
  for (size_t k = 0; word[k] != '\0'; ++k)
    if (i + k >= s.size() || Lower(s[i + k]) != word[k]) return false;
  return true;
}

std::string Pad(int value, int width) {
  std::string s = std::to_string(value);
  if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), '0');
  return s;
}

// True when an am/pm specifier follows position I (outside quotes): the hour
// before it is then shown on the 12-hour clock.
bool TwelveHourAhead(const std::string& f, size_t i) {
  char quote = 0;
  for (; i < f.size(); ++i) {
    if (quote != 0) {
      if (f[i] == quote) quote = 0;
    } else if (f[i] == '"' || f[i] == '\'') {
      quote = f[i];
    } else if (StartsWithNoCase(f, i, "am/pm") || StartsWithNoCase(f, i, "a/p") || StartsWithNoCase(f, i, "ampm")) {
      return true;
    }
  }
  return false;
}

class Formatter {
 public:
  Formatter(const Parts& p, const TFormatSettings& fs) : p_(p), fs_(fs) {}

  void Run(const std::string& f, int depth) {
    char last = 0;  // the previous specifier letter, for 'm' after 'h'
    for (size_t i = 0; i < f.size();) {
      char c = f[i];
      char lc = Lower(c);
      if (c == '"' || c == '\'') {
        size_t end = f.find(c, i + 1);
        if (end == std::string::npos) end = f.size();
        out_.append(f, i + 1, end - i - 1);
        i = end + 1;
        continue;
      }
      if (lc == 'a' && AmPm(f, i)) continue;
      size_t run = 1;
      while (i + run < f.size() && Lower(f[i + run]) == lc) ++run;
      if (Specifier(f, i, lc, static_cast<int>(run), last, depth)) {
        last = lc;
        i += run;
        continue;
      }
      if (c == '/') out_ += fs_.DateSeparator;
      else if (c == ':') out_ += fs_.TimeSeparator;
      else out_ += c;
      ++i;
    }
  }

  const std::string& Result() const { return out_; }

 private:
  bool Specifier(const std::string& f, size_t i, char lc, int run, char last, int depth) {
    switch (lc) {
      case 'y': out_ += run <= 2 ? Pad(p_.Year % 100, 2) : Pad(p_.Year, 4); return true;
      case 'm':
        if (last == 'h') MinuteOrSecond(p_.Min, run);
        else Month(run);
        return true;
      case 'd': Day(run, depth); return true;
      case 'h': Hour(run, TwelveHourAhead(f, i + run)); return true;
      case 'n': MinuteOrSecond(p_.Min, run); return true;
      case 's': MinuteOrSecond(p_.Sec, run); return true;
      case 'z': out_ += run >= 3 ? Pad(p_.MSec, 3) : std::to_string(p_.MSec); return true;
      case 't': Nested(run == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, depth); return true;
      case 'c':
        Nested(fs_.ShortDateFormat, depth);
        if (p_.HasTime) {
          out_ += ' ';
          Nested(fs_.LongTimeFormat, depth);
        }
        return true;
      default: return false;
    }
  }

  void Month(int run) {
    if (run <= 2) out_ += Pad(p_.Month, run);
    else if (p_.Month >= 1) out_ += run == 3 ? fs_.ShortMonthNames[p_.Month - 1] : fs_.LongMonthNames[p_.Month - 1];
  }

  void Day(int run, int depth) {
    if (run <= 2) out_ += Pad(p_.Day, run);
    else if (run == 3) out_ += fs_.ShortDayNames[p_.WeekDay - 1];
    else if (run == 4) out_ += fs_.LongDayNames[p_.WeekDay - 1];
    else Nested(run == 5 ? fs_.ShortDateFormat : fs_.LongDateFormat, depth);
  }

  void Hour(int run, bool twelve) {
    int h = p_.Hour;
    if (twelve) {
      h %= 12;
      if (h == 0) h = 12;
    }
    out_ += Pad(h, run >= 2 ? 2 : 1);
  }

  void MinuteOrSecond(int value, int run) { out_ += Pad(value, run >= 2 ? 2 : 1); }

  // am/pm and a/p keep the case written in the format; ampm uses the settings' texts.
  bool AmPm(const std::string& f, size_t& i) {
    bool pm = p_.Hour >= 12;
    if (StartsWithNoCase(f, i, "am/pm")) {
      out_.append(f, pm ? i + 3 : i, 2);
      i += 5;
    } else if (StartsWithNoCase(f, i, "a/p")) {
      out_ += pm ? f[i + 2] : f[i];
      i += 3;
    } else if (StartsWithNoCase(f, i, "ampm")) {
      out_ += pm ? fs_.TimePMString : fs_.TimeAMString;
      i += 4;
    } else {
      return false;
    }
    return true;
  }

  // Formats named by a specifier may not name themselves endlessly.
  void Nested(const std::string& f, int depth) {
    if (depth < 2) Run(f, depth + 1);
  }

  const Parts& p_;
  const TFormatSettings& fs_;
  std::string out_;
};

Parts PartsOf(TDateTime value) {
  Parts p;
  DecodeDate(value, p.Year, p.Month, p.Day);
  DecodeTime(value, p.Hour, p.Min, p.Sec, p.MSec);
  p.WeekDay = DayOfWeek(value);
  long day, msec;
  p.HasTime = detail::SplitDateTime(value, day, msec) && msec != 0;
  return p;
}

}  // namespace

std::string FormatDateTime(const std::string& Format, TDateTime Value, const TFormatSettings& Settings) {
  Parts p = PartsOf(Value);
  Formatter f(p, Settings);
  f.Run(Format.empty() ? "c" : Format, 0);
  return f.Result();
}

std::string FormatDateTime(const std::string& Format, TDateTime Value) {
  return FormatDateTime(Format, Value, FormatSettings);
}

std::string DateToStr(TDateTime Date) { return FormatDateTime("ddddd", Date); }
std::string TimeToStr(TDateTime Time) { return FormatDateTime("tt", Time); }
std::string DateTimeToStr(TDateTime Value) { return FormatDateTime("c", Value); }

}  // namespace qel
