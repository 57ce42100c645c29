// inotify on a non-blocking descriptor: reading until EAGAIN empties the
// queue, and the events of one folder collapse into one entry of the result.
#include "browsers/detail/FolderWatcher.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

namespace qel::folders {

namespace {
// What changes the list of a folder's subfolders (a file created also counts:
// it may be a link to a folder).
constexpr uint32_t kEntryEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR;
}  // namespace

TFolderWatcher::TFolderWatcher() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

TFolderWatcher::~TFolderWatcher() {
  if (fd_ >= 0) close(fd_);
}

void TFolderWatcher::Watch(const std::string& Folder) {
  if (fd_ < 0) return;
  const int wd = inotify_add_watch(fd_, Folder.c_str(), kEntryEvents);
  if (wd >= 0) folders_[wd] = Folder;  // a folder met again by another path keeps one (the last)
}

void TFolderWatcher::KeepOnly(const std::set<std::string>& Folders) {
  for (auto it = folders_.begin(); it != folders_.end();) {
    if (Folders.count(it->second)) {
      ++it;
      continue;
    }
    inotify_rm_watch(fd_, it->first);
    it = folders_.erase(it);
  }
}

std::set<std::string> TFolderWatcher::Drain() {
  std::set<std::string> changed;
  if (fd_ < 0) return changed;
  alignas(inotify_event) char buffer[16 * (sizeof(inotify_event) + NAME_MAX + 1)];
  for (;;) {
    const ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // EAGAIN: the queue is empty
    for (ssize_t at = 0; at < n;) {
      inotify_event e;
      std::memcpy(&e, buffer + at, sizeof e);
      at += ssize_t(sizeof e + e.len);
      if (e.mask & IN_Q_OVERFLOW) {  // changes were lost: every folder may have changed
        for (const auto& [wd, folder] : folders_) changed.insert(folder);
        continue;
      }
      auto it = folders_.find(e.wd);
      if (it == folders_.end()) continue;
      if (e.mask & IN_IGNORED) {  // the folder itself went: the kernel dropped its watch
        folders_.erase(it);
        continue;
      }
      changed.insert(it->second);
    }
  }
  return changed;
}

}  // namespace qel::folders
