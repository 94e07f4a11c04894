#include "actions/screen/screen_steps.h"

#include "actions/programs/program_paths.h"
#include "actions/screen/colour_names.h"
#include "actions/screen/screen_search.h"

namespace zorbel {

bool RunSearchEvents::stop_key_down() {
    KeyState* keys = context_.desktop().key_state;
    return keys && keys->key_down(context_.run.stop_key);
}

void RunSearchEvents::log_line(const std::string& line) { context_.log("%s", line.c_str()); }

ImageOnScreen find_image_for_run(RunContext& context, ScreenDesktop& screen, const std::string& path, bool masked) {
    RunSearchEvents events(context);
    ImageOnScreen out;
    out.found = FindImageOnScreen(screen, events, path, &out.x, &out.y, &out.width, &out.height, masked,
                                  context.detailed_log(), &out.error);
    return out;
}

bool if_pixel_is_visible(RunContext& context, Step& step) {
    return FindPixelOnScreen(*context.desktop().screen, ParseColour(field_text(step.value[0])), nullptr, nullptr);
}

bool if_image_is_visible(RunContext& context, Step& step) {
    const bool masked = contains_ignore_case(field_text(step.action), "Masked");
    const ImageOnScreen image = find_image_for_run(context, *context.desktop().screen, context.text_of(step.text), masked);
    if (!image.found && !image.error.empty()) context.log("\tImage Match Failed: %s\r\n", image.error.c_str());
    return image.found;
}

bool wait_for_pixel(RunContext& context, Step& step) {
    context.run.error_text.clear();
    return FindPixelOnScreen(*context.desktop().screen, ParseColour(context.text_of(step.value[0])), nullptr, nullptr);
}

bool wait_for_image(RunContext& context, Step& step) {
    ScreenDesktop& screen = *context.desktop().screen;
    const bool masked = contains_ignore_case(field_text(step.action), "Masked");
    std::string path;
    ProgramLookup lookup = program_lookup(context);
    resolve_program_path(lookup, context.text_of(step.text), context.script.script_path, &path);
    const ImageOnScreen image = find_image_for_run(context, screen, path, masked);
    context.run.error_text = image.error;
    return image.found;
}

}  // namespace zorbel
