// The character-by-character playback of "Buffered Virtual Keys": which event each
// call of a journal-playback hook gets (phases 0 to 4 of each character), and the
// same characters as input events where no journal hook works. Desktop-free.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "actions/input/key_events.h"

namespace zorbel {

// Messages of the played events.
constexpr uint32_t kMessageKeyDown = 0x0100;
constexpr uint32_t kMessageKeyUp = 0x0101;
constexpr uint32_t kMessageChar = 0x0102;

// The scan code a played WM_CHAR carries.
constexpr uint32_t kPlayedCharScan = 0x38;
// Typing stops at the first character that ends later than this after the start.
constexpr uint32_t kBufferedTypingBudgetMs = 2000;
// The phase in which a character is done.
constexpr int kLastPlaybackPhase = 4;

// One played event; the hook adds the time and the focus window.
struct JournalEvent {
    uint32_t message = 0;
    uint32_t param_l = 0;
    uint32_t param_h = 0;
};

class BufferedPlayback {
public:
    // Starts over with `text` at tick count `now`.
    void start(std::string text, uint32_t now);

    bool has_character() const { return position_ < text_.size(); }
    size_t position() const { return position_; }
    int phase() const { return phase_; }
    uint32_t start_tick() const { return start_; }

    // The event of the current phase (a hook's HC_GETNEXT): for a character 1 to 127,
    // KEYDOWN of SHIFT (phase 0, skipped without SHIFT), KEYDOWN and KEYUP of its key
    // (phases 1, 2), KEYUP of SHIFT (phase 3, all zero without SHIFT), message 0 (phase
    // 4); for a byte 128 to 255 one WM_CHAR, and the phase becomes 4. Asking again
    // gives the same event. False when there is no character to play.
    bool next_event(KeyEventSink& keys, JournalEvent* event);
    // Moves past the event (a hook's HC_SKIP). True when typing is over: the last
    // character is done, or a character ended after the time budget was spent.
    bool skip(uint32_t now);

    // Types the current character at once, as key events (or a character event for a
    // byte 128 to 255) no other input can come between. Requires has_character().
    void send_character(KeyEventSink& keys);
    // Moves past the current character; true when typing is over, as skip() at phase 4.
    bool character_done(uint32_t now);

private:
    std::string text_;
    size_t position_ = 0;
    int phase_ = 0;
    uint32_t start_ = 0;
};

}  // namespace zorbel
