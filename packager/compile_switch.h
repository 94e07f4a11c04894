// The "/compile" switch of the editor's command line: compile a script and exit.
#pragma once
#include <string>

namespace zorbel {

// Finds "/compile" or "-compile" as a whole word outside double quotes, and cuts it
// out of `line` together with the next word when that word ends in ".exe" (the output,
// returned without quotes in `output`). False, with `line` unchanged, when absent.
bool take_compile_switch(std::string* line, std::string* output);

}  // namespace zorbel
