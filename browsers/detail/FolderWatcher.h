// Telling when folders shown in the folder tree gain or lose entries, through
// inotify: the kernel queues the changes, and Drain reads what is queued
// without blocking, each changed folder once however many changes it had.
#pragma once
#include <map>
#include <set>
#include <string>

namespace qel::folders {

/// Watches folders for entries created, removed or renamed in them.
class TFolderWatcher {
 public:
  /// Without inotify (or past its limits) nothing is watched and Drain finds nothing.
  TFolderWatcher();
  ~TFolderWatcher();
  TFolderWatcher(const TFolderWatcher&) = delete;
  TFolderWatcher& operator=(const TFolderWatcher&) = delete;

  /// Starts watching Folder; a folder that cannot be watched is left out.
  void Watch(const std::string& Folder);
  /// Stops watching every folder not in Folders.
  void KeepOnly(const std::set<std::string>& Folders);
  /// Whether any folder is watched.
  bool Watching() const { return !folders_.empty(); }
  /// The watched folders whose entries changed since the last call.
  std::set<std::string> Drain();

 private:
  int fd_ = -1;
  std::map<int, std::string> folders_;  // by watch descriptor
};

}  // namespace qel::folders
