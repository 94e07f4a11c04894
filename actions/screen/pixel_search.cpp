#include "actions/screen/pixel_search.h"

#include <algorithm>

namespace zorbel {

bool find_pixel(const PixelBuffer& screen, uint32_t colour, int32_t* x, int32_t* y) {
    if (screen.height < 1 || screen.width < 1) return false;
    const auto at = std::find(screen.pixels.begin(), screen.pixels.end(), colour);
    if (at == screen.pixels.end()) return false;
    const auto index = static_cast<int64_t>(at - screen.pixels.begin());
    if (x) *x = static_cast<int32_t>(index % screen.width);
    if (y) *y = static_cast<int32_t>(index / screen.width);
    return true;
}

}  // namespace zorbel
