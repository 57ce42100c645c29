#include "platform/rtl/TextFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/detail/RegularFile.h"

namespace qel {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& name, int err) {
  std::string text = what + " \"" + name + "\"";
  if (err != 0) text += std::string(". ") + std::strerror(err);
  throw EInOutError(text);
}

}  // namespace

TTextFile::~TTextFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void TTextFile::Open(int flags, const char* fmode, const char* verb, Mode mode) {
  if (file_ != nullptr) Fail("File already open:", name_, 0);
  detail::FileOpening opened = detail::OpenRegularFile(name_, flags);
  if (opened.Fd < 0) throw EInOutError(std::string(verb) + " \"" + name_ + "\". " + opened.Reason);
  std::FILE* file = ::fdopen(opened.Fd, fmode);
  if (file == nullptr) {
    const int err = errno;
    ::close(opened.Fd);
    Fail(verb, name_, err);
  }
  file_ = file;
  mode_ = mode;
}

std::FILE* TTextFile::Checked(Mode mode) {
  if (file_ == nullptr) Fail("File not open:", name_, 0);
  if (mode_ != mode) Fail(mode == Mode::Input ? "File not open for input:" : "File not open for output:", name_, 0);
  return file_;
}

void AssignFile(TTextFile& F, const std::string& FileName) {
  if (F.file_ != nullptr) Fail("File already open:", F.name_, 0);
  F.name_ = FileName;
}

void Reset(TTextFile& F) { F.Open(O_RDONLY, "r", "Cannot open file", TTextFile::Mode::Input); }

void Rewrite(TTextFile& F) { F.Open(O_WRONLY | O_CREAT | O_TRUNC, "w", "Cannot create file", TTextFile::Mode::Output); }

// Unlike fopen's "a", Append does not create a missing file.
void Append(TTextFile& F) { F.Open(O_WRONLY | O_APPEND, "a", "Cannot open file", TTextFile::Mode::Output); }

void CloseFile(TTextFile& F) {
  if (F.file_ == nullptr) Fail("File not open:", F.name_, 0);
  std::FILE* file = F.file_;
  F.file_ = nullptr;
  F.mode_ = TTextFile::Mode::Closed;
  errno = 0;
  if (std::fclose(file) != 0) Fail("Cannot write file", F.name_, errno);
}

bool Eof(TTextFile& F) {
  std::FILE* file = F.Checked(TTextFile::Mode::Input);
  int c = std::getc(file);
  if (c == EOF) {
    if (std::ferror(file)) Fail("Cannot read file", F.name_, errno);
    return true;
  }
  std::ungetc(c, file);
  return false;
}

void ReadLn(TTextFile& F, std::string& Line) {
  std::FILE* file = F.Checked(TTextFile::Mode::Input);
  Line.clear();
  errno = 0;
  for (int c; (c = std::getc(file)) != EOF;) {
    if (c == '\n') break;
    Line += static_cast<char>(c);
  }
  if (std::ferror(file)) Fail("Cannot read file", F.name_, errno);
  if (!Line.empty() && Line.back() == '\r') Line.pop_back();
}

std::string ReadLn(TTextFile& F) {
  std::string line;
  ReadLn(F, line);
  return line;
}

void Write(TTextFile& F, const std::string& Text) {
  std::FILE* file = F.Checked(TTextFile::Mode::Output);
  errno = 0;
  if (std::fwrite(Text.data(), 1, Text.size(), file) != Text.size()) Fail("Cannot write file", F.name_, errno);
}

void WriteLn(TTextFile& F, const std::string& Text) { Write(F, Text + "\n"); }

}  // namespace qel
