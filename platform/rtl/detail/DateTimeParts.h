// Internal: splitting a TDateTime into day number and milliseconds, shared by
// the date units.
#pragma once
#include "platform/rtl/DateTime.h"

namespace qel::detail {

// Day number (truncated towards zero) and milliseconds of the time of day,
// rounded. False (and zeros) for values outside years 1..9999 or NaN.
bool SplitDateTime(TDateTime value, long& day, long& msec);
// Inverse of the split: a time of day added to a day number in the
// platform's convention for days before 1899.
TDateTime CombineDateTime(long day, double timeFraction);

}  // namespace qel::detail
