/// \file
/// QEL_Thumbnails: TThumbnails, a grid of numbered slides (cards) whose
/// pictures the application hands over on every paint, slide by slide.
///
/// Geometry. P = SlideSize + SlideDistance + 2 * SlideMargin is the card pitch;
/// F the first-slide position; C = (W + SlideDistance - 20) div P (at least 1)
/// the column count; the grid starts 10 pixels inside the left and top edges.
/// b = floor(F) is the slide in the top-left card, frac(F) = F - b how far (in
/// pitches) the grid is scrolled up. Slide n's card has its top-left corner at
///   X = P * ((n - b) mod C) + 10
///   Y = P * ((n - b) div C) + SlideDistance - round(frac(F) * P) + 10
/// (div and mod round down, so slides above the top card lie above the
/// control; a card more than 2^30 pixels away is put at 2^30, so that adding
/// its size cannot overflow) and spans SlideSize + 2 * SlideMargin pixels each way. Painting
/// and hit testing both use this.
///
/// Scrolling. SetFirstThumbIx(Pos) clamps Pos to [Min, Max]; with the row
/// start d = C * floor((Pos - Min) / C) + Min it stores F = d + (Pos - d) / C:
/// a row start shows that row at the top, a position inside a row scrolls the
/// grid by the matching fraction of a row (Pos 6 with 2 columns: F = 5.5).
///
/// Min. Slides run from Min to Max for any Min, negative too, at most
/// 2147483647 of them (a wider range is refused with EQELThumbnailsError
/// naming the property and the value); the selection holds index i for slide
/// Min + i, kept as runs of selected slides, so a huge range costs nothing
/// until slides are selected. Max is raised to at least Min
/// (with the first slide 1, at least 1); raising Min above Max raises Max
/// with it, and a new Min re-aligns the first-slide position to its rows.
/// Slide number 0 is also the "no slide"
/// of the events and of CalcSlideIndex; a range that holds 0 can still be
/// clicked and selected, only the events cannot tell slide 0 from none.
///
/// Selection modes. ssmDisabled: clicks change nothing. ssmSingle: a click
/// selects the slide under the mouse alone (a click between cards clears the
/// selection). ssmMultiple: a click, or a Ctrl+click, toggles the slide;
/// Shift+click adds every slide from the last clicked one to this one (the
/// last clicked slide stays where the range started); between cards nothing
/// changes.
///
/// Painting. Every paint asks OnImageRequest once per visible slide (column
/// by column, top to bottom), between OnFirstImageRequest and
/// OnLastImageRequest, composes the cards off screen and copies them in one
/// step. A picture is fitted into the card's square with its aspect kept and
/// framed by InnerFrameStyle just outside its edge; the top and bottom
/// 10-pixel strips cut cards scrolled into them; FrameStyle frames the
/// control on (0, 0)-(W - 2, H - 2). A paint asked for while one runs (a
/// handler changing a property) is dropped: the running paint keeps the grid
/// it started with. A handler that raises spoils only its own card (drawn
/// as if not asked for); the paint is finished and shown, then the first
/// exception goes on. The focus highlight is drawn straight onto the control
/// and is not part of a paint.
///
/// Scaling. With AntiAlias off pictures are stretched nearest-pixel
/// (colour-on-colour); with it on every target pixel is the average of the
/// source area it covers (the platform's halftone stretch). Averaged pictures
/// are kept between paints, known by their pixels (a changed picture is
/// scaled anew), within a bounded amount of memory.
///
/// Picture buffer. OnImageRequest gets a buffer bitmap that lives for one
/// paint and keeps what the previous slide left in it. A handler may instead
/// point ImgBuffer at a bitmap of its own (a cached picture, no copy); that
/// bitmap stays the handler's, and the next request gets the paint's buffer
/// again. A null ImgBuffer shows no picture.
///
/// Sections: types and events; TThumbnails (properties, scrolling, selection,
/// geometry, highlight, events, lifecycle).
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "framework/DataTable.h"
#include "framework/QEL_Base.h"
#include "platform/controls/Controls.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

namespace thumbs {
struct TGrid;
class TSelectionRuns;
class TSlideCache;
}

// ------------------------------------------------- types and events ----

/// Raised when Min or Max would make a range of more than 2147483647 slides.
QEL_EXCEPTION(EQELThumbnailsError, EQELError)

/// What a slide shows: an empty card, the picture, the frame only, or nothing at all.
enum TImageRequestProcessing : uint8_t { irpShowEmpty, irpShowSlide, irpShowFrameOnly, irpShowNothing };
/// How clicks select slides: not at all, one slide, or several (Ctrl and Shift clicks).
enum TSlideSelectMode : uint8_t { ssmDisabled, ssmSingle, ssmMultiple };

/// Fires once per visible slide on every paint: the handler fills ImgBuffer (or points it at its own bitmap), says how to show it and may set MarkIt to draw the slide's mark.
using TImageRequestEvent = std::function<void(TObject* Sender, int ThumbID, TImageRequestProcessing& HowToProcess,
                                              int& MarkIt, TBitmap*& ImgBuffer)>;
/// Fires after a card is drawn, with its top-left corner, to draw over it.
using TSlideRenderedEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int X, int Y, int ThumbID)>;
/// Fires on a click on a slide (ThumbID 0: between cards).
using TImageClickEvent = std::function<void(TObject* Sender, int X, int Y, int ThumbID)>;

// -------------------------------------------------------- TThumbnails ----

/// A grid of numbered slides whose pictures the application hands over slide by slide on every paint, with selection, focus highlight and smooth scrolling.
///
/// From examples/browser/main.cpp (`qel-browser`):
/// \snippet browser/main.cpp thumbs
/// \image html browsers.png "The gallery's page Browsers"
class TThumbnails : public TGraphicControl {
 public:
  /// Slides 1 to 100 with 120 pixel pictures.
  explicit TThumbnails(TComponent* AOwner);
  /// Frees the selection and the off-screen picture.
  ~TThumbnails() override;

  // --- range and layout ---
  /// Number of the first slide; raises Max with it.
  ///@{
  int GetMin() const { return min_; }
  void SetMin(int v);
  ///@}
  /// Number of the last slide, at least Min; raises EQELThumbnailsError for a range of more than 2147483647 slides.
  ///@{
  int GetMax() const { return max_; }
  void SetMax(int v);
  ///@}
  /// Size of a picture's square in pixels.
  ///@{
  int GetSlideSize() const { return slideSize_; }
  void SetSlideSize(int v);  ///< At least 50, at most the width
  ///@}
  /// Pixels between cards.
  ///@{
  int GetSlideDistance() const { return slideDistance_; }
  void SetSlideDistance(int v);  ///< Clamped to 0..100
  ///@}
  /// Pixels between a card's edge and its picture.
  ///@{
  int GetSlideMargin() const { return slideMargin_; }
  void SetSlideMargin(int v);  ///< Clamped to 0..100
  ///@}
  /// The column count of the last paint (2 before the first) and the rows it drew.
  ///@{
  int GetColumns() const { return columns_; }
  int GetRows() const { return rows_; }
  ///@}
  /// Distance in pixels from one card to the next.
  int Pitch() const { return slideSize_ + slideDistance_ + 2 * slideMargin_; }

  // --- selection and focus ---
  /// How clicks select slides; a new mode clears the selection.
  ///@{
  TSlideSelectMode GetSlideSelectMode() const { return selectMode_; }
  void SetSlideSelectMode(TSlideSelectMode v);
  ///@}
  /// Width of the focus highlight in pixels.
  ///@{
  int GetFocusLinewidth() const { return focusLinewidth_; }
  void SetFocusLinewidth(int v);  ///< Clamped to 0..10
  ///@}
  /// The slide under the mouse (0: none); its change fires OnFocusChange.
  int GetFocusedSlide() const { return focusedSlide_; }
  /// The slide clicked last (0: none).
  int GetLastClickedSlide() const { return lastClicked_; }

  // --- colours and frames ---
  /// Colour of the ground.
  ///@{
  TColor GetColorBackGnd() const { return colorBackGnd_; }
  void SetColorBackGnd(TColor v) { SetProperty(colorBackGnd_, v, TRefresh::Paint); }
  ///@}
  /// Colour of the cards.
  ///@{
  TColor GetColorCover() const { return colorCover_; }
  void SetColorCover(TColor v) { SetProperty(colorCover_, v, TRefresh::Paint); }
  ///@}
  /// Colour of a selected card.
  ///@{
  TColor GetColorSelected() const { return colorSelected_; }
  void SetColorSelected(TColor v) { SetProperty(colorSelected_, v, TRefresh::Paint); }
  ///@}
  /// Colour of the focus highlight.
  ///@{
  TColor GetColorFocus() const { return colorFocus_; }
  void SetColorFocus(TColor v) { SetProperty(colorFocus_, v, TRefresh::Paint); }
  ///@}
  /// Colour of a slide's mark.
  ///@{
  TColor GetColorMark() const { return colorMark_; }
  void SetColorMark(TColor v) { SetProperty(colorMark_, v, TRefresh::Paint); }
  ///@}
  /// Colour scheme of the frames' edges.
  ///@{
  TColorScheme GetColorScheme() const { return scheme_.Scheme; }
  void SetColorScheme(TColorScheme v);
  ///@}
  /// Style of the frame around the control.
  ///@{
  TFrameStyle GetFrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle v) { SetProperty(frameStyle_, v, TRefresh::Paint); }
  ///@}
  /// Style of the frame around each card.
  ///@{
  TFrameStyle GetOuterFrameStyle() const { return outerFrameStyle_; }
  void SetOuterFrameStyle(TFrameStyle v) { SetProperty(outerFrameStyle_, v, TRefresh::Paint); }
  ///@}
  /// Style of the frame around each picture.
  ///@{
  TFrameStyle GetInnerFrameStyle() const { return innerFrameStyle_; }
  void SetInnerFrameStyle(TFrameStyle v) { SetProperty(innerFrameStyle_, v, TRefresh::Paint); }
  ///@}
  /// Whether pictures are scaled by averaging rather than nearest-pixel; repaints.
  ///@{
  bool GetAntiAlias() const { return antiAlias_; }
  void SetAntiAlias(bool v);
  ///@}

  // --- scrolling ---
  /// Position of the first slide shown, in slides (fractions scroll part of a row); clamped to Min..Max.
  ///@{
  double GetFirstThumbIx() const { return first_; }
  void SetFirstThumbIx(double Position);
  ///@}

  // --- selection ---
  /// Whether a slide is selected; repaints.
  ///@{
  bool GetSelectedSlide(int ThumbID) const;
  void SetSelectedSlide(int ThumbID, bool Value);
  ///@}
  /// Deselects every slide.
  void ResetAllSelections();
  /// The lowest selected slide; Min - 1 (0 with the first slide 1) when none
  /// is (with Min at INT_MIN: INT_MAX, never a slide then).
  int FirstSelectedSlide() const;
  /// Number of selected slides.
  int NumSlidesSelected() const;

  // --- geometry (see the top of this file) ---
  /// Top-left corner of a slide's card in client pixels.
  void CalcSlidePos(int ThumbID, int& X, int& Y) const;
  /// The slide under (X, Y), 0 for none.
  int CalcSlideIndex(int X, int Y) const;

  // --- focus highlight, drawn straight onto the control ---
  /// Draws the focus highlight around a slide.
  void HiLite(int ThumbID);
  /// Removes the focus highlight.
  void ResetLastHiLite();

  /// Copies the look, range, position and events from another TThumbnails; the selection, ColorMark and SlideSelectMode stay.
  void Assign(TPersistent* Source) override;
  /// Fills another TThumbnails from this one.
  void AssignTo(TPersistent* Dest) override;
  /// Composes every visible card off screen and copies the picture at once.
  void Paint() override;

  /// See TImageRequestEvent.
  TImageRequestEvent OnImageRequest;
  /// Fire before the first and after the last OnImageRequest of a paint.
  ///@{
  TNotifyEvent OnFirstImageRequest, OnLastImageRequest;
  ///@}
  /// See TSlideRenderedEvent.
  TSlideRenderedEvent OnSlideRendered;
  /// Fire on a click and a double click on the grid.
  ///@{
  TImageClickEvent OnImageClick, OnImageDblClick;
  ///@}
  /// Fires when the slide under the mouse changes.
  TNotifyEvent OnFocusChange;

 protected:
  /// Handles clicks, double clicks and mouse moves over the slides.
  void WndProc(TMessage& Message) override;

 private:
  class TPainter;
  friend class TPainter;
  // Sizes the selection for a range, or raises (naming the property and
  // value that asked for it) and changes nothing.
  void ResizeSelection(int Min, int Max, const char* Property, int Value);
  bool InRange(int64_t n) const { return n >= min_ && n <= max_; }
  double FirstThumbIxFor(double Position) const;
  thumbs::TGrid Grid() const;
  // The slide under a point: false between cards and outside [Min, Max].
  bool SlideAt(int X, int Y, int& ThumbID) const;
  void DrawHighlight(int ThumbID, TColor Color);
  void Clicked(int X, int Y, TShiftState Shift);
  void TrackFocus(int X, int Y);

  int min_ = 1, max_ = 100;
  double first_ = 1.0;
  int columns_ = 2, rows_ = 0;
  int slideSize_ = 120, slideDistance_ = 2, slideMargin_ = 7;
  TSlideSelectMode selectMode_ = ssmSingle;
  int focusLinewidth_ = 1;
  int focusedSlide_ = 0, lastClicked_ = 0;
  TColor colorBackGnd_ = clBtnFace, colorCover_ = 0xC0C0C0, colorSelected_ = 0x800000;
  TColor colorFocus_ = 0xFF0000, colorMark_ = 0x000000;
  TSchemeColors scheme_;
  TColor schemeBlack_ = 0x000000;
  TFrameStyle frameStyle_ = fsLowered, outerFrameStyle_ = fsRaised, innerFrameStyle_ = fsLowered;
  bool antiAlias_ = false;
  bool painting_ = false;
  std::unique_ptr<thumbs::TSelectionRuns> selection_;
  std::unique_ptr<TBitmap> offscreen_;  // reused by every paint
  std::unique_ptr<thumbs::TSlideCache> slideCache_;  // scaled pictures kept between paints
};

QEL_API_END
}  // namespace qel
