// Mail through Winsock (SMTP and POP3 connections), Simple MAPI (MAPI32.DLL loaded at
// run time) and the shell (mailto: links).
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <mapi.h>
#include <shellapi.h>

#include <vector>

#include "actions/mail/mail_desktop_win.h"
#include "core/text_rules.h"
#include "platform/scoped_win.h"

namespace zorbel {

namespace {

class SocketConnection : public MailConnection {
public:
    explicit SocketConnection(SOCKET socket) : socket_(socket) {}
    ~SocketConnection() override {
        shutdown(socket_, SD_BOTH);
        closesocket(socket_);
        WSACleanup();
    }
    bool send(const std::string& data, std::string* error) override {
        size_t done = 0;
        while (done < data.size()) {
            const int n = ::send(socket_, data.data() + done, static_cast<int>(data.size() - done), 0);
            if (n == SOCKET_ERROR) {
                *error = format("Socket send error: %d\r\n", WSAGetLastError());
                return false;
            }
            done += static_cast<size_t>(n);
        }
        return true;
    }
    ReceiveResult receive(char* buffer, size_t size, uint32_t timeout_ms, size_t* got) override {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket_, &readable);
        timeval wait = {static_cast<long>(timeout_ms / 1000), static_cast<long>((timeout_ms % 1000) * 1000)};
        const int ready = select(0, &readable, nullptr, nullptr, &wait);
        if (ready == 0) return ReceiveResult::kTimedOut;
        if (ready == SOCKET_ERROR) return ReceiveResult::kError;
        const int n = recv(socket_, buffer, static_cast<int>(size), 0);
        if (n == 0) return ReceiveResult::kClosed;
        if (n == SOCKET_ERROR) return ReceiveResult::kError;
        *got = static_cast<size_t>(n);
        return ReceiveResult::kData;
    }

private:
    SOCKET socket_;
};

}  // namespace

std::unique_ptr<MailConnection> WinMailDesktop::connect(const ServerAddress& server, std::string* error) {
    WSADATA data;
    const int started = WSAStartup(MAKEWORD(2, 2), &data);
    if (started != 0) {
        *error = format("WSAStartup %d\r\n", started);
        return nullptr;
    }
    if (data.wVersion != MAKEWORD(2, 2)) {
        WSACleanup();
        *error = "Can't find a useable WinSock DLL\r\n";
        return nullptr;
    }
    const hostent* entry = gethostbyname(server.host.c_str());
    if (entry == nullptr || entry->h_addr_list[0] == nullptr) {
        *error = format("Failed to host server: %d\r\n", WSAGetLastError());
        WSACleanup();
        return nullptr;
    }
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        *error = format("failed to open socket: %d\r\n", WSAGetLastError());
        WSACleanup();
        return nullptr;
    }
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(server.port);
    memcpy(&to.sin_addr, entry->h_addr_list[0], sizeof(to.sin_addr));
    if (::connect(s, reinterpret_cast<const sockaddr*>(&to), sizeof(to)) == SOCKET_ERROR) {
        *error = format("Connect %s:%d failed: %d\r\n", server.host.c_str(), server.port, WSAGetLastError());
        closesocket(s);
        WSACleanup();
        return nullptr;
    }
    return std::make_unique<SocketConnection>(s);
}

std::string WinMailDesktop::mail_date() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    char date[64] = {}, time[64] = {};
    GetDateFormatA(LOCALE_SYSTEM_DEFAULT, 0, &now, "ddd dd MMM yyyy", date, sizeof(date));
    GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, TIME_FORCE24HOURFORMAT, &now, "HH':'mm':'ss tt", time, sizeof(time));
    return std::string(date) + " " + time;
}

bool WinMailDesktop::open_link(const std::string& link) {
    return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", link.c_str(), nullptr, nullptr, SW_HIDE)) > 32;
}

namespace {

template <typename Function>
Function function(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool WinMailDesktop::send_mapi(const MapiMessage& message, std::string* error) {
    const ScopedModule mapi(LoadLibraryA(library_.c_str()));
    if (!mapi) {
        *error = format("Simple MAPI is not available: %s could not be loaded (no mail program provides it here)",
                        library_.c_str());
        return false;
    }
    auto logon = function<LPMAPILOGON>(mapi.get(), "MAPILogon");
    auto logoff = function<LPMAPILOGOFF>(mapi.get(), "MAPILogoff");
    auto send = function<LPMAPISENDMAIL>(mapi.get(), "MAPISendMail");
    auto resolve = function<LPMAPIRESOLVENAME>(mapi.get(), "MAPIResolveName");
    auto free_buffer = function<LPMAPIFREEBUFFER>(mapi.get(), "MAPIFreeBuffer");
    if (!logon || !logoff || !send || !resolve || !free_buffer) {
        *error = format("Simple MAPI is not available: %s lacks the Simple MAPI functions", library_.c_str());
        return false;
    }
    LHANDLE session = 0;
    ULONG rc = logon(0, const_cast<char*>(""), const_cast<char*>(""), MAPI_LOGON_UI | MAPI_NEW_SESSION, 0, &session);
    if (rc == MAPI_USER_ABORT) {
        *error = "The MAPI logon was cancelled";
        return false;
    }
    if (rc != SUCCESS_SUCCESS) rc = logon(0, nullptr, nullptr, 0, 0, &session);
    if (rc != SUCCESS_SUCCESS) {
        *error = format("The MAPI logon failed (%lu): no mail profile is set up", static_cast<unsigned long>(rc));
        return false;
    }
    // One slot per recipient; resolved entries are freed after the send.
    std::vector<MapiRecipDesc> slots(message.recipients.empty() ? 1 : message.recipients.size());
    std::vector<lpMapiRecipDesc> resolved;
    for (size_t i = 0; i < message.recipients.size(); ++i) {
        char* token = const_cast<char*>(message.recipients[i].c_str());
        lpMapiRecipDesc entry = nullptr;
        MapiRecipDesc& slot = slots[i];
        slot = MapiRecipDesc{};
        if (resolve(session, 0, token, MAPI_DIALOG, 0, &entry) == SUCCESS_SUCCESS && entry) {
            resolved.push_back(entry);
            slot.ulReserved = entry->ulReserved;
            slot.lpszName = entry->lpszName;
            slot.lpszAddress = entry->lpszAddress;
            slot.ulEIDSize = entry->ulEIDSize;
            slot.lpEntryID = entry->lpEntryID;
        } else {
            slot.lpszName = token;
            slot.lpszAddress = token;
        }
        slot.ulRecipClass = MAPI_TO;
    }
    ::MapiMessage mail = {};
    mail.lpszSubject = const_cast<char*>(message.subject.c_str());
    mail.lpszNoteText = const_cast<char*>(message.body.c_str());
    mail.nRecipCount = static_cast<ULONG>(message.recipients.size());
    mail.lpRecips = message.recipients.empty() ? nullptr : slots.data();
    rc = send(session, 0, &mail, 0, 0);
    if (rc != SUCCESS_SUCCESS) rc = send(session, 0, &mail, MAPI_DIALOG, 0);
    for (lpMapiRecipDesc entry : resolved) free_buffer(entry);
    logoff(session, 0, 0, 0);
    if (rc != SUCCESS_SUCCESS) {
        *error = format("MAPISendMail failed (%lu)", static_cast<unsigned long>(rc));
        return false;
    }
    return true;
}

MailDesktop* system_mail_desktop() {
    static WinMailDesktop mail;
    return &mail;
}

}  // namespace zorbel
