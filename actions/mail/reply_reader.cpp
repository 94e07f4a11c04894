#include "actions/mail/reply_reader.h"

namespace zorbel {

ReadStatus ReplyReader::line(std::string* out, size_t limit) {
    for (;;) {
        const size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            size_t length = end;
            if (length > 0 && pending_[length - 1] == '\r') --length;
            if (length > limit) return ReadStatus::kTooLong;
            out->assign(pending_, 0, length);
            pending_.erase(0, end + 1);
            return ReadStatus::kOk;
        }
        if (pending_.size() > limit + 1) return ReadStatus::kTooLong;
        char buffer[4096];
        size_t got = 0;
        switch (connection_.receive(buffer, sizeof(buffer), timeout_ms_, &got)) {
            case ReceiveResult::kData: pending_.append(buffer, got); break;
            case ReceiveResult::kClosed: return ReadStatus::kClosed;
            case ReceiveResult::kTimedOut: return ReadStatus::kTimedOut;
            case ReceiveResult::kError: return ReadStatus::kError;
        }
    }
}

const char* read_status_text(ReadStatus status) {
    switch (status) {
        case ReadStatus::kOk: return "an answer";
        case ReadStatus::kClosed: return "the server closed the connection";
        case ReadStatus::kTimedOut: return "no answer in time";
        case ReadStatus::kError: return "a receive error";
        case ReadStatus::kTooLong: return "an answer too long to take";
    }
    return "";
}

}  // namespace zorbel
