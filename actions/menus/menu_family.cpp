// The Menu family (4): "Select Menu Item", "Select System Menu" and "Show Popup Menu",
// whose menu the program's user interface shows.
#include "actions/menus/menu_family.h"

#include "actions/families.h"
#include "actions/windows/window_desktop.h"
#include "core/user_interface.h"
#include "engine/variables.h"

namespace zorbel {

namespace {

// The pause before the foreground window stands in for a missing current window.
constexpr uint32_t kForegroundSettleMs = 250;
// Keys go to the program's queue and a menu opens only when the program has taken
// the key before it, so each level's key is given time to open its menu (or choose
// its item) before the next key or the next step comes.
constexpr uint32_t kMenuKeyPauseMs = 250;

intptr_t menu_window(RunContext& context) {
    if (!context.run.current_window) {
        context.clock().sleep(kForegroundSettleMs);
        context.run.current_window = context.desktop().windows->foreground_window();
    }
    return context.run.current_window;
}

int show_popup_menu(RunContext& context, Step& step) {
    const std::string text = context.text_of(step.text);
    int choice = 0;
    if (!context.services.ui || !context.services.ui->popup_menu(text, &choice)) return step_not_available(context, step);
    save_result(context.services, step.options, field_text(step.variable), popup_menu_line(text, choice), nullptr);
    return kStepSucceeded;
}

// A system command by name, or the system menu opened and the key after "&" pressed.
int select_system_menu(RunContext& context, Step& step) {
    const std::string name = context.text_of(step.text);
    WindowDesktop& windows = *context.desktop().windows;
    const intptr_t window = menu_window(context);
    char key = 0;
    const SystemMenuCommand command = system_menu_command(name, &key);
    if (command == SystemMenuCommand::kKey) {
        windows.open_system_menu(window);
        context.clock().sleep(kMenuKeyPauseMs);
        if (windows.press_menu_key(key, false)) context.clock().sleep(kMenuKeyPauseMs);
    } else if (command != SystemMenuCommand::kNone) {
        windows.system_command(window, command);
    }
    return kStepSucceeded;
}

// Activates the window and presses ALT + the key of the first level, then the key of
// each further level; true when a key was pressed.
bool select_menu_by_keys(RunContext& context, intptr_t window, const std::string& path) {
    WindowDesktop& windows = *context.desktop().windows;
    windows.activate(window);
    const std::string keys = menu_level_keys(path);
    bool pressed = false;
    for (size_t i = 0; i < keys.size(); ++i) {
        pressed = windows.press_menu_key(keys[i], i == 0) || pressed;
        context.clock().sleep(kMenuKeyPauseMs);
    }
    return pressed;
}

// By the menu's item texts, else by the ALT+key presses of the path.
int select_menu_item(RunContext& context, Step& step) {
    const std::string path = context.text_of(step.text);
    WindowDesktop& windows = *context.desktop().windows;
    const intptr_t window = menu_window(context);
    if (windows.select_menu_path(window, path, true) != 0) return kStepSucceeded;
    if (select_menu_by_keys(context, window, path)) return kStepSucceeded;
    return context.fail("Unable to find menu '%s'", path.c_str());
}

const ActionRow kActions[] = {
    {"Show Popup Menu", show_popup_menu},
    {"Select System Menu", select_system_menu},
};

}  // namespace

std::string popup_menu_line(const std::string& text, int choice) {
    if (choice < 1) return std::string();
    size_t start = 0;
    for (int line = 1; line < choice; ++line) {
        size_t feed = text.find('\n', start);
        if (feed == std::string::npos) return std::string();
        start = feed + 1;
    }
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
}

const ActionFamily kMenuFamily(4, "Menu", kActions, select_menu_item);

}  // namespace zorbel
