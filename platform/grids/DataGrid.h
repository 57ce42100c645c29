// TCustomDataGrid: the grid under the report list view and the table editor,
// two grids that show a data table below header lines.
//
// What they share:
//   - numbering: a data column (row) is the grid's column (row) less a shift
//     the grid gives (the header lines before the data); LeftCol and TopRow
//     are in data numbering, GridColWidth and the other Grid... accessors
//     in the grid's own;
//   - one paint pause: SuppressPaint for programs, TPaintPause for bulk work;
//   - painting at once (TRefresh::Paint): the paint cycle runs now, unless
//     painting is paused or there is nothing to paint on yet.
#pragma once
#include "platform/grids/Grids.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// A draw grid over a data table: data numbering shifted from the grid's, a paint pause and painting at once.
class TCustomDataGrid : public TCustomDrawGrid {
 public:
  /// See TCustomDrawGrid.
  explicit TCustomDataGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}

  /// While set, nothing is painted; clearing it repaints at once (then PaintResumed).
  ///@{
  bool GetSuppressPaint() const { return suppressPaint_; }
  void SetSuppressPaint(bool v);
  ///@}
  /// The first scrollable data column (row) shown, in data numbering.
  ///@{
  int GetLeftCol() const { return DataCol(TCustomGrid::GetLeftCol()); }
  int GetTopRow() const { return DataRow(TCustomGrid::GetTopRow()); }
  ///@}

 protected:
  class TPaintPause;

  /// Grid column (row) = data column (row) + the shift.
  ///@{
  virtual int DataColShift() const = 0;
  virtual int DataRowShift() const = 0;
  int GridCol(int DataCol) const { return DataCol + DataColShift(); }
  int DataCol(int GridCol) const { return GridCol - DataColShift(); }
  int GridRow(int DataRow) const { return DataRow + DataRowShift(); }
  int DataRow(int GridRow) const { return GridRow - DataRowShift(); }
  ///@}
  /// The grid's own column widths, first column and first row, in grid numbering.
  ///@{
  int GridColWidth(int GridCol) const { return TCustomGrid::GetColWidths(GridCol); }
  void SetGridColWidth(int GridCol, int Width) { TCustomGrid::SetColWidths(GridCol, Width); }
  int GridLeftCol() const { return TCustomGrid::GetLeftCol(); }
  void SetGridLeftCol(int GridCol) { TCustomGrid::SetLeftCol(GridCol); }
  int GridTopRow() const { return TCustomGrid::GetTopRow(); }
  void SetGridTopRow(int GridRow) { TCustomGrid::SetTopRow(GridRow); }
  ///@}

  /// Whether painting waits: suppressed, or a quiet pause runs.
  bool PaintPaused() const { return suppressPaint_ || quietPauses_ > 0; }
  /// Runs the paint cycle now, unless painting waits or no window exists yet.
  void PaintAtOnce() override;
  /// Called after SetSuppressPaint(false) repainted (the table editor fires
  /// the notifications held back meanwhile).
  virtual void PaintResumed() {}

 private:
  bool suppressPaint_ = false;
  int quietPauses_ = 0;
};

/// Pauses painting while bulk work runs. TPaintPause::Repaint suppresses
/// painting and restores the state it found through SetSuppressPaint, so the
/// outermost pause repaints once; TPaintPause::Quiet only holds painting
/// back, and the caller decides what to show afterwards. When the work
/// raises, the state is restored without painting (the grid is invalidated),
/// so the failure is the one reported.
class TCustomDataGrid::TPaintPause {
 public:
  /// How the pause ends.
  enum TEnd : uint8_t { Repaint, Quiet };
  /// Pauses Grid's painting.
  explicit TPaintPause(TCustomDataGrid& Grid, TEnd End = Repaint);
  /// Ends the pause.
  ~TPaintPause() noexcept(false);
  TPaintPause(const TPaintPause&) = delete;
  TPaintPause& operator=(const TPaintPause&) = delete;

 private:
  TCustomDataGrid& grid_;
  TEnd end_;
  bool wasSuppressed_;
  int failures_;
};

QEL_API_END
}  // namespace qel
