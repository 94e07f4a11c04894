#include "actions/system/variable_steps.h"

#include "engine/variable_actions.h"

namespace zorbel {

bool execute_variable_step(RunContext& context, Step& step, int* result) {
    if (!is_variable_action(field_text(step.action))) return false;
    *result = run_variable_action(step, context.services, &context.run.error_text);
    return true;
}

}  // namespace zorbel
