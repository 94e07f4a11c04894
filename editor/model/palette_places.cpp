#include "editor/model/palette_places.h"

#include <algorithm>

#include "core/text_rules.h"

namespace zorbel {

namespace {

std::string key_of(const std::string& name) { return std::string(kPalettesKey) + "\\" + name; }

bool read_number(SettingsStore& store, const std::string& key, const char* value, int* out) {
    StoredValue stored;
    if (!store.read_value(SettingsRoot::kCurrentUser, key, value, &stored)) return false;
    *out = setting_number(store, key + "\\" + value);
    return true;
}

}  // namespace

Box reset_main_window(int screen_width, int screen_height) {
    return {50, 50, 50 + screen_width - 100, 50 + screen_height - 100};
}

PalettePlace reset_place(const std::string& name, const Box& main) {
    PalettePlace p;
    const int right_x = std::max(main.right - 325, 100);
    if (equals_ignore_case(name, "Toolbar")) {
        p = {true, kDockTop, 30, 100, 100, 100, 250};
    } else if (equals_ignore_case(name, "Actions")) {
        p = {true, kDockLeft, 250, 200, 200, 250, 500};
    } else if (equals_ignore_case(name, "Properties")) {
        p = {false, kDockNone, 300, right_x, main.top + 50, 350, 350};
    } else if (equals_ignore_case(name, "Output")) {
        p = {true, kDockBottom, 150, 300, 300, 400, 200};
    } else if (equals_ignore_case(name, "Variables")) {
        p = {false, kDockNone, 150, right_x, main.top + 20, 350, 125};
    } else {
        p = {false, kDockNone, 150, 200, 200, 400, 100};
    }
    return p;
}

PalettePlace read_palette_place(SettingsStore& store, const std::string& name, int index, int caption,
                                const Box& main) {
    const std::string key = key_of(name);
    const PalettePlace reset = reset_place(name, main);
    int docked = 0;
    if (!read_number(store, key, "bDocked", &docked)) return reset;
    PalettePlace p;
    p.docked = docked != 0;
    if (!read_number(store, key, "iDockedSide", &p.side)) p.side = kDockNone;
    if (!read_number(store, key, "iDockedSize", &p.size)) p.size = reset.size;
    if (!read_number(store, key, "rectFloat.left", &p.left)) p.left = 200 + 20 * index;
    if (!read_number(store, key, "rectFloat.top", &p.top)) p.top = 200 + 20 * index;
    read_number(store, key, "rectFloat.right", &p.width);
    read_number(store, key, "rectFloat.bottom", &p.height);
    if (p.width < caption) p.width = 400;
    if (p.height < caption) p.height = 100;
    return p;
}

void write_palette_place(SettingsStore& store, const std::string& name, const PalettePlace& place) {
    const std::string key = key_of(name) + "\\";
    write_setting_number(store, key + "bDocked", place.docked ? 1 : 0);
    write_setting_number(store, key + "iDockedSize", place.size);
    write_setting_number(store, key + "iDockedSide", place.side);
    write_setting_number(store, key + "rectFloat.left", place.left);
    write_setting_number(store, key + "rectFloat.top", place.top);
    write_setting_number(store, key + "rectFloat.right", place.width);
    write_setting_number(store, key + "rectFloat.bottom", place.height);
}

}  // namespace zorbel
