// The Windows/Controls family and the window conditions it lends to the IF and Wait
// steps. Everything that touches the desktop goes through WindowDesktop.
#include "actions/windows/windows_family.h"

#include "actions/families.h"
#include "actions/files/file_system.h"
#include "actions/programs/program_paths.h"
#include "actions/windows/window_desktop.h"
#include "core/text_rules.h"
#include "engine/settings_store.h"
#include "engine/setting_names.h"
#include "engine/variables.h"

namespace zorbel {

namespace {

// A step without any criterion bit searches by title, so that it can never match
// whatever window happens to come last.
uint32_t step_criteria(uint32_t options) {
    uint32_t criteria = options & kCriteriaMask;
    return criteria ? criteria : kCriterionTitle;
}

// The actions on a window once it is known, tried in this order.
int set_window_style(RunContext&, WindowDesktop& desktop, Step& step, intptr_t window) {
    desktop.set_style(window, find_window_style(field_text(step.value[0])));
    return kStepSucceeded;
}
int get_text(RunContext& context, WindowDesktop& desktop, Step& step, intptr_t window) {
    save_result(context.services, step.options, field_text(step.variable), desktop.read_text(window), nullptr);
    return kStepSucceeded;
}
int activate(RunContext& context, WindowDesktop& desktop, Step&, intptr_t window) {
    desktop.activate(window);
    context.run.window_activated = true;
    return kStepSucceeded;
}
int press(RunContext& context, WindowDesktop& desktop, Step&, intptr_t window) {
    context.run.current_window = desktop.press(window);
    return kStepSucceeded;
}
int move(RunContext& context, WindowDesktop& desktop, Step& step, intptr_t window) {
    desktop.move(window, context.number_of(step.value[0]) - 1L, context.number_of(step.value[1]) - 1L);
    return kStepSucceeded;
}
int resize(RunContext& context, WindowDesktop& desktop, Step& step, intptr_t window) {
    desktop.resize(window, context.number_of(step.value[0]) - 1L, context.number_of(step.value[1]) - 1L);
    return kStepSucceeded;
}
int maximize(RunContext& context, WindowDesktop& desktop, Step&, intptr_t window) {
    desktop.maximize(window);
    context.run.window_activated = true;
    return kStepSucceeded;
}
int minimize(RunContext&, WindowDesktop& desktop, Step&, intptr_t window) {
    desktop.minimize_or_restore(window);
    return kStepSucceeded;
}
// Waits whole seconds for the window to go before forcing it.
int close(RunContext& context, WindowDesktop& desktop, Step& step, intptr_t window) {
    desktop.close(window, context.milliseconds_of(step.timeout) / 1000 * 1000);
    return kStepSucceeded;
}

using WindowAction = int (*)(RunContext&, WindowDesktop&, Step&, intptr_t);

// Finds the step's window (by its text, or under its image), makes it the current
// window and runs `action` on it; a null action finds the window and then fails.
int on_window(RunContext& context, Step& step, WindowAction action) {
    WindowDesktop& desktop = *context.desktop().windows;
    context.run.current_window = 0;
    if (step.text.empty()) return context.fail("Missing window information");
    const std::string specification = context.text_of(step.text);
    intptr_t window = 0;
    if (step.options & kCriterionBitmap) {
        std::string path;
        ProgramLookup lookup = program_lookup(context);
        resolve_program_path(lookup, specification, context.script.script_path, &path);
        if (context.desktop().files->state(path) != files::PathState::kFile) return context.fail("The file '%s' does not exist", path.c_str());
        if (!desktop.window_under_image(context, path, &window) || !window)
            return context.fail("Unable to find image '%s' on the screen", path.c_str());
        context.run.current_window = window;
    } else {
        // A text that expands to nothing names no window; searching with it would
        // match every window.
        if (specification.empty()) return context.fail("Missing window information");
        WindowMatchCounts counts;
        window = desktop.find_window(step_criteria(step.options), specification.c_str(), kModeAnyWindow, &counts);
        context.run.current_window = window;
        if (!window) return context.fail("Unable to find window '%s'", specification.c_str());
        if (context.services.store &&
            setting_number(*context.services.store, setting::kMultipleWindowError)) {
            if (counts.top_level > 1)
                return context.fail("There are %d top-level windows that match the search criteria", counts.top_level);
            if (counts.top_level == 0 && counts.child > 1)
                return context.fail("There are %d child windows that match the search criteria", counts.child);
        }
    }
    if (!action) return context.fail("Window '%s'found, but invalid action specified", specification.c_str());
    return action(context, desktop, step, window);
}

template <WindowAction action>
int window_step(RunContext& context, Step& step) {
    return on_window(context, step, action);
}

int invalid_action(RunContext& context, Step& step) { return on_window(context, step, nullptr); }

// "Minimize all Windows" and "Close all Windows" need no window description.
int all_windows(RunContext& context, Step& step) {
    context.run.current_window = 0;
    const std::string specification = context.text_of(step.text);
    uint32_t criteria =
        contains_ignore_case(field_text(step.action), "Minimize") ? kCriteriaMinimizeAll : kCriteriaCloseAll;
    context.desktop().windows->find_window(criteria, specification.c_str(), kModeAnyWindow, nullptr);
    return kStepSucceeded;
}

// The window conditions leave the current window alone; the waits set it to the
// window found (0 when none).
intptr_t find_titled(RunContext& context, Step& step, uint32_t mode) {
    return context.desktop().windows->find_window(kCriterionTitle, context.text_of(step.text).c_str(), mode, nullptr);
}

bool window_exists(RunContext& context, Step& step) { return find_titled(context, step, kModeFramedVisible) != 0; }
bool control_exists(RunContext& context, Step& step) { return find_titled(context, step, kModeAnyWindow) != 0; }
bool control_is_checked(RunContext& context, Step& step) {
    intptr_t control = find_titled(context, step, kModeAnyWindow);
    return control && context.desktop().windows->is_checked(control);
}

bool window_found(RunContext& context, Step& step) {
    intptr_t window = find_titled(context, step, kModeAnyWindow);
    context.run.current_window = window;
    return window && !context.desktop().windows->is_own_window(window);
}
bool window_appeared(RunContext& context, Step& step) { return window_found(context, step); }
bool window_disappeared(RunContext& context, Step& step) { return !window_found(context, step); }

const ActionRow kActions[] = {
    {"all Windows", all_windows},
    {"Set Window Style", window_step<set_window_style>},
    {"Get Text", window_step<get_text>},
    {"Activate", window_step<activate>},
    {"Press", window_step<press>},
    {"Move", window_step<move>},
    {"Resize", window_step<resize>},
    {"Maximize", window_step<maximize>},
    {"Minimize", window_step<minimize>},
    {"Close", window_step<close>},
};

const ConditionRow kIfConditions[] = {
    {"IF Window Exists", window_exists},
    {"IF Control Exists", control_exists},
    {"IF Control Is Checked", control_is_checked},
};

const ConditionRow kWaitConditions[] = {
    {"Wait for Window to Appear", window_appeared},
    {"Wait for Window to Disappear", window_disappeared},
};

}  // namespace

const ActionFamily kWindowsFamily =
    ActionFamily(2, "Windows/Controls", kActions, invalid_action).lending(kIfConditions, kWaitConditions);

}  // namespace zorbel
