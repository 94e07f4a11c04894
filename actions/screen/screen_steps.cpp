#include "actions/screen/screen_steps.h"

#include "actions/screen/colour_names.h"
#include "actions/screen/screen_search.h"

namespace zorbel {

bool RunSearchEvents::stop_key_down() { return context_.host.key_down(context_.run.stop_key); }

void RunSearchEvents::log_line(const std::string& line) { context_.log("%s", line.c_str()); }

ImageOnScreen find_image_for_run(RunContext& context, ScreenDesktop& screen, const std::string& path, bool masked) {
    RunSearchEvents events(context);
    ImageOnScreen out;
    out.found = FindImageOnScreen(screen, events, path, &out.x, &out.y, &out.width, &out.height, masked,
                                  context.detailed_log(), &out.error);
    return out;
}

bool if_pixel_is_visible_on(RunContext& context, ScreenDesktop& screen) {
    return FindPixelOnScreen(screen, ParseColour(field_text(context.step().value[0])), nullptr, nullptr);
}

bool if_image_is_visible_on(RunContext& context, ScreenDesktop& screen, bool masked) {
    const ImageOnScreen image = find_image_for_run(context, screen, context.expand(context.step().text), masked);
    if (!image.found && !image.error.empty()) context.log("\tImage Match Failed: %s\r\n", image.error.c_str());
    return image.found;
}

bool wait_for_pixel_on(RunContext& context, ScreenDesktop& screen) {
    context.run.error_text.clear();
    return FindPixelOnScreen(screen, ParseColour(context.expand(field_text(context.step().value[0]))), nullptr,
                             nullptr);
}

bool wait_for_image_on(RunContext& context, ScreenDesktop& screen, bool masked) {
    std::string path;
    screen.resolve_program_path(context.expand(context.step().text), context.script.script_path, &path);
    const ImageOnScreen image = find_image_for_run(context, screen, path, masked);
    context.run.error_text = image.error;
    return image.found;
}

bool if_pixel_is_visible(RunContext& context) { return if_pixel_is_visible_on(context, system_screen_desktop()); }
bool if_image_is_visible(RunContext& context, bool masked) {
    return if_image_is_visible_on(context, system_screen_desktop(), masked);
}
bool wait_for_pixel(RunContext& context) { return wait_for_pixel_on(context, system_screen_desktop()); }
bool wait_for_image(RunContext& context, bool masked) {
    return wait_for_image_on(context, system_screen_desktop(), masked);
}

}  // namespace zorbel
