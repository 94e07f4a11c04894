// What recording and playing back input needs from the desktop: the one record or
// playback hook of the program (at most one at a time) and the keypress watcher of
// "Wait for Keypress". The hooks call back into desktop-free objects: a RecordSink
// takes each input event seen, a PlaybackSource hands out the events to play and the
// time to wait before each, a KeyWatchSink hears key presses. The real desktop is in
// recorder_desktop_win.cpp (low-level hooks and SendInput, which work where the
// system's journal hooks are refused or never called); native tests use a fake.
#pragma once
#include <cstdint>

#include "core/step_record.h"

namespace zorbel {

// Input messages of recorded events.
constexpr uint32_t kMessageKeyFirst = 0x0100;    // WM_KEYDOWN
constexpr uint32_t kMessageKeyRelease = 0x0101;  // WM_KEYUP
constexpr uint32_t kMessageSysKeyDown = 0x0104;  // WM_SYSKEYDOWN
constexpr uint32_t kMessageMouseMove = 0x0200;   // WM_MOUSEMOVE
constexpr uint32_t kMessageMouseWheel = 0x020A;  // WM_MOUSEWHEEL

// Whoever holds the record or playback hook.
class JournalClient {
public:
    virtual ~JournalClient() = default;
    // The system took the hook away (Ctrl+Esc, Ctrl+Alt+Del); it is already gone.
    virtual void journal_cancelled() = 0;
};

class RecordSink : public JournalClient {
public:
    // One input event: message, first and second parameter and the window it was meant
    // for; the sink stamps the time.
    virtual void recorded(const RecordingEvent& event) = 0;
};

// The answer of a playback to "what now?".
enum class NextEvent {
    kPlay,   // play the event filled in
    kWait,   // ask again after the milliseconds filled in
    kEnded,  // the playback has ended (and removed its hook)
};

class PlaybackSource : public JournalClient {
public:
    // The event to play now, or how long to wait before asking again. Asking again
    // before skip() gives the same event.
    virtual NextEvent next_event(RecordingEvent* event, uint32_t* wait_ms) = 0;
    // The event handed out has been played: move to the next one.
    virtual void skip() = 0;
};

class KeyWatchSink {
public:
    virtual ~KeyWatchSink() = default;
    // A key went down: WM_KEYDOWN or WM_SYSKEYDOWN with the key's code.
    virtual void key_pressed(uint32_t message, uint8_t code) = 0;
};

class RecorderDesktop {
public:
    virtual ~RecorderDesktop() = default;
    // The record hook: every keyboard and mouse event goes to `sink` until removed.
    // False when refused (or when a record or playback hook is already installed).
    virtual bool install_record_hook(RecordSink* sink) = 0;
    // The playback hook: plays what `source` hands out until removed. False when refused
    // (or when a record or playback hook is already installed).
    virtual bool install_playback_hook(PlaybackSource* source) = 0;
    // Removes the record or playback hook; nothing when none is installed. Callers may
    // remove it from inside a call of their sink or source.
    virtual void remove_journal_hook() = 0;
    virtual bool journal_hook_installed() = 0;
    // The system cancelled the journal: the hook is forgotten and its client told.
    virtual void cancel_journal() = 0;

    // The keypress watcher; false when refused.
    virtual bool install_key_watcher(KeyWatchSink* sink) = 0;
    virtual void remove_key_watcher() = 0;
};

// The program's hooks (for the program shell to assemble).
RecorderDesktop& system_recorder_desktop();

}  // namespace zorbel
