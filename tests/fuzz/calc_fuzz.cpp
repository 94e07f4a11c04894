// Arbitrary bytes as CALC expressions, as text-function call texts and as raw
// doubles for the result format: nothing may crash, read or write out of bounds,
// or produce an unbounded result.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/text_functions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorbel;
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string out;

    calc(input, &out);
    if (out.size() > 400) std::abort();  // the widest value, -DBL_MAX, takes 310

    for (const char* name : kTextFunctionNames) {
        evaluate_text_function(name, input, &out);
        if (out.size() > kTextFunctionResultLimit) std::abort();
        evaluate_text_function(name, std::string(name) + "(" + input + ")", &out);
        if (out.size() > kTextFunctionResultLimit) std::abort();
    }

    for (int n = -1; n <= 4; ++n) get_argument(input, n, &out);

    for (size_t open = 0; open < size; open = open * 2 + 1) {
        const size_t end = find_matching_paren(input, open);
        if (end != std::string::npos && (end > size || input[end - 1] != ')')) std::abort();
    }

    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof(value));
        if (format_calc_value(value).size() > 400) std::abort();
    }
    return 0;
}
