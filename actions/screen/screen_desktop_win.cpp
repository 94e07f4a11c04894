// The real screen: one BitBlt per search, LoadImage for bitmap files, and the
// program search order for the image files named in steps.
#include <windows.h>

#include "actions/screen/bitmap_capture.h"
#include "actions/screen/screen_capture.h"
#include "actions/screen/screen_desktop.h"

namespace zorbel {

namespace {

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string folder_part(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string joined(std::string folder, const std::string& name) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder + name;
}

// The App Paths entry of a program: its "Path" value's first folder.
bool app_path_folder(const std::string& name, std::string* folder) {
    const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + name;
    HKEY h;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    char value[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    DWORD type = 0;
    const bool ok = RegQueryValueExA(h, "Path", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
                        ERROR_SUCCESS &&
                    (type == REG_SZ || type == REG_EXPAND_SZ);
    RegCloseKey(h);
    if (!ok || !exists(value)) return false;
    *folder = std::string(value).substr(0, std::string(value).find(';'));
    return true;
}

// The program search order: as given when it names a path, the App Paths, the
// current folder, the script's folder, the program's folder, the Windows and system
// folders, "C:\" and the system's search path.
bool resolve(const std::string& name, const std::string& script_path, std::string* out) {
    *out = name;
    if (name.size() >= MAX_PATH) return true;
    if (name.find('\\') != std::string::npos && exists(name)) return true;
    std::string candidates[8];
    int count = 0;
    std::string folder;
    if (app_path_folder(name, &folder)) candidates[count++] = joined(folder, name);
    char buffer[MAX_PATH + 1] = {};
    if (GetCurrentDirectoryA(MAX_PATH, buffer)) candidates[count++] = joined(buffer, name);
    if (!folder_part(script_path).empty()) candidates[count++] = joined(folder_part(script_path), name);
    if (GetModuleFileNameA(nullptr, buffer, MAX_PATH)) candidates[count++] = joined(folder_part(buffer), name);
    if (GetWindowsDirectoryA(buffer, MAX_PATH)) candidates[count++] = joined(buffer, name);
    if (GetSystemDirectoryA(buffer, MAX_PATH)) candidates[count++] = joined(buffer, name);
    candidates[count++] = "C:\\" + name;
    for (int i = 0; i < count; ++i) {
        if (exists(candidates[i])) {
            *out = candidates[i];
            return true;
        }
    }
    char* file_part = nullptr;
    if (!name.empty() && SearchPathA(nullptr, name.c_str(), nullptr, MAX_PATH, buffer, &file_part)) {
        *out = buffer;
        return true;
    }
    return false;
}

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
    bool resolve_program_path(const std::string& name, const std::string& script_path, std::string* out) override {
        return resolve(name, script_path, out);
    }

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
