#include <windows.h>

#include "actions/input/journal_hooks.h"

namespace zorbel {

namespace {

HHOOK probe_hook = nullptr;
bool probe_called = false;

// Plays one empty event and removes itself: being called at all is the answer.
LRESULT CALLBACK probe_procedure(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_GETNEXT || code == HC_SKIP) {
        probe_called = true;
        if (code == HC_GETNEXT) *reinterpret_cast<EVENTMSG*>(lparam) = EVENTMSG();
        if (probe_hook) {
            UnhookWindowsHookEx(probe_hook);
            probe_hook = nullptr;
        }
        return 0;
    }
    return CallNextHookEx(probe_hook, code, wparam, lparam);
}

JournalHookSupport probe(uint32_t wait_ms) {
    probe_called = false;
    probe_hook = SetWindowsHookExA(WH_JOURNALPLAYBACK, probe_procedure, GetModuleHandleA(nullptr), 0);
    if (!probe_hook) return JournalHookSupport::kRefused;
    // The system calls a journal hook on the thread that installed it while that thread
    // looks at its queue; posted messages stay where they are.
    const DWORD start = GetTickCount();
    MSG message;
    while (!probe_called && GetTickCount() - start < wait_ms) {
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        if (!probe_called) Sleep(5);
    }
    if (probe_hook) {
        UnhookWindowsHookEx(probe_hook);
        probe_hook = nullptr;
    }
    return probe_called ? JournalHookSupport::kWorking : JournalHookSupport::kSilent;
}

}  // namespace

bool journal_hooks_work(uint32_t wait_ms) {
    if (journal_hook_support() == JournalHookSupport::kUnknown) note_journal_hook_support(probe(wait_ms));
    return journal_hook_support() == JournalHookSupport::kWorking;
}

}  // namespace zorbel
