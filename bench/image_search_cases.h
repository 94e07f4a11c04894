// The image matcher's hardest screens, built in memory at 1920 x 1080 and timed: shared
// by the native benchmark and the one under Wine.
#pragma once
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "actions/screen/image_matcher.h"
#include "actions/screen/pixel_buffer.h"
#include "tests/testbed/testbed_ids.h"

namespace zorbel {
namespace image_bench {

class DiscardEvents : public ImageMatchEvents {
public:
    bool stop_key_down() override { return false; }
    void log_line(const std::string&) override {}
};

inline uint32_t colour_of(testbed::Rgb c) { return rgb_colour(c.r, c.g, c.b); }

inline PixelBuffer pattern() {
    PixelBuffer p(testbed::kPatternWidth, testbed::kPatternHeight);
    for (int32_t y = 0; y < p.height; ++y)
        for (int32_t x = 0; x < p.width; ++x) p.at(x, y) = colour_of(testbed::pattern_pixel(x, y));
    return p;
}

inline PixelBuffer framed(int32_t frame) {
    const PixelBuffer inner = pattern();
    PixelBuffer p(inner.width + 2 * frame, inner.height + 2 * frame, kMaskColour);
    for (int32_t y = 0; y < inner.height; ++y)
        for (int32_t x = 0; x < inner.width; ++x) p.at(x + frame, y + frame) = inner.at(x, y);
    return p;
}

// The testbed panel's background (a gradient crossed by a checker), tiled.
inline PixelBuffer varied_screen(int32_t width, int32_t height) {
    PixelBuffer s(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            s.at(x, y) = colour_of(testbed::background_pixel(x % testbed::kPanelWidth, y % testbed::kPanelHeight));
    return s;
}

inline void paste(PixelBuffer* onto, const PixelBuffer& image, int32_t x, int32_t y) {
    for (int32_t j = 0; j < image.height; ++j)
        for (int32_t i = 0; i < image.width; ++i) onto->at(x + i, y + j) = image.at(i, j);
}

struct Timing {
    double best_ms = 0, median_ms = 0;
    bool found = false;
    int32_t best_count = 0;
};

inline Timing time_match(const PixelBuffer& screen, const PixelBuffer& image, bool masked, int runs = 15) {
    DiscardEvents events;
    std::vector<double> ms;
    Timing t;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const ImageMatch m = match_image(screen, image, masked, true, events);
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        t.found = m.found;
        t.best_count = m.best_count;
    }
    std::sort(ms.begin(), ms.end());
    t.best_ms = ms.front();
    t.median_ms = ms[ms.size() / 2];
    return t;
}

inline void print_timing(const char* name, const Timing& t) {
    std::printf("  %-62s %7.2f ms (best %6.2f)  %s, best match %d pixels\n", name, t.median_ms, t.best_ms,
                t.found ? "found" : "not found", t.best_count);
}

// The worst cases of the matcher on a 1920 x 1080 screen.
inline void run_worst_cases() {
    const int32_t W = 1920, H = 1080;
    const PixelBuffer image = pattern();
    const ImageAnchor anchor = choose_anchor(image);
    std::printf("Matcher on a %d x %d buffer, %d x %d image (median of 15 runs):\n", W, H, image.width,
                image.height);

    // Every screen pixel has the anchor's colour: every position is a candidate.
    print_timing("absent image, anchor colour everywhere", time_match(PixelBuffer(W, H, anchor.colour), image, false));
    print_timing("uniform screen (image absent)", time_match(PixelBuffer(W, H, 0x336699), image, false));
    print_timing("uniform screen of the image's top-left colour",
                 time_match(PixelBuffer(W, H, image.at(0, 0)), image, false));

    PixelBuffer varied = varied_screen(W, H);
    print_timing("masked image (3-pixel frame), varied screen, absent", time_match(varied, framed(3), true));
    // The image 3 pixels in from the bottom-right corner, where its framed copy just fits.
    PixelBuffer with_image = varied;
    paste(&with_image, image, W - image.width - 3, H - image.height - 3);
    print_timing("masked image, varied screen, found in the bottom-right corner",
                 time_match(with_image, framed(3), true));
    print_timing("plain image, varied screen, found near the bottom-right corner",
                 time_match(with_image, image, false));

    // Near misses: the image tiled over the screen with its last pixel changed, so every
    // tile is a candidate that matches all but one pixel.
    PixelBuffer tiles(W, H);
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x) tiles.at(x, y) = image.at(x % image.width, y % image.height);
    for (int32_t y = image.height - 1; y < H; y += image.height)
        for (int32_t x = image.width - 1; x < W; x += image.width) tiles.at(x, y) = 0x000001;
    print_timing("near misses: a candidate matching 767 of 768 pixels per tile", time_match(tiles, image, false));

    // The masked search's own worst case: a frame whose top-left is the mask colour, on a
    // screen that is the anchor colour everywhere but not the rest of the image.
    print_timing("masked image, screen all its anchor colour",
                 time_match(PixelBuffer(W, H, choose_anchor(framed(3)).colour), framed(3), true));
}

}  // namespace image_bench
}  // namespace zorbel
