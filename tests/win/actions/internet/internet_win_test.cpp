// The Internet family against real servers on 127.0.0.1 through WinINet and Winsock.
#include <gtest/gtest.h>
#include <windows.h>

#include "actions/internet/stored_password.h"
#include "tests/win/actions/internet/test_servers.h"
#include "tests/win/support/system_run_rig.h"

namespace zorbel {
namespace {

using namespace wintest;

class InternetWin : public ::testing::Test {
protected:
    // A step that saves its result into `file` (bit 22).
    Step& step(const char* action, const std::string& text) {
        Step& s = rig.only(action, text);
        s.options = kOptionResultToFile;
        copy_to_field(s.value[6], saved);
        return s;
    }
    int run(Step& s) { return rig.run_as(s, 10); }

    SystemRunRig rig;
    wintest::TempFolder folder;
    const std::string saved = folder / "saved.txt";
};

TEST_F(InternetWin, DownloadsAndPosts) {
    TestServer http("http");
    ASSERT_TRUE(http.ready());
    struct Row {
        const char* action;
        const char* path;
        std::string content;
    } rows[] = {
        {"Download", "/page", "<html><head><title>Zorbel</title>"},
        {"HTTP Post", "/echo?name=Zorbel&x=1", "query: name=Zorbel&x=1"},
        {"Save Web Page HTML", "/page", "<html><head><title>Zorbel</title>"},
        {"Save Web Page Text", "/page", "Zorbel news\r\n\r\n* One\r\n* Two\r\nFish & chips"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.action);
        DeleteFileA(saved.c_str());
        Step& s = step(r.action, http.url(r.path));
        ASSERT_EQ(kStepSucceeded, run(s)) << rig.run.error_text;
        const std::string got = read_file(saved);
        if (std::string(r.action) == "Save Web Page Text") {
            EXPECT_EQ(r.content, got);
        } else {
            EXPECT_EQ(0u, got.find(r.content)) << got.substr(0, 200);
        }
    }
}

// A page over 4 MB is cut at 4193279 bytes, and an endless one ends there too.
TEST_F(InternetWin, LargeAndEndlessPagesAreCut) {
    TestServer http("http");
    ASSERT_TRUE(http.ready());
    for (const char* path : {"/big", "/endless"}) {
        SCOPED_TRACE(path);
        DeleteFileA(saved.c_str());
        Step& s = step("Download", http.url(path));
        ASSERT_EQ(kStepSucceeded, run(s)) << rig.run.error_text;
        EXPECT_EQ(4193279u, read_file(saved).size());
    }
}

TEST_F(InternetWin, BrokenAnswers) {
    TestServer http("http");
    ASSERT_TRUE(http.ready());
    Step& missing = step("Download", http.url("/missing"));
    EXPECT_EQ(kStepFailed, run(missing));
    EXPECT_EQ("The server answered 404 for " + http.url("/missing") + "\r\n", rig.run.error_text);
    // Closed after 1000 of 100000 bytes: what came is the result.
    Step& cut = step("Download", http.url("/cut"));
    EXPECT_EQ(kStepSucceeded, run(cut)) << rig.run.error_text;
    EXPECT_EQ(std::string(1000, 'y'), read_file(saved));
    Step& refused = step("Download", "http://127.0.0.1:1/");
    EXPECT_EQ(kStepFailed, run(refused));
    EXPECT_EQ(0u, rig.run.error_text.find("InternetOpenUrl 120")) << rig.run.error_text;
}

// WinINet would wait about 90 s for a server that never answers; the step gives up
// after its 20 s.
TEST_F(InternetWin, SilentServerIsGivenUp) {
    TestServer http("http");
    ASSERT_TRUE(http.ready());
    Step& s = step("Download", http.url("/silent"));
    const DWORD begin = GetTickCount();
    EXPECT_EQ(kStepFailed, run(s));
    EXPECT_LT(GetTickCount() - begin, 40000u);
    EXPECT_EQ("InternetOpenUrl 12002: " + http.url("/silent") + "\r\n", rig.run.error_text);
}

TEST_F(InternetWin, FtpOperations) {
    TestServer ftp("ftp");
    ASSERT_TRUE(ftp.ready());
    const std::string server = "ftp://" + ftp.address();
    auto ftp_step = [&](const char* action, const std::string& path) -> Step& {
        Step& s = step(action, server + path);
        copy_to_field(s.value[1], rotate_password_forward("secret"));
        copy_to_field(s.value[2], "bob");
        return s;
    };
    Step& download = ftp_step("FTP Download", "/srv/a.txt");
    ASSERT_EQ(kStepSucceeded, run(download)) << rig.run.error_text;
    EXPECT_EQ("file a in srv", read_file(saved));

    const std::string local = folder / "up.bin";
    std::string bytes;
    for (int i = 0; i < 10000; ++i) bytes += static_cast<char>(i * 7);
    ASSERT_TRUE(write_file(local, bytes));
    EXPECT_EQ(kStepSucceeded, run(ftp_step("FTP Create Folder", "/new"))) << rig.run.error_text;
    Step& upload = ftp_step("FTP Upload", "/new/up.bin");
    copy_to_field(upload.value[6], local);
    EXPECT_EQ(kStepSucceeded, run(upload)) << rig.run.error_text;
    EXPECT_EQ(bytes, ftp.file("root\\new\\up.bin"));

    ASSERT_TRUE(write_file(local, ""));
    Step& empty = ftp_step("FTP Upload", "/new/empty.bin");
    copy_to_field(empty.value[6], local);
    EXPECT_EQ(kStepFailed, run(empty));

    EXPECT_EQ(kStepSucceeded, run(ftp_step("FTP Delete File", "/new/up.bin"))) << rig.run.error_text;
    EXPECT_EQ(kStepSucceeded, run(ftp_step("FTP Delete File", "/new/empty.bin")));
    EXPECT_EQ(kStepSucceeded, run(ftp_step("FTP Delete Folder", "/new"))) << rig.run.error_text;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((ftp.folder() + "\\root\\new").c_str()));

    EXPECT_EQ(kStepFailed, run(ftp_step("FTP Download", "/none.txt")));
    EXPECT_EQ(0u, rig.run.error_text.find("FTP Open File ")) << rig.run.error_text;
    Step& wrong = ftp_step("FTP Delete File", "/srv/a.txt");
    copy_to_field(wrong.value[1], rotate_password_forward("wrong"));
    EXPECT_EQ(kStepFailed, run(wrong));
    EXPECT_EQ(0u, rig.run.error_text.find("InternetConnect ")) << rig.run.error_text;
}

TEST_F(InternetWin, PingAnswersOnTheLoopback) {
    Step& s = rig.only("Ping IP Address", "127.0.0.1");
    copy_to_field(s.value[2], "0");
    EXPECT_EQ(kStepSucceeded, run(s)) << rig.run.error_text;
}

// A name that does not resolve: the raw ping fails, and the ping program's output shows
// no reply whatever its exit code. (This machine's network answers echoes for any
// address, so an unreachable address cannot be shown here.)
TEST_F(InternetWin, PingOfAnUnknownHostFails) {
    Step& s = rig.only("Ping IP Address", "no-such-host.invalid");
    copy_to_field(s.value[2], "1");
    const DWORD begin = GetTickCount();
    EXPECT_EQ(kStepFailed, run(s));
    EXPECT_LT(GetTickCount() - begin, 15000u);
    EXPECT_EQ(0u, rig.run.error_text.find("No reply from no-such-host.invalid within 1 seconds")) << rig.run.error_text;
}

}  // namespace
}  // namespace zorbel
