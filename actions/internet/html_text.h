// The text of a web page as "Save Web Page Text" writes it: line breaks for the
// list and row tags, the common entities, tags and comments dropped, runs of blanks
// folded.
#pragma once
#include <string>
#include <string_view>

namespace zorbel {

// At most this many characters of converted text are kept.
constexpr size_t kHtmlTextLimit = 4193280;

std::string html_to_text(std::string_view html);

}  // namespace zorbel
