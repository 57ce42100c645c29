// Column formats: splitting, numbers inside them and default values.
#include "replist/detail/ColumnFormat.h"

#include <cstdint>

#include "framework/QEL_Base.h"
#include "platform/rtl/NumConv.h"
#include "platform/rtl/Utf8.h"
#include "replist/RLData.h"

namespace qel {

TColumnFormatParts SplitColumnFormat(const std::string& Format) {
  TColumnFormatParts p;
  const size_t close = Format.find(']');
  if (close == std::string::npos) {
    p.type.assign(1, 's');
    p.defaultPart = Format;
    return p;
  }
  const size_t open = Format.find('[');
  if (open != std::string::npos && open < close) p.type = Format.substr(open + 1, close - open - 1);
  const size_t second = Format.find(']', close + 1);
  if (second == std::string::npos) {
    p.defaultPart = Format.substr(close + 1);
  } else {
    p.widthPart = Format.substr(close + 1, second - close);
    p.defaultPart = Format.substr(second + 1);
  }
  return p;
}

int FormatNumberAt(const std::string& S, int Pos) {
  const std::string t = Utf8Copy(S, Pos, int(S.size()) + 1);
  size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  int64_t v = 0;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) v = std::min<int64_t>(v * 10 + (t[i] - '0'), INT32_MAX);
  return int(negative ? -v : v);
}

int ColumnFormatWidth(const std::string& Format) {
  const std::string w = SplitColumnFormat(Format).widthPart;
  const int n = w.size() > 1 && w[0] == '[' ? FormatNumberAt(w, 2) : 0;
  return n < 1 ? 200 : n;
}

namespace {

bool ContainsNoCase(const std::string& S, const char* Sub) { return LowerCase(S).find(Sub) != std::string::npos; }

std::string RowIndexText(char Type, int Row, int N) {
  if (Type == 'e' || Type == 'f') return strff(Row, 1, N);
  if (Type == 'h') {
    N = N < 1 ? 1 : N > 8 ? 8 : N;
    const std::string hex = IntToHex(Row, 8);
    return hex.substr(hex.size() - size_t(N));
  }
  // 'i': exactly N digits, higher ones dropped.
  N = N < 1 ? 1 : N > TStringArray::MaxCellLength ? TStringArray::MaxCellLength : N;
  std::string digits = IntToStr(int64_t(Row) < 0 ? -int64_t(Row) : int64_t(Row));
  if (int(digits.size()) < N) digits.insert(0, size_t(N) - digits.size(), '0');
  digits = digits.substr(digits.size() - size_t(N));
  if (Row >= 0) return digits;
  std::string negative = "-";
  return negative += digits;
}

}  // namespace

std::string ColumnFormatDefault(const std::string& Format, int Row) {
  const TColumnFormatParts p = SplitColumnFormat(Format);
  const std::string& d = p.defaultPart;
  // The type letter is the format's second character when it starts with "[".
  const char type = Format.find(']') == std::string::npos ? 's' : Format.size() > 1 && Format[0] == '[' ? Format[1] : 0;
  switch (type) {
    case 's':
      if (!ContainsNoCase(d, "$pwd$")) return d;
      return InventPassword(std::min(FormatNumberAt(d, 6), int(TStringArray::MaxCellLength)));
    case 'c':
    case 'l':
      return d.substr(0, d.find('|'));
    case 'd':
      return d;
    case 'e': case 'f': case 'h': case 'i':
      return ContainsNoCase(d, "rix") ? RowIndexText(type, Row, FormatNumberAt(d, 4)) : d;
    default:
      return "";
  }
}

std::string TRLData::GetCellDefaultValue(int Col, int Row) const {
  if (Col < 1 || Col > nrCols_) return "";
  return ColumnFormatDefault(colFormats_[Col - 1], Row);
}

}  // namespace qel
