// TFolderTree: construction and look, loading folders into nodes, the
// current path, and the operations on paths and folders.
#include <set>
#include <vector>

#include "browsers/detail/FolderListing.h"
#include "browsers/detail/FolderWatcher.h"
#include "browsers/QEL_FolderTree.h"
#include "platform/controls/Application.h"
#include "platform/controls/TimerWindow.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Utf8.h"

namespace qel {

namespace {

constexpr int ProgressStep = 100;  // folders listed between two progress reports

// The hourglass while a folder is listed, the cursor before it afterwards,
// however the listing ends.
class THourglass {
 public:
  THourglass() : old_(Screen->GetCursor()) { Screen->SetCursor(crHourGlass); }
  ~THourglass() { Screen->SetCursor(old_); }
  THourglass(const THourglass&) = delete;
  THourglass& operator=(const THourglass&) = delete;

 private:
  TCursor old_;
};

// The levels of a path, without empty ones: "/a//b/" gives a, b.
std::vector<std::string> Levels(const std::string& Path) {
  std::vector<std::string> levels;
  size_t start = 0;
  while (start <= Path.size()) {
    size_t slash = Path.find('/', start);
    if (slash == std::string::npos) slash = Path.size();
    if (slash > start) levels.push_back(Path.substr(start, slash - start));
    start = slash + 1;
  }
  return levels;
}

bool RefusedCharacter(unsigned char c) { return c < 32 || c == '"' || c == '<' || c == '>' || c == '|'; }

}  // namespace

TFolderTree::TFolderTree(TComponent* AOwner)
    : TCustomTreeView(AOwner),
      storedColor_(TCustomTreeView::GetColor()),
      watcher_(std::make_unique<folders::TFolderWatcher>()),
      watchTimer_(std::make_unique<TTimerWindow>([this](uintptr_t) { ApplyOutsideChanges(); }, this)) {
  SetMultiSelect(false);
  SetReadOnly(true);
  SetDoubleBuffered(true);
  OnExpanding = [this](TObject* Sender, TTreeNode* Node, bool& Allow) { ProcessExpanding(Sender, Node, Allow); };
}

TFolderTree::~TFolderTree() = default;

// --------------------------------------------------------------- look ----

void TFolderTree::SetColor(TColor v) {
  storedColor_ = v;
  TCustomTreeView::SetColor(v);
}

void TFolderTree::SetEnabled(bool v) {
  TCustomTreeView::SetColor(v ? storedColor_ : clBtnFace);
  TCustomTreeView::SetEnabled(v);
}

// ------------------------------------------------------------ listing ----

void TFolderTree::LoadDirNamesAndSort(const std::string& Path, TStringList& List) {
  std::vector<folders::TFolderEntry> entries;
  for (int i = 0; i < List.Count(); ++i)  // what the list held is sorted along
    entries.push_back({List[i], List.Objects(i) == HasSubfolders, LowerCase(List[i])});
  if (!folders::ListSubfolders(Path, entries)) return;
  folders::SortByLowerCaseName(entries);
  List.BeginUpdate();
  List.Clear();
  for (auto& e : entries) List.AddObject(e.Name, e.HasSubfolders ? HasSubfolders : nullptr);
  List.EndUpdate();
}

bool TFolderTree::GetSubDirs(const std::string& Path, TStringList& List) {
  List.Clear();
  if (!DirExists(Path)) return false;
  LoadDirNamesAndSort(Path, List);
  return List.Count() > 0;
}

bool TFolderTree::GetSubDirs(const TTreeNode* Node, TStringList& List) {
  if (!Node) {
    List.Clear();
    return false;
  }
  std::string path = PathOfNode(Node);
  if (path.size() > 1) path.pop_back();  // the root stays "/"
  return GetSubDirs(path, List);
}

void TFolderTree::BuildMainTree() {
  Items()->Clear();
  watcher_->KeepOnly({});
  watchTimer_->Stop(1);
  TTreeNode* root = Items()->Add(nullptr, "/");
  Items()->AddChild(root, PlaceholderText);
}

void TFolderTree::LoadChildren(TTreeNode* Node) {
  ++listed_;
  names_.Clear();
  GetSubDirs(Node, names_);
  TTreeNodes* items = Items();
  items->BeginUpdate();
  try {
    Node->DeleteChildren();
    if (names_.Count() > 0) {
      Node->SetData(LoadedMark);
      TTreeNode* child = items->AddChildFirst(Node, names_[0]);
      for (int i = 0; i < names_.Count(); ++i) {
        if (i > 0) child = items->Add(child, names_[i]);
        if (names_.Objects(i) == HasSubfolders) items->AddChild(child, PlaceholderText);
      }
    }
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
  // Listed, so its subfolders are known: watched for them to change.
  watcher_->Watch(FolderOf(PathOfNode(Node)));
  watchTimer_->Start(1, WatchIntervalMs);
}

void TFolderTree::ProcessExpanding(TObject*, TTreeNode* Node, bool&) {
  if (!Node || ComponentState().Contains(csDesigning)) return;
  THourglass hourglass;
  if (Node->GetData() != LoadedMark) LoadChildren(Node);
}

// ------------------------------------------------------ outside changes ----

// "/a/b/" as the watcher names it: "/a/b"; the root stays "/".
std::string TFolderTree::FolderOf(const std::string& Path) {
  return Path.size() > 1 ? Path.substr(0, Path.size() - 1) : Path;
}

TTreeNode* TFolderTree::NodeOf(const std::string& Folder) {
  TTreeNode* node = Items()->GetFirstNode();
  for (const std::string& level : Levels(Folder)) {
    if (!node) break;
    node = ChildNamed(node, level);
  }
  return node;
}

void TFolderTree::ApplyOutsideChanges() {
  const std::set<std::string> changed = watcher_->Drain();
  if (changed.empty()) return;
  for (const std::string& folder : changed)
    if (TTreeNode* node = NodeOf(folder)) UpdateChildren(node);
  std::set<std::string> shown;  // a folder that went takes its watches with it
  for (TTreeNode* n : *Items()) shown.insert(FolderOf(PathOfNode(n)));
  watcher_->KeepOnly(shown);
}

// Children stay in the listing's order, so each new name goes before the
// first child listed after it; the children that went are removed last, so
// that a branch never empties (and collapses) on the way. A child that stays
// keeps its own children, expansion and selection; an unloaded one gains or
// loses its placeholder. A folder listed without subfolders before (no
// children loaded) only gains its placeholder.
void TFolderTree::UpdateChildren(TTreeNode* Node) {
  TStringList names;
  if (!DirExists(PathOfNode(Node))) return;  // its parent's change removes it
  LoadDirNamesAndSort(PathOfNode(Node), names);
  if (Node->GetData() != LoadedMark) {
    if (names.Count() > 0 && !Node->GetFirstChild()) Items()->AddChild(Node, PlaceholderText);
    return;
  }
  std::set<std::string> present;
  for (int i = 0; i < names.Count(); ++i) present.insert(names[i]);
  TTreeNodes* items = Items();
  items->BeginUpdate();
  try {
    TTreeNode* after = Node->GetFirstChild();  // the first child not yet matched
    for (int i = 0; i < names.Count(); ++i) {
      const bool deeper = names.Objects(i) == HasSubfolders;
      if (TTreeNode* child = ChildNamed(Node, names[i])) {
        if (child->GetData() != LoadedMark && deeper != (child->GetFirstChild() != nullptr)) {
          if (deeper) items->AddChild(child, PlaceholderText);
          else child->DeleteChildren();
        }
        after = child->GetNextSibling();
        continue;
      }
      TTreeNode* added = after ? items->Insert(after, names[i]) : items->AddChild(Node, names[i]);
      if (deeper) items->AddChild(added, PlaceholderText);
    }
    for (TTreeNode *c = Node->GetFirstChild(), *next; c; c = next) {
      next = c->GetNextSibling();
      if (present.count(c->GetText())) continue;
      TTreeNode* selected = GetSelected();
      if (selected && (selected == c || selected->HasAsParent(c))) SetSelected(Node);
      c->Delete();
    }
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
}

// Counts the folders listed since the walk began (an already loaded folder
// costs nothing and counts nothing), so a second * goes on where the first
// stopped.
bool TFolderTree::ContinueSubtreeExpansion(TTreeNode* Top, TTreeNode* Next) {
  if (Next == Top) branchStart_ = listed_, branchReported_ = 0;
  const int done = listed_ - branchStart_;
  if (done >= expansionBudget_) return false;
  if (done < branchReported_ + ProgressStep || !OnExpansionProgress) return true;
  branchReported_ = done;
  bool stop = false;
  OnExpansionProgress(this, done, stop);
  return !stop;
}

// ------------------------------------------------------- current path ----

std::string TFolderTree::PathOfNode(const TTreeNode* Node) const {
  std::vector<const TTreeNode*> chain;
  for (const TTreeNode* n = Node; n; n = n->GetParent()) chain.push_back(n);
  std::string path;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    path += (*it)->GetText();
    if (path.empty() || path.back() != '/') path += '/';
  }
  return path;
}

// A cleared selection (the tree being rebuilt) keeps the current path.
// OnClick fires here, before the path moves on; a mouse press that selected
// the node then must not click again on its release.
void TFolderTree::Change(TTreeNode* Node) {
  if (!Node) return TCustomTreeView::Change(Node);
  controlState_.Exclude(csClicked);
  Click();
  const std::string old = currentPath_;
  currentPath_ = PathOfNode(Node);
  TCustomTreeView::Change(Node);
  if (currentPath_ != old) DirHasChanged();
}

void TFolderTree::DirHasChanged() {
  if (quietDirChanges_ == 0 && OnDirChanged) OnDirChanged(this);
}

// --------------------------------------------------------- operations ----

TTreeNode* TFolderTree::ChildNamed(TTreeNode* Parent, const std::string& Name) const {
  for (TTreeNode* c = Parent->GetFirstChild(); c; c = c->GetNextSibling())
    if (c->GetText() == Name) return c;
  return nullptr;
}

bool TFolderTree::SelectPath(const std::string& Path) {
  if (Path.empty() || Path[0] != '/' || !DirExists(Path)) return false;
  HandleNeeded();  // a first window resets the tree: before, not after
  BuildMainTree();
  bool allow = true;
  TTreeNode* node = Items()->GetFirstNode();
  ProcessExpanding(this, node, allow);
  bool whole = true;
  for (const std::string& level : Levels(Path)) {
    TTreeNode* child = ChildNamed(node, level);
    if (!child) {
      whole = false;
      break;
    }
    node = child;
    ProcessExpanding(this, node, allow);
  }
  SetSelected(node);
  if (CanFocus()) SetFocus();
  return whole;
}

bool TFolderTree::RefreshTree() {
  const std::string old = currentPath_;
  std::string path = currentPath_;
  bool ok = false;
  ++quietDirChanges_;
  try {
    ok = SelectPath(path);
    while (!ok && !path.empty()) {
      std::string parent = ParentDir(path);
      if (parent == path) break;
      path = parent;
      ok = SelectPath(path);
    }
  } catch (...) {
    --quietDirChanges_;
    throw;
  }
  --quietDirChanges_;
  if (currentPath_ != old) DirHasChanged();
  return ok;
}

bool TFolderTree::MakeSubFolder(const std::string& Name) {
  TTreeNode* selected = GetSelected();
  if (!selected) return false;
  for (unsigned char c : Name)
    if (RefusedCharacter(c)) return false;
  std::string trimmed = StripTrailingChars('/', StripLeadingChars('/', Name));
  if (trimmed.empty() || trimmed.find("//") != std::string::npos) return false;
  for (const std::string& level : Levels(trimmed))
    if (level[0] == '.') return false;
  // A selected folder removed meanwhile is not brought back by creating below it.
  if (!DirExists(PathOfNode(selected))) return false;
  const std::string path = PathOfNode(selected) + trimmed;
  return ForceDirectories(path) && SelectPath(path);
}

bool TFolderTree::RemoveSelectedFolder() {
  TTreeNode* selected = GetSelected();
  if (!selected || !selected->GetParent()) return false;
  const std::string path = PathOfNode(selected);
  const std::string parent = PathOfNode(selected->GetParent());
  if (!RemoveDir(ExcludeTrailingPathDelimiter(path))) return false;
  Application->ProcessMessages();
  SelectPath(parent);
  return true;
}

// ---------------------------------------------------------- lifecycle ----

void TFolderTree::Reset() {
  const std::string old = currentPath_;
  currentPath_.assign(1, '/');  // (not = "/": GCC 12 warns falsely)
  BuildMainTree();
  FullCollapse();
  if (currentPath_ != old) DirHasChanged();
}

void TFolderTree::CreateWnd() {
  TCustomTreeView::CreateWnd();
  Reset();
}

void TFolderTree::Loaded() {
  TCustomTreeView::Loaded();
  if (GetColor() == 0) TCustomTreeView::SetColor(0xFFFFFF);
  storedColor_ = GetColor();
  FullCollapse();
}

}  // namespace qel
