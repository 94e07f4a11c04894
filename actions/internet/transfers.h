// Reading and sending whole transfers with bounded buffers: a download keeps at most
// its buffer's worth and stops reading there (an endless answer ends too); an upload
// is complete only when the source was read to its end, every write went and the
// server confirmed the close.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "actions/internet/network_desktop.h"

namespace zorbel {

// Buffers of the actions: a download or web page keeps 4193279 bytes (its 4193280-byte
// buffer stays NUL-terminated), HTTP Post 16 MB less one, FTP Download 64 MB.
constexpr size_t kDownloadBuffer = 4193280;
constexpr size_t kPostBuffer = 16777216;
constexpr size_t kFtpDownloadLimit = 67108864;
constexpr size_t kHttpChunk = 2048;
constexpr size_t kFtpChunk = 2047;

struct Received {
    std::string bytes;      // what was kept
    bool truncated = false; // more was there than the limit let in
};

// Reads chunks of at most `chunk` bytes, each at most the room left under `limit`.
// A read error before any byte fails (`*error` set); after some bytes the bytes so far
// are the result.
bool receive_bounded(Transfer& source, size_t chunk, size_t limit, Received* out, std::string* error);

// Sends `source` to `target` in chunks of `chunk` bytes; the number of bytes sent, or
// -1 with `*error` set when a read, a write or the target's close failed.
int64_t send_all(Transfer& source, Transfer& target, size_t chunk, std::string* error);

}  // namespace zorbel
