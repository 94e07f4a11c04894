// Menu selection through the menu bar, by keystrokes, and through the system menu.
#include "actions/menus/menu_path.h"
#include "actions/menus/menu_selection_win.h"
#include "actions/windows/window_keys_win.h"
#include "actions/windows/window_search_win.h"
#include "core/text_rules.h"

namespace zorbel {

namespace {

// The item at `position`: false past the end of the menu.
bool read_item(HMENU menu, int position, UINT* id, std::string* text) {
    char buffer[256] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_TYPE;
    info.dwTypeData = buffer;
    info.cch = sizeof(buffer) - 1;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return false;
    *id = info.wID;
    *text = (info.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) ? std::string() : std::string(buffer);
    return true;
}

// The key presses of one character (0: nothing pressed).
bool press_character(char character) {
    BYTE key = virtual_key_of(character);
    if (!key) return false;
    tap_key(key);
    return true;
}

}  // namespace

UINT SelectMenuPath(HWND window, const std::string& path, bool post) {
    HMENU menu = GetMenu(window);
    if (!menu || path.empty()) return 0;
    const std::vector<std::string> levels = menu_path_levels(path);
    size_t level = 0;
    int position = 0;
    for (;;) {
        UINT id = 0;
        std::string text;
        if (!read_item(menu, position, &id, &text)) return 0;
        // Separators (identifier 0, no submenu) are passed over, so that an item after
        // one, such as File's Exit, can still be found.
        if (id == 0 && !GetSubMenu(menu, position)) {
            ++position;
            continue;
        }
        if (equals_ignore_case(menu_item_label(text), levels[level])) {
            if (level + 1 == levels.size()) {
                if (post) PostMessageA(window, WM_COMMAND, LOWORD(id), 0);
                return id;
            }
            menu = GetSubMenu(menu, position);
            if (!menu) return 0;
            ++level;
            position = 0;
            continue;
        }
        ++position;
    }
}

bool PressMenuKey(char key, bool with_alt) {
    if (with_alt) send_key_transition(VK_MENU, true, false);
    const bool pressed = press_character(key);
    if (with_alt) send_key_transition(VK_MENU, false, false);
    return pressed;
}

void OpenSystemMenu(HWND window) {
    ActivateWindow(window);
    send_key_transition(VK_MENU, true, false);
    tap_key(VK_SPACE);
    send_key_transition(VK_MENU, false, false);
}

void SendSystemCommand(HWND window, SystemMenuCommand command) {
    static constexpr WPARAM kCommands[] = {0, SC_MAXIMIZE, SC_MINIMIZE, SC_RESTORE, SC_MOVE, SC_CLOSE, SC_SIZE};
    const int index = static_cast<int>(command);
    if (index < 1 || index > 6) return;
    SendMessageTimeoutA(window, WM_SYSCOMMAND, kCommands[index], 0, SMTO_ABORTIFHUNG, 2000, nullptr);
}

}  // namespace zorbel
