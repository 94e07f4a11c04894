// What the display, screen saver and session actions need from the machine. The real
// one is in system_settings_desktop_win.cpp; native tests use the fake desktop's.
// Tests never change the host's display or end its session.
#pragma once
#include <cstdint>

namespace zorbel {

// The outcome of a display mode change, as ChangeDisplaySettings reports it.
enum class DisplayChange { kDone, kRestartNeeded, kRefused };

// A display mode; a zero member is left as it is.
struct DisplayMode {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bits = 0;
    int32_t frequency = 0;
};

class DisplayDesktop {
public:
    virtual ~DisplayDesktop() = default;
    // Switches to `mode` and keeps it in the registry (CDS_UPDATEREGISTRY).
    virtual DisplayChange change_mode(const DisplayMode& mode) = 0;
    // Goes back to the mode the registry holds.
    virtual DisplayChange restore_registry_mode() = 0;
    // Tells the running session that the screen saver is switched on or off (the
    // registry values are written by the caller), with change notification.
    virtual bool apply_screen_saver(bool active) = 0;
};

class SessionDesktop {
public:
    virtual ~SessionDesktop() = default;
    // Enables the shutdown privilege where needed and calls ExitWindowsEx(flags).
    virtual bool exit_session(uint32_t flags) = 0;
};

DisplayDesktop& system_display_desktop();
SessionDesktop& system_session_desktop();

}  // namespace zorbel
