// What the mail actions need from the machine: TCP connections to mail servers, the
// Simple MAPI provider and the shell for mailto links. A connection's socket is closed
// when the connection object goes, on every path. The real one is
// mail_desktop_win.cpp (Winsock, MAPI32.DLL loaded at run time, ShellExecute).
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "actions/internet/server_address.h"

namespace zorbel {

enum class ReceiveResult { kData, kClosed, kTimedOut, kError };

class MailConnection {
public:
    virtual ~MailConnection() = default;
    // Sends all of `data`; false (with the reason) when the socket refused it.
    virtual bool send(const std::string& data, std::string* error) = 0;
    // Waits at most `timeout_ms` for data and receives at most `size` bytes.
    virtual ReceiveResult receive(char* buffer, size_t size, uint32_t timeout_ms, size_t* got) = 0;
};

struct MapiMessage {
    std::string subject;
    std::string body;
    std::vector<std::string> recipients;  // one slot each
};

class MailDesktop {
public:
    virtual ~MailDesktop() = default;
    virtual std::unique_ptr<MailConnection> connect(const ServerAddress& server, std::string* error) = 0;
    // The current UTC time as the Date header shows it: "ddd dd MMM yyyy HH:mm:ss tt".
    virtual std::string mail_date() = 0;
    // Hands the message to the Simple MAPI provider; false with the reason.
    virtual bool send_mapi(const MapiMessage& message, std::string* error) = 0;
    // Opens a mailto: link through the shell.
    virtual bool open_link(const std::string& link) = 0;
};

MailDesktop* system_mail_desktop();

}  // namespace zorbel
