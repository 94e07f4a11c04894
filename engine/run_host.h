// What the run controller needs from the program it runs in: the step timer, the
// keyboard state, the status bar, boxes, and the program's window. The editor and
// the player implement it on their main window; native tests use a fake that steps
// the run synchronously.
#pragma once
#include <cstdint>
#include <string>

#include "core/user_interface.h"

namespace zorbel {

enum class BoxIcon { kInformation, kExclamation, kStop, kQuestion };

class RunHost {
public:
    virtual ~RunHost() = default;

    // Timer 1001: a tick after `milliseconds`, replacing any pending one.
    virtual void set_step_timer(uint32_t milliseconds) = 0;
    virtual void kill_step_timer() = 0;
    // Posts a tick at once (behind messages already queued).
    virtual void post_tick() = 0;

    // Whether the key is down now (asynchronous state).
    virtual bool key_down(int virtual_key) = 0;
    // Sends a key-up event for a key the script held down.
    virtual void release_key(int virtual_key) = 0;

    virtual void set_status(int part, const std::string& text) = 0;
    // A message box; returns Yes or No for a question, Yes otherwise.
    virtual Answer box(const std::string& title, const std::string& text, BoxIcon icon, bool yes_no) = 0;

    // Saves a capture of the whole screen as a bitmap file; false when it failed.
    virtual bool capture_screen(const std::string& path) = 0;

    // The editor's commands while a run goes on (the player has none).
    virtual void enable_editing(bool enabled) = 0;
    // The selected step row, -1 when none.
    virtual int32_t selected_step() = 0;
    virtual void select_step(int32_t index) = 0;
    virtual void minimize_main_window() = 0;
    virtual void restore_main_window() = 0;
    // Sends the close message to the main window (ends the program).
    virtual void close_main_window() = 0;
    // Whether another instance of the program is running.
    virtual bool other_instance_running() = 0;
    // Whether "Buffered Virtual Keys" is typing through its hook; ticks wait meanwhile.
    virtual bool buffered_typing_active() = 0;
    virtual void remove_buffered_typing_hook() = 0;
    virtual void remove_keypress_watcher() = 0;
    // Sets the progress window's position 0..100, when one is shown.
    virtual void set_progress(int percent) = 0;

    // Blocks the program for the given time ("Freeze").
    virtual void sleep_milliseconds(uint32_t milliseconds) = 0;

    // Caps Lock toggled on or held down.
    virtual bool caps_lock_on() = 0;
    // The foreground window (0 when none) and its title, at most `limit` characters.
    virtual intptr_t foreground_window() = 0;
    virtual std::string window_title(intptr_t window, size_t limit) = 0;
    // The next top-level window after `window` in the system's window order that is
    // visible and has a title; 0 when there is none.
    virtual intptr_t next_titled_window(intptr_t window) = 0;
};

}  // namespace zorbel
