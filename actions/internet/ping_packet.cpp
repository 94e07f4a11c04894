#include "actions/internet/ping_packet.h"

#include "core/text_rules.h"

namespace zorbel {

uint16_t internet_checksum(const uint8_t* data, size_t size) {
    uint32_t sum = 0;
    for (size_t i = 0; i + 1 < size; i += 2) sum += static_cast<uint32_t>(data[i] | (data[i + 1] << 8));
    if (size % 2) sum += data[size - 1];
    sum = (sum >> 16) + (sum & 0xFFFF);
    sum += sum >> 16;
    return static_cast<uint16_t>(~sum & 0xFFFF);
}

std::vector<uint8_t> echo_request(uint16_t identifier) {
    std::vector<uint8_t> packet(kEchoRequestSize, 0x45);
    packet[0] = 8;  // echo request
    packet[1] = 0;
    packet[2] = packet[3] = 0;
    packet[4] = static_cast<uint8_t>(identifier & 0xFF);  // host order, as the reply brings it back
    packet[5] = static_cast<uint8_t>(identifier >> 8);
    packet[6] = 0;  // sequence 1, network order
    packet[7] = 1;
    const uint16_t sum = internet_checksum(packet.data(), packet.size());
    packet[2] = static_cast<uint8_t>(sum & 0xFF);
    packet[3] = static_cast<uint8_t>(sum >> 8);
    return packet;
}

EchoReply check_echo_reply(const uint8_t* data, size_t size, uint16_t identifier, int* icmp_type) {
    if (size < 1) return EchoReply::kTooShort;
    const size_t header = 4u * (data[0] & 0x0F);
    if (size < header + 8) return EchoReply::kTooShort;
    const uint8_t* icmp = data + header;
    *icmp_type = icmp[0];
    if (icmp[0] != 0) return EchoReply::kNotEchoReply;
    const uint16_t id = static_cast<uint16_t>(icmp[4] | (icmp[5] << 8));
    if (id != identifier || icmp[6] != 0 || icmp[7] != 1) return EchoReply::kSomeoneElses;
    return EchoReply::kOurs;
}

uint32_t ping_timeout_seconds(int32_t number) { return number < 1 ? 4u : static_cast<uint32_t>(number); }

std::string ping_program_command(const std::string& host, uint32_t timeout_seconds) {
    return format("ping.exe -n 1 -w %lu %s", static_cast<unsigned long>(timeout_seconds) * 1000ul, host.c_str());
}

bool ping_output_shows_reply(std::string_view output) {
    size_t line_start = 0;
    while (line_start < output.size()) {
        size_t end = output.find('\n', line_start);
        if (end == std::string_view::npos) end = output.size();
        const std::string_view line = output.substr(line_start, end - line_start);
        if (contains_ignore_case(line, "TTL=") && !contains_ignore_case(line, "unreachable")) return true;
        line_start = end + 1;
    }
    return false;
}

}  // namespace zorbel
