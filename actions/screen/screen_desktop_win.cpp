// The real screen: one BitBlt per search, LoadImage for bitmap files.
#include <windows.h>

#include "actions/screen/bitmap_capture.h"
#include "actions/screen/screen_capture.h"
#include "actions/screen/screen_desktop.h"

namespace zorbel {

namespace {

class SystemScreen : public ScreenDesktop {
public:
    const PixelBuffer* capture_screen() override { return grabber_.grab(); }
    bool load_bitmap(const std::string& path, PixelBuffer* out) override { return load_bitmap_pixels(path, out); }
    void search_priority(bool searching) override {
        if (searching) {
            saved_priority_ = GetPriorityClass(GetCurrentProcess());
            SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS);
        } else if (saved_priority_) {
            SetPriorityClass(GetCurrentProcess(), saved_priority_);
            saved_priority_ = 0;
        }
    }
    bool capture_to_file(intptr_t window, const std::string& path) override { return CaptureToBitmapFile(window, path); }

private:
    DWORD saved_priority_ = 0;
    ScreenGrabber grabber_;
};

}  // namespace

ScreenDesktop& system_screen_desktop() {
    static SystemScreen screen;
    return screen;
}

}  // namespace zorbel
