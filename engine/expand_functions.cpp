// Stage 8 of the expander: the text functions and CALC, by function name in a fixed
// order; each call is replaced by its result.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "core/text_rules.h"

#include "engine/expand_internal.h"
#include "engine/text_functions.h"

namespace zorbel {
namespace expansion {
namespace {

constexpr size_t kUnmatchedScanPasses = 16;
constexpr size_t kUnmatchedScanExtra = size_t{1} << 20;

void names_before_parentheses(std::string_view text, bool* present) {
    constexpr size_t kCount = std::size(kTextFunctionNames);
    for (size_t i = 0; i < kCount; ++i) present[i] = false;
    for (size_t open = text.find('('); open != std::string_view::npos; open = text.find('(', open + 1)) {
        for (size_t spaces = 0; spaces <= 2; ++spaces) {
            if (spaces > open) break;
            if (spaces > 0 && text[open - spaces] != ' ') break;
            size_t end = open - spaces;
            for (size_t i = 0; i < kCount; ++i) {
                size_t length = std::strlen(kTextFunctionNames[i]);
                if (length <= end && equals_ignore_case(text.substr(end - length, length), kTextFunctionNames[i]))
                    present[i] = true;
            }
        }
    }
}

}  // namespace

void expand_text_functions(std::string* text) {
    size_t calls = 0;
    // Which names stand before a "(" (after up to two spaces): found in one pass over
    // the text, taken again only after a call was replaced.
    bool present[std::size(kTextFunctionNames)] = {};
    bool stale = true;
    for (size_t index = 0; index < std::size(kTextFunctionNames); ++index) {
        if (stale) {
            names_before_parentheses(*text, present);
            stale = false;
        }
        if (!present[index]) continue;
        const std::string n = kTextFunctionNames[index];
        // The call's name is followed by " (", else "(", else "  (".
        const std::string patterns[3] = {n + " (", n + "(", n + "  ("};
        // No occurrence of pattern v starts before resume[v]. A replacement at p can
        // only create occurrences that start after p - (longest pattern).
        size_t resume[3] = {0, 0, 0};
        const size_t reach = patterns[2].size();
        // Looking for the ")" of a call that has none reads to the end of the text.
        // So that a text of many unbalanced calls stays linear, such reading is
        // limited to a few passes over the text per name; calls met beyond that
        // budget stay as they are.
        size_t unmatched_budget = kUnmatchedScanPasses * text->size() + kUnmatchedScanExtra;
        for (;;) {
            size_t at = std::string::npos;
            int variant = 0;
            for (; variant < 3; ++variant) {
                at = find_token(*text, patterns[variant], resume[variant]);
                if (at != std::string::npos) break;
                resume[variant] = text->size();
            }
            if (at == std::string::npos) break;
            resume[variant] = at;
            size_t open = at + patterns[variant].size() - 1;
            if (unmatched_budget == 0) break;
            size_t end = find_matching_paren(*text, open);
            if (end == std::string::npos) {
                size_t cost = text->size() - open;
                unmatched_budget = cost < unmatched_budget ? unmatched_budget - cost : 0;
            }
            std::string result;
            bool evaluated = end != std::string::npos && calls < kMaxFunctionCalls &&
                             evaluate_text_function(n, std::string_view(*text).substr(at, end - at), &result);
            if (evaluated && result.size() > end - at &&
                text->size() + (result.size() - (end - at)) > kMaxExpansionSize)
                evaluated = false;
            if (!evaluated) {
                // A call that cannot be evaluated (unmatched, no such function, too
                // large a result) stays as it is; the search goes on after it.
                resume[variant] = at + 1;
                continue;
            }
            ++calls;
            stale = true;
            text->replace(at, end - at, result);
            size_t back = at > reach ? at - reach : 0;
            for (size_t& r : resume) r = std::min(r, back);
        }
    }
}

}  // namespace expansion
}  // namespace zorbel
