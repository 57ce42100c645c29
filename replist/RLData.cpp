// TRLData: construction, dimensions, cells and column metadata.
#include <algorithm>

#include "framework/AllocGuard.h"
#include "platform/rtl/NumConv.h"
#include "platform/rtl/Utf8.h"
#include "replist/RLData.h"

namespace qel {

std::string ReplistErrorMessage(const std::string& Text) { return "Report list error in " + Text + "."; }

std::string TRLData::OutOfMemoryMessage(const char* Ending) const { return ComponentErrorMessage(GetName(), Ending); }

TRLData::TRLData(TComponent* AOwner) : TComponent(AOwner) {
  try {
    cells_ = NewStorage(10);
    cells_->Resize(nrCols_, std::max(nrRows_, 1));
    WireStorage(*cells_, nullptr);
    ReserveMetadata(nrCols_);
    ResizeMetadata(nrCols_);
  } catch (const EOutOfMemory&) {
    throw EQELRLDataError(OutOfMemoryMessage(": failed to initialize (out of memory)"));
  }
}

TRLData::~TRLData() = default;

void TRLData::Progress(int Row, int Rows) const {
  if (!OnPercentDone || Rows <= 0) return;
  const int now = int(int64_t(Row) * 100 / Rows), before = int(int64_t(Row - 1) * 100 / Rows);
  if (Row == 0 || now != before) OnPercentDone(const_cast<TRLData*>(this), now);
}

std::unique_ptr<TStringArray> TRLData::NewStorage(int AllocRowsBy) const {
  CheckAllocation(1, sizeof(TStringArray));
  auto s = std::make_unique<TStringArray>(0, 0);
  s->SetAllocRowsBy(AllocRowsBy);
  return s;
}

// Routes the storage's notifications here and keeps whatever a view hooked
// on the storage being replaced.
void TRLData::WireStorage(TStringArray& S, const TStringArray* Previous) {
  S.OnBeforeSortExchange = [this](TObject* Sender, const std::string& A, std::string& B) {
    BeforeSortExchange(Sender, A, B);
  };
  S.OnPercentDone = [this](TObject*, int P) { if (OnPercentDone) OnPercentDone(this, P); };
  if (Previous) S.OnChange = Previous->OnChange;
}

void TRLData::BeforeSortExchange(TObject*, const std::string& S, std::string& T) {
  if (OnBeforeSortExchange) OnBeforeSortExchange(this, S, T);
}

void TRLData::BeforeHTMLExport(std::string& Text, int Col, int Row) {
  if (OnBeforeHTMLExport) OnBeforeHTMLExport(this, Text, Col, Row);
}

// Makes room in the three per-column arrays for n columns; raises
// EOutOfMemory before anything changes.
void TRLData::ReserveMetadata(int n) {
  if (size_t(n) <= colNames_.size()) return;
  CheckAllocation(size_t(n), sizeof(TNameStrType) + sizeof(TColFmtString) + 1);
  GuardAllocation([&] {
    colNames_.reserve(size_t(n));
    colFormats_.reserve(size_t(n));
    checkModes_.reserve(size_t(n));
  });
}

// Grows or shrinks the per-column arrays within the room reserved; new
// columns get their default name, an empty format and cmNone.
void TRLData::ResizeMetadata(int n) {
  const int old = int(colNames_.size());
  colNames_.resize(size_t(n));
  colFormats_.resize(size_t(n));
  checkModes_.resize(size_t(n), cmNone);
  for (int c = old + 1; c <= n; ++c) colNames_[c - 1] = "C-" + IntToStr(c);
}

// A failure leaves the list as it was. There are never fewer metadata entries
// than NrOfColumns, not even while a view hears of the storage's change.
void TRLData::SetNrCols(int n) {
  n = std::max(n, 1);
  try {
    ReserveMetadata(n);
  } catch (const EOutOfMemory&) {
    throw EQELRLDataError(OutOfMemoryMessage(": not enough memory on heap"));
  }
  const int previous = nrCols_;
  if (n > previous) ResizeMetadata(n);
  nrCols_ = n;
  try {
    cells_->Resize(n, std::max(nrRows_, 1));
  } catch (const EOutOfMemory&) {
    nrCols_ = previous;
    ResizeMetadata(previous);  // drops only the columns just added
    throw EQELError(ReplistErrorMessage("TRLData.NrOfColumns"));
  }
  if (n < previous) ResizeMetadata(n);
}

void TRLData::SetNrRows(int n) {
  n = std::max(n, 0);
  try {
    cells_->Resize(nrCols_, std::max(n, 1));
  } catch (const EOutOfMemory&) {
    throw EQELError(ReplistErrorMessage("TRLData.NrOfRows"));
  }
  // The storage keeps one row for an empty list; it must not come back with
  // stale content when rows are added again.
  if (n == 0 && nrRows_ > 0) {
    for (int c = 0; c <= nrCols_; ++c) cells_->SetString(c, 1, "");
    cells_->SetRowAttrib(1, 0);
  }
  nrRows_ = n;
}

// ---------------------------------------------------------------- cells ----

bool TRLData::IsCheckColumn(int Col) const {
  const TCheckMode m = GetColCheckMode(Col);
  return m == cmBox || m == cmRadio;
}

std::string TRLData::GetElem(int Col, int Row) const {
  if (!ValidCell(Col, Row)) return "";
  const std::string& raw = cells_->GetString(Col, Row);
  return IsCheckColumn(Col) ? Utf8RestChars(raw) : raw;
}

void TRLData::SetElem(int Col, int Row, const std::string& S) {
  if (!ValidCell(Col, Row)) return;
  if (!IsCheckColumn(Col)) {
    cells_->SetString(Col, Row, S);
    return;
  }
  const std::string& raw = cells_->GetString(Col, Row);
  cells_->SetString(Col, Row, (raw.empty() ? std::string(" ") : Utf8FirstChar(raw)) + S);
}

const std::string& TRLData::GetRawElem(int Col, int Row) const {
  static const std::string empty;
  return ValidCell(Col, Row) ? cells_->GetString(Col, Row) : empty;
}

void TRLData::SetRawElem(int Col, int Row, const std::string& S) {
  if (ValidCell(Col, Row)) cells_->SetString(Col, Row, S);
}

double TRLData::GetAsNumber(int Col, int Row) const {
  return ValidCell(Col, Row) ? cells_->GetAsNumber(Col, Row) : 0;
}

// ------------------------------------------------------ column metadata ----

TNameStrType TRLData::GetColName(int Col) const { return Col >= 1 && Col <= nrCols_ ? colNames_[Col - 1] : ""; }

void TRLData::SetColName(int Col, const TNameStrType& Name) {
  if (Col >= 1 && Col <= nrCols_) colNames_[Col - 1] = Utf8Left(Name, MaxColNameLength);
}

TColFmtString TRLData::GetColumnFormat(int Col) const {
  return Col >= 1 && Col <= nrCols_ ? colFormats_[Col - 1] : "";
}

void TRLData::SetColumnFormat(int Col, const TColFmtString& Format) {
  if (Col >= 1 && Col <= nrCols_) colFormats_[Col - 1] = Utf8Left(Format, MaxColFormatLength);
}

TCheckMode TRLData::GetColCheckMode(int Col) const {
  return Col >= 1 && Col <= nrCols_ ? checkModes_[Col - 1] : cmNone;
}

int TRLData::ColumnIndex(const std::string& Name, bool Partial) const {
  const std::string want = AnsiLowerCase(Name);
  for (int c = nrCols_; c >= 1; --c) {
    const std::string have = AnsiLowerCase(colNames_[c - 1]);
    if (Partial ? have.find(want) != std::string::npos : have == want) return c;
  }
  return -1;
}

// Switching modes rewrites the column's cells so that the text stays the same:
// a blank mark is added when marks appear and the mark dropped when they go.
// The storage's change notification is held back meanwhile.
void TRLData::SetColCheckMode(int Col, TCheckMode Mode) {
  if (Col < 1 || Col > nrCols_ || checkModes_[Col - 1] == Mode) return;
  const bool hadMarks = IsCheckColumn(Col);
  const TCheckMode old = checkModes_[Col - 1];
  checkModes_[Col - 1] = Mode;
  const bool hasMarks = IsCheckColumn(Col);
  TNotifyEvent held = std::move(cells_->OnChange);
  cells_->OnChange = nullptr;
  for (int r = 1; r <= nrRows_; ++r) {
    const std::string& raw = cells_->GetString(Col, r);
    if (raw.empty()) continue;
    if (!hadMarks && hasMarks) cells_->SetString(Col, r, " " + raw);
    else if (hadMarks && !hasMarks) cells_->SetString(Col, r, Utf8RestChars(raw));
  }
  if (old == cmBox && Mode == cmRadio) SetAllCheckmarksOfColIntern(Col, false);
  cells_->OnChange = std::move(held);
}

}  // namespace qel
