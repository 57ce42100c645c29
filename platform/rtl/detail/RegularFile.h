// Internal: opening a file by name that refuses folders, devices, pipes and
// sockets. The library's file readers read to the end, which a device such as
// /dev/zero never reaches, and opening a pipe waits until its other end is
// opened, so only regular files are let through.
#pragma once
#include <cstdint>
#include <string>

namespace qel::detail {

// The outcome of OpenRegularFile.
struct FileOpening {
  int Fd = -1;              // the descriptor, or -1 on failure
  bool NotRegular = false;  // refused: the name exists but is no regular file
  int64_t Size = 0;         // the file's size when it was opened
  std::string Reason;       // why it failed, in words for a message
};

// Opens FileName with the open(2) Flags (close-on-exec added); a name that
// is no regular file is refused without blocking and without being read.
FileOpening OpenRegularFile(const std::string& FileName, int Flags);

}  // namespace qel::detail
