// The editor's entry point. For now it loads the script named on the command line
// and reports what it loaded; the run engine and the editor windows build on this.
#include <windows.h>

#include <cstdio>
#include <string>

#include "core/script_file.h"
#include "core/script_state.h"
#include "core/text_rules.h"
#include "platform/user_interface_win.h"

namespace zorbel {
namespace {

// A user interface for unattended starts ("/r"): it prints what a box would show and
// answers No, so nothing waits for a user who is not there.
class ConsoleUserInterface : public SilentUserInterface {
public:
    void error_box(const std::string& text) override { std::printf("Error: %s\n", text.c_str()); }
    void titled_error_box(const std::string& title, const std::string& text) override {
        std::printf("%s: %s\n", title.c_str(), text.c_str());
    }
    Answer ask_yes_no(const std::string& title, const std::string& text) override {
        std::printf("%s: %s [answered No]\n", title.c_str(), text.c_str());
        return Answer::kNo;
    }
    void set_status(int, const std::string& text) override { std::printf("Status:%s\n", text.c_str()); }
};

void print_load_report(const ScriptState& script, int32_t loaded) {
    std::printf("Loaded %d step(s), %d recording(s) from '%s'\n", loaded, script.recording_count,
                script.script_path.c_str());
    for (int32_t i = 0; i < script.step_count(); ++i) {
        const Step& s = script.steps[static_cast<size_t>(i)];
        std::printf("[STEP %d]: %s (family %u) %s\n", i + 1, s.action, s.family, s.text.c_str());
    }
    std::fflush(stdout);
}

int run_editor(const std::string& command_line) {
    bool run_mode = false;
    std::string path;
    // The full command line comes with the run engine; here "/r" (or "-r") and a path.
    for (size_t i = 0; i < command_line.size();) {
        while (i < command_line.size() && command_line[i] == ' ') ++i;
        size_t end = i;
        bool quoted = false;
        while (end < command_line.size() && (quoted || command_line[end] != ' ')) {
            if (command_line[end] == '"') quoted = !quoted;
            ++end;
        }
        std::string word = command_line.substr(i, end - i);
        if (equals_ignore_case(word, "/r") || equals_ignore_case(word, "-r")) run_mode = true;
        else if (!word.empty()) path = path.empty() ? word : path + " " + word;
        i = end;
    }
    if (path.empty()) return 0;
    ScriptState script;
    if (run_mode) {
        ConsoleUserInterface ui;
        int32_t loaded = load_script(&script, path, &ui);
        print_load_report(script, loaded);
        return loaded > 0 ? 0 : 1;
    }
    WinUserInterface ui;
    int32_t loaded = load_script(&script, path, &ui);
    return loaded > 0 ? 0 : 1;
}

}  // namespace
}  // namespace zorbel

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
    return zorbel::run_editor(command_line ? command_line : "");
}
