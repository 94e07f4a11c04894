// What the Internet actions need from the machine: the connection state, starting a
// browser or mail program, URL and FTP transfers, local files to upload, and the
// ping. Every handle an implementation opens belongs to the object it returns and is
// closed when that object goes, on every path. The real one is network_desktop_win.cpp
// (WinINet, Winsock); native tests use a fake.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "actions/internet/server_address.h"

namespace zorbel {

// An open stream: a URL being fetched, a remote file or a local file.
class Transfer {
public:
    virtual ~Transfer() = default;
    // Reads at most `size` bytes; `*got` 0 means the end. False on an error, with the
    // reason in `*error`.
    virtual bool read(char* buffer, size_t size, size_t* got, std::string* error) = 0;
    // Writes all of `data`; false (with the reason) when not all of it went.
    virtual bool write(const char* data, size_t size, std::string* error) = 0;
    // Ends the transfer; for an upload this is when the server confirms the file.
    virtual bool close(std::string* error) = 0;
};

class FtpSession {
public:
    virtual ~FtpSession() = default;
    virtual std::unique_ptr<Transfer> open_file(const std::string& path, bool for_writing, std::string* error) = 0;
    virtual bool delete_file(const std::string& path, std::string* error) = 0;
    virtual bool create_folder(const std::string& path, std::string* error) = 0;
    virtual bool remove_folder(const std::string& path, std::string* error) = 0;
};

class NetworkDesktop {
public:
    virtual ~NetworkDesktop() = default;
    // Whether the machine is online, trying to dial when it is not.
    virtual bool connected() = 0;
    // Starts a command line without waiting; false when no method could start it.
    virtual bool start_program(const std::string& command, bool visible) = 0;
    // The program that opens ".htm" files, else Internet Explorer's path; "" for none.
    virtual std::string web_page_launcher() = 0;
    // An HTTP (or other WinINet) URL opened for reading, its answer's head received.
    virtual std::unique_ptr<Transfer> open_url(const std::string& url, std::string* error) = 0;
    virtual std::unique_ptr<FtpSession> ftp_connect(const ServerAddress& server, const std::string& user,
                                                    const std::string& password, std::string* error) = 0;
    virtual std::unique_ptr<Transfer> open_local_file(const std::string& path, std::string* error) = 0;
    // An ICMP echo: the round trip in milliseconds (at least 1), 0 on failure.
    virtual uint32_t ping(const std::string& host, uint32_t timeout_ms, std::string* error) = 0;
    // Runs a command hidden, waits at most `wait_ms` and collects what it printed.
    virtual bool run_hidden(const std::string& command, uint32_t wait_ms, std::string* output) = 0;
};

// The machine's network (for the program shell); null where there is none.
NetworkDesktop* system_network_desktop();

}  // namespace zorbel
