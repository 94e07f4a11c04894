#include <gtest/gtest.h>

#include "actions/internet/html_text.h"
#include "actions/internet/ping_packet.h"
#include "actions/internet/server_address.h"
#include "actions/internet/stored_password.h"

namespace zorbel {
namespace {

TEST(HtmlText, FollowsTheConversionRules) {
    struct Row {
        const char* html;
        const char* text;
    } rows[] = {
        {"<html><body><ul><li>One<li>Two</ul></body>", "\r\n\r\n* One\r\n* Two\r\n"},
        {"<title>T</title><BODY>a<BR>b</tr>c", "a\r\nb\r\nc"},
        {"x\r\ny\nz", "xyz"},
        {"a&nbsp;&amp;&copy; &lt;b&gt;", "a &(c) <b>"},
        {"a  b   c", "a b c"},
        {"  lead", "  lead"},
        {"a<!-- <p>hidden</p> -->b", "ab"},
        {"a<!-- never closed", "a"},
        {"<script>var x;</script>k", "var x;k"},
        {"&amp;lt;", "<"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.html);
        EXPECT_EQ(r.text, html_to_text(r.html));
    }
}

TEST(HtmlText, OutputIsBounded) {
    const std::string html(kHtmlTextLimit + 100, 'x');
    EXPECT_EQ(kHtmlTextLimit, html_to_text(html).size());
}

TEST(StoredPassword, RotatesLettersWithinTheirCase) {
    EXPECT_EQ("dEaB1-!", rotate_password_forward("aBxY1-!"));
    EXPECT_EQ("aBxY1-!", rotate_password_back("dEaB1-!"));
    EXPECT_EQ("secret", rotate_password_back(rotate_password_forward("secret")));
}

TEST(ServerAddress, ReadsAnOptionalPort) {
    struct Row {
        const char* text;
        bool ok;
        const char* host;
        int port;
    } rows[] = {
        {"mail.example.com", true, "mail.example.com", 25},
        {"mail.example.com:2525", true, "mail.example.com", 2525},
        {"127.0.0.1:65535", true, "127.0.0.1", 65535},
        {"host:0", false, "", 0},
        {"host:65536", false, "", 0},
        {"host:", false, "", 0},
        {"host:25x", false, "", 0},
        {"a:1:2", false, "", 0},
        {":25", false, "", 0},
        {"", false, "", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        ServerAddress address;
        std::string error;
        ASSERT_EQ(r.ok, parse_server_address(r.text, 25, &address, &error));
        if (!r.ok) continue;
        EXPECT_EQ(r.host, address.host);
        EXPECT_EQ(r.port, address.port);
    }
}

// The path is the text from the first "/", even where the host name comes back in it.
TEST(ServerAddress, FtpTargetKeepsThePathWhole) {
    struct Row {
        const char* text;
        const char* host;
        int port;
        const char* path;
    } rows[] = {
        {"srv/srv/a.txt", "srv", 21, "/srv/a.txt"},
        {"ftp.example.com/pub/file.zip", "ftp.example.com", 21, "/pub/file.zip"},
        {"ftp://127.0.0.1:2121/dir/a.txt", "127.0.0.1", 2121, "/dir/a.txt"},
        {"FTP://host", "host", 21, "/"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        FtpTarget target;
        std::string error;
        ASSERT_TRUE(parse_ftp_target(r.text, &target, &error)) << error;
        EXPECT_EQ(r.host, target.server.host);
        EXPECT_EQ(r.port, target.server.port);
        EXPECT_EQ(r.path, target.path);
    }
}

TEST(PingPacket, EchoRequestChecksumsToZero) {
    const std::vector<uint8_t> packet = echo_request(0x1234);
    ASSERT_EQ(40u, packet.size());
    EXPECT_EQ(8, packet[0]);
    EXPECT_EQ(1, packet[7]);
    EXPECT_EQ(0x45, packet[39]);
    EXPECT_EQ(0, internet_checksum(packet.data(), packet.size()));
    const uint8_t rfc1071[] = {0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7};
    // RFC 1071's example sums to 0xddf2 in network order: the checksum's bytes are 22 0d.
    const uint16_t sum = internet_checksum(rfc1071, sizeof(rfc1071));
    EXPECT_EQ(0x22, sum & 0xff);
    EXPECT_EQ(0x0d, sum >> 8);
}

TEST(PingPacket, ChecksTheReply) {
    std::vector<uint8_t> reply(20, 0);
    reply[0] = 0x45;  // IP header of 20 bytes
    std::vector<uint8_t> icmp = echo_request(7);
    icmp[0] = 0;
    reply.insert(reply.end(), icmp.begin(), icmp.end());
    int type = -1;
    EXPECT_EQ(EchoReply::kOurs, check_echo_reply(reply.data(), reply.size(), 7, &type));
    EXPECT_EQ(EchoReply::kSomeoneElses, check_echo_reply(reply.data(), reply.size(), 8, &type));
    EXPECT_EQ(EchoReply::kTooShort, check_echo_reply(reply.data(), 27, 7, &type));
    reply[20] = 8;  // our own request seen on the loopback
    EXPECT_EQ(EchoReply::kNotEchoReply, check_echo_reply(reply.data(), reply.size(), 7, &type));
    EXPECT_EQ(8, type);
}

// A time-out of 0 would wait for ever: below one second the ping waits 4 s.
TEST(PingPacket, TimeoutAndFallBackReading) {
    EXPECT_EQ(4u, ping_timeout_seconds(0));
    EXPECT_EQ(4u, ping_timeout_seconds(-3));
    EXPECT_EQ(2u, ping_timeout_seconds(2));
    EXPECT_EQ("ping.exe -n 1 -w 2000 host", ping_program_command("host", 2));
    EXPECT_TRUE(ping_output_shows_reply("Pinging h\r\nReply from 127.0.0.1: bytes=32 time<1ms TTL=64\r\n"));
    EXPECT_FALSE(ping_output_shows_reply("Pinging 10.255.255.1 with 32 bytes of data:\r\nRequest timed out.\r\n"));
    EXPECT_FALSE(ping_output_shows_reply("Reply from 10.0.0.1: Destination host unreachable. TTL=1\r\n"));
}

}  // namespace
}  // namespace zorbel
