#include "actions/mail/mail_steps.h"

#include "actions/internet/server_address.h"
#include "actions/internet/stored_password.h"
#include "actions/mail/mail_desktop.h"
#include "actions/mail/mailto_link.h"
#include "actions/mail/pop3_client.h"
#include "actions/mail/recipients.h"
#include "actions/mail/smtp_client.h"
#include "engine/settings_store.h"
#include "engine/variables.h"

namespace zorbel {

namespace {

constexpr size_t kLoggedMail = 960;
constexpr size_t kLoggedReply = 254;
constexpr size_t kMailtoBodyLimit = 1048574;

MailDesktop& mail_of(RunContext& context) { return *context.desktop().mail; }

std::string logged_reply(const std::string& reply) {
    std::string out = reply.substr(0, kLoggedReply);
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

}  // namespace

int smtp_step(RunContext& context, Step& step) {
    ServerAddress server;
    std::string error;
    if (!parse_server_address(context.text_of(step.value[2]), kSmtpPort, &server, &error))
        return context.fail("%s", error.c_str());
    SmtpMail mail;
    mail.helo_name = server.host;
    mail.body = context.text_of(step.text);
    mail.subject = context.text_of(step.value[3]).substr(0, kMailFieldLimit);
    mail.sender = context.text_of(step.value[4]).substr(0, kMailFieldLimit);
    mail.recipients = cut_recipient_list(context.text_of(step.value[5]));
    const std::string problem = smtp_mail_problem(mail);
    if (!problem.empty()) return context.fail("%s", problem.c_str());
    mail.date = mail_of(context).mail_date();

    std::unique_ptr<MailConnection> connection = mail_of(context).connect(server, &error);
    if (!connection) return context.fail("%s", error.c_str());
    std::string note;
    if (!smtp_deliver(*connection, mail, &error, &note)) return context.fail("%s", error.c_str());
    if (!note.empty()) context.log("\t%s", note.c_str());
    return kStepSucceeded;
}

int pop3_step(RunContext& context, Step& step) {
    ServerAddress server;
    std::string error;
    if (!parse_server_address(context.text_of(step.text), kPop3Port, &server, &error))
        return context.fail("%s", error.c_str());
    Pop3Request request;
    request.password = context.expand(rotate_password_back(field_text(step.value[1])));
    request.user = context.text_of(step.value[2]);
    request.message = context.number_of(step.value[3]);
    if (request.message < 1) request.message = 1;
    request.operation = contains_ignore_case(step.action, "Delete") ? Pop3Operation::kDelete : Pop3Operation::kRetrieve;
    if (request.user.empty()) return context.fail("Missing Parameters");
    const std::string problem = pop3_request_problem(request);
    if (!problem.empty()) return context.fail("%s", problem.c_str());

    std::unique_ptr<MailConnection> connection = mail_of(context).connect(server, &error);
    if (!connection) return context.fail("%s", error.c_str());
    Pop3Result result;
    const bool ok = pop3_session(*connection, request, &result, &error);
    if (setting_number(*context.services.store, "SOFTWARE\\Zorbel\\LogLevel") != 0) {
        if (!result.stat_reply.empty()) context.log("\t'stat' = %s\r\n", logged_reply(result.stat_reply).c_str());
        if (!result.list_reply.empty()) context.log("\t'list' = %s\r\n", logged_reply(result.list_reply).c_str());
        if (!result.retr_reply.empty())
            context.log("\t'retr %d' = %d = %s\r\n", request.message, static_cast<int>(result.retr_reply.size()),
                        logged_reply(result.retr_reply).c_str());
    }
    if (!ok) return context.fail("%s", error.c_str());
    if (request.operation == Pop3Operation::kRetrieve)
        save_result(context.services, step.options, field_text(step.variable), result.out, step.value[6]);
    context.log("\t%s\r\n", result.out.substr(0, kLoggedMail).c_str());
    return kStepSucceeded;
}

int mapi_step(RunContext& context, Step& step) {
    MapiMessage message;
    message.body = context.text_of(step.text);
    message.recipients = split_recipients(cut_recipient_list(context.text_of(step.value[2])));
    message.subject = context.text_of(step.value[3]).substr(0, kMailFieldLimit);
    std::string error;
    if (!mail_of(context).send_mapi(message, &error)) return context.fail("%s", error.c_str());
    return kStepSucceeded;
}

int mailto_step(RunContext& context, Step& step) {
    const std::string body = context.text_of(step.text).substr(0, kMailtoBodyLimit);
    const std::string link = mailto_link(cut_recipient_list(context.text_of(step.value[2])),
                                         context.text_of(step.value[3]).substr(0, kMailFieldLimit), body);
    if (!mail_of(context).open_link(link)) return context.fail("Unable to open the link \"%.200s\"", link.c_str());
    return kStepSucceeded;
}

}  // namespace zorbel
