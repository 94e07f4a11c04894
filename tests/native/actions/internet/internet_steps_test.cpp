#include <gtest/gtest.h>

#include <algorithm>

#include "actions/internet/stored_password.h"
#include "actions/internet/transfers.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

bool has_call(const RunRig& rig, const std::string& call) {
    const auto& calls = rig.desktop.calls;
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

TEST(InternetFamily, EveryStepNeedsAConnection) {
    for (const char* action : {"Start Browser", "Ping IP Address", "Send Email: SMTP", "Download"}) {
        SCOPED_TRACE(action);
        RunRig rig;
        rig.desktop.network.online = false;
        rig.only(action, "x");
        EXPECT_EQ(kStepFailed, rig.run_step());
        EXPECT_EQ("Not connected to the internet", rig.run.error_text);
        EXPECT_TRUE(rig.desktop.effects().empty());
    }
}

TEST(InternetFamily, StartsBrowsersAndPages) {
    RunRig rig;
    rig.only("Start Email", "mailer.exe");
    EXPECT_EQ(kStepSucceeded, rig.run_step());
    rig.desktop.network.launcher = "C:\\Program Files\\Browser\\b.exe";
    rig.only("Open a Web Page", "http://x/");
    EXPECT_EQ(kStepSucceeded, rig.run_step());
    rig.desktop.network.launcher = "";
    rig.only("Open a Web Page", "http://y/");
    EXPECT_EQ(kStepSucceeded, rig.run_step());
    EXPECT_EQ((std::vector<std::string>{"start mailer.exe", "start \"C:\\Program Files\\Browser\\b.exe\" http://x/",
                                        "start IEXPLORE.EXE http://y/"}),
              rig.desktop.effects());
    rig.desktop.network.start_works = false;
    rig.only("Start Browser", "nothing.exe");
    EXPECT_EQ(kStepFailed, rig.run_step());
}

TEST(InternetFamily, UnknownActionFailsWithoutMessage) {
    RunRig rig;
    Step& step = rig.only("Download");
    copy_to_field(step.action, "Teleport");
    EXPECT_EQ(kStepFailed, rig.run_step());
    EXPECT_EQ("", rig.run.error_text);
}

TEST(InternetFamily, DownloadSavesTheKeptBytes) {
    RunRig rig;
    rig.desktop.network.pages["http://h/p"] = {"hello page"};
    Step& step = rig.only("Download", "http://h/p");
    step.options = kOptionResultToClipboard;
    EXPECT_EQ(kStepSucceeded, rig.run_step());
    EXPECT_EQ("hello page", rig.environment.clipboard);
    EXPECT_TRUE(has_call(rig, "close url"));
}

// An answer larger than the buffer is cut at 4193279 bytes, and an endless one stops
// being read there instead of running for ever.
TEST(InternetFamily, DownloadKeepsAtMostItsBuffer) {
    for (bool endless : {false, true}) {
        SCOPED_TRACE(endless);
        RunRig rig;
        FakeStreamSpec page;
        page.content = endless ? std::string("0123456789") : std::string(5 * 1024 * 1024, 'x');
        page.endless = endless;
        rig.desktop.network.pages["http://h/big"] = page;
        Step& step = rig.only("Download", "http://h/big");
        step.options = kOptionResultToClipboard;
        EXPECT_EQ(kStepSucceeded, rig.run_step());
        EXPECT_EQ(kDownloadBuffer - 1, rig.environment.clipboard.size());
        EXPECT_LE(rig.desktop.network.read_total, kDownloadBuffer);
        EXPECT_NE(std::string::npos, rig.log().find("\tTruncated at 4193279 bytes\r\n"));
    }
}

TEST(InternetFamily, DownloadFailures) {
    struct Row {
        const char* url;
        FakeStreamSpec page;
        int result;
        const char* error;
    } rows[] = {
        {"", {}, kStepFailed, "Missing Parameters"},
        {"http://h/missing", {}, kStepFailed, "InternetOpenUrl 12029: http://h/missing\r\n"},
        {"http://h/empty", {""}, kStepFailed, "Nothing was received from http://h/empty"},
        {"http://h/broken", {"abc", false, 0}, kStepFailed, "read failed"},
        {"http://h/half", {"abcdef", false, 3}, kStepSucceeded, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.url);
        RunRig rig;
        if (std::string(r.url) != "http://h/missing") rig.desktop.network.pages[r.url] = r.page;
        Step& step = rig.only("HTTP Post", r.url);
        step.options = kOptionResultToClipboard;
        EXPECT_EQ(r.result, rig.run_step());
        EXPECT_EQ(r.error, rig.run.error_text);
    }
}

TEST(InternetFamily, SaveWebPageTextWritesTheConvertedPage) {
    RunRig rig;
    const std::string file = ::testing::TempDir() + "zorbel_page.txt";
    rig.desktop.network.pages["http://h/list"] = {"<body><li>One<li>Two</body>"};
    Step& step = rig.only("Save Web Page Text", "http://h/list");
    copy_to_field(step.value[6], file);
    EXPECT_EQ(kStepSucceeded, rig.run_step());
    std::string text;
    ASSERT_EQ(files::ReadResult::kOk, files::read_all(file, &text));
    EXPECT_EQ("\r\n* One\r\n* Two", text);
    step.value[6][0] = '\0';
    EXPECT_EQ(kStepFailed, rig.run_step());
    EXPECT_EQ("Missing Parameters", rig.run.error_text);
    files::remove(file);
}

TEST(InternetFamily, FtpOperationsWorkOnThePathAfterTheHost) {
    struct Row {
        const char* action;
        const char* call;
    } rows[] = {
        {"FTP Delete File", "ftp delete /srv/a.txt"},
        {"FTP Create Folder", "ftp mkdir /srv/a.txt"},
        {"FTP Delete Folder", "ftp rmdir /srv/a.txt"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.action);
        RunRig rig;
        Step& step = rig.only(r.action, "srv/srv/a.txt");
        copy_to_field(step.value[1], rotate_password_forward("Secret"));
        copy_to_field(step.value[2], "bob");
        EXPECT_EQ(kStepSucceeded, rig.run_step());
        EXPECT_EQ((std::vector<std::string>{"ftp connect srv:21 bob Secret", r.call, "close ftp"}),
                  rig.desktop.effects());
        rig.desktop.network.ftp_operation_works = false;
        EXPECT_EQ(kStepFailed, rig.run_step());
        EXPECT_EQ("close ftp", rig.desktop.calls.back());
    }
}

// The 64 MB bound is checked before each read, which takes at most the room left.
TEST(InternetFamily, FtpDownloadStopsAtItsBound) {
    RunRig rig;
    FakeStreamSpec file;
    file.content = "abcdefg";
    file.endless = true;
    rig.desktop.network.ftp_files["/big.bin"] = file;
    Step& step = rig.only("FTP Download", "ftp://127.0.0.1:2121/big.bin");
    step.options = kOptionResultToClipboard;
    EXPECT_EQ(kStepSucceeded, rig.run_step());
    EXPECT_EQ(kFtpDownloadLimit, rig.environment.clipboard.size());
    EXPECT_LE(rig.desktop.network.read_total, kFtpDownloadLimit + 1);
    EXPECT_NE(std::string::npos, rig.log().find("\tTruncated at 67108864 bytes\r\n"));
}

TEST(InternetFamily, FtpUploadChecksEveryPart) {
    struct Row {
        const char* name;
        FakeStreamSpec local;
        FakeStreamSpec target;
        int result;
        const char* error_start;
    } rows[] = {
        {"whole", {"0123456789"}, {}, kStepSucceeded, ""},
        {"empty", {""}, {}, kStepFailed, "The local file"},
        {"read breaks", {"0123456789", false, 4}, {}, kStepFailed, "Reading the local file failed"},
        {"write breaks", {std::string(5000, 'x')}, {"", false, std::string::npos, 3000}, kStepFailed,
         "Sending failed after 2047 bytes"},
        {"close refused", {"0123456789"}, {"", false, std::string::npos, std::string::npos, true}, kStepFailed,
         "The server did not confirm the file after 10 bytes"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        RunRig rig;
        rig.desktop.network.local_files["C:\\up.txt"] = r.local;
        rig.desktop.network.upload_target = r.target;
        Step& step = rig.only("FTP Upload", "host/in/up.txt");
        copy_to_field(step.value[6], "C:\\up.txt");
        EXPECT_EQ(r.result, rig.run_step());
        EXPECT_EQ(0u, rig.run.error_text.rfind(r.error_start, 0)) << rig.run.error_text;
        if (r.result == kStepSucceeded) {
            EXPECT_EQ("0123456789", rig.desktop.network.uploaded["/in/up.txt"]);
        }
        EXPECT_TRUE(has_call(rig, "close ftp"));
        EXPECT_TRUE(has_call(rig, "close local file"));
    }
}

TEST(InternetFamily, PingFallsBackToTheProgramAndReadsItsReply) {
    struct Row {
        uint32_t raw_ms;
        const char* output;
        const char* timeout;
        int result;
        const char* ping_call;
    } rows[] = {
        {5, "", "2", kStepSucceeded, "ping h 2000"},
        {0, "Reply from 127.0.0.1: bytes=32 time<1ms TTL=64\r\n", "0", kStepSucceeded, "ping h 4000"},
        {0, "Request timed out.\r\n", "", kStepFailed, "ping h 4000"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.output);
        RunRig rig;
        rig.desktop.network.ping_ms = r.raw_ms;
        rig.desktop.network.ping_output = r.output;
        Step& step = rig.only("Ping IP Address", "h");
        copy_to_field(step.value[2], r.timeout);
        EXPECT_EQ(r.result, rig.run_step());
        EXPECT_EQ(r.ping_call, rig.desktop.calls.front());
        if (r.raw_ms == 0) {
            EXPECT_TRUE(has_call(rig, "run hidden ping.exe -n 1 -w 4000 h 4500"));
        }
    }
}

}  // namespace
}  // namespace zorbel
