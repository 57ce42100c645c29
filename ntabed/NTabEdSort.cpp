// TNTabEd sorting and searching. Every sort is one engine: find the stable
// order of the lines of a block, then move each line's cells inside the
// block (values and states together) and, where asked, its headers.
#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

#include "ntabed/QEL_ntabed.h"
#include "ntabed/detail/NTabEdInternal.h"
#include "platform/rtl/Utf8.h"

namespace qel {

struct TNTabEd::TLineSort {
  bool Columns = false;  // the lines ordered are columns (else rows)
  int Lo = 0, Hi = 0;    // the lines ordered
  int CrossLo = 0, CrossHi = 0;  // the cells of each line that move
  bool MoveHeaders = false;
  std::function<bool(int, int)> Less;  // strict order of two lines, by table index
};

namespace {

// Low and High in either order, clamped to 1..Count; false when nothing is left.
bool ClampRange(int& Low, int& High, int Count) {
  if (Low > High) std::swap(Low, High);
  Low = std::max(Low, 1);
  High = std::min(High, Count);
  return Low <= High;
}

// Numbers by value in the direction asked; cells holding none come last.
std::function<bool(int, int)> ByValue(const TDataTable& T, bool Columns, int Key, bool Ascending) {
  return [&T, Columns, Key, Ascending](int a, int b) {
    int ca = Columns ? a : Key, ra = Columns ? Key : a, cb = Columns ? b : Key, rb = Columns ? Key : b;
    double va = T.GetElem(ca, ra), vb = T.GetElem(cb, rb);
    bool na = T.GetIsNumber(ca, ra) && !std::isnan(va), nb = T.GetIsNumber(cb, rb) && !std::isnan(vb);
    if (na != nb) return na;
    if (!na) return false;
    return Ascending ? va < vb : vb < va;
  };
}

}  // namespace

void TNTabEd::SortLines(const TLineSort& S) {
  std::vector<int> order(size_t(S.Hi - S.Lo + 1));
  std::iota(order.begin(), order.end(), S.Lo);
  std::stable_sort(order.begin(), order.end(), S.Less);
  bool moved = false;
  for (size_t k = 0; k < order.size() && !moved; ++k) moved = order[k] != S.Lo + int(k);
  if (!moved) return;
  {
    TPaintPause updating(*this, TPaintPause::Quiet);
    MoveCells(S, order);
    ChangedData();
    ChangedCellStates();
    if (S.MoveHeaders) {
      MoveHeaders(S.Columns, S.Lo, order);
      ChangedHeading();
      ChangedAttrib();
      if (S.Columns) ChangedLayout();
    }
  }
  PaintAtOnce();
  FlushNotifications();
}

// Line Lo + k takes the cells that line Order[k] had, within the block.
void TNTabEd::MoveCells(const TLineSort& S, const std::vector<int>& Order) {
  std::vector<double> values(Order.size());
  std::vector<uint8_t> states(Order.size());
  for (int x = S.CrossLo; x <= S.CrossHi; ++x) {
    auto col = [&](int line) { return S.Columns ? line : x; };
    auto row = [&](int line) { return S.Columns ? x : line; };
    for (size_t k = 0; k < Order.size(); ++k) {
      values[k] = table_->GetElem(col(Order[k]), row(Order[k]));
      states[k] = table_->GetCellState(col(Order[k]), row(Order[k]));
    }
    for (size_t k = 0; k < Order.size(); ++k) {
      int line = S.Lo + int(k);
      table_->SetElem(col(line), row(line), values[k]);
      table_->SetCellState(col(line), row(line), states[k]);
    }
  }
}

void TNTabEd::MoveHeaders(bool Columns, int Lo, const std::vector<int>& Order) {
  TDataTable& t = *table_;
  struct THeader {
    std::string name;
    uint8_t attrib = 0, places = 0;
    int scaleType = 0;
    std::vector<std::string> ids;
  };
  std::vector<THeader> headers(Order.size());
  for (size_t k = 0; k < Order.size(); ++k) {
    THeader& h = headers[k];
    int from = Order[k];
    h.name = Columns ? t.GetColName(from) : t.GetRowName(from);
    h.attrib = Columns ? t.GetColAttrib(from) : t.GetRowAttrib(from);
    if (!Columns) continue;
    h.places = DecPlacesOf(from);
    h.scaleType = t.GetMScaleType(from);
    for (int code = 1; code <= MaxNominalCode; ++code) h.ids.push_back(t.GetNominalID(from, code));
  }
  for (size_t k = 0; k < Order.size(); ++k) {
    const THeader& h = headers[k];
    int to = Lo + int(k);
    if (!Columns) {
      t.SetRowName(to, h.name);
      t.SetRowAttrib(to, h.attrib);
      continue;
    }
    t.SetColName(to, h.name);
    t.SetColAttrib(to, h.attrib);
    if (to <= int(decPlaces_.size())) decPlaces_[to - 1] = h.places;
    t.SetMScaleType(to, h.scaleType);
    for (int code = 1; code <= MaxNominalCode; ++code)
      if (t.GetNominalID(to, code) != h.ids[code - 1]) t.SetNominalID(to, code, h.ids[code - 1]);
  }
}

// ---------------------------------------------------------- by values ----

void TNTabEd::SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                       bool MoveHeaders) {
  if (!ClampRange(LowCol, HighCol, GetNrOfColumns()) || !ClampRange(LowRow, HighRow, GetNrOfRows())) return;
  if (SortColIx < LowCol || SortColIx > HighCol) return;  // the key must move with its row
  SortLines({false, LowRow, HighRow, LowCol, HighCol, MoveHeaders, ByValue(*table_, false, SortColIx, Ascending)});
}

void TNTabEd::SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                       bool MoveHeaders) {
  if (!ClampRange(LowCol, HighCol, GetNrOfColumns()) || !ClampRange(LowRow, HighRow, GetNrOfRows())) return;
  if (SortRowIx < LowRow || SortRowIx > HighRow) return;
  SortLines({true, LowCol, HighCol, LowRow, HighRow, MoveHeaders, ByValue(*table_, true, SortRowIx, Ascending)});
}

// ------------------------------------------------------ by attributes ----

void TNTabEd::SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  if (!ClampRange(LowCol, HighCol, GetNrOfColumns()) || !ClampRange(LowRow, HighRow, GetNrOfRows())) return;
  const TDataTable& t = *table_;
  SortLines({false, LowRow, HighRow, LowCol, HighCol, true, [&t, Ascending](int a, int b) {
               return Ascending ? t.GetRowAttrib(a) < t.GetRowAttrib(b) : t.GetRowAttrib(b) < t.GetRowAttrib(a);
             }});
}

void TNTabEd::SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  if (!ClampRange(LowCol, HighCol, GetNrOfColumns()) || !ClampRange(LowRow, HighRow, GetNrOfRows())) return;
  const TDataTable& t = *table_;
  SortLines({true, LowCol, HighCol, LowRow, HighRow, true, [&t, Ascending](int a, int b) {
               return Ascending ? t.GetColAttrib(a) < t.GetColAttrib(b) : t.GetColAttrib(b) < t.GetColAttrib(a);
             }});
}

// ----------------------------------------------------------- by names ----

void TNTabEd::SortByName(bool Columns, bool Ascending, bool CaseSensitive, int LowCol, int LowRow, int HighCol,
                         int HighRow) {
  if (!ClampRange(LowCol, HighCol, GetNrOfColumns()) || !ClampRange(LowRow, HighRow, GetNrOfRows())) return;
  const TDataTable& t = *table_;
  auto less = [&t, Columns, Ascending, CaseSensitive](int a, int b) {
    std::string na = Columns ? t.GetColName(a) : t.GetRowName(a), nb = Columns ? t.GetColName(b) : t.GetRowName(b);
    int cmp = CaseSensitive ? CompareStr(na, nb) : AnsiCompareText(na, nb);
    return Ascending ? cmp < 0 : cmp > 0;
  };
  if (Columns) SortLines({true, LowCol, HighCol, LowRow, HighRow, true, less});
  else SortLines({false, LowRow, HighRow, LowCol, HighCol, true, less});
}

void TNTabEd::SortColNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  SortByName(true, Ascending, false, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortColNames(bool Ascending, bool CaseSensitive, int LowCol, int LowRow, int HighCol, int HighRow) {
  SortByName(true, Ascending, CaseSensitive, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  SortByName(false, Ascending, false, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowNames(bool Ascending, bool CaseSensitive, int LowCol, int LowRow, int HighCol, int HighRow) {
  SortByName(false, Ascending, CaseSensitive, LowCol, LowRow, HighCol, HighRow);
}

// ---------------------------------------------------------- searching ----

int TNTabEd::FindColIndex(const std::string& Name) const {
  std::string want = Utf8Left(Name, MaxNameLength);
  for (int c = 1; c <= table_->GetNrOfColumns(); ++c)
    if (table_->GetColName(c) == want) return c;
  return 0;
}

int TNTabEd::FindRowIndex(const std::string& Name) const {
  std::string want = Utf8Left(Name, MaxNameLength);
  for (int r = 1; r <= table_->GetNrOfRows(); ++r)
    if (table_->GetRowName(r) == want) return r;
  return 0;
}

}  // namespace qel
