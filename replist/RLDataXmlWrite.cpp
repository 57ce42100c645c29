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
#include "replist/detail/XmlBudget.h"
#include "replist/detail/XmlEscape.h"

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

void AppendAttribute(std::string& Out, const char* Name, int V) {
  Out += ' ';
  Out += Name;
  Out += "=\"";
  AppendInt(Out, V);
  Out += '"';
}

void AppendItem(std::string& Out, const char* Tag, int Col, const std::string& Text) {
  Out += '<';
  Out += Tag;
  if (Col >= 0) AppendAttribute(Out, "col", Col);
  Out += '>';
  AppendXmlText(Out, Text);
  Out += "</";
  Out += Tag;
  Out += ">\n";
}

// The text of the block, handed out in pieces of about kFlushSize bytes.
class TXmlBlockOut {
 public:
  explicit TXmlBlockOut(const std::function<void(const std::string&)>& Out) : out_(Out) {
    buf.reserve(kFlushSize + 4096);
  }
  std::string buf;
  // Starts counting the block's bytes here.
  void StartBlock() { blockBytes_ = -int64_t(buf.size()); }
  void FlushWhenFull() {
    if (buf.size() < kFlushSize) return;
    out_(buf);
    blockBytes_ += int64_t(buf.size());
    buf.clear();
  }
  // The block's bytes so far, with the end tag still to come.
  int64_t BytesWithEnd() const { return blockBytes_ + int64_t(buf.size() + std::strlen(kEndTag)); }
  void End() {
    buf += kEndTag;
    buf += '\n';
    out_(buf);
  }

 private:
  const std::function<void(const std::string&)>& out_;
  int64_t blockBytes_ = 0;
};

// Blank lines, after a comment, until the block backs its declared size.
void AppendRoom(TXmlBlockOut& Block, int64_t Room) {
  if (Room > 0) {
    const std::string comment = "<!-- room for the declared size -->\n";
    Block.buf += comment;
    Room -= int64_t(comment.size());
  }
  while (Room > 0) {
    const size_t line = size_t(std::min<int64_t>(Room, 256));
    Block.buf.append(line - 1, ' ');
    Block.buf += '\n';
    Room -= int64_t(line);
    Block.FlushWhenFull();
  }
}

}  // namespace

void TRLData::WriteXml(const std::function<void(const std::string&)>& Out, bool CreateHeader,
                       const std::string& DataID) const {
  TXmlBlockOut block(Out);
  if (CreateHeader) block.buf += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  block.StartBlock();
  WriteXmlSettings(block.buf, DataID);
  Progress(0, nrRows_);
  for (int r = 1; r <= nrRows_; ++r) {
    Progress(r, nrRows_);
    WriteXmlRow(block.buf, r);
    block.FlushWhenFull();
  }
  AppendRoom(block, XmlRoomNeeded(nrCols_, nrRows_, block.BytesWithEnd()));
  block.End();
}

// The opening tag, the sizes and texts, and the columns' settings.
void TRLData::WriteXmlSettings(std::string& Buf, const std::string& DataID) const {
  Buf += "<replist creator=\"qelgadget\" id=\"";
  AppendXmlAttribute(Buf, DataID);
  Buf += "\">\n";
  AppendItem(Buf, "numcols", -1, std::to_string(nrCols_));
  AppendItem(Buf, "numrows", -1, std::to_string(nrRows_));
  AppendItem(Buf, "commonheader", -1, commonHeader_);
  AppendItem(Buf, "comment", -1, comment_);
  for (int c = 1; c <= nrCols_; ++c) {
    if (!IsDefaultColName(colNames_[c - 1], c)) AppendItem(Buf, "colname", c, colNames_[c - 1]);
    if (!colFormats_[c - 1].empty()) AppendItem(Buf, "columnformat", c, colFormats_[c - 1]);
    if (checkModes_[c - 1] != cmNone) AppendItem(Buf, "checkedcolumn", c, std::to_string(int(checkModes_[c - 1])));
  }
}

// One line of the row's non-empty cells; nothing for a row without any.
void TRLData::WriteXmlRow(std::string& Buf, int Row) const {
  bool any = false;
  int previous = 0;
  for (int c = 0; c <= nrCols_; ++c) {
    const std::string& cell = cells_->GetString(c, Row);
    if (cell.empty()) continue;
    Buf += "<cell";
    if (c != previous + 1) AppendAttribute(Buf, "col", c);
    if (!any) AppendAttribute(Buf, "row", Row);
    Buf += '>';
    AppendXmlText(Buf, cell);
    Buf += "</cell>";
    any = true;
    previous = c;
  }
  if (any) Buf += '\n';
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
