// Test images made from the picture the testbed draws: its pattern pixel for pixel, the
// same framed in the mask colour, and a tiny GIF file the bitmap loader refuses.
#pragma once
#include <string>

#include "actions/screen/bmp_format.h"
#include "actions/screen/pixel_buffer.h"
#include "tests/testbed/testbed_ids.h"

namespace zorbel {
namespace wintest {

inline PixelBuffer testbed_pattern(int32_t frame = 0) {
    PixelBuffer p(testbed::kPatternWidth + 2 * frame, testbed::kPatternHeight + 2 * frame, kMaskColour);
    for (int32_t y = 0; y < testbed::kPatternHeight; ++y)
        for (int32_t x = 0; x < testbed::kPatternWidth; ++x) {
            const testbed::Rgb c = testbed::pattern_pixel(x, y);
            p.at(x + frame, y + frame) = rgb_colour(c.r, c.g, c.b);
        }
    return p;
}

inline std::string tiny_gif() {
    static const unsigned char bytes[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF,
                                          0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3B};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof(bytes));
}

}  // namespace wintest
}  // namespace zorbel
