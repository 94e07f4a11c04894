// The ICMP echo on a raw socket and the hidden run of the ping program.
#include <winsock2.h>
#include <windows.h>

#include <string>

#include "actions/internet/ping_packet.h"
#include "core/text_rules.h"

namespace zorbel {

namespace {

// Winsock started and a socket opened for as long as the object lives.
struct RawSocket {
    bool started = false;
    SOCKET socket = INVALID_SOCKET;
    ~RawSocket() {
        if (socket != INVALID_SOCKET) closesocket(socket);
        if (started) WSACleanup();
    }
};

}  // namespace

uint32_t ping_host(const std::string& host, uint32_t timeout_ms, std::string* error) {
    RawSocket raw;
    WSADATA data;
    const int started = WSAStartup(MAKEWORD(2, 2), &data);
    if (started != 0) {
        *error = format("WSAStartup %d\r\n", started);
        return 0;
    }
    raw.started = true;
    raw.socket = WSASocketA(AF_INET, SOCK_RAW, IPPROTO_ICMP, nullptr, 0, 0);
    if (raw.socket == INVALID_SOCKET) {
        *error = format("WSASocket %d\r\n", WSAGetLastError());
        return 0;
    }
    const DWORD timeout = timeout_ms;
    if (setsockopt(raw.socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout))) {
        *error = format("failed to set recv nPingTimeout: %d\r\n", WSAGetLastError());
        return 0;
    }
    if (setsockopt(raw.socket, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout))) {
        *error = format("failed to set send nPingTimeout: %d\r\n", WSAGetLastError());
        return 0;
    }
    const hostent* entry = gethostbyname(host.c_str());
    if (entry == nullptr || entry->h_addr_list[0] == nullptr) {
        *error = format("failed to gethostbyname: %d\r\n", WSAGetLastError());
        return 0;
    }
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    memcpy(&to.sin_addr, entry->h_addr_list[0], sizeof(to.sin_addr));
    const uint16_t identifier = static_cast<uint16_t>(GetCurrentProcessId() & 0xFFFF);
    const std::vector<uint8_t> request = echo_request(identifier);
    const DWORD sent_at = GetTickCount();
    if (sendto(raw.socket, reinterpret_cast<const char*>(request.data()), static_cast<int>(request.size()), 0,
               reinterpret_cast<const sockaddr*>(&to), sizeof(to)) == SOCKET_ERROR) {
        *error = format("echo request failed: %d\r\n", WSAGetLastError());
        return 0;
    }
    // Other datagrams (on the loopback our own request first) are passed over until
    // ours comes or the time is up.
    for (;;) {
        uint8_t reply[1024];
        sockaddr_in from = {};
        int from_size = sizeof(from);
        const int got = recvfrom(raw.socket, reinterpret_cast<char*>(reply), sizeof(reply), 0,
                                 reinterpret_cast<sockaddr*>(&from), &from_size);
        if (got == SOCKET_ERROR) {
            *error = format("recvfrom failed: %d\r\n", WSAGetLastError());
            return 0;
        }
        int type = -1;
        const EchoReply checked = check_echo_reply(reply, static_cast<size_t>(got), identifier, &type);
        if (checked == EchoReply::kOurs) {
            const DWORD elapsed = GetTickCount() - sent_at;
            return elapsed < 1 ? 1 : elapsed;
        }
        if (GetTickCount() - sent_at >= timeout_ms) {
            if (checked == EchoReply::kTooShort) *error = format("Too few bytes from %s\r\n", inet_ntoa(from.sin_addr));
            else if (checked == EchoReply::kNotEchoReply) *error = format("non-echo type received: %d\r\n", type);
            else *error = "someone else's packet";
            return 0;
        }
    }
}

bool run_hidden_command(const std::string& command, uint32_t wait_ms, std::string* output) {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE read_end = nullptr, write_end = nullptr;
    if (!CreatePipe(&read_end, &write_end, &inherit, 1 << 16)) return false;
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    std::string line = command;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    si.wShowWindow = SW_HIDE;
    si.hStdOutput = si.hStdError = write_end;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    const BOOL started =
        CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    CloseHandle(write_end);
    if (!started) {
        CloseHandle(read_end);
        return false;
    }
    CloseHandle(pi.hThread);
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD available = 0;
        while (PeekNamedPipe(read_end, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
            char buffer[4096];
            DWORD got = 0;
            if (!ReadFile(read_end, buffer, available < sizeof(buffer) ? available : sizeof(buffer), &got, nullptr) ||
                got == 0)
                break;
            output->append(buffer, got);
        }
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
            if (PeekNamedPipe(read_end, nullptr, 0, nullptr, &available, nullptr) && available > 0) continue;
            break;
        }
        if (GetTickCount() - start > wait_ms) {
            TerminateProcess(pi.hProcess, 1);
            WaitForSingleObject(pi.hProcess, 2000);
            break;
        }
        Sleep(20);
    }
    CloseHandle(pi.hProcess);
    CloseHandle(read_end);
    return true;
}

}  // namespace zorbel
