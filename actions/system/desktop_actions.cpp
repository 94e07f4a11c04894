#include "actions/system/desktop_actions.h"

#include <string>

#include "actions/input/key_events.h"
#include "actions/input/key_tokens.h"
#include "actions/input/keyboard_desktop.h"
#include "actions/system/display_mode_text.h"
#include "actions/system/registry_desktop.h"
#include "actions/system/system_settings_desktop.h"
#include "core/user_interface.h"

namespace zorbel {
namespace {

constexpr uint8_t kControlKey = 17;
constexpr uint32_t kPasteSettleMs = 500;
constexpr char kScreenSaverKey[] = "Control Panel\\Desktop";

// ExitWindowsEx flags.
constexpr uint32_t kLogoffFlags = 0;    // EWX_LOGOFF
constexpr uint32_t kRestartFlags = 6;   // EWX_REBOOT | EWX_FORCE
constexpr uint32_t kShutdownFlags = 5;  // EWX_SHUTDOWN | EWX_FORCE

int fail_quietly(RunContext& context) {
    context.run.error_text.clear();
    return kStepFailed;
}

std::string registry_text(RegistryDesktop& registry, const char* name) {
    StoredValue value;
    if (!registry.read_value(SettingsRoot::kCurrentUser, kScreenSaverKey, name, &value)) return std::string();
    return stored_value_text(value);
}

bool write_registry_text(RegistryDesktop& registry, const char* name, const std::string& text) {
    return registry.write_value(SettingsRoot::kCurrentUser, kScreenSaverKey, name, kValueText,
                                std::string_view(text.c_str(), text.size() + 1));
}

int end_session(RunContext& context, const char* what, uint32_t flags) {
    context.log("%s at Step #%d...\r\n", what, context.script.current_step + 1);
    return context.desktop().session->exit_session(flags) ? kStepSucceeded : fail_quietly(context);
}

}  // namespace

// Another program holding the clipboard fails the step (the clipboard retries first).
int set_clipboard_text(RunContext& context, Step& step) {
    return context.desktop().clipboard->set_text(context.text_of(step.text)) ? kStepSucceeded
                                                                             : fail_quietly(context);
}

int clear_clipboard(RunContext& context, Step&) {
    return context.desktop().clipboard->clear() ? kStepSucceeded : fail_quietly(context);
}

// Ctrl+V as four key events, then time for the target to take the text.
int paste_clipboard(RunContext& context, Step&) {
    KeyEventSink& keys = context.desktop().keyboard->keys();
    bool shift = false, token = false;
    const uint8_t v = ParseKeyToken("v", false, &shift, &token);
    SendKeyTransition(keys, kControlKey, false, kKeyPress);
    SendKeyTransition(keys, v, false, kKeyPress);
    SendKeyTransition(keys, v, false, kKeyRelease);
    SendKeyTransition(keys, kControlKey, false, kKeyRelease);
    context.clock().sleep(kPasteSettleMs);
    return kStepSucceeded;
}

// A mode the system refuses fails the step; one that needs a restart says so and succeeds.
int video_display_mode(RunContext& context, Step& step) {
    const std::string text = context.text_of(step.text);
    DisplayMode mode = parse_display_mode(text);
    DisplayDesktop& display = *context.desktop().display;
    DisplayChange result = mode.width >= 1 && mode.height >= 1 ? display.change_mode(mode)
                                                               : display.restore_registry_mode();
    if (result == DisplayChange::kRestartNeeded)
        context.ui().box("System Message",
                         "The computer must be restarted to activate the change in the video display mode.",
                         BoxIcon::kInformation, false);
    if (result == DisplayChange::kRefused) return context.fail("Unable to set the display mode \"%s\"", text.c_str());
    return kStepSucceeded;
}

// The chosen screen saver waits in "SCRNSAVE.EXE.BAK" while it is switched off. A
// second Disable (the saver already off: no name, a kept one) keeps the kept name.
int screen_saver_step(RunContext& context, Step& step) {
    RegistryDesktop& registry = *context.desktop().registry;
    const bool enable = contains_ignore_case(field_text(step.action), "Enable");
    bool ok = write_registry_text(registry, "ScreenSaveActive", enable ? "1" : "0");
    if (enable) {
        ok = write_registry_text(registry, "SCRNSAVE.EXE", registry_text(registry, "SCRNSAVE.EXE.BAK")) && ok;
        registry.delete_value(SettingsRoot::kCurrentUser, kScreenSaverKey, "SCRNSAVE.EXE.BAK");
    } else {
        const std::string chosen = registry_text(registry, "SCRNSAVE.EXE");
        const bool already_off = chosen.empty() && !registry_text(registry, "SCRNSAVE.EXE.BAK").empty();
        if (!already_off) ok = write_registry_text(registry, "SCRNSAVE.EXE.BAK", chosen) && ok;
        registry.delete_value(SettingsRoot::kCurrentUser, kScreenSaverKey, "SCRNSAVE.EXE");
    }
    context.desktop().display->apply_screen_saver(enable);
    return ok ? kStepSucceeded : fail_quietly(context);
}

int logoff_step(RunContext& context, Step&) { return end_session(context, "Logoff", kLogoffFlags); }
int restart_step(RunContext& context, Step&) {
    return end_session(context, "Rebooting", kRestartFlags);
}
int shutdown_step(RunContext& context, Step&) {
    return end_session(context, "Shutdown", kShutdownFlags);
}

}  // namespace zorbel
