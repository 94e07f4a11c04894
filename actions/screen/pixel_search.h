// The pixel search over a captured screen: the first pixel of a colour, rows from
// the top, each row from the left.
#pragma once
#include <cstdint>

#include "actions/screen/pixel_buffer.h"

namespace zorbel {

// True when a pixel has exactly `colour`; its position goes to `x` and `y` (each may
// be null). A buffer without rows gives false.
bool find_pixel(const PixelBuffer& screen, uint32_t colour, int32_t* x, int32_t* y);

}  // namespace zorbel
