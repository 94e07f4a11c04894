#include "actions/windows/window_styles.h"

#include "core/text_rules.h"

namespace zorbel {

namespace {

constexpr uint32_t kCaption = 0xC00000;      // WS_CAPTION
constexpr uint32_t kThickFrame = 0x40000;    // WS_THICKFRAME
constexpr uint32_t kDlgFrame = 0x400000;     // WS_DLGFRAME
constexpr uint32_t kMaximizeBox = 0x10000;   // WS_MAXIMIZEBOX
constexpr uint32_t kMinimizeBox = 0x20000;   // WS_MINIMIZEBOX

constexpr WindowStyleName kStyles[] = {
    {"Always on Top", StyleEffect::kTopmost, 0, 0},
    {"Not Always on Top", StyleEffect::kNotTopmost, 0, 0},
    {"Visible", StyleEffect::kShow, 0, 0},
    {"Hidden", StyleEffect::kHide, 0, 0},
    {"Disabled", StyleEffect::kDisable, 0, 0},
    {"Enabled", StyleEffect::kEnable, 0, 0},
    {"Caption", StyleEffect::kChangeStyle, kCaption, 0},
    {"Not Resizable", StyleEffect::kChangeStyle, kDlgFrame, kThickFrame},
    {"Resizable", StyleEffect::kChangeStyle, kThickFrame, 0},
    {"Maximize Button", StyleEffect::kChangeStyle, kMaximizeBox, 0},
    {"Without Maximize Button", StyleEffect::kChangeStyle, 0, kMaximizeBox},
    {"Minimize Button", StyleEffect::kChangeStyle, kMinimizeBox, 0},
    {"Without Minimize Button", StyleEffect::kChangeStyle, 0, kMinimizeBox},
};

}  // namespace

const WindowStyleName* find_window_style(std::string_view name) {
    for (const WindowStyleName& style : kStyles)
        if (equals_ignore_case(name, style.name)) return &style;
    return nullptr;
}

const WindowStyleName* window_styles_begin() { return kStyles; }
const WindowStyleName* window_styles_end() { return kStyles + sizeof(kStyles) / sizeof(kStyles[0]); }

}  // namespace zorbel
