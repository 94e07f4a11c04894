#include "actions/input/buffered_playback.h"

#include <string_view>
#include <utility>

#include "actions/input/key_tokens.h"

namespace zorbel {

namespace {

CharacterKey key_at(const std::string& text, size_t position) {
    bool shift = false;
    bool token = false;
    uint8_t code = ParseKeyToken(std::string_view(text).substr(position), false, &shift, &token);
    return CharacterKey{code, shift};
}

}  // namespace

void BufferedPlayback::start(std::string text, uint32_t now) {
    text_ = std::move(text);
    position_ = 0;
    phase_ = 0;
    start_ = now;
}

bool BufferedPlayback::next_event(KeyEventSink& keys, JournalEvent* event) {
    *event = JournalEvent();
    if (!has_character()) return false;
    const unsigned char character = static_cast<unsigned char>(text_[position_]);
    if (character >= 128) {
        event->message = kMessageChar;
        event->param_l = static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(character)));
        event->param_h = kPlayedCharScan;
        phase_ = kLastPlaybackPhase;
        return true;
    }
    const CharacterKey key = key_at(text_, position_);
    if (!key.shift && phase_ == 0) phase_ = 1;
    if (!key.shift && phase_ == 3) return true;  // nothing to release: an all-zero event
    const bool shift_phase = phase_ == 0 || phase_ == 3;
    const uint8_t code = shift_phase ? kKeyShift : key.code;
    event->param_l = code;
    event->param_h = keys.scan_code(code);
    if (phase_ <= 1) event->message = kMessageKeyDown;
    else if (phase_ <= 3) event->message = kMessageKeyUp;
    return true;
}

bool BufferedPlayback::skip(uint32_t now) {
    if (phase_ < kLastPlaybackPhase) {
        ++phase_;
        return false;
    }
    return character_done(now);
}

void BufferedPlayback::send_character(KeyEventSink& keys) {
    const unsigned char character = static_cast<unsigned char>(text_[position_]);
    if (character >= 128) {
        keys.type_character(character);
        return;
    }
    const CharacterKey key = key_at(text_, position_);
    const uint8_t scan = keys.scan_code(key.code);
    if (!key.shift) {
        const KeyEvent events[] = {{key.code, scan, 0}, {key.code, scan, kKeyEventUp}};
        keys.send_events(events, 2);
        return;
    }
    const uint8_t shift_scan = keys.scan_code(kKeyShift);
    const KeyEvent events[] = {{kKeyShift, shift_scan, 0},
                               {key.code, scan, 0},
                               {key.code, scan, kKeyEventUp},
                               {kKeyShift, shift_scan, kKeyEventUp}};
    keys.send_events(events, 4);
}

bool BufferedPlayback::character_done(uint32_t now) {
    phase_ = 0;
    ++position_;
    return !has_character() || now - start_ > kBufferedTypingBudgetMs;
}

}  // namespace zorbel
