// Two plain readings of the image search, pixel by pixel, for the tests to hold the
// fast matcher against:
// - reference_match: the search as the program means it (candidates wholly on the
//   screen), reading one pixel at a time in the order the search is described in;
// - anchor_limited_match: the older reading that limited the scan by the anchor's position
//   (rows while at least image height - 1 rows are left, columns likewise), reading
//   pixels off the screen as "no colour" the way GetPixel does.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "actions/screen/image_matcher.h"
#include "core/text_rules.h"

namespace zorbel {
namespace testing_reference {

constexpr uint32_t kNoColour = 0xFFFFFFFF;  // GetPixel's answer off the screen

struct Outcome {
    bool found = false;
    bool stopped = false;
    int32_t x = 0, y = 0;
    int32_t best = 0;
    int32_t last_x = 0, last_y = 0;
    std::vector<std::string> lines;
};

inline uint32_t pixel_or_none(const PixelBuffer& b, int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= b.width || y >= b.height) return kNoColour;
    return b.at(x, y);
}

// Compares the candidate at (cx, cy); the stop key is asked before each comparison.
inline bool compare_candidate(const PixelBuffer& screen, const PixelBuffer& image, bool masked, int32_t cx,
                              int32_t cy, const std::function<bool()>& stop, Outcome* out, int32_t* count) {
    *count = 0;
    for (int32_t iy = 0; iy < image.height; ++iy) {
        for (int32_t ix = 0; ix < image.width; ++ix) {
            if (stop()) return false;
            const uint32_t want = image.at(ix, iy);
            if (want == pixel_or_none(screen, cx + ix, cy + iy) || (masked && want == kMaskColour)) {
                ++*count;
                if (*count > out->best) out->best = *count;
            } else {
                return true;
            }
        }
    }
    return true;
}

inline Outcome search(const PixelBuffer& screen, const PixelBuffer& image, bool masked, bool detailed,
                      const std::function<bool()>& stop, bool anchor_limited) {
    Outcome out;
    const ImageAnchor anchor = choose_anchor(image);
    const int32_t total = image.width * image.height;
    const int32_t W = screen.width, H = screen.height, w = image.width, h = image.height;
    if (detailed)
        out.lines.push_back(format("\tDetailed Internal Image Comparison: Image Size = %d x %d, Screen Size = %d x %d\r\n",
                                   w, h, W, H));
    bool over = false;
    for (int32_t y = 0; y < H && !over; ++y) {
        const bool no_room = anchor_limited ? (H - y < h - 1) : (y > H - h + anchor.y);
        if (no_room) {
            if (detailed)
                out.lines.push_back(format(
                    "\tNot enough room for image after pixel %d - (image is %d tall) - end of screen check\r\n", y, h));
            break;
        }
        if (!anchor_limited && y < anchor.y) continue;
        const int32_t first_x = anchor_limited ? 0 : anchor.x;
        for (int32_t x = first_x; x < W; ++x) {
            if (anchor_limited ? (W - x < w - 1) : (x > W - w + anchor.x)) break;
            if (stop()) {
                out.lines.push_back("\tStop key pressed, aborting image search\r\n");
                out.stopped = true;
                over = true;
                break;
            }
            if (screen.at(x, y) != anchor.colour) continue;
            const int32_t cx = x - anchor.x, cy = y - anchor.y;
            out.last_x = cx;
            out.last_y = cy;
            int32_t count = 0;
            if (!compare_candidate(screen, image, masked, cx, cy, stop, &out, &count)) {
                out.lines.push_back("\tStop key pressed, aborting image search\r\n");
                out.stopped = true;
                over = true;
                break;
            }
            if (count == total) {
                if (detailed) out.lines.push_back(format("\tMATCHED IMAGE!  Got %d pixel matches\r\n", count));
                out.found = true;
                out.x = cx;
                out.y = cy;
                over = true;
                break;
            }
        }
    }
    if (detailed)
        out.lines.push_back(format("\tImage comparison logic completed, matched %d of %d pixels starting at (%d, %d)\r\n",
                                   out.best, total, out.last_x, out.last_y));
    return out;
}

inline Outcome reference_match(const PixelBuffer& screen, const PixelBuffer& image, bool masked, bool detailed,
                               const std::function<bool()>& stop = [] { return false; }) {
    return search(screen, image, masked, detailed, stop, false);
}

inline Outcome anchor_limited_match(const PixelBuffer& screen, const PixelBuffer& image, bool masked) {
    return search(screen, image, masked, false, [] { return false; }, true);
}

}  // namespace testing_reference
}  // namespace zorbel
