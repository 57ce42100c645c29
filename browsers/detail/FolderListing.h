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
/// included, each told whether it holds such a folder itself. A folder met
/// twice on the way down from the root to Folder (by device and inode, as
/// find -L tells a link loop) is a loop: one below Folder has no subfolders,
/// and Folder itself, when it repeats one above it, lists nothing. So no
/// chain of links, however it winds between folders, can be opened for ever.
/// False, with Entries untouched, when Folder cannot be read; a subfolder
/// that cannot be read has no subfolders.
bool ListSubfolders(const std::string& Folder, std::vector<TFolderEntry>& Entries);

/// Ascending by the ASCII-lower-cased names, byte by byte; names that compare
/// equal keep their order.
void SortByLowerCaseName(std::vector<TFolderEntry>& Entries);

}  // namespace qel::folders
