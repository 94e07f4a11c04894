// The SMTP dialogue of "Send Email: SMTP": greeting, HELO, MAIL FROM, one RCPT TO per
// recipient, DATA, the message with its header block and dot-stuffed body, QUIT. Each
// reply is read whole (with its continuation lines) within 30 seconds and its code
// checked; a refusal fails with the server's own words.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "actions/mail/mail_desktop.h"

namespace zorbel {

constexpr uint32_t kSmtpReplyTimeoutMs = 30000;
constexpr size_t kSmtpReplyLimit = 4096;

struct SmtpMail {
    std::string helo_name;   // the server's name as given, without a port
    std::string sender;
    std::string recipients;  // as typed (cut at a separator)
    std::string subject;
    std::string body;
    std::string date;        // "ddd dd MMM yyyy HH:mm:ss tt"
};

// The header block: DATE, FROM (with a sender), To, Subject (with one), the MIME lines
// and an empty line. Header values have their line breaks turned into blanks.
std::string smtp_header(const SmtpMail& mail);
// The body as DATA carries it: every line ended by CR LF, a leading "." doubled, and
// the terminating "\r\n.\r\n".
std::string smtp_data_body(std::string_view body);

// Why a mail cannot be sent as given (a line break in the sender or an address); "" when it can.
std::string smtp_mail_problem(const SmtpMail& mail);

// Runs the dialogue on an open connection. True once the server took the message
// (250 after the data): a failing QUIT after that is only logged in `*note`.
bool smtp_deliver(MailConnection& connection, const SmtpMail& mail, std::string* error, std::string* note);

}  // namespace zorbel
