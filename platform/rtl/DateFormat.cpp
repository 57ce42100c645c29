// FormatDateTime and the default date/time texts.
#include "platform/rtl/DateFormatTokens.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/detail/DateTimeParts.h"

namespace qel {

std::string FormatDateTime(const std::string& Format, TDateTime Value, const TFormatSettings& Settings) {
  long day, msec;
  bool hasTime = detail::SplitDateTime(Value, day, msec) && msec != 0;
  std::string out;
  for (const TDateTimeSegment& s : TokenizeDateFormat(Format.empty() ? "c" : Format, hasTime, Settings))
    out += SegmentText(s, Value, Settings);
  return out;
}

std::string FormatDateTime(const std::string& Format, TDateTime Value) {
  return FormatDateTime(Format, Value, FormatSettings);
}

std::string DateToStr(TDateTime Date) { return FormatDateTime("ddddd", Date); }
std::string TimeToStr(TDateTime Time) { return FormatDateTime("tt", Time); }
std::string DateTimeToStr(TDateTime Value) { return FormatDateTime("c", Value); }

}  // namespace qel
