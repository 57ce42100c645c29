// A FormatDateTime format read into its pieces: literal text and value fields
// (day, month, year, hour, ...). FormatDateTime renders the pieces one after
// another; the date-time picker shows and edits them one by one, so both read
// a format by the same rules.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/DateTime.h"

namespace qel {

/// What a run of a date-time format stands for.
enum TDateTimeFieldKind : uint8_t { dfLiteral, dfDay, dfMonth, dfYear, dfHour, dfMinute, dfSecond, dfAmPm,
                                    dfWeekDay, dfMSec };

/// A run of one kind in a date-time format.
struct TDateTimeSegment {
  /// What the run stands for.
  TDateTimeFieldKind Kind = dfLiteral;
  int Run = 0;              ///< How many format letters (dd: 2, mmmm: 4)
  bool TwelveHour = false;  ///< An hour shown on the 12-hour clock
  std::string Text;         ///< A literal's text, or an am/pm field's format spelling
};

/// The pieces of Format, adjoining literals joined. Letters are case-insensitive;
/// quoted text is literal, 'm' right after an hour is the minute, an hour
/// followed by am/pm is on the 12-hour clock, and c, ddddd, dddddd, t and tt
/// stand for the settings' formats (two levels deep at most, so a format that
/// names itself ends). "c" adds the long time only when HasTime.
std::vector<TDateTimeSegment> TokenizeDateFormat(const std::string& Format, bool HasTime,
                                                 const TFormatSettings& Settings);

/// One piece's text for Value, exactly as FormatDateTime writes it within the whole.
std::string SegmentText(const TDateTimeSegment& Segment, TDateTime Value,
                        const TFormatSettings& Settings = FormatSettings);

}  // namespace qel
