// The run's current window as the text expander sees it: the window that the last
// window, mouse or wait step found. The windows actions implement it on the real
// desktop; native tests use a fake.
#pragma once
#include <cstdint>
#include <string>

namespace zorbel {

struct WindowRect {
    long left = 0, top = 0, right = 0, bottom = 0;
};

class CurrentWindow {
public:
    virtual ~CurrentWindow() = default;
    // Each call below first makes the foreground window the current window when
    // none is set, then answers for the current window.

    // The window's handle (0 when there is none).
    virtual intptr_t handle() = 0;
    // The window's rectangle in screen pixels; false when the window does not exist.
    virtual bool rect(WindowRect* out) = 0;
    // The window's title, at most 510 characters ("" when there is none).
    virtual std::string title() = 0;
    virtual std::string class_name() = 0;
};

// A current window that never exists, for programs and tests without windows.
class NoCurrentWindow : public CurrentWindow {
public:
    intptr_t handle() override { return 0; }
    bool rect(WindowRect*) override { return false; }
    std::string title() override { return std::string(); }
    std::string class_name() override { return std::string(); }
};

}  // namespace zorbel
