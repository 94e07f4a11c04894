// Line breaks of the texts the keyboard actions deliver. Desktop-free.
#pragma once
#include <string>
#include <string_view>

namespace zorbel {

// Every CR LF pair replaced by a single LF, so each line break types one ENTER.
std::string collapse_line_breaks(std::string_view text);

// Every LF not already after a CR given a CR before it: the line breaks of a text that is
// pasted or set as a window's text, since edit controls break lines only at CR LF.
std::string windows_line_breaks(std::string_view text);

}  // namespace zorbel
