// "Buffered Virtual Keys" in progress: at most one typing at a time, played by a
// journal-playback hook where such hooks work, else typed by a timer one character per
// tick (Windows 11 refuses journal hooks; Wine installs them but never calls them).
// Either way the step has already returned and the run's ticks are held; when the
// typing ends the run goes on at the next step. The typing belongs to the run (the
// Keyboard family's run state) and is removed when the run stops.
#pragma once
#include <cstdint>
#include <string>

#include "actions/input/buffered_playback.h"
#include "engine/family.h"

namespace zorbel {

struct RunContext;

// Time between two characters typed by the timer.
constexpr uint32_t kBufferedTypingTickMs = 10;
// The pauses before and after the hook is installed.
constexpr uint32_t kBufferedTypingSettleMs = 100;

// What the hook procedure and the timer call back.
class BufferedTypingEvents {
public:
    virtual ~BufferedTypingEvents() = default;
    // HC_GETNEXT: the event to play. False when there is nothing to play; the typing
    // has then ended, with the log line of an internal error.
    virtual bool next_event(JournalEvent* event) = 0;
    // HC_SKIP.
    virtual void skip() = 0;
    // The timer's tick: types the next character.
    virtual void tick() = 0;
};

// The desktop's side of buffered typing.
class BufferedTypingDriver {
public:
    virtual ~BufferedTypingDriver() = default;
    // Whether a journal-playback hook gets called here (answered once per process).
    virtual bool journal_playback_works() = 0;
    // Installs the journal-playback hook, which calls `events`; false when refused.
    virtual bool install_playback_hook(BufferedTypingEvents* events) = 0;
    virtual void remove_playback_hook() = 0;
    // Calls events->tick() every `interval_ms` until stop_ticks; false when no timer
    // can be had.
    virtual bool start_ticks(uint32_t interval_ms, BufferedTypingEvents* events) = 0;
    virtual void stop_ticks() = 0;
};

// The system's hook and timer (on a desktop-free build, neither is to be had).
BufferedTypingDriver& system_buffered_typing();

enum class BufferedTypingMode { kNone, kHook, kTicks };

// The typing of one run.
class BufferedTyping : public FamilyRunState, public BufferedTypingEvents {
public:
    ~BufferedTyping() override { stop(); }

    // Starts typing `text` for the run of `context`, moves the run past the current
    // step, holds the run's ticks and returns kStepArranged; the run is re-armed when
    // the typing ends. Fails with "Unable to start buffer hook" while another typing
    // is in progress (or when neither a hook nor a timer can be had).
    int start(RunContext& context, std::string text);
    // Ends a typing in progress without resuming the run (the run is stopping).
    void stop();

    bool active() const { return active_; }
    BufferedTypingMode mode() const { return mode_; }
    const BufferedPlayback& playback() const { return playback_; }

    bool next_event(JournalEvent* event) override;
    void skip() override;
    void tick() override;

private:
    void finish(bool internal_error);

    BufferedTypingMode mode_ = BufferedTypingMode::kNone;
    bool active_ = false;
    BufferedPlayback playback_;
    RunContext* context_ = nullptr;
    intptr_t target_ = 0;  // the window with the focus when the typing began
};

}  // namespace zorbel
