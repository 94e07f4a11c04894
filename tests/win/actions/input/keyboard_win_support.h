// What the keyboard tests under Wine share: the keyboard step run in-process on the real
// desktop, inside a run of its own, and the clipboard given back afterwards.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "actions/input/buffered_typing.h"
#include "actions/input/keyboard_family.h"
#include "platform/clipboard.h"
#include "tests/win/support/system_run_rig.h"
#include "tests/win/support/desktop.h"
#include "tests/win/support/notepad.h"
#include "tests/win/support/testbed.h"

namespace zorbel {
namespace keyboard_test {

using namespace wintest;

// Puts the clipboard's text back when the test is over.
class ClipboardKeeper {
public:
    ClipboardKeeper() { had_text_ = clipboard::get_text(&text_); }
    ~ClipboardKeeper() {
        if (had_text_) clipboard::set_text(text_);
    }
    ClipboardKeeper(const ClipboardKeeper&) = delete;
    ClipboardKeeper& operator=(const ClipboardKeeper&) = delete;

private:
    bool had_text_ = false;
    std::string text_;
};

// The run's current window as a test sets it.
class GivenWindow : public CurrentWindow {
public:
    intptr_t window = 0;
    intptr_t handle() override { return window; }
    bool rect(WindowRect*) override { return false; }
    std::string title() override { return std::string(); }
    std::string class_name() override { return std::string(); }
};

// A keyboard step run in this process on the real desktop, inside a run of its own.
class KeyboardRun {
public:
    KeyboardRun() {
        rig_.services.window = &current;
        write_setting_number(rig_.store, "SOFTWARE\\Zorbel\\Log", 0);
        rig_.run.running = true;
        rig_.run.speed = 5;
    }
    ~KeyboardRun() {
        if (BufferedTyping* typing = buffered()) typing->stop();
        release_modifiers();
    }

    // Runs one step of `action` with `text` (options bit 0: literal).
    int step(const char* action, const std::string& text, uint32_t options = 0) {
        Step& s = rig_.add(action, text);
        s.options = options;
        rig_.script.current_step = rig_.script.step_count() - 1;
        return rig_.run_step();
    }
    // Waits (pumping messages) until buffered typing has ended.
    ::testing::AssertionResult typing_ended(DWORD deadline_ms = kDeadlineMs) {
        return wait_until([this] { return !buffered() || !buffered()->active(); }, deadline_ms);
    }

    RunState& run() { return rig_.run; }
    FakeRunHost& host() { return rig_.host; }
    const std::string& log() const { return rig_.output.text; }
    void set_variable(const std::string& name, const std::string& value) { rig_.set_variable(name, value); }

    GivenWindow current;

private:
    BufferedTyping* buffered() { return rig_.run.existing_state_of<BufferedTyping>(kKeyboardFamilyCode); }

    SystemRunRig rig_;
};

}  // namespace keyboard_test
}  // namespace zorbel
