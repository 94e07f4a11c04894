// Small builders for the editor model's tests.
#pragma once
#include <string>
#include <vector>

#include "core/action_catalogue.h"
#include "core/script_state.h"
#include "core/text_rules.h"
#include "editor/model/step_commands.h"

namespace zorbel {

inline Step make_step(const char* action, const std::string& text = "", const std::string& comment = "") {
    Step step;
    copy_to_field(step.action, action);
    step.family = family_of_action(action);
    step.text = text;
    step.comment = comment;
    return step;
}

// A script of steps "Delay" with texts "s1", "s2", ...
inline ScriptState numbered_script(int count) {
    ScriptState script;
    for (int i = 1; i <= count; ++i) script.steps.push_back(make_step("Delay", "s" + std::to_string(i)));
    return script;
}

inline std::vector<std::string> texts_of(const ScriptState& script) {
    std::vector<std::string> out;
    for (const Step& s : script.steps) out.push_back(s.text);
    return out;
}

inline Selection rows(std::vector<int32_t> r) {
    Selection s;
    s.rows = r;
    s.focused = r.empty() ? -1 : r.front();
    return s;
}

}  // namespace zorbel
