// TRLData: reading an XML block. The block is found line by line as
// CheckIfValidReplist finds it, fed to expat line by line up to its
// "</replist>", and read into a fresh object that replaces the content only
// when everything was well formed.
#include <expat.h>

#include <memory>

#include "framework/QEL_Base.h"
#include "platform/rtl/NumConv.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Utf8.h"
#include "replist/RLData.h"
#include "replist/XmlEscape.h"
#include "replist/XmlLines.h"

namespace qel {

const char* RepListXmlTagName(TRepListXmlTag Tag) {
  static const char* const kNames[] = {"numcols", "numrows", "colname", "checkedcolumn", "commonheader",
                                       "columnformat", "cell", "comment", "/replist", "invalidtag"};
  return Tag <= xmlInvalid ? kNames[Tag] : kNames[xmlInvalid];
}

TRepListXmlTag RepListXmlTagOf(const std::string& Name) {
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
  std::string text_;
  int numCols_ = -1, numRows_ = -1;
  bool dimensionsSet_ = false;
  std::string error_;

  [[noreturn]] void Fail(const std::string& Reason, int Line) const;
  void Feed(const char* Data, size_t Size, bool Final, const TLineSource& Lines);
  void Stop(const std::string& Reason);
  void Start(const char* Name, const char** Attrs);
  void End();
  void Text(const char* S, int Len);
  void Apply();
  bool NeedDimensions();
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
// A decimal integer attribute or text, blanks around it allowed.
bool ReadInt(const std::string& S, int& V) {
  const std::string t = Trim(S);
  return IsValidDecInt(t) && TryStrToInt(t, V);
}
}  // namespace

void TRLDataXmlReader::Start(const char* Name, const char** Attrs) {
  const std::string name = Name;
  ++depth_;
  if (depth_ == 1) {
    if (LowerCase(name) != "replist") return Stop("the block's root is <" + name + ">");
    for (int i = 0; Attrs[i]; i += 2)
      if (std::string(Attrs[i]) == "id") fresh_.SetDataID(Attrs[i + 1]);
    return;
  }
  if (depth_ == 2) {
    tag_ = RepListXmlTagOf(name);
    if (tag_ == xmlInvalid) return Stop("unknown tag <" + name + ">");
    col_ = row_ = -1;
    text_.clear();
    for (int i = 0; Attrs[i]; i += 2) {
      const std::string attr = Attrs[i];
      int* into = attr == "col" ? &col_ : attr == "row" ? &row_ : nullptr;
      if (into && !ReadInt(Attrs[i + 1], *into)) return Stop("attribute " + attr + " of <" + name + "> is not a number");
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
  Stop("unexpected tag <" + name + ">");
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

// Dimensions come first; once both are known the fresh object takes them,
// after checking that they are sane.
bool TRLDataXmlReader::NeedDimensions() {
  if (dimensionsSet_) return true;
  if (numCols_ < 0 || numRows_ < 0) {
    Stop("<numcols> and <numrows> must come first");
    return false;
  }
  if ((int64_t(numRows_) + 1) * (int64_t(numCols_) + 1) > MaxXmlCells) {
    Stop("the list is too large");
    return false;
  }
  fresh_.SetNrCols(numCols_);
  fresh_.SetNrRows(numRows_);
  dimensionsSet_ = true;
  return true;
}

void TRLDataXmlReader::Apply() {
  int value = 0;
  const bool colOk = col_ >= 1 && col_ <= numCols_;
  switch (tag_) {
    case xmlNumCols:
    case xmlNumRows: {
      int& into = tag_ == xmlNumCols ? numCols_ : numRows_;
      if (into >= 0 || dimensionsSet_) return Stop(std::string("<") + RepListXmlTagName(tag_) + "> given twice");
      const int lowest = tag_ == xmlNumCols ? 1 : 0;
      if (!ReadInt(text_, value) || value < lowest) return Stop(std::string("bad <") + RepListXmlTagName(tag_) + ">");
      into = value;
      return;
    }
    case xmlCommonHd: fresh_.commonHeader_ = text_; return;
    case xmlComment: fresh_.comment_ = text_; return;
    default: break;
  }
  if (!NeedDimensions()) return;
  switch (tag_) {
    case xmlColName:
    case xmlColumnFormat:
    case xmlCheckedColumn:
      if (!colOk) return Stop(std::string("<") + RepListXmlTagName(tag_) + "> outside the columns");
      if (tag_ == xmlColName) fresh_.SetColName(col_, text_);
      else if (tag_ == xmlColumnFormat) fresh_.SetColumnFormat(col_, text_);
      else if (!ReadInt(text_, value) || value < 0 || value > 255) return Stop("bad <checkedcolumn>");
      else fresh_.checkModes_[col_ - 1] = TCheckMode(value);  // cells are read as stored
      return;
    case xmlCell:
      if (col_ < 0 || col_ > numCols_ || row_ < 1 || row_ > numRows_) return Stop("<cell> outside the list");
      fresh_.SetRawElem(col_, row_, text_);
      return;
    default:
      return;
  }
}

void TRLDataXmlReader::Feed(const char* Data, size_t Size, bool Final, const TLineSource& Lines) {
  if (XML_Parse(parser_, Data, int(Size), Final ? XML_TRUE : XML_FALSE) == XML_STATUS_OK) return;
  const int line = firstLine_ + int(XML_GetCurrentLineNumber(parser_)) - 1;
  const std::string reason = error_.empty() ? XML_ErrorString(XML_GetErrorCode(parser_)) : error_;
  (void)Lines;
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
  for (bool first = true;; first = false) {
    const size_t from = first ? start : 0;
    const size_t end = LowerCase(line).find("</replist", from);
    if (end != std::string::npos) {
      const size_t close = line.find('>', end);
      if (close == std::string::npos) Fail("unfinished </replist>", Lines.LineNo());
      Feed(line.data() + from, close + 1 - from, true, Lines);
      break;
    }
    line += '\n';
    Feed(line.data() + from, line.size() - from, false, Lines);
    if (!Lines.Next(line)) Fail("the block ends without </replist>", Lines.LineNo());
  }
  if (!error_.empty()) Fail(error_, Lines.LineNo());
  if (!NeedDimensions()) Fail(error_, Lines.LineNo());
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
  TTextFile f;
  AssignFile(f, FileName);
  Reset(f);
  ReadFromOpenXMLFile(f, DataID);
  CloseFile(f);
}

}  // namespace qel
