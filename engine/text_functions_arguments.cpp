// Reading a call text: where the call ends, and its arguments one by one.
#include "engine/text_functions.h"

#include "core/text_rules.h"

namespace zorbel {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_quote(char c) { return c == '"' || c == '\''; }

}  // namespace

size_t find_matching_paren(std::string_view text, size_t open) {
    size_t i = text.find('(', open);
    if (i == std::string_view::npos) return std::string_view::npos;
    size_t depth = 0;
    char quote = 0;          // the quote that closes the quoted part we are in
    bool arg_start = false;  // blanks up to here follow "(" or ","
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
            continue;
        }
        if (arg_start) {
            if (is_blank(c)) continue;
            arg_start = false;
            if (is_quote(c)) {
                quote = c;
                continue;
            }
        }
        if (c == '(') {
            ++depth;
            arg_start = true;
        } else if (c == ')') {
            if (--depth == 0) return i + 1;
        } else if (c == ',') {
            arg_start = true;
        }
    }
    return std::string_view::npos;
}

int32_t get_argument(std::string_view call_text, int n, std::string* out) {
    out->clear();
    if (n < 1) return 0;

    size_t i = 0;
    const size_t open = call_text.find('(');
    if (open != std::string_view::npos && call_text.find(')') != std::string_view::npos) i = open + 1;

    int arg = 1;              // the argument being walked
    bool arg_start = true;    // at the start of one of this call's arguments
    char quote = 0;           // closing quote of this call's quoted argument part
    size_t nesting = 0;       // parentheses opened inside the arguments
    bool inner_start = false; // at the start of an argument of a nested call
    char inner_quote = 0;     // closing quote of a nested call's quoted part
    bool trim = true;         // whether the argument's trailing spaces go

    for (; i < call_text.size(); ++i) {
        const char c = call_text[i];
        const bool wanted = arg == n;
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
                if (wanted) {
                    trim = false;  // a quoted argument keeps its spaces
                    break;
                }
            } else if (wanted) {
                out->push_back(c);
            }
            continue;
        }
        if (arg_start) {
            if (is_blank(c)) continue;
            arg_start = false;
            if (is_quote(c)) {
                quote = c;
                continue;
            }
        }
        if (nesting > 0) {
            // A nested call is copied whole; its quoted parts only keep its
            // parentheses from being counted.
            if (wanted) out->push_back(c);
            if (inner_quote != 0) {
                if (c == inner_quote) inner_quote = 0;
                continue;
            }
            if (inner_start && is_blank(c)) continue;
            if (inner_start && is_quote(c)) {
                inner_quote = c;
                inner_start = false;
                continue;
            }
            inner_start = false;
            if (c == '(') {
                ++nesting;
                inner_start = true;
            } else if (c == ')') {
                --nesting;
            } else if (c == ',') {
                inner_start = true;
            }
            continue;
        }
        if (c == ',') {
            if (wanted) break;
            ++arg;
            arg_start = true;
            continue;
        }
        if (c == ')') break;
        if (c == '(') {
            ++nesting;
            inner_start = true;
        }
        if (wanted) out->push_back(c);
    }

    if (arg != n) {
        out->clear();  // the list ended before the wanted argument
    } else if (trim && quote == 0) {
        // Spaces after the last argument never count; spaces before a comma do.
        const bool ended_by_comma = i < call_text.size() && call_text[i] == ',';
        if (!ended_by_comma) {
            size_t end = out->size();
            while (end > 0 && (*out)[end - 1] == ' ') --end;
            out->resize(end);
        }
    }
    return text_to_number(*out);
}

}  // namespace zorbel
