// The pointer's path when a mouse step shows its movement, and the absolute
// coordinates mouse_event takes.
#pragma once
#include <vector>

#include "engine/expansion_environment.h"

namespace zorbel {

// The positions a glide from `from` to `to` passes through: 20 steps of (to - from) / 20
// in each axis (rounded toward zero), or 8 steps of (to - from) / 8 when both of those
// are 0. The last position may fall short of `to`; the caller then jumps there.
std::vector<ScreenPoint> glide_points(ScreenPoint from, ScreenPoint to);

// A screen position as mouse_event's absolute coordinates: x × 65535 / screen width and
// y × 65535 / screen height (integer division); 0 for an empty screen axis.
ScreenPoint absolute_mouse_coordinates(ScreenPoint at, ScreenPoint screen);

}  // namespace zorbel
