#include "core/script_xml.h"

#include <cstring>

#include "core/text_rules.h"

namespace zorbel::script_xml {

static inline char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

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
        while (k < needle.size() && lower(base[at + k]) == lower(needle[k])) ++k;
        if (k == needle.size()) return at;
        ++at;
    }
    return std::string_view::npos;
}

// True when `text` holds `name` at `at`, ignoring case.
static bool name_at(std::string_view text, size_t at, std::string_view name) {
    if (at > text.size() || text.size() - at < name.size()) return false;
    for (size_t k = 0; k < name.size(); ++k)
        if (lower(text[at + k]) != lower(name[k])) return false;
    return true;
}

void StepBlock::assign(std::string_view block) {
    text_ = block;
    angles_.clear();
    const char* base = block.data();
    size_t at = 0;
    while (at < block.size()) {
        const void* hit = std::memchr(base + at, '<', block.size() - at);
        if (!hit) break;
        at = static_cast<size_t>(static_cast<const char*>(hit) - base);
        angles_.push_back(at);
        ++at;
    }
}

bool StepBlock::opens(size_t at, std::string_view name) const { return name_at(text_, at + 1, name); }

bool StepBlock::closes(size_t at, std::string_view name) const {
    return at + 2 + name.size() < text_.size() && text_[at + 1] == '/' && name_at(text_, at + 2, name) &&
           text_[at + 2 + name.size()] == '>';
}

Element StepBlock::find_element(std::string_view name) const {
    Element element;
    size_t i = 0;
    while (i < angles_.size() && !opens(angles_[i], name)) ++i;
    if (i == angles_.size()) return element;
    const size_t start = angles_[i];
    element.found = true;
    const size_t gt = text_.find('>', start + 1 + name.size());
    if (gt == std::string_view::npos) {
        // No ">" left in the block: an opening tag without content.
        element.tag = text_.substr(start, kMaxOpeningTag);
        element.content = text_.substr(text_.size());
        return element;
    }
    element.tag = text_.substr(start, gt - start < kMaxOpeningTag ? gt - start : kMaxOpeningTag);
    const size_t content_start = gt + 1;
    // The closing tag counts only after the content starts.
    while (i < angles_.size() && angles_[i] < content_start) ++i;
    while (i < angles_.size() && !closes(angles_[i], name)) ++i;
    const size_t end = i < angles_.size() ? angles_[i] : text_.size();
    element.content = text_.substr(content_start, end - content_start);
    return element;
}

bool StepBlock::has_closing_tag(std::string_view name) const {
    for (size_t at : angles_)
        if (closes(at, name)) return true;
    return false;
}

Element find_element(std::string_view block, std::string_view name) { return StepBlock(block).find_element(name); }

bool has_closing_tag(std::string_view block, std::string_view name) {
    return StepBlock(block).has_closing_tag(name);
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
