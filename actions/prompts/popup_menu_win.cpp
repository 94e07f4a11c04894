// The popup menu of "Show Popup Menu", shown at the pointer and owned by a hidden
// window of class "QuenbyMenuHandler". The choice is TrackPopupMenu's own return value;
// the owner is made the foreground window first and sent a WM_NULL after, so that a
// menu of a hidden owner closes when the user clicks elsewhere.
#include "actions/prompts/prompt_text.h"
#include "actions/prompts/prompt_windows_win.h"

namespace zorbel {

namespace {

constexpr const char* kMenuOwnerClass = "QuenbyMenuHandler";

HWND create_menu_owner() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (!GetClassInfoA(instance, kMenuOwnerClass, &wc)) {
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = instance;
        wc.lpszClassName = kMenuOwnerClass;
        RegisterClassA(&wc);
    }
    return CreateWindowExA(0, kMenuOwnerClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int show_popup_menu(const std::string& text) {
    HWND owner = create_menu_owner();
    HMENU menu = CreatePopupMenu();
    if (owner == nullptr || menu == nullptr) {
        if (menu != nullptr) DestroyMenu(menu);
        if (owner != nullptr) DestroyWindow(owner);
        return 0;
    }
    for (const MenuEntry& entry : popup_menu_entries(text)) {
        if (entry.separator) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else AppendMenuA(menu, MF_STRING, entry.command, entry.text.c_str());
    }
    POINT pointer = {};
    GetCursorPos(&pointer);
    SetForegroundWindow(owner);
    const BOOL command =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, pointer.x, pointer.y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    DestroyWindow(owner);
    return popup_menu_choice(static_cast<uint32_t>(command));
}

}  // namespace zorbel
