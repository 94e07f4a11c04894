// The result text of CALC: the value printed without the rounding noise of
// binary fractions (0.1 + 0.2 reads 0.3, not 0.30000000000000004441).
#include <cmath>
#include <cstdio>

#include "engine/text_functions.h"

namespace zorbel {
namespace {

// A non-negative finite value with `digits` fraction digits, without trailing
// zeros or a trailing ".". The widest, DBL_MAX with 20 digits, takes 330 characters.
std::string print_fixed(double magnitude, int digits) {
    char buffer[400];
    const int n = std::snprintf(buffer, sizeof(buffer), "%.*f", digits, magnitude);
    std::string text(buffer, n > 0 && static_cast<size_t>(n) < sizeof(buffer) ? static_cast<size_t>(n) : 0);
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0') text.pop_back();
        if (!text.empty() && text.back() == '.') text.pop_back();
    }
    return text;
}

// Where the first run of seven "0" or seven "9" starts in the fraction; npos
// when there is none.
size_t noise_run(const std::string& text) {
    const size_t point = text.find('.');
    if (point == std::string::npos) return std::string::npos;
    const size_t zeros = text.find("0000000", point);
    const size_t nines = text.find("9999999", point);
    return zeros < nines ? zeros : nines;
}

}  // namespace

std::string format_calc_value(double value) {
    if (value == 0) return "0";
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";

    const double magnitude = std::fabs(value);
    std::string text = print_fixed(magnitude, 20);
    if (noise_run(text) != std::string::npos) {
        text = print_fixed(magnitude, 7);
        const size_t run = noise_run(text);
        if (run != std::string::npos) {
            text.resize(run);
            if (!text.empty() && text.back() == '.') text.pop_back();
        }
    }
    if (text.empty() || text[0] == '.') text.insert(0, "0");
    // A value too small to show reads "0", never "-0".
    if (value < 0 && text != "0") text.insert(0, "-");
    return text;
}

}  // namespace zorbel
