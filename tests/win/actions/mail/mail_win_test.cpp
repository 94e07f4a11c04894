// The mail actions against real servers on 127.0.0.1: aiosmtpd for SMTP, a scripted
// POP3 server, and a Simple MAPI library of ours beside the program.
#include <gtest/gtest.h>
#include <windows.h>

#include "actions/internet/stored_password.h"
#include "actions/mail/mail_desktop_win.h"
#include "tests/win/actions/internet/test_servers.h"
#include "tests/win/support/system_run_rig.h"

namespace zorbel {
namespace {

using namespace wintest;

Step& smtp_step(SystemRunRig& rig, const std::string& body, const std::string& server, const char* to,
                const char* subject = "Report", const char* from = "robot@zorbel.test") {
    Step& s = rig.only("Send Email: SMTP", body);
    copy_to_field(s.value[2], server);
    copy_to_field(s.value[3], subject);
    copy_to_field(s.value[4], from);
    copy_to_field(s.value[5], to);
    return s;
}

// The exact bytes the server took: the header block, then the body line by line with
// its lone "." and ".." lines intact (dot-stuffed on the wire, unstuffed by the server).
TEST(MailWin, SmtpDeliversTheExactMessage) {
    TestServer smtp("smtp");
    ASSERT_TRUE(smtp.ready());
    SystemRunRig rig;
    Step& s = smtp_step(rig, "First line\n.\nRSET\r\n..two dots\rend", smtp.address(), "ann@x.test; bob@x.test",
                        "Hi\r\nBcc: eve@x.test");
    ASSERT_EQ(kStepSucceeded, rig.run_as(s, 10)) << rig.run.error_text;
    const std::string mail = smtp.file("mail-1.eml");
    const size_t body = mail.find("\r\n\r\n");
    ASSERT_NE(std::string::npos, body) << mail;
    EXPECT_EQ("First line\r\n.\r\nRSET\r\n..two dots\r\nend\r\n", mail.substr(body + 4));
    const std::string header = mail.substr(0, body + 4);
    EXPECT_EQ(0u, header.find("DATE: ")) << header;
    EXPECT_NE(std::string::npos,
              header.find("\r\nFROM: robot@zorbel.test\r\nTo: ann@x.test; bob@x.test\r\nSubject: Hi  Bcc: eve@x.test\r\n"
                          "MIME-Version: 1.0\r\nContent-type: text/plain; charset=US-ASCII\r\n\r\n"))
        << header;
    EXPECT_EQ("HELO 127.0.0.1\nFROM robot@zorbel.test\nTO ann@x.test bob@x.test\n", smtp.file("mail-1.env"));
    EXPECT_EQ("", smtp.file("mail-2.eml"));
}

TEST(MailWin, SmtpRefusalFailsWithTheServersWords) {
    TestServer smtp("smtp", "--refuse bob@x.test");
    ASSERT_TRUE(smtp.ready());
    SystemRunRig rig;
    Step& s = smtp_step(rig, "body", smtp.address(), "ann@x.test,bob@x.test");
    EXPECT_EQ(kStepFailed, rig.run_as(s, 10));
    EXPECT_EQ("The SMTP server refused the recipient <bob@x.test>: 550 5.1.1 No such user here\r\n",
              rig.run.error_text);
    EXPECT_EQ("", smtp.file("mail-1.eml"));
}

TEST(MailWin, SmtpWithoutServerFails) {
    SystemRunRig rig;
    Step& s = smtp_step(rig, "body", "127.0.0.1:1", "ann@x.test");
    EXPECT_EQ(kStepFailed, rig.run_as(s, 10));
    EXPECT_EQ(0u, rig.run.error_text.find("Connect 127.0.0.1:1 failed: ")) << rig.run.error_text;
}

Step& pop3_step(SystemRunRig& rig, const char* action, const TestServer& server, const char* password = "secret") {
    Step& s = rig.only(action, server.address());
    copy_to_field(s.value[1], rotate_password_forward(password));
    copy_to_field(s.value[2], "bob");
    copy_to_field(s.value[3], "1");
    s.options = kOptionResultToVariable;
    copy_to_field(s.variable, "%mail%");
    return s;
}

// The server sends its list and the message in pieces: each reply is read to its "." line.
TEST(MailWin, Pop3ChecksAMessageSentInPieces) {
    TestServer pop3("pop3");
    ASSERT_TRUE(pop3.ready());
    SystemRunRig rig;
    Step& s = pop3_step(rig, "Check Email: POP3", pop3);
    ASSERT_EQ(kStepSucceeded, rig.run_as(s, 10)) << rig.run.error_text;
    std::string mail;
    rig.services.variables->read("mail", &mail);
    EXPECT_EQ("Subject: Greetings from POP3\r\nMessage: Hello Bob\r\n.hidden dot line\r\nBye", mail);
    EXPECT_EQ("user bob\npass secret\nstat\nlist\nretr 1\nQUIT\n", pop3.file("pop3.log"));
}

TEST(MailWin, Pop3WrongPasswordFails) {
    TestServer pop3("pop3");
    ASSERT_TRUE(pop3.ready());
    SystemRunRig rig;
    Step& s = pop3_step(rig, "Check Email: POP3", pop3, "guess");
    EXPECT_EQ(kStepFailed, rig.run_as(s, 10));
    EXPECT_EQ("Password error", rig.run.error_text);
}

TEST(MailWin, Pop3DeleteCommitsOnlyAfterSuccess) {
    {
        TestServer pop3("pop3");
        ASSERT_TRUE(pop3.ready());
        SystemRunRig rig;
        Step& s = pop3_step(rig, "Delete Email: POP3", pop3);
        EXPECT_EQ(kStepSucceeded, rig.run_as(s, 10)) << rig.run.error_text;
        EXPECT_EQ("1", pop3.file("deleted"));
    }
    TestServer locked("pop3", "--dele-fails");
    ASSERT_TRUE(locked.ready());
    SystemRunRig rig;
    Step& s = pop3_step(rig, "Delete Email: POP3", locked);
    EXPECT_EQ(kStepFailed, rig.run_as(s, 10));
    EXPECT_EQ("'dele' error", rig.run.error_text);
    const DWORD begin = GetTickCount();
    while (locked.file("pop3.log").find("dele 1") == std::string::npos && GetTickCount() - begin < 3000) Sleep(20);
    EXPECT_EQ("user bob\npass secret\nstat\ndele 1\n", locked.file("pop3.log"));
}

// The Simple MAPI library of ours beside the test program writes down what it was given.
TEST(MailWin, MapiHandsEveryRecipientToTheProvider) {
    wintest::TempFolder folder;
    const std::string log = folder / "mapi.log";
    SetEnvironmentVariableA("ZORBEL_MAPI_LOG", log.c_str());
    WinMailDesktop mail(module_folder() + "\\zbmapi.dll");
    SystemRunRig rig;
    rig.system.desktop.mail = &mail;
    Step& s = rig.only("Send Email: MAPI", "Hello");
    copy_to_field(s.value[2], "Bob, alice@x.test");
    copy_to_field(s.value[3], "Greetings");
    ASSERT_EQ(kStepSucceeded, rig.run_as(s, 10)) << rig.run.error_text;
    EXPECT_EQ("logon\nresolve Bob: no\nresolve alice@x.test: yes\nsend Greetings|Hello|2|Bob <Bob>|"
              "Resolved alice@x.test <SMTP:alice@x.test>|flags 0\nlogoff\n",
              read_file(log));
    SetEnvironmentVariableA("ZORBEL_MAPI_LOG", nullptr);
}

TEST(MailWin, MapiWithoutProviderFailsClearly) {
    WinMailDesktop mail("Z:\\nowhere\\MAPI32.DLL");
    SystemRunRig rig;
    rig.system.desktop.mail = &mail;
    Step& s = rig.only("Send Email: MAPI", "Hello");
    copy_to_field(s.value[2], "bob@x.test");
    EXPECT_EQ(kStepFailed, rig.run_as(s, 10));
    EXPECT_EQ("Simple MAPI is not available: Z:\\nowhere\\MAPI32.DLL could not be loaded (no mail program provides "
              "it here)",
              rig.run.error_text);
}

}  // namespace
}  // namespace zorbel
