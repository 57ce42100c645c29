// Splitting a date-time format into fields, and field arithmetic. The
// splitter reads the format by the same rules as FormatDateTime: quoted
// literals, 'm' after an hour means minutes, an hour followed by am/pm is on
// the 12-hour clock, and c, ddddd, dddddd, t, tt name other formats.
#include "platform/stdctrls/DateTimeFields.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace qel {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(const std::string& s, size_t i, const char* word) {
  for (size_t k = 0; word[k] != '\0'; ++k)
    if (i + k >= s.size() || Lower(s[i + k]) != word[k]) return false;
  return true;
}

size_t AmPmLength(const std::string& f, size_t i) {
  if (StartsWithNoCase(f, i, "am/pm")) return 5;
  if (StartsWithNoCase(f, i, "a/p")) return 3;
  if (StartsWithNoCase(f, i, "ampm")) return 4;
  return 0;
}

bool TwelveHourAhead(const std::string& f, size_t i) {
  char quote = 0;
  for (; i < f.size(); ++i) {
    if (quote != 0) {
      if (f[i] == quote) quote = 0;
    } else if (f[i] == '"' || f[i] == '\'') {
      quote = f[i];
    } else if (AmPmLength(f, i) > 0) {
      return true;
    }
  }
  return false;
}

std::string Pad(int value, int width) {
  std::string s = std::to_string(value);
  if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), '0');
  return s;
}

class Splitter {
 public:
  Splitter(const TFormatSettings& fs, bool hasTime) : fs_(fs), hasTime_(hasTime) {}

  void Run(const std::string& f, int depth) {
    char last = 0;
    for (size_t i = 0; i < f.size();) {
      char c = f[i], lc = Lower(c);
      if (c == '"' || c == '\'') {
        size_t end = f.find(c, i + 1);
        if (end == std::string::npos) end = f.size();
        Literal(f.substr(i + 1, end - i - 1));
        i = end + 1;
        continue;
      }
      if (size_t n = lc == 'a' ? AmPmLength(f, i) : 0) {
        Field(dfAmPm, 0, false, f.substr(i, n));
        i += n;
        continue;
      }
      int run = 1;
      while (i + run < f.size() && Lower(f[i + run]) == lc) ++run;
      if (Specifier(f, i, lc, run, last, depth)) {
        last = lc;
        i += run;
        continue;
      }
      Literal(c == '/' ? std::string(1, fs_.DateSeparator) : c == ':' ? std::string(1, fs_.TimeSeparator)
                                                                      : std::string(1, c));
      ++i;
    }
  }

  std::vector<TDateTimeSegment> segments;

 private:
  bool Specifier(const std::string& f, size_t i, char lc, int run, char last, int depth) {
    switch (lc) {
      case 'y': Field(dfYear, run); return true;
      case 'm': Field(last == 'h' ? dfMinute : dfMonth, run); return true;
      case 'd':
        if (run <= 2) Field(dfDay, run);
        else if (run <= 4) Field(dfWeekDay, run);
        else Nested(run == 5 ? fs_.ShortDateFormat : fs_.LongDateFormat, depth);
        return true;
      case 'h': Field(dfHour, run, TwelveHourAhead(f, i + run)); return true;
      case 'n': Field(dfMinute, run); return true;
      case 's': Field(dfSecond, run); return true;
      case 'z': Field(dfMSec, run); return true;
      case 't': Nested(run == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, depth); return true;
      case 'c':
        Nested(fs_.ShortDateFormat, depth);
        if (hasTime_) {
          Literal(" ");
          Nested(fs_.LongTimeFormat, depth);
        }
        return true;
      default: return false;
    }
  }

  void Field(TDateTimeFieldKind k, int run, bool twelve = false, std::string text = {}) {
    segments.push_back({k, run, twelve, std::move(text)});
  }

  void Literal(const std::string& text) {
    if (text.empty()) return;
    if (!segments.empty() && segments.back().Kind == dfLiteral) segments.back().Text += text;
    else segments.push_back({dfLiteral, 0, false, text});
  }

  void Nested(const std::string& f, int depth) {
    if (depth < 2) Run(f, depth + 1);
  }

  const TFormatSettings& fs_;
  bool hasTime_;
};

struct Parts {
  int year, month, day, hour, min, sec, msec;
};

Parts Decode(TDateTime v) {
  Parts p{};
  DecodeDate(v, p.year, p.month, p.day);
  DecodeTime(v, p.hour, p.min, p.sec, p.msec);
  return p;
}

TDateTime Encode(const Parts& p) {
  TDateTime date = 0, time = 0;
  if (!TryEncodeDate(p.year, p.month, p.day, date)) return 0;
  TryEncodeTime(p.hour, p.min, p.sec, p.msec, time);
  return CombineDateAndTime(date, time);
}

int& PartOf(Parts& p, TDateTimeFieldKind k) {
  switch (k) {
    case dfDay: return p.day;
    case dfMonth: return p.month;
    case dfYear: return p.year;
    case dfMinute: return p.min;
    case dfSecond: return p.sec;
    default: return p.hour;
  }
}

}  // namespace

TDateTime CombineDateAndTime(TDateTime Date, TDateTime Time) {
  double day = std::trunc(Date), t = std::fabs(Time - std::trunc(Time));
  return day < 0 ? day - t : day + t;
}

std::vector<TDateTimeSegment> SplitDateTimeFormat(const std::string& Format, TDateTime Value,
                                                  const TFormatSettings& Settings) {
  Splitter s(Settings, std::fabs(Value - std::trunc(Value)) > 0);
  s.Run(Format, 0);
  return std::move(s.segments);
}

std::string SegmentText(const TDateTimeSegment& S, TDateTime Value, const TFormatSettings& Settings) {
  Parts p = Decode(Value);
  switch (S.Kind) {
    case dfLiteral: return S.Text;
    case dfDay: return Pad(p.day, S.Run);
    case dfMonth:
      if (S.Run <= 2) return Pad(p.month, S.Run);
      if (p.month < 1) return {};
      return S.Run == 3 ? Settings.ShortMonthNames[p.month - 1] : Settings.LongMonthNames[p.month - 1];
    case dfYear: return S.Run <= 2 ? Pad(p.year % 100, 2) : Pad(p.year, 4);
    case dfHour: {
      int h = p.hour;
      if (S.TwelveHour) h = h % 12 == 0 ? 12 : h % 12;
      return Pad(h, S.Run >= 2 ? 2 : 1);
    }
    case dfMinute: return Pad(p.min, S.Run >= 2 ? 2 : 1);
    case dfSecond: return Pad(p.sec, S.Run >= 2 ? 2 : 1);
    case dfMSec: return S.Run >= 3 ? Pad(p.msec, 3) : std::to_string(p.msec);
    case dfWeekDay: {
      int wd = DayOfWeek(Value);
      if (wd < 1 || wd > 7) return {};
      return S.Run == 3 ? Settings.ShortDayNames[wd - 1] : Settings.LongDayNames[wd - 1];
    }
    case dfAmPm: {
      bool pm = p.hour >= 12;
      if (S.Text.size() == 5) return S.Text.substr(pm ? 3 : 0, 2);
      if (S.Text.size() == 3) return std::string(1, S.Text[pm ? 2 : 0]);
      return pm ? Settings.TimePMString : Settings.TimeAMString;
    }
  }
  return {};
}

int FieldValue(TDateTime Value, TDateTimeFieldKind Kind) {
  Parts p = Decode(Value);
  if (Kind == dfAmPm) return p.hour >= 12 ? 1 : 0;
  if (!IsEditableField(Kind)) return 0;
  return PartOf(p, Kind);
}

int FieldMin(TDateTimeFieldKind Kind) { return Kind == dfDay || Kind == dfMonth || Kind == dfYear ? 1 : 0; }

int FieldMax(TDateTime Value, TDateTimeFieldKind Kind) {
  switch (Kind) {
    case dfDay: {
      Parts p = Decode(Value);
      return std::max(28, DaysInAMonth(p.year, p.month));
    }
    case dfMonth: return 12;
    case dfYear: return 9999;
    case dfHour: return 23;
    case dfMinute: case dfSecond: return 59;
    case dfAmPm: return 1;
    default: return 0;
  }
}

TDateTime WithField(TDateTime Value, TDateTimeFieldKind Kind, int NewValue) {
  if (!IsEditableField(Kind)) return Value;
  Parts p = Decode(Value);
  if (p.year == 0) p = {1899, 12, 30, 0, 0, 0, 0};  // outside the calendar: start from day 0
  if (Kind == dfAmPm) {
    bool pm = p.hour >= 12;
    if ((NewValue != 0) != pm) p.hour = (p.hour + 12) % 24;
    return Encode(p);
  }
  PartOf(p, Kind) = std::clamp(NewValue, FieldMin(Kind), FieldMax(Value, Kind));
  p.day = std::min(p.day, DaysInAMonth(p.year, p.month));
  return Encode(p);
}

TDateTime StepField(TDateTime Value, TDateTimeFieldKind Kind, int Delta) {
  if (!IsEditableField(Kind)) return Value;
  int v = FieldValue(Value, Kind);
  if (Kind == dfYear) return WithField(Value, Kind, std::clamp(v + Delta, 1, 9999));
  int lo = FieldMin(Kind), span = FieldMax(Value, Kind) - lo + 1;
  return WithField(Value, Kind, lo + ((v - lo + Delta) % span + span) % span);
}

}  // namespace qel
