// The text functions: each reads its arguments from the call text and writes
// its result text.
#include "engine/text_functions.h"

#include "core/text_rules.h"
#include "engine/text_functions_search.h"

namespace zorbel {

const char* const kTextFunctionNames[10] = {
    "Uppercase", "Lowercase", "ReplaceText", "InsertText", "GetSubText",
    "Length",    "FindText",  "CountItems",  "Trim",       "CALC",
};

namespace {

std::string argument(std::string_view call, int n) {
    std::string text;
    get_argument(call, n, &text);
    return text;
}

void uppercase(std::string_view call, std::string* out) {
    *out = argument(call, 1);
    for (char& c : *out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
}

void lowercase(std::string_view call, std::string* out) {
    *out = argument(call, 1);
    for (char& c : *out) c = ascii_lower(c);
}

// ( text, old, new ): every occurrence of old, found ignoring case, becomes new.
void replace_text(std::string_view call, std::string* out) {
    const std::string text = argument(call, 1);
    const std::string old_text = argument(call, 2);
    const std::string new_text = argument(call, 3);
    out->clear();
    const CaselessSearch search(old_text);
    size_t pos = 0;
    for (size_t hit; (hit = search.find(text, pos)) != std::string::npos; pos = hit + old_text.size()) {
        out->append(text, pos, hit - pos);
        out->append(new_text);
        if (out->size() >= kTextFunctionResultLimit) break;
    }
    if (out->size() < kTextFunctionResultLimit) out->append(text, pos, std::string::npos);
    if (out->size() > kTextFunctionResultLimit) out->resize(kTextFunctionResultLimit);
}

// ( text, position, new ): new goes before the character at position (from 1);
// below 1 inserts at the front, beyond the end pads text with spaces first.
void insert_text(std::string_view call, std::string* out) {
    *out = argument(call, 1);
    std::string piece;
    const int32_t position = get_argument(call, 2, &piece);
    get_argument(call, 3, &piece);
    size_t at = position < 1 ? 0 : static_cast<size_t>(position) - 1;
    if (at > kTextFunctionResultLimit) at = kTextFunctionResultLimit;
    if (at > out->size()) out->resize(at, ' ');
    out->insert(at, piece);
    if (out->size() > kTextFunctionResultLimit) out->resize(kTextFunctionResultLimit);
}

// ( text, delimiter, item ): the item-th piece (from 1; below 1 counts as 1) of
// text split at each occurrence of delimiter, found ignoring case.
void get_sub_text(std::string_view call, std::string* out) {
    const std::string text = argument(call, 1);
    const std::string delimiter = argument(call, 2);
    std::string item_text;
    int32_t item = get_argument(call, 3, &item_text);
    if (item < 1) item = 1;
    out->clear();
    const CaselessSearch search(delimiter);
    size_t start = 0;
    for (int32_t i = 1; i < item; ++i) {
        const size_t hit = search.find(text, start);
        if (hit == std::string::npos) return;  // no such piece
        start = hit + delimiter.size();
    }
    const size_t end = search.find(text, start);
    out->assign(text, start, end == std::string::npos ? std::string::npos : end - start);
}

void length(std::string_view call, std::string* out) { *out = std::to_string(argument(call, 1).size()); }

// ( text, find ): 1-based position of find in text, found ignoring case; 0 when
// absent or when find is empty.
void find_text(std::string_view call, std::string* out) {
    const std::string text = argument(call, 1);
    const size_t hit = CaselessSearch(argument(call, 2)).find(text, 0);
    *out = std::to_string(hit == std::string::npos ? 0 : hit + 1);
}

// ( text, find ): the number of non-overlapping occurrences, found ignoring case.
void count_items(std::string_view call, std::string* out) {
    const std::string text = argument(call, 1);
    const std::string find = argument(call, 2);
    const CaselessSearch search(find);
    size_t count = 0;
    for (size_t pos = 0, hit; (hit = search.find(text, pos)) != std::string::npos; pos = hit + find.size())
        ++count;
    *out = std::to_string(count);
}

// Leading spaces are already dropped by get_argument; a quoted argument can
// still carry trailing ones.
void trim(std::string_view call, std::string* out) {
    *out = argument(call, 1);
    size_t end = out->size();
    while (end > 0 && (*out)[end - 1] == ' ') --end;
    out->resize(end);
}

void calc_function(std::string_view call, std::string* out) { calc(call, out); }

using TextFunction = void (*)(std::string_view call, std::string* out);

// In the order of kTextFunctionNames.
constexpr TextFunction kTextFunctions[] = {
    uppercase, lowercase, replace_text, insert_text, get_sub_text,
    length,    find_text, count_items,  trim,        calc_function,
};
static_assert(sizeof(kTextFunctions) / sizeof(kTextFunctions[0]) ==
                  sizeof(kTextFunctionNames) / sizeof(kTextFunctionNames[0]),
              "one evaluation per function name");

}  // namespace

bool evaluate_text_function(std::string_view name, std::string_view call_text, std::string* out) {
    for (size_t i = 0; i < sizeof(kTextFunctions) / sizeof(kTextFunctions[0]); ++i) {
        if (equals_ignore_case(name, kTextFunctionNames[i])) {
            // Into a text of our own first: the call text may lie inside `out`.
            std::string result;
            kTextFunctions[i](call_text, &result);
            *out = std::move(result);
            return true;
        }
    }
    return false;
}

}  // namespace zorbel
