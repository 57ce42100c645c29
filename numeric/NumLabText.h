// Internal to QEL_NumLab: the value text of a numeric label, before the
// application's OnBeforeDisplay and the overflow rule see it.
#pragma once
#include <cstdint>
#include <string>

#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// The forms a numeric label shows its value in (see TNumLab).
enum TDisplay : uint8_t {
  dtFloat, dtFixP, dtExp, dtHex, dtZeroInt, dtInt, dtDateTime, dtState, dtBin, dtOct,
  dtDeg, dtDegMin, dtDegMinSec, dtEEng, dtEEngNoDP
};

namespace numlab {

/// The settings of a label that shape its value text.
struct TValueFormat {
  /// The form of the text.
  TDisplay Type = dtFixP;
  int Precision = 2;  ///< Digits, 0 to 15
  /// The decimal comma instead of the point.
  bool Comma = false;
  /// A "+" before positive values.
  bool ForcePlusSign = false;
  /// Format of dtDateTime.
  std::string DTFormat = "mmm-dd, yyyy";
  /// Text of dtState.
  std::string StateText = "undefined";
  /// Text of a value the type cannot show.
  std::string OverflowIndicator = "*********";
};

/// Value as Format's type shows it, with the platform's decimal separator;
/// a value the type cannot show gives the overflow indicator.
std::string FormatValue(double Value, const TValueFormat& Format);
/// Hexadecimal, binary, date-time and state texts keep their points, commas
/// and signs; every other type gets the chosen decimal separator and, with
/// ForcePlusSign, a "+" before a positive value.
bool TakesSeparatorAndSign(TDisplay Type);
/// Both steps: the text OnBeforeDisplay receives.
std::string ValueText(double Value, const TValueFormat& Format);

}  // namespace numlab
QEL_API_END
}  // namespace qel
