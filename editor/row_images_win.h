// The editor's shared row images: 512 small images, one per action icon index, with
// 237 the skip mark and 238 the breakpoint mark. Drawn at start-up.
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace zorbel {

constexpr int kRowImageCount = 512;
constexpr int kSkipImage = 237;
constexpr int kBreakpointImage = 238;

HIMAGELIST create_row_images();

}  // namespace zorbel
