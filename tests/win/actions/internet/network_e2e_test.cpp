// End to end: zorbel.exe runs a script that saves a page as text, posts, and mails a
// line to a local mail sink, with the servers' addresses given on its command line.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/win/actions/internet/test_servers.h"
#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace {

using namespace wintest;

class NetworkEndToEnd : public ScriptRunFixture {};

TEST_F(NetworkEndToEnd, SavesAPageAndMailsALine) {
    TestServer web("http");
    TestServer mail("smtp");
    ASSERT_TRUE(web.ready() && mail.ready());
    const std::string page = folder_ / "page.txt";
    ZorbelRun r = run("network_smoke.zbx", "web=" + web.address() + " mail=" + mail.address() + " pagefile=\"" + page + "\"",
                      nullptr, 60000);
    EXPECT_EQ(0u, r.exit_code) << r.log;
    EXPECT_EQ("Zorbel news\r\n\r\n* One\r\n* Two\r\nFish & chips", read_file(page));
    EXPECT_TRUE(r.has("smoke done")) << r.log;
    EXPECT_TRUE(r.has("1 to 65535")) << r.log;  // the bad server name failed its step; the run went on
    const std::string sent = mail.file("mail-1.eml");
    EXPECT_NE(std::string::npos, sent.find("Subject: Smoke\r\n")) << sent;
    EXPECT_NE(std::string::npos, sent.find("\r\n\r\nquery: run=smoke\r\n.\r\ndone\r\n")) << sent;
    EXPECT_EQ("", mail.file("mail-2.eml"));
}

}  // namespace
}  // namespace zorbel
