// The image matcher: finds a bitmap inside a captured screen, pixel for pixel, and
// writes the search's run log lines. It works on pixel buffers only, so the whole
// search logic runs (and is tested and measured) without a desktop.
//
// Scan order: candidates are tried by the screen position of their anchor pixel,
// rows from the top, each row from the left; a candidate is tried only when its
// whole rectangle lies on the screen, and the first one whose every pixel matches
// wins. A candidate is tried when the screen pixel under its anchor has the anchor
// colour; its pixels are then compared row by row, each row from the left, and the
// match count of a candidate is the number of equal pixels before the first unequal
// one. In a masked search image pixels of the mask colour equal any screen pixel.
#pragma once
#include <cstdint>
#include <string>

#include "actions/screen/pixel_buffer.h"

namespace zorbel {

// The pixel that selects candidates: the first pixel, rows from the top and each row
// from the left, whose colour differs both from the top-left pixel and from the mask
// colour; (0, 0) with the top-left colour when there is none. Uniform backgrounds and
// masked areas therefore never start a comparison.
struct ImageAnchor {
    int32_t x = 0;
    int32_t y = 0;
    uint32_t colour = 0;
};
ImageAnchor choose_anchor(const PixelBuffer& image);

// What a search asks of its caller while it runs.
class ImageMatchEvents {
public:
    virtual ~ImageMatchEvents() = default;
    // Polled before the first screen pixel is read and then every few thousand
    // pixels read or compared; true ends the search without a match.
    virtual bool stop_key_down() = 0;
    // One run log line, "\r\n" included.
    virtual void log_line(const std::string& line) = 0;
};

struct ImageMatch {
    bool found = false;
    bool stopped = false;     // the stop key ended the search
    int32_t x = 0, y = 0;     // the match's top-left corner on the screen
    int32_t best_count = 0;   // the highest match count of any candidate
    int32_t last_x = 0, last_y = 0;  // top-left corner of the last candidate tried
};

// Searches `screen` for `image` (both at least 1 x 1). With `detailed` the search
// writes its detailed lines (sizes, lack of room, match, summary); the stop key
// line is written whatever `detailed` says.
ImageMatch match_image(const PixelBuffer& screen, const PixelBuffer& image, bool masked, bool detailed,
                       ImageMatchEvents& events);

}  // namespace zorbel
