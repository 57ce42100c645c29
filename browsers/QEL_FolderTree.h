/// \file
/// QEL_FolderTree: TFolderTree, a tree view of the file system's folders that
/// loads each folder's subfolders when it is first expanded, keeps the path of
/// the selected folder as the current path, and selects, creates and removes
/// folders.
///
/// On Linux. The tree has one root, "/", and paths use "/": the nodes "/" >
/// "home" > "user" have the path "/home/user/" (every node's text followed by
/// "/", the root's text being "/" already). Paths given to SelectPath may end
/// in "/" or not, and must be absolute. Names are compared exactly, case
/// included, since Linux file names are case-sensitive ("/home/User" and
/// "/home/user" are two folders); only the order of the names shown ignores
/// ASCII case. The current path after Reset is "/".
///
/// Nodes. A folder whose subfolders are not loaded yet but which has some gets
/// one placeholder child, "Child", so that it shows an expand button. A folder
/// whose children were loaded carries LoadedMark as its data; a folder found
/// to have no subfolders loses its placeholder and stays unmarked, so a later
/// expansion lists it again. Names beginning with "." are never shown.
///
/// Sound on real file systems: a folder that cannot be read (no permission,
/// removed meanwhile) shows as a leaf and raises nothing; a link to a folder
/// is shown, but a folder that is already on its own path (by device and
/// inode: a link, or links between siblings, leading back up) gets no expand
/// button and lists nothing, so neither a click, nor SelectPath, nor the *
/// key can open it down for ever; names are sorted in O(n log n); the
/// hourglass cursor of an expansion is restored even when it throws.
///
/// Outside changes. A folder created, renamed or removed by another program
/// in a folder that was listed appears or goes within WatchIntervalMs (in a
/// folder listed empty, as its expand button): the listed folders are watched
/// through inotify, and the
/// queued changes are read on a timer of the application's loop, each changed
/// folder listed once however many changes it had. The other nodes, the
/// expanded branches and the selection stay; a selection inside a folder that
/// went moves up to the folder that held it (a renamed folder is one that went
/// and one that came).
///
/// Whole branches. Expanding everything below a node (the * key,
/// Expand(true), FullExpand) lists at most ExpansionBudget folders, reports
/// every 100 listed through OnExpansionProgress, whose handler may stop it,
/// and leaves the folders it did not reach with their expand buttons.
///
/// Sections: TFolderTree (look, current path, operations, listing, lifecycle).
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/QEL_Base.h"
#include "platform/comctrls/TreeView.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

namespace folders {
class TFolderWatcher;
}
class TTimerWindow;

/// A tree view of the file system's folders that loads each folder's subfolders when it is first expanded and keeps the selected folder's path as the current path.
///
/// From examples/browser/main.cpp (`qel-browser`):
/// \snippet browser/main.cpp tree
/// \image html browsers.png "The gallery's page Browsers"
class TFolderTree : public TCustomTreeView {
 public:
  /// A tree holding the root "/" (built when the window is created).
  explicit TFolderTree(TComponent* AOwner);
  /// Frees the nodes.
  ~TFolderTree() override;

  /// The data of a node whose children were loaded.
  static inline void* const LoadedMark = reinterpret_cast<void*>(uintptr_t(0xA5F016ED));
  /// The object LoadDirNamesAndSort gives a name whose folder has subfolders (-1).
  static inline TObject* const HasSubfolders = reinterpret_cast<TObject*>(intptr_t(-1));
  /// The text of the placeholder child.
  static constexpr const char* PlaceholderText = "Child";

  // --- look ---
  /// The colour shown while enabled; disabled shows clBtnFace.
  ///@{
  TColor GetColor() const { return TCustomTreeView::GetColor(); }
  void SetColor(TColor v);
  ///@}
  /// Shows the tree greyed while disabled.
  void SetEnabled(bool v) override;
  /// Whether lines and buttons are drawn in the older style.
  ///@{
  bool GetOldTreeStyle() const { return oldTreeStyle_; }
  void SetOldTreeStyle(bool v) { oldTreeStyle_ = v; }
  ///@}

  // --- the current path: the selected folder's, ending in "/" ---
  /// The selected folder's path, ending in "/".
  const std::string& CurrentPath() const { return currentPath_; }
  /// Fires when the current path changes.
  TNotifyEvent OnDirChanged;

  /// How often changes made by other programs are looked for, in milliseconds.
  static constexpr unsigned WatchIntervalMs = 200;

  // --- expanding whole branches ---
  /// Most folders one expansion of a whole branch lists (at least 1; 10000 at first).
  ///@{
  int GetExpansionBudget() const { return expansionBudget_; }
  void SetExpansionBudget(int v) { expansionBudget_ = v < 1 ? 1 : v; }
  ///@}
  /// Fires every 100 folders an expansion of a whole branch lists, with the
  /// count so far; setting Stop ends the expansion there. A handler may show
  /// the count and process messages to let the user cancel.
  std::function<void(TObject* Sender, int Folders, bool& Stop)> OnExpansionProgress;

  // --- operations (failures only in the results; see the top of the file) ---
  /// Rebuilds the tree, opens it down to Path and selects it. False when Path
  /// is no existing folder, or names one the tree does not show (a name
  /// beginning with "."): then the deepest shown ancestor is selected.
  bool SelectPath(const std::string& Path);
  /// Selects the current path again, or its nearest existing ancestor; one
  /// OnDirChanged when the current path ends up different.
  bool RefreshTree();
  /// Creates Name (several levels with "/"; slashes at either end are dropped)
  /// below the selected folder and selects it. Refused: no selection, a
  /// selected folder removed meanwhile (it is not made again), an empty
  /// name, a character below 32 or one of " < > |, and a level that is empty
  /// after trimming or begins with "." (which would leave the selected folder
  /// or never be shown).
  bool MakeSubFolder(const std::string& Name);
  /// Removes the selected folder when it is empty (never the root) and
  /// selects its parent.
  bool RemoveSelectedFolder();
  /// "/home/user/" for "/" > "home" > "user"; "" for no node.
  std::string PathOfNode(const TTreeNode* Node) const;

  // --- listing ---
  /// Appends the subfolder names of Path to List (the object HasSubfolders
  /// where a folder has subfolders itself) and sorts all of List by the
  /// lower-cased names, stably. List stays as it was when Path cannot be read.
  void LoadDirNamesAndSort(const std::string& Path, TStringList& List);
  /// List cleared, then filled as above; false when Path is no existing
  /// folder, else whether anything was found.
  bool GetSubDirs(const std::string& Path, TStringList& List);
  /// As above, for the folder of a node.
  bool GetSubDirs(const TTreeNode* Node, TStringList& List);
  /// Clears the tree and adds the root "/" with its placeholder.
  void BuildMainTree();
  /// The expanding handler: loads the node's subfolders unless it carries the
  /// loaded mark. Nothing in design mode; AllowExpansion is left as it is.
  void ProcessExpanding(TObject* Sender, TTreeNode* Node, bool& AllowExpansion);
  /// The current path becomes "/", the tree is rebuilt and collapsed.
  void Reset();

 protected:
  /// Builds the tree with the window.
  void CreateWnd() override;
  /// Builds the tree once loading is done.
  void Loaded() override;
  /// Takes the newly selected node's path as the current path.
  void Change(TTreeNode* Node) override;
  /// Fires OnDirChanged (unless RefreshTree holds it back).
  void DirHasChanged();
  /// Ends an expansion of a whole branch at the budget or at the handler's word.
  bool ContinueSubtreeExpansion(TTreeNode* Top, TTreeNode* Next) override;

 private:
  // Fills the node's children from the file system.
  void LoadChildren(TTreeNode* Node);
  TTreeNode* ChildNamed(TTreeNode* Parent, const std::string& Name) const;
  // Outside changes: the loaded folder's children made to match its listing.
  void ApplyOutsideChanges();
  void UpdateChildren(TTreeNode* Node);
  TTreeNode* NodeOf(const std::string& Folder);
  static std::string FolderOf(const std::string& Path);

  std::string currentPath_ = "/";
  TColor storedColor_;
  bool oldTreeStyle_ = true;
  int quietDirChanges_ = 0;  // RefreshTree reports one change at its end
  int expansionBudget_ = 10000;
  int listed_ = 0;           // folders listed since the tree was made
  int branchStart_ = 0;      // listed_ when the running whole-branch expansion began
  int branchReported_ = 0;   // folders of it reported through OnExpansionProgress
  TStringList names_;
  std::unique_ptr<folders::TFolderWatcher> watcher_;
  std::unique_ptr<TTimerWindow> watchTimer_;
};

QEL_API_END
}  // namespace qel
