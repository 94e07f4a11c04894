// The link of `Send Email: "mailto"`: "mailto:" the addresses, "?subject=" and
// "&body=", each part percent-encoded as mailto links require, at most 1024 characters.
#pragma once
#include <string>
#include <string_view>

namespace zorbel {

constexpr size_t kMailtoLinkLimit = 1024;

// Every byte outside letters, digits and "-._~" as "%XX" (`keep` lists more bytes to
// leave as they are).
std::string percent_encode(std::string_view text, std::string_view keep = "");

// Line breaks of the body become CR LF ("%0D%0A"); the addresses are joined by ",".
// A link longer than the limit is cut there, never inside a "%XX".
std::string mailto_link(std::string_view recipients, std::string_view subject, std::string_view body);

}  // namespace zorbel
