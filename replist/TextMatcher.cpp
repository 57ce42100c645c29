// TTextMatcher: memmem for exact text, PCRE2 for the rest.
#define PCRE2_CODE_UNIT_WIDTH 8
#include "replist/detail/TextMatcher.h"

#include <pcre2.h>
#include <string.h>

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
  ~TPcre() {
    if (stack) pcre2_jit_stack_free(stack);
    if (context) pcre2_match_context_free(context);
    if (data) pcre2_match_data_free(data);
    if (code) pcre2_code_free(code);
  }
};

TTextMatcher::TTextMatcher(std::string_view Pattern, TKind Kind, bool MatchCase) {
  if (Kind == tkText && MatchCase) {
    text_.assign(Pattern);
    return;
  }
  // Cells that are not valid UTF-8 are searched as far as they are valid.
  uint32_t options = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
  options |= Kind == tkText ? PCRE2_LITERAL : PCRE2_UCP;  // \w and friends know every letter
  if (!MatchCase) options |= PCRE2_CASELESS;
  auto pcre = std::make_unique<TPcre>();
  int error = 0;
  PCRE2_SIZE offset = 0;
  pcre->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(Pattern.data()), Pattern.size(), options, &error, &offset,
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
  pcre_ = pcre.release();
}

TTextMatcher::~TTextMatcher() { delete pcre_; }

bool TTextMatcher::Matches(std::string_view Cell) const {
  if (!pcre_) return text_.empty() || memmem(Cell.data(), Cell.size(), text_.data(), text_.size()) != nullptr;
  const auto subject = reinterpret_cast<PCRE2_SPTR>(Cell.data());
  const int rc = pcre_->jit ? pcre2_jit_match(pcre_->code, subject, Cell.size(), 0, 0, pcre_->data, pcre_->context)
                            : pcre2_match(pcre_->code, subject, Cell.size(), 0, 0, pcre_->data, pcre_->context);
  if (rc >= 0) return true;
  if (rc == PCRE2_ERROR_NOMATCH) return false;
  PCRE2_UCHAR message[256];
  pcre2_get_error_message(rc, message, sizeof message);
  throw EMatchError(reinterpret_cast<const char*>(message), 0);
}

}  // namespace qel
