// `expand text`: turns a step field into the text an executor uses, by this fixed
// sequence of stages, each working on the output of the ones before:
//   1 "%%" escapes, 2 loop variables, 3 user and environment variables, 4 key-name
//   shortcuts, 5 named Windows constants, 6 system and run-time tokens with random
//   digits and letters, 7 date and time tokens with date arithmetic, 8 text
//   functions and CALC, 9 escapes back to "%".
// The expander never fails: unknown names stay in the text as written.
//
// Limits (so that no text, however hostile, runs away):
// - The whole text never grows beyond kMaxExpansionSize bytes: a substitution that
//   would pass it is not made and its token stays as written.
// - A value inserted by stage 3 is scanned again for references (so a variable can
//   refer to others), but a reference met inside inserted text is expanded only
//   while its nesting is below kMaxValueNesting and while the expansion has made
//   fewer than kMaxNestedSubstitutions such substitutions. A value that refers to
//   its own variable therefore expands kMaxValueNesting times and then keeps the
//   reference as written, instead of looping for ever.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/run_services.h"

namespace zorbel {

constexpr size_t kMaxExpansionSize = size_t{64} << 20;
constexpr int kMaxValueNesting = 16;
constexpr size_t kMaxNestedSubstitutions = 65536;
// Stage 8 evaluates at most this many calls per expansion.
constexpr size_t kMaxFunctionCalls = 1000000;

namespace expansion {
class VariableCache;
}

class TextExpander {
public:
    // Reads `services.store`, `environment`, `window`, `run`, `variables`, `log` and
    // `output` at each expansion; each may be null, which leaves its tokens unchanged.
    explicit TextExpander(RunServices& services);
    ~TextExpander();
    TextExpander(const TextExpander&) = delete;
    TextExpander& operator=(const TextExpander&) = delete;

    // `expand text`: expands `input` (up to its first NUL) into the expansion buffer
    // and returns the output's length + 1; 0 for an empty input (empty output).
    size_t expand(std::string_view input);
    // The expansion buffer: the output of the last expansion, valid until the next.
    const std::string& buffer() const { return buffer_; }
    // Expands and returns a copy of the output.
    std::string expanded(std::string_view input) {
        expand(input);
        return buffer_;
    }

private:
    RunServices& services_;
    std::string buffer_;
    std::unique_ptr<expansion::VariableCache> variables_;
};

}  // namespace zorbel
