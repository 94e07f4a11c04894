#include "actions/mail/pop3_client.h"

#include "actions/mail/recipients.h"
#include "actions/mail/reply_reader.h"
#include "core/text_rules.h"

namespace zorbel {

std::string pop3_request_problem(const Pop3Request& request) {
    if (has_line_break(request.user)) return "The POP3 login holds a line break";
    if (has_line_break(request.password)) return "The POP3 password holds a line break";
    return "";
}

namespace {

class Pop3Dialogue {
public:
    Pop3Dialogue(MailConnection& connection, std::string* error)
        : connection_(connection), reader_(connection, kPop3ReplyTimeoutMs), error_(error) {}

    // One status line; false unless it starts "+".
    bool status(const char* label, std::string* reply) {
        const ReadStatus got = reader_.line(reply, kPop3LineLimit);
        if (got != ReadStatus::kOk) {
            *error_ = format("Socket %s: %s\r\n", label, read_status_text(got));
            return false;
        }
        if (reply->empty() || (*reply)[0] != '+') {
            std::string text = *reply;
            if (text.rfind("-ERR ", 0) == 0) text.erase(0, 5);
            *error_ = format("%s\r\n%s\r\n", text.c_str(), label);
            return false;
        }
        return true;
    }
    bool command(const std::string& line, const char* label, std::string* reply) {
        if (!connection_.send(line, error_)) return false;
        return status(label, reply);
    }
    // A multi-line reply after its status line: every line to the "." line, lines that
    // start with ".." given back their single ".", at most `limit` bytes kept. The whole
    // reply as the server framed it (status line first) goes to `*reply`.
    bool lines(const char* label, size_t limit, std::string* reply, bool* cut) {
        std::string line;
        *cut = false;
        for (;;) {
            const ReadStatus got = reader_.line(&line, kPop3LineLimit > limit ? kPop3LineLimit : limit);
            if (got != ReadStatus::kOk) {
                *error_ = format("Socket %s: %s\r\n", label, read_status_text(got));
                return false;
            }
            if (line == ".") break;
            if (line.rfind("..", 0) == 0) line.erase(0, 1);
            if (reply->size() + line.size() + 2 > limit) {
                *cut = true;
                return true;
            }
            *reply += line + "\r\n";
        }
        *reply += ".\r\n";
        return true;
    }

private:
    MailConnection& connection_;
    ReplyReader reader_;
    std::string* error_;
};

bool fail_with(std::string* error, const char* text) {
    *error = text;
    return false;
}

}  // namespace

bool pop3_session(MailConnection& connection, const Pop3Request& request, Pop3Result* result, std::string* error) {
    Pop3Dialogue pop3(connection, error);
    std::string reply;
    if (!pop3.status("Greeting", &reply)) return fail_with(error, "No result");
    if (!pop3.command(format("user %s\r\n", request.user.c_str()), "Username", &reply))
        return fail_with(error, "Username error");
    if (!pop3.command(format("pass %s\r\n", request.password.c_str()), "Password", &reply))
        return fail_with(error, "Password error");
    if (!pop3.command("stat\r\n", "Stat", &result->stat_reply)) return fail_with(error, "'stat' error");

    if (request.operation == Pop3Operation::kDelete) {
        // From here on a failure leaves without QUIT: QUIT would commit the deletion.
        if (!pop3.command(format("dele %d\r\n", request.message), "Delete Message", &reply))
            return fail_with(error, "'dele' error");
        result->out = reply;
        std::string bye;
        result->quit_sent = true;
        if (!pop3.command("QUIT\r\n", "Quit", &bye)) {
            *error = "'quit' error: the server did not confirm the deletion\r\n" + *error;
            return false;
        }
        return true;
    }

    bool cut = false;
    if (!pop3.command("list\r\n", "Message List", &result->list_reply) ||
        !pop3.lines("Message List", 1u << 20, &result->list_reply, &cut))
        return fail_with(error, "'list' error");
    std::string& retr = result->retr_reply;
    const size_t limit = (request.out_size < 256 ? 256 : request.out_size) - 1;
    if (!pop3.command(format("retr %d\r\n", request.message), "Retrieve Message", &retr)) return false;
    retr += "\r\n";
    if (!pop3.lines("Retrieve Message", limit, &retr, &cut)) return false;
    if (!cut) {
        result->quit_sent = true;
        std::string bye;
        pop3.command("QUIT\r\n", "Quit", &bye);
    }
    result->out = pop3_output(retr, request.out_size);
    return true;
}

std::string pop3_output(std::string_view reply, size_t out_size) {
    std::string out;
    const size_t subject = find_ignore_case(reply, "Subject: ");
    if (subject != std::string_view::npos) {
        size_t end = reply.find("\r\n", subject);
        if (end == std::string_view::npos) end = reply.size();
        out = std::string(reply.substr(subject, end - subject)) + "\r\nMessage: ";
    }
    std::string_view body = reply;
    const size_t content = reply.rfind("Content-");
    if (content != std::string_view::npos) {
        const size_t blank = reply.find("\r\n\r\n", content);
        body = blank == std::string_view::npos ? std::string_view() : reply.substr(blank + 4);
    }
    const size_t room = out_size > out.size() + 1 ? out_size - out.size() - 1 : 0;
    out.append(body.substr(0, room));
    const size_t end = out.rfind("\r\n.\r\n");
    if (end != std::string::npos) out.resize(end);
    while (out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0) out.resize(out.size() - 2);
    return out;
}

}  // namespace zorbel
