#include "editor/model/auto_indent.h"

#include <algorithm>

#include "core/text_rules.h"

namespace zorbel {

namespace {

constexpr int32_t kMaxElseIndent = 16;

const char* is_or_are(int32_t count) { return count == 1 ? "is" : "are"; }

}  // namespace

BlockDepths auto_indent(std::vector<Step>& steps) {
    BlockDepths depth;
    for (Step& step : steps) {
        step.indents = depth.ifs + depth.loops;
        if (step.status == kStatusSkip) continue;
        const std::string_view action = step.action;
        if (equals_ignore_case(action, "END IF")) {
            --depth.ifs;
            step.indents = depth.ifs + depth.loops;
        } else if (equals_ignore_case(action, "NEXT LOOP")) {
            --depth.loops;
            step.indents = depth.ifs + depth.loops;
        } else if (contains_ignore_case(action, "IF ")) {
            ++depth.ifs;
        } else if (contains_ignore_case(action, "Start ") && contains_ignore_case(action, " Loop")) {
            ++depth.loops;
        }
        if (equals_ignore_case(action, "ELSE")) step.indents = std::min(depth.ifs + depth.loops - 1, kMaxElseIndent);
    }
    return depth;
}

std::string validation_error(const BlockDepths& depth) {
    if (depth.ifs > 0)
        return format("There %s %d 'IF' without a matching 'END IF'", is_or_are(depth.ifs), depth.ifs);
    if (depth.ifs < 0)
        return format("There %s %d 'END IF' without a matching 'IF'", is_or_are(-depth.ifs), -depth.ifs);
    if (depth.loops > 0)
        return format("There %s %d 'START LOOP' without a matching 'NEXT LOOP'", is_or_are(depth.loops), depth.loops);
    if (depth.loops < 0)
        return format("There %s %d 'NEXT LOOP' without a matching 'START LOOP'", is_or_are(-depth.loops),
                      -depth.loops);
    return std::string();
}

std::string validation_complete(int32_t step_count) {
    return format("Validation of %d step(s) complete - 0 errors found", step_count);
}

}  // namespace zorbel
