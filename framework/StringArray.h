// TStringArray: a grid of short strings (at most 255 characters) at
// (column 0 .. NrOfColumns, row 1 .. NrOfRows), with one attribute byte per
// row and per column, and a shown order over the stored rows.
//
// Rows are addressed in the shown order: after Sort, row 1 is the first row
// of the sorted list; GetSortOrder(i) tells which stored row is shown at i.
// A row's attribute byte belongs to the stored row, so it moves with it.
// InsertRow, RemoveRow and a Resize that drops rows first make the shown order
// the stored one (CommitSorting), so no row is lost or duplicated; a Resize
// that keeps every row keeps the shown order too, new rows shown last.
//
// Sorting is stable. Two cells that both read as numbers (a decimal number
// with '.' as separator and an optional exponent, blanks around it allowed)
// compare as numbers; a number comes before a text; texts compare without
// regard to case (the letters of Windows-1252 included), then by code point.
// The secondary column breaks ties of the primary one. The direction flag
// true means ascending; false reverses the whole order (texts then precede
// numbers), still keeping equal rows in their previous order.
//
// Sort reports its progress through OnPercentDone, each percent from 0 to
// 100. A handler may let other input run meanwhile: cells changed then are
// sorted by the values they had when the sort began; a handler that
// reorders, resizes or sorts the array stops the running sort, which then
// leaves the order as that change made it (Sort returns false). A sort
// started while another one runs is refused. Freeing the array from a
// handler of its own sort is not allowed.
//
// Index arguments outside the grid are ignored: reads give "" / 0.
// Allocation failures raise EOutOfMemory and leave the array unchanged.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/QEL_Base.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// A grid of short strings at (column 0 .. NrOfColumns, row 1 .. NrOfRows) with an attribute byte per row and column and a shown order over the stored rows.
class TStringArray : public TObject {
 public:
  /// Longest cell in characters.
  static constexpr int MaxCellLength = 255;

  /// An empty grid; raises EOutOfMemory when it cannot be allocated.
  TStringArray(int Cols, int Rows);

  /// Numbers of data columns (column 0 comes on top) and rows.
  ///@{
  int GetNrOfColumns() const { return cols_; }
  int GetNrOfRows() const { return rows_; }
  ///@}
  /// Keeps the cells that remain; new cells are empty, new attributes 0.
  void Resize(int Cols, int Rows);
  /// The minimum number of rows storage grows by (at least 1).
  ///@{
  void SetAllocRowsBy(int N) { allocRowsBy_ = N < 1 ? 1 : N; }
  int GetAllocRowsBy() const { return allocRowsBy_; }
  ///@}
  /// Empties every cell; dimensions, attributes and the shown order stay.
  void Clear();

  /// Text of a cell ("" outside the grid); the setter fires OnChange.
  ///@{
  const std::string& GetString(int Col, int Row) const;
  void SetString(int Col, int Row, const std::string& S);  ///< Fires OnChange
  ///@}
  /// The cells of row Row, columns 0 .. NrOfColumns one after the other
  /// (nullptr outside the grid): for readers that visit every cell of a row.
  /// Valid until the array changes size.
  const std::string* RowCells(int Row) const {
    return Row >= 1 && Row <= rows_ ? &cells_[size_t(order_[size_t(Row) - 1]) * stride()] : nullptr;
  }
  /// The cell as a number when it reads as one, else 0.
  double GetAsNumber(int Col, int Row) const;

  /// Attribute byte of a row (it moves with the row) or a column.
  ///@{
  uint8_t GetRowAttrib(int Row) const;
  void SetRowAttrib(int Row, uint8_t Value);
  uint8_t GetColAttrib(int Col) const;
  void SetColAttrib(int Col, uint8_t Value);
  ///@}

  /// Inserts an empty row before R (1 .. NrOfRows + 1) / removes row R.
  ///@{
  void InsertRow(int R);
  void RemoveRow(int R);
  ///@}

  /// Orders the shown rows by Col, then ColSec (-1: none). False when Col is
  /// outside 0 .. NrOfColumns or another sort runs (nothing happens then), or
  /// when a progress handler changed the order meanwhile.
  bool Sort(int Col, int ColSec, bool Ascending);
  /// True while a sort runs (its progress handler is being called).
  bool Sorting() const { return sorting_; }
  /// Changes whenever the shown order or the size changes.
  uint64_t OrderStamp() const { return orderStamp_; }
  /// The stored row shown at I.
  int GetSortOrder(int I) const;
  /// Shows stored row J at I. Callers that rebuild an order set every row;
  /// CommitSorting ignores an order that is not a permutation.
  void SetSortOrder(int I, int J);
  /// Back to the stored order.
  void UnSort();
  /// Makes the shown order the stored one.
  void CommitSorting();
  /// Whether the shown order differs from the stored one.
  bool IsSorted() const;

  /// Reads as a number? Shared by the sort and GetAsNumber.
  static bool ReadNumber(std::string_view S, double& Value);

  /// Fires when a cell's text changes.
  TNotifyEvent OnChange;
  /// Fires for each exchange while sorting.
  TBeforeSortExchgEvent OnBeforeSortExchange;
  /// Fires as a sort moves on, in percent.
  TOnPercentDoneEvent OnPercentDone;

 private:
  int cols_ = 0, rows_ = 0;  // data columns (plus column 0), rows
  int allocRowsBy_ = 1;
  std::vector<std::string> cells_;  // stored row r (0-based) at r * stride()
  std::vector<uint8_t> rowAttr_;    // per stored row
  std::vector<uint8_t> colAttr_;    // columns 0 .. cols_
  std::vector<int> order_;          // shown row (0-based) -> stored row (0-based)
  uint64_t orderStamp_ = 0;
  bool sorting_ = false;

  size_t stride() const { return size_t(cols_) + 1; }
  bool Valid(int Col, int Row) const { return Col >= 0 && Col <= cols_ && Row >= 1 && Row <= rows_; }
  size_t Index(int Col, int Row) const { return size_t(order_[size_t(Row - 1)]) * stride() + size_t(Col); }
  void Changed() { if (OnChange) OnChange(this); }
  void ReserveRows(size_t Rows);
  void MoveToColumns(int Cols, int Rows);
  bool ApplyOrder(const std::vector<int>& NewOrder, int Col, uint64_t Stamp);
  void Percent(int P) { if (OnPercentDone) OnPercentDone(this, P); }
};

QEL_API_END
}  // namespace qel
