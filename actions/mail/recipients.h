// Recipient lists and the short fields of a mail: addresses separated by any of
// ",; \t\n", and the cuts and cleaning that keep a field from breaking a header line.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zorbel {

constexpr size_t kMailFieldLimit = 259;

std::vector<std::string> split_recipients(std::string_view list);
// The list cut to at most 259 characters, only at a separator, so no address is cut.
std::string cut_recipient_list(std::string_view list);
// A header value: CR and LF become blanks.
std::string header_value(std::string_view text);
// Whether `text` holds a CR or LF (which would end a protocol command early).
bool has_line_break(std::string_view text);

}  // namespace zorbel
