#include "tests/testbed/picture.h"

#include <cstdint>
#include <vector>

#include "tests/testbed/testbed_ids.h"

namespace zorbel::testbed {
namespace {

// A 32-bit top-down DIB (bytes blue, green, red, unused) of the whole panel, made once.
const std::vector<uint32_t>& panel_pixels() {
    static const std::vector<uint32_t> pixels = [] {
        std::vector<uint32_t> p(kPanelWidth * kPanelHeight);
        auto pack = [](Rgb c) { return (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b; };
        for (int y = 0; y < kPanelHeight; ++y) {
            for (int x = 0; x < kPanelWidth; ++x) p[y * kPanelWidth + x] = pack(background_pixel(x, y));
        }
        const int px = kPatternX - kPanelX, py = kPatternY - kPanelY;
        for (int y = 0; y < kPatternHeight; ++y) {
            for (int x = 0; x < kPatternWidth; ++x) p[(py + y) * kPanelWidth + px + x] = pack(pattern_pixel(x, y));
        }
        return p;
    }();
    return pixels;
}

void paint_panel(HDC dc) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kPanelWidth;
    info.bmiHeader.biHeight = -kPanelHeight;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, kPanelX, kPanelY, kPanelWidth, kPanelHeight, 0, 0, 0, kPanelHeight,
                      panel_pixels().data(), &info, DIB_RGB_COLORS);
}

void fill(HDC dc, int x, int y, int width, int height, COLORREF colour) {
    RECT r = {x, y, x + width, y + height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void paint_click_area(HDC dc) {
    fill(dc, kClickAreaX, kClickAreaY, kClickAreaWidth, kClickAreaHeight, RGB(0, 0, 0));
    fill(dc, kClickAreaX + 1, kClickAreaY + 1, kClickAreaWidth - 2, kClickAreaHeight - 2, RGB(250, 250, 235));
    HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(96, 96, 96));
    static const char kCaption[] = "Click area";
    TextOutA(dc, kClickAreaX + 6, kClickAreaY + 4, kCaption, sizeof(kCaption) - 1);
    SelectObject(dc, old_font);
}

}  // namespace

void paint_surface(HDC dc) {
    paint_panel(dc);
    fill(dc, kSpotX, kSpotY, kSpotSize, kSpotSize, RGB(kSpotColour.r, kSpotColour.g, kSpotColour.b));
    paint_click_area(dc);
}

}  // namespace zorbel::testbed
