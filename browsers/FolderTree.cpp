// TFolderTree: construction and look, loading folders into nodes, the
// current path, and the operations on paths and folders.
#include <vector>

#include "browsers/FolderListing.h"
#include "browsers/QEL_FolderTree.h"
#include "platform/controls/Application.h"
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

TFolderTree::TFolderTree(TComponent* AOwner) : TCustomTreeView(AOwner), storedColor_(TCustomTreeView::GetColor()) {
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
}

void TFolderTree::ProcessExpanding(TObject*, TTreeNode* Node, bool&) {
  if (!Node || ComponentState().Contains(csDesigning)) return;
  THourglass hourglass;
  if (Node->GetData() != LoadedMark) LoadChildren(Node);
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
