// Splitting a date-time format into fields, and field arithmetic.
#include "platform/stdctrls/DateTimeFields.h"

#include <algorithm>
#include <cmath>

namespace qel {

namespace {

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
  return TokenizeDateFormat(Format, std::fabs(Value - std::trunc(Value)) > 0, Settings);
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
