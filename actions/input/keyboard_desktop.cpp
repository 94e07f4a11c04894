#include "actions/input/keyboard_desktop.h"

namespace zorbel {

namespace {

KeyboardDesktop*& desktop_in_use() {
    static KeyboardDesktop* desktop = nullptr;
    return desktop;
}

}  // namespace

KeyboardDesktop& keyboard_desktop() {
    KeyboardDesktop* desktop = desktop_in_use();
    return desktop ? *desktop : system_keyboard_desktop();
}

void use_keyboard_desktop(KeyboardDesktop* desktop) { desktop_in_use() = desktop; }

}  // namespace zorbel
