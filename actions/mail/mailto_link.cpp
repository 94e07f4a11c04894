#include "actions/mail/mailto_link.h"

#include "actions/mail/recipients.h"

namespace zorbel {

std::string percent_encode(std::string_view text, std::string_view keep) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~' || (c != 0 && keep.find(ch) != std::string_view::npos);
        if (plain) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

namespace {

std::string crlf_lines(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string mailto_link(std::string_view recipients, std::string_view subject, std::string_view body) {
    std::string addresses;
    for (const std::string& address : split_recipients(recipients)) {
        if (!addresses.empty()) addresses += ',';
        addresses += percent_encode(address, "@");
    }
    std::string link = "mailto:" + addresses + "?subject=" + percent_encode(subject) +
                       "&body=" + percent_encode(crlf_lines(body));
    if (link.size() > kMailtoLinkLimit) {
        size_t cut = kMailtoLinkLimit;
        // Never leave half an escape at the end.
        if (link[cut - 1] == '%') cut -= 1;
        else if (link[cut - 2] == '%') cut -= 2;
        link.resize(cut);
    }
    return link;
}

}  // namespace zorbel
