#include "actions/mail/recipients.h"

namespace zorbel {

namespace {

bool is_separator(char c) { return c == ',' || c == ';' || c == ' ' || c == '\t' || c == '\n'; }

}  // namespace

std::vector<std::string> split_recipients(std::string_view list) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && is_separator(list[i])) ++i;
        const size_t start = i;
        while (i < list.size() && !is_separator(list[i])) ++i;
        if (i > start) out.emplace_back(list.substr(start, i - start));
    }
    return out;
}

std::string cut_recipient_list(std::string_view list) {
    if (list.size() <= kMailFieldLimit) return std::string(list);
    size_t cut = kMailFieldLimit;
    // The cut is fine where the next character starts a separator.
    while (cut > 0 && !is_separator(list[cut])) --cut;
    return std::string(list.substr(0, cut));
}

std::string header_value(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

bool has_line_break(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace zorbel
