// The ICMP echo of "Ping IP Address": the 40-byte request, the reply check, the
// time-out rule and the reading of the ping program's output for the fall-back.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorbel {

constexpr size_t kEchoRequestSize = 40;

// RFC 1071: the one's-complement of the 16-bit one's-complement sum.
uint16_t internet_checksum(const uint8_t* data, size_t size);

// Type 8, code 0, checksum, identifier, sequence 1, then 32 bytes of 'E'.
std::vector<uint8_t> echo_request(uint16_t identifier);

enum class EchoReply { kOurs, kTooShort, kNotEchoReply, kSomeoneElses };
// Checks a datagram received on a raw socket (IP header first). `*icmp_type` gets its
// ICMP type when it has one.
EchoReply check_echo_reply(const uint8_t* data, size_t size, uint16_t identifier, int* icmp_type);

// The step's time-out, read in seconds: below 1 s it becomes 4 s.
uint32_t ping_timeout_seconds(int32_t number);

// The fall-back's command: "ping.exe -n 1 -w <ms> <host>".
std::string ping_program_command(const std::string& host, uint32_t timeout_seconds);
// Whether the ping program's output shows an answer from the host ("TTL=" in a reply
// line): its exit code says nothing for an unreachable host.
bool ping_output_shows_reply(std::string_view output);

}  // namespace zorbel
