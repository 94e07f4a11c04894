// The real display mode, screen saver and session: ChangeDisplaySettings,
// SystemParametersInfo and ExitWindowsEx.
#include <windows.h>

#include "actions/system/system_settings_desktop.h"
#include "platform/scoped_win.h"

namespace zorbel {
namespace {

DisplayChange change_result(LONG result) {
    if (result == DISP_CHANGE_SUCCESSFUL) return DisplayChange::kDone;
    if (result == DISP_CHANGE_RESTART) return DisplayChange::kRestartNeeded;
    return DisplayChange::kRefused;
}

class SystemDisplayDesktop : public DisplayDesktop {
public:
    DisplayChange change_mode(const DisplayMode& mode) override {
        DEVMODEA devmode;
        ZeroMemory(&devmode, sizeof(devmode));
        devmode.dmSize = sizeof(devmode);
        if (mode.bits) {
            devmode.dmBitsPerPel = static_cast<DWORD>(mode.bits);
            devmode.dmFields |= DM_BITSPERPEL;
        }
        devmode.dmPelsWidth = static_cast<DWORD>(mode.width);
        devmode.dmPelsHeight = static_cast<DWORD>(mode.height);
        devmode.dmFields |= DM_PELSWIDTH | DM_PELSHEIGHT;
        if (mode.frequency) {
            devmode.dmDisplayFrequency = static_cast<DWORD>(mode.frequency);
            devmode.dmFields |= DM_DISPLAYFREQUENCY;
        }
        return change_result(ChangeDisplaySettingsA(&devmode, CDS_UPDATEREGISTRY));
    }
    DisplayChange restore_registry_mode() override { return change_result(ChangeDisplaySettingsA(nullptr, 0)); }
    bool apply_screen_saver(bool active) override {
        return SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, SPIF_SENDCHANGE) != 0;
    }
};

class SystemSessionDesktop : public SessionDesktop {
public:
    bool exit_session(uint32_t flags) override {
        OSVERSIONINFOA version;
        ZeroMemory(&version, sizeof(version));
        version.dwOSVersionInfoSize = sizeof(version);
        GetVersionExA(&version);
        if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
            HANDLE opened = nullptr;
            if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened)) {
                ScopedHandle token(opened);
                TOKEN_PRIVILEGES privileges;
                privileges.PrivilegeCount = 1;
                privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
                if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
                    AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
            }
        } else {
            flags &= ~static_cast<uint32_t>(EWX_FORCE);
        }
        return ExitWindowsEx(flags, 0) != 0;
    }
};

}  // namespace

DisplayDesktop& system_display_desktop() {
    static SystemDisplayDesktop display;
    return display;
}

SessionDesktop& system_session_desktop() {
    static SystemSessionDesktop session;
    return session;
}

}  // namespace zorbel
