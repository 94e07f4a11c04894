// The Loops / Flow family (12): loop starts and NEXT LOOP, Break, labels and jumps,
// and "Exit Run" / "Exit Zorbel".
#include <memory>

#include "actions/families.h"
#include "actions/files/read_file_line.h"
#include "actions/flow/flow_matching.h"
#include "actions/windows/window_desktop.h"
#include "core/user_interface.h"
#include "engine/condition.h"
#include "engine/variables.h"
#include "platform/file_search.h"
#include "platform/files.h"

namespace zorbel {

namespace {

// The loop variables are user variables without the instance prefix.
void set_loop_variable(RunContext& context, std::string_view name, std::string_view value) {
    if (context.services.variables) context.services.variables->write_unprefixed(name, value);
}

void delete_loop_variable(RunContext& context, std::string_view name) {
    if (!context.services.store) return;
    delete_setting(*context.services.store, SettingsRoot::kCurrentUser, "SOFTWARE\\Zorbel\\UserVariables\\%.*s",
                   static_cast<int>(name.size()), name.data());
}

constexpr uint32_t kLoopsFamilyCode = 12;

// The Files loop's search, one at a time for the innermost Files loop; it belongs to
// the run and is closed when the run stops.
struct LoopsRunState : FamilyRunState {
    FileSearch files_loop_search;
};

FileSearch& files_loop_search(RunContext& context) {
    return context.run.state_of<LoopsRunState>(kLoopsFamilyCode).files_loop_search;
}

bool next_plain_file(FileSearch& search, FoundFile* found, bool first, const std::string& pattern) {
    bool ok = first ? search.first(pattern, found) : search.next(found);
    while (ok && (found->is_folder || found->name == "." || found->name == "..")) ok = search.next(found);
    return ok;
}

std::string files_loop_pattern(std::string pattern) {
    if (!pattern.empty() && pattern.back() == '\\') pattern += "*.*";
    else if (pattern.find('.') == std::string::npos) pattern += "*.*";
    return pattern;
}

// The file a File Line loop reads: the name as given, else relative to the script's folder.
std::string locate_loop_file(RunContext& context, const std::string& name) {
    if (files::matches_exist(name)) return name;
    std::string folder = files::folder_of(context.script.script_path);
    if (!folder.empty()) {
        std::string beside = folder + "\\" + name;
        if (files::matches_exist(beside)) return beside;
    }
    return name;
}

void store_loop_window(RunContext& context, intptr_t window) {
    context.run.loops.loop_window = window;
    set_loop_variable(context, "hwnd_loop", std::to_string(static_cast<long long>(window)));
    set_loop_variable(context, "window_loop", context.desktop().windows->window_title(window, 258));
}

// Whether the loop just started is entered; logs why not.
bool enter_loop(RunContext& context, Step& step, std::string_view name) {
    LoopStack& loops = context.run.loops;
    if (contains_ignore_case(name, "WHILE")) {
        if (step.text.empty()) context.log("\tWARNING: No expression provided for WHILE loop\r\n");
        if (evaluate_condition(context.expand(step.text), &context)) return true;
        context.log("\tWHILE loop expression negative on first evaluation, leaving immediately...\r\n");
        return false;
    }
    if (contains_ignore_case(name, "FOR")) {
        if (context.number_of(step.timeout) >= 1) return true;
        context.log("\t0 iterations of loop requested, leaving immediately...\r\n");
        return false;
    }
    if (contains_ignore_case(name, "FILE LINE")) {
        std::string file = locate_loop_file(context, context.expand(step.text));
        loops.line_number = 1;
        std::string line;
        if (!read_file_line(file, 1, &line)) return false;
        set_loop_variable(context, "file_line_loop", line);
        return true;
    }
    if (contains_ignore_case(name, "FILE")) {
        std::string pattern = files_loop_pattern(context.expand(step.text));
        delete_loop_variable(context, "file_loop");
        FoundFile found;
        if (!next_plain_file(files_loop_search(context), &found, true, pattern)) {
            files_loop_search(context).close();
            return false;
        }
        set_loop_variable(context, "file_loop", found.name);
        return true;
    }
    if (contains_ignore_case(name, "WINDOW")) {
        delete_loop_variable(context, "window_loop");
        delete_loop_variable(context, "hwnd_loop");
        intptr_t window = context.desktop().windows->foreground_window();
        if (!window) return false;
        store_loop_window(context, window);
        return true;
    }
    if (contains_ignore_case(name, "DATASET")) {
        if (context.run.dataset_rows.empty()) return false;
        set_loop_variable(context, "data_loop", context.run.dataset_rows[0]);
        return true;
    }
    return true;
}

int start_loop(RunContext& context, Step& step) {
    const std::string_view name = field_text(step.action);
    LoopStack& loops = context.run.loops;
    // The depth saturates at the deepest level, which a further loop then reuses.
    if (loops.depth < kMaxLoopDepth) ++loops.depth;
    loops.current().counter = 0;
    loops.current().start_step = context.script.current_step;
    if (!enter_loop(context, step, name)) leave_loop(context);
    return kStepSucceeded;
}

// Whether the loop at the current level goes round again after NEXT LOOP.
bool loop_again(RunContext& context, Step& start) {
    LoopStack& loops = context.run.loops;
    const std::string_view name = field_text(start.action);
    const int32_t counter = loops.current().counter;
    if (contains_ignore_case(name, "'For' Loop"))
        return counter < context.number_of(start.timeout);
    if (contains_ignore_case(name, "'While' Loop")) return evaluate_condition(context.expand(start.text), &context) != 0;
    if (contains_ignore_case(name, "Files Loop")) {
        FoundFile found;
        if (next_plain_file(files_loop_search(context), &found, false, std::string())) {
            set_loop_variable(context, "file_loop", found.name);
            return true;
        }
        files_loop_search(context).close();
        return false;
    }
    if (contains_ignore_case(name, "File Line Loop")) {
        ++loops.line_number;
        std::string line;
        std::string file = locate_loop_file(context, context.expand(start.text));
        if (!read_file_line(file, loops.line_number, &line)) return false;
        set_loop_variable(context, "file_line_loop", line);
        return true;
    }
    if (contains_ignore_case(name, "Windows Loop")) {
        intptr_t next = context.desktop().windows->next_titled_window(loops.loop_window);
        if (!next) return false;
        store_loop_window(context, next);
        return true;
    }
    if (contains_ignore_case(name, "Dataset Loop")) {
        const auto& rows = context.run.dataset_rows;
        if (counter < static_cast<int32_t>(rows.size())) {
            set_loop_variable(context, "data_loop", rows[static_cast<size_t>(counter)]);
            return true;
        }
        return false;
    }
    return true;
}

int next_loop(RunContext& context, Step&) {
    LoopStack& loops = context.run.loops;
    LoopLevel& level = loops.current();
    ++level.counter;
    context.log("\tCompleted %d iteration%s of Loop started at step #%d\r\n", level.counter,
                level.counter == 1 ? "" : "s", level.start_step + 1);
    if (context.services.ui) context.services.ui->set_status(1, format("Loops: %d", level.counter));
    if (level.start_step < 0 || level.start_step >= context.script.step_count()) return kStepSucceeded;
    Step& start = context.script.steps[static_cast<size_t>(level.start_step)];
    if (loop_again(context, start)) {
        context.script.current_step = level.start_step;
    } else if (loops.depth > 0) {
        --loops.depth;
    }
    return kStepSucceeded;
}

int goto_label(RunContext& context, Step& step) {
    const std::string label = context.expand(step.text);
    ScriptState& script = context.script;
    if (!label.empty()) {
        for (int32_t i = 0; i < script.step_count(); ++i) {
            const Step& s = script.steps[static_cast<size_t>(i)];
            if (!s.text.empty() && equals_ignore_case(field_text(s.action), "Label") &&
                equals_ignore_case(s.text, label)) {
                script.current_step = i > 0 ? i - 1 : 0;
                return kStepSucceeded;
            }
        }
    }
    return context.fail("Label \"%s\" not found", label.c_str());
}

int break_loop(RunContext& context, Step&) {
    leave_loop(context);
    return kStepSucceeded;
}

int exit_run(RunContext& context, Step& step) {
    context.run.return_code = context.number_of(step.timeout);
    context.stop_run();
    return kStepArranged;
}

int exit_program(RunContext& context, Step&) {
    context.host.close_main_window();
    return kStepArranged;
}

// "Break out of Loop" and "NEXT LOOP" before the loop starts, whose keyword they contain.
const ActionRow kActions[] = {
    {"to Label", goto_label},
    {"Break", break_loop},
    {"NEXT LOOP", next_loop},
    {"Loop", start_loop},
    {"Exit Run", exit_run},
    {"Exit Zorbel", exit_program},
};

}  // namespace

// "Label" and the like do nothing.
const ActionFamily kLoopsFamily(kLoopsFamilyCode, "Loops / Flow", kActions);

}  // namespace zorbel
