// Prints how long CALC and the text functions take on typical calls and on the
// largest inputs a step text can hand them.
#include <chrono>
#include <cstdio>
#include <string>

#include "engine/text_functions.h"

namespace {

template <typename F>
void measure(const char* label, int repeats, F&& run) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i) run();
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    std::printf("%-44s %12.2f us per call\n", label, spent.count() / repeats);
}

}  // namespace

int main() {
    using namespace zorbel;
    std::string out;
    const std::string typical = "CALC ( ( (2*3) + (4/5) ) ^ 0.5 )";
    const std::string sum = "CALC(1" + [] { std::string s; for (int i = 0; i < 119; ++i) s += "+1"; return s; }() + ")";
    const std::string nested = "CALC(" + std::string(1 << 20, '(') + "1+2" + std::string(1 << 20, ')') + ")";
    const std::string long_text(1 << 20, 'a');
    const std::string replace = "ReplaceText(" + long_text + ", " + std::string(1000, 'a') + "b, x)";
    const std::string split = "GetSubText(\"" + long_text + "\", aa, 200000)";

    measure("CALC typical expression", 100000, [&] { calc(typical, &out); });
    measure("CALC 239 tokens", 20000, [&] { calc(sum, &out); });
    measure("CALC 1 MB of nested parentheses", 20, [&] { calc(nested, &out); });
    measure("find_matching_paren over 2 MB", 20, [&] { find_matching_paren(nested, 0); });
    measure("Uppercase of a short text", 100000, [&] { evaluate_text_function("Uppercase", "Uppercase ( aBc )", &out); });
    measure("ReplaceText 1 MB run, absent 1001-char text", 20,
            [&] { evaluate_text_function("ReplaceText", replace, &out); });
    measure("GetSubText 1 MB, item 200000", 20, [&] { evaluate_text_function("GetSubText", split, &out); });
    return 0;
}
