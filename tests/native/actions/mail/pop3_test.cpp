#include <gtest/gtest.h>

#include "actions/internet/stored_password.h"
#include "actions/mail/pop3_client.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

const char* const kMessage =
    "Subject: Greetings\r\nContent-Type: text/plain\r\n\r\nHello there\r\n..dotted line\r\n";

// A POP3 server holding one message; `refuse` makes that command answer "-ERR".
std::function<std::string(const std::string&)> pop3_server(const std::string& refuse = "",
                                                           const std::string& dele_reply = "+OK deleted\r\n") {
    return [=](const std::string& sent) -> std::string {
        if (!refuse.empty() && sent.rfind(refuse, 0) == 0) return "-ERR " + refuse + " refused\r\n";
        if (sent.rfind("stat", 0) == 0) return "+OK 1 80\r\n";
        if (sent.rfind("list", 0) == 0) return "+OK 1 messages\r\n1 80\r\n.\r\n";
        if (sent.rfind("retr", 0) == 0) return std::string("+OK 80 octets\r\n") + kMessage + ".\r\n";
        if (sent.rfind("dele", 0) == 0) return dele_reply;
        return "+OK\r\n";
    };
}

Step& pop3_step(RunRig& rig, const char* action, const char* user = "bob", const char* password = "pw") {
    rig.desktop.mail.greeting = "+OK POP3 ready\r\n";
    Step& step = rig.only(action, "pop.example.com:1100");
    copy_to_field(step.value[1], rotate_password_forward(password));
    copy_to_field(step.value[2], user);
    copy_to_field(step.value[3], "1");
    step.options = kOptionResultToClipboard;
    return step;
}

// The message is read to its "." line across as many receives as it takes, not with
// one receive that takes the rest of the list reply for the message.
TEST(Pop3, ChecksAMessageReadToItsEnd) {
    RunRig rig;
    rig.desktop.mail.answer = pop3_server();
    pop3_step(rig, "Check Email: POP3");
    ASSERT_EQ(kStepSucceeded, rig.run_step()) << rig.run.error_text;
    EXPECT_EQ("Subject: Greetings\r\nMessage: Hello there\r\n.dotted line", rig.environment.clipboard);
    EXPECT_EQ("user bob\r\npass pw\r\nstat\r\nlist\r\nretr 1\r\nQUIT\r\n", rig.desktop.mail.sent);
    EXPECT_EQ("connect pop.example.com:1100", rig.desktop.calls.front());
    EXPECT_EQ("close socket", rig.desktop.calls.back());
}

TEST(Pop3, OutputOfAPlainMessageIsTheWholeReply) {
    EXPECT_EQ("Subject: A\r\nMessage: +OK\r\nSubject: A\r\n\r\nbody",
              pop3_output("+OK\r\nSubject: A\r\n\r\nbody\r\n.\r\n", 1000));
    EXPECT_EQ("+OK\r\nx", pop3_output("+OK\r\nx\r\n\r\n.\r\n", 1000));
}

TEST(Pop3, RefusalsFailWithTheirTexts) {
    struct Row {
        const char* refuse;
        const char* error;
        bool quit;
    } rows[] = {
        {"user", "Username error", false},
        {"pass", "Password error", false},
        {"stat", "'stat' error", false},
        {"list", "'list' error", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.refuse);
        RunRig rig;
        rig.desktop.mail.answer = pop3_server(r.refuse);
        pop3_step(rig, "Check Email: POP3");
        EXPECT_EQ(kStepFailed, rig.run_step());
        EXPECT_EQ(r.error, rig.run.error_text);
        EXPECT_EQ("close socket", rig.desktop.calls.back());
    }
}

TEST(Pop3, DeleteEndsWithQuitOnlyAfterSuccess) {
    RunRig rig;
    rig.desktop.mail.answer = pop3_server();
    pop3_step(rig, "Delete Email: POP3");
    EXPECT_EQ(kStepSucceeded, rig.run_step());
    EXPECT_EQ("user bob\r\npass pw\r\nstat\r\ndele 1\r\nQUIT\r\n", rig.desktop.mail.sent);
}

// QUIT commits a deletion: after a dele that went wrong the session ends without it.
TEST(Pop3, FailedDeleteLeavesWithoutQuit) {
    for (const char* reply : {"-ERR no such message\r\n", ""}) {
        SCOPED_TRACE(reply);
        RunRig rig;
        rig.desktop.mail.answer = pop3_server("", reply);
        pop3_step(rig, "Delete Email: POP3");
        EXPECT_EQ(kStepFailed, rig.run_step());
        EXPECT_EQ("'dele' error", rig.run.error_text);
        EXPECT_EQ(std::string::npos, rig.desktop.mail.sent.find("QUIT"));
        EXPECT_EQ("close socket", rig.desktop.calls.back());
    }
}

TEST(Pop3, LineBreaksInLoginFailBeforeConnecting) {
    for (auto [user, password] : {std::pair{"bob\r\ndele 1", "pw"}, std::pair{"bob", "pw\nx"}}) {
        RunRig rig;
        pop3_step(rig, "Delete Email: POP3", user, password);
        EXPECT_EQ(kStepFailed, rig.run_step());
        EXPECT_NE(std::string::npos, rig.run.error_text.find("line break"));
        EXPECT_TRUE(rig.desktop.calls.empty());
    }
}

TEST(Pop3, SilentServerTimesOut) {
    RunRig rig;
    pop3_step(rig, "Check Email: POP3");
    rig.desktop.mail.greeting = "";
    EXPECT_EQ(kStepFailed, rig.run_step());
    EXPECT_EQ("No result", rig.run.error_text);
    EXPECT_EQ("receive 10000", rig.desktop.calls[1]);
}

TEST(Pop3, LongMessageIsCutAtTheBuffer) {
    const std::string big = "Content-Type: text/plain\r\n\r\n" + std::string(600, 'b') + "\r\n";
    std::string sent;
    std::vector<std::string> calls;
    FakeMailConnection connection(calls, &sent, [&](const std::string& s) -> std::string {
        if (s.rfind("list", 0) == 0) return "+OK\r\n.\r\n";
        if (s.rfind("retr", 0) == 0) return "+OK\r\n" + big + ".\r\n";
        return "+OK\r\n";
    }, "+OK\r\n");
    Pop3Request request;
    request.user = "u";
    request.out_size = 300;
    Pop3Result result;
    std::string error;
    ASSERT_TRUE(pop3_session(connection, request, &result, &error)) << error;
    EXPECT_LT(result.retr_reply.size(), 300u);
    EXPECT_EQ(std::string::npos, sent.find("QUIT"));
}

}  // namespace
}  // namespace zorbel
