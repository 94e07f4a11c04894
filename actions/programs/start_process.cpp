#include "actions/programs/start_process.h"

#include "actions/programs/process_desktop.h"
#include "actions/programs/program_paths.h"
#include "core/text_rules.h"
#include "engine/run_context.h"
#include "engine/run_log.h"

namespace zorbel {

namespace {

constexpr uint32_t kInputIdleMinimumMs = 5000;
constexpr uint32_t kWaitMarginMs = 500;
constexpr uint32_t kHiddenWindowDelayMs = 100;
constexpr uint32_t kHiddenShellDelayMs = 2000;

std::string quoted_unless_quoted(const std::string& command) {
    return command.find('"') == std::string::npos ? "\"" + command + "\"" : command;
}

class Starter {
public:
    Starter(RunContext& context, const std::string& command, bool visible)
        : context_(context), processes_(*context.desktop().processes), command_(command), visible_(visible),
          shown_(command_for_log(command)) {}

    // Methods 1 to 4; true with the process in `process_`.
    bool create() {
        const std::string quoted = quoted_unless_quoted(command_);
        if (attempt(1, quoted, working_folder_of(quoted))) return true;
        if (contains_ignore_case(command_, ".EXE")) {
            ProgramLookup lookup = program_lookup(context_);
            std::string resolved;
            resolve_program_path(lookup, command_, std::string(), &resolved);
            if (attempt(2, resolved, std::string())) return true;
        }
        if (command_.find(".EXE") == std::string::npos) {
            std::string launcher = processes_.find_executable(command_, std::string());
            if (launcher.empty()) {
                context_.log("\t\tUnable to identify program launcher for [%s]\r\n", shown_.c_str());
            } else if (attempt(3, launcher + " " + quoted, std::string())) {
                return true;
            }
        }
        size_t dot = command_.find('.');
        if (dot != std::string::npos) {
            const std::string extension = command_.substr(dot, 14);
            context_.log("\t\tSearching for '%s' file association...\r\n", extension.c_str());
            ProgramLookup lookup = program_lookup(context_);
            std::string launcher;
            if (find_associated_launcher(lookup, extension, command_, &launcher)) {
                if (attempt(4, launcher + " " + command_, std::string())) return true;
            } else {
                context_.log("\t\tNo file association for '%s' found\r\n", extension.c_str());
            }
        }
        return false;
    }

    // Method 5: the shell opens the target (the text after ".exe " when there is one).
    bool shell_open(intptr_t remembered) {
        std::string target = command_;
        size_t exe = find_ignore_case(command_, ".exe ");
        if (exe != std::string::npos) target = command_.substr(exe + 5);
        intptr_t result = processes_.shell_open(remembered, target, !visible_);
        if (result <= 32) {
            context_.log("\t\tAttempting to start process [%s] using method #5...\r\n", shown_.c_str());
            return false;
        }
        context_.log("\t\tAttempting to start process [%s] using method #5: SUCCESS\r\n", shown_.c_str());
        if (!visible_) {
            context_.clock().sleep(kHiddenShellDelayMs);
            intptr_t now = processes_.foreground_window();
            if (now != remembered) {
                processes_.hide_window(now);
                processes_.bring_to_front(remembered);
            }
        }
        return true;
    }

    StartedProcess process_;

private:
    bool attempt(int method, const std::string& line, const std::string& folder) {
        bool ok = processes_.create_process(line, folder, !visible_, &process_);
        if (context_.services.output && context_.services.output->visible())
            context_.log("\t\tAttempting to start process [%s] using method #%d%s\r\n", shown_.c_str(), method,
                         ok ? ": SUCCESS" : "...");
        return ok;
    }

    RunContext& context_;
    ProcessDesktop& processes_;
    const std::string& command_;
    bool visible_;
    std::string shown_;
};

}  // namespace

std::string command_for_log(const std::string& command) {
    return command.size() < 122 ? command : command.substr(0, 122) + "...";
}

std::string working_folder_of(const std::string& quoted_command) {
    size_t cut = quoted_command.find_last_of('\\');
    if (cut == std::string::npos) return std::string();
    std::string folder;
    for (char c : quoted_command.substr(0, cut))
        if (c != '"') folder += c;
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

int32_t start_process(RunContext& context, const std::string& command, bool visible, int64_t wait_ms) {
    if (command.empty()) return kNotStarted;
    ProcessDesktop& processes = *context.desktop().processes;
    const intptr_t remembered = processes.foreground_window();
    Starter starter(context, command, visible);
    if (!starter.create()) {
        if (starter.shell_open(remembered)) return kStartedNotWaited;
        context.log("\t\tFAILED: Unable to start [%s] with any method\r\n", command_for_log(command).c_str());
        return kNotStarted;
    }
    const StartedProcess& process = starter.process_;
    uint32_t idle_limit = kWaitForever;
    if (wait_ms >= 0) idle_limit = wait_ms > kInputIdleMinimumMs ? static_cast<uint32_t>(wait_ms) : kInputIdleMinimumMs;
    processes.wait_for_input_idle(process, idle_limit);
    if (!visible) {
        context.clock().sleep(kHiddenWindowDelayMs);
        processes.hide_process_window(process);
    }
    if (wait_ms == 0) {
        processes.close(process);
        return kStartedNotWaited;
    }
    // The wait is on the process itself, so a program that exits with 259 (the
    // system's "still active") ends the wait like any other.
    uint32_t limit = kWaitForever;
    if (wait_ms > 0) {
        const int64_t total = wait_ms + kWaitMarginMs;
        limit = total >= kWaitForever ? kWaitForever - 1 : static_cast<uint32_t>(total);
    }
    uint32_t exit_code = 0;
    ExitWait waited = processes.wait_for_exit(process, limit, &exit_code);
    processes.close(process);
    if (waited == ExitWait::kEnded) return static_cast<int32_t>(exit_code);
    return kStillRunning;
}

}  // namespace zorbel
