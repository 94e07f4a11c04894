// What the screen searches read from the machine: the whole screen, bitmap files and
// the program search path. screen_desktop_win.cpp reads the real ones (one BitBlt of
// the screen into memory, LoadImage for files); native tests use pixel buffers.
#pragma once
#include <cstdint>
#include <string>

#include "actions/screen/pixel_buffer.h"
#include "engine/desktop.h"

namespace zorbel {

class ScreenDesktop : public ScreenCapture {
public:
    virtual ~ScreenDesktop() = default;

    // The whole primary screen as it is now; null when it cannot be read. The pixels
    // belong to the desktop and stay valid until the next capture.
    virtual const PixelBuffer* capture_screen() = 0;
    // A bitmap file as the system's bitmap loader reads it (BMP only); false when the
    // file does not load as a bitmap.
    virtual bool load_bitmap(const std::string& path, PixelBuffer* out) = 0;
    // Idle priority for the process while a search runs (true), then the earlier
    // priority class again (false).
    virtual void search_priority(bool searching) = 0;
    // `CaptureToBitmapFile`: the window (0: the whole screen) written as a BMP file
    // (capture_to_file, from ScreenCapture).
};

// The machine's screen; natively a machine without a screen.
ScreenDesktop& system_screen_desktop();

}  // namespace zorbel
