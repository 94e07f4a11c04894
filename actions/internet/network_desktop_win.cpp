// The machine's network through WinINet (connection state, URLs, FTP) and Winsock
// (ICMP echo). Each object owns its handles and closes them when it goes.
#include <winsock2.h>
#include <windows.h>
#include <wininet.h>
#include <shlwapi.h>

#include <memory>
#include <vector>

#include "actions/internet/network_desktop.h"
#include "actions/internet/ping_packet.h"
#include "core/text_rules.h"

namespace zorbel {

namespace {

constexpr DWORD kHttpTimeoutMs = 20000;
constexpr DWORD kFtpTimeoutMs = 10000;

std::string system_message(DWORD code) {
    char text[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                             sizeof(text), nullptr);
    if (n == 0)
        n = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, GetModuleHandleA("wininet.dll"),
                           code, 0, text, sizeof(text), nullptr);
    std::string out(text, n);
    while (!out.empty() && (out.back() == '\r' || out.back() == '\n' || out.back() == ' ')) out.pop_back();
    if (out.empty()) out = format("Error %lu", static_cast<unsigned long>(code));
    return out.substr(0, 259);
}

struct InternetHandle {
    HINTERNET handle = nullptr;
    explicit InternetHandle(HINTERNET h = nullptr) : handle(h) {}
    ~InternetHandle() { reset(); }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    void reset() {
        if (handle) InternetCloseHandle(handle);
        handle = nullptr;
    }
};

HINTERNET open_session(DWORD timeout_ms, DWORD retries) {
    HINTERNET session = InternetOpenA("Zorbel", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return nullptr;
    InternetSetOptionA(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout_ms, sizeof(timeout_ms));
    InternetSetOptionA(session, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, &timeout_ms, sizeof(timeout_ms));
    InternetSetOptionA(session, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof(retries));
    return session;
}

// A WinINet read or file handle as a stream; `session` goes with it.
class InternetStream : public Transfer {
public:
    InternetStream(HINTERNET session, HINTERNET file) : session_(session), file_(file) {}
    ~InternetStream() override {
        file_.reset();
        session_.reset();
    }
    bool read(char* buffer, size_t size, size_t* got, std::string* error) override {
        DWORD n = 0;
        if (!InternetReadFile(file_.handle, buffer, static_cast<DWORD>(size), &n)) {
            *error = system_message(GetLastError());
            return false;
        }
        *got = n;
        return true;
    }
    bool write(const char* data, size_t size, std::string* error) override {
        DWORD n = 0;
        if (!InternetWriteFile(file_.handle, data, static_cast<DWORD>(size), &n) || n != size) {
            *error = system_message(GetLastError());
            return false;
        }
        return true;
    }
    bool close(std::string* error) override {
        const bool ok = file_.handle == nullptr || InternetCloseHandle(file_.handle);
        if (!ok) *error = system_message(GetLastError());
        file_.handle = nullptr;
        return ok;
    }

private:
    InternetHandle session_;
    InternetHandle file_;
};

// InternetOpenUrlA on a thread of its own: Wine's WinINet ignores the receive time-out,
// so a server that never answers is given up after the step's 20 s by closing the
// session, which ends the call.
struct UrlOpening {
    HINTERNET session = nullptr;
    std::string url;
    HINTERNET request = nullptr;
    DWORD error = 0;
    // Set by whichever side lets go first: a request that arrives after the step gave
    // up is closed by the thread that opened it.
    LONG abandoned = 0;
};

DWORD WINAPI open_url_thread(void* parameter) {
    auto* opening = static_cast<std::shared_ptr<UrlOpening>*>(parameter);
    std::shared_ptr<UrlOpening> job = *opening;
    delete opening;
    job->request = InternetOpenUrlA(job->session, job->url.c_str(), nullptr, 0,
                                    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    if (!job->request) job->error = GetLastError();
    if (InterlockedExchange(&job->abandoned, 1) != 0 && job->request) InternetCloseHandle(job->request);
    return 0;
}

class LocalFile : public Transfer {
public:
    explicit LocalFile(HANDLE file) : file_(file) {}
    ~LocalFile() override { CloseHandle(file_); }
    bool read(char* buffer, size_t size, size_t* got, std::string* error) override {
        DWORD n = 0;
        if (!ReadFile(file_, buffer, static_cast<DWORD>(size), &n, nullptr)) {
            *error = system_message(GetLastError());
            return false;
        }
        *got = n;
        return true;
    }
    bool write(const char*, size_t, std::string* error) override {
        *error = "read only";
        return false;
    }
    bool close(std::string*) override { return true; }

private:
    HANDLE file_;
};

class WinFtpSession : public FtpSession {
public:
    WinFtpSession(HINTERNET session, HINTERNET connection) : session_(session), connection_(connection) {}
    ~WinFtpSession() override {
        connection_.reset();
        session_.reset();
    }
    std::unique_ptr<Transfer> open_file(const std::string& path, bool for_writing, std::string* error) override;
    bool delete_file(const std::string& path, std::string* error) override {
        return done(FtpDeleteFileA(connection_.handle, path.c_str()), "Delete File %d\r\n", error);
    }
    bool create_folder(const std::string& path, std::string* error) override {
        return done(FtpCreateDirectoryA(connection_.handle, path.c_str()), "Create Directory %d\r\n", error);
    }
    bool remove_folder(const std::string& path, std::string* error) override {
        return done(FtpRemoveDirectoryA(connection_.handle, path.c_str()), "Remove Directory %d\r\n", error);
    }
    HINTERNET connection() const { return connection_.handle; }

private:
    static bool done(BOOL ok, const char* message, std::string* error) {
        if (!ok) *error = format(message, static_cast<int>(GetLastError()));
        return ok != FALSE;
    }
    InternetHandle session_;
    InternetHandle connection_;
};

// An upload is complete when its handle closed cleanly and the server lists the file
// with every byte sent.
class FtpUpload : public Transfer {
public:
    FtpUpload(WinFtpSession& session, HINTERNET file, std::string path)
        : session_(session), file_(file), path_(std::move(path)) {}
    bool read(char*, size_t, size_t*, std::string* error) override {
        *error = "write only";
        return false;
    }
    bool write(const char* data, size_t size, std::string* error) override {
        DWORD n = 0;
        if (!InternetWriteFile(file_.handle, data, static_cast<DWORD>(size), &n) || n != size) {
            *error = format("InternetWriteFile %d", static_cast<int>(GetLastError()));
            return false;
        }
        sent_ += n;
        return true;
    }
    bool close(std::string* error) override {
        const BOOL closed = InternetCloseHandle(file_.handle);
        file_.handle = nullptr;
        if (!closed) {
            *error = format("InternetCloseHandle %d", static_cast<int>(GetLastError()));
            return false;
        }
        WIN32_FIND_DATAA found = {};
        HINTERNET find = FtpFindFirstFileA(session_.connection(), path_.c_str(), &found, INTERNET_FLAG_RELOAD, 0);
        if (!find) return true;  // a server that lists nothing cannot be asked
        InternetCloseHandle(find);
        const uint64_t size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        if (size == sent_) return true;
        *error = format("the server holds %lu bytes", static_cast<unsigned long>(size));
        return false;
    }

private:
    WinFtpSession& session_;
    InternetHandle file_;
    std::string path_;
    uint64_t sent_ = 0;
};

std::unique_ptr<Transfer> WinFtpSession::open_file(const std::string& path, bool for_writing, std::string* error) {
    HINTERNET file = FtpOpenFileA(connection_.handle, path.c_str(), for_writing ? GENERIC_WRITE : GENERIC_READ,
                                  FTP_TRANSFER_TYPE_BINARY, 0);
    if (!file) {
        *error = format("FTP Open File %d\r\n", static_cast<int>(GetLastError()));
        return nullptr;
    }
    if (for_writing) return std::make_unique<FtpUpload>(*this, file, path);
    return std::make_unique<InternetStream>(nullptr, file);
}

class WinNetworkDesktop : public NetworkDesktop {
public:
    bool connected() override {
        DWORD flags = 0;
        if (InternetGetConnectedState(&flags, 0)) return true;
        if (!InternetAutodial(INTERNET_AUTODIAL_FORCE_ONLINE, GetForegroundWindow())) return false;
        return InternetGetConnectedState(&flags, 0) != FALSE;
    }

    bool start_program(const std::string& command, bool visible) override {
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = static_cast<WORD>(visible ? SW_SHOWNORMAL : SW_HIDE);
        PROCESS_INFORMATION pi = {};
        if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
            return true;
        }
        // A document, a registered program name or a link: the shell knows.
        std::string file = command, parameters;
        if (!file.empty() && file[0] != '"' && GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
            const size_t blank = file.find(' ');
            if (blank != std::string::npos) {
                parameters = file.substr(blank + 1);
                file.resize(blank);
            }
        }
        const INT_PTR started = reinterpret_cast<INT_PTR>(ShellExecuteA(
            nullptr, "open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(), nullptr,
            visible ? SW_SHOWNORMAL : SW_HIDE));
        return started > 32;
    }

    std::string web_page_launcher() override {
        char path[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (AssocQueryStringA(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, ".htm", "open", path, &size) == S_OK &&
            path[0] != '\0')
            return path;
        char* name = nullptr;
        if (SearchPathA(nullptr, "IEXPLORE.EXE", nullptr, MAX_PATH, path, &name) > 0) return path;
        return "";
    }

    std::unique_ptr<Transfer> open_url(const std::string& url, std::string* error) override {
        InternetHandle session(open_session(kHttpTimeoutMs, 3));
        if (!session.handle) {
            *error = "InternetOpen Error\r\n";
            return nullptr;
        }
        auto job = std::make_shared<UrlOpening>();
        job->session = session.handle;
        job->url = url;
        HANDLE thread = CreateThread(nullptr, 0, open_url_thread, new std::shared_ptr<UrlOpening>(job), 0, nullptr);
        if (!thread) {
            *error = format("InternetOpenUrl %d: %s\r\n", static_cast<int>(GetLastError()), url.c_str());
            return nullptr;
        }
        if (WaitForSingleObject(thread, kHttpTimeoutMs + 2000) != WAIT_OBJECT_0 &&
            InterlockedExchange(&job->abandoned, 1) == 0) {
            // Closing the session ends the waiting call; the thread keeps its own share
            // and closes a late request itself.
            session.reset();
            WaitForSingleObject(thread, 5000);
            CloseHandle(thread);
            *error = format("InternetOpenUrl %d: %s\r\n", ERROR_INTERNET_TIMEOUT, url.c_str());
            return nullptr;
        }
        CloseHandle(thread);
        if (!job->request) {
            *error = format("InternetOpenUrl %d: %s\r\n", static_cast<int>(job->error), url.c_str());
            return nullptr;
        }
        InternetHandle request(job->request);
        DWORD status = 0, size = sizeof(status), index = 0;
        if (HttpQueryInfoA(request.handle, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, &index) &&
            status >= 400) {
            *error = format("The server answered %lu for %s\r\n", static_cast<unsigned long>(status), url.c_str());
            return nullptr;
        }
        HINTERNET s = session.handle, r = request.handle;
        session.handle = request.handle = nullptr;
        return std::make_unique<InternetStream>(s, r);
    }

    std::unique_ptr<FtpSession> ftp_connect(const ServerAddress& server, const std::string& user,
                                            const std::string& password, std::string* error) override {
        HINTERNET session = open_session(kFtpTimeoutMs, 10);
        if (!session) {
            *error = format("InternetOpen %d\r\n", static_cast<int>(GetLastError()));
            return nullptr;
        }
        HINTERNET connection =
            InternetConnectA(session, server.host.c_str(), server.port, user.empty() ? nullptr : user.c_str(),
                             user.empty() ? nullptr : password.c_str(), INTERNET_SERVICE_FTP, INTERNET_FLAG_PASSIVE, 0);
        if (!connection) {
            *error = format("InternetConnect %d\r\n", static_cast<int>(GetLastError()));
            InternetCloseHandle(session);
            return nullptr;
        }
        return std::make_unique<WinFtpSession>(session, connection);
    }

    std::unique_ptr<Transfer> open_local_file(const std::string& path, std::string* error) override {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            *error = format("Create File %d\r\n", static_cast<int>(GetLastError()));
            return nullptr;
        }
        return std::make_unique<LocalFile>(file);
    }

    uint32_t ping(const std::string& host, uint32_t timeout_ms, std::string* error) override;
    bool run_hidden(const std::string& command, uint32_t wait_ms, std::string* output) override;
};

}  // namespace

NetworkDesktop* system_network_desktop() {
    static WinNetworkDesktop network;
    return &network;
}

// Defined in ping_win.cpp.
uint32_t ping_host(const std::string& host, uint32_t timeout_ms, std::string* error);
bool run_hidden_command(const std::string& command, uint32_t wait_ms, std::string* output);

uint32_t WinNetworkDesktop::ping(const std::string& host, uint32_t timeout_ms, std::string* error) {
    return ping_host(host, timeout_ms, error);
}

bool WinNetworkDesktop::run_hidden(const std::string& command, uint32_t wait_ms, std::string* output) {
    return run_hidden_command(command, wait_ms, output);
}

}  // namespace zorbel
