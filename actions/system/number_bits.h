// The text-to-number rule for numbers that travel as 32-bit words (call arguments,
// registry data): the same characters as the rule of every other field (up to 31
// digits and "-", from anywhere in the text, read like atol), accumulated in 64 bits
// and kept as their low 32 bits, so 2147483648 is the word 0x80000000 rather than a
// clamped 2147483647.
#pragma once
#include <cstdint>
#include <string_view>

namespace zorbel {

struct NumberBits {
    uint32_t low = 0;   // the low 32 bits of the value (two's complement for negatives)
    bool fits = true;   // the value lies in -2^31 .. 2^32-1
};

NumberBits text_to_number_bits(std::string_view text);

}  // namespace zorbel
