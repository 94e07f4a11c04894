#include "actions/screen/screen_search.h"

#include <utility>

#include "actions/screen/pixel_search.h"
#include "core/text_rules.h"

namespace zorbel {

namespace {

void set_error(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

}  // namespace

bool FindImageOnScreen(ScreenDesktop& screen, ImageMatchEvents& events, const std::string& path, int32_t* x,
                       int32_t* y, int32_t* width, int32_t* height, bool masked, bool detailed, std::string* error) {
    PixelBuffer image;
    if (!screen.load_bitmap(path, &image) || image.width < 1 || image.height < 1) {
        set_error(error, format("Unable to load image file '%s'", path.c_str()));
        return false;
    }
    if (width) *width = image.width;
    if (height) *height = image.height;
    if (image.width > kMaxImageWidth || image.height > kMaxImageHeight) {
        set_error(error, format("The image file '%s' is %d x %d pixels; images of at most %d x %d pixels can be "
                                "searched for",
                                path.c_str(), image.width, image.height, kMaxImageWidth, kMaxImageHeight));
        return false;
    }
    screen.search_priority(true);
    const PixelBuffer* shot = screen.capture_screen();
    const bool captured = shot && shot->width > 0 && shot->height > 0;
    ImageMatch match;
    if (captured) match = match_image(*shot, image, masked, detailed, events);
    screen.search_priority(false);
    if (!captured) {
        set_error(error, "Unable to read the screen");
        return false;
    }
    if (!match.found) return false;
    if (x) *x = match.x;
    if (y) *y = match.y;
    return true;
}

bool FindPixelOnScreen(ScreenDesktop& screen, uint32_t colour, int32_t* x, int32_t* y) {
    const PixelBuffer* shot = screen.capture_screen();
    return shot && find_pixel(*shot, colour, x, y);
}

}  // namespace zorbel
