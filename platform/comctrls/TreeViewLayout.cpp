// TCustomTreeView rows and layout: the list of rows shown, where the parts
// of a row lie, the scroll position and the scroll bars.
#include <algorithm>

#include "platform/comctrls/TreeView.h"

namespace qel {

namespace {
constexpr int LabelGap = 2;      // between the indent columns and the text's box
constexpr int LabelPadding = 2;  // inside the text's box, left and right
constexpr int HorzLineStep = 8;  // pixels per click on a horizontal arrow
}  // namespace

// The rows: every node whose ancestors are all expanded, in node order.
void TCustomTreeView::EnsureRows() {
  if (!rowsDirty_) return;
  rows_.clear();
  for (TTreeNode* n = items_->first_; n;) {
    n->row_ = static_cast<int>(rows_.size());
    rows_.push_back(n);
    if (n->expanded_ && n->first_) { n = n->first_; continue; }
    while (n && !n->next_) n = n->parent_;
    if (n) n = n->next_;
  }
  rowsDirty_ = false;
  layoutDirty_ = true;
}

int TCustomTreeView::RowOf(const TTreeNode* Node) {
  EnsureRows();
  return CachedRowOf(Node);
}

// The row in the list as it is, even when it is due to be rebuilt; -1 when
// the node had none.
int TCustomTreeView::CachedRowOf(const TTreeNode* Node) const {
  if (!Node) return -1;
  int r = Node->row_;
  return r >= 0 && r < static_cast<int>(rows_.size()) && rows_[r] == Node ? r : -1;
}

TTreeNode* TCustomTreeView::NodeAtRow(int Row) {
  EnsureRows();
  return Row >= 0 && Row < static_cast<int>(rows_.size()) ? rows_[Row] : nullptr;
}

int TCustomTreeView::ItemHeight() {
  if (rowHeight_ == 0) {
    int h = measure_.TextHeight("Wg") + 3;
    rowHeight_ = h + (h & 1);  // even, so the dotted lines continue from row to row
  }
  return rowHeight_;
}

int TCustomTreeView::PageRows() { return std::max(ClientHeight() / ItemHeight(), 1); }

int TCustomTreeView::TextWidthOf(TTreeNode* Node) {
  if (Node->widthGen_ != fontGen_) {
    Node->textWidth_ = measure_.TextWidth(Node->text_);
    Node->widthGen_ = fontGen_;
  }
  return Node->textWidth_;
}

TCustomTreeView::RowGeometry TCustomTreeView::GeometryOf(const TTreeNode* Node, int Row) {
  RowGeometry g;
  int rh = ItemHeight();
  int top = (Row - topRow_) * rh;
  g.row = {0, top, ClientWidth(), top + rh};
  int columns = Node->Level() + (showRoot_ ? 1 : 0);
  g.column = columns - 1;
  int x0 = -scrollX_;
  int left = x0 + columns * indent_ + LabelGap;
  int width = TextWidthOf(const_cast<TTreeNode*>(Node)) + 2 * LabelPadding;
  g.label = {left, top, rowSelect_ ? std::max(g.row.Right, left + width) : left + width, top + rh};
  if (showButtons_ && Node->hasChildren_ && g.column >= 0) {
    int cx = x0 + g.column * indent_ + indent_ / 2, cy = top + rh / 2;
    g.button = {cx - 4, cy - 4, cx + 5, cy + 5};
  }
  return g;
}

// Widest row, bars, scroll position. Returns true when a bar came or went
// (the client area changed) or the scroll position had to move.
bool TCustomTreeView::EnsureLayout() {
  EnsureRows();
  if (!layoutDirty_) return false;
  layoutDirty_ = false;
  contentWidth_ = 0;
  int sr = showRoot_ ? 1 : 0;
  for (TTreeNode* n : rows_)
    contentWidth_ = std::max(contentWidth_, (n->Level() + sr) * indent_ + LabelGap + TextWidthOf(n) +
                                                2 * LabelPadding + LabelGap);
  TRect full = TWinControl::GetClientRect();
  int rh = ItemHeight(), count = static_cast<int>(rows_.size());
  bool v = false, h = false;
  for (int pass = 0; pass < 3; ++pass) {
    int w = full.Width() - (v ? ScrollBarSize : 0), ht = full.Height() - (h ? ScrollBarSize : 0);
    v = count * rh > ht;
    h = contentWidth_ > w;
  }
  bool changed = v != showV_ || h != showH_;
  showV_ = v;
  showH_ = h;
  if (changed && Surface()) {
    TargetClientArea();
    Invalidate();
  }
  int oldTop = topRow_, oldX = scrollX_;
  topRow_ = std::clamp(topRow_, 0, std::max(count - PageRows(), 0));
  scrollX_ = std::clamp(scrollX_, 0, std::max(contentWidth_ - ClientWidth(), 0));
  if (topRow_ != oldTop || scrollX_ != oldX) {
    changed = true;  // every row moved
    Invalidate();
  }
  UpdateScrollBars();
  return changed;
}

TRect TCustomTreeView::GetClientRect() const {
  return ClientInsideScrollBars(TWinControl::GetClientRect(), showV_, showH_);
}

void TCustomTreeView::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  layoutDirty_ = true;
  Invalidate();
}

void TCustomTreeView::CreateWnd() {
  TCustomControl::CreateWnd();
  layoutDirty_ = true;
  EnsureLayout();
}

void TCustomTreeView::UpdateScrollBars() {
  const TRect c = GetClientRect();
  PlaceScrollBars(c,
                  {showV_, showH_, std::max(static_cast<int>(rows_.size()) - 1, 0), PageRows(), topRow_,
                   std::max(contentWidth_ - 1, 0), std::max(c.Width(), 1), scrollX_},
                  vbar_, hbar_);
}

void TCustomTreeView::ScrollTo(int TopRow, int Left) {
  EnsureLayout();
  TopRow = std::clamp(TopRow, 0, std::max(static_cast<int>(rows_.size()) - PageRows(), 0));
  Left = std::clamp(Left, 0, std::max(contentWidth_ - ClientWidth(), 0));
  if (TopRow == topRow_ && Left == scrollX_) return;
  topRow_ = TopRow;
  scrollX_ = Left;
  UpdateScrollBars();
  Invalidate();
}

void TCustomTreeView::ScrollRowIntoView(int Row) {
  EnsureLayout();
  int page = PageRows();
  if (Row < topRow_) ScrollTo(Row, scrollX_);
  else if (Row >= topRow_ + page) ScrollTo(Row - page + 1, scrollX_);
}

void TCustomTreeView::OnBarScroll(TClientScrollBar& Bar, int Code, int Pos) {
  bool vert = &Bar == &vbar_;
  int first = vert ? topRow_ : scrollX_;
  int line = vert ? 1 : HorzLineStep;
  int page = vert ? PageRows() : std::max(ClientWidth() - HorzLineStep, 1);
  int next = first;
  switch (Code) {
    case SB_LINEUP: next = first - line; break;
    case SB_LINEDOWN: next = first + line; break;
    case SB_PAGEUP: next = first - page; break;
    case SB_PAGEDOWN: next = first + page; break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: next = Pos; break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = 1 << 28; break;
    default: return;
  }
  if (vert) ScrollTo(next, scrollX_); else ScrollTo(topRow_, next);
  UpdateScrollBars();  // the thumb snaps back when the view did not follow
}

void TCustomTreeView::InvalidateNode(const TTreeNode* Node) {
  int row = CachedRowOf(Node);  // rows that moved are repainted anyway
  if (row < topRow_) return;
  int rh = ItemHeight(), top = (row - topRow_) * rh;
  if (top >= ClientHeight()) return;
  InvalidateRect({0, top, ClientWidth(), top + rh});
}

TTreeNode* TCustomTreeView::GetTopItem() {
  EnsureLayout();
  return NodeAtRow(topRow_);
}

void TCustomTreeView::SetTopItem(TTreeNode* Node) {
  items_->CheckOwned(Node);
  int row = RowOf(Node);
  if (row >= 0) ScrollTo(row, scrollX_);
}

THitTests TCustomTreeView::GetHitTestInfoAt(int X, int Y) {
  EnsureLayout();
  TRect c = GetClientRect();
  THitTests result;
  if (X < 0) result.Include(htToLeft);
  if (X >= c.Right) result.Include(htToRight);
  if (Y < 0) result.Include(htAbove);
  if (Y >= c.Bottom) result.Include(htBelow);
  if (!result.Empty()) return result;
  int row = topRow_ + Y / ItemHeight();
  TTreeNode* n = NodeAtRow(row);
  if (!n) return THitTests{htNowhere};
  RowGeometry g = GeometryOf(n, row);
  if (!g.button.IsEmpty() && X >= g.button.Left - 2 && X < g.button.Right + 2) return THitTests{htOnButton};
  if (X < g.label.Left) return THitTests{htOnIndent};
  if (X < g.label.Right) return THitTests{htOnItem, htOnLabel};
  return THitTests{htOnRight};
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) {
  EnsureLayout();
  if (X < 0 || Y < 0 || X >= ClientWidth() || Y >= ClientHeight()) return nullptr;
  return NodeAtRow(topRow_ + Y / ItemHeight());
}

}  // namespace qel
