// TNTabEd cells: state bytes and marks, names, attributes and the
// precision of each column.
#include <algorithm>

#include "ntabed/detail/CellFormat.h"
#include "ntabed/QEL_ntabed.h"
#include "ntabed/detail/NTabEdInternal.h"

namespace qel {

namespace {
bool Inside(const TDataTable& T, int Col, int Row) {
  return Col >= 1 && Col <= T.GetNrOfColumns() && Row >= 1 && Row <= T.GetNrOfRows();
}
uint8_t WithBit(uint8_t State, uint8_t Bit, bool On) { return On ? uint8_t(State | Bit) : uint8_t(State & ~Bit); }
}  // namespace

// ------------------------------------------------- states and marks ----

void TNTabEd::SetCellState(int Col, int Row, uint8_t State) {
  if (!Inside(*table_, Col, Row)) return;
  table_->SetCellState(Col, Row, State);
  PaintAtOnce();
  ChangedCellStates();
}

void TNTabEd::SetIsEmpty(int Col, int Row, bool v) {
  if (!Inside(*table_, Col, Row)) return;
  table_->SetCellState(Col, Row, WithBit(table_->GetCellState(Col, Row), csEmpty, v));
  ChangedCellStates();
}

void TNTabEd::SetMarkBit(int Col, int Row, uint8_t Bit, bool v) {
  if (Inside(*table_, Col, Row)) table_->SetCellState(Col, Row, WithBit(table_->GetCellState(Col, Row), Bit, v));
  PaintAtOnce();
  ChangedCellStates();
}

bool TNTabEd::IfRowMarked(int Row) const {
  if (Row < 1 || Row > table_->GetNrOfRows()) return false;
  uint8_t all = 0;
  for (int c = 1; c <= table_->GetNrOfColumns(); ++c) all |= table_->GetCellState(c, Row);
  return all > 63;
}

bool TNTabEd::IfColumnMarked(int Col) const {
  if (Col < 1 || Col > table_->GetNrOfColumns()) return false;
  uint8_t all = 0;
  for (int r = 1; r <= table_->GetNrOfRows(); ++r) all |= table_->GetCellState(Col, r);
  return all > 63;
}

bool TNTabEd::IfAnyMarked() const {
  for (int r = 1; r <= table_->GetNrOfRows(); ++r)
    if (IfRowMarked(r)) return true;
  return false;
}

int TNTabEd::CountStateBit(uint8_t Bit) const {
  int n = 0;
  for (int r = 1; r <= table_->GetNrOfRows(); ++r)
    for (int c = 1; c <= table_->GetNrOfColumns(); ++c) n += (table_->GetCellState(c, r) & Bit) != 0;
  return n;
}

void TNTabEd::UnMarkAllElems() {
  {
    TPaintPause updating(*this, TPaintPause::Quiet);
    table_->UnmarkAllCells();
  }
  PaintAtOnce();
  ChangedCellStates();
}

void TNTabEd::MarkAll(uint8_t Bit) {
  {
    TPaintPause updating(*this, TPaintPause::Quiet);
    for (int r = 1; r <= table_->GetNrOfRows(); ++r)
      for (int c = 1; c <= table_->GetNrOfColumns(); ++c)
        table_->SetCellState(c, r, uint8_t(table_->GetCellState(c, r) | Bit));
  }
  PaintAtOnce();
  ChangedCellStates();
}

void TNTabEd::InvertCellStates(uint8_t Mask) {
  table_->InvertCellStates(Mask);
  PaintAtOnce();
  ChangedCellStates();
}

void TNTabEd::ExchangeMarkings() {
  table_->ExchangeMarkings();
  PaintAtOnce();
  ChangedCellStates();
}

void TNTabEd::FillMarkedCells(double V, uint8_t Mask) {
  TPaintPause pause(*this);
  table_->FillMarkedCells(V, Mask);
}

// ----------------------------------------------- names and attributes ----

void TNTabEd::SetColName(int Col, const std::string& Name) {
  if (Col < 1 || Col > table_->GetNrOfColumns()) return;
  table_->SetColName(Col, Name);
  ChangedHeading();
  PaintAtOnce();
}

void TNTabEd::SetRowName(int Row, const std::string& Name) {
  if (Row < 1 || Row > table_->GetNrOfRows()) return;
  table_->SetRowName(Row, Name);
  ChangedHeading();
  PaintAtOnce();
}

void TNTabEd::SetColAttrib(int Col, uint8_t A) {
  if (Col < 1 || Col > table_->GetNrOfColumns()) return;
  table_->SetColAttrib(Col, A);
  PaintAtOnce();
  ChangedAttrib();
}

void TNTabEd::SetRowAttrib(int Row, uint8_t A) {
  if (Row < 1 || Row > table_->GetNrOfRows()) return;
  table_->SetRowAttrib(Row, A);
  PaintAtOnce();
  ChangedAttrib();
}

// -------------------------------------------------------- precision ----

uint8_t TNTabEd::GetDecPlaces(int Col) const {
  if (Col < 1 || Col > table_->GetNrOfColumns()) return 0;
  return DecPlacesOf(Col);
}

void TNTabEd::SetDecPlaces(int Col, int Places) {
  if (Col < 1 || Col > table_->GetNrOfColumns()) return;
  uint8_t p = Places < 0 || Places == DecPlacesScientific ? DecPlacesScientific
                                                         : uint8_t(std::min(Places, MaxFixedDecPlaces));
  // An array left short by a failed allocation is completed first.
  if (Col > int(decPlaces_.size())) FitDecPlaces(table_->GetNrOfColumns(), DecPlacesOf(Col));
  decPlaces_[Col - 1] = p;
  PaintAtOnce();
  ChangedLayout();
}

}  // namespace qel
