#include "actions/internet/server_address.h"

#include "core/text_rules.h"

namespace zorbel {

bool parse_server_address(std::string_view text, uint16_t default_port, ServerAddress* out, std::string* error) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        out->host = std::string(text);
        out->port = default_port;
    } else {
        const std::string_view port = text.substr(colon + 1);
        bool digits = !port.empty() && port.size() <= 5;
        for (char c : port) digits = digits && c >= '0' && c <= '9';
        const long number = digits ? std::stol(std::string(port)) : 0;
        if (text.find(':', colon + 1) != std::string_view::npos || !digits || number < 1 || number > 65535) {
            *error = format("Invalid server name \"%.*s\": the port after \":\" must be a number from 1 to 65535",
                            static_cast<int>(text.size()), text.data());
            return false;
        }
        out->host = std::string(text.substr(0, colon));
        out->port = static_cast<uint16_t>(number);
    }
    if (out->host.empty()) {
        *error = "Missing server name";
        return false;
    }
    return true;
}

bool parse_ftp_target(std::string_view text, FtpTarget* out, std::string* error) {
    if (starts_with_ignore_case(text, "ftp://")) text.remove_prefix(6);
    const size_t slash = text.find('/');
    const std::string_view host = slash == std::string_view::npos ? text : text.substr(0, slash);
    out->path = slash == std::string_view::npos ? std::string("/") : std::string(text.substr(slash));
    return parse_server_address(host, kFtpPort, &out->server, error);
}

}  // namespace zorbel
