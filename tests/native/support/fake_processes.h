// A fake of the machine's processes for native tests: commands it accepts start,
// waits end with a set exit code (or never), and every call goes into the call log.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "actions/programs/process_desktop.h"

namespace zorbel {

class FakeProcessDesktop : public ProcessDesktop {
public:
    explicit FakeProcessDesktop(std::vector<std::string>& log) : calls_(log) {}

    std::set<std::string> startable;                   // command lines create_process accepts
    uint32_t exit_code = 0;
    bool never_ends = false;                           // waits run out
    std::map<std::string, std::string> launchers;      // find_executable: document -> launcher
    intptr_t shell_result = 2;                         // ShellExecute's answer
    std::vector<intptr_t> foreground{100};             // foreground windows, one per call (last repeats)
    std::map<std::string, KillResult> killable;        // executable name (as written) -> outcome
    bool service_ok = true;
    std::map<std::string, std::string> searchable;     // SearchPath: name -> path
    std::string own = "C:\\Zorbel\\zorbel.exe";
    bool compiled = false;
    int open_handles = 0;

    bool create_process(const std::string& command, const std::string& folder, bool hidden,
                        StartedProcess* out) override {
        const bool ok = startable.count(command) > 0;
        calls_.push_back("create [" + command + "] in [" + folder + "]" + (hidden ? " hidden" : "") +
                         (ok ? "" : " refused"));
        if (ok) {
            out->handle = ++open_handles + 1000;
            out->id = 42;
        }
        return ok;
    }
    void wait_for_input_idle(const StartedProcess&, uint32_t limit_ms) override {
        calls_.push_back("input idle " + limit_text(limit_ms));
    }
    void hide_process_window(const StartedProcess&) override { calls_.push_back("hide process window"); }
    ExitWait wait_for_exit(const StartedProcess&, uint32_t limit_ms, uint32_t* code) override {
        calls_.push_back("wait " + limit_text(limit_ms));
        if (never_ends) return ExitWait::kStillRunning;
        *code = exit_code;
        return ExitWait::kEnded;
    }
    void close(const StartedProcess&) override {
        --open_handles;
        calls_.push_back("close process");
    }
    std::string find_executable(const std::string& document, const std::string& folder) override {
        calls_.push_back("find executable [" + document + "] in [" + folder + "]");
        auto it = launchers.find(document);
        return it == launchers.end() ? std::string() : it->second;
    }
    intptr_t shell_open(intptr_t owner, const std::string& target, bool hidden) override {
        calls_.push_back("shell open [" + target + "] owner " + std::to_string(owner) + (hidden ? " hidden" : " shown"));
        return shell_result;
    }
    intptr_t foreground_window() override {
        intptr_t window = foreground.front();
        if (foreground.size() > 1) foreground.erase(foreground.begin());
        return window;
    }
    void hide_window(intptr_t window) override { calls_.push_back("hide window " + std::to_string(window)); }
    void bring_to_front(intptr_t window) override { calls_.push_back("bring to front " + std::to_string(window)); }
    KillResult kill_first(const std::string& file_name, std::string* error) override {
        calls_.push_back("kill [" + file_name + "]");
        for (const auto& entry : killable) {
            if (entry.first.size() != file_name.size()) continue;
            bool same = true;
            for (size_t i = 0; i < file_name.size(); ++i)
                same = same && std::tolower(static_cast<unsigned char>(entry.first[i])) ==
                                   std::tolower(static_cast<unsigned char>(file_name[i]));
            if (!same) continue;
            if (entry.second == KillResult::kNotEnded) *error = "Access is denied.";
            return entry.second;
        }
        return KillResult::kNotFound;
    }
    bool service(ServiceCall call, const std::string& name, uint32_t start_type, std::string* error) override {
        static const char* const kNames[] = {"start", "stop", "startup"};
        calls_.push_back(std::string("service ") + kNames[static_cast<int>(call)] + " [" + name + "]" +
                         (call == ServiceCall::kStartupType ? " " + std::to_string(start_type) : ""));
        if (!service_ok) *error = "The specified service does not exist as an installed service.";
        return service_ok;
    }
    std::string search_path(const std::string& name) override {
        auto it = searchable.find(name);
        return it == searchable.end() ? std::string() : it->second;
    }
    std::string own_program() override { return own; }
    bool compiled_program() override { return compiled; }

private:
    static std::string limit_text(uint32_t limit_ms) {
        return limit_ms == kWaitForever ? std::string("forever") : std::to_string(limit_ms);
    }
    std::vector<std::string>& calls_;
};

}  // namespace zorbel
