// The IF family (13): a false condition jumps to the matching ELSE or END IF. The
// conditions come from the families that own them ("IF Window Exists" from the
// windows, "IF Image is Visible" from the mouse and screen, "IF Caps Lock is On" from
// the keyboard); the file, clipboard and expression tests are the family's own.
#include "actions/families.h"
#include "actions/flow/flow_matching.h"
#include "engine/condition.h"
#include "platform/file_search.h"

namespace zorbel {

namespace {

bool file_exists(RunContext& context, Step& step) { return files::matches_exist(context.text_of(step.text)); }
bool folder_exists(RunContext& context, Step& step) { return files::is_folder(context.text_of(step.text)); }

bool clipboard_equals(RunContext& context, Step& step) {
    std::string clipboard;
    context.desktop().clipboard->text(&clipboard);
    return clipboard == context.text_of(step.text);
}

bool expression_holds(RunContext& context, Step& step) {
    return evaluate_condition(context.text_of(step.text), &context) != 0;
}

int jump_when(RunContext& context, bool holds) {
    if (!holds) context.script.current_step = find_matching_end(context, context.script.current_step);
    return kStepSucceeded;
}

int else_step(RunContext& context, Step&) { return jump_when(context, false); }

// "END IF" and any name without a condition hold.
int if_step(RunContext& context, Step& step) {
    const ConditionRow* row = context.families->if_condition(step.action);
    return jump_when(context, !row || row->test(context, step));
}

const ActionRow kActions[] = {
    {"ELSE", else_step},
};

const ConditionRow kIfConditions[] = {
    {"IF File Exists", file_exists},
    {"IF Folder Exists", folder_exists},
    {"IF Clipboard Equals", clipboard_equals},
    {"IF Expression", expression_holds},
};

}  // namespace

const ActionFamily kIfFamily = ActionFamily(13, "IF", kActions, if_step).lending(kIfConditions);

}  // namespace zorbel
