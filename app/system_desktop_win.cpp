#include "app/system_desktop_win.h"

#include <windows.h>

#include "actions/database/database_desktop.h"
#include "actions/external/library_desktop.h"
#include "actions/files/file_system.h"
#include "actions/input/keyboard_desktop.h"
#include "actions/internet/network_desktop.h"
#include "actions/mail/mail_desktop.h"
#include "actions/mouse/mouse_desktop.h"
#include "actions/programs/process_desktop.h"
#include "actions/record/recorder_desktop.h"
#include "actions/screen/screen_desktop.h"
#include "actions/system/registry_desktop.h"
#include "actions/system/system_settings_desktop.h"
#include "actions/windows/window_desktop.h"
#include "platform/clipboard.h"

namespace zorbel {

uint32_t SystemClock::now() { return GetTickCount(); }
void SystemClock::sleep(uint32_t milliseconds) { Sleep(milliseconds); }

bool SystemClipboard::text(std::string* out) { return clipboard::get_text(out); }
bool SystemClipboard::set_text(const std::string& text) { return clipboard::set_text(text); }
bool SystemClipboard::clear() { return clipboard::clear(); }

SystemDesktop::SystemDesktop() {
    desktop.clock = &clock;
    desktop.clipboard = &clipboard;
    desktop.windows = &system_window_desktop();
    desktop.keyboard = &system_keyboard_desktop();
    desktop.key_state = desktop.keyboard;
    desktop.pointer = &system_mouse_desktop();
    desktop.screen = &system_screen_desktop();
    desktop.capture = desktop.screen;
    desktop.network = system_network_desktop();
    desktop.mail = system_mail_desktop();
    desktop.database = system_database_desktop();
    desktop.registry = &system_registry_desktop();
    desktop.display = &system_display_desktop();
    desktop.session = &system_session_desktop();
    desktop.libraries = &system_library_desktop();
    desktop.processes = &system_process_desktop();
    desktop.files = &system_file_system();
    desktop.recorder = &system_recorder_desktop();
}

}  // namespace zorbel
