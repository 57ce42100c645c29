// TMatrix and TDataTable: a 1-based matrix of doubles, and the numeric data
// table built on it with a state byte per cell, names and attributes of rows
// and columns, measurement-scale types with nominal identifiers per column, a
// comment, and change notifications.
//
// Cell state byte: bit 0 invalid entry, bit 1 empty, bit 6 mark A, bit 7 mark B.
// Index arguments outside the table are ignored: reads give 0 / "" / false.
// Allocation failures raise EOutOfMemory and leave the table unchanged.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/QEL_Base.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Bits of a cell's state byte.
///@{
constexpr uint8_t csInvalid = 0x01, csEmpty = 0x02, csMarkA = 0x40, csMarkB = 0x80;
///@}
/// Longest row or column name in characters.
constexpr int MaxNameLength = 50;
/// Highest nominal code.
constexpr int MaxNominalCode = 50;
/// Longest nominal identifier in characters.
constexpr int MaxNominalIDLength = 10;

/// A matrix of doubles at (column, row) from 1; indexes outside it are ignored (reads give 0).
class TMatrix : public TObject {
 public:
  /// A matrix of zeros; raises EOutOfMemory when it cannot be allocated.
  TMatrix(int Cols, int Rows);
  /// Numbers of columns and rows.
  ///@{
  int GetNrOfColumns() const { return cols_; }
  int GetNrOfRows() const { return rows_; }
  ///@}
  /// Value of a cell.
  ///@{
  double GetElem(int Col, int Row) const { return In(Col, Row) ? values_[At(Col, Row)] : 0; }
  void SetElem(int Col, int Row, double V) { if (In(Col, Row)) values_[At(Col, Row)] = V; }
  ///@}
  /// Sets every value.
  void Fill(double V);

 protected:
  /// Numbers of columns and rows.
  ///@{
  int cols_ = 0, rows_ = 0;
  ///@}
  std::vector<double> values_;  ///< Row-major
  /// Whether (Col, Row) lies in the matrix.
  bool In(int Col, int Row) const { return Col >= 1 && Col <= cols_ && Row >= 1 && Row <= rows_; }
  /// Index of (Col, Row) in values_.
  size_t At(int Col, int Row) const { return size_t(Row - 1) * size_t(cols_) + size_t(Col - 1); }
};

/// Fires after a table's dimensions changed.
using TResizeEvent = std::function<void(TObject* Sender, int OldCols, int OldRows, int NewCols, int NewRows)>;
/// Kind 0 rows, 1 columns; the two exchanged indexes; two more integers (0 here).
using TSortExchgEvent = std::function<void(TObject* Sender, int Kind, int First, int Second, int Aux1, int Aux2)>;

/// A numeric data table: values with a state byte per cell, names and attributes of rows and columns, scale types with nominal identifiers per column, a comment, and change events.
class TDataTable : public TMatrix {
 public:
  /// A table of zeros with columns "C-n" and rows "R-n".
  TDataTable(int Cols = 1, int Rows = 1);

  /// Keeps the values, states, names and attributes that remain; new cells are
  /// 0 with state 0, new columns are named "C-n" and new rows "R-n".
  void Resize(int Cols, int Rows);
  void InsertRow(int R);     ///< Before R, 1 .. rows + 1
  void InsertColumn(int C);  ///< Before C, 1 .. cols + 1
  void RemoveRow(int R);     ///< The last row stays
  void RemoveColumn(int C);  ///< The last column stays
  void Clear();              ///< Values 0, states cleared
  /// Reverse the order of the rows or the columns, with their names, attributes and states.
  ///@{
  void MirrorRows();
  void MirrorColumns();
  ///@}

  /// The state byte of a cell (see csInvalid...).
  ///@{
  uint8_t GetCellState(int Col, int Row) const { return In(Col, Row) ? states_[At(Col, Row)] : 0; }
  void SetCellState(int Col, int Row, uint8_t S) { if (In(Col, Row)) states_[At(Col, Row)] = S; }
  ///@}
  /// Whether the cell holds a valid number (neither invalid nor empty).
  bool GetIsNumber(int Col, int Row) const { return In(Col, Row) && (states_[At(Col, Row)] & 0x03) == 0; }
  void UnmarkAllCells();                    ///< Clears marks A and B
  void InvertCellStates(uint8_t Mask);      ///< XOR of every state with Mask
  void ExchangeMarkings();                  ///< Swaps bits 6 and 7
  void FillMarkedCells(double V, uint8_t Mask);  ///< Cells whose state has a bit of Mask

  /// Name of a column or row.
  ///@{
  std::string GetColName(int Col) const;
  void SetColName(int Col, const std::string& Name);  ///< Cut to 50 characters
  std::string GetRowName(int Row) const;
  void SetRowName(int Row, const std::string& Name);
  ///@}
  /// Attribute byte of a column or row.
  ///@{
  uint8_t GetColAttrib(int Col) const;
  void SetColAttrib(int Col, uint8_t A);
  uint8_t GetRowAttrib(int Row) const;
  void SetRowAttrib(int Row, uint8_t A);
  ///@}
  /// The table's comment.
  ///@{
  const std::string& GetFComment() const { return comment_; }
  void SetFComment(const std::string& S);
  ///@}

  /// Scale types 0..MaxMScaleType; 1 and 2 are nominal, with codes 1 .. 50.
  ///@{
  int GetMScaleType(int Col) const;
  void SetMScaleType(int Col, int Type);
  ///@}
  ///@{
  std::string GetNominalID(int Col, int Code) const;  ///< "" when undefined
  void SetNominalID(int Col, int Code, const std::string& ID);  ///< Cut to 10 characters
  ///@}
  /// The code whose identifier is Text (compared in lower case with
  /// IgnoreCase); 0 when unknown or the column is out of range.
  int OrdinalOfNominalID(int Col, const std::string& Text, bool IgnoreCase) const;

  /// Fires when values or states change.
  TNotifyEvent OnDataChanged;
  /// Fires when names, attributes, scale types or the comment change.
  TNotifyEvent OnSetupChanged;
  /// Fires as long operations move on, in percent.
  TOnPercentDoneEvent OnPercentDone;
  /// See TResizeEvent.
  TResizeEvent OnResize;
  /// Fires for each exchange while rows or columns are sorted.
  TSortExchgEvent OnSortExchange;

 private:
  struct Column {
    std::string name;
    uint8_t attrib = 0;
    int scaleType = 0;
    std::vector<std::string> nominal;  // codes 1..50 at 0..49, grown on demand
  };
  struct RowInfo {
    std::string name;
    uint8_t attrib = 0;
  };
  std::vector<uint8_t> states_;
  std::vector<Column> colInfo_;
  std::vector<RowInfo> rowInfo_;
  std::string comment_;

  // New index -> old index, 0 for a new slot.
  using IndexMap = std::function<int(int)>;
  void Rebuild(int Cols, int Rows, const IndexMap& ColFrom, const IndexMap& RowFrom);
  void Resized(int OldCols, int OldRows);
  void DataChanged() { if (OnDataChanged) OnDataChanged(this); }
  void SetupChanged() { if (OnSetupChanged) OnSetupChanged(this); }
};

/// 32-bit integers at (column, row) from 1.
class TIntMatrix : public TObject {
 public:
  /// A matrix of zeros.
  TIntMatrix(int Cols, int Rows);
  /// Numbers of columns and rows.
  ///@{
  int GetNrOfColumns() const { return cols_; }
  int GetNrOfRows() const { return rows_; }
  ///@}
  void Resize(int Cols, int Rows);  ///< Keeps what remains, new values 0
  /// Sets the number of rows.
  void SetNRows(int N) { Resize(cols_, N); }
  /// Value at (Col, Row); 0 and ignored outside the matrix.
  ///@{
  int32_t GetVal(int Col, int Row) const;
  void SetVal(int Col, int Row, int32_t V);
  ///@}

 private:
  int cols_ = 0, rows_ = 0;
  std::vector<int32_t> values_;
};

/// Bits from 0 to Size - 1.
class TBitFld : public TObject {
 public:
  /// Size bits, all false.
  explicit TBitFld(int Size = 0) { SetSize(Size); }
  /// Number of bits.
  ///@{
  int GetSize() const { return size_; }
  void SetSize(int N);  ///< Keeps the bits that remain, new bits false
  ///@}
  void Clear();         ///< All bits false
  /// Bit I; false and ignored outside 0 .. Size - 1.
  ///@{
  bool GetBit(int I) const;
  void SetBit(int I, bool V);
  ///@}
  int FirstTrueBit() const;  ///< -1 when none
  /// Number of true bits.
  int CountTrueBits() const;

 private:
  int size_ = 0;
  std::vector<uint64_t> words_;
};

QEL_API_END
}  // namespace qel
