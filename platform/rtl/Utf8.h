// Text helpers for UTF-8 strings. Positions and counts are in characters and
// never split one; a byte that does not start a valid sequence counts as one
// character of its own, so any byte string is safe to pass.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Byte length of the character starting at byte I (1 for invalid bytes, 0 at the end).
size_t Utf8CharSize(const std::string& S, size_t I);
/// Code point of the character at byte I; invalid bytes decode as themselves (0x80..0xFF).
uint32_t Utf8DecodeChar(const std::string& S, size_t I);
/// UTF-8 text of one code point (U+FFFD for surrogates and values above U+10FFFF).
std::string Utf8EncodeChar(uint32_t CodePoint);

/// Number of characters.
size_t Utf8Length(const std::string& S);
/// Count characters from character Start (1-based, below 1 means 1), like Copy.
std::string Utf8Copy(const std::string& S, int Start, int Count);
/// The first or last Count characters.
///@{
std::string Utf8Left(const std::string& S, int Count);
std::string Utf8Right(const std::string& S, int Count);
///@}
/// The first character.
std::string Utf8FirstChar(const std::string& S);
std::string Utf8RestChars(const std::string& S);  ///< All but the first character
/// Character position (1-based) of SubStr in S at or after character Offset, 0 if absent.
int Utf8Pos(const std::string& SubStr, const std::string& S, int Offset = 1);

/// Case mapping: Upper/LowerCase touch ASCII letters only; the Ansi forms also
/// map the letters of Windows-1252 (é <-> É, š <-> Š, ÿ <-> Ÿ); ß has no capital.
///@{
std::string UpperCase(const std::string& S);
std::string LowerCase(const std::string& S);
std::string AnsiUpperCase(const std::string& S);
std::string AnsiLowerCase(const std::string& S);
///@}

/// Strip characters <= ' ' (control characters and blanks).
///@{
std::string Trim(const std::string& S);
std::string TrimLeft(const std::string& S);
std::string TrimRight(const std::string& S);
///@}

/// Comparisons return <0, 0 or >0. The plain forms ignore ASCII case only; the
/// Ansi forms ignore case as AnsiLowerCase does and compare by code point.
///@{
int CompareStr(const std::string& A, const std::string& B);
int CompareText(const std::string& A, const std::string& B);
bool SameText(const std::string& A, const std::string& B);
int AnsiCompareText(const std::string& A, const std::string& B);
bool AnsiSameText(const std::string& A, const std::string& B);
///@}

QEL_API_END
}  // namespace qel
