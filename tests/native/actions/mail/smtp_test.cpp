#include <gtest/gtest.h>

#include "actions/mail/recipients.h"
#include "actions/mail/smtp_client.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

// A server that accepts everything, or answers `refused_command` with `refusal`.
std::function<std::string(const std::string&)> server(const std::string& refused_command = "",
                                                      const std::string& refusal = "") {
    return [=](const std::string& sent) -> std::string {
        if (!refused_command.empty() && sent.rfind(refused_command, 0) == 0) return refusal;
        if (sent.rfind("HELO", 0) == 0) return "250-fake greets you\r\n250 HELP\r\n";
        if (sent.rfind("DATA", 0) == 0) return "354 go ahead\r\n";
        if (sent.rfind("QUIT", 0) == 0) return "221 bye\r\n";
        return "250 OK\r\n";
    };
}

Step& smtp_step(RunRig& rig, const std::string& body, const char* server_name, const char* subject, const char* from,
                const char* to) {
    Step& step = rig.only("Send Email: SMTP", body);
    copy_to_field(step.value[2], server_name);
    copy_to_field(step.value[3], subject);
    copy_to_field(step.value[4], from);
    copy_to_field(step.value[5], to);
    return step;
}

const char* const kHeader =
    "DATE: Mon 07 Dec 2026 14:10:43 PM\r\nFROM: me@x\r\nTo: a@x; b@x\r\nSubject: Hi\r\n"
    "MIME-Version: 1.0\r\nContent-type: text/plain; charset=US-ASCII\r\n\r\n";

TEST(Smtp, SendsTheWholeDialogue) {
    RunRig rig;
    rig.desktop.mail.answer = server();
    smtp_step(rig, "line 1\r\nline 2", "mail.example.com:2525", "Hi", "me@x", "a@x; b@x");
    ASSERT_EQ(kStepSucceeded, rig.run_step()) << rig.run.error_text;
    EXPECT_EQ(std::string("HELO mail.example.com\r\nMAIL FROM: <me@x>\r\nRCPT TO: <a@x>\r\nRCPT TO: <b@x>\r\n"
                          "DATA\r\n") + kHeader + "line 1\r\nline 2\r\n.\r\nQUIT\r\n",
              rig.desktop.mail.sent);
    EXPECT_EQ("connect mail.example.com:2525", rig.desktop.calls.front());
    EXPECT_EQ("close socket", rig.desktop.calls.back());
}

// A line "." would end the mail early and the rest would reach the server as commands.
TEST(Smtp, BodyIsDotStuffedWithCrLfLines) {
    struct Row {
        const char* body;
        const char* data;
    } rows[] = {
        {"a\n.\nRSET", "a\r\n..\r\nRSET\r\n.\r\n"},
        {".start\rmid\r\n..two", "..start\r\nmid\r\n...two\r\n.\r\n"},
        {"", "\r\n.\r\n"},
        {"end\r\n", "end\r\n\r\n.\r\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.body);
        EXPECT_EQ(r.data, smtp_data_body(r.body));
    }
}

TEST(Smtp, HeaderLeavesOutEmptyFieldsAndCleansLineBreaks) {
    SmtpMail mail;
    mail.date = "D";
    mail.recipients = "a@x";
    EXPECT_EQ("DATE: D\r\nTo: a@x\r\nMIME-Version: 1.0\r\nContent-type: text/plain; charset=US-ASCII\r\n\r\n",
              smtp_header(mail));
    mail.subject = "Hi\r\nBcc: victim@y";
    EXPECT_NE(std::string::npos, smtp_header(mail).find("Subject: Hi  Bcc: victim@y\r\n"));
}

TEST(Smtp, EmptySenderStillSendsMailFrom) {
    RunRig rig;
    rig.desktop.mail.answer = server();
    smtp_step(rig, "b", "h", "", "", "a@x");
    ASSERT_EQ(kStepSucceeded, rig.run_step());
    EXPECT_NE(std::string::npos, rig.desktop.mail.sent.find("MAIL FROM: <>\r\n"));
    EXPECT_EQ(std::string::npos, rig.desktop.mail.sent.find("FROM: \r\n"));
    EXPECT_EQ(std::string::npos, rig.desktop.mail.sent.find("Subject:"));
}

// Replies are read and checked; a refusal fails with the server's words, and nothing
// after the refused command is sent. Every path closes the socket.
TEST(Smtp, RefusalsAndSilenceFailTheStep) {
    struct Row {
        const char* name;
        std::string greeting;
        std::string refused;
        std::string refusal;
        const char* error;
        const char* last_sent;
    } rows[] = {
        {"greeting", "554 go away\r\n", "", "", "The SMTP server refused the greeting: 554 go away\r\n", ""},
        {"silent", "", "", "", "SMTP: no answer in time after the greeting\r\n", ""},
        {"recipient", "220 hi\r\n", "RCPT TO: <b@x>", "550 5.1.1 no such user\r\n",
         "The SMTP server refused the recipient <b@x>: 550 5.1.1 no such user\r\n", "RCPT TO: <b@x>\r\n"},
        {"data", "220 hi\r\n", "DATA", "451 later\r\n", "The SMTP server refused DATA: 451 later\r\n", "DATA\r\n"},
        {"message", "220 hi\r\n", "DATE:", "552 too big\r\n", "The SMTP server refused the message: 552 too big\r\n",
         ""},
        {"too long", "220 hi\r\n", "HELO", std::string(5000, 'x'), "SMTP: an answer too long to take after HELO\r\n",
         "HELO h\r\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        RunRig rig;
        rig.desktop.mail.greeting = r.greeting;
        rig.desktop.mail.answer = server(r.refused, r.refusal);
        smtp_step(rig, "body", "h", "s", "me@x", "a@x;b@x");
        EXPECT_EQ(kStepFailed, rig.run_step());
        EXPECT_EQ(r.error, rig.run.error_text);
        const std::string& sent = rig.desktop.mail.sent;
        if (*r.last_sent) {
            EXPECT_EQ(sent.size() - strlen(r.last_sent), sent.rfind(r.last_sent));
        }
        if (*r.last_sent == 0 && r.greeting != "220 hi\r\n") {
            EXPECT_EQ("", sent);
        }
        EXPECT_EQ(std::string::npos, sent.find("QUIT"));
        EXPECT_EQ("close socket", rig.desktop.calls.back());
    }
}

TEST(Smtp, EveryReadHasItsTimeLimit) {
    RunRig rig;
    rig.desktop.mail.greeting = "";
    smtp_step(rig, "b", "h", "", "", "a@x");
    rig.run_step();
    EXPECT_EQ("receive 30000", rig.desktop.calls[1]);
}

// The mail was taken: a QUIT that goes wrong must not make a retry send it twice.
TEST(Smtp, QuitFailureAfterDeliveryStillSucceeds) {
    RunRig rig;
    rig.desktop.mail.answer = server("QUIT", "");
    smtp_step(rig, "b", "h", "", "", "a@x");
    EXPECT_EQ(kStepSucceeded, rig.run_step());
    EXPECT_NE(std::string::npos, rig.log().find("after QUIT"));
}

TEST(Smtp, LineBreaksInCommandsFailBeforeConnecting) {
    for (const char* from : {"me@x\r\nRCPT TO: <evil@y>", "me@x\rX"}) {
        RunRig rig;
        smtp_step(rig, "b", "h", "", from, "a@x");
        EXPECT_EQ(kStepFailed, rig.run_step());
        EXPECT_EQ("The sender's address holds a line break", rig.run.error_text);
        EXPECT_TRUE(rig.desktop.calls.empty());
    }
    RunRig rig;
    smtp_step(rig, "b", "h", "", "", "a@x\rRSET");
    EXPECT_EQ(kStepFailed, rig.run_step());
    EXPECT_TRUE(rig.desktop.calls.empty());
}

TEST(Smtp, BadPortFailsWithoutConnecting) {
    RunRig rig;
    smtp_step(rig, "b", "h:99999", "", "", "a@x");
    EXPECT_EQ(kStepFailed, rig.run_step());
    EXPECT_NE(std::string::npos, rig.run.error_text.find("1 to 65535"));
    EXPECT_TRUE(rig.desktop.calls.empty());
}

TEST(Recipients, SplitAndCutOnlyAtSeparators) {
    EXPECT_EQ((std::vector<std::string>{"a@x", "b@x", "c", "d"}), split_recipients(" a@x;b@x,\tc\nd ;"));
    std::string list;
    while (list.size() < 250) list += "someone@example.com, ";
    list += "last.person@example.com";
    const std::string cut = cut_recipient_list(list);
    EXPECT_LE(cut.size(), kMailFieldLimit);
    const std::vector<std::string> tokens = split_recipients(cut);
    EXPECT_EQ("someone@example.com", tokens.back());
    EXPECT_EQ("short@x", cut_recipient_list("short@x"));
}

}  // namespace
}  // namespace zorbel
