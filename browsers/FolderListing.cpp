// Subfolder listing on opendir/readdir. Every directory handle is owned by a
// small guard, so nothing leaks when an allocation throws midway. Loops are
// told by the identities (device, inode) of the folders on the path.
#include "browsers/detail/FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

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

// A folder's identity: no two folders share one, whatever leads to them.
struct TFolderId {
  dev_t device;
  ino_t inode;
  bool operator==(const TFolderId&) const = default;
};
using TChain = std::vector<TFolderId>;

bool OnChain(const TChain& Chain, const struct stat& St) {
  return std::find(Chain.begin(), Chain.end(), TFolderId{St.st_dev, St.st_ino}) != Chain.end();
}

// The identities of the folders on Path from the root (or the current
// folder, for a relative path) down to Path itself, links followed; a level
// that cannot be looked at is left out.
TChain ChainOf(const std::string& Path) {
  TChain chain;
  std::string prefix = Path.starts_with('/') ? "/" : ".";
  struct stat st {};
  auto add = [&] {
    if (stat(prefix.c_str(), &st) == 0) chain.push_back({st.st_dev, st.st_ino});
  };
  add();
  for (size_t start = 0; start < Path.size();) {
    size_t slash = std::min(Path.find('/', start), Path.size());
    if (slash > start) {
      if (prefix.back() != '/') prefix += '/';
      prefix.append(Path, start, slash - start);
      add();
    }
    start = slash + 1;
  }
  return chain;
}

// The last folder of the chain repeats one above it.
bool EndsInLoop(const TChain& Chain) {
  return Chain.size() > 1 && std::find(Chain.begin(), Chain.end() - 1, Chain.back()) != Chain.end() - 1;
}

// Whether the folder Name inside the open folder holds a shown folder; a
// folder that is already on the chain above is a loop and holds none.
bool HoldsSubfolder(int parentFd, const char* Name, const TChain& Above) {
  int fd = openat(parentFd, Name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (fstat(fd, &st) != 0 || OnChain(Above, st)) {
    close(fd);
    return false;
  }
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

}  // namespace

bool ListSubfolders(const std::string& Folder, std::vector<TFolderEntry>& Entries) {
  std::string folder = Folder.empty() || Folder.back() != '/' ? Folder + '/' : Folder;
  TDirHandle dir(opendir(folder.c_str()));
  if (!dir.get()) return false;
  const TChain chain = ChainOf(folder);
  if (EndsInLoop(chain)) return true;
  const int fd = dirfd(dir.get());
  while (const dirent* e = readdir(dir.get())) {
    bool link = false;
    if (Hidden(e->d_name) || !IsFolder(fd, e, link)) continue;
    Entries.push_back({e->d_name, HoldsSubfolder(fd, e->d_name, chain), LowerCase(e->d_name)});
  }
  return true;
}

void SortByLowerCaseName(std::vector<TFolderEntry>& Entries) {
  std::stable_sort(Entries.begin(), Entries.end(),
                   [](const TFolderEntry& a, const TFolderEntry& b) { return a.Key < b.Key; });
}

}  // namespace qel::folders
