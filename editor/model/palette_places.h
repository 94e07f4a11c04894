// Where each palette was left: docked or floating, its docked side and size, and its
// floating rectangle, read from and written to "SOFTWARE\Zorbel\Palettes\<name>";
// and the places Reset User Interface gives.
#pragma once
#include <string>

#include "editor/model/docking.h"
#include "engine/settings_store.h"

namespace zorbel {

struct PalettePlace {
    bool docked = false;
    int side = kDockNone;  // as stored; docked_side() says where it docks
    int size = 0;          // across the docking edge
    int left = 0, top = 0, width = 0, height = 0;  // the floating rectangle
    bool operator==(const PalettePlace& o) const {
        return docked == o.docked && side == o.side && size == o.size && left == o.left && top == o.top &&
               width == o.width && height == o.height;
    }
};

constexpr const char* kPalettesKey = "SOFTWARE\\Zorbel\\Palettes";

// The main window's rectangle after Reset User Interface on a screen of that size.
Box reset_main_window(int screen_width, int screen_height);

// The place Reset User Interface gives the palette `name` ("Toolbar", "Actions",
// "Properties", "Output", "Variables") with the main window at `main`.
PalettePlace reset_place(const std::string& name, const Box& main);

// The palette's stored place. `index` is its place in creation order, `caption` the
// system's small-caption size, `main` the main window's rectangle.
// - Nothing stored (no `bDocked`): the place Reset User Interface gives.
// - A missing `iDockedSize`: the size Reset User Interface gives.
// - A missing left or top: 200 + 20 x index; a width below `caption`: 400; such a
//   height: 100.
PalettePlace read_palette_place(SettingsStore& store, const std::string& name, int index, int caption,
                                const Box& main);

// Writes `bDocked`, `iDockedSize`, `iDockedSide` and `rectFloat.left`, `.top`,
// `.right` (the width) and `.bottom` (the height).
void write_palette_place(SettingsStore& store, const std::string& name, const PalettePlace& place);

}  // namespace zorbel
