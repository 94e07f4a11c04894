// The Windows/Controls and Menu executors and the window tests of the IF and Wait
// steps. Everything that touches the desktop goes through WindowDesktop.
#include "actions/windows/window_steps.h"

#include "actions/windows/window_desktop.h"
#include "actions/windows/window_run_state.h"
#include "core/text_rules.h"
#include "engine/settings_store.h"
#include "engine/variables.h"

namespace zorbel {

namespace {

PopupMenuFunction g_popup_menu = nullptr;

// A step without any criterion bit searches by title, so that it can never match
// whatever window happens to come last.
uint32_t step_criteria(uint32_t options) {
    uint32_t criteria = options & kCriteriaMask;
    return criteria ? criteria : kCriterionTitle;
}

// The action part of a window step once its window is known.
int act_on_window(RunContext& context, WindowDesktop& desktop, Step& step, intptr_t window,
                  const std::string& specification) {
    const std::string_view name = field_text(step.action);
    WindowRunState& state = window_run_state();
    if (contains_ignore_case(name, "Set Window Style")) {
        desktop.set_style(window, find_window_style(field_text(step.value[0])));
    } else if (contains_ignore_case(name, "Get Text")) {
        save_result(context.services, step.options, field_text(step.variable), desktop.read_text(window),
                    nullptr);
    } else if (contains_ignore_case(name, "Activate")) {
        desktop.activate(window);
        state.window_activated = true;
    } else if (contains_ignore_case(name, "Press")) {
        state.current_window = desktop.press(window);
    } else if (contains_ignore_case(name, "Move")) {
        long x = text_to_number(context.expand(field_text(step.value[0]))) - 1L;
        long y = text_to_number(context.expand(field_text(step.value[1]))) - 1L;
        desktop.move(window, x, y);
    } else if (contains_ignore_case(name, "Resize")) {
        long width = text_to_number(context.expand(field_text(step.value[0]))) - 1L;
        long height = text_to_number(context.expand(field_text(step.value[1]))) - 1L;
        desktop.resize(window, width, height);
    } else if (contains_ignore_case(name, "Maximize")) {
        desktop.maximize(window);
        state.window_activated = true;
    } else if (contains_ignore_case(name, "Minimize")) {
        desktop.minimize_or_restore(window);
    } else if (contains_ignore_case(name, "Close")) {
        double seconds = decimal_from_text(context.expand(field_text(step.timeout)));
        uint32_t whole = seconds > 0 ? static_cast<uint32_t>(seconds < 4000000.0 ? seconds : 4000000.0) : 0;
        desktop.close(window, whole * 1000);
    } else {
        return context.fail("Window '%s'found, but invalid action specified", specification.c_str());
    }
    return kStepSucceeded;
}

}  // namespace

int run_window_step(RunContext& context, WindowDesktop& desktop) {
    Step& step = context.step();
    const std::string_view name = field_text(step.action);
    WindowRunState& state = window_run_state();
    state.current_window = 0;
    const bool all_windows = contains_ignore_case(name, "all Windows");
    if (step.text.empty() && !all_windows) return context.fail("Missing window information");
    const std::string specification = context.expand(step.text);

    if (step.options & kCriterionBitmap) {
        std::string path = desktop.resolve_image_path(specification, context.script.script_path);
        if (!desktop.file_exists(path)) return context.fail("The file '%s' does not exist", path.c_str());
        intptr_t window = 0;
        if (!desktop.window_under_image(context, path, &window) || !window)
            return context.fail("Unable to find image '%s' on the screen", path.c_str());
        state.current_window = window;
        return act_on_window(context, desktop, step, window, specification);
    }

    if (all_windows) {
        uint32_t criteria = contains_ignore_case(name, "Minimize") ? kCriteriaMinimizeAll : kCriteriaCloseAll;
        desktop.find_window(criteria, specification.c_str(), kModeAnyWindow, nullptr);
        return kStepSucceeded;
    }
    // A text that expands to nothing names no window; searching with it would match
    // every window.
    if (specification.empty()) return context.fail("Missing window information");

    WindowMatchCounts counts;
    intptr_t window = desktop.find_window(step_criteria(step.options), specification.c_str(), kModeAnyWindow, &counts);
    state.current_window = window;
    if (!window) return context.fail("Unable to find window '%s'", specification.c_str());
    if (context.services.store && setting_number(*context.services.store, "SOFTWARE\\Zorbel\\MultipleWindowError")) {
        if (counts.top_level > 1)
            return context.fail("There are %d top-level windows that match the search criteria", counts.top_level);
        if (counts.top_level == 0 && counts.child > 1)
            return context.fail("There are %d child windows that match the search criteria", counts.child);
    }
    return act_on_window(context, desktop, step, window, specification);
}

void set_popup_menu_function(PopupMenuFunction function) { g_popup_menu = function; }

std::string popup_menu_line(const std::string& text, int choice) {
    if (choice < 1) return std::string();
    size_t start = 0;
    for (int line = 1; line < choice; ++line) {
        size_t feed = text.find('\n', start);
        if (feed == std::string::npos) return std::string();
        start = feed + 1;
    }
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
}

int run_menu_step(RunContext& context, WindowDesktop& desktop) {
    Step& step = context.step();
    const std::string_view name = field_text(step.action);
    const std::string path = context.expand(step.text);
    if (contains_ignore_case(name, "Show Popup Menu")) {
        if (!g_popup_menu)
            return context.fail("The action \"%s\" is not available in this version of Zorbel", step.action);
        save_result(context.services, step.options, field_text(step.variable), popup_menu_line(path, g_popup_menu(path)),
                    nullptr);
        return kStepSucceeded;
    }
    WindowRunState& state = window_run_state();
    if (!state.current_window) {
        desktop.sleep(250);
        state.current_window = desktop.foreground_window();
    }
    const intptr_t window = state.current_window;
    if (contains_ignore_case(name, "Select System Menu")) {
        desktop.select_system_menu_item(window, path);
        return kStepSucceeded;
    }
    if (desktop.select_menu_path(window, path, true) != 0) return kStepSucceeded;
    if (desktop.select_menu_by_keys(window, path)) return kStepSucceeded;
    return context.fail("Unable to find menu '%s'", path.c_str());
}

bool window_condition_on(RunContext& context, const Step& step, WindowDesktop& desktop) {
    const std::string_view name = field_text(step.action);
    const std::string specification = context.expand(step.text);
    if (contains_ignore_case(name, "IF Window Exists"))
        return desktop.find_window(kCriterionTitle, specification.c_str(), kModeFramedVisible, nullptr) != 0;
    if (contains_ignore_case(name, "IF Control Exists"))
        return desktop.find_window(kCriterionTitle, specification.c_str(), kModeAnyWindow, nullptr) != 0;
    if (contains_ignore_case(name, "IF Control Is Checked")) {
        intptr_t control = desktop.find_window(kCriterionTitle, specification.c_str(), kModeAnyWindow, nullptr);
        return control && desktop.is_checked(control);
    }
    return false;
}

bool window_wait_satisfied_on(RunContext& context, const Step& step, WindowDesktop& desktop) {
    const std::string_view name = field_text(step.action);
    const bool appear = contains_ignore_case(name, "Wait for Window to Appear");
    if (!appear && !contains_ignore_case(name, "Wait for Window to Disappear")) return false;
    const std::string specification = context.expand(step.text);
    intptr_t window = desktop.find_window(kCriterionTitle, specification.c_str(), kModeAnyWindow, nullptr);
    window_run_state().current_window = window;
    const bool found = window && !desktop.is_own_window(window);
    return appear ? found : !found;
}

int execute_windows_family(RunContext& context) { return run_window_step(context, system_window_desktop()); }
int execute_menu_family(RunContext& context) { return run_menu_step(context, system_window_desktop()); }
bool window_condition(RunContext& context, const Step& step) {
    return window_condition_on(context, step, system_window_desktop());
}
bool window_wait_satisfied(RunContext& context, const Step& step) {
    return window_wait_satisfied_on(context, step, system_window_desktop());
}

}  // namespace zorbel
