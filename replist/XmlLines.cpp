// Line sources and block recognition for the report-list XML format.
#include "replist/detail/XmlLines.h"

#include <algorithm>
#include <cstring>

#include "framework/QEL_Base.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Utf8.h"
#include "replist/RLData.h"

namespace qel {

namespace {
void DropCR(std::string& Line) {
  if (!Line.empty() && Line.back() == '\r') Line.pop_back();
}

// Appends at most what keeps Line within Max bytes.
void AppendUpTo(std::string& Line, const char* From, size_t Count, size_t Max) {
  Line.append(From, std::min(Count, Max - std::min(Max, Line.size())));
}
}  // namespace

bool TStringLineSource::Next(std::string& Line) {
  if (pos_ >= text_.size()) return false;
  size_t end = text_.find('\n', pos_);
  if (end == std::string::npos) end = text_.size();
  Line.assign(text_, pos_, end - pos_);
  pos_ = end + 1;
  DropCR(Line);
  ++lineNo_;
  return true;
}

bool TStreamLineSource::Refill() {
  if (eof_) return false;
  if (buf_.empty()) buf_.resize(1 << 16);
  len_ = size_t(stream_.Read(buf_.data(), int64_t(buf_.size())));
  pos_ = 0;
  if (len_ == 0) eof_ = true;
  return len_ > 0;
}

bool TStreamLineSource::Next(std::string& Line) {
  Line.clear();
  bool any = false;
  for (;;) {
    if (pos_ >= len_ && !Refill()) break;
    any = true;
    const char* start = buf_.data() + pos_;
    const void* nl = std::memchr(start, '\n', len_ - pos_);
    if (nl) {
      const size_t n = size_t(static_cast<const char*>(nl) - start);
      AppendUpTo(Line, start, n, maxLine_);
      pos_ += n + 1;
      DropCR(Line);
      ++lineNo_;
      return true;
    }
    AppendUpTo(Line, start, len_ - pos_, maxLine_);
    pos_ = len_;
  }
  if (!any) return false;
  DropCR(Line);
  ++lineNo_;
  return true;
}

void TStreamLineSource::Finish() {
  if (pos_ < len_) stream_.Seek(-int64_t(len_ - pos_), soCurrent);
  pos_ = len_ = 0;
}

bool TTextFileLineSource::Next(std::string& Line) {
  if (Eof(file_)) return false;
  ReadLn(file_, Line);
  ++lineNo_;
  return true;
}

std::string DecodeXmlEntities(const std::string& S) {
  static const struct { const char* entity; char ch; } kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string r;
  for (size_t i = 0; i < S.size();) {
    bool done = false;
    if (S[i] == '&')
      for (const auto& e : kEntities)
        if (S.compare(i, std::strlen(e.entity), e.entity) == 0) {
          r += e.ch;
          i += std::strlen(e.entity);
          done = true;
          break;
        }
    if (!done) r += S[i++];
  }
  return r;
}

bool IsReplistStartLine(const std::string& Line, const std::string& WantedID, size_t& Position) {
  const std::string lower = LowerCase(Line);
  Position = lower.find("<replist");
  if (Position == std::string::npos || lower.find("qelgadget") == std::string::npos) return false;
  if (WantedID.empty()) return true;
  std::string id;
  const size_t at = lower.find("id=\"");
  if (at != std::string::npos) {
    const size_t from = at + 4, to = Line.find('"', from);
    id = Line.substr(from, to == std::string::npos ? std::string::npos : to - from);
    id = StripTrailingChars(' ', StripLeadingChars(' ', DecodeXmlEntities(id)));
  }
  // Only the found identifier loses its blanks: " a" never matches.
  return AnsiLowerCase(id) == AnsiLowerCase(WantedID);
}

bool IsReplistStartLine(const std::string& Line, const std::string& WantedID) {
  size_t pos = 0;
  return IsReplistStartLine(Line, WantedID, pos);
}

// A start-tag line is short: longer lines (cell texts) are looked at only
// this far, so that a huge file without line breaks needs no huge line.
constexpr size_t kStartLineLookAt = 64 * 1024;

bool CheckIfValidReplist(const std::string& FileName, const std::string& DataID) {
  try {
    TFileStream file(FileName, fmOpenRead);
    TStreamLineSource lines(file, kStartLineLookAt);
    std::string line;
    while (lines.Next(line))
      if (IsReplistStartLine(line, DataID)) return true;
    return false;
  } catch (const EStreamError& e) {  // this reader's callers expect file errors as EInOutError
    throw EInOutError(e.Message());
  }
}

bool CheckIfValidReplist(TStream& Stream, const std::string& DataID) {
  std::string line;
  bool eos = Stream.GetPosition() >= Stream.GetSize();
  while (!eos) {
    ReadLnStream(Stream, eos, 0, line);
    if (IsReplistStartLine(line, DataID)) return true;
  }
  return false;
}

}  // namespace qel
