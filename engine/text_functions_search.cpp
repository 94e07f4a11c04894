#include "engine/text_functions_search.h"

#include "core/text_rules.h"

namespace zorbel {

CaselessSearch::CaselessSearch(std::string_view needle) : needle_(needle), border_(needle.size(), 0) {
    for (char& c : needle_) c = ascii_lower(c);
    size_t k = 0;
    for (size_t i = 1; i < needle_.size(); ++i) {
        while (k > 0 && needle_[i] != needle_[k]) k = border_[k - 1];
        if (needle_[i] == needle_[k]) ++k;
        border_[i] = k;
    }
}

size_t CaselessSearch::find(std::string_view text, size_t from) const {
    const size_t m = needle_.size();
    if (m == 0) return std::string_view::npos;
    size_t k = 0;  // characters of the needle matched so far
    for (size_t i = from; i < text.size(); ++i) {
        const char c = ascii_lower(text[i]);
        while (k > 0 && c != needle_[k]) k = border_[k - 1];
        if (c == needle_[k]) ++k;
        if (k == m) return i + 1 - m;
    }
    return std::string_view::npos;
}

}  // namespace zorbel
