// Reading the real screen under Wine: the capture, bitmap files read back exactly, the
// BMP files the capture writes, and the searches finding the testbed's picture.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "actions/screen/bitmap_capture.h"
#include "actions/screen/bmp_format.h"
#include "actions/screen/screen_capture.h"
#include "actions/screen/screen_desktop.h"
#include "actions/screen/screen_search.h"
#include "tests/win/support/testbed.h"
#include "tests/win/support/testbed_picture.h"

namespace zorbel {
namespace {

using namespace wintest;

// The testbed on this desktop, its picture on the screen.
class ShownTestbed : public Testbed {
public:
    ::testing::AssertionResult show() {
        ::testing::AssertionResult started = start();
        return started ? wait_painted() : started;
    }
};

class QuietEvents : public ImageMatchEvents {
public:
    std::string lines;
    bool stop_key_down() override { return false; }
    void log_line(const std::string& line) override { lines += line; }
};

// The testbed's left client half, where the focused edit's caret blinks, in screen
// coordinates, or relative to `corner`.
RECT caret_half(const Testbed& tb, POINT corner = POINT{0, 0}) {
    const POINT o = tb.client_origin();
    return RECT{o.x - corner.x, o.y - corner.y, o.x - corner.x + 310, o.y - corner.y + testbed::kClientHeight};
}

uint32_t read32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return v;
}

PixelBuffer cut(const PixelBuffer& from, int32_t x, int32_t y, int32_t w, int32_t h) {
    PixelBuffer out(w, h);
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i) out.at(i, j) = from.at(x + i, y + j);
    return out;
}

// The first differing pixel outside `skip`, for messages; "" when the buffers are equal.
std::string difference(const PixelBuffer& a, const PixelBuffer& b, RECT skip = RECT{0, 0, 0, 0}) {
    if (a.width != b.width || a.height != b.height)
        return "sizes " + std::to_string(a.width) + "x" + std::to_string(a.height) + " and " +
               std::to_string(b.width) + "x" + std::to_string(b.height);
    for (int32_t y = 0; y < a.height; ++y)
        for (int32_t x = 0; x < a.width; ++x)
            if (a.at(x, y) != b.at(x, y) && !(x >= skip.left && x < skip.right && y >= skip.top && y < skip.bottom)) {
                char text[100];
                snprintf(text, sizeof(text), "(%d, %d): %06X and %06X", x, y, a.at(x, y), b.at(x, y));
                return text;
            }
    return std::string();
}

TEST(ScreenCapture, ScreenShowsTheTestbedsPatternPixelForPixel) {
    ShownTestbed tb;
    ASSERT_TRUE(tb.show());
    PixelBuffer screen;
    ASSERT_TRUE(capture_screen_pixels(&screen));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), screen.width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), screen.height);
    const POINT at = tb.on_screen(testbed::kPatternX, testbed::kPatternY);
    EXPECT_EQ("", difference(testbed_pattern(), cut(screen, at.x, at.y, testbed::kPatternWidth,
                                                    testbed::kPatternHeight)));
    // GetPixel, as the search was first written, reads the same colours.
    HDC dc = GetDC(nullptr);
    for (int i = 0; i < 20; ++i) {
        const int x = static_cast<int>(at.x) + 7 * i % 40 - 4, y = static_cast<int>(at.y) + 5 * i % 30 - 3;
        EXPECT_EQ(GetPixel(dc, x, y), screen.at(x, y)) << x << "," << y;
    }
    ReleaseDC(nullptr, dc);
}

TEST(ScreenCapture, BitmapFilesReadBackExactly) {
    TempFolder temp;
    const std::string folder = temp.path();
    PixelBuffer odd(5, 3);  // 15 bytes a row at 24 bits: padded to 16
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x) odd.at(x, y) = rgb_colour(40 * x + 1, 70 * y + 2, 255 - x - y);
    for (uint32_t bits : {24u, 32u}) {
        SCOPED_TRACE(std::to_string(bits) + " bits");
        const std::string path = folder + "\\odd" + std::to_string(bits) + ".bmp";
        ASSERT_TRUE(write_file(path, encode_bmp(odd, bits)));
        PixelBuffer back;
        ASSERT_TRUE(load_bitmap_pixels(path, &back));
        EXPECT_EQ("", difference(odd, back));
    }
    const std::string gif = folder + "\\picture.gif";
    ASSERT_TRUE(write_file(gif, tiny_gif()));
    PixelBuffer none;
    EXPECT_FALSE(load_bitmap_pixels(gif, &none));
    EXPECT_FALSE(load_bitmap_pixels(folder + "\\missing.bmp", &none));
}

TEST(ScreenCapture, ScreenCaptureFileHoldsTheScreenAndReplacesTheOldFile) {
    ShownTestbed tb;
    ASSERT_TRUE(tb.show());
    TempFolder temp;
    const std::string path = temp / "screen.bmp";
    ASSERT_TRUE(write_file(path, std::string(20 << 20, 'x')));  // larger than any capture
    ASSERT_TRUE(CaptureToBitmapFile(0, path));
    PixelBuffer screen;
    ASSERT_TRUE(capture_screen_pixels(&screen));

    const std::string file = read_file(path);
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ("BM", file.substr(0, 2));
    EXPECT_EQ(file.size(), read32(file, 2));
    EXPECT_EQ(54u, read32(file, 10));
    EXPECT_EQ(40u, read32(file, 14));
    EXPECT_EQ(static_cast<uint32_t>(screen.width), read32(file, 18));
    EXPECT_EQ(static_cast<uint32_t>(screen.height), read32(file, 22));
    const uint32_t bits = read32(file, 28) & 0xFFFF;
    EXPECT_EQ(0u, read32(file, 30));  // BI_RGB
    EXPECT_EQ(bmp_image_size(screen.width, screen.height, bits), read32(file, 34));
    EXPECT_EQ(54u + read32(file, 34), file.size());

    PixelBuffer back;
    ASSERT_TRUE(load_bitmap_pixels(path, &back));
    EXPECT_EQ("", difference(screen, back, caret_half(tb)));
}

TEST(ScreenCapture, WindowCaptureHoldsTheWholeWindow) {
    ShownTestbed tb;
    ASSERT_TRUE(tb.show());
    TempFolder temp;
    const std::string path = temp / "window.bmp";
    ASSERT_TRUE(CaptureToBitmapFile(reinterpret_cast<intptr_t>(tb.window()), path));
    const RECT r = tb.window_rect();
    PixelBuffer back;
    ASSERT_TRUE(load_bitmap_pixels(path, &back));
    ASSERT_EQ(r.right - r.left, back.width);
    ASSERT_EQ(r.bottom - r.top, back.height);
    PixelBuffer screen;
    ASSERT_TRUE(capture_screen_pixels(&screen));
    const RECT caret = caret_half(tb, POINT{r.left, r.top});
    EXPECT_EQ("", difference(cut(screen, r.left, r.top, back.width, back.height), back, caret));

    PixelBuffer direct;
    ASSERT_TRUE(capture_window_pixels(reinterpret_cast<intptr_t>(tb.window()), &direct));
    EXPECT_EQ("", difference(back, direct, caret));
    EXPECT_FALSE(CaptureToBitmapFile(reinterpret_cast<intptr_t>(tb.window()), temp / "no\\such\\folder.bmp"));
}

TEST(ScreenSearch, FindsTheTestbedsPatternAndSpot) {
    ShownTestbed tb;
    ASSERT_TRUE(tb.show());
    TempFolder temp;
    const std::string folder = temp.path();
    const std::string pattern = folder + "\\pattern.bmp", framed = folder + "\\framed.bmp";
    ASSERT_TRUE(write_file(pattern, encode_bmp(testbed_pattern())));
    ASSERT_TRUE(write_file(framed, encode_bmp(testbed_pattern(3), 32)));
    ScreenDesktop& screen = system_screen_desktop();
    QuietEvents events;
    std::string error;
    const POINT at = tb.on_screen(testbed::kPatternX, testbed::kPatternY);

    int32_t x = -1, y = -1, w = -1, h = -1;
    ASSERT_TRUE(FindImageOnScreen(screen, events, pattern, &x, &y, &w, &h, false, true, &error)) << events.lines;
    EXPECT_EQ(at.x, x);
    EXPECT_EQ(at.y, y);
    EXPECT_EQ(testbed::kPatternWidth, w);
    EXPECT_EQ(testbed::kPatternHeight, h);
    EXPECT_NE(std::string::npos, events.lines.find("\tMATCHED IMAGE!  Got 768 pixel matches\r\n")) << events.lines;

    ASSERT_TRUE(FindImageOnScreen(screen, events, framed, &x, &y, &w, &h, true, false, &error));
    EXPECT_EQ(at.x - 3, x);
    EXPECT_EQ(at.y - 3, y);
    EXPECT_EQ(testbed::kPatternWidth + 6, w);
    EXPECT_FALSE(FindImageOnScreen(screen, events, framed, &x, &y, &w, &h, false, false, &error));
    EXPECT_EQ("", error);

    const POINT spot = tb.on_screen(testbed::kSpotX, testbed::kSpotY);
    const uint32_t spot_colour = rgb_colour(testbed::kSpotColour.r, testbed::kSpotColour.g, testbed::kSpotColour.b);
    ASSERT_TRUE(FindPixelOnScreen(screen, spot_colour, &x, &y));
    EXPECT_EQ(spot.x, x);
    EXPECT_EQ(spot.y, y);
}

}  // namespace
}  // namespace zorbel
