// The companion base library: shared enumerations, callback types, the root
// exception of the component suite, constants, name tables, and the small
// drawing, text, file and stream helpers every component relies on.
//
// Sections: enumerations, callbacks and exceptions, constants and tables,
// drawing, strings, numbers, files and streams.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "platform/graphics/StylePainter.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

class TStream;

// ------------------------------------------------------- enumerations ----

/// Frame around a component; FrameWidth gives the pixels each takes.
enum TFrameStyle : uint8_t { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
/// 0: grey/white edges; anything else: the desktop's button shadow/highlight.
enum TColorScheme : uint8_t { csBlackWhite, csSystem };
/// Decimal separator a numeric field accepts: the system's, the point, the comma, or either.
enum TDecPSep : uint8_t { dsSystem, dsPoint, dsComma, dsBoth };
/// Which way something grows: up, down, left or right.
enum TDirection : uint8_t { dirUp, dirDown, dirLeft, dirRight };
/// Vertical or horizontal.
enum TOrientation : uint8_t { orVertical, orHorizontal };  ///< Downwards, to the right
/// How a background picture fills its area: once, stretched, or tiled.
enum TBkgFill : uint8_t { bfSimple, bfStretch, bfTile };
/// Index of the name tables (0 is unused and repeats English).
enum TLanguage : uint8_t { lgEnglish = 1, lgGerman = 2, lgFrench = 3, lgSpanish = 4 };
/// Logical operations on two truth values.
enum TLogicOp : uint8_t { loAND, loOR, loXOR, loNAND, loNOR, loXNOR };

/// Pixels taken by each frame style.
int FrameWidth(TFrameStyle Style);
/// The two edge colours of a scheme: dark (shadow) and light (highlight).
///@{
TColor SchemeDarkColor(TColorScheme Scheme);
TColor SchemeLightColor(TColorScheme Scheme);
///@}
/// A component's colour scheme with the edge colours it gives, stored
/// together so that the edges always match the scheme.
struct TSchemeColors {
  /// The scheme.
  TColorScheme Scheme = csBlackWhite;
  /// Its dark and light edge colours.
  ///@{
  TColor Dark = clGray, Light = clWhite;
  ///@}
  /// Takes Value and its edge colours; false when Value was the scheme already.
  bool Set(TColorScheme Value);
};
/// Op applied to A and B.
bool ApplyLogicOp(TLogicOp Op, bool A, bool B);

// ------------------------------------------- callbacks and exceptions ----

/// Fires as a long operation moves on, with the percentage done (0..100).
using TOnPercentDoneEvent = std::function<void(TObject* Sender, int Percent)>;
/// Fired by a sort before two rows change places, with the sort-column texts
/// of the row moving up (S) and of the row it replaces (T); T may be changed
/// by the handler, which only affects what later handlers see for this call.
using TBeforeSortExchgEvent = std::function<void(TObject* Sender, const std::string& S, std::string& T)>;

/// The base of the components' exceptions.
QEL_EXCEPTION(EQELError, Exception)

/// The message of an out-of-memory failure of a named component:
/// Component "\<Name\>"\<Ending\>.
std::string ComponentErrorMessage(const std::string& Name, const std::string& Ending);

// ------------------------------------------------ constants and tables ----

/// Largest finite double.
constexpr double uc_MaxDouble = 1.7976931348623157e308;
/// Largest value the components treat as a number.
constexpr double uc_MaxReal = 1.0e300;
/// Natural logarithm of 10.
constexpr double uc_ln10 = 2.302585092994045684;

/// [language][1..12]; index 0 of each row is empty. At most 4 and 10 characters.
///@{
extern const std::array<std::array<const char*, 13>, 5> MonthShort;
extern const std::array<std::array<const char*, 13>, 5> MonthLong;
///@}
/// [language][0..6], 0 is Monday; at most 3 characters.
extern const std::array<std::array<const char*, 7>, 5> WeekDayShort;
/// [1..47]: 1-16 the VGA colours, 17-20 the extended ones, 21-47 system colours.
extern const std::array<TColor, 48> PredefinedColors;
/// Highest measurement-scale type.
constexpr int MaxMScaleType = 5;
/// Measurement-scale types 0..5; 1 and 2 are the nominal ones.
extern const std::array<const char*, MaxMScaleType + 1> MScaleTypeNames;

// ---------------------------------------------------------- drawing ----

/// Frame along the edge of the rectangle with inclusive corners; the inside
/// is untouched and the canvas pen is restored. C1 white, C2 silver, C3 grey,
/// C4 black, C5 the colour of the single-line style. Bevels paint top/left
/// first, so the top-right and bottom-left corners take the bottom/right colour.
void DrawFrame(TCanvas* Canvas, TFrameStyle FrameStyle, int Left, int Top, int Right, int Bottom,
               TColor C1, TColor C2, TColor C3, TColor C4, TColor C5);
/// The platform's look of a frame style (the two enumerations share their order).
TFrameLook FrameLook(TFrameStyle Style);
/// Highest marker symbol number.
constexpr int MaxMarkSymbol = 51;
/// Marker 0..51 centred on (X, Y), about 9 pixels across. Open symbols use the
/// pen outline and the brush inside; filled ones fill with the pen colour.
/// Pen and brush are left as they were. Other numbers draw nothing.
void DrawMarkOnCanvas(TCanvas* Canvas, int Mark, int X, int Y);
/// Outline only, corners inclusive, with the current pen.
void DrawRectangle(TCanvas* Canvas, int Left, int Top, int Right, int Bottom);
/// Channel-wise mean (system colours are resolved first).
TColor MeanColor(TColor A, TColor B);

// ---------------------------------------------------------- strings ----

/// A list of strings (Tokenize's result).
using TOpenStringArray = std::vector<std::string>;

/// Fixed-point text with Decimals decimals, padded on the left to Width.
std::string strff(double Value, int Width, int Decimals);
/// S padded on the right with blanks to N characters (longer S stays whole).
std::string LeftString(const std::string& S, int N);
/// S with C at its end (added when missing).
std::string EnsureTrailingChar(char C, const std::string& S);
/// Ensures the platform's path delimiter ('/') at the end; the name is historical.
std::string EnsureTrailingBkSlash(const std::string& S);
std::string RemoveControlChars(const std::string& S);  ///< Drops bytes below 32
/// S without the runs of C at its start or end.
///@{
std::string StripLeadingChars(char C, const std::string& S);
std::string StripTrailingChars(char C, const std::string& S);
///@}
/// S with every Old replaced by New.
std::string ReplaceCharInString(const std::string& S, char Old, char New);
/// Character position (1-based) of the N-th occurrence of Sub in S, searching
/// characters Start .. Stop (Stop 0: to the end); occurrences do not overlap.
/// 0 when there is none or N < 1.
int NumberedPos(const std::string& Sub, const std::string& S, int Start, int Stop, int N);
/// Splits S at every Delimiter into pieces of at most 255 characters; the empty
/// piece after a final delimiter counts, an empty S gives no pieces. An empty
/// Delimiter gives S as the one piece.
int Tokenize(const std::string& S, const std::string& Delimiter, TOpenStringArray& Tokens);

// ---------------------------------------------------------- numbers ----

/// Optional sign and decimal digits only, within the range of a 32-bit int.
bool IsValidDecInt(const std::string& S);
/// The largest integer not above X, saturated to the int range; NaN gives 0.
int IntNeg(double X);

// ------------------------------------------------ files and streams ----

/// Whether Path names an existing folder.
bool DirExists(const std::string& Path);
/// One level up: "/a/b/c" and "/a/b/c/" give "/a/b"; "/a" gives "/"; a name
/// without a folder gives "".
std::string ParentDir(const std::string& Path);
/// N letters and digits from the kernel's cryptographic source.
std::string InventPassword(int N);
/// The next line from the stream's current position, without its LF or CR LF.
/// EndOfStream tells whether the stream is exhausted afterwards. A line longer
/// than MaxLength bytes (0: no limit) is returned in pieces of that length.
void ReadLnStream(TStream& Stream, bool& EndOfStream, int MaxLength, std::string& Line);

QEL_API_END
}  // namespace qel
