// TRLData: reading an XML block. The block is found line by line as
// CheckIfValidReplist finds it, fed to expat line by line up to its
// "</replist>", and read into a fresh object that replaces the content only
// when everything was well formed. The fresh object takes the declared size
// only once the bytes read so far back it (replist/XmlBudget.h); elements
// that arrive before wait in a list.
#include <expat.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/QEL_Base.h"
#include "platform/rtl/NumConv.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Utf8.h"
#include "replist/RLData.h"
#include "replist/detail/XmlBudget.h"
#include "replist/detail/XmlEscape.h"
#include "replist/detail/XmlLines.h"

namespace qel {

const char* RepListXmlTagName(TRepListXmlTag Tag) {
  static const char* const kNames[] = {"numcols", "numrows", "colname", "checkedcolumn", "commonheader",
                                       "columnformat", "cell", "comment", "/replist", "invalidtag"};
  return Tag <= xmlInvalid ? kNames[Tag] : kNames[xmlInvalid];
}

TRepListXmlTag RepListXmlTagOf(std::string_view Name) {
  if (Name == "cell") return xmlCell;  // by far the most frequent
  for (int t = xmlNumCols; t < xmlInvalid; ++t)
    if (Name == RepListXmlTagName(TRepListXmlTag(t))) return TRepListXmlTag(t);
  return xmlInvalid;
}

class TRLDataXmlReader {
 public:
  TRLDataXmlReader(TRLData& Target, const std::string& DataID) : target_(Target), id_(DataID) {}
  void Read(TLineSource& Lines);

 private:
  TRLData& target_;
  std::string id_;
  TRLData fresh_{nullptr};
  XML_Parser parser_ = nullptr;
  int firstLine_ = 0;  // source line of the block's first line
  int depth_ = 0;
  TRepListXmlTag tag_ = xmlInvalid;
  int col_ = -1, row_ = -1;
  int cellCol_ = 0, cellRow_ = 0;  // position of the previous cell
  std::string text_;
  int numCols_ = -1, numRows_ = -1;
  bool dimensionsSet_ = false;
  bool idSeen_ = false;
  int64_t blockBytes_ = 0;  // fed to the parser so far
  std::string error_;
  struct TItem {
    TRepListXmlTag tag;
    int col, row, value;
    std::string text;
  };
  std::vector<TItem> pending_;  // read before the declared size was backed

  [[noreturn]] void Fail(const std::string& Reason, int Line) const;
  void Feed(const char* Data, size_t Size, bool Final);
  void Stop(const std::string& Reason);
  void Start(const char* Name, const char** Attrs);
  void End();
  void Text(const char* S, int Len);
  void Apply();
  bool TakeDimensions(int64_t BytesRead);
  void Store(TItem& Item);
  void Commit();

  static void OnStart(void* Self, const XML_Char* Name, const XML_Char** Attrs) {
    static_cast<TRLDataXmlReader*>(Self)->Start(Name, Attrs);
  }
  static void OnEnd(void* Self, const XML_Char*) { static_cast<TRLDataXmlReader*>(Self)->End(); }
  static void OnText(void* Self, const XML_Char* S, int Len) { static_cast<TRLDataXmlReader*>(Self)->Text(S, Len); }
};

void TRLDataXmlReader::Fail(const std::string& Reason, int Line) const {
  throw EQELRLDataError(ReplistErrorMessage("TRLData XML block \"" + id_ + "\", line " + IntToStr(Line) + ": " + Reason));
}

void TRLDataXmlReader::Stop(const std::string& Reason) {
  if (error_.empty()) error_ = Reason;
  XML_StopParser(parser_, XML_FALSE);
}

namespace {
// A decimal integer, blanks around it allowed, within the int range.
bool ReadInt(const char* S, int& V) {
  while (*S == ' ' || *S == '\n' || *S == '\t' || *S == '\r') ++S;
  const bool negative = *S == '-';
  if (*S == '-' || *S == '+') ++S;
  if (*S < '0' || *S > '9') return false;
  int64_t v = 0;
  for (; *S >= '0' && *S <= '9'; ++S)
    if ((v = v * 10 + (*S - '0')) > INT32_MAX) return false;
  while (*S == ' ' || *S == '\n' || *S == '\t' || *S == '\r') ++S;
  if (*S) return false;
  V = int(negative ? -v : v);
  return true;
}
bool ReadInt(const std::string& S, int& V) { return S.find('\0') == std::string::npos && ReadInt(S.c_str(), V); }

// Position of "</replist" (any case) at or after From, npos if none.
size_t FindEndTag(const std::string& Line, size_t From) {
  static const char kTag[] = "</replist";
  for (size_t at = Line.find("</", From); at != std::string::npos; at = Line.find("</", at + 2)) {
    size_t k = 2;
    while (kTag[k] && at + k < Line.size() && (Line[at + k] | 0x20) == kTag[k]) ++k;
    if (!kTag[k]) return at;
  }
  return std::string::npos;
}
}  // namespace

void TRLDataXmlReader::Start(const char* Name, const char** Attrs) {
  const std::string_view name = Name;
  ++depth_;
  if (depth_ == 1) {
    if (LowerCase(std::string(name)) != "replist") return Stop("the block's root is <" + std::string(name) + ">");
    // The first id attribute in any case, as the block was recognised by.
    for (int i = 0; Attrs[i] && !idSeen_; i += 2)
      if (LowerCase(Attrs[i]) == "id") {
        fresh_.SetDataID(Attrs[i + 1]);
        idSeen_ = true;
      }
    return;
  }
  if (depth_ == 2) {
    tag_ = RepListXmlTagOf(name);
    if (tag_ == xmlInvalid) return Stop("unknown tag <" + std::string(name) + ">");
    col_ = row_ = -1;
    text_.clear();
    bool hasCol = false, hasRow = false;
    for (int i = 0; Attrs[i]; i += 2) {
      const bool isCol = std::strcmp(Attrs[i], "col") == 0, isRow = std::strcmp(Attrs[i], "row") == 0;
      if (!isCol && !isRow) continue;
      if (!ReadInt(Attrs[i + 1], isCol ? col_ : row_))
        return Stop(std::string("attribute ") + Attrs[i] + " of <" + std::string(name) + "> is not a number");
      (isCol ? hasCol : hasRow) = true;
    }
    if (tag_ == xmlCell) {
      // A cell without row stays in the previous cell's row; without col it
      // follows the previous cell, or starts at column 1 in a new row.
      if (!hasRow) row_ = cellRow_;
      if (!hasCol) col_ = hasRow ? 1 : cellCol_ + 1;
      cellCol_ = col_;
      cellRow_ = row_;
    }
    return;
  }
  if (depth_ == 3 && name == kXmlByteElement) {
    int v = -1;
    for (int i = 0; Attrs[i]; i += 2)
      if (std::string(Attrs[i]) == "v" && !ReadInt(Attrs[i + 1], v)) v = -1;
    if (v < 0 || v > 255) return Stop("<byte> needs a value 0..255");
    text_ += char(v);
    return;
  }
  Stop("unexpected tag <" + std::string(name) + ">");
}

void TRLDataXmlReader::Text(const char* S, int Len) {
  if (depth_ >= 2) {
    text_.append(S, size_t(Len));
  } else {
    for (int i = 0; i < Len; ++i)
      if (S[i] != ' ' && S[i] != '\n' && S[i] != '\t' && S[i] != '\r') return Stop("text outside the elements");
  }
}

void TRLDataXmlReader::End() {
  if (depth_ == 2 && error_.empty()) Apply();
  --depth_;
}

// The fresh object takes the declared size once BytesRead bytes of the block
// back it; the elements read until then are stored now.
bool TRLDataXmlReader::TakeDimensions(int64_t BytesRead) {
  if (dimensionsSet_) return true;
  if (!XmlBlockBacksList(numCols_, numRows_, BytesRead)) return false;
  try {
    fresh_.SetNrCols(numCols_);
    fresh_.SetNrRows(numRows_);
  } catch (const EQELError&) {
    Stop("not enough memory for " + IntToStr(numCols_) + " columns and " + IntToStr(numRows_) + " rows");
    return false;
  }
  dimensionsSet_ = true;
  for (TItem& item : pending_) Store(item);
  std::vector<TItem>().swap(pending_);
  return true;
}

void TRLDataXmlReader::Store(TItem& Item) {
  switch (Item.tag) {
    case xmlColName: fresh_.SetColName(Item.col, Item.text); return;
    case xmlColumnFormat: fresh_.SetColumnFormat(Item.col, Item.text); return;
    case xmlCheckedColumn: fresh_.checkModes_[Item.col - 1] = TCheckMode(Item.value); return;  // cells are read as stored
    case xmlCell: fresh_.SetRawElem(Item.col, Item.row, Item.text); return;
    default: return;
  }
}

void TRLDataXmlReader::Apply() {
  int value = 0;
  switch (tag_) {
    case xmlNumCols:
    case xmlNumRows: {
      int& into = tag_ == xmlNumCols ? numCols_ : numRows_;
      if (into >= 0) return Stop(std::string("<") + RepListXmlTagName(tag_) + "> given twice");
      const int lowest = tag_ == xmlNumCols ? 1 : 0;
      if (!ReadInt(text_, value) || value < lowest) return Stop(std::string("bad <") + RepListXmlTagName(tag_) + ">");
      into = value;
      return;
    }
    case xmlCommonHd: fresh_.commonHeader_ = text_; return;
    case xmlComment: fresh_.comment_ = text_; return;
    default: break;
  }
  if (numCols_ < 0 || numRows_ < 0) return Stop("<numcols> and <numrows> must come first");
  switch (tag_) {
    case xmlColName:
    case xmlColumnFormat:
    case xmlCheckedColumn:
      if (col_ < 1 || col_ > numCols_) return Stop(std::string("<") + RepListXmlTagName(tag_) + "> outside the columns");
      if (tag_ == xmlCheckedColumn && (!ReadInt(text_, value) || value < 0 || value > 255))
        return Stop("bad <checkedcolumn>");
      break;
    case xmlCell:
      if (col_ < 0 || col_ > numCols_ || row_ < 1 || row_ > numRows_) return Stop("<cell> outside the list");
      break;
    default:
      return;
  }
  TItem item{tag_, col_, row_, value, std::move(text_)};
  if (TakeDimensions(int64_t(XML_GetCurrentByteIndex(parser_)))) Store(item);
  else if (error_.empty()) pending_.push_back(std::move(item));
}

void TRLDataXmlReader::Feed(const char* Data, size_t Size, bool Final) {
  blockBytes_ += int64_t(Size);
  if (XML_Parse(parser_, Data, int(Size), Final ? XML_TRUE : XML_FALSE) == XML_STATUS_OK) return;
  const int line = firstLine_ + int(XML_GetCurrentLineNumber(parser_)) - 1;
  const std::string reason = error_.empty() ? XML_ErrorString(XML_GetErrorCode(parser_)) : error_;
  Fail(reason, line);
}

void TRLDataXmlReader::Read(TLineSource& Lines) {
  std::string line;
  size_t start = 0;
  for (;;) {
    if (!Lines.Next(line)) Fail("no report list block found", Lines.LineNo());
    if (IsReplistStartLine(line, id_, start)) break;
  }
  firstLine_ = Lines.LineNo();
  std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate("UTF-8"), XML_ParserFree);
  if (!parser) throw EQELRLDataError(ReplistErrorMessage("TRLData XML reader: out of memory"));
  parser_ = parser.get();
  XML_SetUserData(parser_, this);
  XML_SetElementHandler(parser_, OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser_, OnText);
  // The block runs from "<replist" to the end of the first "</replist ...>".
  // Lines go to the parser in batches: far fewer calls, same line numbers.
  std::string batch;
  for (bool first = true;; first = false) {
    const size_t from = first ? start : 0;
    const size_t end = FindEndTag(line, from);
    if (end != std::string::npos) {
      const size_t close = line.find('>', end);
      if (close == std::string::npos) Fail("unfinished </replist>", Lines.LineNo());
      batch.append(line, from, close + 1 - from);
      Feed(batch.data(), batch.size(), true);
      break;
    }
    batch.append(line, from, std::string::npos);
    batch += '\n';
    if (batch.size() >= (1 << 16)) {
      Feed(batch.data(), batch.size(), false);
      batch.clear();
    }
    if (!Lines.Next(line)) Fail("the block ends without </replist>", Lines.LineNo());
  }
  if (!error_.empty()) Fail(error_, Lines.LineNo());
  if (numCols_ < 0 || numRows_ < 0) Fail("<numcols> and <numrows> must come first", Lines.LineNo());
  if (!TakeDimensions(blockBytes_)) {
    if (error_.empty())
      error_ = "the declared list is too large for a block of " + IntToStr(blockBytes_) + " bytes";
    Fail(error_, Lines.LineNo());
  }
  Commit();
}

void TRLDataXmlReader::Commit() {
  target_.MoveContentFrom(fresh_);
}

void TRLData::ReadFromXMLString(const std::string& XmlText, const std::string& DataID) {
  TStringLineSource lines(XmlText);
  TRLDataXmlReader(*this, DataID).Read(lines);
}

void TRLData::ReadFromXMLStream(TStream& Stream, const std::string& DataID) {
  TStreamLineSource lines(Stream);
  try {
    TRLDataXmlReader(*this, DataID).Read(lines);
  } catch (...) {
    lines.Finish();
    throw;
  }
  lines.Finish();
}

void TRLData::ReadFromOpenXMLFile(TTextFile& F, const std::string& DataID) {
  TTextFileLineSource lines(F);
  TRLDataXmlReader(*this, DataID).Read(lines);
}

void TRLData::LoadFromXMLFile(const std::string& FileName, const std::string& DataID) {
  std::unique_ptr<TFileStream> file;
  try {
    file = std::make_unique<TFileStream>(FileName, fmOpenRead);
  } catch (const EStreamError& e) {
    throw EInOutError(e.Message());
  }
  ReadFromXMLStream(*file, DataID);
}

}  // namespace qel
