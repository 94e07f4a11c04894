// The executors of the Windows/Controls family (2) and the Menu family (4), and the
// window tests that the IF and Wait executors call. The window description in a step's
// text is expanded here.
#pragma once
#include <string>

#include "core/step_record.h"
#include "engine/run_context.h"

namespace zorbel {

class WindowDesktop;

// Family 2: "Activate", "Press Button/Control", "Get Text", "Move Window", "Resize",
// "Maximize", "Minimize/Restore", "Close Window", "Set Window Style",
// "Minimize all Windows", "Close all Windows".
int execute_windows_family(RunContext& context);
// Family 4: "Select Menu Item", "Select System Menu", and "Show Popup Menu", whose
// menu the user prompts show (see set_popup_menu_function).
int execute_menu_family(RunContext& context);

// For the IF executor: whether the condition of "IF Window Exists" (a framed,
// visible window whose title contains the text), "IF Control Exists" (any window
// or control) or "IF Control Is Checked" holds for `step`, chosen by its action
// name. The current window is left alone. False for any other action.
bool window_condition(RunContext& context, const Step& step);

// For the Wait executor: whether "Wait for Window to Appear" (a window whose title
// contains the text exists and is not one of the program's own) or "Wait for Window
// to Disappear" (none exists) is satisfied now; either sets the current window to
// the window found (0 when none). False for any other action.
bool window_wait_satisfied(RunContext& context, const Step& step);

// "Show Popup Menu" shows its menu through the user prompts' popup menu: the
// program sets the function (it returns the chosen line from 1, 0 when none was
// chosen). Without one the step fails as not available.
using PopupMenuFunction = int (*)(const std::string& text);
void set_popup_menu_function(PopupMenuFunction function);

// The line `choice` (from 1) of a popup menu's text, split at line feeds, without
// trailing line feeds and carriage returns; empty for 0 or a line that is not there.
std::string popup_menu_line(const std::string& text, int choice);

// The same, against a given desktop (native tests use a fake).
int run_window_step(RunContext& context, WindowDesktop& desktop);
int run_menu_step(RunContext& context, WindowDesktop& desktop);
bool window_condition_on(RunContext& context, const Step& step, WindowDesktop& desktop);
bool window_wait_satisfied_on(RunContext& context, const Step& step, WindowDesktop& desktop);

}  // namespace zorbel
