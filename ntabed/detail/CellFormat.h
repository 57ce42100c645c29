// Number texts of the table editor: one formatter shared by cell painting,
// column fitting and the clipboard, so that what is measured, shown and
// copied is the same text.
//
// Precision p per column: 0..10 fixed decimals, 255 scientific.
//   p = 0..8  fixed form when x = 0 or |x| lies in [10^-p, Max(p)], where
//             Max(0) = 999999999 and Max(p) = 99999999 / 10^p otherwise
//             (nine digits at p = 0, eight after that); else scientific.
//   p >= 9    always scientific.
// Fixed form: x rounded to p decimals, "-" when negative, "." as point,
// right-aligned with blanks to at least Width characters.
// Scientific form of field width W = Width + 8: a sign place (" " or "-"),
// one digit, ".", F = max(1, W - 9) digits, "E", the exponent's sign and
// four digits; then the first two exponent digits are dropped when they
// are "00" (E+0003 -> E+03); an exponent of 100 or more in magnitude drops
// them as well and turns every character into "*".
//
// Rounding works on the shortest decimal text that reads back as the same
// double (what a user typed), to nearest with ties away from zero: 1.005
// shows "1.01" with two decimals and 2.5 shows "3" with none. The texts do
// not depend on the locale. NaN shows "-nan-"; an infinity a row of "*" as
// long as the scientific form.
#pragma once
#include <cstdint>
#include <string>

namespace qel {

/// The precision that selects scientific form.
constexpr uint8_t DecPlacesScientific = 255;
/// Most fixed decimals.
constexpr int MaxFixedDecPlaces = 10;
/// Enough for every text below (the longest is a 20-digit mantissa with its exponent).
constexpr int CellNumberCapacity = 48;

/// The cell text of X for field width Width (1..20) and precision DecPlaces;
/// writes it to Buf (CellNumberCapacity bytes) and returns its length.
///@{
int FormatCellNumber(double X, int Width, int DecPlaces, char* Buf);
std::string FormatCellNumber(double X, int Width, int DecPlaces);
///@}

/// X rounded to Decimals (0..10) decimals without any range limit, as
/// "-123456789012.50" (no padding); non-finite values as RawExponentForm(X, 1).
std::string FixedForm(double X, int Decimals);

/// The exponent form of field width W before shortening: four exponent
/// digits kept, never starred (" 1.2345678901234E+0005" for W = 22).
std::string RawExponentForm(double X, int W);

}  // namespace qel
