#include "core/script_xml.h"

#include <cstring>

#include "core/text_rules.h"

namespace zorbel::script_xml {

static inline char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

static bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// True when `text` holds `name` at `at`, ignoring case.
static bool name_at(std::string_view text, size_t at, std::string_view name) {
    if (at > text.size() || text.size() - at < name.size()) return false;
    for (size_t k = 0; k < name.size(); ++k)
        if (lower(text[at + k]) != lower(name[k])) return false;
    return true;
}

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
        if (name_at(text, at + 1, needle.substr(1))) return at;
        ++at;
    }
    return std::string_view::npos;
}

// ---- the element reader ----

void StepBlock::assign(std::string_view block) {
    text_ = block;
    angles_.clear();
    const char* base = block.data();
    size_t at = 0;
    while (at < block.size()) {
        const void* hit = std::memchr(base + at, '<', block.size() - at);
        if (!hit) break;
        at = static_cast<size_t>(static_cast<const char*>(hit) - base);
        angles_.push_back({at, at + 1 < block.size() ? lower(block[at + 1]) : '\0'});
        ++at;
    }
}

bool StepBlock::opens(const Angle& angle, std::string_view name) const {
    if (name.empty()) return true;
    return angle.next == lower(name[0]) && name_at(text_, angle.at + 2, name.substr(1));
}

bool StepBlock::closes(const Angle& angle, std::string_view name) const {
    const size_t gt = angle.at + 2 + name.size();
    return angle.next == '/' && gt < text_.size() && name_at(text_, angle.at + 2, name) && text_[gt] == '>';
}

Element StepBlock::find_element(std::string_view name) const {
    Element element;
    size_t i = 0;
    while (i < angles_.size() && !opens(angles_[i], name)) ++i;
    if (i == angles_.size()) return element;
    const size_t start = angles_[i].at;
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
    while (i < angles_.size() && angles_[i].at < content_start) ++i;
    while (i < angles_.size() && !closes(angles_[i], name)) ++i;
    const size_t end = i < angles_.size() ? angles_[i].at : text_.size();
    element.content = text_.substr(content_start, end - content_start);
    return element;
}

bool StepBlock::has_closing_tag(std::string_view name) const {
    for (const Angle& angle : angles_)
        if (closes(angle, name)) return true;
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
    return decoded_number(element.content);
}

bool attribute_raw(std::string_view tag, std::string_view name, std::string_view* raw) {
    *raw = std::string_view();
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
    *raw = tag.substr(value_start, value_end - value_start);
    return true;
}

bool attribute_text(std::string_view tag, std::string_view name, size_t limit, std::string* out) {
    std::string_view raw;
    const bool found = attribute_raw(tag, name, &raw);
    decode_entities_to(raw, limit, out);
    return found;
}

// ---- entity forms ----

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

// The form that starts at raw[at] (an "&"): its length, or 0 for a bare "&".
size_t entity_at(std::string_view raw, size_t at, char* decoded) {
    for (const EntityForm& e : kEntityForms) {
        if (raw.compare(at, e.form.size(), e.form) == 0) {
            *decoded = e.character;
            return e.form.size();
        }
    }
    return 0;
}

// Decodes into `out`, which has room for min(raw.size(), limit) characters (decoding
// never lengthens a text). Returns the number of characters written.
size_t decode_into(std::string_view raw, char* out, size_t limit) {
    size_t n = 0, i = 0;
    while (i < raw.size() && n < limit) {
        const char* amp = static_cast<const char*>(std::memchr(raw.data() + i, '&', raw.size() - i));
        const size_t plain_end = amp ? static_cast<size_t>(amp - raw.data()) : raw.size();
        const size_t plain = plain_end - i < limit - n ? plain_end - i : limit - n;
        std::memcpy(out + n, raw.data() + i, plain);
        n += plain;
        i += plain;
        if (i != plain_end || i == raw.size() || n >= limit) continue;
        char decoded = '&';
        const size_t used = entity_at(raw, i, &decoded);
        out[n++] = decoded;
        i += used ? used : 1;
    }
    return n;
}
}  // namespace

void decode_entities_to(std::string_view raw, size_t limit, std::string* out) {
    out->resize(raw.size() < limit ? raw.size() : limit);
    if (out->empty()) return;
    out->resize(decode_into(raw, &(*out)[0], limit));
}

std::string decode_entities(std::string_view raw, size_t limit) {
    std::string out;
    decode_entities_to(raw, limit, &out);
    return out;
}

void decode_entities_to_field(std::string_view raw, char* field, size_t size) {
    if (size == 0) return;
    const size_t n = decode_into(raw, field, size - 1);
    std::memset(field + n, 0, size - n);
}

int32_t decoded_number(std::string_view raw) {
    // An entity stands for a character that is neither a digit nor "-": skip it whole.
    char collected[32];
    size_t n = 0;
    for (size_t i = 0; i < raw.size() && n < 31; ++i) {
        const char c = raw[i];
        if (c == '&') {
            char decoded;
            const size_t used = entity_at(raw, i, &decoded);
            if (used) i += used - 1;
        } else if ((c >= '0' && c <= '9') || c == '-') {
            collected[n++] = c;
        }
    }
    return text_to_number(std::string_view(collected, n));
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
