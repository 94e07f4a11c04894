#include "actions/input/buffered_typing.h"

#include <utility>

#include "actions/input/keyboard_desktop.h"
#include "actions/input/keyboard_executor.h"

namespace zorbel {

namespace {

// The typing in progress. The hook procedure and the timer get no user pointer, so it
// is global; there is only one at a time.
struct BufferedTyping {
    BufferedTypingMode mode = BufferedTypingMode::kNone;
    bool active = false;
    BufferedPlayback playback;
    RunContext* context = nullptr;
    KeyboardDesktop* desktop = nullptr;
};

BufferedTyping& typing() {
    static BufferedTyping state;
    return state;
}

void stop_driver(BufferedTyping& t) {
    BufferedTypingDriver& driver = t.desktop->buffered_typing();
    if (t.mode == BufferedTypingMode::kHook) driver.remove_playback_hook();
    else driver.stop_ticks();
    t.active = false;
}

// Ends the typing and lets the run go on at the next step after the speed's delay.
void finish(bool internal_error) {
    BufferedTyping& t = typing();
    if (!t.active) return;
    stop_driver(t);
    RunContext* context = t.context;
    t.context = nullptr;
    if (context == nullptr) return;
    if (internal_error) context->log("An internal error ocurred in Buffered Type\r\n");
    if (context->run.running) context->host.set_step_timer(speed_delay(context->run.speed));
}

}  // namespace

int start_buffered_typing(RunContext& context, KeyboardDesktop& desktop, std::string text) {
    BufferedTyping& t = typing();
    if (t.active) return context.fail("Unable to start buffer hook");
    t.playback.start(std::move(text), desktop.tick_count());
    t.context = &context;
    t.desktop = &desktop;
    desktop.sleep(kBufferedTypingSettleMs);
    BufferedTypingDriver& driver = desktop.buffered_typing();
    // Set before the hook goes in: the system may call it as soon as it is installed.
    t.active = true;
    t.mode = BufferedTypingMode::kHook;
    if (!driver.journal_playback_works() || !driver.install_playback_hook()) t.mode = BufferedTypingMode::kTicks;
    desktop.sleep(kBufferedTypingSettleMs);
    if (t.mode == BufferedTypingMode::kTicks && !driver.start_ticks(kBufferedTypingTickMs)) {
        t.active = false;
        t.mode = BufferedTypingMode::kNone;
        t.context = nullptr;
        return context.fail("Unable to start buffer hook");
    }
    ++context.script.current_step;
    context.run.retry_counter = 0;
    return kStepArranged;
}

bool buffered_typing_next_event(JournalEvent* event) {
    BufferedTyping& t = typing();
    *event = JournalEvent();
    if (!t.active) return false;
    if (t.playback.next_event(t.desktop->keys(), event)) return true;
    finish(true);
    return false;
}

void buffered_typing_skip() {
    BufferedTyping& t = typing();
    if (t.active && t.playback.skip(t.desktop->tick_count())) finish(false);
}

void buffered_typing_tick() {
    BufferedTyping& t = typing();
    if (!t.active) return;
    if (!t.playback.has_character()) {
        finish(true);
        return;
    }
    t.playback.send_character(t.desktop->keys());
    if (t.playback.character_done(t.desktop->tick_count())) finish(false);
}

bool buffered_typing_active() { return typing().active; }

void remove_buffered_typing_hook() {
    BufferedTyping& t = typing();
    if (!t.active) return;
    stop_driver(t);
    t.context = nullptr;
}

BufferedTypingMode buffered_typing_mode() { return typing().mode; }

const BufferedPlayback& buffered_typing_playback() { return typing().playback; }

}  // namespace zorbel
