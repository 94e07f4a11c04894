// A run of a script in memory: the real controller, executors, expander and
// variables, with a fake host whose step timer is driven synchronously by a fake
// clock. The Output palette text is the run log the tests read.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "core/action_catalogue.h"
#include "core/script_state.h"
#include "engine/run_controller.h"
#include "tests/native/engine/expansion_fakes.h"

namespace zorbel {

class ClockedEnvironment : public FakeEnvironment {
public:
    uint32_t now = 1000;
    uint32_t tick_count() override { return now; }
};

class FakeRunHost : public RunHost {
public:
    bool timer_armed = false;
    uint32_t timer_ms = 0;
    int posted_ticks = 0;
    std::vector<int> down_keys;
    std::vector<int> released_keys;
    std::string status;
    std::vector<std::string> boxes;  // "title|text"
    std::deque<Answer> answers;      // for yes/no boxes; default No
    std::vector<std::string> captures;
    int32_t selected = -1;
    bool closed = false;
    bool editing_enabled = true;
    bool caps = false;

    void set_step_timer(uint32_t ms) override {
        timer_armed = true;
        timer_ms = ms;
    }
    void kill_step_timer() override { timer_armed = false; }
    void post_tick() override { ++posted_ticks; }
    bool key_down(int vk) override {
        for (int k : down_keys)
            if (k == vk) return true;
        return false;
    }
    void release_key(int vk) override { released_keys.push_back(vk); }
    void set_status(int part, const std::string& text) override {
        if (part == 0) status = text;
    }
    Answer box(const std::string& title, const std::string& text, BoxIcon, bool yes_no) override {
        boxes.push_back(title + "|" + text);
        if (!yes_no) return Answer::kYes;
        if (answers.empty()) return Answer::kNo;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    bool capture_screen(const std::string& path) override {
        captures.push_back(path);
        return true;
    }
    void enable_editing(bool enabled) override { editing_enabled = enabled; }
    int32_t selected_step() override { return selected; }
    void select_step(int32_t index) override { selected = index; }
    void minimize_main_window() override {}
    void restore_main_window() override {}
    void close_main_window() override { closed = true; }
    bool other_instance_running() override { return false; }
    bool buffered_typing_active() override { return false; }
    void remove_buffered_typing_hook() override {}
    void remove_keypress_watcher() override {}
    void set_progress(int) override {}
    uint32_t slept_ms = 0;
    void sleep_milliseconds(uint32_t ms) override { slept_ms += ms; }
    bool caps_lock_on() override { return caps; }
    intptr_t foreground_window() override { return 0; }
    std::string window_title(intptr_t, size_t) override { return std::string(); }
    intptr_t next_titled_window(intptr_t) override { return 0; }
};

struct RunRig : ExpansionRig {
    ClockedEnvironment clock;
    ScriptState script;
    RunState run;
    FakeRunHost host;
    RunController controller{script, run, services, host};
    int ticks = 0;

    RunRig() {
        services.environment = &clock;
        write_setting_number(store, "SOFTWARE\\Zorbel\\DefaultSpeed", 10);
        write_setting_number(store, "SOFTWARE\\Zorbel\\Log", 0);
        write_setting_number(store, "SOFTWARE\\Zorbel\\StopKey", 19);
    }

    Step& add(const char* action, const std::string& text = "", const char* timeout = "") {
        int32_t i = script.insert_step(-1);
        Step& s = script.steps[static_cast<size_t>(i)];
        copy_to_field(s.action, action);
        s.family = family_of_action(action);
        s.text = text;
        copy_to_field(s.timeout, timeout);
        return s;
    }
    // A variable action on `name` (without "%"), saving its result to the variable.
    Step& add_variable_step(const char* action, const char* name, const std::string& text = "") {
        Step& s = add(action, text);
        copy_to_field(s.variable, std::string("%") + name);
        s.options = kOptionResultToVariable;
        return s;
    }
    static void on_failure(Step& s, const char* mode, const char* label = "") {
        copy_to_field(s.onfail, mode);
        copy_to_field(s.onfail_label, label);
    }

    // Starts a run and drives the step timer until the run ends (or `max_ticks`).
    void run_script(int command = kCommandRun, int max_ticks = 10000) {
        controller.start_run(command);
        drive(max_ticks);
    }
    void drive(int max_ticks = 10000) {
        while (ticks < max_ticks && (host.posted_ticks > 0 || host.timer_armed)) {
            if (host.posted_ticks > 0) {
                --host.posted_ticks;
            } else {
                clock.now += host.timer_ms;
                host.timer_armed = false;
            }
            ++ticks;
            controller.step_tick();
        }
    }
    const std::string& log() const { return output.text; }
    // The log's lines without the start and completion lines (which carry times).
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        size_t start = 0;
        while (start < output.text.size()) {
            size_t end = output.text.find("\r\n", start);
            if (end == std::string::npos) end = output.text.size();
            std::string line = output.text.substr(start, end - start);
            if (line.rfind("Starting Run at", 0) != 0 && line.rfind("Run Completed at", 0) != 0 &&
                line != "-----------------------------" && !line.empty())
                out.push_back(line);
            start = end + 2;
        }
        return out;
    }
};

}  // namespace zorbel
