#include "actions/mouse/mouse_glide.h"

#include <cstdint>

namespace zorbel {

std::vector<ScreenPoint> glide_points(ScreenPoint from, ScreenPoint to) {
    long steps = 20;
    long dx = (to.x - from.x) / steps, dy = (to.y - from.y) / steps;
    if (dx == 0 && dy == 0) {
        steps = 8;
        dx = (to.x - from.x) / steps;
        dy = (to.y - from.y) / steps;
    }
    std::vector<ScreenPoint> points;
    ScreenPoint at = from;
    for (long i = 0; i < steps; ++i) {
        at.x += dx;
        at.y += dy;
        points.push_back(at);
    }
    return points;
}

ScreenPoint absolute_mouse_coordinates(ScreenPoint at, ScreenPoint screen) {
    ScreenPoint out;
    if (screen.x > 0) out.x = static_cast<long>(static_cast<int64_t>(at.x) * 65535 / screen.x);
    if (screen.y > 0) out.y = static_cast<long>(static_cast<int64_t>(at.y) * 65535 / screen.y);
    return out;
}

}  // namespace zorbel
