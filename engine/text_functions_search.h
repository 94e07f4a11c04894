// Case-insensitive search for the text functions, in time linear in the text and
// the searched-for text (Knuth-Morris-Pratt), so a long run of one letter cannot
// make "ReplaceText", "CountItems", "GetSubText" or "FindText" quadratic.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zorbel {

class CaselessSearch {
public:
    explicit CaselessSearch(std::string_view needle);

    // Position of the first occurrence at or after `from`, matched ignoring ASCII
    // case; npos when there is none or the needle is empty.
    size_t find(std::string_view text, size_t from) const;
    size_t size() const { return needle_.size(); }

private:
    std::string needle_;          // lower-cased
    std::vector<size_t> border_;  // border_[k]: longest proper border of needle_[0..k]
};

}  // namespace zorbel
