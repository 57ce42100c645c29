// TNumIO2, the custom-drawn numeric field: properties, text and value.
#include <algorithm>
#include <climits>
#include <cmath>

#include "numeric/QEL_NumIO.h"
#include "platform/controls/Application.h"
#include "platform/rtl/FormatSettings.h"

namespace qel {

TNumIO2::TNumIO2(TComponent* AOwner)
    : TCustomControl(AOwner), buffer_(std::make_unique<TBitmap>()), timer_([this](uintptr_t) { CaretTick(); }, this) {
  SetTabStop(true);
  controlStyle_.Include(csOpaque);  // Paint covers every pixel
  TCustomControl::SetBounds(0, 0, 160, 28);
  RestartCaretTimer();
  constructing_ = false;
}

TNumIO2::~TNumIO2() = default;

void TNumIO2::CreateWnd() {
  TCustomControl::CreateWnd();
  windowNotCreated_ = false;
}

// -------------------------------------------------------------- validity ----

namespace {

int32_t ScanDigits(TInFormat Format, const std::string& Text, int& Pos) {
  switch (Format) {
    case itHex: return ScanHex(Text, Pos);
    case itOct: return ScanOct(Text, Pos);
    default: return ScanBin(Text, Pos);
  }
}

// Whether all after a one-character prefix are digits of Format (at least
// one), read in place: a copy of a long text would cost more than the check.
// The scanners skip blanks first, so a blank there is refused before.
bool DigitsAfterPrefix(TInFormat Format, const std::string& Text) {
  if (Text.size() < 2 || Text[1] == ' ') return false;
  int pos = 2;
  ScanDigits(Format, Text, pos);
  return pos == int(Text.size()) + 1;
}

}  // namespace

bool TNumIO2::CheckValidity(const std::string& Text) const {
  switch (inputFormat_) {
    case itExp: return IsValidExpStr(Text, true, decPlaceSep_);
    case itFloat: return IsValidFloatStr(Text, decPlaceSep_);
    case itFixPoint:  // the separator of the mode, which need not be the point
      return IsValidFloatStr(Text, decPlaceSep_) &&
             DecimalSepPos(Text, ResolveTypingSepMode(decPlaceSep_)) == int(Text.size()) - fixPointDecPlaces_;
    case itInt: return IsValidIntStr(Text);
    case itHex: return IsValidHexStr(Text);
    case itOct: return IsValidOctStr(Text);
    case itBin: return IsValidBinStr(Text);
    default: break;
  }
  if (Text.empty()) return false;
  if (HasDynamicPrefix(Text)) return DigitsAfterPrefix(DynamicFormatOf(Text), Text);
  return IsValidFloatStr(Text, decPlaceSep_);
}

bool TNumIO2::TextIsValid() const {
  const TDecPSep mode = ResolveTypingSepMode(decPlaceSep_);
  auto& m = validityMemo_;
  if (m.version != textVersion_ || m.format != inputFormat_ || m.mode != mode || m.decPlaces != fixPointDecPlaces_)
    m = {textVersion_, inputFormat_, mode, fixPointDecPlaces_, CheckValidity(text_)};
  return m.valid;
}

void TNumIO2::SetText(const std::string& v) {
  if (v == text_ || !(v.empty() || CheckValidity(v))) return;
  text_ = v;
  TextChanged();
  caret_ = selBegin_ = selEnd_ = 0;
  Redraw();
}

// ----------------------------------------------------------------- value ----

namespace {

// Signed decimal digits as an int32; 2147483647 when they do not fit.
double DecimalIntValue(const std::string& Text) {
  bool negative = Text[0] == '-';
  size_t start = (Text[0] == '-' || Text[0] == '+') ? 1 : 0;
  int64_t v = 0;
  for (size_t i = start; i < Text.size(); ++i) {
    v = v * 10 + (Text[i] - '0');
    if (v > int64_t(INT_MAX) + 1) return INT_MAX;
  }
  if (negative) v = -v;
  return v > INT_MAX || v < INT_MIN ? INT_MAX : double(v);
}

double DigitsValue(TInFormat Format, const std::string& Text) {
  int pos = 1;
  return ScanDigits(Format, Text, pos);
}

}  // namespace

double TNumIO2::GetValue() const {
  auto& m = valueMemo_;
  if (m.version != textVersion_ || m.format != inputFormat_) m = {textVersion_, inputFormat_, ReadValue()};
  return m.value;
}

double TNumIO2::ReadValue() const {
  int pos = 1;
  switch (inputFormat_) {
    case itInt: return IsValidIntStr(text_) ? DecimalIntValue(text_) : 0;
    case itHex: case itOct: case itBin: return DigitsValue(inputFormat_, text_);
    case itDynamic:
      if (text_.empty()) return 0;
      if (HasDynamicPrefix(text_)) return DigitsValue(DynamicFormatOf(text_), text_.substr(1));
      return ScanFloat(text_, true, dsBoth, pos);
    default: return ScanFloat(text_, true, dsBoth, pos);
  }
}

// The writers use the point; a field whose separator is the comma shows the
// comma instead, or its own text would refuse every key.
std::string TNumIO2::FormatValue(double v) const {
  int64_t rounded = RoundHalfEven(v);
  const TDecPSep mode = ResolveTypingSepMode(decPlaceSep_);
  switch (inputFormat_) {
    case itExp: return WithDecimalSep(NumToText(v, significantDigits_ + 6, -2), mode);
    case itFloat: case itFixPoint: return WithDecimalSep(NumToText(v, 1, fixPointDecPlaces_), mode);
    case itHex: return HexDigits(rounded, 8);
    case itOct: return OctDigits(rounded, 11);
    case itBin: return BinDigits(rounded, 32);
    default: return std::to_string(rounded);
  }
}

void TNumIO2::SetValue(double v) {
  text_ = FormatValue(v);
  TextChanged();
  Redraw();
}

bool TNumIO2::OutOfRange() const {
  double v = GetValue();
  return v < rangeLow_ || v > rangeHigh_;
}

int32_t TNumIO2::GetNioIntValue() const {
  double v = GetValue();
  if (v > 2147483647.0 || v < -2147483648.0) throw EQELNumIO2Error(ComponentErrorMessage(GetName(), ": integer overflow"));
  return static_cast<int32_t>(RoundHalfEven(v));
}

// ------------------------------------------------------- format settings ----

void TNumIO2::SetInputFormat(TInFormat v) {
  if (v == inputFormat_) return;
  double value = GetValue();
  inputFormat_ = v;
  SetValue(value);
}

// A new precision writes the value again with it (SetValue repaints).
void TNumIO2::SetFixPointDecPlaces(int v) {
  if (v > 0 && SetProperty(fixPointDecPlaces_, std::min(v, 15), TRefresh::None)) SetValue(GetValue());
}

void TNumIO2::SetSignificantDigits(int v) {
  if (v > 0 && SetProperty(significantDigits_, std::min(v, 15), TRefresh::None)) SetValue(GetValue());
}

namespace {
char SepCharOf(TDecPSep Mode) {
  if (Mode == dsSystem) return FormatSettings.DecimalSeparator;
  return Mode == dsComma ? ',' : '.';
}
}  // namespace

// Turns the separators in the text into the new mode's character.
void TNumIO2::SetDecPlaceSep(TDecPSep v) {
  if (v == decPlaceSep_) return;
  if (v != dsBoth) {
    char to = SepCharOf(v), from = SepCharOf(decPlaceSep_);
    if (decPlaceSep_ == dsBoth) {
      std::replace(text_.begin(), text_.end(), '.', to);
      std::replace(text_.begin(), text_.end(), ',', to);
    } else if (from != to) {
      std::replace(text_.begin(), text_.end(), from, to);
    }
  }
  TextChanged();
  decPlaceSep_ = v;
  Redraw();
}

void TNumIO2::SetRangeLow(double v) {
  rangeLow_ = v;
  if (rangeHigh_ < v) rangeHigh_ = v;
  Redraw();
}

void TNumIO2::SetRangeHigh(double v) {
  rangeHigh_ = v;
  if (rangeLow_ > v) rangeLow_ = v;
  Redraw();
}

void TNumIO2::SetReadOnly(bool v) {
  if (v == readOnly_) return;
  readOnly_ = v;
  if (v) {
    timer_.Stop(1);
    caretVisible_ = false;
  } else {
    RestartCaretTimer();
  }
  Redraw();
}

// ------------------------------------------------------- plain properties ----

void TNumIO2::SetHideSelection(bool v) { SetProperty(hideSelection_, v, TRefresh::Paint); }
void TNumIO2::SetAutoSize(bool v) { SetProperty(autoSize_, v, TRefresh::Paint); }
void TNumIO2::SetAlignment(TAlignment v) { SetProperty(alignment_, v, TRefresh::Paint); }
void TNumIO2::SetLeftText(const std::string& v) { SetProperty(leftText_, v, TRefresh::Paint); }
void TNumIO2::SetRightText(const std::string& v) { SetProperty(rightText_, v, TRefresh::Paint); }
void TNumIO2::SetLeftTextAlignment(TAlignment v) { SetProperty(leftTextAlignment_, v, TRefresh::Paint); }
void TNumIO2::SetRightTextAlignment(TAlignment v) { SetProperty(rightTextAlignment_, v, TRefresh::Paint); }
void TNumIO2::SetTextBoxWidth(int v) { SetProperty(textBoxWidth_, v, TRefresh::Paint); }
void TNumIO2::SetFrameStyle(TFrameStyle v) { SetProperty(frameStyle_, v, TRefresh::Paint); }
void TNumIO2::SetButVisible(bool v) { SetProperty(butVisible_, v, TRefresh::Paint); }
void TNumIO2::SetBut3D(bool v) { SetProperty(but3D_, v, TRefresh::Paint); }
void TNumIO2::SetButColor(TColor v) { SetProperty(butColor_, v, TRefresh::Paint); }
void TNumIO2::SetButIncrem(double v) { SetProperty(butIncrem_, v, TRefresh::Paint); }
void TNumIO2::SetGaugeVisible(bool v) { SetProperty(gaugeVisible_, v, TRefresh::Paint); }
void TNumIO2::SetGaugeFrameStyle(TFrameStyle v) { SetProperty(gaugeFrameStyle_, v, TRefresh::Paint); }
void TNumIO2::SetGaugeColor(TColor v) { SetProperty(gaugeColor_, v, TRefresh::Paint); }
void TNumIO2::SetGaugeColorBg(TColor v) { SetProperty(gaugeColorBg_, v, TRefresh::Paint); }
void TNumIO2::SetGaugeColorFrame(TColor v) { SetProperty(gaugeColorFrame_, v, TRefresh::Paint); }
void TNumIO2::SetColorBoxBG(TColor v) { SetProperty(colorBoxBG_, v, TRefresh::Paint); }
void TNumIO2::SetColorBoxText(TColor v) { SetProperty(colorBoxText_, v, TRefresh::Paint); }
void TNumIO2::SetColorOutBG(TColor v) { SetProperty(colorOutBG_, v, TRefresh::Paint); }
void TNumIO2::SetColorOutText(TColor v) { SetProperty(colorOutText_, v, TRefresh::Paint); }

// The warn colours are stored without comparing.
void TNumIO2::SetColorWarnBG(TColor v) { SetProperty(colorWarnBG_, v, TRefresh::Paint, TStore::Always); }
void TNumIO2::SetColorWarnText(TColor v) { SetProperty(colorWarnText_, v, TRefresh::Paint, TStore::Always); }

void TNumIO2::SetColorScheme(TColorScheme v) {
  if (scheme_.Set(v)) Redraw();
}

// ------------------------------------------------------ clamped geometry ----

void TNumIO2::SetLeftSpace(int v) {
  if (v < 0) return;
  SetProperty(leftSpace_, std::min(v, GetWidth()), TRefresh::Paint);
}

void TNumIO2::SetButWidth(int v) {
  SetProperty(butWidth_, std::clamp(v, 8, 50), TRefresh::Paint);
}

void TNumIO2::SetButHeight(int v) {
  SetProperty(butHeight_, std::min(std::max(v, 18), GetHeight()), TRefresh::Paint);
}

void TNumIO2::SetButSpace(int v) {
  SetProperty(butSpace_, std::clamp(v, 0, 50), TRefresh::Paint);
}

void TNumIO2::SetGaugeHeight(int v) {
  SetProperty(gaugeHeight_, std::max(std::min(v, GetHeight() - gaugeTopMargin_ - 18), 3), TRefresh::Paint);
}

void TNumIO2::SetGaugeWidth(int v) {
  SetProperty(gaugeWidth_, std::min(std::max(v, 10), GetWidth() - gaugeLeftMargin_), TRefresh::Paint);
}

void TNumIO2::SetGaugeLeftMargin(int v) {
  SetProperty(gaugeLeftMargin_, std::max(std::min(v, GetWidth() - gaugeWidth_), 0), TRefresh::Paint);
}

void TNumIO2::SetGaugeTopMargin(int v) {
  SetProperty(gaugeTopMargin_, std::max(std::min(v, GetHeight() - gaugeHeight_ - 18), 0), TRefresh::Paint);
}

void TNumIO2::SetEnabled(bool v) {
  if (v == GetEnabled()) return;
  TCustomControl::SetEnabled(v);
  Refresh();
}

// Height has a minimum of 18 and carries ButHeight down with it.
void TNumIO2::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AHeight = std::max(AHeight, 18);
  if (butHeight_ > AHeight) butHeight_ = AHeight;
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

// -------------------------------------------------------------- selection ----

void TNumIO2::SetSelBegin(int Pos) {
  Pos = std::clamp(Pos, 0, int(text_.size()));
  selBegin_ = caret_ = Pos;
  selEnd_ = std::max(selEnd_, Pos);
  Redraw();
}

void TNumIO2::SetSelEnd(int Pos) {
  Pos = std::clamp(Pos, 0, int(text_.size()));
  selEnd_ = caret_ = Pos;
  selBegin_ = std::min(selBegin_, Pos);
  Redraw();
}

// ----------------------------------------------------------------- assign ----

void TNumIO2::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TNumIO2*>(Source);
  if (!s) return TCustomControl::Assign(Source);
  leftSpace_ = s->leftSpace_, textBoxWidth_ = s->textBoxWidth_;
  fixPointDecPlaces_ = s->fixPointDecPlaces_, significantDigits_ = s->significantDigits_;
  leftText_ = s->leftText_, rightText_ = s->rightText_, frameStyle_ = s->frameStyle_;
  alignment_ = s->alignment_, rightTextAlignment_ = s->rightTextAlignment_;
  leftTextAlignment_ = s->leftTextAlignment_;
  colorBoxBG_ = s->colorBoxBG_, colorBoxText_ = s->colorBoxText_;
  colorOutBG_ = s->colorOutBG_, colorOutText_ = s->colorOutText_;
  scheme_ = s->scheme_;
  inputFormat_ = s->inputFormat_, text_ = s->text_, caret_ = s->caret_, caretVisible_ = s->caretVisible_;
  colorWarnBG_ = s->colorWarnBG_, colorWarnText_ = s->colorWarnText_;
  selBegin_ = s->selBegin_, selEnd_ = s->selEnd_, decPlaceSep_ = s->decPlaceSep_;
  shiftDown_ = s->shiftDown_, ctrlDown_ = s->ctrlDown_, hideSelection_ = s->hideSelection_;
  rangeHigh_ = s->rangeHigh_, rangeLow_ = s->rangeLow_, beep_ = s->beep_;
  readOnly_ = s->readOnly_, autoSize_ = s->autoSize_;
  TextChanged();
  if (readOnly_) {  // a read-only copy shows no caret
    timer_.Stop(1);
    caretVisible_ = false;
  }
  Redraw();
}

void TNumIO2::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TNumIO2*>(Dest)) return d->Assign(this);
  TCustomControl::AssignTo(Dest);
}

}  // namespace qel
