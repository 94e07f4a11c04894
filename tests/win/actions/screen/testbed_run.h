// The test program zbtestbed.exe for the mouse and screen tests: started with its event
// log, found by its window, waited for until it is shown (and painted), and ended by its
// process handle; zorbel.exe runs beside it. Also the test images made from the picture
// it draws.
//
// Tests that place the pointer run both programs on Wine's desktop "root", the X
// screen itself: inside Wine's virtual desktop (the default one) a pointer placed by
// SetCursorPos can spring back to an earlier place, and now and then stays there.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "actions/screen/bmp_format.h"
#include "actions/screen/pixel_buffer.h"
#include "tests/testbed/testbed_ids.h"
#include "tests/win/e2e/program_runner.h"

namespace zorbel {
namespace screen_tests {

// Every wait for the other process ends after this long.
constexpr DWORD kDeadlineMs = 10000;
constexpr DWORD kPollMs = 20;
// The desktop without Wine's virtual desktop, for the tests that place the pointer.
constexpr char kRootDesktop[] = "root";

// Starts a program on `desktop` (null: the caller's own); the process handle, or null.
inline HANDLE start_program(const std::string& command, const char* desktop) {
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.lpDesktop = const_cast<char*>(desktop);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

// Starts `zorbel.exe /L /r <script> <extra>` on `desktop` with the run log going to
// `log_file`, without waiting; the process handle, or null.
inline HANDLE start_zorbel_on(const char* desktop, const std::string& script, const std::string& extra,
                              const std::string& log_file) {
    DeleteFileA(log_file.c_str());
    e2e::set_setting_text("Logfile", log_file);
    return start_program("\"" + e2e::build_folder() + "\\zorbel.exe\" /L /r \"" + script + "\" " + extra, desktop);
}

// The same, waiting for the run (ending it after `wait_ms`) and reading its log.
inline e2e::ProgramRun run_zorbel_on(const char* desktop, const std::string& script, const std::string& extra,
                                     const std::string& log_file, DWORD wait_ms = 30000) {
    e2e::ProgramRun run;
    HANDLE process = start_zorbel_on(desktop, script, extra, log_file);
    if (!process) return run;
    run.started = true;
    if (WaitForSingleObject(process, wait_ms) != WAIT_OBJECT_0) {
        run.timed_out = true;
        TerminateProcess(process, 255);
        WaitForSingleObject(process, 5000);
    }
    GetExitCodeProcess(process, &run.exit_code);
    CloseHandle(process);
    run.log = e2e::read_file(log_file);
    return run;
}

inline std::string module_folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\'));
}

inline std::string read_whole_file(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string();
    std::string text;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof(buffer), &got, nullptr) && got > 0) text.append(buffer, got);
    CloseHandle(h);
    return text;
}

inline bool write_whole_file(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(h);
    return ok;
}

// A temporary folder of one test, emptied first (files only).
inline std::string fresh_folder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "zorbel_screen_" + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + "\\" + data.cFileName).c_str());
        } while (FindNextFileA(h, &data));
        FindClose(h);
    }
    return folder;
}

// The testbed's pattern, pixel for pixel, and the same framed by `frame` pixels of the
// mask colour.
inline PixelBuffer testbed_pattern() {
    PixelBuffer p(testbed::kPatternWidth, testbed::kPatternHeight);
    for (int32_t y = 0; y < p.height; ++y)
        for (int32_t x = 0; x < p.width; ++x) {
            const testbed::Rgb c = testbed::pattern_pixel(x, y);
            p.at(x, y) = rgb_colour(c.r, c.g, c.b);
        }
    return p;
}

inline PixelBuffer framed_pattern(int32_t frame) {
    const PixelBuffer pattern = testbed_pattern();
    PixelBuffer p(pattern.width + 2 * frame, pattern.height + 2 * frame, kMaskColour);
    for (int32_t y = 0; y < pattern.height; ++y)
        for (int32_t x = 0; x < pattern.width; ++x) p.at(x + frame, y + frame) = pattern.at(x, y);
    return p;
}

// A tiny valid GIF picture (1 x 1): a file the bitmap loader refuses.
inline std::string tiny_gif() {
    static const unsigned char bytes[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF,
                                          0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3B};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof(bytes));
}

class TestbedRun {
public:
    // `desktop` null: the caller's desktop, where the test also waits for the picture.
    explicit TestbedRun(const char* desktop = nullptr) : desktop_(desktop) {
        folder_ = fresh_folder("testbed");
        log_path_ = folder_ + "\\events.txt";
        DeleteFileA(log_path_.c_str());
    }
    ~TestbedRun() {
        if (process_) {
            if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
            WaitForSingleObject(process_, kDeadlineMs);
            CloseHandle(process_);
        }
    }
    TestbedRun(const TestbedRun&) = delete;
    TestbedRun& operator=(const TestbedRun&) = delete;

    // Starts the testbed, waits for READY and for its picture to be on the screen.
    ::testing::AssertionResult start() {
        std::string exe = module_folder() + "\\" + testbed::kExeName;
        if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES)
            exe = module_folder() + "\\..\\" + testbed::kExeName;
        process_ = start_program("\"" + exe + "\" /log \"" + log_path_ + "\"", desktop_);
        if (!process_) return ::testing::AssertionFailure() << "cannot start " << exe << ", error " << GetLastError();
        const DWORD begin = GetTickCount();
        while (GetTickCount() - begin < kDeadlineMs) {
            const std::string log = read_whole_file(log_path_);
            const size_t ready = log.find("READY hwnd=");
            if (ready != std::string::npos && log.find('\n', ready) != std::string::npos) {
                unsigned long hwnd = 0;
                long l, t, r, b;
                int w, h;
                if (std::sscanf(log.c_str() + ready, "READY hwnd=%lu pid=%*u window=%ld,%ld,%ld,%ld client=%ld,%ld,%d,%d",
                                &hwnd, &l, &t, &r, &b, &origin_.x, &origin_.y, &w, &h) == 9) {
                    window_ = reinterpret_cast<HWND>(static_cast<UINT_PTR>(hwnd));
                    window_rect_ = RECT{l, t, r, b};
                    cursor_ = log.find('\n', ready) + 1;
                    // Another desktop cannot be looked at from here.
                    return desktop_ ? ::testing::AssertionSuccess() : wait_painted();
                }
            }
            if (WaitForSingleObject(process_, kPollMs) == WAIT_OBJECT_0)
                return ::testing::AssertionFailure() << "the testbed ended early; log:\n" << read_whole_file(log_path_);
        }
        return ::testing::AssertionFailure() << "no READY line; log:\n" << read_whole_file(log_path_);
    }

    HWND window() const { return window_; }
    POINT client_origin() const { return origin_; }
    RECT window_rect() const { return window_rect_; }
    // Screen position of a client point.
    POINT on_screen(int x, int y) const { return POINT{origin_.x + x, origin_.y + y}; }
    std::string log() const { return read_whole_file(log_path_); }

    // Waits for the next line that starts with `prefix`; the line goes to `line`.
    ::testing::AssertionResult next_line_starting(const std::string& prefix, std::string* line,
                                                  DWORD deadline_ms = kDeadlineMs) {
        const DWORD begin = GetTickCount();
        for (;;) {
            const std::string text = log();
            size_t at = cursor_;
            for (size_t nl; (nl = text.find('\n', at)) != std::string::npos; at = nl + 1) {
                if (text.compare(at, prefix.size(), prefix) == 0) {
                    *line = text.substr(at, nl - at);
                    cursor_ = nl + 1;
                    return ::testing::AssertionSuccess();
                }
            }
            if (GetTickCount() - begin >= deadline_ms) break;
            Sleep(kPollMs);
        }
        return ::testing::AssertionFailure() << "no line starting \"" << prefix << "\" within " << deadline_ms
                                             << " ms; log:\n" << log();
    }
    // The mouse button and wheel lines from here on (within `wait_ms`), without their screen coordinates.
    std::vector<std::string> mouse_lines(DWORD wait_ms = 300) {
        Sleep(wait_ms);
        std::vector<std::string> out;
        const std::string text = log();
        size_t at = cursor_;
        for (size_t nl; (nl = text.find('\n', at)) != std::string::npos; at = nl + 1) {
            std::string line = text.substr(at, nl - at);
            cursor_ = nl + 1;
            if (line.find("BUTTON") == std::string::npos && line.rfind("MOUSEWHEEL", 0) != 0) continue;
            if (line.rfind("BUTTON ", 0) == 0) continue;
            const size_t sx = line.find(" sx=");
            out.push_back(sx == std::string::npos ? line : line.substr(0, sx));
        }
        return out;
    }

private:
    // The window is shown before its first paint: wait until the spot is on the screen.
    ::testing::AssertionResult wait_painted() {
        const DWORD begin = GetTickCount();
        HDC screen = GetDC(nullptr);
        const COLORREF spot = RGB(testbed::kSpotColour.r, testbed::kSpotColour.g, testbed::kSpotColour.b);
        bool painted = false;
        while (!painted && GetTickCount() - begin < kDeadlineMs) {
            painted = GetPixel(screen, origin_.x + testbed::kSpotX, origin_.y + testbed::kSpotY) == spot;
            if (!painted) Sleep(kPollMs);
        }
        ReleaseDC(nullptr, screen);
        if (!painted) return ::testing::AssertionFailure() << "the testbed's picture never appeared";
        return ::testing::AssertionSuccess();
    }

    const char* desktop_;
    std::string folder_, log_path_;
    HANDLE process_ = nullptr;
    HWND window_ = nullptr;
    RECT window_rect_ = {};
    POINT origin_ = {};
    size_t cursor_ = 0;
};

}  // namespace screen_tests
}  // namespace zorbel
