#include "actions/internet/transfers.h"

#include <vector>

#include "core/text_rules.h"

namespace zorbel {

bool receive_bounded(Transfer& source, size_t chunk, size_t limit, Received* out, std::string* error) {
    std::vector<char> buffer(chunk);
    out->bytes.clear();
    out->truncated = false;
    for (;;) {
        const size_t room = limit - out->bytes.size();
        if (room == 0) {
            // Full: one byte more tells whether anything was cut.
            size_t got = 0;
            std::string ignored;
            out->truncated = source.read(buffer.data(), 1, &got, &ignored) && got > 0;
            return true;
        }
        size_t got = 0;
        if (!source.read(buffer.data(), room < chunk ? room : chunk, &got, error)) return !out->bytes.empty();
        if (got == 0) return true;
        out->bytes.append(buffer.data(), got);
    }
}

int64_t send_all(Transfer& source, Transfer& target, size_t chunk, std::string* error) {
    std::vector<char> buffer(chunk);
    int64_t sent = 0;
    for (;;) {
        size_t got = 0;
        if (!source.read(buffer.data(), chunk, &got, error)) {
            *error = format("Reading the local file failed after %ld bytes: %s\r\n", static_cast<long>(sent),
                            error->c_str());
            return -1;
        }
        if (got == 0) break;
        if (!target.write(buffer.data(), got, error)) {
            *error = format("Sending failed after %ld bytes: %s\r\n", static_cast<long>(sent), error->c_str());
            return -1;
        }
        sent += static_cast<int64_t>(got);
    }
    if (!target.close(error)) {
        *error = format("The server did not confirm the file after %ld bytes: %s\r\n", static_cast<long>(sent),
                        error->c_str());
        return -1;
    }
    return sent;
}

}  // namespace zorbel
