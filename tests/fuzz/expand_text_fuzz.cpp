// Fuzzes `expand text` with an in-memory settings store holding a few variables
// (one refers to itself, one to others) and a fixed desktop. The first input byte
// picks the settings; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/native/engine/expansion_fakes.h"

namespace zorbel {
namespace {

// The expansion rig of the unit tests, with a desktop and variables chosen to reach
// every stage: an environment value and a variable that name themselves, a clipboard
// holding a call, a 2,000-character value and an empty one.
ExpansionRig* make_rig() {
    ExpansionRig* rig = new ExpansionRig();
    rig->environment.variables = {{"PATH", "C:\\bin;C:\\tools"}, {"TEMP", "C:\\TMP"}, {"X", "x"}, {"SELF", "%SELF%SELF"}};
    rig->environment.has_clipboard = true;
    rig->environment.clipboard = "clip(board) %clip";
    rig->environment.now = LocalTime{2007, 12, 31, 23, 59, 59, 1};
    const std::string big(2000, 'b');
    const std::string vars[][2] = {
        {"a", "A"},             {"ab", "%a%b"},         {"self", "s%self"},      {"pair", "%a%self"},
        {"file_loop", "f.txt"}, {"1234_p", "prefixed"}, {"calc", "CALC(1+%a)"}, {"pct", "%%x%"},
        {"dd", "day"},          {"big", big},           {"empty", ""},
    };
    for (auto& v : vars) rig->set_variable(v[0], v[1]);
    return rig;
}

}  // namespace
}  // namespace zorbel

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static zorbel::ExpansionRig* rig = zorbel::make_rig();
    if (size == 0) return 0;
    rig->output.text.clear();
    zorbel::write_setting_number(rig->store, "SOFTWARE\\Zorbel\\GlobalVariables", data[0] & 1);
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    size_t n = rig->expander.expand(text);
    if (n != 0 && n != rig->expander.buffer().size() + 1) __builtin_trap();
    if (rig->expander.buffer().size() > zorbel::kMaxExpansionSize) __builtin_trap();
    return 0;
}
