#include "actions/screen/image_matcher.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "core/text_rules.h"

namespace zorbel {

namespace {

// Screen pixels are examined in blocks of this many; a block without a candidate
// costs a few vector instructions.
constexpr int32_t kBlock = 16;
// The stop key is polled before the first pixel is read and then after about this
// many pixels were read or compared (a few dozen polls for a whole screen).
constexpr int64_t kPollInterval = 1 << 16;

// A run of consecutive image pixels of one row that must equal the screen: every
// pixel of an ordinary search, the pixels outside the mask in a masked one.
struct Stretch {
    ptrdiff_t screen_offset;  // from the candidate's top-left corner on the screen
    const uint32_t* pixels;
    int32_t length;
    int32_t index;            // pixel number of the first pixel, rows first
};

class Matcher {
public:
    Matcher(const PixelBuffer& screen, const PixelBuffer& image, bool masked, bool detailed,
            ImageMatchEvents& events)
        : screen_(screen), image_(image), detailed_(detailed), events_(events),
          total_(image.width * image.height), anchor_(choose_anchor(image)) {
        collect_stretches(masked);
        choose_probe();
    }

    ImageMatch run();

private:
    void collect_stretches(bool masked);
    void choose_probe();
    bool poll_stop_key();
    // The scan of one block of a row; true when the search is over.
    bool scan_block(int32_t y, int32_t from, int32_t to);
    int32_t count_matches(size_t corner);
    void find_last_candidate();

    const PixelBuffer& screen_;
    const PixelBuffer& image_;
    const bool detailed_;
    ImageMatchEvents& events_;
    const int32_t total_;
    const ImageAnchor anchor_;
    std::vector<Stretch> stretches_;

    // The first pixel to compare after the anchor: a candidate whose screen pixel there
    // differs is abandoned with the probe's pixel number as its match count.
    bool has_probe_ = false;
    ptrdiff_t probe_offset_ = 0;  // from the anchor's screen position
    uint32_t probe_colour_ = 0;
    int32_t probe_index_ = 0;

    int64_t work_left_ = 0;
    bool any_candidate_ = false;
    int32_t last_hit_y_ = 0, last_hit_block_ = 0;
    ImageMatch result_;
};

void Matcher::collect_stretches(bool masked) {
    for (int32_t y = 0; y < image_.height; ++y) {
        const uint32_t* row = image_.row(y);
        int32_t x = 0;
        while (x < image_.width) {
            if (masked && row[x] == kMaskColour) {
                ++x;
                continue;
            }
            int32_t end = x + 1;
            while (end < image_.width && !(masked && row[end] == kMaskColour)) ++end;
            stretches_.push_back(Stretch{static_cast<ptrdiff_t>(y) * screen_.width + x, row + x, end - x,
                                         y * image_.width + x});
            x = end;
        }
    }
}

void Matcher::choose_probe() {
    const int32_t anchor_index = anchor_.y * image_.width + anchor_.x;
    for (const Stretch& s : stretches_) {
        for (int32_t k = 0; k < s.length; ++k) {
            if (s.index + k == anchor_index) continue;
            const int32_t px = (s.index + k) % image_.width, py = (s.index + k) / image_.width;
            has_probe_ = true;
            probe_offset_ = static_cast<ptrdiff_t>(py - anchor_.y) * screen_.width + (px - anchor_.x);
            probe_colour_ = s.pixels[k];
            probe_index_ = s.index + k;
            return;
        }
    }
}

bool Matcher::poll_stop_key() {
    work_left_ = kPollInterval;
    if (!events_.stop_key_down()) return false;
    events_.log_line("\tStop key pressed, aborting image search\r\n");
    result_.stopped = true;
    return true;
}

int32_t Matcher::count_matches(size_t corner) {
    const uint32_t* screen = screen_.pixels.data() + corner;
    for (const Stretch& s : stretches_) {
        const uint32_t* on_screen = screen + s.screen_offset;
        for (int32_t k = 0; k < s.length; ++k) {
            if (on_screen[k] != s.pixels[k]) {
                work_left_ -= s.index + k + 1;
                return s.index + k;
            }
        }
    }
    work_left_ -= total_;
    return total_;
}

bool Matcher::scan_block(int32_t y, int32_t from, int32_t to) {
    const uint32_t* pixels = screen_.pixels.data();
    const ptrdiff_t row_start = static_cast<ptrdiff_t>(y) * screen_.width;
    const uint32_t* row = pixels + row_start;
    // The probe may lie in an earlier row: index from the buffer's start, where every
    // probe of a candidate on the screen is inside the buffer.
    const ptrdiff_t probe_start = row_start + probe_offset_;
    const uint32_t anchor = anchor_.colour;
    uint32_t hit = 0, both = 0;
    if (has_probe_) {
        const uint32_t probe = probe_colour_;
        for (int32_t x = from; x < to; ++x) {
            const uint32_t h = row[x] == anchor;
            hit |= h;
            both |= h & (pixels[probe_start + x] == probe);
        }
    } else {
        for (int32_t x = from; x < to; ++x) hit |= row[x] == anchor;
        both = hit;
    }
    work_left_ -= to - from;
    if (!hit) return false;
    any_candidate_ = true;
    last_hit_y_ = y;
    last_hit_block_ = from;
    if (has_probe_) result_.best_count = std::max(result_.best_count, probe_index_);
    if (!both) return false;

    for (int32_t x = from; x < to; ++x) {
        if (row[x] != anchor || (has_probe_ && pixels[probe_start + x] != probe_colour_)) continue;
        const int32_t cx = x - anchor_.x, cy = y - anchor_.y;
        const int32_t count = count_matches(static_cast<size_t>(cy) * screen_.width + cx);
        result_.best_count = std::max(result_.best_count, count);
        if (count == total_) {
            if (detailed_) events_.log_line(format("\tMATCHED IMAGE!  Got %d pixel matches\r\n", count));
            result_.found = true;
            result_.x = result_.last_x = cx;
            result_.y = result_.last_y = cy;
            return true;
        }
    }
    return false;
}

void Matcher::find_last_candidate() {
    if (result_.found || !any_candidate_) return;
    const uint32_t* row = screen_.row(last_hit_y_);
    const int32_t last_column = screen_.width - image_.width + anchor_.x;
    for (int32_t x = std::min(last_hit_block_ + kBlock - 1, last_column); x >= last_hit_block_; --x) {
        if (row[x] == anchor_.colour) {
            result_.last_x = x - anchor_.x;
            result_.last_y = last_hit_y_ - anchor_.y;
            return;
        }
    }
}

ImageMatch Matcher::run() {
    const int32_t width = screen_.width, height = screen_.height;
    if (detailed_) {
        events_.log_line(format("\tDetailed Internal Image Comparison: Image Size = %d x %d, Screen Size = %d x %d\r\n",
                                image_.width, image_.height, width, height));
    }
    // Candidates lie wholly on the screen: corners from (0, 0) to (width - image width,
    // height - image height), found through their anchor pixels.
    const int32_t first_row = anchor_.y, last_row = height - image_.height + anchor_.y;
    const int32_t first_column = anchor_.x, last_column = width - image_.width + anchor_.x;
    bool over = false;
    for (int32_t y = first_row; y <= last_row && !over; ++y) {
        for (int32_t x = first_column; x <= last_column && !over; x += kBlock) {
            if (work_left_ <= 0 && poll_stop_key()) {
                over = true;
                break;
            }
            over = scan_block(y, x, std::min(last_column + 1, x + kBlock));
        }
    }
    if (!over && detailed_) {
        // The rows below hold no candidate: the image would reach past the bottom.
        const int32_t end_row = std::max(0, last_row + 1);
        if (end_row < height) {
            events_.log_line(format(
                "\tNot enough room for image after pixel %d - (image is %d tall) - end of screen check\r\n", end_row,
                image_.height));
        }
    }
    find_last_candidate();
    if (detailed_) {
        events_.log_line(
            format("\tImage comparison logic completed, matched %d of %d pixels starting at (%d, %d)\r\n",
                   result_.best_count, total_, result_.last_x, result_.last_y));
    }
    return result_;
}

}  // namespace

ImageAnchor choose_anchor(const PixelBuffer& image) {
    ImageAnchor anchor;
    if (image.width < 1 || image.height < 1) return anchor;
    const uint32_t top_left = image.at(0, 0);
    anchor.colour = top_left;
    for (int32_t y = 0; y < image.height; ++y) {
        const uint32_t* row = image.row(y);
        for (int32_t x = 0; x < image.width; ++x) {
            if (row[x] != top_left && row[x] != kMaskColour) {
                anchor.x = x;
                anchor.y = y;
                anchor.colour = row[x];
                return anchor;
            }
        }
    }
    return anchor;
}

ImageMatch match_image(const PixelBuffer& screen, const PixelBuffer& image, bool masked, bool detailed,
                       ImageMatchEvents& events) {
    return Matcher(screen, image, masked, detailed, events).run();
}

}  // namespace zorbel
