// `ParseColour`: the colour parameter of pixel steps, a colour name or a hexadecimal
// triple "#RRGGBB", read into a Windows colour value (0x00BBGGRR).
#pragma once
#include <cstdint>
#include <string_view>

namespace zorbel {

// A name of the colour table (any case), else at most the first 62 characters with
// double quotes, blanks and "0x" removed and one leading "#" dropped, which must be
// exactly six hexadecimal digits RRGGBB. Anything else gives 0 (black).
uint32_t ParseColour(std::string_view text);

}  // namespace zorbel
