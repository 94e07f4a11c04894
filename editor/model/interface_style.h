// The three looks of frame captions, menus and the toolbar, chosen by the
// `InterfaceStyle` setting, and the colours each look paints with.
#pragma once
#include <cstdint>
#include <string_view>

namespace zorbel {

enum class InterfaceStyle { kOffice2003, kOfficeXP, kOffice97 };

// "XP" anywhere in the value gives the Office XP look, "97" the Office 97 look,
// anything else the Office 2003 look (case is ignored).
InterfaceStyle interface_style_of(std::string_view value);

// Colours as 0x00BBGGRR. A caption is filled from `caption_from` to `caption_to`
// (left to right; equal for a flat fill).
struct StyleColours {
    uint32_t caption_from, caption_to, caption_text;
    uint32_t menu_back, menu_margin, menu_text;
    uint32_t highlight_fill, highlight_edge, highlight_text;
    bool flat_highlight;  // a framed fill (2003, XP) rather than the classic bar (97)
};

StyleColours style_colours(InterfaceStyle style);

}  // namespace zorbel
