// The tolerant element reader of ".zbx" step blocks and the entity forms of the
// script file. Works on one step block at a time ("<step>" through "</step>").
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorbel::script_xml {

// Longest opening tag the reader looks into for attributes.
constexpr size_t kMaxOpeningTag = 255;
// Read limits of the element contents.
constexpr size_t kNameLimit = 63;    // action, onfail, label, timeout, variable
constexpr size_t kValueLimit = 259;  // value1 .. value8
constexpr size_t kWholeContent = static_cast<size_t>(-1);
// The elements of value1 .. value8.
constexpr const char* kValueNames[] = {"value1", "value2", "value3", "value4",
                                       "value5", "value6", "value7", "value8"};

// Position of `needle` in `text` at or after `from`, ignoring ASCII case; npos when
// absent. Fast for needles that start with a markup character such as '<' or '['.
size_t find_markup(std::string_view text, std::string_view needle, size_t from = 0);

// One element found in a block. `tag` is the opening tag from its "<" up to (not
// including) the first ">", at most kMaxOpeningTag characters; `content` is the raw
// text after that ">" up to the closing tag, or to the block end without one.
struct Element {
    bool found = false;
    std::string_view tag;
    std::string_view content;
};

// A step block with the places of its "<" characters noted once, so that looking up
// its twenty-odd elements stays quick however the block is laid out. Lookups give
// the same answers as searching the whole block text from its start.
class StepBlock {
public:
    StepBlock() = default;
    explicit StepBlock(std::string_view block) { assign(block); }
    // Takes a new block; the noted places are kept in the same buffer.
    void assign(std::string_view block);

    // Finds the first "<name" of the block, ignoring case. `name` is given without "<".
    Element find_element(std::string_view name) const;
    // True when the block holds the closing tag "</name>" (ignoring case).
    bool has_closing_tag(std::string_view name) const;

private:
    // A '<' of the block and the character after it (lower case), which settles
    // most comparisons at once.
    struct Angle {
        size_t at;
        char next;
    };
    bool opens(const Angle& angle, std::string_view name) const;
    bool closes(const Angle& angle, std::string_view name) const;

    std::string_view text_;
    std::vector<Angle> angles_;  // every '<' of text_, in order
};

// The same lookups on a block given once.
Element find_element(std::string_view block, std::string_view name);
bool has_closing_tag(std::string_view block, std::string_view name);

// The element's content, entity-decoded, at most `limit` characters (kWholeContent
// for no limit). The limit applies to the decoded text, so a value the writer
// escaped reads back whole. Empty for an absent element.
std::string content_text(const Element& element, size_t limit);

// The element's content by the text-to-number rule (after decoding); 0 when absent.
int32_t content_number(const Element& element);

// The raw value of attribute `name` in an opening tag: the text after name=" up to
// the next double quote (or the tag end). Only an occurrence followed directly by
// =" counts. Returns false when none does.
bool attribute_raw(std::string_view tag, std::string_view name, std::string_view* raw);
// The same value decoded and cut to `limit`; empty when the attribute is absent.
bool attribute_text(std::string_view tag, std::string_view name, size_t limit, std::string* out);

// Decodes the entity forms "&amp;" "&#038;" "&lt;" "&#060;" "&gt;" "&#062;"
// "&apos;" "&#039;" "&quot;" "&#034;" in one left-to-right pass (so a decoded "&" never
// starts a new form); everything else, a bare "&" included, stays as it is.
// Stops once `limit` characters are produced.
std::string decode_entities(std::string_view raw, size_t limit = kWholeContent);
// The same into `out`, replacing what it held and keeping its buffer.
void decode_entities_to(std::string_view raw, size_t limit, std::string* out);
// The same into a fixed NUL-terminated field of `size` bytes: at most size - 1
// characters, the rest of the field zero-filled.
void decode_entities_to_field(std::string_view raw, char* field, size_t size);
template <size_t N>
void decode_entities_to_field(std::string_view raw, char (&field)[N]) {
    decode_entities_to_field(raw, field, N);
}

// The text-to-number rule applied to the decoded text, without building it.
int32_t decoded_number(std::string_view raw);

// Appends `text` with "&" written as "&amp;", "<" as "&lt;" and ">" as "&gt;".
void append_escaped(std::string* out, std::string_view text);

}  // namespace zorbel::script_xml
