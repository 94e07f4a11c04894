// The real desktop of the Windows programs: the clock, the clipboard and each
// family's system implementation, assembled into the one Desktop a run uses.
#pragma once
#include "engine/desktop.h"

namespace zorbel {

class SystemClock : public Clock {
public:
    uint32_t now() override;
    void sleep(uint32_t milliseconds) override;
};

class SystemClipboard : public Clipboard {
public:
    bool text(std::string* out) override;
    bool set_text(const std::string& text) override;
    bool clear() override;
};

struct SystemDesktop {
    SystemDesktop();

    SystemClock clock;
    SystemClipboard clipboard;
    Desktop desktop;
};

}  // namespace zorbel
