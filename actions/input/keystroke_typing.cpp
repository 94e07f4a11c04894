#include "actions/input/keystroke_typing.h"

#include "actions/input/key_tokens.h"
#include "engine/desktop.h"
#include "actions/input/key_events.h"
#include "core/text_rules.h"

namespace zorbel {

namespace {

constexpr size_t kDelayTokenLimit = 31;
// A pause longer than this is cut to it (the system reads one of all bits set as "forever").
constexpr uint32_t kLongestDelayMs = 0x7fffffff;

template <size_t N>
bool starts_with_any(std::string_view text, const char* const (&tokens)[N]) {
    for (const char* token : tokens)
        if (starts_with_ignore_case(text, token)) return true;
    return false;
}

void note_held(int held_keys[3], uint8_t code) {
    if (code == kKeyControl) held_keys[kHeldControl] = code;
    else if (code == kKeyShift) held_keys[kHeldShift] = code;
    else if (code == kKeyAlt) held_keys[kHeldAlt] = code;
}

}  // namespace

uint32_t delay_of_token(std::string_view token) {
    token = token.substr(0, kDelayTokenLimit);
    token = token.substr(0, token.find('}'));
    uint64_t ms = 0;
    for (char c : token) {
        if (c < '0' || c > '9') continue;
        ms = ms * 10 + static_cast<uint64_t>(c - '0');
        if (ms > kLongestDelayMs) ms = kLongestDelayMs;
    }
    return static_cast<uint32_t>(ms);
}

int type_keystrokes(std::string_view text, bool literal, KeyEventSink& keys, Clock& clock, int held_keys[3]) {
    const bool parse_tokens = !literal;
    int keystrokes = 0;
    size_t position = 0;
    while (position < text.size()) {
        const std::string_view rest = text.substr(position);
        bool needs_shift = false;
        bool is_token = false;
        const uint8_t code = ParseKeyToken(rest, parse_tokens, &needs_shift, &is_token);
        if (code != 0) {
            if (!parse_tokens || !starts_with_any(rest, kKeyUpOnlyTokens)) {
                SendKeyTransition(keys, code, needs_shift, kKeyPress);
                note_held(held_keys, code);
            }
            if (!parse_tokens || !starts_with_any(rest, kKeyDownOnlyTokens)) {
                SendKeyTransition(keys, code, needs_shift, kKeyRelease);
                ++keystrokes;
            }
        } else if (starts_with_ignore_case(rest, kDelayToken)) {
            clock.sleep(delay_of_token(rest));
        }
        size_t next = position + 1;
        if (is_token) {
            const size_t brace = text.find('}', position);
            if (brace != std::string_view::npos) next = brace + 1;
        }
        position = next;
    }
    return keystrokes;
}

uint32_t keyboard_buffer_wait(int keystrokes) {
    if (keystrokes < 20) return 0;
    uint32_t wait = 1000u * static_cast<uint32_t>(keystrokes / 120);
    if (wait < 100) wait = 100;
    if (wait > 4000) wait = 4000;
    return wait;
}

}  // namespace zorbel
