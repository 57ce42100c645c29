#include "platform/rtl/detail/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qel::detail {

namespace {

void Refuse(FileOpening& r, mode_t type) {
  r.NotRegular = true;
  r.Reason = S_ISDIR(type) ? std::strerror(EISDIR) : "It is not a regular file";
}

}  // namespace

FileOpening OpenRegularFile(const std::string& FileName, int Flags) {
  FileOpening r;
  // O_NONBLOCK keeps a pipe from holding the open until its other end comes.
  int fd;
  do fd = ::open(FileName.c_str(), Flags | O_CLOEXEC | O_NONBLOCK, 0666);
  while (fd < 0 && errno == EINTR);
  struct stat st {};
  if (fd < 0) {
    const int err = errno;  // a pipe without reader refuses a writer with ENXIO
    if (::stat(FileName.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) Refuse(r, st.st_mode);
    else r.Reason = std::strerror(err);
    return r;
  }
  if (::fstat(fd, &st) != 0) {
    r.Reason = std::strerror(errno);
    ::close(fd);
    return r;
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    Refuse(r, st.st_mode);
    return r;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  r.Fd = fd;
  r.Size = st.st_size;
  return r;
}

}  // namespace qel::detail
