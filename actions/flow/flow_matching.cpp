#include "actions/flow/flow_matching.h"

namespace zorbel {

int32_t find_matching_end(RunContext& context, int32_t index) {
    ScriptState& script = context.script;
    context.log("\tJumping to matching ELSE/END IF statement...\r\n");
    int nesting = 0;
    for (int32_t j = index + 1; j < script.step_count(); ++j) {
        const Step& s = script.steps[static_cast<size_t>(j)];
        if (s.status != kStatusNormal) continue;
        std::string_view name = field_text(s.action);
        const bool is_else = equals_ignore_case(name, "ELSE");
        const bool is_end = equals_ignore_case(name, "END IF");
        if ((is_else || is_end) && nesting == 0) {
            context.log("\tJumping to Step %d\r\n", j + 1);
            return j;
        }
        if (is_end) --nesting;
        else if (starts_with_ignore_case(name, "IF ")) ++nesting;
    }
    context.log("\tWARNING: Matching ELSE/END IF statement not found!  Jumping to Step %d\r\n", script.step_count());
    return script.step_count() - 1;
}

void leave_loop(RunContext& context) {
    ScriptState& script = context.script;
    LoopStack& loops = context.run.loops;
    context.log("\tBreaking out of Loop started at step #%d\r\n", loops.current().start_step + 1);
    if (loops.depth > 0) --loops.depth;
    for (int32_t k = script.current_step; k < script.step_count(); ++k) {
        if (equals_ignore_case(field_text(script.steps[static_cast<size_t>(k)].action), "NEXT LOOP")) {
            context.log("\tFound matching NEXT LOOP at step #%d\r\n", k + 1);
            script.current_step = k;
            return;
        }
    }
    script.current_step = script.step_count() - 1;
}

}  // namespace zorbel
