#include "actions/system/number_bits.h"

namespace zorbel {

NumberBits text_to_number_bits(std::string_view text) {
    char collected[32];
    size_t n = 0;
    for (char c : text) {
        if ((c >= '0' && c <= '9') || c == '-') {
            collected[n++] = c;
            if (n == 31) break;
        }
    }
    size_t i = 0;
    bool negative = false;
    if (i < n && collected[i] == '-') {
        negative = true;
        ++i;
    }
    uint64_t value = 0;
    bool huge = false;  // beyond 2^32 at some point: the low bits wrap, the value no longer fits
    for (; i < n && collected[i] >= '0' && collected[i] <= '9'; ++i) {
        value = value * 10 + static_cast<uint64_t>(collected[i] - '0');
        if (value > 0xffffffffull) {
            huge = true;
            value &= 0xffffffffull;
        }
    }
    NumberBits out;
    if (negative) {
        out.fits = !huge && value <= 0x80000000ull;
        out.low = static_cast<uint32_t>(0 - value);
    } else {
        out.fits = !huge;
        out.low = static_cast<uint32_t>(value);
    }
    return out;
}

}  // namespace zorbel
