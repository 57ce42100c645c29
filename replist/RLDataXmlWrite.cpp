// TRLData: writing the XML block.
//
//   <replist creator="qelgadget" id="...">
//   <numcols>..</numcols> <numrows>..</numrows> <commonheader>..</commonheader> <comment>..</comment>
//   <colname col="c">..</colname> (names other than the default "C-c"),
//   <columnformat col="c">..</columnformat> (non-empty ones),
//   <checkedcolumn col="c">mode</checkedcolumn> (modes other than 0), each on its own line;
//   a column with none of these writes nothing, and readers give it the defaults;
//   then one line per row with a <cell>..</cell> per non-empty stored cell (check mark
//   included, column 0 too), rows in the shown order. The first cell of a line carries
//   row="r"; a cell carries col="c" unless it directly follows the previous one (the
//   column before the first cell of a row counts as 0), which keeps large lists compact;
//   blank lines when the block would be too short to back its size (replist/XmlBudget.h);
//   </replist>
#include <algorithm>
#include <charconv>
#include <cstring>

#include "platform/rtl/Exceptions.h"
#include "replist/RLData.h"
#include "replist/XmlBudget.h"
#include "replist/XmlEscape.h"

namespace qel {
namespace {

constexpr size_t kFlushSize = 1 << 18;
constexpr const char* kEndTag = "</replist>";

bool IsDefaultColName(const std::string& Name, int Col) {
  char num[16];
  auto res = std::to_chars(num, num + sizeof num, Col);
  return Name.size() == size_t(res.ptr - num) + 2 && Name.compare(0, 2, "C-") == 0 &&
         Name.compare(2, std::string::npos, num, size_t(res.ptr - num)) == 0;
}

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
  int64_t blockBytes = -int64_t(buf.size());  // handed out since "<replist"
  const auto flush = [&] {
    Out(buf);
    blockBytes += int64_t(buf.size());
    buf.clear();
  };
  buf += "<replist creator=\"qelgadget\" id=\"";
  AppendXmlAttribute(buf, DataID);
  buf += "\">\n";
  AppendItem(buf, "numcols", -1, std::to_string(nrCols_));
  AppendItem(buf, "numrows", -1, std::to_string(nrRows_));
  AppendItem(buf, "commonheader", -1, commonHeader_);
  AppendItem(buf, "comment", -1, comment_);
  for (int c = 1; c <= nrCols_; ++c) {
    if (!IsDefaultColName(colNames_[c - 1], c)) AppendItem(buf, "colname", c, colNames_[c - 1]);
    if (!colFormats_[c - 1].empty()) AppendItem(buf, "columnformat", c, colFormats_[c - 1]);
    if (checkModes_[c - 1] != cmNone) AppendItem(buf, "checkedcolumn", c, std::to_string(int(checkModes_[c - 1])));
  }
  Progress(0, nrRows_);
  for (int r = 1; r <= nrRows_; ++r) {
    Progress(r, nrRows_);
    bool any = false;
    int previous = 0;
    for (int c = 0; c <= nrCols_; ++c) {
      const std::string& cell = cells_->GetString(c, r);
      if (cell.empty()) continue;
      buf += "<cell";
      if (c != previous + 1) {
        buf += " col=\"";
        AppendInt(buf, c);
        buf += '"';
      }
      if (!any) {
        buf += " row=\"";
        AppendInt(buf, r);
        buf += '"';
      }
      buf += '>';
      AppendXmlText(buf, cell);
      buf += "</cell>";
      any = true;
      previous = c;
    }
    if (any) buf += '\n';
    if (buf.size() >= kFlushSize) flush();
  }
  int64_t room = XmlRoomNeeded(nrCols_, nrRows_, blockBytes + int64_t(buf.size() + std::strlen(kEndTag)));
  if (room > 0) {
    const std::string comment = "<!-- room for the declared size -->\n";
    buf += comment;
    room -= int64_t(comment.size());
  }
  while (room > 0) {
    const size_t line = size_t(std::min<int64_t>(room, 256));
    buf.append(line - 1, ' ');
    buf += '\n';
    room -= int64_t(line);
    if (buf.size() >= kFlushSize) flush();
  }
  buf += kEndTag;
  buf += '\n';
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
