// Numbers to text and back, as the platform's SysUtils does it. Conversions
// that depend on separators use the global FormatSettings unless an overload
// takes explicit settings; Val always uses '.'.
#pragma once
#include <cstdint>
#include <string>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

// --- integers ---
/// Decimal text of Value.
///@{
std::string IntToStr(int Value);
std::string IntToStr(int64_t Value);
///@}
/// Upper-case hexadecimal, padded with zeros to at least Digits digits; negative
/// values show their two's complement of the argument's width.
///@{
std::string IntToHex(int Value, int Digits);
std::string IntToHex(int64_t Value, int Digits);
///@}

/// Leading blanks, a sign, decimal digits or '$' / '0x' hexadecimal; anything
/// else (trailing blanks included) or a value out of range raises EConvertError
/// "'text' is not a valid integer value".
///@{
int StrToInt(const std::string& S);
int64_t StrToInt64(const std::string& S);
///@}
/// As StrToInt, giving Default instead of raising.
///@{
int StrToIntDef(const std::string& S, int Default);
int64_t StrToInt64Def(const std::string& S, int64_t Default);
///@}
/// As StrToInt, returning false instead of raising.
///@{
bool TryStrToInt(const std::string& S, int& Value);
bool TryStrToInt64(const std::string& S, int64_t& Value);
///@}

/// Pascal's Val: Code is 0 on success, else the 1-based position of the first
/// character that does not fit (the length + 1 when the text ends too early).
/// Value is 0 when Code is not.
///@{
void Val(const std::string& S, int& Value, int& Code);
void Val(const std::string& S, int64_t& Value, int& Code);
void Val(const std::string& S, double& Value, int& Code);
///@}

// --- floating point ---
/// Blanks around the number are allowed, the decimal separator is the settings'
/// one, an exponent 'E'/'e' is optional; 'INF', '-INF' and 'NAN' are read back.
/// Otherwise EConvertError "'text' is not a valid floating point value".
///@{
double StrToFloat(const std::string& S);
double StrToFloat(const std::string& S, const TFormatSettings& Settings);
///@}
/// As StrToFloat, giving Default instead of raising.
double StrToFloatDef(const std::string& S, double Default);
/// As StrToFloat, returning false instead of raising.
///@{
bool TryStrToFloat(const std::string& S, double& Value);
bool TryStrToFloat(const std::string& S, double& Value, const TFormatSettings& Settings);
///@}

/// Forms of FloatToStrF: general (shortest), scientific, fixed, fixed with thousand separators, currency.
enum TFloatFormat : uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

/// Precision is the number of significant digits (1..18). Digits is, for
/// ffGeneral and ffExponent, the minimum number of exponent digits (0..4) and,
/// for ffFixed, ffNumber and ffCurrency, the number of decimals (0..18).
///@{
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                        const TFormatSettings& Settings);
                        ///@}
/// FloatToStrF(Value, ffGeneral, 15, 0).
///@{
std::string FloatToStr(double Value);
std::string FloatToStr(double Value, const TFormatSettings& Settings);
///@}

/// Picture formatting: '0' digit or zero, '#' digit if any, '.' decimal point,
/// ',' thousand separators, 'E+0' / 'E-0' exponent, '...' / "..." literals and
/// up to three sections "positive;negative;zero".
///@{
std::string FormatFloat(const std::string& Format, double Value);
std::string FormatFloat(const std::string& Format, double Value, const TFormatSettings& Settings);
///@}

QEL_API_END
}  // namespace qel
