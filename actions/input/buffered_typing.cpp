#include "actions/input/buffered_typing.h"

#include <utility>

#include "actions/input/input_taken.h"
#include "actions/input/keyboard_desktop.h"
#include "engine/run_context.h"

namespace zorbel {

namespace {

BufferedTypingDriver& driver_of(RunContext& context) { return context.desktop().keyboard->buffered_typing(); }

}  // namespace

void BufferedTyping::stop() {
    if (!active_) return;
    BufferedTypingDriver& driver = driver_of(*context_);
    if (mode_ == BufferedTypingMode::kHook) driver.remove_playback_hook();
    else driver.stop_ticks();
    active_ = false;
    context_->run.ticks_held = false;
}

// Ends the typing and lets the run go on at the next step after the speed's delay.
void BufferedTyping::finish(bool internal_error) {
    if (!active_) return;
    RunContext& context = *context_;
    stop();
    if (internal_error) context.log("An internal error ocurred in Buffered Type\r\n");
    // The last characters may still be queued for the window: the next step could
    // activate another before they arrive.
    wait_until_input_taken(context, target_, kMostInputRounds);
    if (context.run.running) context.host.set_step_timer(speed_delay(context.run.speed));
}

int BufferedTyping::start(RunContext& context, std::string text) {
    if (active_) return context.fail("Unable to start buffer hook");
    context_ = &context;
    target_ = context.desktop().keyboard->focus_window();
    playback_.start(std::move(text), context.now());
    context.clock().sleep(kBufferedTypingSettleMs);
    BufferedTypingDriver& driver = driver_of(context);
    // Set before the hook goes in: the system may call it as soon as it is installed.
    active_ = true;
    context.run.ticks_held = true;
    mode_ = BufferedTypingMode::kHook;
    if (!driver.journal_playback_works() || !driver.install_playback_hook(this)) mode_ = BufferedTypingMode::kTicks;
    context.clock().sleep(kBufferedTypingSettleMs);
    if (mode_ == BufferedTypingMode::kTicks && !driver.start_ticks(kBufferedTypingTickMs, this)) {
        active_ = false;
        context.run.ticks_held = false;
        mode_ = BufferedTypingMode::kNone;
        return context.fail("Unable to start buffer hook");
    }
    ++context.script.current_step;
    context.run.retry_counter = 0;
    return kStepArranged;
}

bool BufferedTyping::next_event(JournalEvent* event) {
    *event = JournalEvent();
    if (!active_) return false;
    if (playback_.next_event(context_->desktop().keyboard->keys(), event)) return true;
    finish(true);
    return false;
}

void BufferedTyping::skip() {
    if (active_ && playback_.skip(context_->now())) finish(false);
}

void BufferedTyping::tick() {
    if (!active_) return;
    if (!playback_.has_character()) {
        finish(true);
        return;
    }
    playback_.send_character(context_->desktop().keyboard->keys());
    if (playback_.character_done(context_->now())) finish(false);
}

}  // namespace zorbel
