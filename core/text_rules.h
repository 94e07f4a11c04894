// Number rules and string helpers shared by every part of the program.
// Desktop-free: builds natively and under mingw alike.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zorbel {

// The text-to-number rule: collects, from anywhere in the text and in order, up to
// 31 characters that are decimal digits or '-', and reads them as a signed decimal.
// A text without such characters reads 0 ("1,500" reads 1500, "2.5" reads 25).
// Values beyond the 32-bit range are clamped to it.
int32_t text_to_number(std::string_view text);

// The decimal-from-text rule: the leading run of digits and '.' (an optional '-'
// first), at most 18 characters, read as a decimal number.
double decimal_from_text(std::string_view text);

// Copies text into a fixed NUL-terminated field of `size` bytes, cutting it to
// size - 1 characters. Never writes past the field.
void copy_to_field(char* field, size_t size, std::string_view text);
template <size_t N>
void copy_to_field(char (&field)[N], std::string_view text) {
    copy_to_field(field, N, text);
}

// Length of a fixed field's text, never reading past the field.
template <size_t N>
std::string_view field_text(const char (&field)[N]) {
    size_t n = 0;
    while (n < N && field[n] != '\0') ++n;
    return std::string_view(field, n);
}

char ascii_lower(char c);
bool equals_ignore_case(std::string_view a, std::string_view b);
bool starts_with_ignore_case(std::string_view text, std::string_view prefix);
// Position of `needle` in `text` at or after `from`, ignoring ASCII case; npos when absent.
size_t find_ignore_case(std::string_view text, std::string_view needle, size_t from = 0);
bool contains_ignore_case(std::string_view text, std::string_view needle);

// Replaces every occurrence of `from` (matched ignoring case) by `to`.
std::string replace_all_ignore_case(std::string_view text, std::string_view from, std::string_view to);
// Replaces every occurrence of `from` (exact match) by `to`.
std::string replace_all(std::string_view text, std::string_view from, std::string_view to);

std::string trim_spaces(std::string_view text);
// The n-th (from 0) item of `text` split at `delimiter`; empty when there are fewer items.
std::string list_item(std::string_view text, char delimiter, int n);

// printf into a std::string.
#if defined(__MINGW32__) && !defined(__clang__)
#define ZORBEL_PRINTF(f, a) __attribute__((format(gnu_printf, f, a)))
#else
#define ZORBEL_PRINTF(f, a) __attribute__((format(printf, f, a)))
#endif
std::string format(const char* fmt, ...) ZORBEL_PRINTF(1, 2);

}  // namespace zorbel
