// How a pane shows one step: each field's caption (the numbered fields of the
// Internet, Loops / Flow, IF and System panes take the caption of the step's action),
// whether the action uses it, and whether it is enabled by the step's other fields
// (a program that is not waited for has no wait time, "Required Response" has no
// time-out, ...). Also the tool tips. Desktop-free.
#pragma once
#include <string>
#include <vector>

#include "core/step_record.h"
#include "editor/model/pane_fields.h"

namespace zorbel {

struct FieldLook {
    std::string label;
    bool visible = true;
    bool enabled = true;
};

// One look per field of the step's pane (pane_spec(step.family).fields).
std::vector<FieldLook> pane_looks(const Step& step);

// The tips every pane carries: comment, On Failure, screen image, log, System
// Variables, Undo Changes.
extern const char kCommentTip[];
extern const char kOnFailureTip[];
extern const char kScreenImageTip[];
extern const char kLogTip[];
extern const char kSystemVariablesTip[];
extern const char kUndoChangesTip[];
// The tip of a field shown with `label`: its name in capitals and a colon first.
std::string field_tip(const FieldSpec& spec, const std::string& label);

}  // namespace zorbel
