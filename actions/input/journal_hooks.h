// Whether the system's journal hooks (record and playback) work in this process. Some
// systems refuse them (Windows 11); others install them and never call them (Wine).
// Buffered typing, input recording and recording playback ask here before relying on
// one; the answer is found once per process and kept.
#pragma once
#include <cstdint>

namespace zorbel {

enum class JournalHookSupport {
    kUnknown,  // not found out yet
    kWorking,  // a playback hook was called
    kRefused,  // SetWindowsHookEx refused the hook
    kSilent,   // the hook was installed but never called while messages were pumped
};

// How long a probing playback hook may stay silent before journal hooks count as not
// working.
constexpr uint32_t kJournalProbeMs = 250;

// What this process has found out so far.
JournalHookSupport journal_hook_support();
// Keeps what a user of journal hooks found out (for instance a hook refused later).
void note_journal_hook_support(JournalHookSupport found);
const char* journal_hook_support_name(JournalHookSupport support);

// Whether journal hooks work here. The first call probes: it installs a playback hook
// that only notes that it was called and removes itself, and pumps the thread's sent
// messages for up to `wait_ms`; later calls answer from what was found. Desktop-free
// builds have no journal hooks.
bool journal_hooks_work(uint32_t wait_ms = kJournalProbeMs);

}  // namespace zorbel
