// Server names as mail and FTP steps take them: a host, optionally followed by ":"
// and a port 1..65535 ("mail.example.com:2525"); FTP targets also carry the remote
// path after the host and may start with "ftp://".
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zorbel {

constexpr uint16_t kSmtpPort = 25;
constexpr uint16_t kPop3Port = 110;
constexpr uint16_t kFtpPort = 21;

struct ServerAddress {
    std::string host;  // without the port
    uint16_t port = 0;
};

// Splits "host" or "host:port"; a name without ":" gets `default_port`. False (with
// `error` set) for more than one ":", an empty host or a port outside 1..65535.
bool parse_server_address(std::string_view text, uint16_t default_port, ServerAddress* out, std::string* error);

struct FtpTarget {
    ServerAddress server;
    std::string path;  // from the first "/" on; "/" when the text has none
};

// "ftp://host:port/dir/file" or "host/dir/file": the host is the text before the
// first "/", the remote path the text from there on, untouched.
bool parse_ftp_target(std::string_view text, FtpTarget* out, std::string* error);

}  // namespace zorbel
