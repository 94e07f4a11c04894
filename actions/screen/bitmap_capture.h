// `CaptureToBitmapFile`: saves a window, or the whole screen, as a BMP file.
#pragma once
#include <cstdint>
#include <string>

namespace zorbel {

// `window` 0 captures the whole screen. True when the file was written.
bool capture_to_bitmap_file(intptr_t window, const std::string& path);

}  // namespace zorbel
