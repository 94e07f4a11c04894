// zbtestbed.exe started by a test, with its event log read through a cursor: waits for
// the next line that matches, and for the process's end. Ended by its handle and its
// folder removed when the object goes.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/testbed/testbed_ids.h"
#include "tests/win/support/child_process.h"
#include "tests/win/support/temp_folder.h"
#include "tests/win/support/wait.h"

namespace zorbel {
namespace wintest {

// The desktop without Wine's virtual desktop, for the tests that place the pointer: inside
// the virtual desktop a pointer placed by SetCursorPos can spring back to an earlier place.
constexpr char kRootDesktop[] = "root";

class Testbed {
public:
    // Starts the testbed with `args` on `desktop` and waits for its READY line.
    ::testing::AssertionResult start(const std::string& args = "", const char* desktop = nullptr) {
        ::testing::AssertionResult started = launch(args, desktop);
        if (!started) return started;
        std::string ready;
        started = next_line_starting("READY ", &ready);
        if (!started) return started;
        unsigned long hwnd = 0;
        if (std::sscanf(ready.c_str(), "READY hwnd=%lu pid=%*u window=%ld,%ld,%ld,%ld client=%ld,%ld", &hwnd,
                        &window_rect_.left, &window_rect_.top, &window_rect_.right, &window_rect_.bottom, &origin_.x,
                        &origin_.y) != 7)
            return ::testing::AssertionFailure() << "unreadable " << ready;
        window_ = reinterpret_cast<HWND>(static_cast<UINT_PTR>(hwnd));
        ready_ = ready;
        return ::testing::AssertionSuccess();
    }
    // Starts it without waiting for anything.
    ::testing::AssertionResult launch(const std::string& args = "", const char* desktop = nullptr) {
        return process_.start("\"" + built_program(testbed::kExeName) + "\" /log \"" + log_path_ + "\" " + args,
                              desktop);
    }
    // The window is shown before its first paint: waits until its spot is on this desktop's screen.
    ::testing::AssertionResult wait_painted() {
        const COLORREF spot = RGB(testbed::kSpotColour.r, testbed::kSpotColour.g, testbed::kSpotColour.b);
        return wait_for("the testbed's spot colour", [&] {
            HDC screen = GetDC(nullptr);
            COLORREF c = GetPixel(screen, origin_.x + testbed::kSpotX, origin_.y + testbed::kSpotY);
            ReleaseDC(nullptr, screen);
            return static_cast<unsigned long>(c);
        }, [&](unsigned long c) { return c == spot; });
    }

    HWND window() const { return window_; }
    HWND control(int id) const { return GetDlgItem(window_, id); }
    ChildProcess& process() { return process_; }
    const std::string& ready_line() const { return ready_; }
    POINT client_origin() const { return origin_; }
    RECT window_rect() const { return window_rect_; }
    POINT on_screen(int x, int y) const { return POINT{origin_.x + x, origin_.y + y}; }
    bool running() const { return process_.running(); }
    void end() { process_.end(); }
    ::testing::AssertionResult wait_exit(DWORD* code) { return process_.wait_exit(code); }

    std::string log() const { return read_file(log_path_); }
    // The complete lines of the log (a line without its "\n" is still being written).
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        const std::string text = log();
        size_t start = 0;
        for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
            out.push_back(text.substr(start, nl - start));
        return out;
    }
    bool logged(const std::string& line) const {
        for (const std::string& l : lines())
            if (l == line) return true;
        return false;
    }
    // Passes over everything logged so far.
    void skip_log() { cursor_ = lines().size(); }

    // Waits for the next line after the cursor that `match` takes; the lines before it are passed over.
    ::testing::AssertionResult next_match(const std::function<bool(const std::string&)>& match,
                                          const std::string& what, std::string* found,
                                          DWORD deadline_ms = kDeadlineMs) {
        size_t seen = cursor_;
        ::testing::AssertionResult got = wait_for("the testbed's line " + what, [&] {
            std::vector<std::string> all = lines();
            for (size_t i = cursor_; i < all.size(); ++i)
                if (match(all[i])) {
                    cursor_ = i + 1;
                    *found = all[i];
                    return std::string("(found)");
                }
            seen = all.size();
            return all.size() > cursor_ ? all.back() : std::string("(nothing new)");
        }, [&](const std::string& last) { return last == "(found)"; }, deadline_ms);
        if (!got) got << " after line " << seen << "; log:\n" << log();
        return got;
    }
    ::testing::AssertionResult next_line(const std::string& expected, DWORD deadline_ms = kDeadlineMs) {
        std::string found;
        return next_match([&](const std::string& l) { return l == expected; }, "\"" + expected + "\"", &found,
                          deadline_ms);
    }
    ::testing::AssertionResult next_line_starting(const std::string& prefix, std::string* line,
                                                  DWORD deadline_ms = kDeadlineMs) {
        return next_match([&](const std::string& l) { return l.compare(0, prefix.size(), prefix) == 0; },
                          "starting \"" + prefix + "\"", line, deadline_ms);
    }
    // The lines after the cursor that `keep` takes, once there are `count` of them or the
    // deadline passed; the cursor moves past them.
    std::vector<std::string> take(const std::function<bool(const std::string&)>& keep, size_t count,
                                  DWORD deadline_ms = kDeadlineMs) {
        std::vector<std::string> kept;
        size_t end = cursor_;
        wait_until([&] {
            std::vector<std::string> all = lines();
            kept.clear();
            for (size_t i = cursor_; i < all.size(); ++i)
                if (keep(all[i])) kept.push_back(all[i]);
            end = all.size();
            return kept.size() >= count;
        }, deadline_ms);
        cursor_ = end;
        return kept;
    }

private:
    TempFolder folder_;
    std::string log_path_ = folder_ / "events.txt";
    ChildProcess process_;  // declared after the folder: ended before the folder goes
    std::string ready_;
    HWND window_ = nullptr;
    RECT window_rect_ = {};
    POINT origin_ = {};
    size_t cursor_ = 0;
};

}  // namespace wintest
}  // namespace zorbel
