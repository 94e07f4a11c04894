#include "actions/input/key_tokens.h"

#include "core/text_rules.h"

namespace zorbel {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// "{F" or "{f", a digit 1 to 9, and the closing brace as the next or the next-but-one
// character: function key n, n being the one- or two-digit number.
bool function_key(std::string_view text, uint8_t* code) {
    if (text.size() < 4 || text[0] != '{' || (text[1] != 'F' && text[1] != 'f')) return false;
    if (text[2] < '1' || text[2] > '9') return false;
    const bool brace_next = text[3] == '}';
    if (!brace_next && !(text.size() > 4 && text[4] == '}')) return false;
    int n = text[2] - '0';
    if (!brace_next && is_digit(text[3])) n = n * 10 + (text[3] - '0');
    *code = static_cast<uint8_t>(111 + n);
    return true;
}

}  // namespace

CharacterKey character_key(unsigned char character) {
    if (character >= 'a' && character <= 'z') return {static_cast<uint8_t>(character - 'a' + 'A'), false};
    if (character >= 'A' && character <= 'Z') return {character, true};
    if (character >= '0' && character <= '9') return {character, false};
    for (const CharacterRow& row : kCharacterRows)
        if (static_cast<unsigned char>(row.character) == character) return row.key;
    return {character, false};
}

uint8_t ParseKeyToken(std::string_view text, bool parse_tokens, bool* needs_shift, bool* is_token) {
    *needs_shift = false;
    *is_token = false;
    if (text.empty()) return 0;
    if (parse_tokens && text[0] == '{') {
        uint8_t code = 0;
        bool found = function_key(text, &code);
        for (const KeyTokenName& token : kExactKeyTokens) {
            if (found) break;
            if (starts_with_ignore_case(text, token.text)) {
                code = token.code;
                found = true;
            }
        }
        for (const KeyTokenName& prefix : kKeyTokenPrefixes) {
            if (found) break;
            if (starts_with_ignore_case(text, prefix.text)) {
                code = prefix.code;
                found = true;
            }
        }
        if (found) {
            *is_token = true;
            return code;
        }
    }
    CharacterKey key = character_key(static_cast<unsigned char>(text[0]));
    *needs_shift = key.shift;
    return key.code;
}

bool IsExtendedKey(uint8_t code) {
    return code == kKeyControl || (code >= 33 && code <= 40) || code == 44 || code == 45 || code == 46 ||
           code == 91 || code == 93;
}

}  // namespace zorbel
