// Natively there is no screen: captures and bitmap files fail.
#include "actions/screen/screen_desktop.h"

namespace zorbel {

namespace {

class NoScreen : public ScreenDesktop {
public:
    const PixelBuffer* capture_screen() override { return nullptr; }
    bool load_bitmap(const std::string&, PixelBuffer*) override { return false; }
    void search_priority(bool) override {}
    bool capture_to_file(intptr_t, const std::string&) override { return false; }
};

}  // namespace

ScreenDesktop& system_screen_desktop() {
    static NoScreen screen;
    return screen;
}

}  // namespace zorbel
