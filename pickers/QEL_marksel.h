/// \file
/// TMarkSel: the 52 marker symbols of DrawMarkOnCanvas in a grid of cells;
/// the symbol nearest to the mouse is highlighted and a click picks it.
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Geometry (one function serves painting and hit-testing):
///   cell width  cw = (Width - 4) div NrOfColumns,  hw = cw div 2
///   cell height ch = (Height - 4) div NrOfRows,    hh = ch div 2
/// The visible symbols are numbered n = 0, 1, ... in index order (hidden ones
/// leave no gap); number n has its centre at
///   ((n mod NrOfColumns) * cw + hw, (n div NrOfColumns) * ch + hh)
/// so symbols past NrOfColumns * NrOfRows lie below the drawn area, where a
/// click near the bottom edge can still reach them. Symbol 0 is always shown.
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Cell rectangles around a centre (x, y), right and bottom exclusive:
///   normal and selected   (x - hw + 3, y - hh + 3, x + hw + 3, y + hh + 3)
///   highlight             (x - hw + 4, y - hh + 4, x + hw + 2, y + hh + 2)
/// and the symbol is drawn at (x + 2, y + 2).
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// Files: MarkSel.cpp (state, setters, geometry), MarkSelPaint.cpp (painting,
/// highlight, mouse).
#pragma once
#include <array>
#include <functional>

#include "framework/QEL_Base.h"
#include "platform/controls/Controls.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Fires when a symbol is clicked: (X, Y) the mouse, Mark the symbol's number.
using TMarkClickEvent = std::function<void(TObject* Sender, int X, int Y, int Mark)>;

/// A grid of the 52 marker symbols; the one nearest the mouse is highlighted and a click picks it.
///
/// From examples/markers/main.cpp (`qel-markers`):
/// \snippet markers/main.cpp picker
/// \image html pickers.png "The gallery's page Pickers"
class TMarkSel : public TGraphicControl {
 public:
  static constexpr int NumMarks = MaxMarkSymbol + 1;  ///< Symbols 0..51

  /// An 8 x 6 grid of every symbol, none selected.
  explicit TMarkSel(TComponent* AOwner);

  // --- layout (1..51; other values are ignored) ---
  /// Columns and rows of the grid.
  ///@{
  int GetNrOfColumns() const { return nrOfColumns_; }
  void SetNrOfColumns(int v);
  int GetNrOfRows() const { return nrOfRows_; }
  void SetNrOfRows(int v);

  ///@}
  // --- colours and look ---
  /// Colour of the ground.
  ///@{
  TColor GetColorBackGnd() const { return colorBackGnd_; }
  void SetColorBackGnd(TColor v) { SetProperty(colorBackGnd_, v, TRefresh::Paint); }
  ///@}
  /// Colour of the symbols.
  ///@{
  TColor GetColorMarks() const { return colorMarks_; }
  void SetColorMarks(TColor v) { SetProperty(colorMarks_, v, TRefresh::Paint); }
  ///@}
  /// Colours of the selected symbol's cell and symbol.
  ///@{
  TColor GetColorSelBG() const { return colorSelBG_; }
  void SetColorSelBG(TColor v) { SetProperty(colorSelBG_, v, TRefresh::Paint); }
  TColor GetColorSelFG() const { return colorSelFG_; }
  void SetColorSelFG(TColor v) { SetProperty(colorSelFG_, v, TRefresh::Paint); }
  ///@}
  /// Colours of the highlighted symbol's cell and symbol.
  ///@{
  TColor GetColorHiLiteBG() const { return colorHiLiteBG_; }
  void SetColorHiLiteBG(TColor v) { SetProperty(colorHiLiteBG_, v, TRefresh::Paint); }
  TColor GetColorHiLiteSymbol() const { return colorHiLiteSymbol_; }
  void SetColorHiLiteSymbol(TColor v) { SetProperty(colorHiLiteSymbol_, v, TRefresh::Paint); }
  ///@}
  /// Style of the frame.
  ///@{
  TFrameStyle GetFrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle v) { SetProperty(frameStyle_, v, TRefresh::Paint); }
  ///@}
  /// Whether symbol 0 is drawn as a cross.
  ///@{
  bool GetShowZeroAsCross() const { return showZeroAsCross_; }
  void SetShowZeroAsCross(bool v) { SetProperty(showZeroAsCross_, v, TRefresh::Invalidate); }
  ///@}

  // --- the selection (-1: none; other values outside -1..51 are ignored) ---
  /// The selected symbol; repaints.
  ///@{
  int GetSelected() const { return selected_; }
  void SetSelected(int v);
  ///@}

  // --- visibility: symbol 0 is always shown; an index outside 0..51 reads symbol 0 ---
  /// Whether symbol i is shown.
  ///@{
  bool GetVis(int i) const { return visible_[i >= 0 && i < NumMarks ? size_t(i) : 0]; }
  void SetVis(int i, bool v);
  ///@}
  /// Shows every symbol.
  void ShowAllMarks() { SetAllVis(true); }
  /// Hides every symbol but 0.
  void HideAllMarks() { SetAllVis(false); }

  // --- geometry ---
  /// Size of a cell in pixels.
  ///@{
  int CellWidth() const;
  int CellHeight() const;
  ///@}
  /// Centre of a visible symbol's cell; (-1, -1) for a hidden symbol or an
  /// index outside 0..51.
  TPoint GetMarkCentre(int i) const;
  /// The visible symbol whose centre is closest to (X, Y); the lower number
  /// on a tie.
  int NearestMark(int X, int Y) const;

  // --- highlight, drawn straight onto the control ---
  /// Highlights visible symbol i (others are ignored) and remembers it.
  void HiLite(int i);
  /// Draws the remembered symbol as it looks without the highlight.
  void ResetLastHiLite();
  /// The highlighted symbol.
  int GetHiLited() const { return hiLited_; }

  /// Draws the grid of symbols, then fires OnPaint.
  void Paint() override;

  /// Fire on a click and a double click on a symbol.
  ///@{
  TMarkClickEvent OnMarkClick, OnMarkDblClick;
  ///@}
  /// Fires after every paint.
  TNotifyEvent OnPaint;

 protected:
  /// Highlights the symbol nearest the mouse.
  void MouseMove(TShiftState Shift, int X, int Y) override;
  /// Picks the symbol on clicks and double clicks.
  void WndProc(TMessage& Message) override;

 private:
  struct TGeometry {
    int cw = 0, ch = 0, hw = 0, hh = 0;
    std::array<TPoint, NumMarks> centre;  // (-1, -1) for a hidden symbol
  };
  // The colours of a full paint: the properties, or greys when disabled.
  struct TLook {
    TColor selFG, marks, backGnd, selBG;
  };
  TGeometry Geometry() const;
  TLook Look() const;
  void SetAllVis(bool v);
  void DrawMarks(TCanvas* C) const;
  void DrawSymbol(TCanvas* C, const TGeometry& G, int i) const;
  void PickMark(int X, int Y, bool Double);

  std::array<bool, NumMarks> visible_;
  int nrOfColumns_ = 8, nrOfRows_ = 6;
  TColor colorBackGnd_ = clBtnFace, colorMarks_ = 0x000000;
  TColor colorSelBG_ = 0xFFFFFF, colorSelFG_ = 0x800000;
  TColor colorHiLiteBG_ = 0x0000FF, colorHiLiteSymbol_ = 0xFFFFFF;
  TFrameStyle frameStyle_ = fsEngraved;
  bool showZeroAsCross_ = true;
  int selected_ = -1;
  int hiLited_ = 0;
  // Whether hiLited_ is drawn highlighted now: a full paint wipes it.
  bool hiLiteShown_ = false;
};

QEL_API_END
}  // namespace qel
