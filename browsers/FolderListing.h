// Listing the subfolders of a folder for the folder tree, straight on the
// system's directory calls: the entry type from readdir where the file system
// gives it, a stat only for links and unknown types, and each subfolder
// opened relative to its parent.
#pragma once
#include <string>
#include <vector>

namespace qel::folders {

/// A subfolder found by ListSubfolders.
struct TFolderEntry {
  /// The folder's name.
  std::string Name;
  /// Whether it has subfolders itself.
  bool HasSubfolders = false;
  std::string Key;  ///< The lower-cased name the list is sorted by
};

/// The folders in Folder whose names do not begin with '.', links to folders
/// included, each told whether it holds such a folder itself. A link that
/// leads back to Folder or one of its ancestors counts as having none, so that
/// expanding it cannot go on for ever. False, with Entries untouched, when
/// Folder cannot be read; a subfolder that cannot be read has no subfolders.
bool ListSubfolders(const std::string& Folder, std::vector<TFolderEntry>& Entries);

/// Ascending by the ASCII-lower-cased names, byte by byte; names that compare
/// equal keep their order.
void SortByLowerCaseName(std::vector<TFolderEntry>& Entries);

}  // namespace qel::folders
