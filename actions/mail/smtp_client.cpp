#include "actions/mail/smtp_client.h"

#include "actions/mail/recipients.h"
#include "actions/mail/reply_reader.h"
#include "core/text_rules.h"

namespace zorbel {

std::string smtp_header(const SmtpMail& mail) {
    std::string header = "DATE: " + mail.date + "\r\n";
    if (!mail.sender.empty()) header += "FROM: " + header_value(mail.sender) + "\r\n";
    header += "To: " + header_value(mail.recipients) + "\r\n";
    if (!mail.subject.empty()) header += "Subject: " + header_value(mail.subject) + "\r\n";
    header += "MIME-Version: 1.0\r\nContent-type: text/plain; charset=US-ASCII\r\n\r\n";
    return header;
}

std::string smtp_data_body(std::string_view body) {
    std::string out;
    out.reserve(body.size() + body.size() / 16 + 8);
    bool line_start = true;
    for (size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < body.size() && body[i + 1] == '\n') ++i;
            out += "\r\n";
            line_start = true;
            continue;
        }
        if (line_start && c == '.') out += '.';
        out += c;
        line_start = false;
    }
    return out + "\r\n.\r\n";
}

std::string smtp_mail_problem(const SmtpMail& mail) {
    if (has_line_break(mail.sender)) return "The sender's address holds a line break";
    for (const std::string& address : split_recipients(mail.recipients))
        if (has_line_break(address)) return "A recipient's address holds a line break";
    return "";
}

namespace {

class SmtpDialogue {
public:
    SmtpDialogue(MailConnection& connection, std::string* error)
        : connection_(connection), reader_(connection, kSmtpReplyTimeoutMs), error_(error) {}

    // Reads one whole reply (continuation lines "250-..." first) and checks its code.
    bool expect(const char* what, int wanted, int also = 0) {
        std::string reply, line;
        int code = 0;
        for (;;) {
            const ReadStatus status = reader_.line(&line, kSmtpReplyLimit);
            if (status != ReadStatus::kOk) {
                *error_ = format("SMTP: %s after %s\r\n", read_status_text(status), what);
                return false;
            }
            if (!reply.empty()) reply += "\r\n";
            reply += line;
            if (reply.size() > kSmtpReplyLimit) {
                *error_ = format("SMTP: %s after %s\r\n", read_status_text(ReadStatus::kTooLong), what);
                return false;
            }
            if (line.size() < 4 || line[3] != '-') break;
        }
        if (reply.size() >= 3) code = text_to_number(reply.substr(0, 3));
        if (code != wanted && (also == 0 || code != also)) {
            *error_ = format("The SMTP server refused %s: %s\r\n", what, reply.c_str());
            return false;
        }
        return true;
    }
    bool command(const std::string& line, const char* what, int wanted, int also = 0) {
        return connection_.send(line, error_) && expect(what, wanted, also);
    }

private:
    MailConnection& connection_;
    ReplyReader reader_;
    std::string* error_;
};

}  // namespace

bool smtp_deliver(MailConnection& connection, const SmtpMail& mail, std::string* error, std::string* note) {
    SmtpDialogue smtp(connection, error);
    if (!smtp.expect("the greeting", 220)) return false;
    if (!smtp.command("HELO " + mail.helo_name + "\r\n", "HELO", 250)) return false;
    if (!smtp.command("MAIL FROM: <" + mail.sender + ">\r\n", "the sender", 250)) return false;
    for (const std::string& address : split_recipients(mail.recipients)) {
        const std::string what = "the recipient <" + address + ">";
        if (!smtp.command("RCPT TO: <" + address + ">\r\n", what.c_str(), 250, 251)) return false;
    }
    if (!smtp.command("DATA\r\n", "DATA", 354)) return false;
    if (!smtp.command(smtp_header(mail) + smtp_data_body(mail.body), "the message", 250)) return false;
    // The message is delivered: a failing goodbye must not make a retry send it twice.
    std::string quit_error;
    SmtpDialogue goodbye(connection, &quit_error);
    if (!goodbye.command("QUIT\r\n", "QUIT", 221)) *note = quit_error;
    return true;
}

}  // namespace zorbel
