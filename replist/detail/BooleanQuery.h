// TBooleanQuery: a search query of words joined by AND, OR and NOT, with
// parentheses and quoted phrases, as typed into a search box.
//
//   query   := or
//   or      := and { "OR" and }
//   and     := unary { ["AND"] unary }     two terms side by side need both
//   unary   := "NOT" unary | term | "(" or ")"
//   term    := word | '"' characters '"'   ("" inside a phrase is a quote)
//
// The operators are the upper-case words; "and", "or" and "not" are plain
// words. Blanks separate words; "(", ")" and '"' end a word. Words joined
// only by OR make one term of several words, so that a long list of
// alternatives is searched in one pass.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "replist/detail/TextMatcher.h"

namespace qel {

/// A search query of words with AND, OR, NOT, parentheses and quoted phrases, evaluated against a row.
class TBooleanQuery {
 public:
  /// Raises EMatchError with the 1-based character position of the fault.
  explicit TBooleanQuery(std::string_view Text);

  /// The terms of the query, in order: each the words and phrases of which
  /// any one may occur (one, unless the query joins several by OR).
  const std::vector<std::vector<std::string>>& Terms() const { return terms_; }
  /// The query's value when term i has the value TermHolds(i). Terms are
  /// asked lazily, left to right, and only as far as the answer needs them.
  bool Evaluate(const std::function<bool(int Term)>& TermHolds) const;
  /// The nesting that parentheses and NOT may reach.
  static constexpr int MaxDepth = 100;

 private:
  enum TKind : uint8_t { nkTerm, nkNot, nkAnd, nkOr };
  struct TNode {
    TKind kind;
    int term = -1;                   // nkTerm, numbered once parsed; -1: merged into another
    std::vector<std::string> words;  // nkTerm, while parsing
    std::vector<int> children;  // nkNot: one; nkAnd, nkOr: two or more
  };
  struct TToken {
    enum TType : uint8_t { ttWord, ttPhrase, ttAnd, ttOr, ttNot, ttOpen, ttClose, ttEnd } type;
    std::string text;
    int position;  // 1-based character
  };
  class TParser;
  bool Eval(int Node, const std::function<bool(int)>& TermHolds) const;

  void NumberTerms();

  std::vector<std::vector<std::string>> terms_;
  std::vector<TNode> nodes_;
  int root_ = -1;
};

}  // namespace qel
