// Pascal text files: AssignFile a name, open with Reset (read), Rewrite
// (create) or Append, then ReadLn / Write / WriteLn / Eof, and CloseFile.
// Every failure raises EInOutError naming the file and the system's reason.
// Only regular files open: a device may never end and a pipe may block.
// Lines end in LF when written; LF and CR LF are read.
#pragma once
#include <cstdio>
#include <string>

#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// A text file read or written line by line (the platform's TextFile).
class TTextFile {
 public:
  TTextFile() = default;
  ~TTextFile();  ///< Closes a file left open (errors are then ignored)
  TTextFile(const TTextFile&) = delete;
  TTextFile& operator=(const TTextFile&) = delete;

  /// Name of the file last assigned.
  const std::string& FileName() const { return name_; }
  /// Whether the file is open.
  bool IsOpen() const { return file_ != nullptr; }

 private:
  enum class Mode { Closed, Input, Output };
  std::string name_;
  std::FILE* file_ = nullptr;
  Mode mode_ = Mode::Closed;

  void Open(int flags, const char* fmode, const char* verb, Mode mode);
  std::FILE* Checked(Mode mode);

  friend void AssignFile(TTextFile& F, const std::string& FileName);
  friend void Reset(TTextFile& F);
  friend void Rewrite(TTextFile& F);
  friend void Append(TTextFile& F);
  friend void CloseFile(TTextFile& F);
  friend bool Eof(TTextFile& F);
  friend void ReadLn(TTextFile& F, std::string& Line);
  friend void Write(TTextFile& F, const std::string& Text);
};

/// Gives F a file name (the file stays closed).
void AssignFile(TTextFile& F, const std::string& FileName);
/// Opens F for reading.
void Reset(TTextFile& F);
/// Creates (or empties) F's file and opens it for writing.
void Rewrite(TTextFile& F);
void Append(TTextFile& F);  ///< The file must exist
/// Closes F.
void CloseFile(TTextFile& F);
/// Whether reading F reached the end.
bool Eof(TTextFile& F);
/// At the end of the file ReadLn gives an empty line, as in Pascal.
void ReadLn(TTextFile& F, std::string& Line);
/// The next line of F.
std::string ReadLn(TTextFile& F);
/// Writes Text without a line break.
void Write(TTextFile& F, const std::string& Text);
/// Writes Text and a line break.
void WriteLn(TTextFile& F, const std::string& Text = {});

QEL_API_END
}  // namespace qel
