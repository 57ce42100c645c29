/// \file
/// QEL_sevenseg: TSevenSeg, a row of slanted seven-segment digits showing a
/// short text.
///
/// Glyphs. The 21 glyphs of "0123456789-+:°ABCDEF." (the last is the decimal
/// point alone) are composed once at a master size from six segment pictures
/// (resources SEGHORZ, SEGVERT, SEGDOT, SEGPLUS, SEGCOLON, SEGDEG) and scaled
/// into a glyph strip, cell by cell. The strip is rebuilt when the size,
/// the colours, Margin, InterDigDist or NumDigits change; a new Caption only
/// copies glyphs out of it. What a cell size lights is measured once and
/// shared by the displays of that size, so new colours only repaint the
/// strip, and a new size measures only the shrunk glyphs. The rebuild waits for the next paint, so setting
/// up a display (bounds, digits, colours) builds its strip once, not per step.
///
/// Cells. With A = (Width - 2 * Margin) div NumDigits, a glyph is
/// G = A - InterDigDist wide and Height - 2 * Margin high; cell j (from 0)
/// starts at x = j * (G + InterDigDist) + Margin, y = Margin.
///
/// Caption. Read character by character (UTF-8), one cell each, up to
/// NumDigits cells: "." or "," alone is an empty cell with a decimal point; a
/// character followed by "." or "," takes the point into its cell. Digits,
/// "-", "+", ":", "°" and A to F (either case; b and d are drawn lower-case)
/// have glyphs; any other character leaves its cell empty.
#pragma once
#include <memory>
#include <string>

#include "framework/QEL_Base.h"
#include "platform/controls/Controls.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

namespace sevenseg {
struct TStripCoverage;
}

/// A row of slanted seven-segment digits showing a short text (digits, -, +, :, °, A to F, decimal points).
///
/// From examples/dashboard/main.cpp (`qel-dashboard`):
/// \snippet dashboard/main.cpp display
/// \image html displays.png "The gallery's page Displays"
class TSevenSeg : public TGraphicControl {
 public:
  /// Four red digits showing "8.8.8.8." on dark grey.
  explicit TSevenSeg(TComponent* AOwner);
  /// Lets go of the glyph strip.
  ~TSevenSeg() override;

  /// The text shown, one cell per character (a decimal point shares the cell before it); repaints.
  ///@{
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v) { Apply(caption_, v, TRefresh::Paint); }
  ///@}
  /// Number of digit cells.
  int GetNumDigits() const { return numDigits_; }
  /// 1 to 32; other values are ignored.
  void SetNumDigits(int v);
  /// Colour of the lit segments.
  TColor GetColorText() const { return colorText_; }
  /// White is drawn as 0xFEFEFE.
  void SetColorText(TColor v) { Apply(colorText_, v, TRefresh::Paint, kRebuild); }
  /// Colour of the ground; rebuilds the glyphs.
  ///@{
  TColor GetColorBackGnd() const { return colorBackGnd_; }
  void SetColorBackGnd(TColor v) { Apply(colorBackGnd_, v, TRefresh::Paint, kRebuild); }
  ///@}
  /// Pixels between the frame and the digits.
  int GetMargin() const { return margin_; }
  /// At most Height div 2 - 1.
  void SetMargin(int v);
  /// Pixels between two digits.
  int GetInterDigDist() const { return interDigDist_; }
  /// At most 255.
  void SetInterDigDist(int v);
  /// Style of the frame.
  ///@{
  TFrameStyle GetFrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle v) { Apply(frameStyle_, v, TRefresh::Invalidate); }
  ///@}
  /// Colour scheme of the frame's edges.
  ///@{
  TColorScheme GetColorScheme() const { return scheme_.Scheme; }
  void SetColorScheme(TColorScheme v);
  ///@}

  /// How many times the glyph strip has been built (for diagnostics).
  int GetCacheBuildCount() const { return cacheBuilds_; }

  /// From another TSevenSeg: colours, NumDigits, Caption, FrameStyle, edge
  /// colours and scheme, Margin (within this display's limit) and
  /// InterDigDist; then the strip is rebuilt and the display invalidated.
  void Assign(TPersistent* Source) override;
  /// Copies the glyphs of the caption off screen and shows them in one step.
  void Paint() override;

 protected:
  /// Fills another TSevenSeg from this one.
  void AssignTo(TPersistent* Dest) override;
  /// Rebuilds the strip when the size really changed, then fires OnResize.
  void Resize() override;
  /// Builds the glyphs once loading is done.
  void Loaded() override;

 private:
  enum class TRefresh : uint8_t { Paint, Invalidate, None };
  static constexpr bool kRebuild = true;
  // Every setter stores through here: only a different value (unless
  // Always), then the strip is rebuilt if asked, then the refresh.
  template <class T>
  void Apply(T& Field, const T& Value, TRefresh Refresh, bool Rebuild = false, bool Always = false) {
    if (!Always && Field == Value) return;
    Field = Value;
    if (Rebuild) {
      stripStale_ = true;
      Refresh = TRefresh::Invalidate;  // the paint then rebuilds, once for all changes
    }
    if (Refresh == TRefresh::Paint) Paint();
    else if (Refresh == TRefresh::Invalidate) Invalidate();
  }
  void RebuildCache();
  void RebuildIfResized();
  void PaintCells(TCanvas& C);

  std::string caption_ = "8.8.8.8.";
  int numDigits_ = 4;
  TColor colorText_ = clRed, colorBackGnd_ = 0x333333;
  int margin_ = 8, interDigDist_ = 2;
  TFrameStyle frameStyle_ = fsLowered;
  TSchemeColors scheme_;

  std::shared_ptr<const sevenseg::TStripCoverage> coverage_;  // of the strip's cell size
  std::unique_ptr<TBitmap> strip_, buffer_;
  int glyphWidth_ = 0, glyphHeight_ = 0;  // the strip's cells
  int builtWidth_ = -1, builtHeight_ = -1;  // the size the strip was built for
  bool stripStale_ = true;                  // rebuilt at the next paint
  int cacheBuilds_ = 0;
};

QEL_API_END
}  // namespace qel
