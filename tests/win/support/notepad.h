// Wine's notepad, in front, with the keyboard focus in its edit control; ended by its
// handle, unsaved, when the object goes.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/win/support/child_process.h"
#include "tests/win/support/desktop.h"

namespace zorbel {
namespace wintest {

class Notepad {
public:
    ~Notepad() {
        process_.end();
        release_modifiers();
    }
    ::testing::AssertionResult start() {
        ::testing::AssertionResult started = process_.start("notepad.exe");
        if (!started) return started;
        started = wait_until([&] { return (window_ = process_.window_of_class("Notepad")) != nullptr; });
        if (!started) return started << " (no Notepad window)";
        edit_ = FindWindowExA(window_, nullptr, "Edit", nullptr);
        if (!edit_) return ::testing::AssertionFailure() << "notepad has no Edit control";
        started = bring_to_front(window_);
        return started ? wait_focus(window_, edit_) : started;
    }
    HWND window() const { return window_; }
    HWND edit() const { return edit_; }
    ChildProcess& process() { return process_; }
    std::string text() const { return window_text(edit_); }

    // Waits until the edit holds `expected` (line breaks as the edit keeps them, CR LF).
    ::testing::AssertionResult has_text(const std::string& expected, DWORD deadline_ms = kDeadlineMs) const {
        return wait_for("notepad's text \"" + visible(expected) + "\"", [&] { return visible(text()); },
                        [&](const std::string& now) { return now == visible(expected); }, deadline_ms);
    }

private:
    ChildProcess process_;
    HWND window_ = nullptr, edit_ = nullptr;
};

}  // namespace wintest
}  // namespace zorbel
