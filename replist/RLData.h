// TRLData: the non-visual data object of the report list. A table of short
// strings (NrOfRows x NrOfColumns, 1-based, plus a hidden column 0), with a
// name, a format and a check mode per column, a common header, a comment, a
// data identifier and a record of the last sort. Check marks live in the first
// character of the cells of check columns ("X" checked, blank unchecked).
//
// Sections: types, construction, dimensions, cells, column metadata, check
// marks, rows, sorting, copying, XML, clipboard/HTML/import.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/QEL_Base.h"
#include "framework/QEL_Containers.h"
#include "platform/controls/Component.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextFile.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

// ---------------------------------------------------------------- types ----

/// How a column shows check marks: not at all, as boxes, or as radio buttons (one checked row).
enum TCheckMode : uint8_t { cmNone = 0, cmBox = 1, cmRadio = 2 };
/// How FilterAndSort reads its text: a plain substring, a query of words with AND, OR, NOT and parentheses, or a regular expression.
enum TFilterMode : uint8_t { fmSimple, fmBoolean, fmGrep };
/// The elements of the report list's XML form.
enum TRepListXmlTag : uint8_t {
  xmlNumCols, xmlNumRows, xmlColName, xmlCheckedColumn, xmlCommonHd, xmlColumnFormat,
  xmlCell, xmlComment, xmlEndReplist, xmlInvalid
};
/// Element name of a tag ("numcols" ... "/replist", "invalidtag").
const char* RepListXmlTagName(TRepListXmlTag Tag);
/// The tag an element name stands for; xmlInvalid for any other name.
TRepListXmlTag RepListXmlTagOf(std::string_view Name);

using TNameStrType = std::string;   ///< At most 50 characters
using TColFmtString = std::string;  ///< At most 80 characters
/// Longest column name and column format in characters.
///@{
constexpr int MaxColNameLength = 50;
constexpr int MaxColFormatLength = 80;
///@}

/// Fires before a cell's text goes into an HTML export (row 0: the names); the handler may change it.
using TBeforeHTMLExportEvent = std::function<void(TObject* Sender, std::string& Text, int Col, int Row)>;
/// Fires around a check mark's change by the user; the Before event may change State.
using TCheckStateChangeEvent = std::function<void(TObject* Sender, bool& State, int Col, int Row)>;
/// Fires when the row editor picks the editor for a cell; the handler may change its format.
using TRequestEditFormatEvent = std::function<void(TObject* Sender, int Col, int Row, std::string& Format)>;
/// Fires for every row during FilterAndSort: Found holds the search's verdict, and the handler may change it or how it is combined with it.
using TBeforeFilterEvent =
    std::function<void(TObject* Sender, int Row, bool& Found, TLogicOp& CombineWithInternalSearch)>;
/// Fires before a cell is drawn; the handler may change its colours, font style and text.
using TRenderCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor& PenColor,
                                            TColor& BrushColor, TColor& FontColor, TFontStyles& FontStyles,
                                            std::string& Text)>;

/// Raised for bad arguments, bad XML and exhausted memory.
QEL_EXCEPTION(EQELRLDataError, EQELError)

/// The unit's wording around a specific text such as "TRLData.NrOfRows".
std::string ReplistErrorMessage(const std::string& Text);

/// True when the file / stream holds a report-list block with the identifier
/// DataID (any block for an empty DataID). The file form raises EInOutError
/// when the file cannot be read; the stream form leaves the stream after the
/// last line it read.
///@{
bool CheckIfValidReplist(const std::string& FileName, const std::string& DataID);
bool CheckIfValidReplist(TStream& Stream, const std::string& DataID);
///@}

// ---------------------------------------------------------------- TRLData ----

/// The data of the report list: a table of short strings (1-based rows and columns, plus a hidden column 0) with column names, formats and check modes, a common header, a comment, an identifier and the last sort.
///
/// From examples/reportlist/main.cpp (`qel-reportlist`):
/// \snippet reportlist/main.cpp data
/// \image html report-list.png "The gallery's page Report list"
class TRLData : public TComponent {
 public:
  /// One column, no rows.
  explicit TRLData(TComponent* AOwner);
  /// Frees the storage.
  ~TRLData() override;

  // --- dimensions and plain properties ---
  /// Number of columns.
  ///@{
  int GetNrOfColumns() const { return nrCols_; }
  void SetNrCols(int n);  ///< Below 1 becomes 1
  ///@}
  /// Number of rows.
  ///@{
  int GetNrOfRows() const { return nrRows_; }
  void SetNrRows(int n);  ///< Below 0 becomes 0
  ///@}
  /// Text of the common header above the column headers.
  ///@{
  const std::string& GetCommonHeader() const { return commonHeader_; }
  void SetCommonHeader(const std::string& S) { if (S != commonHeader_) commonHeader_ = S; }
  ///@}
  /// Free comment stored with the data.
  ///@{
  const std::string& GetComment() const { return comment_; }
  void SetComment(const std::string& S) { comment_ = S; }
  ///@}
  /// Identifier of the data in an XML file.
  ///@{
  const std::string& GetDataID() const { return dataID_; }
  void SetDataID(const std::string& S) { dataID_ = S; }
  ///@}

  // --- cells: column 0 .. NrOfColumns, row 1 .. NrOfRows ---
  std::string GetElem(int Col, int Row) const;  ///< Without the check mark
  /// Sets a cell's text, keeping its check mark.
  void SetElem(int Col, int Row, const std::string& S);
  const std::string& GetRawElem(int Col, int Row) const;  ///< The stored string
  /// Sets the stored string as it is.
  void SetRawElem(int Col, int Row, const std::string& S);
  /// The cell's text as a number (0 when it is none).
  double GetAsNumber(int Col, int Row) const;
  /// The default value the column's format gives for a row (replist/ColumnFormat.h).
  std::string GetCellDefaultValue(int Col, int Row) const;
  /// Attribute bits of a row (selected, disabled, ...); 0 and ignored outside the rows.
  ///@{
  uint8_t GetRowAttrib(int Row) const { return Row >= 1 && Row <= nrRows_ ? cells_->GetRowAttrib(Row) : 0; }
  void SetRowAttrib(int Row, uint8_t A) { if (Row >= 1 && Row <= nrRows_) cells_->SetRowAttrib(Row, A); }
  ///@}
  /// Attribute bits of a column (selected, ...).
  ///@{
  uint8_t GetColAttrib(int Col) const { return cells_->GetColAttrib(Col); }
  void SetColAttrib(int Col, uint8_t A) { cells_->SetColAttrib(Col, A); }
  ///@}

  // --- column metadata: column 1 .. NrOfColumns ---
  /// Name of a column, cut to MaxColNameLength characters.
  ///@{
  TNameStrType GetColName(int Col) const;
  void SetColName(int Col, const TNameStrType& Name);
  ///@}
  /// Format of a column (what its cells hold, for sorting and the row editor).
  ///@{
  TColFmtString GetColumnFormat(int Col) const;
  void SetColumnFormat(int Col, const TColFmtString& Format);
  ///@}
  /// Check mode of a column.
  ///@{
  TCheckMode GetColCheckMode(int Col) const;
  void SetColCheckMode(int Col, TCheckMode Mode);
  ///@}
  /// Whether a column shows check boxes.
  ///@{
  bool GetCheckedCol(int Col) const { return GetColCheckMode(Col) == cmBox; }
  void SetCheckedCol(int Col, bool B) { SetColCheckMode(Col, B ? cmBox : cmNone); }
  ///@}
  /// The column named Name (a prefix of it with Partial; any case), 0 when none.
  int ColumnIndex(const std::string& Name, bool Partial) const;

  // --- check marks ---
  /// Whether a cell of a check column is checked.
  ///@{
  bool GetElemChecked(int Col, int Row) const;
  void SetElemChecked(int Col, int Row, bool B);
  ///@}
  /// Checks or unchecks every cell of a column (firing the check events in a view).
  void SetAllCheckmarksOfCol(int Col, bool B);
  /// Checks or unchecks every cell of a column without events.
  void SetAllCheckmarksOfColIntern(int Col, bool B);
  /// Inverts every check mark of a column.
  void InvertAllCheckmarksOfCol(int Col);
  /// Number of checked cells in a column or a row.
  ///@{
  int CountCheckedElemsInCol(int Col) const;
  int CountCheckedElemsInRow(int Row) const;
  ///@}
  /// The first checked row of a column or column of a row (0: none).
  ///@{
  int FirstCheckedElemInCol(int Col) const;
  int FirstCheckedElemInRow(int Row) const;
  ///@}

  // --- rows ---
  /// Removes a row.
  void RemoveRow(int R);
  /// Removes every row whose cells are all empty.
  void RemoveEmptyRows();
  /// Copies row Src over row Dst.
  void CopyRow(int Src, int Dst);
  /// Sets every cell to S (check marks kept).
  void Fill(const std::string& S);
  /// Empties every cell and resets the columns' names, formats and check modes.
  void Clear();

  // --- sorting (see TStringArray for the comparison) ---
  /// Sorts by Col, then ColSec (-1: none); Dir true is ascending. Fires
  /// OnPercentDone; false (nothing sorted) when Col is no column. The
  /// OnPercentDone handler may let input through: a sort asked for then is
  /// refused (false); UnSort or a change of the rows stops the running sort.
  bool Sort(int Col, int ColSec, bool Dir);
  /// As Sort; with Exchanges false the rows take their new order at once,
  /// without an OnBeforeSortExchange per exchange: for an owner that knows
  /// no one listens (one copy of the order instead of a call per row).
  bool Sort(int Col, int ColSec, bool Dir, bool Exchanges);
  /// True while a sort runs (its OnPercentDone handler is being called).
  bool Sorting() const { return cells_->Sorting(); }
  /// Back to the order in which the rows were stored.
  void UnSort();
  /// The column of the last sort (-1: none).
  int GetSortColumn() const { return sortCol_; }
  /// The secondary sort column (-1: none).
  ///@{
  int GetSortColumnSec() const { return sortColSec_; }
  void SetSortColumnSec(int C) { sortColSec_ = C; }
  ///@}
  /// Whether the last sort was ascending.
  bool GetSortDirection() const { return sortDir_; }
  /// Direction the next header click sorts in.
  ///@{
  bool GetHeaderClickDirection() const { return headerClickDir_; }
  void SetHeaderClickDirection(bool B) { headerClickDir_ = B; }
  ///@}
  /// The stored row shown at row I (0 outside 1 .. NrOfRows). The sort
  /// direction is GetSortDirection.
  int GetStoredRow(int I) const { return I >= 1 && I <= nrRows_ ? cells_->GetSortOrder(I) : 0; }

  // --- copying ---
  /// Copies the content and settings of another TRLData.
  void Assign(TPersistent* Source) override;
  /// A TRLData target takes this object's content; others go to the default.
  void AssignTo(TPersistent* Dest) override;

  // --- XML (RLDataXml*.cpp). Readers replace the content with the block whose
  /// identifier is DataID (the first block for an empty DataID) or raise
  /// EQELRLDataError naming DataID and the line, leaving everything as it was.
  /// Writers write one block; CreateHeader adds the XML declaration first.
  ///@{
  void ReadFromXMLString(const std::string& XmlText, const std::string& DataID);
  void ReadFromXMLStream(TStream& Stream, const std::string& DataID);  ///< Leaves the stream after the block
  void ReadFromOpenXMLFile(TTextFile& F, const std::string& DataID);
  void LoadFromXMLFile(const std::string& FileName, const std::string& DataID);
  void WriteToOpenXMLFile(TTextFile& F, bool CreateHeader, const std::string& DataID) const;
  void WriteToXMLStream(TStream& Stream, bool CreateHeader, const std::string& DataID) const;
  void SaveAsXMLFile(const std::string& FileName, const std::string& DataID) const;
  ///@}

  // --- clipboard, HTML, import (RLDataExport.cpp) ---
  /// The range's cell texts (check marks left out), separated by tabs or laid
  /// out in fixed-width fields; WithNames puts the column names first. The
  /// range is clipped to the list (column 0 included when asked for).
  ///@{
  void CopyToClipBoard(int ColLo, int RowLo, int ColHi, int RowHi, bool WithNames, bool TabSeparated) const;
  void CopyToClipBoard(int ColLo, int RowLo, int ColHi, int RowHi, bool WithNames,
                       std::string_view Separator) const;
  std::string ClipboardText(int ColLo, int RowLo, int ColHi, int RowHi, bool WithNames, bool TabSeparated) const;
  std::string ClipboardText(int ColLo, int RowLo, int ColHi, int RowHi, bool WithNames,
                            std::string_view Separator) const;
                            ///@}
  /// A string literal converts to bool before it converts to a string: these
  /// make CopyToClipBoard(..., true, ";") separate with ";". A single char
  /// would turn into bool as well, so it is refused.
  ///@{
  void CopyToClipBoard(int ColLo, int RowLo, int ColHi, int RowHi, bool WithNames, const char* Separator) const {
    CopyToClipBoard(ColLo, RowLo, ColHi, RowHi, WithNames, std::string_view(Separator ? Separator : ""));
  }
  std::string ClipboardText(int ColLo, int RowLo, int ColHi, int RowHi, bool WithNames,
                            const char* Separator) const {
    return ClipboardText(ColLo, RowLo, ColHi, RowHi, WithNames, std::string_view(Separator ? Separator : ""));
  }
  ///@}
  /// Refused: a single char would turn into bool.
  ///@{
  void CopyToClipBoard(int, int, int, int, bool, char) const = delete;
  std::string ClipboardText(int, int, int, int, bool, char) const = delete;
  ///@}
  /// Writes a UTF-8 HTML document with one table of columns ColLo..ColHi and
  /// rows RowLo..RowHi (clipped to the list):
  ///  - ColWidths: width in pixels of each exported column in order (missing
  ///    or below 1: automatic);
  ///  - Border, CellPadding, CellSpacing: the table's border width and cell
  ///    padding and spacing in pixels (negative counts as 0);
  ///  - WithNames: a header row of column names (passed to OnBeforeHTMLExport
  ///    with row 0);
  ///  - Title: the document title and table caption (none when empty);
  ///    HeaderColor, BodyColor: CSS background colours of the header and body
  ///    cells (empty: none).
  /// Cells of check columns show a ballot box, checked or not, before the text.
  /// Every text is escaped after OnBeforeHTMLExport has changed it.
  /// Raises EInOutError when the file cannot be written.
  void ExportHTMLTable(const std::string& FileName, int ColLo, int RowLo, int ColHi, int RowHi,
                       const std::vector<int>& ColWidths, int Border, int CellPadding, int CellSpacing,
                       bool WithNames, const std::string& Title, const std::string& HeaderColor,
                       const std::string& BodyColor);
  /// Places line i (from 0) of the text file into cell (Col, Row + i); Col
  /// below 0 and Row below 1 count as 0 and 1. The list grows to Col columns
  /// and to the rows the lines need. Returns the number of lines read. A file
  /// that cannot be read raises EInOutError and changes nothing.
  int LoadLinesFromFile(int Col, int Row, const std::string& FileName);
  /// Fires OnBeforeHTMLExport.
  void BeforeHTMLExport(std::string& Text, int Col, int Row);
  /// Fires OnBeforeSortExchange.
  void BeforeSortExchange(TObject* Sender, const std::string& S, std::string& T);

  /// The storage, for a view that hooks its change notification.
  TStringArray* Storage() const { return cells_.get(); }

  /// See TBeforeSortExchgEvent.
  TBeforeSortExchgEvent OnBeforeSortExchange;
  /// See TBeforeHTMLExportEvent.
  TBeforeHTMLExportEvent OnBeforeHTMLExport;
  /// Fires as a long operation (sorting, reading) moves on, in percent.
  TOnPercentDoneEvent OnPercentDone;

 private:
  std::unique_ptr<TStringArray> cells_;
  int nrCols_ = 1, nrRows_ = 0;
  std::vector<TNameStrType> colNames_;
  std::vector<TColFmtString> colFormats_;
  std::vector<TCheckMode> checkModes_;
  std::string commonHeader_ = "QEL Report Listview";
  std::string comment_;
  std::string dataID_;
  int sortCol_ = -1, sortColSec_ = -1;
  bool sortDir_ = true, headerClickDir_ = true;

  bool ValidCell(int Col, int Row) const { return Col >= 0 && Col <= nrCols_ && Row >= 1 && Row <= nrRows_; }
  bool IsCheckColumn(int Col) const;
  void SetMark(int Col, int Row, bool Checked);
  void ReserveMetadata(int n);
  void ResizeMetadata(int n);
  std::unique_ptr<TStringArray> NewStorage(int AllocRowsBy) const;
  void WireStorage(TStringArray& S, const TStringArray* Previous);
  std::string OutOfMemoryMessage(const char* Ending) const;
  // Fires OnPercentDone when row Row of Rows moves the percentage on.
  void Progress(int Row, int Rows) const;
  void AssignFrom(const TRLData& Src);
  // Takes Src's content without copying (Src is left empty); keeps this
  // object's handlers and the view's hooks on the storage.
  void MoveContentFrom(TRLData& Src);
  void WriteXmlSettings(std::string& Buf, const std::string& DataID) const;
  void WriteXmlRow(std::string& Buf, int Row) const;
  void WriteXml(const std::function<void(const std::string&)>& Out, bool CreateHeader,
                const std::string& DataID) const;
  friend class TRLDataXmlReader;
};

QEL_API_END
}  // namespace qel
