// The named Windows constants that step texts may use ("MB_YESNO+MB_ICONQUESTION"),
// with their values from the Windows SDK, in the order the expander replaces them:
// a longer name comes before any name it contains ("MB_OKCANCEL" before "MB_OK").
#pragma once
#include <cstddef>
#include <cstdint>

namespace zorbel {

struct WindowsConstant {
    const char* name;
    uint32_t value;  // written as an unsigned decimal
};

constexpr size_t kWindowsConstantCount = 76;
extern const WindowsConstant kWindowsConstants[kWindowsConstantCount];

}  // namespace zorbel
