// TMarkSel state: construction, the setters, visibility and the geometry
// that painting and hit-testing share.
#include <cstdint>

#include "pickers/QEL_marksel.h"

namespace qel {

TMarkSel::TMarkSel(TComponent* AOwner) : TGraphicControl(AOwner) {
  visible_.fill(true);
  SetBounds(GetLeft(), GetTop(), 236, 178);
}

// ------------------------------------------------------------- setters ----

void TMarkSel::SetNrOfColumns(int v) {
  if (v >= 1 && v <= MaxMarkSymbol) SetProperty(nrOfColumns_, v, TRefresh::Paint);
}

void TMarkSel::SetNrOfRows(int v) {
  if (v >= 1 && v <= MaxMarkSymbol) SetProperty(nrOfRows_, v, TRefresh::Paint);
}

void TMarkSel::SetSelected(int v) {
  if (v >= -1 && v <= MaxMarkSymbol) SetProperty(selected_, v, TRefresh::Paint);
}

void TMarkSel::SetVis(int i, bool v) {
  if (i >= 1 && i <= MaxMarkSymbol) SetProperty(visible_[i], v, TRefresh::Paint);
}

void TMarkSel::SetAllVis(bool v) {
  for (int i = 1; i < NumMarks; ++i) visible_[i] = v;
  Paint();
}

// ------------------------------------------------------------ geometry ----

int TMarkSel::CellWidth() const { return (GetWidth() - 4) / nrOfColumns_; }
int TMarkSel::CellHeight() const { return (GetHeight() - 4) / nrOfRows_; }

TMarkSel::TGeometry TMarkSel::Geometry() const {
  TGeometry g;
  g.cw = CellWidth();
  g.ch = CellHeight();
  g.hw = g.cw / 2;
  g.hh = g.ch / 2;
  int n = 0;
  for (int i = 0; i < NumMarks; ++i) {
    if (!visible_[i]) {
      g.centre[i] = {-1, -1};
      continue;
    }
    g.centre[i] = {(n % nrOfColumns_) * g.cw + g.hw, (n / nrOfColumns_) * g.ch + g.hh};
    ++n;
  }
  return g;
}

TPoint TMarkSel::GetMarkCentre(int i) const {
  if (i < 0 || i >= NumMarks) return {-1, -1};
  return Geometry().centre[i];
}

int TMarkSel::NearestMark(int X, int Y) const {
  TGeometry g = Geometry();
  int best = 0;
  int64_t bestDist = -1;
  for (int i = 0; i < NumMarks; ++i) {
    if (!visible_[i]) continue;
    int64_t dx = X - g.centre[i].X, dy = Y - g.centre[i].Y;
    int64_t d = dx * dx + dy * dy;
    if (bestDist < 0 || d < bestDist) {  // strictly closer: the lower number keeps a tie
      best = i;
      bestDist = d;
    }
  }
  return best;
}

}  // namespace qel
