#include "actions/mouse/mouse_step.h"

#include <string>
#include <string_view>

#include "actions/mouse/mouse_desktop.h"
#include "actions/mouse/mouse_glide.h"
#include "actions/screen/screen_desktop.h"
#include "actions/screen/screen_steps.h"
#include "engine/settings_store.h"

namespace zorbel {

namespace {

constexpr uint32_t kGlideStepMs = 25;
constexpr uint32_t kForegroundSettleMs = 250;
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
int move_to_window(RunContext& context, MouseDesktop& desktop, std::string_view name) {
    const Step& step = context.step();
    const std::string specification = context.expand(step.text);
    const intptr_t window = desktop.find_window(step.options & kMouseCriteriaMask, specification);
    if (!window) return context.fail("Unable to find window '%s'", specification.c_str());
    desktop.activate_window(window);
    desktop.glide_to_window(window, contains_ignore_case(name, "Move to Control") ? kWindowCentre : kWindowCorner,
                            (step.options & kMouseShowMovement) != 0);
    return kStepSucceeded;
}

// The target of an image action: the centre of the image where it is shown.
int image_target(RunContext& context, ScreenDesktop& screen, std::string_view name, ScreenPoint* target) {
    const std::string file = context.expand(context.step().text);
    std::string path;
    if (!screen.resolve_program_path(file, context.script.script_path, &path))
        return context.fail("The file \"%s\" could not be found", file.c_str());
    const ImageOnScreen image = find_image_for_run(context, screen, path, contains_ignore_case(name, "Masked"));
    if (!image.error.empty()) return context.fail("%s", image.error.c_str());
    if (!image.found) return context.fail("The image \"%s\" could not be found on the screen", path.c_str());
    target->x = image.x + image.width / 2;
    target->y = image.y + image.height / 2;
    return kStepSucceeded;
}

void glide(MouseDesktop& desktop, ScreenPoint target) {
    const ScreenPoint screen = desktop.screen_size();
    for (const ScreenPoint& at : glide_points(desktop.cursor_position(), target)) {
        const ScreenPoint absolute = absolute_mouse_coordinates(at, screen);
        desktop.mouse_event(kMouseMove | kMouseAbsolute, absolute.x, absolute.y, 0);
        desktop.sleep(kGlideStepMs);
    }
}

// Puts the pointer on the target, which the options make relative to the current
// window or to the pointer.
void place_pointer(RunContext& context, MouseDesktop& desktop, std::string_view name, ScreenPoint target) {
    const uint32_t options = context.step().options;
    if (options & kMouseRelativeToWindow) {
        intptr_t window = desktop.current_window();
        if (!window || !desktop.is_visible_window(window)) {
            desktop.sleep(kForegroundSettleMs);
            window = desktop.foreground_window();
            desktop.set_current_window(window);
        }
        WindowRect rect;
        if (window && desktop.window_rect(window, &rect)) {
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
    if (options & kMouseShowMovement) glide(desktop, target);
    desktop.set_cursor_position(target.x, target.y);
}

void act(RunContext& context, MouseDesktop& desktop, std::string_view name) {
    if (contains_ignore_case(name, "Left Button Click")) {
        click(desktop, kMouseLeftDown, kMouseLeftUp);
    } else if (contains_ignore_case(name, "Right Button Click")) {
        click(desktop, kMouseRightDown, kMouseRightUp);
    } else if (contains_ignore_case(name, "Left Button Double-Click")) {
        click(desktop, kMouseLeftDown, kMouseLeftUp);
        desktop.sleep(desktop.double_click_time() / 2);
        click(desktop, kMouseLeftDown, kMouseLeftUp);
    } else if (contains_ignore_case(name, "Left Button Down & Hold")) {
        desktop.mouse_event(kMouseLeftDown, 0, 0, 0);
    } else if (contains_ignore_case(name, "Left Button Up")) {
        desktop.mouse_event(kMouseLeftUp, 0, 0, 0);
    } else if (contains_ignore_case(name, "Mouse Wheel Up")) {
        desktop.mouse_event(kMouseWheel, 0, 0, kWheelDelta);
    } else if (contains_ignore_case(name, "Mouse Wheel Down")) {
        desktop.mouse_event(kMouseWheel, 0, 0, -kWheelDelta);
    } else if (contains_ignore_case(name, "Save Current Position")) {
        const ScreenPoint pointer = desktop.cursor_position();
        if (context.services.store) {
            write_setting_number(*context.services.store, kSavedPositionX, static_cast<int32_t>(pointer.x));
            write_setting_number(*context.services.store, kSavedPositionY, static_cast<int32_t>(pointer.y));
        }
    }
}

}  // namespace

int RunMouseStep(RunContext& context, MouseDesktop& desktop, ScreenDesktop& screen) {
    const Step& step = context.step();
    const std::string_view name = field_text(step.action);

    ScreenPoint target;
    if (contains_ignore_case(name, "Return to Saved Position")) {
        if (context.services.store) {
            target.x = setting_number(*context.services.store, kSavedPositionX);
            target.y = setting_number(*context.services.store, kSavedPositionY);
        }
    } else if (contains_ignore_case(name, "Move to Control") || contains_ignore_case(name, "Move to Window")) {
        return move_to_window(context, desktop, name);
    } else if (is_image_action(name)) {
        if (image_target(context, screen, name, &target) != kStepSucceeded) return kStepFailed;
    } else {
        // Positions count from 1 in the step.
        target.x = text_to_number(context.expand(field_text(step.value[0]))) - 1L;
        target.y = text_to_number(context.expand(field_text(step.value[1]))) - 1L;
    }

    if (!contains_ignore_case(name, "Save Current Position") && !contains_ignore_case(name, "Wheel")) {
        place_pointer(context, desktop, name, target);
        if (contains_ignore_case(name, "Click on Image") || contains_ignore_case(name, "Click on Masked Image"))
            click(desktop, kMouseLeftDown, kMouseLeftUp);
    }
    act(context, desktop, name);
    return kStepSucceeded;
}

int execute_mouse_family(RunContext& context) {
    return RunMouseStep(context, system_mouse_desktop(), system_screen_desktop());
}

}  // namespace zorbel
