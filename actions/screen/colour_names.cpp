#include "actions/screen/colour_names.h"

#include <string>

#include "actions/screen/pixel_buffer.h"
#include "core/text_rules.h"

namespace zorbel {

namespace {

struct ColourName {
    const char* name;
    uint32_t value;  // 0x00BBGGRR
};

constexpr ColourName kColourNames[] = {
    {"BLACK", 0x000000},     {"GRAY", 0x808080},   {"LIGHT GRAY", 0xC0C0C0}, {"LT GRAY", 0xC0C0C0},
    {"DARK GRAY", 0x404040}, {"DK GRAY", 0x404040}, {"WHITE", 0xFFFFFF},     {"RED", 0x0000FF},
    {"GREEN", 0x00FF00},     {"BLUE", 0xFF0000},   {"YELLOW", 0x00FFFF},     {"BROWN", 0x008080},
    {"CYAN", 0xFFFF00},      {"TEAL", 0x808000},   {"PINK", 0xFF00FF},       {"PURPLE", 0x800080},
};

// The longest colour text the parser looks at.
constexpr size_t kColourTextLimit = 62;

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

uint32_t ParseColour(std::string_view text) {
    text = text.substr(0, kColourTextLimit);
    for (const ColourName& entry : kColourNames) {
        if (equals_ignore_case(text, entry.name)) return entry.value;
    }
    std::string digits;
    for (char c : text) {
        if (c != '"' && c != ' ') digits += c;
    }
    digits = replace_all(digits, "0x", "");
    if (!digits.empty() && digits[0] == '#') digits.erase(0, 1);
    if (digits.size() != 6) return 0;
    uint32_t parts[3];
    for (int i = 0; i < 3; ++i) {
        const int high = hex_digit(digits[2 * i]), low = hex_digit(digits[2 * i + 1]);
        if (high < 0 || low < 0) return 0;
        parts[i] = static_cast<uint32_t>(high * 16 + low);
    }
    return rgb_colour(parts[0], parts[1], parts[2]);
}

}  // namespace zorbel
