// TCustomTreeView painting: only the rows inside the clip, each with its
// dotted lines, its expand button and its text; the bars outside the client.
#include <algorithm>

#include "platform/comctrls/TreeView.h"

namespace qel {

namespace {

// Dotted lines: the pixels of one checkerboard colour, counted from the
// content origin so the dots line up across rows and while scrolling.
struct DotPen {
  TCanvas* C;
  int originX, originY;
  void Vert(int x, int y1, int y2) const {
    for (int y = y1; y < y2; ++y)
      if (((x - originX + y - originY) & 1) == 0) C->SetPixels(x, y, clGray);
  }
  void Horz(int x1, int x2, int y) const {
    for (int x = x1; x < x2; ++x)
      if (((x - originX + y - originY) & 1) == 0) C->SetPixels(x, y, clGray);
  }
};

}  // namespace

void TCustomTreeView::Paint() {
  bool relaid = rowsDirty_ || layoutDirty_;
  if (EnsureLayout()) {
    // A bar came or went, or every row moved, after the paint cycle chose
    // its area: paint the whole client area now.
    TargetClientArea();
  }
  if (relaid) PaintBorder();  // the bars' ranges changed
  TCanvas* C = Canvas();
  C->Font()->Assign(GetFont());
  TRect clip = IntersectRect(C->GetClipRect(), GetClientRect());
  int rh = ItemHeight();
  int first = topRow_ + std::max(clip.Top, 0) / rh;
  int last = topRow_ + std::max(clip.Bottom - 1, 0) / rh;
  int count = static_cast<int>(rows_.size());
  for (int row = first; row <= last && row < count; ++row) PaintRow(C, row);
  int bottom = (std::min(last + 1, count) - topRow_) * rh;
  if (bottom < clip.Bottom) {
    C->Brush()->SetColor(GetColor());
    C->FillRect({clip.Left, std::max(bottom, clip.Top), clip.Right, clip.Bottom});
  }
}

void TCustomTreeView::PaintRow(TCanvas* C, int Row) {
  TTreeNode* n = rows_[Row];
  RowGeometry g = GeometryOf(n, Row);
  C->Brush()->SetColor(GetColor());
  C->FillRect(g.row);
  if (showLines_) PaintLines(C, n, g);
  if (!g.button.IsEmpty()) PaintButton(C, n, g.button);
  PaintLabel(C, n, g);
}

// The node's own column: up to its middle (from the parent or the previous
// sibling), down to the next sibling, across to the text. Each ancestor
// that has a later sibling passes by in its own column.
void TCustomTreeView::PaintLines(TCanvas* C, const TTreeNode* Node, const RowGeometry& G) {
  if (G.column < 0) return;
  DotPen pen{C, -scrollX_, (0 - topRow_) * ItemHeight()};
  int x0 = -scrollX_;
  int top = G.row.Top, bottom = G.row.Bottom, mid = top + (bottom - top) / 2;
  int cx = x0 + G.column * indent_ + indent_ / 2;
  if (Node->prev_ || Node->parent_) pen.Vert(cx, top, mid);
  if (Node->next_) pen.Vert(cx, mid, bottom);
  pen.Horz(cx, x0 + (G.column + 1) * indent_, mid);
  int column = G.column;
  for (const TTreeNode* a = Node->parent_; a && --column >= 0; a = a->parent_)
    if (a->next_) pen.Vert(x0 + column * indent_ + indent_ / 2, top, bottom);
}

// A 9 x 9 box with a minus, and a plus when collapsed.
void TCustomTreeView::PaintButton(TCanvas* C, const TTreeNode* Node, const TRect& Box) {
  C->Brush()->SetColor(clWindow);
  C->FillRect(Box);
  C->Brush()->SetColor(clGray);
  C->FrameRect(Box);
  int cx = Box.Left + 4, cy = Box.Top + 4;
  C->Brush()->SetColor(clBlack);
  C->FillRect({cx - 2, cy, cx + 3, cy + 1});
  if (!Node->expanded_) C->FillRect({cx, cy - 2, cx + 1, cy + 3});
}

// The text in its box: highlighted when selected (clHighlight with the
// focus, clBtnFace without it unless HideSelection), underlined in
// clHotLight under the mouse with HotTrack, the focus frame when focused,
// clGrayText when disabled.
void TCustomTreeView::PaintLabel(TCanvas* C, const TTreeNode* Node, const RowGeometry& G) {
  bool focused = Focused();
  bool selected = Node == selected_ && (focused || !hideSelection_);
  TColor back = selected ? (focused ? clHighlight : clBtnFace) : GetColor();
  TColor fore = selected ? (focused ? clHighlightText : clWindowText) : GetFont()->GetColor();
  if (!GetEnabled()) fore = clGrayText;
  TFontStyles style = GetFont()->GetStyle();
  if (hotTrack_ && Node == hot_ && !selected) {
    fore = clHotLight;
    style.Include(fsUnderline);
  }
  C->Font()->SetColor(fore);
  C->Font()->SetStyle(style);
  C->Brush()->SetColor(back);
  if (selected) C->FillRect(G.label);
  int ty = G.label.Top + (G.label.Height() - C->TextHeight(Node->text_)) / 2;
  C->TextRect(G.label, G.label.Left + 2, ty, Node->text_);
  C->Font()->SetStyle(GetFont()->GetStyle());
  if (focused && Node == selected_) DrawFocusRect(C, G.label);
}

// Outside the client area: the border, the bars and the corner between them.
void TCustomTreeView::PaintBorder() {
  TCustomControl::PaintBorder();
  PaintScrollBars(*this, showV_ ? &vbar_ : nullptr, showH_ ? &hbar_ : nullptr);
}

}  // namespace qel
