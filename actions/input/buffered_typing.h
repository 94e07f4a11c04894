// "Buffered Virtual Keys" in progress: at most one typing at a time, played by a
// journal-playback hook where such hooks work, else typed by a timer one character per
// tick (Windows 11 refuses journal hooks; Wine installs them but never calls them).
// Either way the step has already returned and the run waits; when the typing ends the
// run goes on at the next step. Everything runs on the program's one thread.
#pragma once
#include <cstdint>
#include <string>

#include "actions/input/buffered_playback.h"

namespace zorbel {

struct RunContext;
class KeyboardDesktop;

// Time between two characters typed by the timer.
constexpr uint32_t kBufferedTypingTickMs = 10;
// The pauses before and after the hook is installed.
constexpr uint32_t kBufferedTypingSettleMs = 100;

// The desktop's side of buffered typing.
class BufferedTypingDriver {
public:
    virtual ~BufferedTypingDriver() = default;
    // Whether a journal-playback hook gets called here (answered once per process).
    virtual bool journal_playback_works() = 0;
    // Installs the journal-playback hook whose procedure calls buffered_typing_next_event
    // and buffered_typing_skip; false when it is refused.
    virtual bool install_playback_hook() = 0;
    virtual void remove_playback_hook() = 0;
    // Calls buffered_typing_tick every `interval_ms` until stop_ticks; false when no
    // timer can be had.
    virtual bool start_ticks(uint32_t interval_ms) = 0;
    virtual void stop_ticks() = 0;
};

// The system's hook and timer (on a desktop-free build, neither is to be had).
BufferedTypingDriver& system_buffered_typing();

// Starts typing `text` for the run of `context`, moves the run past the current step and
// returns kStepArranged; the run is re-armed when the typing ends. Fails with "Unable to
// start buffer hook" while another typing is in progress (or when neither a hook nor a
// timer can be had).
int start_buffered_typing(RunContext& context, KeyboardDesktop& desktop, std::string text);

// The hook procedure's HC_GETNEXT: the event to play. False when there is nothing to
// play; the typing has then ended, with the log line of an internal error.
bool buffered_typing_next_event(JournalEvent* event);
// The hook procedure's HC_SKIP.
void buffered_typing_skip();
// The timer's tick: types the next character.
void buffered_typing_tick();

// What the current (or last) typing is doing, for tests and the log.
enum class BufferedTypingMode { kNone, kHook, kTicks };
BufferedTypingMode buffered_typing_mode();
const BufferedPlayback& buffered_typing_playback();

}  // namespace zorbel
