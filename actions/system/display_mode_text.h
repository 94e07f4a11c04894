// The display mode texts of "Video Display Mode", as the editor lists the modes
// ("800 x 600, True Color (32 Bit), 60 Hertz") and as the step reads them back.
#pragma once
#include <string>
#include <string_view>

#include "actions/system/system_settings_desktop.h"

namespace zorbel {

// "%s%d x %d, %d Bit, %d Hertz" (one blank first below 1000 pixels wide) with the
// colour depths 4, 8, 16 and 32 named as the editor names them.
std::string display_mode_text(const DisplayMode& mode);

// The mode a text names: the colour names turned back into bits; the width before
// the first "x", the height after it up to the first ",", the bits and the frequency
// the second and third items split at ",", each by the text-to-number rule.
DisplayMode parse_display_mode(std::string_view text);

}  // namespace zorbel
