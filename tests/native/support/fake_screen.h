// The fake desktop's screen: a pixel buffer for the screen and bitmap "files" by path
// (added to the fake file system, so the program path search finds them).
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "actions/screen/screen_desktop.h"

namespace zorbel {

class FakeScreen : public ScreenDesktop {
public:
    PixelBuffer screen{64, 48, 0x202020};
    bool capture_fails = false;
    std::map<std::string, PixelBuffer> bitmaps;  // full path -> pixels
    std::set<std::string>* files = nullptr;      // the fake file system's files
    std::string folder = "C:\\scripts";          // the tests' script folder
    int captures = 0;
    std::vector<std::string> priority;           // "idle", "restored"
    std::vector<std::string> captured_files;     // "window|path"

    // Adds a bitmap file in the image folder; returns its full path.
    std::string add_bitmap(const std::string& name, const PixelBuffer& pixels) {
        const std::string path = folder + "\\" + name;
        bitmaps[path] = pixels;
        if (files) files->insert(path);
        return path;
    }

    const PixelBuffer* capture_screen() override {
        ++captures;
        return capture_fails ? nullptr : &screen;
    }
    bool load_bitmap(const std::string& path, PixelBuffer* out) override {
        auto it = bitmaps.find(path);
        if (it == bitmaps.end()) return false;
        *out = it->second;
        return true;
    }
    void search_priority(bool searching) override { priority.push_back(searching ? "idle" : "restored"); }
    bool capture_to_file(intptr_t window, const std::string& path) override {
        captured_files.push_back(std::to_string(static_cast<long long>(window)) + "|" + path);
        return !capture_fails;
    }
};

inline void paste_pixels(PixelBuffer* onto, const PixelBuffer& image, int32_t x, int32_t y) {
    for (int32_t j = 0; j < image.height; ++j)
        for (int32_t i = 0; i < image.width; ++i) onto->at(x + i, y + j) = image.at(i, j);
}

}  // namespace zorbel
