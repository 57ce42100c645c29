// DrawText: prefix marks, line and word breaking, tab expansion, placement
// and drawing. One walk over a line's pieces serves both measuring and
// drawing, so what CALCRECT reports is what is drawn.
//
// Sections: prefix marks; lines; pieces; placement and drawing.
#include "platform/stdctrls/DrawText.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qel {
namespace {

constexpr size_t kNone = std::string::npos;
// Positions stay far inside int however long the text.
constexpr int64_t kCoordLimit = 1 << 28;

// Bytes of the UTF-8 sequence starting at s[i] (at least 1, never past the end).
size_t CharLength(const std::string& s, size_t i) {
  unsigned char b = static_cast<unsigned char>(s[i]);
  size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
  return std::min(n, s.size() - i);
}

// A line of text as drawn: prefix marks removed, at most one character underlined.
struct Line {
  std::string text;
  size_t underline = kNone;  // byte offset of the underlined character
  size_t underlineLength = 0;
};

// ------------------------------------------------------ prefix marks ----

// "&&" is a literal '&', "&x" underlines x (the last such mark wins), a
// final lone '&' shows nothing.
Line StripPrefix(const std::string& s) {
  Line out;
  for (size_t i = 0; i < s.size();) {
    if (s[i] != '&') {
      size_t n = CharLength(s, i);
      out.text.append(s, i, n);
      i += n;
      continue;
    }
    if (i + 1 >= s.size()) break;
    if (s[i + 1] == '&') {
      out.text += '&';
      i += 2;
      continue;
    }
    size_t n = CharLength(s, i + 1);
    out.underline = out.text.size();
    out.underlineLength = n;
    out.text.append(s, i + 1, n);
    i += 1 + n;
  }
  return out;
}

// ------------------------------------------------------------- lines ----

std::vector<std::string> Paragraphs(const std::string& text, bool singleLine) {
  std::vector<std::string> out(1);
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      if (singleLine) out.back() += ' ';
      else out.emplace_back();
      continue;
    }
    out.back() += c;
  }
  return out;
}

Line SubLine(const Line& line, size_t start, size_t end) {
  Line out;
  out.text = line.text.substr(start, end - start);
  if (line.underline != kNone && line.underline >= start && line.underline < end) {
    out.underline = line.underline - start;
    out.underlineLength = line.underlineLength;
  }
  return out;
}

// ------------------------------------------------------------ pieces ----

struct Measure {
  TCanvas* canvas;
  int tabStop;  // 0: tabs are not expanded
};

// Calls Piece(x, text, underlined) for each run of Line that is drawn in
// one go (split at tabs and around the underlined character); returns the
// line's width.
template <class F>
int WalkLine(const Measure& m, const Line& line, F&& Piece) {
  int64_t x = 0;
  size_t start = 0;
  auto flush = [&](size_t end, bool underlined) {
    if (end <= start) return;
    std::string part = line.text.substr(start, end - start);
    Piece(static_cast<int>(x), part, underlined);
    x = std::min(x + m.canvas->TextWidth(part), kCoordLimit);
    start = end;
  };
  for (size_t i = 0; i < line.text.size();) {
    if (i == line.underline) {
      flush(i, false);
      flush(i + line.underlineLength, true);
      i = start;
      continue;
    }
    if (m.tabStop > 0 && line.text[i] == '\t') {
      flush(i, false);
      x = std::min((x / m.tabStop + 1) * m.tabStop, kCoordLimit);
      start = ++i;
      continue;
    }
    i += CharLength(line.text, i);
  }
  flush(line.text.size(), false);
  return static_cast<int>(x);
}

int LineWidth(const Measure& m, const Line& line) {
  return WalkLine(m, line, [](int, const std::string&, bool) {});
}

// Greedy breaking at spaces: as many words as fit in MaxWidth; a word that
// does not fit alone keeps a line of its own. Spaces at a break vanish.
void BreakWords(const Measure& m, const Line& paragraph, int maxWidth, std::vector<Line>& out) {
  const std::string& t = paragraph.text;
  size_t start = 0;
  do {
    size_t fitting = kNone;
    for (size_t end = start; end <= t.size(); ++end) {
      bool wordEnd = end == t.size() || (t[end] == ' ' && end > start && t[end - 1] != ' ');
      if (!wordEnd) continue;
      bool fits = LineWidth(m, SubLine(paragraph, start, end)) <= maxWidth;
      if (fitting != kNone && !fits) break;
      fitting = end;
      if (!fits) break;
    }
    if (fitting == kNone) fitting = t.size();
    out.push_back(SubLine(paragraph, start, fitting));
    start = fitting;
    while (start < t.size() && t[start] == ' ') ++start;
  } while (start < t.size());
}

std::vector<Line> LayOut(const Measure& m, const std::string& text, const TRect& rect, unsigned flags) {
  std::vector<Line> lines;
  if (text.empty()) return lines;
  bool wrap = (flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE);
  for (const std::string& p : Paragraphs(text, flags & DT_SINGLELINE)) {
    Line line = (flags & DT_NOPREFIX) ? Line{p} : StripPrefix(p);
    if (wrap) BreakWords(m, line, rect.Width(), lines);
    else lines.push_back(std::move(line));
  }
  return lines;
}

// ----------------------------------------------- placement and drawing ----

void DrawLine(const Measure& m, const Line& line, int x, int y, int height, const TRect* clip) {
  TCanvas* c = m.canvas;
  TBrush* brush = c->Brush();
  TBrushStyle brushStyle = brush->GetStyle();
  if (brushStyle == bsSolid) {
    TRect cell{x, y, x + LineWidth(m, line), y + height};
    c->FillRect(clip ? IntersectRect(cell, *clip) : cell);
  }
  brush->SetStyle(bsClear);
  TFont* font = c->Font();
  TFontStyles style = font->GetStyle();
  WalkLine(m, line, [&](int px, const std::string& part, bool underlined) {
    if (underlined) font->SetStyle(style + TFontStyles{fsUnderline});
    if (clip) c->TextRect(*clip, x + px, y, part);
    else c->TextOut(x + px, y, part);
    if (underlined) font->SetStyle(style);
  });
  brush->SetStyle(brushStyle);
}

}  // namespace

int DrawText(TCanvas* Canvas, const std::string& Text, TRect& Rect, unsigned Flags) {
  if (!Canvas) return 0;
  Measure m{Canvas, (Flags & DT_EXPANDTABS) ? std::max(1, 8 * Canvas->TextWidth("x")) : 0};
  std::vector<Line> lines = LayOut(m, Text, Rect, Flags);
  int lineHeight = Canvas->TextHeight("Ag");
  int height = static_cast<int>(std::min<int64_t>(int64_t(lines.size()) * lineHeight, kCoordLimit));
  if (Flags & DT_CALCRECT) {
    int width = 0;
    for (const Line& line : lines) width = std::max(width, LineWidth(m, line));
    Rect.Right = Rect.Left + width;
    Rect.Bottom = Rect.Top + height;
    return height;
  }
  int y = Rect.Top;
  if (Flags & DT_SINGLELINE) {
    if (Flags & DT_VCENTER) y = Rect.Top + (Rect.Height() - height) / 2;
    else if (Flags & DT_BOTTOM) y = Rect.Bottom - height;
  }
  const TRect* clip = (Flags & DT_NOCLIP) ? nullptr : &Rect;
  for (const Line& line : lines) {
    if (y >= kCoordLimit) break;
    int x = Rect.Left;
    if (Flags & (DT_CENTER | DT_RIGHT)) {
      int free = Rect.Width() - LineWidth(m, line);
      x += (Flags & DT_CENTER) ? free / 2 : free;
    }
    DrawLine(m, line, x, y, lineHeight, clip);
    y += lineHeight;
  }
  bool placed = (Flags & DT_SINGLELINE) && (Flags & (DT_VCENTER | DT_BOTTOM));
  return placed ? y - Rect.Top : height;
}

}  // namespace qel
