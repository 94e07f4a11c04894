// `CaptureToBitmapFile`: saves a window, or the whole screen, as a BMP file in the
// display's pixel format.
#pragma once
#include <cstdint>
#include <string>

namespace zorbel {

// `window` 0 captures the whole screen, any other the window's whole rectangle (frame
// included). The file is replaced when it exists. True when the file was written;
// false when the pixels could not be copied or the file could not be written.
bool CaptureToBitmapFile(intptr_t window, const std::string& path);

// The name the run host's failure screenshot calls.
inline bool capture_to_bitmap_file(intptr_t window, const std::string& path) {
    return CaptureToBitmapFile(window, path);
}

}  // namespace zorbel
