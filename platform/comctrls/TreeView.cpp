// TCustomTreeView: construction, the hooks the nodes call when the
// structure changes, deleting, expanding, collapsing and selecting.
#include <algorithm>
#include <exception>

#include "platform/comctrls/TreeView.h"

namespace qel {

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TCustomControl(AOwner), items_(std::make_unique<TTreeNodes>(this)) {
  controlStyle_ += TControlStyle{csOpaque, csDoubleClicks};
  measure_.Font()->Assign(GetFont());
  SetTabStop(true);
  SetBorderStyle(bsSingle);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
  for (TClientScrollBar* bar : {&vbar_, &hbar_}) {
    bar->OnScroll = [this, bar](int code, int pos) { OnBarScroll(*bar, code, pos); };
    bar->OnInvalidate = [this, bar] { InvalidateRect(bar->Bounds()); };
  }
}

TCustomTreeView::~TCustomTreeView() {
  destroying_ = true;
  items_.reset();  // while the members the nodes report to still exist
}

TCustomTreeView::NodeGuard::NodeGuard(TCustomTreeView* view, TTreeNode* n) : node(n), view_(view) {
  view_->guards_.push_back(this);
}

TCustomTreeView::NodeGuard::~NodeGuard() { std::erase(view_->guards_, this); }

// ------------------------------------------------------- the hooks ----

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
  bool allow = true;
  if (OnExpanding) OnExpanding(this, Node, allow);
  return allow;
}

void TCustomTreeView::Expand(TTreeNode* Node) {
  if (OnExpanded) OnExpanded(this, Node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
  bool allow = true;
  if (OnCollapsing) OnCollapsing(this, Node, allow);
  return allow;
}

void TCustomTreeView::Collapse(TTreeNode* Node) {
  if (OnCollapsed) OnCollapsed(this, Node);
}

bool TCustomTreeView::CanChange(TTreeNode* Node) {
  bool allow = true;
  if (OnChanging) OnChanging(this, Node, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (OnChange) OnChange(this, Node);
}

void TCustomTreeView::Delete(TTreeNode* Node) {
  if (OnDeletion) OnDeletion(this, Node);
}

// ------------------------------------------------ structure changes ----

// Rows change only when the new node gets one (its parent is shown and
// expanded); otherwise at most the parent's button appears. The previous
// sibling's lines now go on down, through its whole subtree.
void TCustomTreeView::NodeAdded(TTreeNode* Node) {
  TTreeNode* parent = Node->parent_;
  if (!parent || (parent->expanded_ && parent->IsVisible())) RowsChanged(Node->prev_ ? Node->prev_ : parent);
  else InvalidateNode(parent);
}

void TCustomTreeView::NodeTextChanged(TTreeNode* Node) {
  Node->widthGen_ = 0;  // measure again
  if (!Node->IsVisible()) return;
  layoutDirty_ = true;  // the widest text may have changed
  InvalidateNode(Node);
}

void TCustomTreeView::NodeLookChanged(TTreeNode* Node) { InvalidateNode(Node); }

// The rows from From's down change (all of them without From); From's row
// is looked up in the rows as they were, before they are rebuilt.
void TCustomTreeView::RowsChanged(const TTreeNode* From) {
  int row = CachedRowOf(From);
  rowsDirty_ = layoutDirty_ = true;
  if (items_->Updating()) return;
  if (row < 0) {
    Invalidate();
    return;
  }
  int top = std::max(row - topRow_, 0) * ItemHeight();
  InvalidateRect({0, top, ClientWidth(), ClientHeight()});
}

void TCustomTreeView::UpdateEnded() { RowsChanged(nullptr); }

// Frees Node's subtree (Node already unlinked), children before parents.
void TCustomTreeView::DestroySubtree(TTreeNode* Node, bool Notify) {
  std::vector<TTreeNode*> order;
  // Pre-order walk bounded to the subtree, then delete it backwards.
  for (TTreeNode* n = Node; n;) {
    order.push_back(n);
    if (n->first_) { n = n->first_; continue; }
    while (n != Node && !n->next_) n = n->parent_;
    n = n == Node ? nullptr : n->next_;
  }
  // A throwing OnDeletion stops the notices, not the freeing: the nodes are
  // already out of the tree, so nothing else could free them.
  std::exception_ptr failure;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    TTreeNode* n = *it;
    if (Notify && !failure) {
      try {
        Delete(n);
      } catch (...) {
        failure = std::current_exception();
      }
    }
    NodeDestroyed(n);
    --n->owner_->count_;
    delete n;
  }
  if (failure) std::rethrow_exception(failure);
}

void TCustomTreeView::NodeDestroyed(TTreeNode* Node) {
  if (hot_ == Node) hot_ = nullptr;
  if (selected_ == Node) selected_ = nullptr;
  for (NodeGuard* g : guards_)
    if (g->node == Node) g->node = nullptr;
}

// Deleting the selected node (or an ancestor of it) moves the selection to
// the next sibling, else the previous one, else the parent; OnChange then
// fires once, after the tree is consistent again. It cannot be refused.
void TCustomTreeView::DeleteNode(TTreeNode* Node) {
  items_->CheckOwned(Node);
  bool moved = selected_ && (selected_ == Node || selected_->HasAsParent(Node));
  TTreeNode* parent = Node->parent_;
  TTreeNode* after = Node->next_ ? Node->next_ : Node->prev_ ? Node->prev_ : parent;
  TTreeNode* above = Node->prev_ ? Node->prev_ : parent;  // its lines end here now
  bool shown = Node->IsVisible();
  if (moved) selected_ = after;
  items_->Unlink(Node);
  DestroySubtree(Node, !destroying_);
  if (shown) RowsChanged(above);
  else if (parent) InvalidateNode(parent);
  if (moved && !destroying_) {
    NodeGuard g(this, selected_);
    if (g.node) MakeNodeVisible(g.node);
    Change(selected_);
  }
}

void TCustomTreeView::DeleteChildrenOf(TTreeNode* Node) {
  items_->CheckOwned(Node);
  bool moved = selected_ && selected_->HasAsParent(Node);
  if (moved) selected_ = Node;
  NodeGuard g(this, Node);
  while (g.node && g.node->first_) DeleteNode(g.node->first_);
  if (g.node) {
    g.node->hasChildren_ = g.node->expanded_ = false;
    InvalidateNode(g.node);
  }
  if (moved && g.node == selected_) Change(selected_);
}

void TCustomTreeView::ClearNodes() {
  bool had = selected_ != nullptr;
  selected_ = nullptr;
  items_->BeginUpdate();
  while (items_->first_) DeleteNode(items_->first_);
  topRow_ = scrollX_ = 0;
  items_->EndUpdate();
  if (had && !destroying_) Change(nullptr);
}

// --------------------------------------------- expanding, collapsing ----

// CanExpand runs before any child is shown, so it may make the children.
// A node left without children loses its button and stays collapsed.
bool TCustomTreeView::ExpandNode(TTreeNode* Node) {
  items_->CheckOwned(Node);
  if (Node->expanded_) return true;
  if (!Node->hasChildren_ && !Node->first_) return false;
  NodeGuard g(this, Node);
  if (!CanExpand(Node) || !g.node) return false;
  if (!Node->first_) {
    Node->hasChildren_ = false;
    InvalidateNode(Node);
    return false;
  }
  Node->expanded_ = true;
  if (Node->IsVisible()) RowsChanged(Node);
  Expand(Node);
  return g.node && Node->expanded_;
}

// Collapsing hides the selected descendant: the selection moves to Node.
bool TCustomTreeView::CollapseNode(TTreeNode* Node) {
  items_->CheckOwned(Node);
  if (!Node->expanded_) return true;
  NodeGuard g(this, Node);
  if (!CanCollapse(Node) || !g.node) return false;
  Node->expanded_ = false;
  if (Node->IsVisible()) RowsChanged(Node);
  if (selected_ && selected_->HasAsParent(Node)) MoveSelectionWithoutAsking(Node);
  if (g.node) Collapse(Node);
  return g.node && !Node->expanded_;
}

// Each node of the subtree in node order, after its own children were made.
void TCustomTreeView::ExpandSubtree(TTreeNode* Node) {
  NodeGuard top(this, Node), cur(this, Node);
  while (cur.node && top.node) {
    if (!ContinueSubtreeExpansion(top.node, cur.node) || !cur.node || !top.node) break;
    ExpandNode(cur.node);
    if (!cur.node || !top.node) break;
    TTreeNode* n = cur.node;
    if (n->first_) { cur.node = n->first_; continue; }
    while (n != top.node && !n->next_) n = n->parent_;
    cur.node = n == top.node ? nullptr : n->next_;
  }
}

bool TCustomTreeView::ContinueSubtreeExpansion(TTreeNode*, TTreeNode*) { return true; }

void TCustomTreeView::CollapseSubtree(TTreeNode* Node) {
  NodeGuard top(this, Node), cur(this, Node);
  while (cur.node && top.node) {
    CollapseNode(cur.node);
    if (!cur.node || !top.node) break;
    TTreeNode* n = cur.node;
    if (n->first_) { cur.node = n->first_; continue; }
    while (n != top.node && !n->next_) n = n->parent_;
    cur.node = n == top.node ? nullptr : n->next_;
  }
}

void TCustomTreeView::ToggleNode(TTreeNode* Node) {
  if (Node->expanded_) CollapseNode(Node);
  else ExpandNode(Node);
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* n = items_->first_; n;) {
    NodeGuard g(this, n->next_);
    CollapseSubtree(n);
    n = g.node;
  }
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* n = items_->first_; n;) {
    NodeGuard g(this, n);
    ExpandSubtree(n);
    if (!g.node) return;  // a handler deleted it: the walk has lost its place
    n = n->next_;
  }
}

// -------------------------------------------------------- selecting ----

void TCustomTreeView::SetSelected(TTreeNode* Node) {
  items_->CheckOwned(Node);
  SelectNode(Node, true);
}

// Ask (OnChanging), select, show the node, tell (OnChange).
bool TCustomTreeView::SelectNode(TTreeNode* Node, bool Ask) {
  if (Node == selected_) {
    if (Node) MakeNodeVisible(Node);
    return true;
  }
  NodeGuard g(this, Node);
  if (Ask && !CanChange(Node)) return false;
  if (Node && !g.node) return false;  // deleted by the handler
  MoveSelectionWithoutAsking(Node);
  return true;
}

void TCustomTreeView::MoveSelectionWithoutAsking(TTreeNode* Node) {
  InvalidateNode(selected_);
  selected_ = Node;
  NodeGuard g(this, Node);
  if (Node) MakeNodeVisible(Node);
  if (Node && !g.node) return;
  InvalidateNode(Node);
  Change(Node);
}

void TCustomTreeView::MakeNodeVisible(TTreeNode* Node) {
  NodeGuard g(this, Node);
  // Outermost collapsed ancestor first, as a user would open them.
  std::vector<TTreeNode*> closed;
  for (TTreeNode* p = Node->parent_; p; p = p->parent_)
    if (!p->expanded_) closed.push_back(p);
  for (auto it = closed.rbegin(); it != closed.rend() && g.node; ++it) {
    NodeGuard pg(this, *it);
    ExpandNode(*it);
    if (!pg.node) return;
  }
  if (!g.node) return;
  int row = RowOf(Node);
  if (row >= 0) ScrollRowIntoView(row);
}

// ------------------------------------------------------- properties ----

void TCustomTreeView::SetLookFlag(bool& Flag, bool v) {
  if (Flag == v) return;
  Flag = v;
  layoutDirty_ = true;
  Invalidate();
}

void TCustomTreeView::SetIndent(int v) {
  v = std::clamp(v, 0, 1000);
  if (v == indent_) return;
  indent_ = v;
  layoutDirty_ = true;
  Invalidate();
}

void TCustomTreeView::FontChanged() {
  TCustomControl::FontChanged();
  measure_.Font()->Assign(GetFont());
  rowHeight_ = 0;
  ++fontGen_;
  layoutDirty_ = true;
  Invalidate();
}

}  // namespace qel
