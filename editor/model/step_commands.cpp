#include "editor/model/step_commands.h"

#include <algorithm>
#include <new>

#include "core/action_catalogue.h"
#include "core/text_rules.h"

namespace zorbel {

const char kNothingSelected[] = "Nothing selected";
const char kFileEmpty[] = "The file is empty.\n\nPlease add commands before using this feature.";
const char kOnlySingleRows[] =
    "Only single rows can be moved.\n\nTo move multiple rows, first \"Cut\" them and then \"Paste\" them in the new "
    "location.";

namespace {

EditOutcome refused() {
    EditOutcome out;
    out.refused = true;
    return out;
}

EditOutcome message(const std::string& text) {
    EditOutcome out;
    out.message = text;
    return out;
}

EditOutcome select_row(int32_t row) {
    EditOutcome out;
    out.rows_changed = true;
    out.select = true;
    if (row >= 0) out.selected = {row};
    out.focus = row;
    return out;
}

bool contains(std::string_view text, const std::string& needle) {
    return find_ignore_case(text, needle) != std::string_view::npos;
}

}  // namespace

bool StepCommands::snapshot() {
    if (script_.steps.empty()) return false;
    std::vector<Step> copy;
    bool taken = false;
    try {
        taken = copy_steps ? copy_steps(script_.steps, &copy) : (copy = script_.steps, true);
    } catch (const std::bad_alloc&) {
        taken = false;
    }
    if (!taken) {
        undo_stack.fail();
        document.changed();
        return false;
    }
    undo_stack.push(std::move(copy));
    document.pushed();
    return true;
}

void StepCommands::replaced(bool needs_resave, bool stopped_early) {
    undo_stack.clear();
    document.replaced(needs_resave, stopped_early);
}

EditOutcome StepCommands::copy(const Selection& selection) {
    if (selection.empty()) return message(kNothingSelected);
    clipboard.copy(script_, selection.rows);
    return {};
}

EditOutcome StepCommands::cut(const Selection& selection) {
    if (running) return refused();
    if (selection.empty()) return message(kNothingSelected);
    copy(selection);
    return remove(selection);
}

EditOutcome StepCommands::paste(const Selection& selection) {
    if (running) return refused();
    if (clipboard.empty()) return {};
    if (!snapshot()) document.changed();
    // With several rows selected the steps go before the lowest of them.
    const int32_t at = selection.empty() ? script_.step_count() : selection.rows.front();
    last_message.clear();
    const int32_t first = clipboard.paste(&script_, at, &last_message);
    EditOutcome out = select_row(first);
    out.message = last_message;
    return out;
}

EditOutcome StepCommands::remove(const Selection& selection) {
    if (running) return refused();
    if (selection.empty()) return message(kNothingSelected);
    snapshot();
    for (auto row = selection.rows.rbegin(); row != selection.rows.rend(); ++row) script_.delete_step(*row);
    EditOutcome out;
    out.rows_changed = true;
    out.select = true;
    const int32_t first = selection.rows.front();
    out.focus = script_.steps.empty() ? -1 : std::min(first, script_.step_count() - 1);
    return out;
}

EditOutcome StepCommands::undo(const Selection& selection) {
    if (running) return refused();
    std::vector<Step> restored;
    if (!undo_stack.pop(&restored)) return message("Undo not available");
    script_.steps = std::move(restored);
    document.undone(undo_stack.empty());
    int32_t focus = selection.focused >= 0 ? selection.focused : 0;
    focus = std::min(focus, script_.step_count() - 1);
    return select_row(focus);
}

EditOutcome StepCommands::move(const Selection& selection, int direction) {
    if (running) return refused();
    if (selection.empty()) return message(kNothingSelected);
    if (selection.rows.size() > 1) return message(kOnlySingleRows);
    const int32_t row = selection.rows.front(), other = row + direction;
    if (other < 0 || other >= script_.step_count()) return {};
    snapshot();
    std::swap(script_.steps[static_cast<size_t>(row)], script_.steps[static_cast<size_t>(other)]);
    return select_row(other);
}

EditOutcome StepCommands::indent(const Selection& selection, int delta) {
    if (running) return refused();
    if (selection.empty()) return message(kNothingSelected);
    snapshot();
    for (int32_t row : selection.rows) {
        Step& step = script_.steps[static_cast<size_t>(row)];
        step.indents = std::clamp(step.indents + delta, 0, 16);
    }
    EditOutcome out;
    out.redraw_first = selection.rows.front();
    out.redraw_last = selection.rows.back();
    return out;
}

EditOutcome StepCommands::toggle_status(const Selection& selection, int32_t status) {
    if (running) return refused();
    if (selection.empty()) return {};
    snapshot();
    for (int32_t row : selection.rows) {
        Step& step = script_.steps[static_cast<size_t>(row)];
        step.status = step.status == status ? kStatusNormal : status;
    }
    EditOutcome out;
    out.redraw_first = selection.rows.front();
    out.redraw_last = selection.rows.back();
    return out;
}

EditOutcome StepCommands::remove_all(int32_t status) {
    if (running) return refused();
    snapshot();
    for (Step& step : script_.steps)
        if (step.status == status) step.status = kStatusNormal;
    EditOutcome out;
    out.rows_changed = true;
    return out;
}

EditOutcome StepCommands::add_comment(const Selection& selection, bool after) {
    if (running) return refused();
    if (!snapshot()) document.changed();
    int32_t at = selection.focused >= 0 ? selection.focused + (after ? 1 : 0) : script_.step_count();
    at = script_.insert_step(at);
    if (at < 0) return message("Out of memory error");
    Step& step = script_.steps[static_cast<size_t>(at)];
    copy_to_field(step.action, "Comment");
    if (const CatalogueEntry* entry = find_action("Comment")) {
        step.family = entry->family;
        step.icon = entry->icon;
    }
    return select_row(at);
}

EditOutcome StepCommands::find(const std::string& text, FindDirection direction, const Selection& selection) const {
    if (script_.steps.empty()) return message(kFileEmpty);
    const int32_t count = script_.step_count();
    const int32_t step = direction == FindDirection::kDown ? 1 : -1;
    int32_t row = selection.focused >= 0 ? selection.focused + step : 1;
    for (; row >= 0 && row < count; row += step) {
        const Step& s = script_.steps[static_cast<size_t>(row)];
        if (contains(field_text(s.action), text) || contains(s.text, text) || contains(s.comment, text) ||
            contains(field_text(s.onfail), text) || contains(field_text(s.onfail_label), text) ||
            contains(field_text(s.variable), text)) {
            EditOutcome out;
            out.select = true;
            out.selected = {row};
            out.focus = row;
            return out;
        }
    }
    return message("Cannot find \"" + text + "\" while searching " +
                   (direction == FindDirection::kDown ? "down" : "up"));
}

int32_t StepCommands::go_to_row(const std::string& typed) const {
    int32_t number = text_to_number(typed);
    number = std::clamp(number, 1, std::max(script_.step_count(), 1));
    return number - 1;
}

}  // namespace zorbel
