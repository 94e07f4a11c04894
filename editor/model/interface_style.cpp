#include "editor/model/interface_style.h"

#include "core/text_rules.h"

namespace zorbel {

InterfaceStyle interface_style_of(std::string_view value) {
    if (contains_ignore_case(value, "XP")) return InterfaceStyle::kOfficeXP;
    if (contains_ignore_case(value, "97")) return InterfaceStyle::kOffice97;
    return InterfaceStyle::kOffice2003;
}

StyleColours style_colours(InterfaceStyle style) {
    switch (style) {
        case InterfaceStyle::kOfficeXP:
            return {0xC0C0C0, 0xC0C0C0, 0x000000, 0xF9F8F8, 0xD8D2D0, 0x000000,
                    0xD2BDB6, 0x6A240A, 0x000000, true};
        case InterfaceStyle::kOffice97:
            return {0x800000, 0xD08A10, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x000000,
                    0x800000, 0x800000, 0xFFFFFF, false};
        case InterfaceStyle::kOffice2003:
            break;
    }
    return {0xF9DAC3, 0xC2915E, 0x000000, 0xFDFDFD, 0xF7D6BE, 0x000000,
            0x9CD6FF, 0x800000, 0x000000, true};
}

}  // namespace zorbel
