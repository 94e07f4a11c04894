// The window styles of "Set Window Style", by name.
#pragma once
#include <cstdint>
#include <string_view>

namespace zorbel {

enum class StyleEffect {
    kTopmost,      // SetWindowPos HWND_TOPMOST, no move, size or activation
    kNotTopmost,   // the same with HWND_NOTOPMOST
    kShow,         // ShowWindow SW_SHOW
    kHide,         // ShowWindow SW_HIDE
    kDisable,      // EnableWindow false
    kEnable,       // EnableWindow true
    kChangeStyle,  // GWL_STYLE gains `add` and loses `remove`
};

struct WindowStyleName {
    const char* name;
    StyleEffect effect;
    uint32_t add;
    uint32_t remove;
};

// The style named `name` (exact, ignoring case); null for an unknown name.
const WindowStyleName* find_window_style(std::string_view name);

// The whole table, for tests and the editor's list.
const WindowStyleName* window_styles_begin();
const WindowStyleName* window_styles_end();

}  // namespace zorbel
