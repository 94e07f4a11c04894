#include <windows.h>

#include "actions/input/buffered_typing.h"
#include "actions/input/journal_hooks.h"

namespace zorbel {

namespace {

// The hook procedure and the timer get no user pointer: the typing they serve is kept
// here while they are installed (there is only one at a time).
HHOOK playback_hook = nullptr;
UINT_PTR tick_timer = 0;
BufferedTypingEvents* hook_events = nullptr;
BufferedTypingEvents* tick_events = nullptr;

LRESULT CALLBACK playback_procedure(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_GETNEXT) {
        EVENTMSG* event = reinterpret_cast<EVENTMSG*>(lparam);
        *event = EVENTMSG();
        JournalEvent played;
        if (!hook_events || !hook_events->next_event(&played)) return 0;
        event->hwnd = GetFocus();
        event->time = GetTickCount();
        event->message = played.message;
        event->paramL = played.param_l;
        event->paramH = played.param_h;
        return 0;
    }
    if (code == HC_SKIP) {
        if (hook_events) hook_events->skip();
        return 0;
    }
    return CallNextHookEx(playback_hook, code, wparam, lparam);
}

void CALLBACK tick_procedure(HWND, UINT, UINT_PTR, DWORD) {
    if (tick_events) tick_events->tick();
}

class SystemBufferedTyping : public BufferedTypingDriver {
public:
    bool journal_playback_works() override { return journal_hooks_work(); }

    bool install_playback_hook(BufferedTypingEvents* events) override {
        hook_events = events;
        playback_hook = SetWindowsHookExA(WH_JOURNALPLAYBACK, playback_procedure, GetModuleHandleA(nullptr), 0);
        if (!playback_hook) note_journal_hook_support(JournalHookSupport::kRefused);
        return playback_hook != nullptr;
    }

    void remove_playback_hook() override {
        if (playback_hook) UnhookWindowsHookEx(playback_hook);
        playback_hook = nullptr;
        hook_events = nullptr;
    }

    // A thread timer: its procedure runs from the program's message loop, so the program
    // keeps answering between two characters.
    bool start_ticks(uint32_t interval_ms, BufferedTypingEvents* events) override {
        stop_ticks();
        tick_events = events;
        tick_timer = SetTimer(nullptr, 0, interval_ms, tick_procedure);
        return tick_timer != 0;
    }

    void stop_ticks() override {
        if (tick_timer) KillTimer(nullptr, tick_timer);
        tick_timer = 0;
        tick_events = nullptr;
    }
};

}  // namespace

BufferedTypingDriver& system_buffered_typing() {
    static SystemBufferedTyping driver;
    return driver;
}

}  // namespace zorbel
