// The services a run lends to its executors, the text expander and `save result`.
// Every member is borrowed; the program (or a test) owns them and wires them once.
// Null members are skipped where the code allows it (no Output palette, no
// Variables palette).
#pragma once
#include <cstdint>
#include <string>

namespace zorbel {

class SettingsStore;
class ExpansionEnvironment;
class CurrentWindow;
class RunLog;
class LogOutput;
class Variables;
class VariablesPalette;
class TextExpander;
class UserInterface;
struct Desktop;

// The run-state items the text expander reads; the run controller keeps them current.
struct RunFacts {
    int32_t innermost_loop_counter = 0;  // "%l" shows it + 1
    int32_t pass_counter = 0;            // "%e" shows it + 1
    int32_t current_step = 0;            // "%currentstep" shows it + 1
    std::string script_path;             // "%FILENAME" and its parts
    std::string command_line;            // "%cmdline": the program's arguments
};

struct RunServices {
    SettingsStore* store = nullptr;
    ExpansionEnvironment* environment = nullptr;
    CurrentWindow* window = nullptr;
    RunFacts* run = nullptr;
    RunLog* log = nullptr;
    LogOutput* output = nullptr;           // the Output palette; null when there is none
    Variables* variables = nullptr;
    VariablesPalette* palette = nullptr;   // the Variables palette; null when there is none
    TextExpander* expander = nullptr;
    Desktop* desktop = nullptr;            // every effect on the machine, and the clock
    UserInterface* ui = nullptr;           // boxes, status bar and prompts
};

}  // namespace zorbel
