// `FindImageOnScreen` and `FindPixelOnScreen`: the searches of the mouse, IF, Wait
// and window steps. The screen is read once per search and scanned in memory.
#pragma once
#include <cstdint>
#include <string>

#include "actions/screen/image_matcher.h"
#include "actions/screen/screen_desktop.h"

namespace zorbel {

// The largest image the search takes (the working store's columns and rows).
constexpr int32_t kMaxImageWidth = 1600;
constexpr int32_t kMaxImageHeight = 1632;

// Looks for the bitmap file `path` on the screen. The match's top-left corner goes to
// `x`, `y` and the image size to `width`, `height` (each may be null; the size is
// reported once the file is loaded, found or not). False when the image is not on the
// screen, the stop key ended the search, or the file could not be used; in the last
// case `error` (may be null) receives the reason. `events` gets the log lines and is
// asked about the stop key.
bool FindImageOnScreen(ScreenDesktop& screen, ImageMatchEvents& events, const std::string& path, int32_t* x,
                       int32_t* y, int32_t* width, int32_t* height, bool masked, bool detailed, std::string* error);

// True when a screen pixel has exactly `colour` (0x00BBGGRR); the first one, rows from
// the top and each row from the left, goes to `x` and `y` (each may be null).
bool FindPixelOnScreen(ScreenDesktop& screen, uint32_t colour, int32_t* x, int32_t* y);

}  // namespace zorbel
