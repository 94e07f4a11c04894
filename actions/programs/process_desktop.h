// What the Run Program actions need from the machine: processes created, waited on
// and ended, the shell's launchers and "open", processes killed by name, services,
// and where the program itself lives. The real one is process_desktop_win.cpp; the
// native build has one that starts nothing; native tests use a recording fake.
#pragma once
#include <cstdint>
#include <string>

namespace zorbel {

constexpr uint32_t kWaitForever = 0xFFFFFFFFu;

// A created process, by its handle (closed with ProcessDesktop::close).
struct StartedProcess {
    intptr_t handle = 0;
    uint32_t id = 0;
};

enum class ExitWait { kEnded, kStillRunning, kFailed };

enum class KillResult { kNotFound, kEnded, kNotEnded };

enum class ServiceCall { kStart, kStop, kStartupType };

class ProcessDesktop {
public:
    virtual ~ProcessDesktop() = default;

    // CreateProcessA with NORMAL_PRIORITY_CLASS (and CREATE_NO_WINDOW when hidden), the
    // show command SW_SHOWDEFAULT or SW_HIDE; `folder` empty means no working folder.
    // The thread handle is closed at once.
    virtual bool create_process(const std::string& command, const std::string& folder, bool hidden,
                                StartedProcess* out) = 0;
    virtual void wait_for_input_idle(const StartedProcess& process, uint32_t limit_ms) = 0;
    // Hides the process's first visible top-level window with a title (or its owner).
    virtual void hide_process_window(const StartedProcess& process) = 0;
    // Waits on the process handle up to `limit_ms` (kWaitForever: no limit), then
    // reads its exit code.
    virtual ExitWait wait_for_exit(const StartedProcess& process, uint32_t limit_ms, uint32_t* exit_code) = 0;
    virtual void close(const StartedProcess& process) = 0;

    // FindExecutableA: the launcher of a document; "" when the system finds none.
    virtual std::string find_executable(const std::string& document, const std::string& folder) = 0;
    // ShellExecuteA(owner, "open", target) with SW_HIDE or SW_SHOWNORMAL; the system's result.
    virtual intptr_t shell_open(intptr_t owner, const std::string& target, bool hidden) = 0;
    virtual intptr_t foreground_window() = 0;
    virtual void hide_window(intptr_t window) = 0;
    virtual void bring_to_front(intptr_t window) = 0;

    // Ends the first process whose executable name equals `file_name` (ignoring
    // case), opened with terminate rights only. `error` gets the system's text when
    // a match could not be ended.
    virtual KillResult kill_first(const std::string& file_name, std::string* error) = 0;
    // Service Control Manager calls; `start_type` only for kStartupType. False with
    // the system's text in `error`.
    virtual bool service(ServiceCall call, const std::string& name, uint32_t start_type, std::string* error) = 0;

    // SearchPathA(NULL, name): the full path, "" when not found.
    virtual std::string search_path(const std::string& name) = 0;
    // The path of this program's executable.
    virtual std::string own_program() = 0;
    // Whether this program is a compiled script (it carries its own steps).
    virtual bool compiled_program() = 0;
};

// The machine's processes (for the program shell to assemble); on a desktop-free build
// one that starts and finds nothing.
ProcessDesktop& system_process_desktop();

}  // namespace zorbel
