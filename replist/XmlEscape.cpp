#include "replist/detail/XmlEscape.h"

#include <charconv>
#include <cstdint>

namespace qel {
namespace {

// Length of a valid UTF-8 sequence at I whose code point XML allows; 0 if none.
size_t XmlCharLength(const std::string& S, size_t I) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(S[k]); };
  const unsigned char c = b(I);
  size_t n;
  uint32_t cp;
  if (c < 0x80) return (c >= 0x20 || c == 0x09 || c == 0x0A || c == 0x0D) ? 1 : 0;
  if (c >= 0xC2 && c <= 0xDF) { n = 2; cp = c & 0x1F; }
  else if (c >= 0xE0 && c <= 0xEF) { n = 3; cp = c & 0x0F; }
  else if (c >= 0xF0 && c <= 0xF4) { n = 4; cp = c & 0x07; }
  else return 0;
  if (I + n > S.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((b(I + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(I + k) & 0x3F);
  }
  const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
  if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE || cp == 0xFFFF) return 0;
  return n;
}

void AppendEscaped(std::string& Out, const std::string& Text, bool InAttribute) {
  size_t i = 0;
  while (i < Text.size()) {
    const char c = Text[i];
    switch (c) {
      case '&': Out += "&amp;"; ++i; continue;
      case '<': Out += "&lt;"; ++i; continue;
      case '>': Out += "&gt;"; ++i; continue;
      case '"': Out += "&quot;"; ++i; continue;
      case '\'': Out += "&apos;"; ++i; continue;
      case '\t': Out += "&#9;"; ++i; continue;
      case '\n': Out += "&#10;"; ++i; continue;
      case '\r': Out += "&#13;"; ++i; continue;
      default: break;
    }
    const size_t n = XmlCharLength(Text, i);
    if (n > 0) {
      Out.append(Text, i, n);
      i += n;
      continue;
    }
    if (!InAttribute) {
      char num[4];
      auto res = std::to_chars(num, num + 4, static_cast<unsigned char>(c));
      Out += "<byte v=\"";
      Out.append(num, res.ptr);
      Out += "\"/>";
    }
    ++i;
  }
}

}  // namespace

void AppendXmlText(std::string& Out, const std::string& Text) { AppendEscaped(Out, Text, false); }
void AppendXmlAttribute(std::string& Out, const std::string& Text) { AppendEscaped(Out, Text, true); }

}  // namespace qel
