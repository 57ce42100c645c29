// Line sources for the report-list XML readers and the recognition of a
// block's root start-tag line, shared by the readers and CheckIfValidReplist.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Streams.h"
#include "platform/rtl/TextFile.h"

namespace qel {

/// A source of text lines, read one by one.
class TLineSource {
 public:
  virtual ~TLineSource() = default;
  /// The next line without its LF / CR LF; false at the end.
  virtual bool Next(std::string& Line) = 0;
  int LineNo() const { return lineNo_; }  ///< Of the line read last, from 1

 protected:
  /// Number of the line read last.
  int lineNo_ = 0;
};

/// Lines of a string (which must outlive the source).
class TStringLineSource : public TLineSource {
 public:
  /// Reads Text from its start.
  explicit TStringLineSource(const std::string& Text) : text_(Text) {}
  bool Next(std::string& Line) override;

 private:
  const std::string& text_;
  size_t pos_ = 0;
};

/// Reads the stream in large chunks; Finish puts the stream right after the
/// last line handed out.
class TStreamLineSource : public TLineSource {
 public:
  /// Reads S from its current position; of a line longer than MaxLineBytes
  /// only the first MaxLineBytes are handed out (the rest is skipped).
  explicit TStreamLineSource(TStream& S, size_t MaxLineBytes = SIZE_MAX) : stream_(S), maxLine_(MaxLineBytes) {}
  bool Next(std::string& Line) override;
  /// Puts the stream right after the last line handed out.
  void Finish();

 private:
  TStream& stream_;
  size_t maxLine_;
  std::vector<char> buf_;
  size_t pos_ = 0, len_ = 0;
  bool eof_ = false;
  bool Refill();
};

/// Lines of an open text file.
class TTextFileLineSource : public TLineSource {
 public:
  /// Reads F from its current line.
  explicit TTextFileLineSource(TTextFile& F) : file_(F) {}
  bool Next(std::string& Line) override;

 private:
  TTextFile& file_;
};

/// Is Line the start-tag line of a report-list block ("<replist" and
/// "qelgadget", any case) whose identifier matches WantedID (any block when
/// WantedID is empty)? The identifier found loses its blanks, WantedID is
/// taken as given; case does not matter. Position receives the byte offset
/// of "<replist".
///@{
bool IsReplistStartLine(const std::string& Line, const std::string& WantedID, size_t& Position);
bool IsReplistStartLine(const std::string& Line, const std::string& WantedID);
///@}

/// The five predefined XML entities decoded (used for identifiers).
std::string DecodeXmlEntities(const std::string& S);

}  // namespace qel
