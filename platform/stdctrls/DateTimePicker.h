// TDateTimePicker: a date or time shown in a format and edited field by
// field (Left/Right choose the field, Up/Down step it with wrap-around,
// digits type it), with a drop-down month calendar for dates.
#pragma once
#include <string>
#include <vector>

#include "platform/controls/Controls.h"
#include "platform/rtl/DateTime.h"
#include "platform/stdctrls/DateTimeFields.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Whether the picker edits a date (with a drop-down calendar) or a time.
enum TDateTimeKind : uint8_t { dtkDate, dtkTime };

class TDateTimeCalendar;

/// A field that shows and edits a date or a time, field by field, with a drop-down calendar.
class TDateTimePicker : public TCustomControl {
 public:
  /// A date picker at today.
  explicit TDateTimePicker(TComponent* AOwner);
  /// Closes the calendar.
  ~TDateTimePicker() override;

  /// Programmatic changes keep within MinDate..MaxDate and fire no OnChange.
  ///@{
  TDateTime GetDateTime() const { return value_; }
  void SetDateTime(TDateTime v);
  TDateTime GetDate() const;
  void SetDate(TDateTime v);  ///< Keeps the time of day
  TDateTime GetTime() const;
  void SetTime(TDateTime v);  ///< Keeps the day
  ///@}
  /// A FormatDateTime format; empty shows the settings' short date format
  /// (dtkDate) or long time format (dtkTime).
  ///@{
  const std::string& GetFormat() const { return format_; }
  void SetFormat(const std::string& v);
  ///@}
  /// Date or time.
  ///@{
  TDateTimeKind GetKind() const { return kind_; }
  void SetKind(TDateTimeKind v);
  ///@}
  /// 0 means no limit.
  ///@{
  TDateTime GetMinDate() const { return minDate_; }
  void SetMinDate(TDateTime v);
  TDateTime GetMaxDate() const { return maxDate_; }
  void SetMaxDate(TDateTime v);
  ///@}

  /// The text shown now, and which field is selected (an index into the
  /// format's editable fields, -1 for none).
  ///@{
  std::string Text() const;
  int SelectedField() const { return field_; }
  TDateTimeFieldKind SelectedFieldKind() const;
  ///@}

  /// The drop-down calendar (dtkDate only).
  ///@{
  void DropDown();
  void CloseUp();
  bool DroppedDown() const;
  ///@}
  /// The calendar window while it is shown, else nullptr.
  TCustomForm* CalendarWindow() const;
  /// Where the day Day of the shown month lies in the calendar window's
  /// client coordinates (empty when not shown or not in the grid).
  TRect CalendarDayRect(TDateTime Day) const;

  /// Fire when the user changes the value and when the calendar opens and closes.
  ///@{
  TNotifyEvent OnChange, OnDropDown, OnCloseUp;
  ///@}

 protected:
  friend class TDateTimeCalendar;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void WndProc(TMessage& Message) override;
  /// A change the user made: stored within the limits, OnChange fired.
  void UserChange(TDateTime v);

 private:
  struct FieldBox {
    int segment;  // index into segments
    int left, right;
  };
  std::string EffectiveFormat() const;
  TDateTime Limit(TDateTime v) const;
  std::vector<TDateTimeSegment> Segments() const;
  // Segments with their x ranges in the client area: painting and clicks share it.
  std::vector<FieldBox> Layout(std::vector<TDateTimeSegment>& segs);
  std::vector<int> EditableSegments(const std::vector<TDateTimeSegment>& segs) const;
  TRect ButtonRect() const;
  void SelectField(int f);
  void TypeDigit(int digit);
  void FlushTyping();
  void Changed();

  TDateTime value_;
  std::string format_;
  TDateTimeKind kind_ = dtkDate;
  TDateTime minDate_ = 0, maxDate_ = 0;
  int field_ = 0;
  std::string typed_;  // digits typed into the selected field so far
  TDateTimeCalendar* calendar_ = nullptr;
};

QEL_API_END
}  // namespace qel
