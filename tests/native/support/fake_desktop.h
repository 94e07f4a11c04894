// One fake desktop for native tests: the windows, keyboard, pointer, screen and
// clipboard in memory, each writing what it does into one ordered call log, on one
// fake clock that sleeping moves on ("sleep 250" in the log). A test compares whole
// sequences (find, activate, glide, click) with one expected list.
#pragma once
#include <string>
#include <vector>

#include "engine/desktop.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/fake_keyboard.h"
#include "tests/native/support/fake_network.h"
#include "tests/native/support/fake_processes.h"
#include "tests/native/support/fake_recorder.h"
#include "tests/native/support/fake_pointer.h"
#include "tests/native/support/fake_registry.h"
#include "tests/native/support/fake_screen.h"
#include "tests/native/support/fake_windows.h"

namespace zorbel {

class FakeClock : public Clock {
public:
    explicit FakeClock(std::vector<std::string>& log) : calls_(log) {}
    uint32_t now_ms = 1000;
    uint32_t slept_ms = 0;

    uint32_t now() override { return now_ms; }
    void sleep(uint32_t milliseconds) override {
        calls_.push_back("sleep " + std::to_string(milliseconds));
        now_ms += milliseconds;
        slept_ms += milliseconds;
    }

private:
    std::vector<std::string>& calls_;
};

class FakeClipboard : public Clipboard {
public:
    explicit FakeClipboard(std::vector<std::string>& log) : calls_(log) {}
    bool has_text = false;
    bool busy = false;  // another program holds the clipboard
    std::string content;
    std::vector<std::string> history;  // every text put on the clipboard

    bool text(std::string* out) override {
        *out = has_text ? content : std::string();
        return has_text;
    }
    bool set_text(const std::string& text) override {
        if (busy) return false;
        has_text = true;
        content = text;
        history.push_back(text);
        calls_.push_back("clipboard \"" + text + "\"");
        return true;
    }
    bool clear() override {
        if (busy) return false;
        has_text = false;
        content.clear();
        calls_.push_back("clipboard cleared");
        return true;
    }

private:
    std::vector<std::string>& calls_;
};

struct FakeDesktop {
    std::vector<std::string> calls;
    FakeClock clock{calls};
    FakeClipboard clipboard{calls};
    FakeWindowDesktop windows{calls};
    FakeKeyboardDesktop keyboard{calls};
    FakeMouseDesktop pointer{calls};
    FakeScreen screen;
    FakeNetworkDesktop network{calls};
    FakeMailDesktop mail{calls};
    FakeDatabaseDesktop database{calls};
    FakeRegistry registry{calls};
    FakeDisplay display{calls};
    FakeLibraries libraries{calls};
    FakeProcessDesktop processes{calls};
    FakeFileSystem files{calls};
    FakeRecorderDesktop recorder{calls, clock.now_ms};
    Desktop desktop;

    FakeDesktop() {
        desktop.clock = &clock;
        desktop.clipboard = &clipboard;
        desktop.windows = &windows;
        desktop.keyboard = &keyboard;
        desktop.key_state = &keyboard;
        desktop.pointer = &pointer;
        desktop.screen = &screen;
        desktop.capture = &screen;
        screen.files = &files.present;
        desktop.network = &network;
        desktop.mail = &mail;
        desktop.database = &database;
        desktop.registry = &registry;
        desktop.display = &display;
        desktop.session = &display;
        desktop.libraries = &libraries;
        desktop.processes = &processes;
        desktop.files = &files;
        desktop.recorder = &recorder;
    }
    // The pauses in the call log, in order, and the log without them.
    std::vector<uint32_t> sleeps() const {
        std::vector<uint32_t> out;
        for (const std::string& line : calls)
            if (line.rfind("sleep ", 0) == 0) out.push_back(static_cast<uint32_t>(std::stoul(line.substr(6))));
        return out;
    }
    std::vector<std::string> effects() const {
        std::vector<std::string> out;
        for (const std::string& line : calls)
            if (line.rfind("sleep ", 0) != 0) out.push_back(line);
        return out;
    }

    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;
};

}  // namespace zorbel
