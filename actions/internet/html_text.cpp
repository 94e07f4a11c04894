#include "actions/internet/html_text.h"

#include "core/text_rules.h"

namespace zorbel {

namespace {

std::string without_line_ends(std::string_view html) {
    std::string out;
    out.reserve(html.size());
    for (char c : html)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

}  // namespace

std::string html_to_text(std::string_view html) {
    std::string page = without_line_ends(html);
    static const char* const kReplacements[][2] = {
        {"<br>", "\r\n"}, {"<ul>", "\r\n"},   {"</ul>", "\r\n"}, {"</tr>", "\r\n"},
        {"<li>", "\r\n* "}, {"&nbsp;", " "}, {"&amp;", "&"},    {"&copy;", "(c)"},
    };
    for (const auto& r : kReplacements) page = replace_all_ignore_case(page, r[0], r[1]);

    size_t i = find_ignore_case(page, "<body");
    if (i == std::string::npos) i = 0;
    std::string out;
    bool in_tag = false;
    while (i < page.size() && out.size() < kHtmlTextLimit) {
        if (page.compare(i, 4, "<!--") == 0) {
            const size_t end = page.find("-->", i + 4);
            if (end == std::string::npos) break;
            i = end + 3;
            continue;
        }
        const char c = page[i++];
        if (c == '<') {
            in_tag = true;
        } else if (in_tag) {
            if (c == '>') in_tag = false;
        } else if (!(c == ' ' && out.size() >= 2 && out.back() == ' ')) {
            out += c;
        }
    }
    out = replace_all(out, "&gt;", ">");
    return replace_all(out, "&lt;", "<");
}

}  // namespace zorbel
