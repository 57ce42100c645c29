// TDateTimePicker. Sections: the drop-down month calendar; value and
// settings; geometry and painting; mouse and keys; typing digits.
#include "platform/stdctrls/DateTimePicker.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/controls/Application.h"
#include "platform/graphics/StylePainter.h"
#include "platform/controls/PopupPlacement.h"
#include "platform/controls/Forms.h"

namespace qel {

namespace {
constexpr int ButtonWidth = 17, TextLeft = 2;
constexpr int CalCellW = 26, CalCellH = 18, CalMargin = 4, CalHeaderH = 24, CalDayNamesH = 18;
constexpr int CalWidth = 2 * CalMargin + 7 * CalCellW, CalHeight = CalHeaderH + CalDayNamesH + 6 * CalCellH + CalMargin;

TDateTime TruncDay(TDateTime v) { return std::trunc(v); }

bool InCalendar(TDateTime day) { return YearOf(day) != 0; }

// IncMonth that stops at the ends of the calendar (years 1..9999) instead
// of raising: false there, and Result is left alone.
bool TryIncMonth(TDateTime day, int delta, TDateTime& Result) {
  int y, m, d;
  DecodeDate(day, y, m, d);
  long months = static_cast<long>(y) * 12 + (m - 1) + delta;
  if (y == 0 || months < 12 || months >= 10000L * 12) return false;
  Result = IncMonth(day, delta);
  return true;
}

void DrawTriangle(TCanvas* c, TPoint tip, int dx, int dy, TColor color) {
  c->Pen()->SetColor(color);
  c->Brush()->SetColor(color);
  // A small arrow pointing along (dx, dy), which is one of the four axes.
  std::vector<TPoint> pts = dx != 0 ? std::vector<TPoint>{tip, {tip.X - 3 * dx, tip.Y - 3}, {tip.X - 3 * dx, tip.Y + 3}}
                                    : std::vector<TPoint>{tip, {tip.X - 3, tip.Y - 3 * dy}, {tip.X + 3, tip.Y - 3 * dy}};
  c->Polygon(pts);
}
}  // namespace

// ------------------------------------------------ the month calendar ----

// A popup month grid, weeks from Monday: header with the month, the year
// and arrows to the neighbouring months, weekday names, six weeks of days.
class TDateTimeCalendar : public TCustomForm {
 public:
  explicit TDateTimeCalendar(TDateTimePicker* picker) : TCustomForm(nullptr), picker_(picker) {
    SetPopup(true);
    SetGrabKeys(true);
    TCustomForm::SetBorderStyle(bsNone);
    SetColor(clWindow);
  }

  void Open(TDateTime day, int x, int y) {
    cursor_ = TruncDay(day);
    ShowMonthOf(cursor_);
    SetBounds(x, y, CalWidth, CalHeight);
    Show();
    Invalidate();
  }

  TRect DayRect(TDateTime day) const {
    int idx = static_cast<int>(TruncDay(day) - GridStart());
    if (idx < 0 || idx >= 42) return {};
    int x = CalMargin + (idx % 7) * CalCellW, y = CalHeaderH + CalDayNamesH + (idx / 7) * CalCellH;
    return {x, y, x + CalCellW, y + CalCellH};
  }
  TRect PrevRect() const { return {CalMargin, 4, CalMargin + 20, CalHeaderH - 4}; }
  TRect NextRect() const { return {CalWidth - CalMargin - 20, 4, CalWidth - CalMargin, CalHeaderH - 4}; }

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_GETDLGCODE) {
      m.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
      return;
    }
    TCustomForm::WndProc(m);
  }

  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    TCustomForm::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (PrevRect().Contains({X, Y})) return MoveMonth(-1);
    if (NextRect().Contains({X, Y})) return MoveMonth(1);
    for (int i = 0; i < 42; ++i)
      if (DayRect(GridStart() + i).Contains({X, Y})) return Pick(GridStart() + i);
  }

  void KeyDown(uint16_t& Key, TShiftState Shift) override {
    switch (Key) {
      case VK_LEFT: MoveCursor(cursor_ - 1); break;
      case VK_RIGHT: MoveCursor(cursor_ + 1); break;
      case VK_UP: if (Shift.Contains(ssAlt)) picker_->CloseUp(); else MoveCursor(cursor_ - 7); break;
      case VK_DOWN: MoveCursor(cursor_ + 7); break;
      case VK_PRIOR: case VK_NEXT: {
        TDateTime day;
        if (TryIncMonth(cursor_, Key == VK_NEXT ? 1 : -1, day)) MoveCursor(day);
        break;
      }
      case VK_RETURN: Pick(cursor_); break;
      case VK_ESCAPE: case VK_F4: picker_->CloseUp(); break;
      default: break;
    }
  }

  void DoHide() override {
    TCustomForm::DoHide();
    if (picker_->OnCloseUp) picker_->OnCloseUp(picker_);
  }

  void PaintWindow() override {
    TCustomForm::PaintWindow();
    TCanvas* c = PaintCanvas();
    c->Font()->Assign(GetFont());
    DrawHeader(c);
    DrawDays(c);
    c->Brush()->SetColor(clWindowFrame);
    c->FrameRect({0, 0, CalWidth, CalHeight});
  }

 private:
  TDateTime GridStart() const {
    TDateTime first = EncodeDate(year_, month_, 1);
    return first - (DayOfTheWeek(first) - 1);
  }

  void ShowMonthOf(TDateTime day) {
    int d;
    DecodeDate(day, year_, month_, d);
    if (year_ == 0) DecodeDate(Date(), year_, month_, d);
    Invalidate();
  }

  // Arrows, keys and clicks stop at the ends of the calendar: the grid of
  // December 9999 runs into days that do not exist, and they take no click.
  void MoveMonth(int delta) {
    TDateTime first, cursor;
    if (!TryIncMonth(EncodeDate(year_, month_, 1), delta, first)) return;
    ShowMonthOf(first);
    cursor_ = TryIncMonth(cursor_, delta, cursor) ? cursor : first;
  }

  void MoveCursor(TDateTime day) {
    if (!InCalendar(day)) return;
    cursor_ = TruncDay(day);
    ShowMonthOf(cursor_);
  }

  void Pick(TDateTime day) {
    if (!InCalendar(day)) return;
    picker_->CloseUp();
    picker_->UserChange(CombineDateAndTime(day, picker_->GetTime()));
  }

  void DrawHeader(TCanvas* c) {
    c->Brush()->SetColor(clBtnFace);
    c->FillRect({0, 0, CalWidth, CalHeaderH});
    DrawTriangle(c, {PrevRect().Left + 6, CalHeaderH / 2}, -1, 0, clBtnText);
    DrawTriangle(c, {NextRect().Right - 6, CalHeaderH / 2}, 1, 0, clBtnText);
    std::string title = FormatSettings.LongMonthNames[month_ - 1] + " " + std::to_string(year_);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(clBtnText);
    c->TextOut((CalWidth - c->TextWidth(title)) / 2, (CalHeaderH - c->TextHeight(title)) / 2, title);
    for (int i = 0; i < 7; ++i) {
      const std::string& name = FormatSettings.ShortDayNames[(i + 1) % 7];
      int x = CalMargin + i * CalCellW + (CalCellW - c->TextWidth(name)) / 2;
      c->TextOut(x, CalHeaderH + 2, name);
    }
    c->Pen()->SetColor(clBtnShadow);
    c->MoveTo(CalMargin, CalHeaderH + CalDayNamesH - 2);
    c->LineTo(CalWidth - CalMargin, CalHeaderH + CalDayNamesH - 2);
    c->Brush()->SetStyle(bsSolid);
  }

  void DrawDays(TCanvas* c) {
    TDateTime selected = TruncDay(picker_->GetDateTime());
    for (int i = 0; i < 42; ++i) {
      TDateTime day = GridStart() + i;
      if (!InCalendar(day)) continue;
      TRect r = DayRect(day);
      bool isSelected = day == selected;
      if (isSelected) {
        c->Brush()->SetColor(clHighlight);
        c->FillRect(r);
      }
      if (day == cursor_) {
        c->Brush()->SetColor(isSelected ? clHighlightText : clWindowText);
        c->FrameRect(r);
      }
      std::string text = std::to_string(qel::DayOf(day));
      c->Font()->SetColor(isSelected ? clHighlightText : MonthOf(day) == month_ ? clWindowText : clGrayText);
      c->Brush()->SetStyle(bsClear);
      c->TextOut(r.Right - 5 - c->TextWidth(text), r.Top + (CalCellH - c->TextHeight(text)) / 2, text);
      c->Brush()->SetStyle(bsSolid);
    }
  }

  TDateTimePicker* picker_;
  int year_ = 2000, month_ = 1;
  TDateTime cursor_ = 0;
};

// ------------------------------------------------ value and settings ----

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner), value_(Now()) {
  SetBounds(GetLeft(), GetTop(), 186, 24);
  SetBorderStyle(bsSingle);
  SetTabStop(true);
  SetColor(clWindow);
}

TDateTimePicker::~TDateTimePicker() { delete calendar_; }

TDateTime TDateTimePicker::Limit(TDateTime v) const {
  if (std::isnan(v)) return value_;
  if (minDate_ != 0 && TruncDay(v) < TruncDay(minDate_)) v = CombineDateAndTime(minDate_, v);
  if (maxDate_ != 0 && TruncDay(v) > TruncDay(maxDate_)) v = CombineDateAndTime(maxDate_, v);
  return v;
}

void TDateTimePicker::SetDateTime(TDateTime v) {
  v = Limit(v);
  if (v == value_) return;
  value_ = v;
  Changed();
}

void TDateTimePicker::UserChange(TDateTime v) {
  v = Limit(v);
  if (v == value_) return;
  value_ = v;
  Changed();
  if (OnChange) OnChange(this);
}

void TDateTimePicker::Changed() {
  Invalidate();
  if (calendar_ && calendar_->Showing()) calendar_->Invalidate();
}

TDateTime TDateTimePicker::GetDate() const { return TruncDay(value_); }
void TDateTimePicker::SetDate(TDateTime v) { SetDateTime(CombineDateAndTime(v, value_)); }
TDateTime TDateTimePicker::GetTime() const { return std::fabs(value_ - TruncDay(value_)); }
void TDateTimePicker::SetTime(TDateTime v) { SetDateTime(CombineDateAndTime(value_, v)); }

void TDateTimePicker::SetFormat(const std::string& v) {
  if (v == format_) return;
  format_ = v;
  typed_.clear();
  field_ = 0;
  Invalidate();
}

void TDateTimePicker::SetKind(TDateTimeKind v) {
  if (v == kind_) return;
  kind_ = v;
  if (v != dtkDate) CloseUp();
  typed_.clear();
  field_ = 0;
  Invalidate();
}

void TDateTimePicker::SetMinDate(TDateTime v) {
  minDate_ = v;
  SetDateTime(value_);
}

void TDateTimePicker::SetMaxDate(TDateTime v) {
  maxDate_ = v;
  SetDateTime(value_);
}

std::string TDateTimePicker::EffectiveFormat() const {
  if (!format_.empty()) return format_;
  return kind_ == dtkDate ? FormatSettings.ShortDateFormat : FormatSettings.LongTimeFormat;
}

std::vector<TDateTimeSegment> TDateTimePicker::Segments() const {
  return SplitDateTimeFormat(EffectiveFormat(), value_);
}

std::string TDateTimePicker::Text() const {
  std::string s;
  for (const TDateTimeSegment& seg : Segments()) s += SegmentText(seg, value_);
  return s;
}

std::vector<int> TDateTimePicker::EditableSegments(const std::vector<TDateTimeSegment>& segs) const {
  std::vector<int> out;
  for (size_t i = 0; i < segs.size(); ++i)
    if (IsEditableField(segs[i].Kind)) out.push_back(static_cast<int>(i));
  return out;
}

TDateTimeFieldKind TDateTimePicker::SelectedFieldKind() const {
  auto segs = Segments();
  auto editable = EditableSegments(segs);
  if (field_ < 0 || field_ >= static_cast<int>(editable.size())) return dfLiteral;
  return segs[editable[field_]].Kind;
}

// ------------------------------------------------ geometry and painting ----

TRect TDateTimePicker::ButtonRect() const {
  return {ClientWidth() - ButtonWidth, 0, ClientWidth(), ClientHeight()};
}

std::vector<TDateTimePicker::FieldBox> TDateTimePicker::Layout(std::vector<TDateTimeSegment>& segs) {
  segs = Segments();
  std::vector<FieldBox> boxes;
  TCanvas* c = Canvas();
  c->Font()->Assign(GetFont());
  int x = TextLeft;
  for (size_t i = 0; i < segs.size(); ++i) {
    int w = c->TextWidth(SegmentText(segs[i], value_));
    boxes.push_back({static_cast<int>(i), x, x + w});
    x += w;
  }
  return boxes;
}

void TDateTimePicker::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(GetEnabled() ? GetColor() : clBtnFace);
  c->FillRect(GetClientRect());
  std::vector<TDateTimeSegment> segs;
  auto boxes = Layout(segs);
  auto editable = EditableSegments(segs);
  int selSeg = Focused() && field_ >= 0 && field_ < static_cast<int>(editable.size()) ? editable[field_] : -1;
  c->Font()->Assign(GetFont());
  int th = c->TextHeight("0");
  int y = (ClientHeight() - th) / 2;
  for (const FieldBox& b : boxes) {
    bool sel = b.segment == selSeg;
    if (sel) {
      c->Brush()->SetColor(clHighlight);
      c->FillRect({b.left, y, b.right, y + th});
    }
    c->Font()->SetColor(!GetEnabled() ? clGrayText : sel ? clHighlightText : GetFont()->GetColor());
    c->Brush()->SetStyle(bsClear);
    c->TextOut(b.left, y, SegmentText(segs[b.segment], value_));
    c->Brush()->SetStyle(bsSolid);
  }
  TRect br = ButtonRect();
  if (kind_ == dtkDate) {
    StylePainter::PaintRaisedBox(c, br);
    DrawTriangle(c, {br.Left + br.Width() / 2, br.Top + br.Height() / 2 + 2}, 0, 1, clBtnText);
  } else {  // up and down halves step the selected field
    int mid = br.Top + br.Height() / 2;
    StylePainter::PaintRaisedBox(c, {br.Left, br.Top, br.Right, mid});
    StylePainter::PaintRaisedBox(c, {br.Left, mid, br.Right, br.Bottom});
    DrawTriangle(c, {br.Left + br.Width() / 2, br.Top + 3}, 0, -1, clBtnText);
    DrawTriangle(c, {br.Left + br.Width() / 2, br.Bottom - 4}, 0, 1, clBtnText);
  }
}

// ----------------------------------------------------- mouse and keys ----

void TDateTimePicker::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case WM_KILLFOCUS:
      FlushTyping();
      CloseUp();
      Invalidate();
      break;
    case WM_SETFOCUS:
      Invalidate();
      break;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus()) SetFocus();
  if (Button == mbLeft) {
    TRect br = ButtonRect();
    if (br.Contains({X, Y})) {
      if (kind_ == dtkDate) {
        if (DroppedDown()) CloseUp();
        else DropDown();
      } else {
        FlushTyping();
        UserChange(StepField(value_, SelectedFieldKind(), Y < br.Top + br.Height() / 2 ? 1 : -1));
      }
    } else {
      std::vector<TDateTimeSegment> segs;
      auto boxes = Layout(segs);
      auto editable = EditableSegments(segs);
      for (size_t f = 0; f < editable.size(); ++f)
        if (X >= boxes[editable[f]].left && X < boxes[editable[f]].right) SelectField(static_cast<int>(f));
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TDateTimePicker::SelectField(int f) {
  FlushTyping();
  int n = static_cast<int>(EditableSegments(Segments()).size());
  field_ = n == 0 ? -1 : ((f % n) + n) % n;
  Invalidate();
}

void TDateTimePicker::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_LEFT: SelectField(field_ - 1); break;
    case VK_RIGHT: SelectField(field_ + 1); break;
    case VK_UP: case VK_DOWN:
      if (Shift.Contains(ssAlt)) {
        if (Key == VK_DOWN) DropDown();
        break;
      }
      FlushTyping();
      UserChange(StepField(value_, SelectedFieldKind(), Key == VK_UP ? 1 : -1));
      break;
    case VK_F4: DropDown(); break;
    default: return;
  }
  Key = 0;
}

void TDateTimePicker::DropDown() {
  if (kind_ != dtkDate || DroppedDown() || !GetParent()) return;
  FlushTyping();
  if (OnDropDown) OnDropDown(this);
  if (!calendar_) calendar_ = new TDateTimeCalendar(this);
  TPoint topLeft = GetParent()->ClientToScreen({GetLeft(), GetTop()});
  TRect place = PlacePopup(Bounds(topLeft.X, topLeft.Y, GetWidth(), GetHeight()), {CalWidth, CalHeight},
                           TPopupSide::Below);
  calendar_->Open(value_, place.Left, place.Top);
}

void TDateTimePicker::CloseUp() {
  if (DroppedDown()) calendar_->Hide();
}

bool TDateTimePicker::DroppedDown() const { return calendar_ && calendar_->Showing(); }

TCustomForm* TDateTimePicker::CalendarWindow() const { return DroppedDown() ? calendar_ : nullptr; }

TRect TDateTimePicker::CalendarDayRect(TDateTime Day) const {
  return DroppedDown() ? calendar_->DayRect(Day) : TRect{};
}

// ------------------------------------------------------- typing digits ----

// A field takes its digits one at a time; it is complete when it has all
// its digits or when no further digit could keep it in range, and the
// selection then moves to the next field. No timing is involved.
void TDateTimePicker::KeyPress(char32_t& Key) {
  TCustomControl::KeyPress(Key);
  TDateTimeFieldKind kind = SelectedFieldKind();
  if (Key >= '0' && Key <= '9') {
    TypeDigit(static_cast<int>(Key - '0'));
  } else if (kind == dfAmPm && (Key == 'a' || Key == 'A' || Key == 'p' || Key == 'P')) {
    UserChange(WithField(value_, dfAmPm, Key == 'p' || Key == 'P' ? 1 : 0));
  } else if (Key == '/' || Key == ':' || Key == '.' || Key == '-' || Key == ' ' ||
             Key == static_cast<unsigned char>(FormatSettings.DateSeparator) ||
             Key == static_cast<unsigned char>(FormatSettings.TimeSeparator)) {
    if (!typed_.empty()) SelectField(field_ + 1);
  }
}

void TDateTimePicker::TypeDigit(int digit) {
  auto segs = Segments();
  auto editable = EditableSegments(segs);
  if (field_ < 0 || field_ >= static_cast<int>(editable.size())) return;
  const TDateTimeSegment& seg = segs[editable[field_]];
  if (seg.Kind == dfAmPm) return;
  typed_ += static_cast<char>('0' + digit);
  int v = std::stoi(typed_);
  bool twoDigitYear = seg.Kind == dfYear && seg.Run <= 2;
  size_t digits = seg.Kind == dfYear && !twoDigitYear ? 4 : 2;
  int max = seg.Kind == dfYear ? 9999 : seg.Kind == dfHour && seg.TwelveHour ? 12 : FieldMax(value_, seg.Kind);
  if (seg.Kind == dfMonth || seg.Kind == dfDay) max = seg.Kind == dfMonth ? 12 : 31;
  bool complete = typed_.size() >= digits || (seg.Kind != dfYear && v * 10 > max);
  if (seg.Kind == dfYear) {
    if (complete) FlushTyping();  // years count only when complete (or left)
  } else if (v >= FieldMin(seg.Kind) && (v > 0 || !(seg.Kind == dfHour && seg.TwelveHour))) {
    int hour12 = std::clamp(v, 1, 12) % 12 + (FieldValue(value_, dfAmPm) ? 12 : 0);
    UserChange(WithField(value_, seg.Kind, seg.Kind == dfHour && seg.TwelveHour ? hour12 : v));
  }
  if (complete) {
    typed_.clear();
    if (field_ + 1 < static_cast<int>(editable.size())) SelectField(field_ + 1);
  }
  Invalidate();
}

// Leaving a field with a partial year: two digits or fewer follow the
// century window, as when a date is read from text.
void TDateTimePicker::FlushTyping() {
  if (typed_.empty()) return;
  std::string typed = std::move(typed_);
  typed_.clear();
  if (SelectedFieldKind() != dfYear) return;
  int v = std::stoi(typed);
  if (typed.size() <= 2) {
    int pivot = CurrentYear() - FormatSettings.TwoDigitYearCenturyWindow;
    v += pivot / 100 * 100;
    if (v < pivot) v += 100;
  }
  if (v >= 1) UserChange(WithField(value_, dfYear, v));
}

}  // namespace qel
