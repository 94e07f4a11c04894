// Reading the screen, a window or a bitmap file into a pixel buffer (Windows only;
// declared without <windows.h> so desktop-free callers can name them).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "actions/screen/pixel_buffer.h"

namespace zorbel {

// The whole primary screen (SM_CXSCREEN x SM_CYSCREEN from the desktop's device
// context), copied with one BitBlt. False when it cannot be read.
bool capture_screen_pixels(PixelBuffer* out);

// Captures the whole screen again and again into the same memory: the bitmap the
// screen is copied into and the pixel buffer are made once and kept while the
// screen keeps its size, which saves a third of a capture's time under Wine.
class ScreenGrabber {
public:
    ScreenGrabber();
    ~ScreenGrabber();
    ScreenGrabber(const ScreenGrabber&) = delete;
    ScreenGrabber& operator=(const ScreenGrabber&) = delete;

    // The screen as it is now; null when it cannot be read. Valid until the next grab.
    const PixelBuffer* grab();

private:
    struct Surface;
    std::unique_ptr<Surface> surface_;
    PixelBuffer pixels_;
};
// A window's whole rectangle, frame included, from its window device context.
bool capture_window_pixels(intptr_t window, PixelBuffer* out);
// A bitmap file loaded with LoadImage (IMAGE_BITMAP, LR_LOADFROMFILE |
// LR_CREATEDIBSECTION | LR_DEFAULTSIZE), its pixels as GetPixel reads them.
bool load_bitmap_pixels(const std::string& path, PixelBuffer* out);

}  // namespace zorbel
