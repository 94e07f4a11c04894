#include "editor/model/window_placement.h"

namespace zorbel {

Placement choose_placement(const StoredRect& stored, const ScreenFacts& screen) {
    if (stored.bottom == 0) return Placement::kSystem;
    const bool sane = stored.left > -5 && stored.left < screen.width &&
                      stored.right - stored.left >= screen.min_width && stored.bottom - stored.top >= screen.min_height;
    return sane ? Placement::kStored : Placement::kFullScreen;
}

void status_part_ends(int width, int ends[3]) {
    ends[0] = width - 200 < 200 ? 200 : width - 200;
    ends[1] = width - 100;
    ends[2] = -1;
}

}  // namespace zorbel
