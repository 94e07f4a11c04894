#include "core/text_rules.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace zorbel {

int32_t text_to_number(std::string_view text) {
    char digits[32];
    size_t n = 0;
    for (char c : text) {
        if ((c >= '0' && c <= '9') || c == '-') {
            digits[n++] = c;
            if (n == 31) break;
        }
    }
    // Read like atol: an optional leading '-', then the run of digits that follows.
    size_t i = 0;
    bool negative = false;
    if (i < n && digits[i] == '-') {
        negative = true;
        ++i;
    }
    int64_t value = 0;
    for (; i < n && digits[i] >= '0' && digits[i] <= '9'; ++i) {
        value = value * 10 + (digits[i] - '0');
        if (value > 2147483648LL) value = 2147483648LL;  // clamp, keep reading
    }
    if (negative) value = -value;
    if (value > INT32_MAX) value = INT32_MAX;
    if (value < INT32_MIN) value = INT32_MIN;
    return static_cast<int32_t>(value);
}

double decimal_from_text(std::string_view text) {
    char buffer[19];
    size_t n = 0;
    size_t i = 0;
    if (i < text.size() && text[i] == '-') buffer[n++] = text[i++];
    for (; i < text.size() && n < 18; ++i) {
        char c = text[i];
        if (!((c >= '0' && c <= '9') || c == '.')) break;
        buffer[n++] = c;
    }
    buffer[n] = '\0';
    return std::atof(buffer);
}

void copy_to_field(char* field, size_t size, std::string_view text) {
    if (size == 0) return;
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    for (size_t i = 0; i < n; ++i) field[i] = text[i];
    for (size_t i = n; i < size; ++i) field[i] = '\0';
}

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool equals_ignore_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

bool starts_with_ignore_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equals_ignore_case(text.substr(0, prefix.size()), prefix);
}

size_t find_ignore_case(std::string_view text, std::string_view needle, size_t from) {
    if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
    if (text.size() < needle.size()) return std::string_view::npos;
    const char first = ascii_lower(needle[0]);
    for (size_t i = from; i + needle.size() <= text.size(); ++i) {
        if (ascii_lower(text[i]) != first) continue;
        size_t k = 1;
        while (k < needle.size() && ascii_lower(text[i + k]) == ascii_lower(needle[k])) ++k;
        if (k == needle.size()) return i;
    }
    return std::string_view::npos;
}

bool contains_ignore_case(std::string_view text, std::string_view needle) {
    return find_ignore_case(text, needle) != std::string_view::npos;
}

std::string replace_all_ignore_case(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    size_t pos = 0;
    for (;;) {
        size_t hit = find_ignore_case(text, from, pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string replace_all(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    size_t pos = 0;
    for (;;) {
        size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string trim_spaces(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    return std::string(text.substr(b, e - b));
}

std::string list_item(std::string_view text, char delimiter, int n) {
    if (n < 0) return std::string();
    size_t start = 0;
    for (int i = 0; i < n; ++i) {
        size_t next = text.find(delimiter, start);
        if (next == std::string_view::npos) return std::string();
        start = next + 1;
    }
    size_t end = text.find(delimiter, start);
    if (end == std::string_view::npos) end = text.size();
    return std::string(text.substr(start, end - start));
}

std::string format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(&out[0], out.size(), fmt, args);
        out.resize(static_cast<size_t>(n));
    }
    va_end(args);
    return out;
}

}  // namespace zorbel
