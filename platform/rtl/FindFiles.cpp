// FindFirst / FindNext / FindClose over opendir/readdir.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "platform/rtl/FileSystem.h"

namespace qel {

struct TSearchRec::Handle {
  DIR* Dir = nullptr;
  std::string Folder;  // with a trailing '/', or "" for the current folder
  std::string Mask;
  int Attr = 0;
  ~Handle() {
    if (Dir != nullptr) closedir(Dir);
  }
};

namespace {

constexpr int kNoMoreFiles = 18;  // the platform's "no more files"

bool MatchFrom(const char* name, const char* mask) {
  // Iterative '*' matching with one backtracking point: linear, not exponential.
  const char* starMask = nullptr;
  const char* starName = nullptr;
  while (*name != '\0') {
    if (*mask == '*') {
      starMask = ++mask;
      starName = name;
    } else if (*mask == '?' || *mask == *name) {
      ++mask;
      ++name;
    } else if (starMask != nullptr) {
      mask = starMask;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*mask == '*') ++mask;
  return *mask == '\0';
}

TDateTime LocalDateTime(time_t t) {
  tm local{};
  localtime_r(&t, &local);
  TDateTime date, time;
  if (!TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date)) return 0;
  TryEncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec, 0, time);
  return date + time;
}

// Fills F from the entry; false when the entry vanished or is not wanted.
bool Describe(const TSearchRec::Handle& h, const std::string& name, TSearchRec& F) {
  std::string full = h.Folder + name;
  struct stat lst {}, st {};
  if (::lstat(full.c_str(), &lst) != 0) return false;
  bool link = S_ISLNK(lst.st_mode);
  if (!link || ::stat(full.c_str(), &st) != 0) st = lst;  // a dangling link describes itself
  int attr = 0;
  if (S_ISDIR(st.st_mode)) attr |= faDirectory;
  else if (!S_ISREG(st.st_mode)) attr |= faSysFile;  // devices, sockets, pipes
  if (link) attr |= faSymLink;
  if (name[0] == '.' && name != "." && name != "..") attr |= faHidden;
  if (::access(full.c_str(), W_OK) != 0) attr |= faReadOnly;
  if (attr == 0) attr = faNormal;
  // Ordinary files always qualify; special kinds only when asked for.
  constexpr int special = faHidden | faSysFile | faDirectory;
  if ((attr & special & ~h.Attr) != 0) return false;
  F.Name = name;
  F.Attr = attr;
  F.Size = S_ISDIR(st.st_mode) ? 0 : static_cast<int64_t>(st.st_size);
  F.Time = LocalDateTime(st.st_mtime);
  return true;
}

}  // namespace

bool MatchesMask(const std::string& Name, const std::string& Mask) {
  if (Mask == "*.*") return true;  // every name, with or without a dot
  return MatchFrom(Name.c_str(), Mask.c_str());
}

int FindNext(TSearchRec& F) {
  if (!F.FindHandle || F.FindHandle->Dir == nullptr) return kNoMoreFiles;
  TSearchRec::Handle& h = *F.FindHandle;
  while (dirent* entry = readdir(h.Dir)) {
    std::string name = entry->d_name;
    if (MatchesMask(name, h.Mask) && Describe(h, name, F)) return 0;
  }
  return kNoMoreFiles;
}

int FindFirst(const std::string& Path, int Attr, TSearchRec& F) {
  FindClose(F);
  auto h = std::make_shared<TSearchRec::Handle>();
  h->Folder = ExtractFilePath(Path);
  h->Mask = ExtractFileName(Path);
  h->Attr = Attr;
  h->Dir = opendir(h->Folder.empty() ? "." : h->Folder.c_str());
  if (h->Dir == nullptr) return errno != 0 ? errno : ENOENT;
  F.FindHandle = h;
  int result = FindNext(F);
  if (result != 0) FindClose(F);
  return result;
}

void FindClose(TSearchRec& F) { F.FindHandle.reset(); }

}  // namespace qel
