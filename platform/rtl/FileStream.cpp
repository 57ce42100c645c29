#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/detail/RegularFile.h"

namespace qel {

namespace {

int OpenFlags(uint16_t mode) {
  if ((mode & fmCreate) == fmCreate) return O_RDWR | O_CREAT | O_TRUNC;
  switch (mode & 3) {
    case fmOpenWrite: return O_WRONLY;
    case fmOpenReadWrite: return O_RDWR;
    default: return O_RDONLY;
  }
}

[[noreturn]] void RaiseIoError(const char* what, const std::string& name, int err) {
  throw EStreamError(std::string(what) + " \"" + name + "\". " + std::strerror(err));
}

}  // namespace

// Only regular files: a pipe or a device could block or never end.
TFileStream::TFileStream(const std::string& FileName, uint16_t Mode) : fileName_(FileName) {
  const bool create = (Mode & fmCreate) == fmCreate;
  const char* verb = create ? "Cannot create file" : "Cannot open file";
  detail::FileOpening opened = detail::OpenRegularFile(FileName, OpenFlags(Mode));
  if (opened.Fd < 0) throw EFOpenError(std::string(verb) + " \"" + FileName + "\". " + opened.Reason);
  fd_ = opened.Fd;
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

int64_t TFileStream::Read(void* Buffer, int64_t Count) {
  auto* p = static_cast<char*>(Buffer);
  int64_t done = 0;
  while (done < Count) {
    ssize_t n = ::read(fd_, p + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) RaiseIoError("Cannot read file", fileName_, errno);
    if (n == 0) break;
    done += n;
  }
  return done;
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count) {
  const auto* p = static_cast<const char*>(Buffer);
  int64_t done = 0;
  while (done < Count) {
    ssize_t n = ::write(fd_, p + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) RaiseIoError("Cannot write file", fileName_, errno);
    done += n;
  }
  return done;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int whence = Origin == soBeginning ? SEEK_SET : (Origin == soCurrent ? SEEK_CUR : SEEK_END);
  off_t pos = ::lseek(fd_, static_cast<off_t>(Offset), whence);
  if (pos < 0) throw EStreamError("Invalid stream position");
  return pos;
}

void TFileStream::SetSize(int64_t NewSize) {
  if (NewSize < 0 || ::ftruncate(fd_, static_cast<off_t>(NewSize)) != 0)
    RaiseIoError("Cannot change the size of file", fileName_, NewSize < 0 ? EINVAL : errno);
  if (GetPosition() > NewSize) SetPosition(NewSize);
}

}  // namespace qel
