// TRLData: writing the XML block.
//
//   <replist creator="qelgadget" id="...">
//   <numcols>..</numcols> <numrows>..</numrows> <commonheader>..</commonheader> <comment>..</comment>
//   <colname col="c">..</colname>, <columnformat col="c">..</columnformat> (non-empty ones),
//   <checkedcolumn col="c">mode</checkedcolumn> (modes other than 0), each on its own line;
//   then one line per row with a <cell col="c" row="r">..</cell> per non-empty stored cell
//   (check mark included, column 0 too), rows in the shown order;
//   </replist>
#include <charconv>

#include "platform/rtl/Exceptions.h"
#include "replist/RLData.h"
#include "replist/XmlEscape.h"

namespace qel {
namespace {

constexpr size_t kFlushSize = 1 << 18;

void AppendInt(std::string& Out, int V) {
  char num[16];
  auto res = std::to_chars(num, num + sizeof num, V);
  Out.append(num, res.ptr);
}

void AppendItem(std::string& Out, const char* Tag, int Col, const std::string& Text) {
  Out += '<';
  Out += Tag;
  if (Col >= 0) {
    Out += " col=\"";
    AppendInt(Out, Col);
    Out += '"';
  }
  Out += '>';
  AppendXmlText(Out, Text);
  Out += "</";
  Out += Tag;
  Out += ">\n";
}

}  // namespace

void TRLData::WriteXml(const std::function<void(const std::string&)>& Out, bool CreateHeader,
                       const std::string& DataID) const {
  std::string buf;
  buf.reserve(kFlushSize + 4096);
  if (CreateHeader) buf += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  buf += "<replist creator=\"qelgadget\" id=\"";
  AppendXmlAttribute(buf, DataID);
  buf += "\">\n";
  AppendItem(buf, "numcols", -1, std::to_string(nrCols_));
  AppendItem(buf, "numrows", -1, std::to_string(nrRows_));
  AppendItem(buf, "commonheader", -1, commonHeader_);
  AppendItem(buf, "comment", -1, comment_);
  for (int c = 1; c <= nrCols_; ++c) {
    AppendItem(buf, "colname", c, colNames_[c - 1]);
    if (!colFormats_[c - 1].empty()) AppendItem(buf, "columnformat", c, colFormats_[c - 1]);
    if (checkModes_[c - 1] != cmNone) AppendItem(buf, "checkedcolumn", c, std::to_string(int(checkModes_[c - 1])));
  }
  for (int r = 1; r <= nrRows_; ++r) {
    bool any = false;
    for (int c = 0; c <= nrCols_; ++c) {
      const std::string& cell = cells_->GetString(c, r);
      if (cell.empty()) continue;
      buf += "<cell col=\"";
      AppendInt(buf, c);
      buf += "\" row=\"";
      AppendInt(buf, r);
      buf += "\">";
      AppendXmlText(buf, cell);
      buf += "</cell>";
      any = true;
    }
    if (any) buf += '\n';
    if (buf.size() >= kFlushSize) {
      Out(buf);
      buf.clear();
    }
  }
  buf += "</replist>\n";
  Out(buf);
}

void TRLData::WriteToXMLStream(TStream& Stream, bool CreateHeader, const std::string& DataID) const {
  WriteXml([&](const std::string& s) { Stream.WriteBuffer(s.data(), int64_t(s.size())); }, CreateHeader, DataID);
}

void TRLData::WriteToOpenXMLFile(TTextFile& F, bool CreateHeader, const std::string& DataID) const {
  WriteXml([&](const std::string& s) { Write(F, s); }, CreateHeader, DataID);
}

void TRLData::SaveAsXMLFile(const std::string& FileName, const std::string& DataID) const {
  TTextFile f;
  AssignFile(f, FileName);
  Rewrite(f);
  WriteToOpenXMLFile(f, true, DataID);
  CloseFile(f);
}

}  // namespace qel
