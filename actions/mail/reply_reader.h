// Reading a mail server's replies line by line from a connection, each wait bounded
// in time and each reply bounded in size, so neither a silent nor an endless server
// holds a step for ever.
#pragma once
#include <cstdint>
#include <string>

#include "actions/mail/mail_desktop.h"

namespace zorbel {

enum class ReadStatus { kOk, kClosed, kTimedOut, kError, kTooLong };

class ReplyReader {
public:
    ReplyReader(MailConnection& connection, uint32_t timeout_ms) : connection_(connection), timeout_ms_(timeout_ms) {}

    // One line without its CR LF (a lone LF ends a line too); at most `limit` bytes.
    ReadStatus line(std::string* out, size_t limit);

private:
    MailConnection& connection_;
    uint32_t timeout_ms_;
    std::string pending_;
};

// A short text for a status, to finish "... after <command>".
const char* read_status_text(ReadStatus status);

}  // namespace zorbel
