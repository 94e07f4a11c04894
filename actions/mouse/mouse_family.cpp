// The Mouse family (5): moves, clicks, wheel turns, the saved position, and the image
// actions that move to or click on a bitmap found on the screen. It also lends the
// screen conditions of the IF and Wait steps (pixels and images).
#include "actions/mouse/mouse_family.h"

#include <string>
#include <string_view>

#include "actions/input/input_taken.h"
#include "actions/input/keyboard_desktop.h"
#include "actions/mouse/mouse_desktop.h"
#include "actions/mouse/mouse_glide.h"
#include "actions/programs/program_paths.h"
#include "actions/screen/screen_desktop.h"
#include "actions/screen/screen_steps.h"
#include "actions/windows/run_window.h"
#include "actions/windows/window_desktop.h"
#include "actions/families.h"
#include "engine/settings_store.h"

namespace zorbel {

namespace {

constexpr uint32_t kGlideStepMs = 25;
constexpr int kWindowCentre = 2;
constexpr int kWindowCorner = 1;

// The image actions, found by these parts of their names.
constexpr const char* kImageActions[] = {"Move to Image", "Move to Masked Image", "Click on Image",
                                         "Click on Masked Image"};

bool is_image_action(std::string_view name) {
    for (const char* action : kImageActions) {
        if (contains_ignore_case(name, action)) return true;
    }
    return false;
}

void click(MouseDesktop& desktop, uint32_t down, uint32_t up) {
    desktop.mouse_event(down, 0, 0, 0);
    desktop.mouse_event(up, 0, 0, 0);
}

// "Move to Control" and "Move to Window": the step ends once the pointer is there.
int move_to_window(RunContext& context, Step& step) {
    const std::string specification = context.text_of(step.text);
    WindowDesktop& windows = *context.desktop().windows;
    const intptr_t window =
        windows.find_window(step.options & kMouseCriteriaMask, specification.c_str(), kModeAnyWindow, nullptr);
    if (!window) return context.fail("Unable to find window '%s'", specification.c_str());
    windows.activate(window);
    const bool to_control = contains_ignore_case(field_text(step.action), "Move to Control");
    context.desktop().pointer->glide_to_window(window, to_control ? kWindowCentre : kWindowCorner,
                                               (step.options & kMouseShowMovement) != 0);
    return kStepSucceeded;
}

// The target of an image action: the centre of the image where it is shown.
int image_target(RunContext& context, ScreenDesktop& screen, std::string_view name, ScreenPoint* target) {
    const std::string file = context.expand(context.step().text);
    std::string path;
    ProgramLookup lookup = program_lookup(context);
    if (!resolve_program_path(lookup, file, context.script.script_path, &path))
        return context.fail("The file \"%s\" could not be found", file.c_str());
    const ImageOnScreen image = find_image_for_run(context, screen, path, contains_ignore_case(name, "Masked"));
    if (!image.error.empty()) return context.fail("%s", image.error.c_str());
    if (!image.found) return context.fail("The image \"%s\" could not be found on the screen", path.c_str());
    target->x = image.x + image.width / 2;
    target->y = image.y + image.height / 2;
    return kStepSucceeded;
}

void glide(RunContext& context, MouseDesktop& desktop, ScreenPoint target) {
    const ScreenPoint screen = desktop.screen_size();
    for (const ScreenPoint& at : glide_points(desktop.cursor_position(), target)) {
        const ScreenPoint absolute = absolute_mouse_coordinates(at, screen);
        desktop.mouse_event(kMouseMove | kMouseAbsolute, absolute.x, absolute.y, 0);
        context.clock().sleep(kGlideStepMs);
    }
}

// Puts the pointer on the target, which the options make relative to the current
// window or to the pointer.
void place_pointer(RunContext& context, MouseDesktop& desktop, std::string_view name, ScreenPoint target) {
    const uint32_t options = context.step().options;
    if (options & kMouseRelativeToWindow) {
        const intptr_t window = visible_current_window(context);
        WindowRect rect;
        if (window && context.desktop().windows->window_rect(window, &rect)) {
            target.x += rect.left;
            target.y += rect.top;
        }
    } else if (options & kMouseRelativeToPointer) {
        const ScreenPoint pointer = desktop.cursor_position();
        target.x += pointer.x;
        target.y += pointer.y;
    }
    // A click at position (1, 1) clicks where the pointer is; a return to a saved
    // position of (0, 0) still goes there.
    const bool stays = (options & kMouseStayInPlace) ||
                       (target.x == 0 && target.y == 0 && !contains_ignore_case(name, "Move") &&
                        !contains_ignore_case(name, "Return to Saved Position"));
    if (stays) {
        desktop.show_cursor();
        return;
    }
    if (options & kMouseShowMovement) glide(context, desktop, target);
    desktop.set_cursor_position(target.x, target.y);
}

// The button and wheel events of the actions, by a part of their names, in this order.
struct ButtonAction {
    const char* name;
    uint32_t events[2];  // mouse_event flags sent one after the other (0: none)
    int32_t wheel;       // the wheel's turn
    bool twice;          // a double click: the pair again after half the double-click time
};
constexpr ButtonAction kButtonActions[] = {
    {"Left Button Click", {kMouseLeftDown, kMouseLeftUp}, 0, false},
    {"Right Button Click", {kMouseRightDown, kMouseRightUp}, 0, false},
    {"Left Button Double-Click", {kMouseLeftDown, kMouseLeftUp}, 0, true},
    {"Left Button Down & Hold", {kMouseLeftDown, 0}, 0, false},
    {"Left Button Up", {kMouseLeftUp, 0}, 0, false},
    {"Mouse Wheel Up", {kMouseWheel, 0}, kWheelDelta, false},
    {"Mouse Wheel Down", {kMouseWheel, 0}, -kWheelDelta, false},
};

void send_events(MouseDesktop& desktop, const ButtonAction& action) {
    for (uint32_t flags : action.events)
        if (flags) desktop.mouse_event(flags, 0, 0, action.wheel);
}

// Whether the step sends button or wheel events.
bool sends_buttons(std::string_view name) {
    if (contains_ignore_case(name, "Click on Image") || contains_ignore_case(name, "Click on Masked Image")) return true;
    for (const ButtonAction& action : kButtonActions)
        if (contains_ignore_case(name, action.name)) return true;
    return false;
}

void act(RunContext& context, MouseDesktop& desktop, std::string_view name) {
    for (const ButtonAction& action : kButtonActions) {
        if (!contains_ignore_case(name, action.name)) continue;
        send_events(desktop, action);
        if (action.twice) {
            context.clock().sleep(desktop.double_click_time() / 2);
            send_events(desktop, action);
        }
        return;
    }
    if (contains_ignore_case(name, "Save Current Position")) {
        const ScreenPoint pointer = desktop.cursor_position();
        if (context.services.store) {
            write_setting_number(*context.services.store, kSavedPositionX, static_cast<int32_t>(pointer.x));
            write_setting_number(*context.services.store, kSavedPositionY, static_cast<int32_t>(pointer.y));
        }
    }
}

// The steps that place the pointer and then act; "Move to Control" and "Move to
// Window" place it by their own glide.
int mouse_step(RunContext& context, Step& step) {
    const std::string_view name = field_text(step.action);
    MouseDesktop& desktop = *context.desktop().pointer;
    ScreenPoint target;
    if (contains_ignore_case(name, "Return to Saved Position")) {
        if (context.services.store) {
            target.x = setting_number(*context.services.store, kSavedPositionX);
            target.y = setting_number(*context.services.store, kSavedPositionY);
        }
    } else if (is_image_action(name)) {
        if (image_target(context, *context.desktop().screen, name, &target) != kStepSucceeded) return kStepFailed;
    } else {
        // Positions count from 1 in the step.
        target.x = context.number_of(step.value[0]) - 1L;
        target.y = context.number_of(step.value[1]) - 1L;
    }

    if (!contains_ignore_case(name, "Save Current Position") && !contains_ignore_case(name, "Wheel"))
        place_pointer(context, desktop, name, target);
    // The clicks must reach the window under the pointer before the step ends: a
    // following activation would take the ones still queued away from it.
    const bool buttons = sends_buttons(name);
    const intptr_t clicked = buttons ? context.desktop().keyboard->window_under_pointer() : 0;
    if (contains_ignore_case(name, "Click on Image") || contains_ignore_case(name, "Click on Masked Image"))
        click(desktop, kMouseLeftDown, kMouseLeftUp);
    act(context, desktop, name);
    if (buttons) wait_until_input_taken(context, clicked, input_rounds(4));
    return kStepSucceeded;
}

const ActionRow kActions[] = {
    {"Move to Control", move_to_window},
    {"Move to Window", move_to_window},
};

const ConditionRow kIfConditions[] = {
    {"IF Pixel is Visible", if_pixel_is_visible},
    {"Image is Visible", if_image_is_visible},
};

const ConditionRow kWaitConditions[] = {
    {"Wait for Pixel", wait_for_pixel},
    {"Wait for Image", wait_for_image},
    {"Wait for Masked Image", wait_for_image},
};

}  // namespace

const ActionFamily kMouseFamily =
    ActionFamily(5, "Mouse", kActions, mouse_step).lending(kIfConditions, kWaitConditions);

}  // namespace zorbel
