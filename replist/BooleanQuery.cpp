// TBooleanQuery: tokenizer, recursive-descent parser with a depth limit, and
// a short-circuit evaluator.
#include "replist/detail/BooleanQuery.h"

#include <algorithm>

namespace qel {

namespace {
bool IsBlank(char C) { return C == ' ' || C == '\t' || C == '\n' || C == '\r'; }
bool EndsWord(char C) { return IsBlank(C) || C == '(' || C == ')' || C == '"'; }
}  // namespace

class TBooleanQuery::TParser {
 public:
  TParser(TBooleanQuery& Q, std::string_view Text) : q_(Q), text_(Text) { Tokenize(); }

  int Parse() {
    if (tokens_[0].type == TToken::ttEnd) Fail("the query is empty", tokens_[0]);
    const int root = Or(0);
    if (Peek().type == TToken::ttClose) Fail("\")\" without \"(\"", Peek());
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& What, const TToken& At) { throw EMatchError(What, At.position); }
  // The character position of byte Byte. The tokenizer asks in increasing
  // order, so the count carries on from the last answer: a long query costs
  // one pass, not one pass per token.
  int Position(size_t Byte) {
    if (Byte < countedBytes_) {
      countedBytes_ = 0;
      countedChars_ = 0;
    }
    const size_t end = std::min(Byte, text_.size());
    countedChars_ += CharPosition(text_.substr(countedBytes_), end - countedBytes_) - 1;
    countedBytes_ = end;
    return countedChars_ + 1;
  }

  void Tokenize() {
    size_t i = 0;
    while (true) {
      while (i < text_.size() && IsBlank(text_[i])) ++i;
      const int pos = Position(i);
      if (i >= text_.size()) {
        tokens_.push_back({TToken::ttEnd, {}, pos});
        return;
      }
      const char c = text_[i];
      if (c == '(' || c == ')') {
        tokens_.push_back({c == '(' ? TToken::ttOpen : TToken::ttClose, {}, pos});
        ++i;
      } else if (c == '"') {
        tokens_.push_back({TToken::ttPhrase, Phrase(i), pos});
      } else {
        const size_t start = i;
        while (i < text_.size() && !EndsWord(text_[i])) ++i;
        std::string word(text_.substr(start, i - start));
        const TToken::TType type = word == "AND"   ? TToken::ttAnd
                                   : word == "OR"  ? TToken::ttOr
                                   : word == "NOT" ? TToken::ttNot
                                                   : TToken::ttWord;
        tokens_.push_back({type, std::move(word), pos});
      }
    }
  }

  // From the opening quote at I to past the closing one.
  std::string Phrase(size_t& I) {
    const TToken open{TToken::ttPhrase, {}, Position(I)};
    std::string phrase;
    for (++I; I < text_.size(); ++I) {
      if (text_[I] != '"') {
        phrase += text_[I];
      } else if (I + 1 < text_.size() && text_[I + 1] == '"') {
        phrase += '"';
        ++I;
      } else {
        ++I;
        if (phrase.empty()) Fail("an empty phrase", open);
        return phrase;
      }
    }
    Fail("a phrase without its closing quote", open);
  }

  const TToken& Peek() const { return tokens_[next_]; }
  const TToken& Take() { return tokens_[next_ < tokens_.size() - 1 ? next_++ : next_]; }
  bool StartsUnary(TToken::TType T) const {
    return T == TToken::ttWord || T == TToken::ttPhrase || T == TToken::ttNot || T == TToken::ttOpen;
  }

  int Add(TNode N) {
    q_.nodes_.push_back(std::move(N));
    return int(q_.nodes_.size()) - 1;
  }

  int Or(int Depth) {
    int left = And(Depth);
    if (Peek().type != TToken::ttOr) return left;
    TNode node{nkOr, -1, {}, {left}};
    while (Peek().type == TToken::ttOr) {
      Take();
      node.children.push_back(And(Depth));
    }
    MergeTerms(node.children);
    return node.children.size() == 1 ? node.children[0] : Add(std::move(node));
  }

  int And(int Depth) {
    int left = Unary(Depth);
    TNode node{nkAnd, -1, {}, {left}};
    while (true) {
      if (Peek().type == TToken::ttAnd) Take();
      else if (!StartsUnary(Peek().type)) break;
      node.children.push_back(Unary(Depth));
    }
    return node.children.size() == 1 ? left : Add(std::move(node));
  }

  int Unary(int Depth) {
    const TToken& t = Take();
    if (Depth >= MaxDepth) Fail("the query is nested too deeply", t);
    switch (t.type) {
      case TToken::ttWord:
      case TToken::ttPhrase:
        return Add({nkTerm, 0, {t.text}, {}});
      case TToken::ttNot: {
        const int operand = Unary(Depth + 1);
        return Add({nkNot, -1, {}, {operand}});
      }
      case TToken::ttOpen: {
        const int inner = Or(Depth + 1);
        if (Take().type != TToken::ttClose) Fail("\"(\" without \")\"", t);
        return inner;
      }
      case TToken::ttEnd: Fail("a word is missing at the end", t);
      default: Fail("a word is missing before \"" + std::string(t.type == TToken::ttClose ? ")" : t.text) + "\"", t);
    }
  }

  // The plain terms among OR's operands become the first of them, with all their words.
  void MergeTerms(std::vector<int>& Children) {
    int first = -1;
    std::vector<int> kept;
    for (int c : Children) {
      TNode& n = q_.nodes_[size_t(c)];
      if (n.kind != nkTerm) {
        kept.push_back(c);
      } else if (first < 0) {
        first = c;
        kept.push_back(c);
      } else {
        auto& words = q_.nodes_[size_t(first)].words;
        words.insert(words.end(), std::make_move_iterator(n.words.begin()), std::make_move_iterator(n.words.end()));
        n.term = -1;
      }
    }
    Children.swap(kept);
  }

  TBooleanQuery& q_;
  std::string_view text_;
  std::vector<TToken> tokens_;
  size_t next_ = 0;
  size_t countedBytes_ = 0;
  int countedChars_ = 0;
};

TBooleanQuery::TBooleanQuery(std::string_view Text) {
  root_ = TParser(*this, Text).Parse();
  NumberTerms();
}

void TBooleanQuery::NumberTerms() {
  for (TNode& n : nodes_) {
    if (n.kind != nkTerm || n.term < 0) continue;
    n.term = int(terms_.size());
    terms_.push_back(std::move(n.words));
    n.words.clear();
  }
}

bool TBooleanQuery::Evaluate(const std::function<bool(int Term)>& TermHolds) const { return Eval(root_, TermHolds); }

bool TBooleanQuery::Eval(int Node, const std::function<bool(int)>& TermHolds) const {
  const TNode& n = nodes_[size_t(Node)];
  switch (n.kind) {
    case nkTerm: return TermHolds(n.term);
    case nkNot: return !Eval(n.children[0], TermHolds);
    case nkAnd:
      for (int c : n.children)
        if (!Eval(c, TermHolds)) return false;
      return true;
    case nkOr:
      for (int c : n.children)
        if (Eval(c, TermHolds)) return true;
      return false;
  }
  return false;
}

}  // namespace qel
