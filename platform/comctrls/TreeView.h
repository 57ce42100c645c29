// The tree view: TTreeNode, TTreeNodes, TCustomTreeView and TTreeView.
//
// Nodes form linked lists of siblings; the view keeps a cache of the rows
// that are shown (every node whose ancestors are all expanded), rebuilt
// lazily after a change that affects it, so adding thousands of children to
// a collapsed node costs nothing on screen. Expanding asks CanExpand (the
// OnExpanding event) before any child is shown, so a descendant or a handler
// can fill the children at that moment.
#pragma once
#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Controls.h"
#include "platform/rtl/Exceptions.h"
#include "platform/stdctrls/ScrollBars.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

class TTreeNodes;
class TCustomTreeView;

/// A node of another tree passed to an operation.
QEL_EXCEPTION(ETreeViewError, Exception)

// ---------------------------------------------------------- TTreeNode ----

/// A node of a tree view: text, data, children, expansion and selection. The tree's TTreeNodes makes and frees nodes.
class TTreeNode {
 public:
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  /// The nodes the node belongs to.
  TTreeNodes* Owner() const { return owner_; }
  /// The tree view it shows in.
  TCustomTreeView* TreeView() const;

  /// The node's text; repaints.
  ///@{
  const std::string& GetText() const { return text_; }
  void SetText(const std::string& v);
  ///@}
  /// A pointer free for the application's use.
  ///@{
  void* GetData() const { return data_; }
  void SetData(void* v) { data_ = v; }
  ///@}

  /// Family. Item(i) is nullptr outside 0..Count()-1.
  ///@{
  TTreeNode* GetParent() const { return parent_; }
  int Count() const { return count_; }
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstChild() const { return first_; }
  TTreeNode* getFirstChild() const { return first_; }
  TTreeNode* GetLastChild() const { return last_; }
  TTreeNode* GetNextSibling() const { return next_; }
  TTreeNode* GetPrevSibling() const { return prev_; }
  TTreeNode* GetNextChild(const TTreeNode* Value) const { return Value ? Value->next_ : nullptr; }
  TTreeNode* GetPrevChild(const TTreeNode* Value) const { return Value ? Value->prev_ : nullptr; }
  ///@}
  /// Node order: depth first, a parent before its children.
  ///@{
  TTreeNode* GetNext() const;
  TTreeNode* GetPrev() const;
  ///@}
  /// The rows shown: like GetNext/GetPrev but skipping collapsed children;
  /// nullptr when this node is not shown itself.
  ///@{
  TTreeNode* GetNextVisible() const;
  TTreeNode* GetPrevVisible() const;
  ///@}
  /// Whether Value is an ancestor of this node.
  bool HasAsParent(const TTreeNode* Value) const;
  /// Index of child Value (-1: none).
  int IndexOf(const TTreeNode* Value) const;

  /// HasChildren shows an expand button; adding a child sets it, deleting
  /// the last child clears it, and it may be set without children so that
  /// the children can be made when the node is expanded.
  ///@{
  bool GetHasChildren() const { return hasChildren_; }
  void SetHasChildren(bool v);
  ///@}
  /// Whether the node's children are shown.
  ///@{
  bool GetExpanded() const { return expanded_; }
  void SetExpanded(bool v);
  ///@}
  /// Expand or collapse the node (and with Recurse everything below it), as the view allows (OnExpanding, OnCollapsing).
  ///@{
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  ///@}

  /// Frees the children (or this node and its children); pointers to them
  /// are invalid afterwards.
  ///@{
  void DeleteChildren();
  void Delete();
  ///@}

  /// Whether the node is selected; setting it selects it (firing the view's OnChanging and OnChange).
  ///@{
  bool GetSelected() const;
  void SetSelected(bool v);
  ///@}
  /// The node with the keyboard caret; in this single-selection view, the
  /// selected one.
  ///@{
  bool GetFocused() const { return GetSelected(); }
  void SetFocused(bool v) { SetSelected(v); }
  ///@}

  /// Depth: 0 for a top-level node.
  int Level() const;
  /// Index among its siblings.
  int Index() const;
  /// Index in the whole tree in node order.
  int AbsoluteIndex() const;
  /// All ancestors are expanded (the node has a row, scrolled into view or not).
  bool IsVisible() const;
  /// Expands the ancestors and scrolls the node into view.
  void MakeVisible();
  /// The row (or only the text's box) in client coordinates; empty when the
  /// node has no row.
  TRect DisplayRect(bool TextOnly) const;

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  explicit TTreeNode(TTreeNodes* owner) : owner_(owner) {}

  TTreeNodes* owner_;
  TTreeNode* parent_ = nullptr;
  TTreeNode* first_ = nullptr;
  TTreeNode* last_ = nullptr;
  TTreeNode* next_ = nullptr;
  TTreeNode* prev_ = nullptr;
  int count_ = 0;
  std::string text_;
  void* data_ = nullptr;
  bool hasChildren_ = false;
  bool expanded_ = false;
  // View caches: the row shown (valid while the view's row list says so)
  // and the text width measured with the font of generation widthGen_.
  int row_ = -1;
  int textWidth_ = 0;
  unsigned widthGen_ = 0;
};

// --------------------------------------------------------- TTreeNodes ----

/// The nodes of a tree view: adding, inserting, deleting and walking them in order.
class TTreeNodes {
 public:
  /// The nodes of Owner's tree.
  explicit TTreeNodes(TCustomTreeView* Owner) : view_(Owner) {}
  ~TTreeNodes();
  TTreeNodes(const TTreeNodes&) = delete;
  TTreeNodes& operator=(const TTreeNodes&) = delete;

  /// The tree view the nodes belong to.
  TCustomTreeView* Owner() const { return view_; }

  /// Add: last sibling of Sibling (a last root when nullptr). AddFirst: first
  /// sibling. AddChild/AddChildFirst: last/first child of Parent (a root when
  /// nullptr). Insert: just before Sibling (a last root when nullptr).
  /// Add a node after Sibling's last sibling (at the top level for nullptr), with or without data; return it.
  ///@{
  TTreeNode* Add(TTreeNode* Sibling, const std::string& S) { return AddObject(Sibling, S, nullptr); }
  TTreeNode* AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr);
  TTreeNode* AddFirst(TTreeNode* Sibling, const std::string& S) { return AddObjectFirst(Sibling, S, nullptr); }
  TTreeNode* AddObjectFirst(TTreeNode* Sibling, const std::string& S, void* Ptr);
  ///@}
  /// Add a node as Parent's last or first child (top level for nullptr), with or without data; return it.
  ///@{
  TTreeNode* AddChild(TTreeNode* Parent, const std::string& S) { return AddChildObject(Parent, S, nullptr); }
  TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr);
  TTreeNode* AddChildFirst(TTreeNode* Parent, const std::string& S) { return AddChildObjectFirst(Parent, S, nullptr); }
  TTreeNode* AddChildObjectFirst(TTreeNode* Parent, const std::string& S, void* Ptr);
  ///@}
  /// Insert a node before Sibling, with or without data; return it.
  ///@{
  TTreeNode* Insert(TTreeNode* Sibling, const std::string& S) { return InsertObject(Sibling, S, nullptr); }
  TTreeNode* InsertObject(TTreeNode* Sibling, const std::string& S, void* Ptr);
  ///@}

  /// Deletes a node and its children (firing OnDeletion for each).
  void Delete(TTreeNode* Node);
  /// Deletes every node.
  void Clear();

  /// The first top-level node.
  TTreeNode* GetFirstNode() const { return first_; }
  /// Number of nodes, children included.
  int Count() const { return count_; }
  /// The Index-th node in node order; nullptr outside 0..Count()-1. Walking
  /// the indexes in order costs one step each.
  TTreeNode* Item(int Index) const;

  /// Bulk changes: the view lays out and repaints once when the last EndUpdate comes.
  ///@{
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }
  ///@}

  /// Walks every node in order (parents before their children).
  class iterator {
   public:
    /// The iterator's standard types.
    ///@{
    using iterator_category = std::forward_iterator_tag;
    using value_type = TTreeNode*;
    using difference_type = std::ptrdiff_t;
    using pointer = TTreeNode**;
    using reference = TTreeNode*;
    ///@}
    /// Starts at n.
    explicit iterator(TTreeNode* n) : n_(n) {}
    /// The node.
    TTreeNode* operator*() const { return n_; }
    /// Moves to the next node in order.
    ///@{
    iterator& operator++() { n_ = n_->GetNext(); return *this; }
    iterator operator++(int) { iterator t = *this; ++*this; return t; }
    ///@}
    /// Same node.
    bool operator==(const iterator& o) const { return n_ == o.n_; }
   private:
    TTreeNode* n_;
  };
  /// The first node and the end of the walk.
  ///@{
  iterator begin() const { return iterator(first_); }
  iterator end() const { return iterator(nullptr); }
  ///@}

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  TTreeNode* Link(TTreeNode* Parent, TTreeNode* Before, const std::string& S, void* Ptr);
  void Unlink(TTreeNode* Node);
  void CheckOwned(const TTreeNode* Node) const;
  TTreeNode*& FirstOf(TTreeNode* Parent) { return Parent ? Parent->first_ : first_; }
  TTreeNode*& LastOf(TTreeNode* Parent) { return Parent ? Parent->last_ : last_; }

  TCustomTreeView* view_;
  TTreeNode* first_ = nullptr;
  TTreeNode* last_ = nullptr;
  int rootCount_ = 0;
  int count_ = 0;
  int updateCount_ = 0;
  // Item(i) remembers where it stopped so that a loop over i is linear.
  mutable int cacheIndex_ = -1;
  mutable TTreeNode* cacheNode_ = nullptr;
};

// ---------------------------------------------------- TCustomTreeView ----

/// Parts of a tree view a point can be on.
enum THitTest : uint8_t { htAbove, htBelow, htNowhere, htOnItem, htOnButton, htOnIcon, htOnIndent, htOnLabel,
                          htOnRight, htOnStateIcon, htToLeft, htToRight };
/// A set of hit-test results.
using THitTests = TSet<THitTest>;

/// Fires before the selection moves to Node; setting AllowChange to false keeps it.
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
/// Fires after something happened to Node (selected, expanded, collapsed, deleted).
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
/// Fires before Node expands; setting AllowExpansion to false stops it.
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
/// Fires before Node collapses; setting AllowCollapse to false stops it.
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
/// Fires after Node expanded or collapsed.
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

/// A tree of text nodes with expand buttons, lines, selection, keyboard navigation and scrolling.
class TCustomTreeView : public TCustomControl {
 public:
  /// An empty tree.
  explicit TCustomTreeView(TComponent* AOwner);
  /// Frees the nodes.
  ~TCustomTreeView() override;

  /// The nodes.
  ///@{
  TTreeNodes* Items() { return items_.get(); }
  TTreeNodes* GetItems() { return items_.get(); }
  ///@}

  /// Setting the selection asks CanChange (OnChanging), then selects, makes
  /// the node visible and calls Change (OnChange). nullptr clears it.
  ///@{
  TTreeNode* GetSelected() const { return selected_; }
  void SetSelected(TTreeNode* Node);
  ///@}

  /// Collapses every node.
  void FullCollapse();
  /// Expands every node.
  void FullExpand();

  /// Label editing is not offered: ReadOnly is kept for the descendants that set it.
  ///@{
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v) { readOnly_ = v; }
  ///@}
  /// One node is selected at a time; MultiSelect is kept but changes nothing.
  /// Whether several nodes can be selected.
  ///@{
  bool GetMultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool v) { multiSelect_ = v; }
  ///@}
  /// Whether expand buttons are drawn.
  ///@{
  bool GetShowButtons() const { return showButtons_; }
  void SetShowButtons(bool v) { SetLookFlag(showButtons_, v); }
  ///@}
  /// Whether lines join the nodes.
  ///@{
  bool GetShowLines() const { return showLines_; }
  void SetShowLines(bool v) { SetLookFlag(showLines_, v); }
  ///@}
  /// Whether the top-level nodes get lines and buttons too.
  ///@{
  bool GetShowRoot() const { return showRoot_; }
  void SetShowRoot(bool v) { SetLookFlag(showRoot_, v); }
  ///@}
  /// Whether the node under the mouse is underlined.
  ///@{
  bool GetHotTrack() const { return hotTrack_; }
  void SetHotTrack(bool v) { SetLookFlag(hotTrack_, v); }
  ///@}
  /// Whether the selection covers the whole row.
  ///@{
  bool GetRowSelect() const { return rowSelect_; }
  void SetRowSelect(bool v) { SetLookFlag(rowSelect_, v); }
  ///@}
  /// Without the focus the selection shows only when HideSelection is false
  /// (then in clBtnFace).
  ///@{
  bool GetHideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v) { SetLookFlag(hideSelection_, v); }
  int GetIndent() const { return indent_; }
  void SetIndent(int v);
  ///@}

  /// Rows: all the same height, from the font.
  int ItemHeight();
  /// First node on screen.
  ///@{
  TTreeNode* GetTopItem();
  void SetTopItem(TTreeNode* Node);
  ///@}
  /// The node at client (X, Y), or nullptr.
  TTreeNode* GetNodeAt(int X, int Y);
  /// Which parts of the tree client (X, Y) is on.
  THitTests GetHitTestInfoAt(int X, int Y);

  /// The scroll bars.
  ///@{
  TClientScrollBar& VertScrollBar() { EnsureLayout(); return vbar_; }
  TClientScrollBar& HorzScrollBar() { EnsureLayout(); return hbar_; }
  ///@}

  /// The area inside the border and beside the scroll bars.
  TRect GetClientRect() const override;
  /// Moves or resizes the tree and lays it out again.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  /// See TTVExpandingEvent.
  TTVExpandingEvent OnExpanding;
  /// See TTVExpandedEvent.
  TTVExpandedEvent OnExpanded;
  /// See TTVCollapsingEvent.
  TTVCollapsingEvent OnCollapsing;
  /// See TTVExpandedEvent.
  TTVExpandedEvent OnCollapsed;
  /// See TTVChangingEvent.
  TTVChangingEvent OnChanging;
  /// Fires after the selection moved.
  TTVChangedEvent OnChange;
  /// Fires as a node is deleted (its data still there).
  TTVExpandedEvent OnDeletion;

 protected:
  friend class TTreeNode;
  friend class TTreeNodes;
  /// The hooks around expanding, collapsing, selecting and deleting.
  /// Fires OnExpanding; false stops the expansion.
  virtual bool CanExpand(TTreeNode* Node);
  /// Fires OnExpanded.
  virtual void Expand(TTreeNode* Node);
  /// Fires OnCollapsing; false stops the collapse.
  virtual bool CanCollapse(TTreeNode* Node);
  /// Fires OnCollapsed.
  virtual void Collapse(TTreeNode* Node);
  /// Fires OnChanging; false keeps the selection.
  virtual bool CanChange(TTreeNode* Node);
  /// Fires OnChange.
  virtual void Change(TTreeNode* Node);
  /// Fires OnDeletion.
  virtual void Delete(TTreeNode* Node);
  /// Asked by an expansion of a whole subtree (the * key, Expand(true),
  /// FullExpand) before each node it expands, Next being Top at the start of
  /// the walk; false ends the walk there. A tree that makes its children as
  /// they are expanded bounds an endless or enormous subtree here.
  virtual bool ContinueSubtreeExpansion(TTreeNode* Top, TTreeNode* Next);

  /// Paints the visible rows.
  void Paint() override;
  /// Draws the border and the scroll bars.
  void PaintBorder() override;
  /// Lays out the rows with the window.
  void CreateWnd() override;
  /// Measures the rows again.
  void FontChanged() override;
  /// Handles the scroll bars.
  void WndProc(TMessage& Message) override;
  /// Arrows, Page Up/Down, Home and End move the selection; +, - and * expand and collapse.
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  /// A letter selects the next node starting with it.
  void KeyPress(char32_t& Key) override;
  /// Selects a node or toggles it at its button.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  /// Releases the scroll bar being dragged.
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  /// Scroll by rows per notch.
  ///@{
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  ///@}

 private:
  // Watches a node while events run: Node turns nullptr if it is deleted.
  class NodeGuard {
   public:
    NodeGuard(TCustomTreeView* view, TTreeNode* node);
    ~NodeGuard();
    NodeGuard(const NodeGuard&) = delete;
    NodeGuard& operator=(const NodeGuard&) = delete;
    TTreeNode* node;
   private:
    TCustomTreeView* view_;
  };

  // Where the parts of a row lie, in client coordinates.
  struct RowGeometry {
    TRect row, label, button;  // button: empty when none is shown
    int column = -1;           // indent column of the node's own lines, -1 for none
  };

  // Structure (TreeNodes.cpp calls these).
  void NodeAdded(TTreeNode* Node);
  void NodeTextChanged(TTreeNode* Node);
  void NodeLookChanged(TTreeNode* Node);
  void DeleteNode(TTreeNode* Node);
  void DeleteChildrenOf(TTreeNode* Node);
  void ClearNodes();
  void DestroySubtree(TTreeNode* Node, bool Notify);
  void NodeDestroyed(TTreeNode* Node);
  void RowsChanged(const TTreeNode* From);
  void UpdateEnded();

  // Expanding and selecting (TreeView.cpp).
  bool ExpandNode(TTreeNode* Node);
  bool CollapseNode(TTreeNode* Node);
  void ExpandSubtree(TTreeNode* Node);
  void CollapseSubtree(TTreeNode* Node);
  void ToggleNode(TTreeNode* Node);
  bool SelectNode(TTreeNode* Node, bool Ask);
  void MoveSelectionWithoutAsking(TTreeNode* Node);
  void MakeNodeVisible(TTreeNode* Node);
  void SetLookFlag(bool& Flag, bool v);

  // Rows and layout (TreeViewLayout.cpp).
  void EnsureRows();
  bool EnsureLayout();
  int RowOf(const TTreeNode* Node);
  int CachedRowOf(const TTreeNode* Node) const;
  int PageRows();
  int TextWidthOf(TTreeNode* Node);
  RowGeometry GeometryOf(const TTreeNode* Node, int Row);
  void InvalidateNode(const TTreeNode* Node);
  void ScrollTo(int TopRow, int Left);
  void ScrollRowIntoView(int Row);
  void UpdateScrollBars();
  void OnBarScroll(TClientScrollBar& Bar, int Code, int Pos);

  // Painting (TreeViewPaint.cpp).
  void PaintRow(TCanvas* C, int Row);
  void PaintLines(TCanvas* C, const TTreeNode* Node, const RowGeometry& G);
  void PaintButton(TCanvas* C, const TTreeNode* Node, const TRect& Box);
  void PaintLabel(TCanvas* C, const TTreeNode* Node, const RowGeometry& G);

  // Input (TreeViewInput.cpp).
  bool NavigationKey(uint16_t Key, TShiftState Shift);
  bool ExpandKey(char32_t Ch);
  void SearchByLetter(char32_t Ch);
  TTreeNode* NodeAtRow(int Row);

  std::unique_ptr<TTreeNodes> items_;
  TTreeNode* selected_ = nullptr;
  TTreeNode* hot_ = nullptr;
  std::vector<NodeGuard*> guards_;
  bool destroying_ = false;

  bool readOnly_ = false, multiSelect_ = false;
  bool showButtons_ = true, showLines_ = true, showRoot_ = true, hotTrack_ = false, rowSelect_ = false;
  bool hideSelection_ = true;
  int indent_ = 19;

  std::vector<TTreeNode*> rows_;
  bool rowsDirty_ = true;
  bool layoutDirty_ = true;
  int rowHeight_ = 0;       // 0: measure again
  unsigned fontGen_ = 1;    // text widths measured with an older font are stale
  int contentWidth_ = 0;
  int topRow_ = 0;
  int scrollX_ = 0;
  bool showV_ = false, showH_ = false;
  TClientScrollBar vbar_{sbVertical}, hbar_{sbHorizontal};
  TClientScrollBar* barTracking_ = nullptr;
  TCanvas measure_;
  bool eatChar_ = false;    // the numpad key already did what its character would
};

/// A tree view (see TCustomTreeView).
class TTreeView : public TCustomTreeView {
 public:
  /// An empty tree.
  explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};

QEL_API_END
}  // namespace qel
