// Reading a FormatDateTime format into literals and fields, and the text of
// each field.
#include "platform/rtl/DateFormatTokens.h"

#include <cctype>

namespace qel {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(const std::string& s, size_t i, const char* word) {
  for (size_t k = 0; word[k] != '\0'; ++k)
    if (i + k >= s.size() || Lower(s[i + k]) != word[k]) return false;
  return true;
}

// The length of the am/pm specifier at I, 0 where there is none.
size_t AmPmLength(const std::string& f, size_t i) {
  if (StartsWithNoCase(f, i, "am/pm")) return 5;
  if (StartsWithNoCase(f, i, "a/p")) return 3;
  if (StartsWithNoCase(f, i, "ampm")) return 4;
  return 0;
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

class Tokenizer {
 public:
  Tokenizer(const TFormatSettings& fs, bool hasTime) : fs_(fs), hasTime_(hasTime) {}

  void Run(const std::string& f, int depth) {
    char last = 0;  // the previous specifier letter, for 'm' after 'h'
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
      Literal(std::string(1, c == '/' ? fs_.DateSeparator : c == ':' ? fs_.TimeSeparator : c));
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

  // Formats named by a specifier may not name themselves endlessly.
  void Nested(const std::string& f, int depth) {
    if (depth < 2) Run(f, depth + 1);
  }

  const TFormatSettings& fs_;
  bool hasTime_;
};

}  // namespace

std::vector<TDateTimeSegment> TokenizeDateFormat(const std::string& Format, bool HasTime,
                                                 const TFormatSettings& Settings) {
  Tokenizer t(Settings, HasTime);
  t.Run(Format, 0);
  return std::move(t.segments);
}

std::string SegmentText(const TDateTimeSegment& S, TDateTime Value, const TFormatSettings& Settings) {
  int year, month, day, hour, min, sec, msec;
  DecodeDate(Value, year, month, day);
  DecodeTime(Value, hour, min, sec, msec);
  switch (S.Kind) {
    case dfLiteral: return S.Text;
    case dfDay: return Pad(day, S.Run);
    case dfMonth:
      if (S.Run <= 2) return Pad(month, S.Run);
      if (month < 1) return {};
      return S.Run == 3 ? Settings.ShortMonthNames[month - 1] : Settings.LongMonthNames[month - 1];
    case dfYear: return S.Run <= 2 ? Pad(year % 100, 2) : Pad(year, 4);
    case dfHour: {
      int h = hour;
      if (S.TwelveHour) h = h % 12 == 0 ? 12 : h % 12;
      return Pad(h, S.Run >= 2 ? 2 : 1);
    }
    case dfMinute: return Pad(min, S.Run >= 2 ? 2 : 1);
    case dfSecond: return Pad(sec, S.Run >= 2 ? 2 : 1);
    case dfMSec: return S.Run >= 3 ? Pad(msec, 3) : std::to_string(msec);
    case dfWeekDay: {
      int wd = DayOfWeek(Value);
      if (wd < 1 || wd > 7) return {};
      return S.Run == 3 ? Settings.ShortDayNames[wd - 1] : Settings.LongDayNames[wd - 1];
    }
    case dfAmPm: {
      bool pm = hour >= 12;
      if (S.Text.size() == 5) return S.Text.substr(pm ? 3 : 0, 2);
      if (S.Text.size() == 3) return std::string(1, S.Text[pm ? 2 : 0]);
      return pm ? Settings.TimePMString : Settings.TimeAMString;
    }
  }
  return {};
}

}  // namespace qel
