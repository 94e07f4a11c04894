#include "core/script_xml.h"

#include <cstring>

#include "core/text_rules.h"

namespace zorbel::script_xml {

static bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

size_t find_markup(std::string_view text, std::string_view needle, size_t from) {
    if (needle.empty() || is_ascii_letter(needle[0])) return find_ignore_case(text, needle, from);
    if (from > text.size() || text.size() - from < needle.size()) return std::string_view::npos;
    // The first character has no case: let memchr skip to each candidate.
    const char* base = text.data();
    const size_t last_start = text.size() - needle.size();
    size_t at = from;
    while (at <= last_start) {
        const void* hit = std::memchr(base + at, needle[0], last_start - at + 1);
        if (!hit) break;
        at = static_cast<size_t>(static_cast<const char*>(hit) - base);
        size_t k = 1;
        while (k < needle.size() && ascii_lower(base[at + k]) == ascii_lower(needle[k])) ++k;
        if (k == needle.size()) return at;
        ++at;
    }
    return std::string_view::npos;
}

Element find_element(std::string_view block, std::string_view name) {
    Element element;
    const std::string opening = "<" + std::string(name);
    const size_t start = find_markup(block, opening);
    if (start == std::string_view::npos) return element;
    element.found = true;
    const size_t gt = block.find('>', start + opening.size());
    if (gt == std::string_view::npos) {
        // No ">" left in the block: an opening tag without content.
        element.tag = block.substr(start, kMaxOpeningTag);
        element.content = block.substr(block.size());
        return element;
    }
    element.tag = block.substr(start, gt - start < kMaxOpeningTag ? gt - start : kMaxOpeningTag);
    const size_t content_start = gt + 1;
    const std::string closing = "</" + std::string(name) + ">";
    size_t end = find_markup(block, closing, content_start);
    if (end == std::string_view::npos) end = block.size();
    element.content = block.substr(content_start, end - content_start);
    return element;
}

bool has_closing_tag(std::string_view block, std::string_view name) {
    return find_markup(block, "</" + std::string(name) + ">") != std::string_view::npos;
}

std::string content_text(const Element& element, size_t limit) {
    if (!element.found) return std::string();
    return decode_entities(element.content, limit);
}

int32_t content_number(const Element& element) {
    if (!element.found) return 0;
    return text_to_number(decode_entities(element.content));
}

bool attribute_text(std::string_view tag, std::string_view name, size_t limit, std::string* out) {
    out->clear();
    if (name.empty()) return false;
    size_t at = 0;
    for (;;) {
        at = find_ignore_case(tag, name, at);
        if (at == std::string_view::npos) return false;
        if (tag.substr(at + name.size(), 2) == "=\"") break;
        ++at;
    }
    const size_t value_start = at + name.size() + 2;
    size_t value_end = tag.find('"', value_start);
    if (value_end == std::string_view::npos) value_end = tag.size();
    *out = decode_entities(tag.substr(value_start, value_end - value_start), limit);
    return true;
}

namespace {
struct EntityForm {
    std::string_view form;
    char character;
};
// Every form begins with "&" and holds no other "&", so one pass decides each "&".
constexpr EntityForm kEntityForms[] = {
    {"&amp;", '&'},  {"&#038;", '&'}, {"&lt;", '<'},   {"&#060;", '<'},  {"&gt;", '>'},
    {"&#062;", '>'}, {"&apos;", '\''}, {"&#039;", '\''}, {"&quot;", '"'}, {"&#034;", '"'},
};
}  // namespace

std::string decode_entities(std::string_view raw, size_t limit) {
    std::string out;
    out.reserve(raw.size() < limit ? raw.size() : limit);
    size_t i = 0;
    while (i < raw.size() && out.size() < limit) {
        const size_t amp = raw.find('&', i);
        const size_t plain_end = amp == std::string_view::npos ? raw.size() : amp;
        const size_t room = limit - out.size();
        const size_t plain = plain_end - i < room ? plain_end - i : room;
        out.append(raw.data() + i, plain);
        i += plain;
        if (i != amp || out.size() >= limit) continue;
        char decoded = '&';
        size_t used = 1;
        for (const EntityForm& e : kEntityForms) {
            if (raw.compare(i, e.form.size(), e.form) == 0) {
                decoded = e.character;
                used = e.form.size();
                break;
            }
        }
        out.push_back(decoded);
        i += used;
    }
    return out;
}

void append_escaped(std::string* out, std::string_view text) {
    size_t from = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char* form = c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : nullptr;
        if (!form) continue;
        out->append(text.data() + from, i - from);
        out->append(form);
        from = i + 1;
    }
    out->append(text.data() + from, text.size() - from);
}

}  // namespace zorbel::script_xml
