// TNumIO: the platform edit with validation on every change.
#include <algorithm>
#include <cctype>

#include "numeric/QEL_NumIO.h"
#include "platform/controls/Application.h"
#include "platform/rtl/FormatSettings.h"

namespace qel {

TNumIO::TNumIO(TComponent* AOwner) : TCustomEdit(AOwner) {
  if (AOwner && AOwner->ComponentState().Contains(csDesigning)) {
    rangeLow_ = -uc_MaxDouble;
    rangeHigh_ = uc_MaxDouble;
  }
}

// ------------------------------------------------------------ properties ----

void TNumIO::SetInputFormat(TInFormat v) {
  if (v == inputFormat_) return;
  inputFormat_ = v;
  Revalidate();
}

void TNumIO::SetRangeLow(double v) {
  if (v >= rangeHigh_) {
    rangeLow_ = rangeHigh_;
    rangeHigh_ = v;
  } else {
    rangeLow_ = v;
  }
  Revalidate();
}

void TNumIO::SetRangeHigh(double v) {
  if (v <= rangeLow_) {
    rangeHigh_ = rangeLow_;
    rangeLow_ = v;
  } else {
    rangeHigh_ = v;
  }
  Revalidate();
}

void TNumIO::SetDecPlaceSep(TDecPSep v) {
  if (v == decPlaceSep_) return;
  decPlaceSep_ = v;
  Revalidate();
}

void TNumIO::SetFixPointDecPlaces(int v) { fixPointDecPlaces_ = std::clamp(v, 1, 8); }

// ------------------------------------------------------------ conversion ----

namespace {

// The commit conversion's separator: the comma only when the system uses it.
TDecPSep CommitSepMode(TDecPSep Mode) {
  if (Mode != dsSystem) return Mode;
  return FormatSettings.DecimalSeparator == ',' ? dsComma : dsPoint;
}

// The whole text must be digits of the base; a '$' prefix goes with hex only.
bool ConvertDigits(const std::string& Digits, TInFormat Format, double& Value) {
  int pos = 1;
  switch (Format) {
    case itHex:
      if (!IsValidHexStr(Digits)) return false;
      Value = ScanHex(Digits, pos);
      return true;
    case itOct:
      if (!IsValidOctStr(Digits)) return false;
      Value = ScanOct(Digits, pos);
      return true;
    default:
      if (!IsValidBinStr(Digits)) return false;
      Value = ScanBin(Digits, pos);
      return true;
  }
}

// '1.5e' and '1.5e-' stand for 1.5 while the exponent is being typed.
std::string WithoutOpenExponent(std::string S) {
  size_t n = S.size();
  if (n >= 1 && S[n - 1] == 'e') S.resize(n - 1);
  else if (n >= 2 && S[n - 2] == 'e' && (S[n - 1] == '+' || S[n - 1] == '-')) S.resize(n - 2);
  return S;
}

}  // namespace

bool TNumIO::ConvertNumString(const std::string& Text, double& Value) const {
  if (Text.empty()) return false;
  Value = 0;
  TDecPSep mode = CommitSepMode(decPlaceSep_);
  std::string s = Text.substr(std::min(Text.find_first_not_of(' '), Text.size()));
  if (s.find(' ') != std::string::npos) return false;
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  if (s.empty()) return true;
  TInFormat format = inputFormat_ == itDynamic ? DynamicFormatOf(s) : inputFormat_;
  if (format == itHex || format == itOct || format == itBin) {
    bool prefixed = inputFormat_ == itDynamic;
    return ConvertDigits(prefixed ? s.substr(1) : s, format, Value);
  }
  int pos = 1;
  if (format == itExp) {
    s = WithoutOpenExponent(s);
    Value = ScanFloat(s, true, mode, pos);
  } else if (format == itInt) {
    Value = ScanDecInt(s, pos);
  } else {
    Value = ScanFloat(s, false, mode, pos);
  }
  return pos == static_cast<int>(s.size()) + 1;
}

// Lenient: the first separator of the other kind counts as the field's own,
// so '3,' reads as 3 in point mode and '3.5' as 3.5 in comma mode.
double TNumIO::GetLabValue() {
  std::string s = GetText();
  const bool comma = CommitSepMode(decPlaceSep_) == dsComma;
  const char own = comma ? ',' : '.', other = comma ? '.' : ',';
  if (size_t i = s.find(other); i != std::string::npos) s[i] = own;
  if (!s.empty() && s.back() == own) s += '0';
  double v = 0;
  return ConvertNumString(s, v) ? v : 0;
}

// Texts carry the separator the field converts with, so that the field
// accepts its own text in comma mode too.
void TNumIO::SetLabValue(double Value) {
  const TDecPSep mode = CommitSepMode(decPlaceSep_);
  int64_t rounded = RoundHalfEven(Value);
  switch (inputFormat_) {
    case itFloat: SetEditText(WithDecimalSep(NumToText(Value, 1, 8), mode)); break;
    case itFixPoint: SetEditText(WithDecimalSep(NumToText(Value, 1, fixPointDecPlaces_), mode)); break;
    case itInt: SetEditText(NumToText(Value, 1, 0)); break;
    case itHex: SetEditText(HexDigits(rounded, 8)); break;
    case itOct: SetEditText(OctDigits(rounded, 8)); break;
    case itBin: SetEditText(BinDigits(rounded, 8)); break;
    default: SetEditText(WithDecimalSep(NumToText(Value, 12, -2), mode)); break;
  }
}

// The program's text is one a refused change may go back to. The flag is
// only raised when a change notification will follow: setting the same text
// again sends none and would leave it raised for the user's next change.
void TNumIO::SetEditText(const std::string& Text) {
  lastValid_ = Text;
  if (Text == GetText()) return;
  programmatic_ = true;
  SetText(Text);
  programmatic_ = false;
}

// ------------------------------------------------------------ validation ----

void TNumIO::Change() {
  if (programmatic_) {
    programmatic_ = false;
    return;
  }
  if (ComponentState().Contains(csDesigning)) return;
  Validate();
}

void TNumIO::Revalidate() {
  lastValid_.clear();
  if (!ComponentState().Contains(csDesigning)) Validate();
}

// Fixed point: a text without its separator or with a second one goes back
// to the last valid text, and decimals beyond the count are cut off (Cut).
// Returns the caret to use.
int TNumIO::FixPointCaretFix(const std::string& Text, int Caret, std::string& R, bool& Replace, bool& Cut) const {
  const TDecPSep mode = CommitSepMode(decPlaceSep_);
  const int p = DecimalSepPos(Text, mode);
  const int second = p == 0 ? 0 : DecimalSepPos(Text, mode, p + 1);
  const int lastP = DecimalSepPos(lastValid_, mode);
  if (p == 0) {
    R = lastValid_;
    Caret = lastP > 1 ? lastP - 1 : lastP;
    Replace = true;
  } else if (second != 0) {
    R = lastValid_;
    Caret = lastP;
    Replace = true;
  }
  if (static_cast<int>(Text.size()) - p > fixPointDecPlaces_) {
    R = Text.substr(0, size_t(p + fixPointDecPlaces_));
    Replace = true;
    Cut = p > 0 && second == 0;
  }
  return Caret;
}

void TNumIO::Validate() {
  const std::string text = GetText();
  const int oldCaret = GetSelStart();
  int caret = oldCaret;
  std::string r;
  bool replace = false, cut = false;
  if (inputFormat_ == itFixPoint) caret = FixPointCaretFix(text, caret, r, replace, cut);
  // A typed extra decimal is dropped, not rounded into the ones kept.
  double value = 0;
  bool ok = ConvertNumString(cut ? r : text, value);
  if (ok && inputFormat_ == itFixPoint) {
    r = WithDecimalSep(NumToText(value, 1, fixPointDecPlaces_), CommitSepMode(decPlaceSep_));
    replace = true;
  }
  if (ok && ((value >= rangeLow_ && value <= rangeHigh_) || value == 0)) {
    lastValid_ = replace ? r : text;  // what the field will show, so a restore shows a valid text
    TCustomEdit::Change();
  } else {
    r = lastValid_;
    caret = std::max(oldCaret - 1, 0);
    Invalidate();
    if (beep_) MessageBeep(MB_OK);
    replace = true;
  }
  if (!replace) return;
  SetEditText(r);
  SetSelStart(std::min(caret, static_cast<int>(GetText().size())));
}

// ----------------------------------------------------------------- assign ----

void TNumIO::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TNumIO*>(Source);
  if (!src) return TCustomEdit::Assign(Source);
  inputFormat_ = src->inputFormat_;
  beep_ = src->beep_;
  rangeLow_ = src->rangeLow_;
  rangeHigh_ = src->rangeHigh_;
  decPlaceSep_ = src->decPlaceSep_;
}

void TNumIO::AssignTo(TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TNumIO*>(Dest)) return dst->Assign(this);
  TCustomEdit::AssignTo(Dest);
}

}  // namespace qel
