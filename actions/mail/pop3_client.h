// The POP3 dialogue of "Check Email: POP3" and "Delete Email: POP3": greeting, user,
// pass, stat, then list and retr (multi-line replies read to their "." line) or dele.
// A failure after dele leaves without QUIT, since QUIT is what commits a deletion.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "actions/mail/mail_desktop.h"

namespace zorbel {

constexpr uint32_t kPop3ReplyTimeoutMs = 10000;
constexpr size_t kPop3LineLimit = 2047;

enum class Pop3Operation { kRetrieve = 1, kDelete = 2 };

struct Pop3Request {
    std::string user;
    std::string password;
    int message = 1;
    size_t out_size = 16777216;  // the retrieved reply keeps at most out_size - 1 bytes
    Pop3Operation operation = Pop3Operation::kRetrieve;
};

struct Pop3Result {
    std::string out;         // the step's result
    std::string stat_reply;  // for the detailed log
    std::string list_reply;
    std::string retr_reply;
    bool quit_sent = false;
};

// Why the request cannot be sent (a line break in the user or the password); "" when it can.
std::string pop3_request_problem(const Pop3Request& request);

bool pop3_session(MailConnection& connection, const Pop3Request& request, Pop3Result* result, std::string* error);

// The step's result from a retrieved reply: the Subject line, "Message: " and the body
// after the last "Content-" header block, cut at the final "." line.
std::string pop3_output(std::string_view reply, size_t out_size);

}  // namespace zorbel
