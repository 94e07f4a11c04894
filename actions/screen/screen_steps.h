// The screen searches as steps use them: the run log takes the search's lines, the
// run's stop key ends a search, "LogLevel" chooses the detailed lines, and image
// paths are resolved against the open script's folder. Also the conditions that the
// IF and Wait executors call.
#pragma once
#include <cstdint>
#include <string>

#include "actions/screen/image_matcher.h"
#include "actions/screen/screen_desktop.h"
#include "engine/run_context.h"

namespace zorbel {

// The run's side of a search: log lines into the run log, the run's stop key.
class RunSearchEvents : public ImageMatchEvents {
public:
    explicit RunSearchEvents(RunContext& context) : context_(context) {}
    bool stop_key_down() override;
    void log_line(const std::string& line) override;

private:
    RunContext& context_;
};

struct ImageOnScreen {
    bool found = false;
    int32_t x = 0, y = 0;           // top-left corner
    int32_t width = 0, height = 0;  // image size (0 when the file did not load)
    std::string error;              // why the file could not be used; "" otherwise
};

// `FindImageOnScreen` for a step of the run, `path` as given (not resolved).
ImageOnScreen find_image_for_run(RunContext& context, ScreenDesktop& screen, const std::string& path, bool masked);

// The screen conditions, lent to the IF and Wait steps by the Mouse family.
// "IF Pixel is Visible": the colour named by the step's value1, taken as it stands.
bool if_pixel_is_visible(RunContext& context, Step& step);
// "IF Image is Visible" and "IF Masked Image is Visible": the image named by the
// expanded text. When it is not found and the search gave a reason, logs
// "\tImage Match Failed: %s\r\n" (the step itself succeeds either way).
bool if_image_is_visible(RunContext& context, Step& step);
// "Wait for Pixel": the colour named by the expanded value1 is on the screen. The
// error text is cleared: a wait that is not yet satisfied has no reason to give.
bool wait_for_pixel(RunContext& context, Step& step);
// "Wait for Image to Appear" and "Wait for Masked Image": the image named by the
// expanded text, resolved against the script's folder, is on the screen. The error
// text holds why the file could not be used, and is empty otherwise.
bool wait_for_image(RunContext& context, Step& step);

}  // namespace zorbel
