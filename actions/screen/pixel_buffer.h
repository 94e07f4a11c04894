// A rectangle of pixels in memory: a captured screen or window, or a loaded bitmap.
// Colours are Windows colour values (0x00BBGGRR), one 32-bit word per pixel, rows
// from the top, each row from the left, no padding between rows.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorbel {

// The mask colour of masked image searches (magenta).
constexpr uint32_t kMaskColour = 0xFF00FF;

struct PixelBuffer {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // width * height values

    PixelBuffer() = default;
    PixelBuffer(int32_t w, int32_t h, uint32_t fill = 0)
        : width(w), height(h), pixels(w > 0 && h > 0 ? static_cast<size_t>(w) * static_cast<size_t>(h) : 0, fill) {}

    uint32_t at(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    uint32_t& at(int32_t x, int32_t y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const uint32_t* row(int32_t y) const { return pixels.data() + static_cast<size_t>(y) * width; }
    uint32_t* row(int32_t y) { return pixels.data() + static_cast<size_t>(y) * width; }
    int64_t pixel_count() const { return static_cast<int64_t>(width) * height; }
};

// Colour values from the red, green and blue parts, and back.
constexpr uint32_t rgb_colour(uint32_t red, uint32_t green, uint32_t blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}
constexpr uint32_t red_of(uint32_t colour) { return colour & 0xFF; }
constexpr uint32_t green_of(uint32_t colour) { return (colour >> 8) & 0xFF; }
constexpr uint32_t blue_of(uint32_t colour) { return (colour >> 16) & 0xFF; }

}  // namespace zorbel
