// TRLData: check marks in the first character of check-column cells.
#include "platform/rtl/Utf8.h"
#include "replist/RLData.h"

namespace qel {

void TRLData::SetMark(int Col, int Row, bool Checked) {
  const std::string& raw = cells_->GetString(Col, Row);
  cells_->SetString(Col, Row, (Checked ? "X" : " ") + Utf8RestChars(raw));
}

bool TRLData::GetElemChecked(int Col, int Row) const {
  if (!IsCheckColumn(Col) || Row < 1 || Row > nrRows_) return false;
  const std::string& raw = cells_->GetString(Col, Row);
  return !raw.empty() && raw[0] != ' ';
}

void TRLData::SetElemChecked(int Col, int Row, bool B) {
  if (!IsCheckColumn(Col) || Row < 1 || Row > nrRows_) return;
  if (GetColCheckMode(Col) == cmRadio) SetAllCheckmarksOfColIntern(Col, false);
  SetMark(Col, Row, B);
}

void TRLData::SetAllCheckmarksOfCol(int Col, bool B) {
  if (GetColCheckMode(Col) == cmBox) SetAllCheckmarksOfColIntern(Col, B);
}

void TRLData::SetAllCheckmarksOfColIntern(int Col, bool B) {
  if (Col < 1 || Col > nrCols_) return;
  for (int r = 1; r <= nrRows_; ++r) SetMark(Col, r, B);
}

void TRLData::InvertAllCheckmarksOfCol(int Col) {
  if (GetColCheckMode(Col) != cmBox) return;
  for (int r = 1; r <= nrRows_; ++r) {
    const std::string& raw = cells_->GetString(Col, r);
    SetMark(Col, r, raw.empty() || raw[0] != 'X');
  }
}

int TRLData::CountCheckedElemsInCol(int Col) const {
  int n = 0;
  for (int r = 1; r <= nrRows_; ++r) n += GetElemChecked(Col, r);
  return n;
}

int TRLData::CountCheckedElemsInRow(int Row) const {
  int n = 0;
  for (int c = 1; c <= nrCols_; ++c) n += GetElemChecked(c, Row);
  return n;
}

int TRLData::FirstCheckedElemInCol(int Col) const {
  for (int r = 1; r <= nrRows_; ++r)
    if (GetElemChecked(Col, r)) return r;
  return 0;
}

int TRLData::FirstCheckedElemInRow(int Row) const {
  for (int c = 1; c <= nrCols_; ++c)
    if (GetElemChecked(c, Row)) return c;
  return 0;
}

}  // namespace qel
