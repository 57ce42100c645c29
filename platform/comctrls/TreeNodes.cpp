// TTreeNode and TTreeNodes: the node structure, node order and the node
// operations; what the view must know goes to it through its hooks.
#include "platform/comctrls/TreeView.h"

namespace qel {

// ---------------------------------------------------------- TTreeNode ----

TCustomTreeView* TTreeNode::TreeView() const { return owner_->Owner(); }

void TTreeNode::SetText(const std::string& v) {
  if (v == text_) return;
  text_ = v;
  TreeView()->NodeTextChanged(this);
}

TTreeNode* TTreeNode::Item(int Index) const {
  if (Index < 0 || Index >= count_) return nullptr;
  TTreeNode* n = first_;
  while (Index-- > 0) n = n->next_;
  return n;
}

TTreeNode* TTreeNode::GetNext() const {
  if (first_) return first_;
  for (const TTreeNode* n = this; n; n = n->parent_)
    if (n->next_) return n->next_;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
  TTreeNode* n = prev_;
  if (!n) return parent_;
  while (n->last_) n = n->last_;
  return n;
}

TTreeNode* TTreeNode::GetNextVisible() const {
  if (!IsVisible()) return nullptr;
  if (expanded_ && first_) return first_;
  for (const TTreeNode* n = this; n; n = n->parent_)
    if (n->next_) return n->next_;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const {
  if (!IsVisible()) return nullptr;
  TTreeNode* n = prev_;
  if (!n) return parent_;
  while (n->expanded_ && n->last_) n = n->last_;
  return n;
}

bool TTreeNode::HasAsParent(const TTreeNode* Value) const {
  if (!Value) return false;
  for (const TTreeNode* p = parent_; p; p = p->parent_)
    if (p == Value) return true;
  return false;
}

int TTreeNode::IndexOf(const TTreeNode* Value) const {
  int i = 0;
  for (const TTreeNode* n = first_; n; n = n->next_, ++i)
    if (n == Value) return i;
  return -1;
}

void TTreeNode::SetHasChildren(bool v) {
  if (v == hasChildren_) return;
  hasChildren_ = v;
  TreeView()->NodeLookChanged(this);
}

void TTreeNode::SetExpanded(bool v) {
  if (v) TreeView()->ExpandNode(this);
  else TreeView()->CollapseNode(this);
}

void TTreeNode::Expand(bool Recurse) {
  if (Recurse) TreeView()->ExpandSubtree(this);
  else TreeView()->ExpandNode(this);
}

void TTreeNode::Collapse(bool Recurse) {
  if (Recurse) TreeView()->CollapseSubtree(this);
  else TreeView()->CollapseNode(this);
}

void TTreeNode::DeleteChildren() { TreeView()->DeleteChildrenOf(this); }

void TTreeNode::Delete() { TreeView()->DeleteNode(this); }

bool TTreeNode::GetSelected() const { return TreeView()->GetSelected() == this; }

void TTreeNode::SetSelected(bool v) {
  if (v) TreeView()->SetSelected(this);
  else if (GetSelected()) TreeView()->SetSelected(nullptr);
}

int TTreeNode::Level() const {
  int level = 0;
  for (const TTreeNode* p = parent_; p; p = p->parent_) ++level;
  return level;
}

int TTreeNode::Index() const {
  int i = 0;
  for (const TTreeNode* n = prev_; n; n = n->prev_) ++i;
  return i;
}

int TTreeNode::AbsoluteIndex() const {
  int i = 0;
  for (const TTreeNode* n = GetPrev(); n; n = n->GetPrev()) ++i;
  return i;
}

bool TTreeNode::IsVisible() const {
  for (const TTreeNode* p = parent_; p; p = p->parent_)
    if (!p->expanded_) return false;
  return true;
}

void TTreeNode::MakeVisible() { TreeView()->MakeNodeVisible(this); }

TRect TTreeNode::DisplayRect(bool TextOnly) const {
  TCustomTreeView* view = TreeView();
  int row = view->RowOf(this);
  if (row < 0) return {};
  TCustomTreeView::RowGeometry g = view->GeometryOf(this, row);
  return TextOnly ? g.label : g.row;
}

// --------------------------------------------------------- TTreeNodes ----

TTreeNodes::~TTreeNodes() {
  // The view is being destroyed: free the nodes without telling anyone.
  while (first_) {
    TTreeNode* n = first_;
    Unlink(n);
    view_->DestroySubtree(n, false);
  }
}

void TTreeNodes::CheckOwned(const TTreeNode* Node) const {
  if (Node && Node->owner_ != this) throw ETreeViewError("Tree node belongs to another tree view");
}

TTreeNode* TTreeNodes::Link(TTreeNode* Parent, TTreeNode* Before, const std::string& S, void* Ptr) {
  auto* n = new TTreeNode(this);
  n->text_ = S;
  n->data_ = Ptr;
  n->parent_ = Parent;
  TTreeNode*& first = FirstOf(Parent);
  TTreeNode*& last = LastOf(Parent);
  n->next_ = Before;
  n->prev_ = Before ? Before->prev_ : last;
  (n->prev_ ? n->prev_->next_ : first) = n;
  (Before ? Before->prev_ : last) = n;
  if (Parent) {
    ++Parent->count_;
    Parent->hasChildren_ = true;
  } else {
    ++rootCount_;
  }
  ++count_;
  cacheIndex_ = -1;
  view_->NodeAdded(n);
  return n;
}

// Takes Node (and its subtree) out of its list of siblings.
void TTreeNodes::Unlink(TTreeNode* Node) {
  TTreeNode* parent = Node->parent_;
  (Node->prev_ ? Node->prev_->next_ : FirstOf(parent)) = Node->next_;
  (Node->next_ ? Node->next_->prev_ : LastOf(parent)) = Node->prev_;
  Node->prev_ = Node->next_ = nullptr;
  if (parent) {
    if (--parent->count_ == 0) {
      parent->hasChildren_ = false;
      parent->expanded_ = false;
    }
  } else {
    --rootCount_;
  }
  cacheIndex_ = -1;
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr) {
  CheckOwned(Sibling);
  return Link(Sibling ? Sibling->parent_ : nullptr, nullptr, S, Ptr);
}

TTreeNode* TTreeNodes::AddObjectFirst(TTreeNode* Sibling, const std::string& S, void* Ptr) {
  CheckOwned(Sibling);
  TTreeNode* parent = Sibling ? Sibling->parent_ : nullptr;
  return Link(parent, FirstOf(parent), S, Ptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr) {
  CheckOwned(Parent);
  return Link(Parent, nullptr, S, Ptr);
}

TTreeNode* TTreeNodes::AddChildObjectFirst(TTreeNode* Parent, const std::string& S, void* Ptr) {
  CheckOwned(Parent);
  return Link(Parent, FirstOf(Parent), S, Ptr);
}

TTreeNode* TTreeNodes::InsertObject(TTreeNode* Sibling, const std::string& S, void* Ptr) {
  CheckOwned(Sibling);
  return Link(Sibling ? Sibling->parent_ : nullptr, Sibling, S, Ptr);
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node) return;
  CheckOwned(Node);
  view_->DeleteNode(Node);
}

void TTreeNodes::Clear() { view_->ClearNodes(); }

TTreeNode* TTreeNodes::Item(int Index) const {
  if (Index < 0 || Index >= count_) return nullptr;
  int i = 0;
  TTreeNode* n = first_;
  if (cacheIndex_ >= 0 && cacheIndex_ <= Index) {
    i = cacheIndex_;
    n = cacheNode_;
  }
  for (; i < Index; ++i) n = n->GetNext();
  cacheIndex_ = Index;
  cacheNode_ = n;
  return n;
}

void TTreeNodes::BeginUpdate() { ++updateCount_; }

void TTreeNodes::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) view_->UpdateEnded();
}

}  // namespace qel
