// A run of a script in memory: the real controller, families, expander and variables,
// with the fake desktop, a fake user interface and a fake host whose step timer is
// driven synchronously by the desktop's fake clock. The Output palette text is the
// run log the tests read.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "actions/families.h"
#include "core/action_catalogue.h"
#include "core/script_state.h"
#include "core/user_interface.h"
#include "engine/run_controller.h"
#include "tests/native/engine/expansion_fakes.h"
#include "tests/native/support/fake_desktop.h"

namespace zorbel {

class FakeRunHost : public RunHost {
public:
    bool timer_armed = false;
    uint32_t timer_ms = 0;
    int posted_ticks = 0;
    int32_t selected = -1;
    bool closed = false;
    bool editing_enabled = true;

    void set_step_timer(uint32_t ms) override {
        timer_armed = true;
        timer_ms = ms;
    }
    void kill_step_timer() override { timer_armed = false; }
    void post_tick() override { ++posted_ticks; }
    void enable_editing(bool enabled) override { editing_enabled = enabled; }
    int32_t selected_step() override { return selected; }
    void select_step(int32_t index) override { selected = index; }
    void set_progress(int) override {}
    void minimize_main_window() override {}
    void restore_main_window() override {}
    void close_main_window() override { closed = true; }
    bool other_instance_running() override { return false; }
};

// Boxes are written down ("title|text") and questions answered from a queue (No when
// it is empty); the status bar's first part is kept.
class RigUserInterface : public SilentUserInterface {
public:
    std::string status;
    std::vector<std::string> boxes;
    std::deque<Answer> answers;
    int popup_choice = 0;
    bool has_popup = true;

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
    bool popup_menu(const std::string&, int* choice) override {
        *choice = popup_choice;
        return has_popup;
    }

    // Prompts of prompt steps are written down ("kind|text|preset|ms", see below) and
    // answered from `prompt_answers`; an empty queue answers as a silent interface does.
    struct PromptAnswer {
        PromptAnswer(PromptEnd e = PromptEnd::kOk, std::string v = "", std::string p = "", int c = -1)
            : end(e), value(std::move(v)), password(std::move(p)), chosen(c) {}
        PromptEnd end;
        std::string value;
        std::string password;
        int chosen;
    };
    std::vector<std::string> prompts;
    std::deque<PromptAnswer> prompt_answers;
    bool image_loads = true;

    PromptEnd message_prompt(const MessagePrompt& p) override {
        static const char* const kinds[] = {"message", "warning", "question"};
        prompts.push_back(std::string(kinds[p.kind]) + "|" + p.text + "|" + (p.system_modal ? "system" : "task") +
                          "|" + std::to_string(p.timeout_ms));
        PromptEnd silent = p.kind == MessagePrompt::kQuestion ? PromptEnd::kNo : PromptEnd::kOk;
        return answer(nullptr, silent);
    }
    PromptEnd input_prompt(DialogPrompt& p) override { return dialog("input", p); }
    PromptEnd login_prompt(DialogPrompt& p) override { return dialog("login", p); }
    PromptEnd file_prompt(DialogPrompt& p) override { return dialog("file", p); }
    PromptEnd folder_prompt(DialogPrompt& p) override { return dialog("folder", p); }
    PromptEnd list_prompt(DialogPrompt& p) override {
        std::string items;
        for (const std::string& item : p.items) items += (items.empty() ? "" : ",") + item;
        prompts.push_back("list|" + p.prompt + "|" + items + "|" + std::to_string(p.timeout_ms));
        return answer(&p, PromptEnd::kCancelled);
    }
    void status_popup(const PopupPrompt& p) override {
        prompts.push_back(std::string(p.progress ? "progress|" : "popup|") + p.text + "|" +
                          (p.topmost ? "topmost" : "normal") + "|" + std::to_string(p.close_ms));
    }
    void close_popup() override { prompts.push_back("close popup"); }
    void tool_tip(const std::string& text, uint32_t close_ms) override {
        prompts.push_back("tool tip|" + text + "||" + std::to_string(close_ms));
    }
    bool image_window(const std::string& path, uint32_t close_ms) override {
        prompts.push_back("image|" + path + "||" + std::to_string(close_ms));
        return image_loads;
    }

private:
    PromptEnd dialog(const char* kind, DialogPrompt& p) {
        prompts.push_back(std::string(kind) + "|" + p.prompt + "|" + p.value + "|" + std::to_string(p.timeout_ms));
        return answer(&p, PromptEnd::kCancelled);
    }
    PromptEnd answer(DialogPrompt* p, PromptEnd silent) {
        if (prompt_answers.empty()) return silent;
        const PromptAnswer a = prompt_answers.front();
        prompt_answers.pop_front();
        if (p != nullptr && a.end == PromptEnd::kOk) {
            p->value = a.value;
            p->password = a.password;
            p->chosen = a.chosen;
        }
        return a.end;
    }
};

struct RunRig : ExpansionRig {
    FakeDesktop desktop;
    RigUserInterface ui;
    ScriptState script;
    RunState run;
    FakeRunHost host;
    RunController controller{script, run, services, host, action_families()};
    RunContext& context = controller.context();
    int ticks = 0;

    RunRig() {
        services.desktop = &desktop.desktop;
        services.ui = &ui;
        write_setting_number(store, "SOFTWARE\\Zorbel\\DefaultSpeed", 10);
        write_setting_number(store, "SOFTWARE\\Zorbel\\Log", 0);
        write_setting_number(store, "SOFTWARE\\Zorbel\\StopKey", 19);
    }

    // The step builder: a step of `action` (its family from the catalogue) appended to
    // the script; set further fields on the step it returns.
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
    // A script of the one step `action`, run once by the step's family (no run started).
    Step& only(const char* action, const std::string& text = "", const char* timeout = "") {
        script.steps.clear();
        script.current_step = 0;
        return add(action, text, timeout);
    }
    // Runs the current step through its family, as a tick would (without announcing it).
    int run_step() { return controller.dispatch_step(); }

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
                desktop.clock.now_ms += host.timer_ms;
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
