// TTextMatcher: memmem for exact text, PCRE2 for the rest.
#define PCRE2_CODE_UNIT_WIDTH 8
#include "replist/detail/TextMatcher.h"

#include <pcre2.h>
#include <string.h>

#include <ctype.h>

#include <algorithm>
#include <memory>
#include <new>

namespace qel {

namespace {
// Enough for any sensible search over a 255-character cell, small enough
// that a pathological pattern gives up within milliseconds.
constexpr uint32_t kMatchLimit = 1000000, kDepthLimit = 10000;
constexpr size_t kJitStackMax = 1024 * 1024;
}  // namespace

int CharPosition(std::string_view Text, size_t Offset) {
  int chars = 1;
  for (size_t i = 0; i < Offset && i < Text.size(); ++i) chars += (static_cast<unsigned char>(Text[i]) & 0xC0) != 0x80;
  return chars;
}

struct TTextMatcher::TPcre {
  pcre2_code* code = nullptr;
  pcre2_match_data* data = nullptr;
  pcre2_match_context* context = nullptr;
  pcre2_jit_stack* stack = nullptr;
  bool jit = false;
  std::unique_ptr<TPcre> next;
  ~TPcre() {
    if (stack) pcre2_jit_stack_free(stack);
    if (context) pcre2_match_context_free(context);
    if (data) pcre2_match_data_free(data);
    if (code) pcre2_code_free(code);
  }
};

namespace {
constexpr uint32_t kTextOptions = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;  // invalid cells searched as far as valid
// Words per alternation before PCRE2's pattern size is tried: a guess that
// usually fits; a group that does not is halved.
constexpr size_t kWordsPerPattern = 2000;

// Every ASCII character but letters and digits escaped: each then stands for itself.
std::string Escaped(const std::string& Word) {
  std::string out;
  out.reserve(Word.size() * 2);
  for (char c : Word) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80 && !isalnum(b)) out += '\\';
    out += c;
  }
  return out;
}
}  // namespace

TTextMatcher::TTextMatcher(std::string_view Pattern, TKind Kind, bool MatchCase) {
  if (Kind == tkText && MatchCase) {
    text_.assign(Pattern);
    return;
  }
  uint32_t options = kTextOptions;
  options |= Kind == tkText ? PCRE2_LITERAL : PCRE2_UCP;  // \w and friends know every letter
  if (!MatchCase) options |= PCRE2_CASELESS;
  Compile(Pattern, options);
}

// Exact words compare bytes, as memmem does; other words fold case as one
// caseless text does.
TTextMatcher::TTextMatcher(const std::vector<std::string>& Words, bool MatchCase) {
  if (Words.size() == 1 && MatchCase) {
    text_ = Words[0];
    return;
  }
  const uint32_t options = MatchCase ? 0 : kTextOptions | PCRE2_CASELESS;
  for (size_t from = 0; from < Words.size(); from += kWordsPerPattern)
    CompileWords(Words, from, std::min(Words.size(), from + kWordsPerPattern), options);
}

void TTextMatcher::CompileWords(const std::vector<std::string>& Words, size_t From, size_t To, uint32_t Options) {
  std::string pattern;
  for (size_t i = From; i < To; ++i) {
    if (i > From) pattern += '|';
    pattern += Escaped(Words[i]);
  }
  try {
    Compile(pattern, Options);
  } catch (const EMatchError&) {
    if (To - From < 2) throw;
    const size_t half = From + (To - From) / 2;  // too large a pattern: two smaller ones
    CompileWords(Words, From, half, Options);
    CompileWords(Words, half, To, Options);
  }
}

void TTextMatcher::Compile(std::string_view Pattern, uint32_t Options) {
  auto pcre = std::make_unique<TPcre>();
  int error = 0;
  PCRE2_SIZE offset = 0;
  pcre->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(Pattern.data()), Pattern.size(), Options, &error, &offset,
                             nullptr);
  if (!pcre->code) {
    PCRE2_UCHAR message[256];
    pcre2_get_error_message(error, message, sizeof message);
    throw EMatchError(reinterpret_cast<const char*>(message), CharPosition(Pattern, offset));
  }
  pcre->jit = pcre2_jit_compile(pcre->code, PCRE2_JIT_COMPLETE) == 0;
  pcre->data = pcre2_match_data_create(1, nullptr);
  pcre->context = pcre2_match_context_create(nullptr);
  if (!pcre->data || !pcre->context) throw std::bad_alloc();
  pcre2_set_match_limit(pcre->context, kMatchLimit);
  pcre2_set_depth_limit(pcre->context, kDepthLimit);
  if (pcre->jit) {
    pcre->stack = pcre2_jit_stack_create(32 * 1024, kJitStackMax, nullptr);
    if (pcre->stack) pcre2_jit_stack_assign(pcre->context, nullptr, pcre->stack);
  }
  // Appended: the words are tried in the order given.
  if (!pcre_) {
    pcre_ = pcre.release();
    return;
  }
  TPcre* last = pcre_;
  while (last->next) last = last->next.get();
  last->next = std::move(pcre);
}

TTextMatcher::~TTextMatcher() { delete pcre_; }

bool TTextMatcher::Matches(std::string_view Cell) const {
  if (!pcre_) return text_.empty() || memmem(Cell.data(), Cell.size(), text_.data(), text_.size()) != nullptr;
  const auto subject = reinterpret_cast<PCRE2_SPTR>(Cell.data());
  for (const TPcre* p = pcre_; p; p = p->next.get()) {
    const int rc = p->jit ? pcre2_jit_match(p->code, subject, Cell.size(), 0, 0, p->data, p->context)
                          : pcre2_match(p->code, subject, Cell.size(), 0, 0, p->data, p->context);
    if (rc >= 0) return true;
    if (rc == PCRE2_ERROR_NOMATCH) continue;
    PCRE2_UCHAR message[256];
    pcre2_get_error_message(rc, message, sizeof message);
    throw EMatchError(reinterpret_cast<const char*>(message), 0);
  }
  return false;
}

}  // namespace qel
