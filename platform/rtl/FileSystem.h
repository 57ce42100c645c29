// Files and folders: searching with wildcards, existence tests, creating and
// removing, and file-name pieces. Paths use '/'.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// The path delimiter.
constexpr char PathDelim = '/';

/// File attributes as the platform numbers them. On Linux a name starting with
/// '.' is hidden and a file without write permission is read-only.
///@{
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faSymLink = 0x40;
constexpr int faNormal = 0x80;
constexpr int faAnyFile = 0x1FF;
///@}

/// A file found by FindFirst or FindNext.
struct TSearchRec {
  std::string Name;        ///< Name only, without the folder
  /// Attribute bits (fa...).
  int Attr = 0;
  /// Size in bytes.
  int64_t Size = 0;
  TDateTime Time = 0;      ///< Last modification, local time
  struct Handle;           ///< The open search; released by FindClose
  std::shared_ptr<Handle> FindHandle;
};

/// Path is a folder and a pattern with '*' and '?' ("dir/*.txt"; "*.*" matches
/// every name). Ordinary files are always found; hidden, system and folder
/// entries only when Attr asks for them. Return 0 when an entry was found.
int FindFirst(const std::string& Path, int Attr, TSearchRec& F);
/// Finds the next entry of a search; 0 when one was found.
int FindNext(TSearchRec& F);
/// Ends a search.
void FindClose(TSearchRec& F);
/// '*' and '?' matching as FindFirst does it (case-sensitive).
bool MatchesMask(const std::string& Name, const std::string& Mask);

bool FileExists(const std::string& FileName);  ///< An existing non-folder
/// Whether Directory names an existing folder.
bool DirectoryExists(const std::string& Directory);
/// Creates one folder; false when it cannot.
bool CreateDir(const std::string& Dir);
bool ForceDirectories(const std::string& Dir);  ///< Every missing level; true if it exists afterwards
bool RemoveDir(const std::string& Dir);         ///< Only an empty folder
/// Deletes a file; false when it cannot.
bool DeleteFile(const std::string& FileName);
/// Renames or moves a file; false when it cannot.
bool RenameFile(const std::string& OldName, const std::string& NewName);
/// The process's current folder.
std::string GetCurrentDir();
int64_t FileSizeOf(const std::string& FileName);  ///< -1 when missing

/// S ending in '/'.
std::string IncludeTrailingPathDelimiter(const std::string& S);
/// S without a trailing '/'.
std::string ExcludeTrailingPathDelimiter(const std::string& S);
std::string ExtractFileName(const std::string& FileName);  ///< After the last '/'
std::string ExtractFilePath(const std::string& FileName);  ///< Up to and including the last '/'
std::string ExtractFileDir(const std::string& FileName);   ///< The path without its trailing '/'
std::string ExtractFileExt(const std::string& FileName);   ///< ".txt", or "" when the name has no dot
/// FileName with its extension replaced by Extension (".txt", or "" to drop it).
std::string ChangeFileExt(const std::string& FileName, const std::string& Extension);

QEL_API_END
}  // namespace qel
