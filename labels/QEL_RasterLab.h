/// \file
/// QEL_RasterLab: TRasterLab, a dot-matrix display. Every character of its
/// text is a pattern of square dots from a character matrix (the built-in
/// 7 x 12 raster font, or one sampled from any installed font), lit dots over
/// unlit ones, optionally in separate character blocks, scrolling on a timer.
///
/// Geometry. P = DotSize + DotSpacing is the dot pitch. Dot column c of the
/// text's first character lies at x = PosX + x offset + c * P; the grid lines
/// (background colour, DotSpacing pixels wide) fill the gaps between dots and
/// move with the text. A character advances (LastCol - FirstCol + 2) * P when
/// proportional, (Width + 1) * P otherwise; a character without dots
/// (FirstCol > LastCol) advances P, never backwards.
///
/// Text. Texts are UTF-8. A character of Windows-1252 is drawn as its code
/// there (é is 233, € is 128); any other character, and any byte that is not
/// valid UTF-8, as code 127, which holds a visible replacement glyph (an
/// inverse question mark in a box in the built-in font, U+FFFD sampled from
/// an installed font).
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Scrolling (one tick = ScrollInterval ms, ScrollIncrement pixels):
///   rdsmRight  x offset grows;  with ScrollLoop, once past Width it becomes
///              -(text length): the text re-enters from the left
///   rdsmLeft   x offset falls;  with ScrollLoop, once below -(text length)
///              it becomes Width: the text re-enters from the right
///   rdsmDown   y offset grows;  with ScrollLoop, once past Height it becomes
///              -(text height): the text re-enters from the top
///   rdsmUp     y offset falls;  with ScrollLoop, once below -(text height)
///              it becomes Height: the text re-enters from the bottom
/// Text length is the pixel length of the text as last painted; text height
/// is P * the matrix's Height. Each wrap calls DoScrLoopRestart. Nothing
/// scrolls in design mode.
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// Sections: types; TRDCharMatrix; TRasterLab (text and dots, colours and
/// frame, scrolling, drawing helpers, lifecycle).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "framework/QEL_Base.h"
#include "platform/controls/Controls.h"
#include "platform/controls/TimerWindow.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

class TRasterTextRuler;

// ------------------------------------------------------------ types ----

/// rdbmOff: no dot grid, the ground is the background colour; rdbmOn: dot
/// grid, the dot column between two characters cleared to the background;
/// rdbmRaster: dot grid everywhere.
enum TRDBlockMode : uint8_t { rdbmOff, rdbmOn, rdbmRaster };
/// How the text moves: not at all, or left, right, down or up on a timer.
enum TRDScrollMode : uint8_t { rdsmOff, rdsmLeft, rdsmRight, rdsmDown, rdsmUp };

/// Raised when the scroll timer is refused.
QEL_EXCEPTION(EQELRasterLabError, EQELError)

// ---------------------------------------------------- TRDCharMatrix ----

/// The dot patterns of 256 character codes. Bit j of Rows[code][row] is the
/// dot in column j (bit 0 leftmost). A plain record, copied by value.
struct TRDCharMatrix {
  int32_t Width;            ///< The widest character, in dot columns
  int32_t Height;           ///< Dot rows in use
  uint8_t FirstCol[256];    ///< First dot column a character uses
  uint8_t LastCol[256];     ///< Last dot column a character uses
  /// Dot rows of each character, one bit per dot column.
  uint32_t Rows[256][32];
};
static_assert(sizeof(TRDCharMatrix) == 33288);

/// The code a character is drawn with (see Text above).
uint8_t RasterCharCode(char32_t Ch);

// ------------------------------------------------------- TRasterLab ----

/// A dot-matrix display: each character of the text drawn as square dots from a character matrix, optionally in character blocks, scrolling on a timer.
///
/// From examples/labels/main.cpp (`qel-labels`):
/// \snippet labels/main.cpp dots
/// \image html labels-and-fills.png "The gallery's page Labels and fills"
class TRasterLab : public TGraphicControl {
 public:
  /// Green dots on black with the built-in raster font.
  explicit TRasterLab(TComponent* AOwner);
  /// Stops the timer.
  ~TRasterLab() override;

  // --- text and dots ---
  /// The text shown (UTF-8); re-centres with AutoCenter.
  ///@{
  const std::string& GetText() const { return TControl::GetText(); }
  void SetText(const std::string& v);
  ///@}
  // Font: the name "default" (any case) is the built-in raster font; any
  // other font is sampled. Every change rebuilds the character matrix.
  /// Size of a dot in pixels.
  ///@{
  int GetDotSize() const { return dotSize_; }
  void SetDotSize(int v);     ///< Clamped to 1..32
  ///@}
  /// Pixels between dots.
  ///@{
  int GetDotSpacing() const { return dotSpacing_; }
  void SetDotSpacing(int v);  ///< Clamped to 0..3
  ///@}
  /// Position of the text's first dot in pixels (from the control's top-left).
  ///@{
  int GetPosX() const { return posX_; }
  void SetPosX(int v) { SetProperty(posX_, v, TRefresh::Paint, TStore::Always); }
  int GetPosY() const { return posY_; }
  void SetPosY(int v) { SetProperty(posY_, v, TRefresh::Paint, TStore::Always); }
  ///@}
  /// Whether each character takes only its own columns rather than the matrix's width.
  ///@{
  bool GetProportional() const { return proportional_; }
  void SetProportional(bool v) { SetProperty(proportional_, v, TRefresh::Paint, TStore::Always); }
  ///@}
  /// Whether the characters sit in blocks with a cleared column between them.
  ///@{
  TRDBlockMode GetCharBlockMode() const { return charBlockMode_; }
  void SetCharBlockMode(TRDBlockMode v) { SetProperty(charBlockMode_, v, TRefresh::Paint, TStore::Always); }
  ///@}
  /// On: Height follows the dots and the font (frame + P * matrix height).
  ///@{
  bool GetAutoHeight() const { return autoHeight_; }
  void SetAutoHeight(bool v);
  ///@}
  /// On: PosX centres the text, after every text, dot or font change; off:
  /// PosX goes back to 1.
  ///@{
  bool GetAutoCenter() const { return autoCenter_; }
  void SetAutoCenter(bool v);
  ///@}
  /// The dot patterns in use; the setter replaces the font's.
  ///@{
  const TRDCharMatrix& GetCharMatrix() const { return *matrix_; }
  void SetCharMatrix(const TRDCharMatrix& Matrix);
  ///@}

  // --- colours and frame ---
  /// Colour of lit dots.
  ///@{
  TColor GetColorDotOn() const { return colorDotOn_; }
  void SetColorDotOn(TColor v) { SetProperty(colorDotOn_, v, TRefresh::Paint); }
  ///@}
  /// Colour of unlit dots.
  ///@{
  TColor GetColorDotOff() const { return colorDotOff_; }
  void SetColorDotOff(TColor v) { SetProperty(colorDotOff_, v, TRefresh::Paint); }
  ///@}
  /// The background and the grid lines.
  ///@{
  TColor GetColorLabBakG() const { return colorLabBakG_; }
  void SetColorLabBakG(TColor v) { SetProperty(colorLabBakG_, v, TRefresh::Paint); }
  ///@}
  /// Style of the frame.
  ///@{
  TFrameStyle GetFrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle v) { SetProperty(frameStyle_, v, TRefresh::Paint); }
  ///@}
  /// Colour scheme of the frame's edges.
  ///@{
  TColorScheme GetColorScheme() const { return scheme_.Scheme; }
  void SetColorScheme(TColorScheme v);
  ///@}

  // --- scrolling ---
  /// How the text scrolls; starts or stops the timer.
  ///@{
  TRDScrollMode GetScrollMode() const { return scrollMode_; }
  void SetScrollMode(TRDScrollMode v);
  ///@}
  /// Time between two scroll steps.
  ///@{
  int GetScrollInterval() const { return scrollInterval_; }
  void SetScrollInterval(int v);   ///< Ms, at least 10
  ///@}
  /// Distance of a scroll step.
  ///@{
  int GetScrollIncrement() const { return scrollIncrement_; }
  void SetScrollIncrement(int v);  ///< Pixels per tick; the magnitude, 0 becomes 1
  ///@}
  /// Whether scrolled-out text comes back in on the other side.
  ///@{
  bool GetScrollLoop() const { return scrollLoop_; }
  void SetScrollLoop(bool v) { SetProperty(scrollLoop_, v, TRefresh::Paint, TStore::Always); }
  ///@}
  /// Fires after each scroll step.
  ///@{
  const TNotifyEvent& GetOnScrollTimer() const { return onScrollTimer_; }
  void SetOnScrollTimer(TNotifyEvent v);  ///< Also restarts the timer
  ///@}
  /// Fires each time the scrolled text wraps round.
  TNotifyEvent OnScrollLoopRestart;
  /// Where the text stands now relative to (PosX, PosY), and whether it moves.
  ///@{
  int GetScrollOffsetX() const { return offsetX_; }
  int GetScrollOffsetY() const { return offsetY_; }
  bool GetScrolling() const { return scrolling_; }
  ///@}
  /// Advances the scroll by one tick, repaints, then fires OnScrollTimer.
  virtual void DoTimer();
  /// Fires OnScrollLoopRestart.
  virtual void DoScrLoopRestart();

  // --- drawing dot-matrix text on any canvas ---
  /// The built-in font, or the font sampled: 65 x 65 white, the character in
  /// black at (0, 0), the top-left 32 x 32 read as dots where not pure white.
  static TRDCharMatrix CreateBitFont(TFont* Font);
  /// Lit dots of one character with the top-left of its first dot column at
  /// (X, Y); unlit dots are not drawn. Returns P * the columns drawn.
  static int PaintChar(TCanvas* Canvas, const TRDCharMatrix& CharMatrix, int X, int Y, char32_t Ch, int DotSize,
                       int DotSpacing, TColor ColorOn, TColor ColorOff, TColor ColorBack, bool FixedWidth);
  /// The whole text from (X, Y); in rdbmOn the dot column before every
  /// character and after the last is cleared to ColorBack over the canvas's
  /// full height. Length: the pixels taken, plus one.
  static void PaintString(TCanvas* Canvas, const TRDCharMatrix& CharMatrix, int X, int Y, const std::string& Text,
                          int DotSize, int DotSpacing, TColor ColorOn, TColor ColorOff, TColor ColorBack,
                          TRDBlockMode BlockMode, bool Proportional, int& Length);
  /// The pixels Text advances with this label's matrix, dots and mode.
  int CalcTextBitLength(const std::string& Text) const;

  /// Copies FrameStyle, Text, ColorLabBakG, ColorDotOn, the edge colours and
  /// ColorScheme from another TRasterLab (not ColorDotOff), then repaints.
  void Assign(TPersistent* Source) override;

  /// Draws the frame, the dots and the text.
  void Paint() override;

 protected:
  /// Fills another TRasterLab from this one.
  void AssignTo(TPersistent* Dest) override;
  /// Rebuilds the character matrix when the font changes.
  void WndProc(TMessage& Message) override;

 private:
  int Pitch() const { return dotSize_ + dotSpacing_; }
  // What follows a change of dots, font or text.
  void ApplyAutoHeight();
  void ApplyAutoCenter();
  void FontMatrixChanged();
  // Kills timer 1 and starts it again while scrolling; raises when refused.
  void RestartTimer();
  void DrawLabFrame(TCanvas& Canvas, int W, int H) const;
  // The text at (X, Y), only the characters the canvas shows.
  void PaintText(TCanvas& C, int X, int Y);
  void DrawGrid(TCanvas& Canvas, int W, int H, int X, int Y) const;

  std::unique_ptr<TRDCharMatrix> matrix_;
  std::unique_ptr<TBitmap> buffer_;  // reused by every paint
  std::unique_ptr<TRasterTextRuler> ruler_;  // measured again after a text or matrix change
  int dotSize_ = 3, dotSpacing_ = 1;
  int posX_ = 1, posY_ = 1;
  bool proportional_ = true;
  TRDBlockMode charBlockMode_ = rdbmOn;
  bool autoHeight_ = false, autoCenter_ = false;
  TColor colorDotOn_ = clLime, colorDotOff_ = 0x404040, colorLabBakG_ = clBlack;
  TFrameStyle frameStyle_ = fsLowered;
  TSchemeColors scheme_;
  TColor edge0_ = clBlack;  // the dark edge beside the scheme's two
  TRDScrollMode scrollMode_ = rdsmOff;
  int scrollInterval_ = 100, scrollIncrement_ = 1;
  bool scrollLoop_ = true;
  TNotifyEvent onScrollTimer_;
  int offsetX_ = 0, offsetY_ = 0;
  bool scrolling_ = false;
  int textLength_ = 0;  // as last painted
  TTimerWindow timer_;  // last, so it goes first: no tick outlives what it uses
};

QEL_API_END
}  // namespace qel
