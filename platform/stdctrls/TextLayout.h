// Laying out long single lines: the helpers the text editor and the custom
// controls share to measure and draw only the part of a line that shows.
//
// TMeasuredLine keeps one line of text measured in one font for a control
// that owns its text as a plain string: handed the current text before each
// use, it finds what changed as the differing middle between the common
// start and end (a byte comparison, no measuring) and updates its block
// index there, so that widths and drawing cost about the same in a line of
// millions of characters as in a short one.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/graphics/Graphics.h"
#include "platform/stdctrls/TextIndex.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Lines up to this many characters are drawn whole, as TextRect would;
/// longer ones only around the part that shows.
constexpr int WholeLineChars = 512;

/// Prefix extents of a line: the x of a position measured from the line's start.
using TExtentTo = std::function<int64_t(int Pos)>;

/// The last position in [First, Last] whose x is at most X (First when none
/// is). Prefix extents grow with the position, so a binary search will do.
int LastPosAtOrBefore(int First, int Last, int64_t X, const TExtentTo& ExtentTo);

/// The positions [From, To) of [First, Last) whose glyphs can reach the line
/// x span [Left, Right): glyphs reach past their advance by less than Margin,
/// and a character more on each side covers kerning.
void VisibleChars(int First, int Last, int64_t Left, int64_t Right, int Margin, const TExtentTo& ExtentTo, int& From,
                  int& To);

/// The character drawn just before byte Byte of a line, whose kerning with
/// the next one counts as when the whole line is drawn: 0 at the start and
/// after a line break, U+FFFD for a byte that starts no valid sequence (the
/// canvas draws it so).
char32_t CharBeforeByte(const std::string& Text, size_t Byte);

/// A line of text measured once and then only where it changes, so that positions in long lines cost little.
class TMeasuredLine {
 public:
  /// Brings the line up to date with Text in Font.
  void Update(const std::string& Text, const TFont* Font);
  int Length() const { return static_cast<int>(index_.Chars()); }  ///< Characters
  /// Width of the whole line in pixels.
  int64_t Width() { return XOf(Length()); }
  int64_t XOf(int Pos);  ///< The width of the first Pos characters
  /// Draws the line as Canvas->TextRect(R, X, Y, Text) would, laying out only
  /// what can show in R.
  void Draw(TCanvas* Canvas, const TRect& R, int64_t X, int Y);

 private:
  int64_t MeasureBytes(size_t Begin, size_t End);

  std::string text_;
  TTextIndex index_;
  TCanvas measure_;
  bool measured_ = false;  // measure_ holds the font of the extents index_ keeps
};

QEL_API_END
}  // namespace qel
