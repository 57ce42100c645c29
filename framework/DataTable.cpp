// TMatrix and TDataTable.
#include "framework/DataTable.h"

#include <algorithm>

#include "framework/AllocGuard.h"
#include "platform/rtl/NumConv.h"
#include "platform/rtl/Utf8.h"

namespace qel {

TMatrix::TMatrix(int Cols, int Rows) {
  cols_ = std::max(Cols, 0);
  rows_ = std::max(Rows, 0);
  CheckAllocation(size_t(cols_) * size_t(rows_), sizeof(double));
  GuardAllocation([&] { values_.assign(size_t(cols_) * size_t(rows_), 0.0); });
}

void TMatrix::Fill(double V) { std::fill(values_.begin(), values_.end(), V); }

TDataTable::TDataTable(int Cols, int Rows) : TMatrix(0, 0) { Resize(Cols, Rows); }

void TDataTable::Rebuild(int Cols, int Rows, const IndexMap& ColFrom, const IndexMap& RowFrom) {
  Cols = std::max(Cols, 0);
  Rows = std::max(Rows, 0);
  const size_t n = size_t(Cols) * size_t(Rows);
  CheckAllocation(n, sizeof(double) + 1);
  std::vector<double> values;
  std::vector<uint8_t> states;
  std::vector<Column> cols;
  std::vector<RowInfo> rows;
  GuardAllocation([&] {
    values.assign(n, 0.0);
    states.assign(n, 0);
    cols.resize(size_t(Cols));
    rows.resize(size_t(Rows));
    for (int c = 1; c <= Cols; ++c) {
      const int from = ColFrom(c);
      if (from >= 1 && from <= cols_) cols[c - 1] = colInfo_[from - 1];
      else cols[c - 1].name = "C-" + IntToStr(c);
    }
    for (int r = 1; r <= Rows; ++r) {
      const int from = RowFrom(r);
      if (from >= 1 && from <= rows_) rows[r - 1] = rowInfo_[from - 1];
      else rows[r - 1].name = "R-" + IntToStr(r);
    }
  });
  for (int r = 1; r <= Rows; ++r) {
    const int fr = RowFrom(r);
    if (fr < 1 || fr > rows_) continue;
    for (int c = 1; c <= Cols; ++c) {
      const int fc = ColFrom(c);
      if (fc < 1 || fc > cols_) continue;
      values[size_t(r - 1) * Cols + (c - 1)] = values_[At(fc, fr)];
      states[size_t(r - 1) * Cols + (c - 1)] = states_[At(fc, fr)];
    }
  }
  const int oldCols = cols_, oldRows = rows_;
  values_.swap(values);
  states_.swap(states);
  colInfo_.swap(cols);
  rowInfo_.swap(rows);
  cols_ = Cols;
  rows_ = Rows;
  Resized(oldCols, oldRows);
}

void TDataTable::Resized(int OldCols, int OldRows) {
  if (OnResize) OnResize(this, OldCols, OldRows, cols_, rows_);
}

void TDataTable::Resize(int Cols, int Rows) {
  auto same = [](int i) { return i; };
  Rebuild(Cols, Rows, same, same);
}

void TDataTable::InsertRow(int R) {
  if (R < 1 || R > rows_ + 1) return;
  Rebuild(cols_, rows_ + 1, [](int c) { return c; }, [R](int r) { return r < R ? r : r == R ? 0 : r - 1; });
}

void TDataTable::InsertColumn(int C) {
  if (C < 1 || C > cols_ + 1) return;
  Rebuild(cols_ + 1, rows_, [C](int c) { return c < C ? c : c == C ? 0 : c - 1; }, [](int r) { return r; });
}

void TDataTable::RemoveRow(int R) {
  if (R < 1 || R > rows_ || rows_ < 2) return;
  Rebuild(cols_, rows_ - 1, [](int c) { return c; }, [R](int r) { return r < R ? r : r + 1; });
}

void TDataTable::RemoveColumn(int C) {
  if (C < 1 || C > cols_ || cols_ < 2) return;
  Rebuild(cols_ - 1, rows_, [C](int c) { return c < C ? c : c + 1; }, [](int r) { return r; });
}

void TDataTable::Clear() {
  Fill(0);
  std::fill(states_.begin(), states_.end(), 0);
  DataChanged();
}

void TDataTable::MirrorRows() {
  for (int a = 1, b = rows_; a < b; ++a, --b) {
    if (OnSortExchange) OnSortExchange(this, 0, a, b, 0, 0);
    for (int c = 1; c <= cols_; ++c) {
      std::swap(values_[At(c, a)], values_[At(c, b)]);
      std::swap(states_[At(c, a)], states_[At(c, b)]);
    }
    std::swap(rowInfo_[a - 1], rowInfo_[b - 1]);
  }
  DataChanged();
}

void TDataTable::MirrorColumns() {
  for (int a = 1, b = cols_; a < b; ++a, --b) {
    if (OnSortExchange) OnSortExchange(this, 1, a, b, 0, 0);
    for (int r = 1; r <= rows_; ++r) {
      std::swap(values_[At(a, r)], values_[At(b, r)]);
      std::swap(states_[At(a, r)], states_[At(b, r)]);
    }
    std::swap(colInfo_[a - 1], colInfo_[b - 1]);
  }
  DataChanged();
}

void TDataTable::UnmarkAllCells() {
  for (uint8_t& s : states_) s &= uint8_t(~(csMarkA | csMarkB));
}

void TDataTable::InvertCellStates(uint8_t Mask) {
  for (uint8_t& s : states_) s ^= Mask;
}

void TDataTable::ExchangeMarkings() {
  for (uint8_t& s : states_) {
    const uint8_t a = s & csMarkA, b = s & csMarkB;
    s = uint8_t((s & ~(csMarkA | csMarkB)) | (a << 1) | (b >> 1));
  }
}

void TDataTable::FillMarkedCells(double V, uint8_t Mask) {
  for (size_t i = 0; i < states_.size(); ++i)
    if (states_[i] & Mask) values_[i] = V;
  DataChanged();
}

std::string TDataTable::GetColName(int Col) const {
  return Col >= 1 && Col <= cols_ ? colInfo_[Col - 1].name : "";
}

void TDataTable::SetColName(int Col, const std::string& Name) {
  if (Col >= 1 && Col <= cols_) colInfo_[Col - 1].name = Utf8Left(Name, MaxNameLength);
}

std::string TDataTable::GetRowName(int Row) const {
  return Row >= 1 && Row <= rows_ ? rowInfo_[Row - 1].name : "";
}

void TDataTable::SetRowName(int Row, const std::string& Name) {
  if (Row >= 1 && Row <= rows_) rowInfo_[Row - 1].name = Utf8Left(Name, MaxNameLength);
}

uint8_t TDataTable::GetColAttrib(int Col) const { return Col >= 1 && Col <= cols_ ? colInfo_[Col - 1].attrib : 0; }
void TDataTable::SetColAttrib(int Col, uint8_t A) {
  if (Col >= 1 && Col <= cols_) colInfo_[Col - 1].attrib = A;
}
uint8_t TDataTable::GetRowAttrib(int Row) const { return Row >= 1 && Row <= rows_ ? rowInfo_[Row - 1].attrib : 0; }
void TDataTable::SetRowAttrib(int Row, uint8_t A) {
  if (Row >= 1 && Row <= rows_) rowInfo_[Row - 1].attrib = A;
}

void TDataTable::SetFComment(const std::string& S) {
  comment_ = S;
  SetupChanged();
}

int TDataTable::GetMScaleType(int Col) const { return Col >= 1 && Col <= cols_ ? colInfo_[Col - 1].scaleType : 0; }

void TDataTable::SetMScaleType(int Col, int Type) {
  if (Col < 1 || Col > cols_ || Type < 0 || Type > MaxMScaleType) return;
  colInfo_[Col - 1].scaleType = Type;
  SetupChanged();
}

std::string TDataTable::GetNominalID(int Col, int Code) const {
  if (Col < 1 || Col > cols_ || Code < 1 || Code > MaxNominalCode) return "";
  const auto& ids = colInfo_[Col - 1].nominal;
  return size_t(Code) <= ids.size() ? ids[Code - 1] : "";
}

void TDataTable::SetNominalID(int Col, int Code, const std::string& ID) {
  if (Col < 1 || Col > cols_ || Code < 1 || Code > MaxNominalCode) return;
  auto& ids = colInfo_[Col - 1].nominal;
  if (ids.size() < size_t(Code)) ids.resize(size_t(Code));
  ids[Code - 1] = Utf8Left(ID, MaxNominalIDLength);
  SetupChanged();
}

int TDataTable::OrdinalOfNominalID(int Col, const std::string& Text, bool IgnoreCase) const {
  if (Col < 1 || Col > cols_) return 0;
  const std::string want = Utf8Left(Text, MaxNominalIDLength);
  const auto& ids = colInfo_[Col - 1].nominal;
  for (size_t i = 0; i < ids.size(); ++i)
    if (!ids[i].empty() && (IgnoreCase ? AnsiSameText(ids[i], want) : ids[i] == want)) return int(i) + 1;
  return 0;
}

// ---------------------------------------------------------- TIntMatrix ----

TIntMatrix::TIntMatrix(int Cols, int Rows) { Resize(Cols, Rows); }

void TIntMatrix::Resize(int Cols, int Rows) {
  Cols = std::max(Cols, 0);
  Rows = std::max(Rows, 0);
  CheckAllocation(size_t(Cols) * size_t(Rows), sizeof(int32_t));
  std::vector<int32_t> fresh;
  GuardAllocation([&] { fresh.assign(size_t(Cols) * size_t(Rows), 0); });
  for (int r = 0; r < std::min(Rows, rows_); ++r)
    for (int c = 0; c < std::min(Cols, cols_); ++c) fresh[size_t(r) * Cols + c] = values_[size_t(r) * cols_ + c];
  values_.swap(fresh);
  cols_ = Cols;
  rows_ = Rows;
}

int32_t TIntMatrix::GetVal(int Col, int Row) const {
  return Col >= 1 && Col <= cols_ && Row >= 1 && Row <= rows_ ? values_[size_t(Row - 1) * cols_ + (Col - 1)] : 0;
}

void TIntMatrix::SetVal(int Col, int Row, int32_t V) {
  if (Col >= 1 && Col <= cols_ && Row >= 1 && Row <= rows_) values_[size_t(Row - 1) * cols_ + (Col - 1)] = V;
}

// ------------------------------------------------------------- TBitFld ----

void TBitFld::SetSize(int N) {
  N = std::max(N, 0);
  const size_t words = (size_t(N) + 63) / 64;
  CheckAllocation(words, sizeof(uint64_t));
  GuardAllocation([&] { words_.resize(words, 0); });
  if (N % 64 && !words_.empty()) words_.back() &= (uint64_t(1) << (N % 64)) - 1;  // drop cut bits
  size_ = N;
}

void TBitFld::Clear() { std::fill(words_.begin(), words_.end(), 0); }

bool TBitFld::GetBit(int I) const { return I >= 0 && I < size_ && (words_[I / 64] >> (I % 64) & 1); }

void TBitFld::SetBit(int I, bool V) {
  if (I < 0 || I >= size_) return;
  const uint64_t bit = uint64_t(1) << (I % 64);
  if (V) words_[I / 64] |= bit;
  else words_[I / 64] &= ~bit;
}

int TBitFld::FirstTrueBit() const {
  for (size_t w = 0; w < words_.size(); ++w)
    if (words_[w]) return int(w * 64) + __builtin_ctzll(words_[w]);
  return -1;
}

int TBitFld::CountTrueBits() const {
  int n = 0;
  for (uint64_t w : words_) n += __builtin_popcountll(w);
  return n;
}

}  // namespace qel
