#include "actions/system/display_mode_text.h"

#include "core/text_rules.h"

namespace zorbel {
namespace {

struct ColourName {
    const char* bits;
    const char* name;
};

constexpr ColourName kColourNames[] = {
    {"4 Bit", "16 Colors"},
    {"8 Bit", "256 Colors"},
    {"16 Bit", "High Color (16 Bit)"},
    {"32 Bit", "True Color (32 Bit)"},
};

}  // namespace

std::string display_mode_text(const DisplayMode& mode) {
    std::string text = format("%s%d x %d, %d Bit, %d Hertz", mode.width < 1000 ? " " : "", mode.width, mode.height,
                              mode.bits, mode.frequency);
    // Only a whole "N Bit" item is renamed: ", 4 Bit," must not match inside "24 Bit".
    for (const ColourName& c : kColourNames) {
        std::string item = std::string(", ") + c.bits + ",";
        if (text.find(item) != std::string::npos) return replace_all(text, item, std::string(", ") + c.name + ",");
    }
    return text;
}

DisplayMode parse_display_mode(std::string_view given) {
    std::string text(given);
    for (const ColourName& c : kColourNames) text = replace_all_ignore_case(text, c.name, c.bits);
    DisplayMode mode;
    mode.width = text_to_number(list_item(text, 'x', 0));
    mode.height = text_to_number(list_item(list_item(text, 'x', 1), ',', 0));
    mode.bits = text_to_number(list_item(text, ',', 1));
    mode.frequency = text_to_number(list_item(text, ',', 2));
    return mode;
}

}  // namespace zorbel
