#include "editor/row_images_win.h"

#include <cstdint>
#include <vector>

namespace zorbel {

namespace {

constexpr int kSize = 16;

// A colour per action icon: hues spread around the wheel, so neighbours differ.
uint32_t icon_colour(int index) {
    const int hue = (index * 47) % 360, sector = hue / 60, rise = (hue % 60) * 255 / 60;
    int r = 0, g = 0, b = 0;
    switch (sector) {
        case 0: r = 255, g = rise; break;
        case 1: r = 255 - rise, g = 255; break;
        case 2: g = 255, b = rise; break;
        case 3: g = 255 - rise, b = 255; break;
        case 4: r = rise, b = 255; break;
        default: r = 255, b = 255 - rise; break;
    }
    // Darker, for contrast on a white row.
    return static_cast<uint32_t>(((r * 3 / 5) << 16) | ((g * 3 / 5) << 8) | (b * 3 / 5));
}

void draw_image(uint32_t* pixels, int stride, int index) {
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int dx = 2 * x - 15, dy = 2 * y - 15;  // doubled distances from the centre
            uint32_t colour = 0;
            uint32_t alpha = 0;
            if (index == kBreakpointImage) {
                if (dx * dx + dy * dy <= 12 * 12) colour = 0xC02020, alpha = 255;  // a red dot
            } else if (index == kSkipImage) {
                // A grey arrow pointing down past the row.
                const bool shaft = x >= 6 && x <= 9 && y >= 2 && y <= 9;
                const bool head = y >= 9 && y <= 14 && x >= 2 + (y - 9) && x <= 13 - (y - 9);
                if (shaft || head) colour = 0x808080, alpha = 255;
            } else if (x >= 3 && x <= 12 && y >= 3 && y <= 12) {
                colour = icon_colour(index), alpha = 255;
            }
            // Premultiplied BGRA, top-down rows.
            pixels[y * stride + index * kSize + x] = (alpha << 24) | colour;
        }
    }
}

}  // namespace

HIMAGELIST create_row_images() {
    HIMAGELIST list = ImageList_Create(kSize, kSize, ILC_COLOR32, kRowImageCount, 0);
    if (!list) return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kSize * kRowImageCount;
    info.bmiHeader.biHeight = -kSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP strip = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!strip) {
        ImageList_Destroy(list);
        return nullptr;
    }
    for (int i = 0; i < kRowImageCount; ++i) draw_image(static_cast<uint32_t*>(bits), kSize * kRowImageCount, i);
    ImageList_Add(list, strip, nullptr);
    DeleteObject(strip);
    return list;
}

}  // namespace zorbel
