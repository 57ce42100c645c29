// The fields of a date-time format (see DateFormatTokens.h) and the
// arithmetic that steps or sets one field. TDateTimePicker edits through
// these.
#pragma once
#include <string>
#include <vector>

#include "platform/rtl/DateFormatTokens.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// The segments of Format; "c" includes the time only when Value has one.
std::vector<TDateTimeSegment> SplitDateTimeFormat(const std::string& Format, TDateTime Value,
                                                  const TFormatSettings& Settings = FormatSettings);
/// The fields a user edits: day to am/pm.
inline bool IsEditableField(TDateTimeFieldKind k) { return k >= dfDay && k <= dfAmPm; }

/// The field's value in Value (am/pm: 0 or 1) and its range there.
///@{
int FieldValue(TDateTime Value, TDateTimeFieldKind Kind);
int FieldMin(TDateTimeFieldKind Kind);
int FieldMax(TDateTime Value, TDateTimeFieldKind Kind);
///@}
/// Value with one field replaced (clamped into its range); a day beyond the
/// new month's end becomes its last day.
TDateTime WithField(TDateTime Value, TDateTimeFieldKind Kind, int NewValue);
/// Value with one field moved by Delta, wrapping round within its range (the
/// day within its month, the hour within the day); years stop at 1 and 9999.
TDateTime StepField(TDateTime Value, TDateTimeFieldKind Kind, int Delta);
/// Day part and time part together, in the platform's convention for days
/// before 1899.
TDateTime CombineDateAndTime(TDateTime Date, TDateTime Time);

QEL_API_END
}  // namespace qel
