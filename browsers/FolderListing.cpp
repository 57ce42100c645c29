// Subfolder listing on opendir/readdir. Every directory handle is owned by a
// small guard, so nothing leaks when an allocation throws midway.
#include "browsers/FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "platform/rtl/Utf8.h"

namespace qel::folders {

namespace {

class TDirHandle {
 public:
  explicit TDirHandle(DIR* d) : d_(d) {}
  ~TDirHandle() {
    if (d_) closedir(d_);
  }
  TDirHandle(const TDirHandle&) = delete;
  TDirHandle& operator=(const TDirHandle&) = delete;
  DIR* get() const { return d_; }

 private:
  DIR* d_;
};

bool Hidden(const char* name) { return name[0] == '.'; }

// A folder, or a link to one. Dangling links and other kinds are not.
bool IsFolder(int dirFd, const dirent* e, bool& Link) {
  Link = e->d_type == DT_LNK;
  if (e->d_type == DT_DIR) return true;
  if (e->d_type != DT_LNK && e->d_type != DT_UNKNOWN) return false;
  struct stat st {};
  if (e->d_type == DT_UNKNOWN) {
    if (fstatat(dirFd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
    Link = S_ISLNK(st.st_mode);
    if (!Link) return S_ISDIR(st.st_mode);
  }
  return fstatat(dirFd, e->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

// Whether the folder Name inside the open folder holds a shown folder.
bool HoldsSubfolder(int parentFd, const char* Name) {
  int fd = openat(parentFd, Name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  TDirHandle dir(fdopendir(fd));
  if (!dir.get()) {
    close(fd);
    return false;
  }
  bool link = false;
  while (const dirent* e = readdir(dir.get()))
    if (!Hidden(e->d_name) && IsFolder(dirfd(dir.get()), e, link)) return true;
  return false;
}

std::string RealPath(const std::string& Path) {
  char buf[PATH_MAX];
  return realpath(Path.c_str(), buf) ? std::string(buf) : std::string();
}

// Target is Folder itself or one of its ancestors (real paths).
bool LeadsBack(const std::string& Target, const std::string& Folder) {
  if (Target.empty() || Folder.empty()) return false;
  if (Target == "/" || Target == Folder) return true;
  return Folder.size() > Target.size() && Folder.compare(0, Target.size(), Target) == 0 &&
         Folder[Target.size()] == '/';
}

}  // namespace

bool ListSubfolders(const std::string& Folder, std::vector<TFolderEntry>& Entries) {
  std::string folder = Folder.empty() || Folder.back() != '/' ? Folder + '/' : Folder;
  TDirHandle dir(opendir(folder.c_str()));
  if (!dir.get()) return false;
  const int fd = dirfd(dir.get());
  std::string realFolder;  // found when the first link needs it
  while (const dirent* e = readdir(dir.get())) {
    bool link = false;
    if (Hidden(e->d_name) || !IsFolder(fd, e, link)) continue;
    TFolderEntry entry{e->d_name, false, LowerCase(e->d_name)};
    bool loops = false;
    if (link) {
      if (realFolder.empty()) realFolder = RealPath(folder);
      loops = LeadsBack(RealPath(folder + e->d_name), realFolder);
    }
    entry.HasSubfolders = !loops && HoldsSubfolder(fd, e->d_name);
    Entries.push_back(std::move(entry));
  }
  return true;
}

void SortByLowerCaseName(std::vector<TFolderEntry>& Entries) {
  std::stable_sort(Entries.begin(), Entries.end(),
                   [](const TFolderEntry& a, const TFolderEntry& b) { return a.Key < b.Key; });
}

}  // namespace qel::folders
