// The IF family: a false condition jumps to the matching ELSE or END IF.
#include "actions/executors.h"
#include "actions/screen/screen_steps.h"
#include "actions/windows/window_steps.h"
#include "actions/flow/flow_matching.h"
#include "engine/condition.h"
#include "engine/expansion_environment.h"
#include "platform/file_search.h"

namespace zorbel {

namespace {

enum class Test { kTrue, kFalse, kFailed };

Test as_test(bool value) { return value ? Test::kTrue : Test::kFalse; }

Test evaluate_if(RunContext& context, Step& step) {
    const std::string_view name = field_text(step.action);
    if (contains_ignore_case(name, "IF File Exists"))
        return as_test(files::matches_exist(context.expand(step.text)));
    if (contains_ignore_case(name, "IF Folder Exists")) return as_test(files::is_folder(context.expand(step.text)));
    if (contains_ignore_case(name, "IF Window Exists") || contains_ignore_case(name, "IF Control Exists") ||
        contains_ignore_case(name, "IF Control Is Checked"))
        return as_test(window_condition(context, step));
    if (contains_ignore_case(name, "IF Pixel is Visible")) return as_test(if_pixel_is_visible(context));
    if (contains_ignore_case(name, "Image is Visible"))
        return as_test(if_image_is_visible(context, contains_ignore_case(name, "Masked")));
    if (contains_ignore_case(name, "IF Caps Lock is On")) return as_test(context.host.caps_lock_on());
    if (contains_ignore_case(name, "IF Clipboard Equals")) {
        std::string clipboard;
        if (context.services.environment) context.services.environment->clipboard_text(&clipboard);
        return as_test(clipboard == context.expand(step.text));
    }
    if (contains_ignore_case(name, "IF Expression"))
        return as_test(evaluate_condition(context.expand(step.text), &context) != 0);
    if (equals_ignore_case(name, "ELSE")) return Test::kFalse;
    return Test::kTrue;  // "END IF" and anything else in the family
}

}  // namespace

int execute_if_family(RunContext& context) {
    Step& step = context.step();
    Test test = evaluate_if(context, step);
    if (test == Test::kFailed) return kStepFailed;
    if (test == Test::kFalse) context.script.current_step = find_matching_end(context, context.script.current_step);
    return kStepSucceeded;
}

}  // namespace zorbel
