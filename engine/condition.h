// `evaluate condition`: the test of "IF Expression" and the 'While' loop.
#pragma once
#include <string_view>

#include "engine/run_context.h"

namespace zorbel {

// The parts of a condition text: left operand, operator run, right operand, and
// whether both operands are numeric (type 1) or text (type 2).
struct ConditionParts {
    std::string left;
    std::string op;  // empty when the text has no comparison
    std::string right;
    int type = 1;
};
ConditionParts split_condition(std::string_view text);

// Evaluates an already expanded text: 1 true, 0 false. `context` may be null (no
// detailed log lines).
int evaluate_condition(std::string_view text, RunContext* context);

}  // namespace zorbel
