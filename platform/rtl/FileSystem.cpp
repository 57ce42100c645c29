#include "platform/rtl/FileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace qel {

bool FileExists(const std::string& FileName) {
  struct stat st {};
  return !FileName.empty() && ::stat(FileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& Directory) {
  struct stat st {};
  return !Directory.empty() && ::stat(Directory.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& Dir) { return !Dir.empty() && ::mkdir(Dir.c_str(), 0777) == 0; }

bool ForceDirectories(const std::string& Dir) {
  std::string path = ExcludeTrailingPathDelimiter(Dir);
  if (path.empty()) return false;
  if (DirectoryExists(path)) return true;
  std::string parent = ExtractFileDir(path);
  if (!parent.empty() && parent != path && !ForceDirectories(parent)) return false;
  // Another process may create it meanwhile; that is success too.
  return CreateDir(path) || DirectoryExists(path);
}

bool RemoveDir(const std::string& Dir) { return !Dir.empty() && ::rmdir(Dir.c_str()) == 0; }

bool DeleteFile(const std::string& FileName) { return FileExists(FileName) && ::unlink(FileName.c_str()) == 0; }

bool RenameFile(const std::string& OldName, const std::string& NewName) {
  return std::rename(OldName.c_str(), NewName.c_str()) == 0;
}

std::string GetCurrentDir() {
  std::vector<char> buf(4096);
  while (::getcwd(buf.data(), buf.size()) == nullptr) {
    if (errno != ERANGE || buf.size() > (1u << 20)) return {};
    buf.resize(buf.size() * 2);
  }
  return buf.data();
}

int64_t FileSizeOf(const std::string& FileName) {
  struct stat st {};
  if (::stat(FileName.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return st.st_size;
}

std::string IncludeTrailingPathDelimiter(const std::string& S) {
  return !S.empty() && S.back() == PathDelim ? S : S + PathDelim;
}

std::string ExcludeTrailingPathDelimiter(const std::string& S) {
  if (S.size() > 1 && S.back() == PathDelim) return S.substr(0, S.size() - 1);
  return S;
}

std::string ExtractFileName(const std::string& FileName) {
  size_t slash = FileName.rfind(PathDelim);
  return slash == std::string::npos ? FileName : FileName.substr(slash + 1);
}

std::string ExtractFilePath(const std::string& FileName) {
  size_t slash = FileName.rfind(PathDelim);
  return slash == std::string::npos ? std::string() : FileName.substr(0, slash + 1);
}

std::string ExtractFileDir(const std::string& FileName) {
  std::string path = ExtractFilePath(FileName);
  return path.size() > 1 ? path.substr(0, path.size() - 1) : path;
}

std::string ExtractFileExt(const std::string& FileName) {
  size_t dot = FileName.rfind('.');
  size_t slash = FileName.rfind(PathDelim);
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return FileName.substr(dot);
}

std::string ChangeFileExt(const std::string& FileName, const std::string& Extension) {
  std::string ext = ExtractFileExt(FileName);
  return FileName.substr(0, FileName.size() - ext.size()) + Extension;
}

}  // namespace qel
