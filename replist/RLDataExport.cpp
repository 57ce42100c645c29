// TRLData: clipboard text, HTML export and line import.
#include <algorithm>
#include <fstream>

#include "platform/controls/Application.h"
#include "platform/rtl/NumConv.h"
#include "platform/rtl/TextFile.h"
#include "platform/rtl/Utf8.h"
#include "replist/RLData.h"

namespace qel {

// ------------------------------------------------------------ clipboard ----

namespace {
// Ranges are clipped to the list, so an absurd range cannot build an absurd text.
void ClipRange(int& ColLo, int& RowLo, int& ColHi, int& RowHi, int Cols, int Rows) {
  ColLo = std::max(ColLo, 0);
  RowLo = std::max(RowLo, 1);
  ColHi = std::min(ColHi, Cols);
  RowHi = std::min(RowHi, Rows);
}
}  // namespace

std::string TRLData::ClipboardText(int ColLo, int RowLo, int ColHi, int RowHi, bool WithNames,
                                   std::string_view Separator) const {
  ClipRange(ColLo, RowLo, ColHi, RowHi, nrCols_, nrRows_);
  std::string out;
  if (WithNames) {
    for (int c = ColLo; c <= ColHi; ++c) {
      if (c > ColLo) out += Separator;
      out += GetColName(c);
    }
    out += "\n\n";
  }
  for (int r = RowLo; r <= RowHi; ++r) {
    for (int c = ColLo; c <= ColHi; ++c) {
      if (c > ColLo) out += Separator;
      out += GetElem(c, r);
    }
    out += '\n';
  }
  return out;
}

std::string TRLData::ClipboardText(int ColLo, int RowLo, int ColHi, int RowHi, bool WithNames,
                                   bool TabSeparated) const {
  if (TabSeparated) return ClipboardText(ColLo, RowLo, ColHi, RowHi, WithNames, std::string_view("\t"));
  ClipRange(ColLo, RowLo, ColHi, RowHi, nrCols_, nrRows_);
  // Fixed width: each field one character wider than the longest stored
  // string (check mark included) or name of its column.
  std::vector<int> width;
  for (int c = ColLo; c <= ColHi; ++c) {
    size_t w = WithNames ? Utf8Length(GetColName(c)) : 0;
    for (int r = RowLo; r <= RowHi; ++r) w = std::max(w, Utf8Length(GetRawElem(c, r)));
    width.push_back(int(w) + 1);
  }
  std::string out;
  if (WithNames) {
    for (int c = ColLo; c <= ColHi; ++c) out += LeftString(GetColName(c), width[c - ColLo]);
    out += "\n\n";
  }
  for (int r = RowLo; r <= RowHi; ++r) {
    for (int c = ColLo; c <= ColHi; ++c) out += LeftString(GetElem(c, r), width[c - ColLo]);
    out += '\n';
  }
  return out;
}

void TRLData::CopyToClipBoard(int ColLo, int RowLo, int ColHi, int RowHi, bool WithNames, bool TabSeparated) const {
  Clipboard()->SetAsText(ClipboardText(ColLo, RowLo, ColHi, RowHi, WithNames, TabSeparated));
}

void TRLData::CopyToClipBoard(int ColLo, int RowLo, int ColHi, int RowHi, bool WithNames,
                              std::string_view Separator) const {
  Clipboard()->SetAsText(ClipboardText(ColLo, RowLo, ColHi, RowHi, WithNames, Separator));
}

// ----------------------------------------------------------------- HTML ----

namespace {

std::string HtmlEscape(const std::string& S) {
  std::string r;
  r.reserve(S.size());
  for (size_t i = 0; i < S.size(); i += std::max<size_t>(1, Utf8CharSize(S, i))) {
    const uint32_t cp = Utf8DecodeChar(S, i);
    switch (cp) {
      case '&': r += "&amp;"; break;
      case '<': r += "&lt;"; break;
      case '>': r += "&gt;"; break;
      case '"': r += "&quot;"; break;
      case '\'': r += "&#39;"; break;
      case '\n': r += "<br>"; break;
      default:
        // Control characters have no place in HTML text; invalid bytes
        // become U+FFFD so the document stays valid UTF-8.
        if (cp < 0x20 && cp != '\t') break;
        if (cp >= 0x80 && cp <= 0xFF && Utf8CharSize(S, i) == 1) r += "\uFFFD";
        else r.append(S, i, Utf8CharSize(S, i));
    }
  }
  return r;
}

// A colour for a style attribute: letters, digits and '#' only.
std::string CssColor(const std::string& S) {
  std::string r;
  for (char c : S)
    if (isalnum(static_cast<unsigned char>(c)) || c == '#') r += c;
  return r;
}

std::string Style(const std::string& Color, int Width) {
  std::string s;
  if (Width >= 1) s += "width:" + IntToStr(Width) + "px;";
  if (!CssColor(Color).empty()) s += "background-color:" + CssColor(Color) + ";";
  return s.empty() ? "" : " style=\"" + s + "\"";
}

}  // namespace

void TRLData::ExportHTMLTable(const std::string& FileName, int ColLo, int RowLo, int ColHi, int RowHi,
                              const std::vector<int>& ColWidths, int Border, int CellPadding, int CellSpacing,
                              bool WithNames, const std::string& Title, const std::string& HeaderColor,
                              const std::string& BodyColor) {
  ColLo = std::max(ColLo, 1);
  ColHi = std::min(ColHi, nrCols_);
  RowLo = std::max(RowLo, 1);
  RowHi = std::min(RowHi, nrRows_);
  auto width = [&](int c) { return size_t(c - ColLo) < ColWidths.size() ? ColWidths[c - ColLo] : 0; };
  std::string h = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscape(Title) +
                  "</title>\n</head>\n<body>\n<table border=\"" + IntToStr(std::max(Border, 0)) +
                  "\" cellpadding=\"" + IntToStr(std::max(CellPadding, 0)) + "\" cellspacing=\"" +
                  IntToStr(std::max(CellSpacing, 0)) + "\">\n";
  if (!Title.empty()) h += "<caption>" + HtmlEscape(Title) + "</caption>\n";
  if (WithNames) {
    h += "<tr>";
    for (int c = ColLo; c <= ColHi; ++c) {
      std::string text = GetColName(c);
      BeforeHTMLExport(text, c, 0);
      h += "<th" + Style(HeaderColor, width(c)) + ">" + HtmlEscape(text) + "</th>";
    }
    h += "</tr>\n";
  }
  for (int r = RowLo; r <= RowHi; ++r) {
    h += "<tr>";
    for (int c = ColLo; c <= ColHi; ++c) {
      std::string text = GetElem(c, r);
      BeforeHTMLExport(text, c, r);
      const std::string box = IsCheckColumn(c) ? (GetElemChecked(c, r) ? "\u2611 " : "\u2610 ") : "";
      h += "<td" + Style(BodyColor, WithNames ? 0 : width(c)) + ">" + box + HtmlEscape(text) + "</td>";
    }
    h += "</tr>\n";
  }
  h += "</table>\n</body>\n</html>\n";
  TTextFile f;
  AssignFile(f, FileName);
  Rewrite(f);
  Write(f, h);
  CloseFile(f);
}

// --------------------------------------------------------------- import ----

int TRLData::LoadLinesFromFile(int Col, int Row, const std::string& FileName) {
  Col = std::max(Col, 0);
  Row = std::max(Row, 1);
  std::vector<std::string> lines;
  {
    TTextFile f;
    AssignFile(f, FileName);
    Reset(f);
    while (!Eof(f)) lines.push_back(ReadLn(f));
    CloseFile(f);
  }
  if (lines.empty()) return 0;
  const int64_t lastRow = int64_t(Row) + int64_t(lines.size()) - 1;
  if (lastRow > INT32_MAX) throw EQELError(ReplistErrorMessage("TRLData.LoadLinesFromFile"));
  if (Col > nrCols_) SetNrCols(Col);
  if (lastRow > nrRows_) SetNrRows(int(lastRow));
  for (size_t i = 0; i < lines.size(); ++i) SetElem(Col, Row + int(i), lines[i]);
  return int(lines.size());
}

}  // namespace qel
