// The machine's processes, the shell's launchers and the Service Control Manager.
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cctype>
#include <vector>

#include "actions/programs/process_desktop.h"
#include "platform/files.h"

namespace zorbel {

namespace {

HANDLE handle_of(const StartedProcess& process) { return reinterpret_cast<HANDLE>(process.handle); }

bool same_name(const char* a, const std::string& b) {
    size_t i = 0;
    for (; a[i] && i < b.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return a[i] == '\0' && i == b.size();
}

void enable_privilege(const char* name) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, name, &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

KillResult end_process(DWORD id, std::string* error) {
    enable_privilege("SeDebugPrivilege");
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id);
    if (!process) {
        *error = files::last_error_text();
        return KillResult::kNotEnded;
    }
    const bool ended = TerminateProcess(process, 0) != 0;
    if (!ended) *error = files::last_error_text();
    CloseHandle(process);
    return ended ? KillResult::kEnded : KillResult::kNotEnded;
}

// Tool Help, looked up in KERNEL32.DLL at run time; false when it is not there.
bool kill_by_tool_help(const std::string& name, KillResult* result, std::string* error) {
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    using Snapshot = HANDLE(WINAPI*)(DWORD, DWORD);
    using Walk = BOOL(WINAPI*)(HANDLE, LPPROCESSENTRY32);
    auto snapshot = reinterpret_cast<Snapshot>(reinterpret_cast<void*>(GetProcAddress(kernel, "CreateToolhelp32Snapshot")));
    auto first = reinterpret_cast<Walk>(reinterpret_cast<void*>(GetProcAddress(kernel, "Process32First")));
    auto next = reinterpret_cast<Walk>(reinterpret_cast<void*>(GetProcAddress(kernel, "Process32Next")));
    if (!snapshot || !first || !next) return false;
    HANDLE list = snapshot(TH32CS_SNAPPROCESS, 0);
    if (list == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    *result = KillResult::kNotFound;
    for (BOOL more = first(list, &entry); more; more = next(list, &entry)) {
        if (same_name(entry.szExeFile, name)) {
            *result = end_process(entry.th32ProcessID, error);
            break;
        }
    }
    CloseHandle(list);
    return true;
}

// PSAPI, for systems without Tool Help.
KillResult kill_by_psapi(const std::string& name, std::string* error) {
    HMODULE psapi = LoadLibraryA("PSAPI.DLL");
    if (!psapi) return KillResult::kNotFound;
    using Enumerate = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
    using Modules = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
    using BaseName = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
    auto enumerate = reinterpret_cast<Enumerate>(reinterpret_cast<void*>(GetProcAddress(psapi, "EnumProcesses")));
    auto modules = reinterpret_cast<Modules>(reinterpret_cast<void*>(GetProcAddress(psapi, "EnumProcessModules")));
    auto base_name = reinterpret_cast<BaseName>(reinterpret_cast<void*>(GetProcAddress(psapi, "GetModuleBaseNameA")));
    KillResult result = KillResult::kNotFound;
    if (enumerate && modules && base_name) {
        std::vector<DWORD> ids(256);
        DWORD bytes = 0;
        while (enumerate(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes) &&
               bytes == ids.size() * sizeof(DWORD))
            ids.resize(ids.size() * 2);
        ids.resize(bytes / sizeof(DWORD));
        for (DWORD id : ids) {
            HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
            if (!process) continue;
            HMODULE module = nullptr;
            DWORD needed = 0;
            char module_name[MAX_PATH] = {};
            bool match = modules(process, &module, sizeof(module), &needed) &&
                         base_name(process, module, module_name, MAX_PATH) && same_name(module_name, name);
            CloseHandle(process);
            if (match) {
                result = end_process(id, error);
                break;
            }
        }
    }
    FreeLibrary(psapi);
    return result;
}

struct WindowOfProcess {
    DWORD id;
    HWND found;
};

BOOL CALLBACK find_titled_window(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowOfProcess*>(data);
    DWORD owner_id = 0;
    GetWindowThreadProcessId(window, &owner_id);
    if (owner_id != search->id || GetWindowTextLengthA(window) == 0) return TRUE;
    search->found = window;
    return FALSE;
}

class SystemProcessDesktop : public ProcessDesktop {
public:
    bool create_process(const std::string& command, const std::string& folder, bool hidden,
                        StartedProcess* out) override {
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = hidden ? SW_HIDE : SW_SHOWDEFAULT;
        PROCESS_INFORMATION info = {};
        DWORD flags = NORMAL_PRIORITY_CLASS | (hidden ? CREATE_NO_WINDOW : 0);
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr,
                            folder.empty() ? nullptr : folder.c_str(), &startup, &info))
            return false;
        CloseHandle(info.hThread);
        out->handle = reinterpret_cast<intptr_t>(info.hProcess);
        out->id = info.dwProcessId;
        return true;
    }
    void wait_for_input_idle(const StartedProcess& process, uint32_t limit_ms) override {
        WaitForInputIdle(handle_of(process), limit_ms);
    }
    void hide_process_window(const StartedProcess& process) override {
        WindowOfProcess search{process.id, nullptr};
        EnumWindows(find_titled_window, reinterpret_cast<LPARAM>(&search));
        if (!search.found) return;
        HWND owner = GetWindow(search.found, GW_OWNER);
        HWND window = owner && owner != GetDesktopWindow() ? owner : search.found;
        if (!IsWindowVisible(window)) return;
        ShowWindow(window, SW_HIDE);
        UpdateWindow(window);
    }
    ExitWait wait_for_exit(const StartedProcess& process, uint32_t limit_ms, uint32_t* exit_code) override {
        switch (WaitForSingleObject(handle_of(process), limit_ms)) {
            case WAIT_OBJECT_0: {
                DWORD code = 0;
                if (!GetExitCodeProcess(handle_of(process), &code)) return ExitWait::kFailed;
                *exit_code = code;
                return ExitWait::kEnded;
            }
            case WAIT_TIMEOUT: return ExitWait::kStillRunning;
            default: return ExitWait::kFailed;
        }
    }
    void close(const StartedProcess& process) override { CloseHandle(handle_of(process)); }

    std::string find_executable(const std::string& document, const std::string& folder) override {
        char launcher[MAX_PATH] = {};
        auto result = reinterpret_cast<intptr_t>(
            FindExecutableA(document.c_str(), folder.empty() ? nullptr : folder.c_str(), launcher));
        return result > 32 ? std::string(launcher) : std::string();
    }
    intptr_t shell_open(intptr_t owner, const std::string& target, bool hidden) override {
        return reinterpret_cast<intptr_t>(ShellExecuteA(reinterpret_cast<HWND>(owner), "open", target.c_str(), nullptr,
                                                        nullptr, hidden ? SW_HIDE : SW_SHOWNORMAL));
    }
    intptr_t foreground_window() override { return reinterpret_cast<intptr_t>(GetForegroundWindow()); }
    void hide_window(intptr_t window) override { ShowWindow(reinterpret_cast<HWND>(window), SW_HIDE); }
    void bring_to_front(intptr_t window) override { SetForegroundWindow(reinterpret_cast<HWND>(window)); }

    KillResult kill_first(const std::string& file_name, std::string* error) override {
        KillResult result = KillResult::kNotFound;
        if (kill_by_tool_help(file_name, &result, error)) return result;
        return kill_by_psapi(file_name, error);
    }

    bool service(ServiceCall call, const std::string& name, uint32_t start_type, std::string* error) override {
        SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
        if (!manager) {
            *error = files::last_error_text();
            return false;
        }
        const DWORD access = call == ServiceCall::kStartupType ? SERVICE_CHANGE_CONFIG : SERVICE_START | SERVICE_STOP;
        SC_HANDLE service = OpenServiceA(manager, name.c_str(), access);
        bool ok = false;
        if (service) {
            SERVICE_STATUS status = {};
            switch (call) {
                case ServiceCall::kStartupType:
                    ok = ChangeServiceConfigA(service, SERVICE_NO_CHANGE, start_type, SERVICE_NO_CHANGE, nullptr,
                                              nullptr, nullptr, nullptr, nullptr, nullptr, nullptr) != 0;
                    break;
                case ServiceCall::kStart: ok = StartServiceA(service, 0, nullptr) != 0; break;
                case ServiceCall::kStop: ok = ControlService(service, SERVICE_CONTROL_STOP, &status) != 0; break;
            }
        }
        if (!ok) *error = files::last_error_text();
        if (service) CloseServiceHandle(service);
        CloseServiceHandle(manager);
        return ok;
    }

    std::string search_path(const std::string& name) override {
        char path[MAX_PATH] = {};
        DWORD n = SearchPathA(nullptr, name.c_str(), nullptr, MAX_PATH, path, nullptr);
        return n && n < MAX_PATH ? std::string(path, n) : std::string();
    }
    std::string own_program() override {
        char path[MAX_PATH] = {};
        DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
        return std::string(path, n < MAX_PATH ? n : 0);
    }
    // A compiled script carries its step records as resource 104.
    bool compiled_program() override {
        return FindResourceA(nullptr, MAKEINTRESOURCEA(104), MAKEINTRESOURCEA(10)) != nullptr;
    }
};

}  // namespace

ProcessDesktop& system_process_desktop() {
    static SystemProcessDesktop desktop;
    return desktop;
}

}  // namespace zorbel
