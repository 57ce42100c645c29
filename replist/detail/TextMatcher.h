// TTextMatcher: finds a text, any of several words, or a regular expression
// in cells. One exact text is found with memmem; the rest goes through PCRE2
// (UTF-8, Unicode case folding, JIT-compiled where the machine allows), with
// limits so that no pattern can hang the caller. Many words make one
// alternation (a few when it outgrows PCRE2's pattern size), not a matcher
// each: thousands of words then cost a few compiled patterns, not thousands.
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>
#include <memory>
#include <vector>
#include <cstdint>

namespace qel {

/// A pattern that does not compile (Position: 1-based character in the
/// pattern) or that needs more work than the limits allow (Position 0).
class EMatchError : public std::runtime_error {
 public:
  /// An error with its position in the pattern.
  EMatchError(const std::string& What, int Position) : std::runtime_error(What), position_(Position) {}
  /// 1-based character of the fault in the pattern; 0 for an exhausted limit.
  int Position() const { return position_; }

 private:
  int position_;
};

/// Finds a text (with or without regard to case) or a regular expression in cells.
class TTextMatcher {
 public:
  /// Plain text or a Perl-compatible regular expression.
  enum TKind { tkText, tkRegex };
  /// Raises EMatchError for a regular expression that does not compile.
  TTextMatcher(std::string_view Pattern, TKind Kind, bool MatchCase);
  /// Finds any of Words (none empty; at least one) as plain text.
  TTextMatcher(const std::vector<std::string>& Words, bool MatchCase);
  ~TTextMatcher();
  TTextMatcher(const TTextMatcher&) = delete;
  TTextMatcher& operator=(const TTextMatcher&) = delete;

  /// True when the pattern occurs in Cell (the empty text occurs everywhere).
  /// Raises EMatchError when a match runs into the limits.
  bool Matches(std::string_view Cell) const;

 private:
  struct TPcre;
  void Compile(std::string_view Pattern, uint32_t Options);
  void CompileWords(const std::vector<std::string>& Words, size_t From, size_t To, uint32_t Options);
  std::string text_;                         // exact text, when no PCRE2 code is needed
  TPcre* pcre_ = nullptr;  // a chain: a match of any one is a match
};

/// The 1-based character position of byte Offset in UTF-8 Text.
int CharPosition(std::string_view Text, size_t Offset);

}  // namespace qel
