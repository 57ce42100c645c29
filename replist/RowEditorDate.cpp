// ParseEditDate: a small reader for the formats date pickers show.
#include "replist/detail/RowEditorDate.h"

#include <cctype>

namespace qel {

namespace {

constexpr const char* kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kDays[7] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

bool IsFormatLetter(char C) {
  return C == 'H' || C == 'M' || C == 'd' || C == 'h' || C == 'm' || C == 's' || C == 't' || C == 'y';
}

bool StartsWithNoCase(const std::string& Text, size_t At, const std::string& Word) {
  if (Text.size() - At < Word.size()) return false;
  for (size_t i = 0; i < Word.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(Text[At + i])) != std::tolower(static_cast<unsigned char>(Word[i])))
      return false;
  return true;
}

class TReader {
 public:
  TReader(const std::string& Text, const std::string& Format) : text_(Text), fmt_(Format) {}

  int Run() {
    while (f_ < fmt_.size()) {
      const char c = fmt_[f_];
      int error;
      if (c == '\'') error = Quoted();
      else if (IsFormatLetter(c)) error = Token();
      else error = Literal();
      if (error) return error;
    }
    return edeNone;
  }

  TDateTime Value(int& Error) const {
    int hour = hour_;
    if (twelve_) {
      if (hour < 1 || hour > 12) {
        Error = edeValue;
        return 0;
      }
      if (pm_ && hour != 12) hour += 12;
      if (!pm_ && hour == 12) hour = 0;
    }
    TDateTime date = 0, time = 0;
    if (!TryEncodeTime(hour, minute_, second_, 0, time) ||
        (hasDate_ && !TryEncodeDate(year_, month_, day_, date))) {
      Error = edeValue;
      return 0;
    }
    return hasDate_ ? (date < 0 ? date - time : date + time) : time;
  }

 private:
  int Quoted() {
    for (++f_; f_ < fmt_.size(); ++f_) {
      if (fmt_[f_] == '\'') {
        if (f_ + 1 >= fmt_.size() || fmt_[f_ + 1] != '\'') {
          ++f_;
          return edeNone;
        }
        ++f_;
      }
      if (t_ >= text_.size() || text_[t_] != fmt_[f_]) return edeLiteral;
      ++t_;
    }
    return edeNone;
  }

  int Literal() {
    if (t_ >= text_.size() || text_[t_] != fmt_[f_]) return edeLiteral;
    ++t_;
    ++f_;
    return edeNone;
  }

  // Exactly Count digits, or (Count 0) blanks, a sign and any digits.
  bool Number(size_t Count, int& Value) {
    int sign = 1;
    if (Count == 0) {
      while (t_ < text_.size() && text_[t_] == ' ') ++t_;
      if (t_ < text_.size() && (text_[t_] == '+' || text_[t_] == '-')) sign = text_[t_++] == '-' ? -1 : 1;
    }
    size_t digits = 0;
    long long v = 0;
    while (t_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[t_])) && (Count == 0 || digits < Count)) {
      if (digits >= 9) return false;
      v = v * 10 + (text_[t_++] - '0');
      ++digits;
    }
    if (digits == 0 || (Count && digits != Count)) return false;
    Value = int(v) * sign;
    return true;
  }

  bool Name(const char* const* Names, int Count, size_t Length, int& Index) {
    for (int i = 0; i < Count; ++i) {
      const std::string name = Length ? std::string(Names[i], Length) : std::string(Names[i]);
      if (StartsWithNoCase(text_, t_, name)) {
        t_ += name.size();
        Index = i;
        return true;
      }
    }
    return false;
  }

  int Token() {
    const char c = fmt_[f_];
    size_t n = 0;
    while (f_ + n < fmt_.size() && fmt_[f_ + n] == c) ++n;
    f_ += n;
    const std::string run(n, c);
    bool ok;
    int index = 0;
    if (run == "yyyy") ok = Number(4, year_), hasDate_ = true;
    else if (run == "yy") {
      ok = Number(2, year_);
      year_ = ExpandTwoDigitYear(year_, FormatSettings.TwoDigitYearCenturyWindow);
      hasDate_ = true;
    } else if (run == "MMMM" || run == "MMM") {
      ok = Name(kMonths, 12, n == 3 ? 3 : 0, index);
      month_ = index + 1;
      hasDate_ = true;
    } else if (run == "MM" || run == "M") ok = Number(n == 2 ? 2 : 0, month_), hasDate_ = true;
    else if (run == "dddd" || run == "ddd") ok = Name(kDays, 7, n == 3 ? 3 : 0, index);
    else if (run == "dd" || run == "d") ok = Number(n == 2 ? 2 : 0, day_), hasDate_ = true;
    else if (run == "HH" || run == "H") ok = Number(n == 2 ? 2 : 0, hour_);
    else if (run == "hh" || run == "h") ok = Number(n == 2 ? 2 : 0, hour_), twelve_ = true;
    else if (run == "mm" || run == "m") ok = Number(n == 2 ? 2 : 0, minute_);
    else if (run == "ss" || run == "s") ok = Number(n == 2 ? 2 : 0, second_);
    else if (run == "tt" || run == "t") {
      const std::string morning = n == 2 ? "am" : "a", evening = n == 2 ? "pm" : "p";
      ok = StartsWithNoCase(text_, t_, morning) || StartsWithNoCase(text_, t_, evening);
      if (ok) {
        pm_ = StartsWithNoCase(text_, t_, evening);
        t_ += n;
      }
    } else return edeFormat;
    return ok ? edeNone : edeValue;
  }

  const std::string& text_;
  const std::string& fmt_;
  size_t t_ = 0, f_ = 0;
  int year_ = CurrentYear(), month_ = 1, day_ = 1, hour_ = 0, minute_ = 0, second_ = 0;
  bool hasDate_ = false, twelve_ = false, pm_ = false;
};

}  // namespace

TDateTime ParseEditDate(const std::string& Text, const std::string& Format, int* Error) {
  TReader reader(Text, Format);
  int error = reader.Run();
  TDateTime value = error ? 0 : reader.Value(error);
  if (error) value = 0;
  if (Error) *Error = error;
  return value;
}

}  // namespace qel
