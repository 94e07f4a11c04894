// Where the main window opens: the stored rectangle when it is sane, the whole
// primary screen when it is not, the system's choice when none was stored.
#pragma once

namespace zorbel {

struct StoredRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

enum class Placement { kSystem, kStored, kFullScreen };

struct ScreenFacts {
    int width, height, min_width, min_height;
};

Placement choose_placement(const StoredRect& stored, const ScreenFacts& screen);

// The three status-bar part ends for a client area `width` wide.
void status_part_ends(int width, int ends[3]);

}  // namespace zorbel
