// What the keyboard actions need from the desktop besides key events: time, the
// clipboard, window texts, BlockInput and the machinery of buffered typing. The real
// desktop is in keyboard_desktop_win.cpp; native tests put in a recording fake.
#pragma once
#include <cstdint>
#include <string>

#include "actions/input/buffered_typing.h"
#include "actions/input/key_events.h"

namespace zorbel {

enum class BlockInputResult {
    kDone,        // BlockInput was called
    kNoFunction,  // USER32.DLL has no BlockInput: nothing to do
    kNoLibrary,   // USER32.DLL could not be loaded
};

class KeyboardDesktop {
public:
    virtual ~KeyboardDesktop() = default;

    virtual KeyEventSink& keys() = 0;
    virtual BufferedTypingDriver& buffered_typing() = 0;

    // Blocks the program's thread (the program does not answer meanwhile).
    virtual void sleep(uint32_t milliseconds) = 0;
    virtual uint32_t tick_count() = 0;

    // Copies the clipboard's text (CF_TEXT) into `saved`, "" when it holds none or cannot
    // be opened. False only when no buffer for the copy could be had.
    virtual bool save_clipboard_text(std::string* saved) = 0;
    // Replaces the clipboard's content with `text` as CF_TEXT; other formats are lost.
    virtual void put_clipboard_text(const std::string& text) = 0;

    virtual intptr_t foreground_window() = 0;
    // Sends the window WM_SETTEXT with `text`; the result is not looked at.
    virtual void set_window_text(intptr_t window, const std::string& text) = 0;

    // Looks up BlockInput in USER32.DLL at run time and calls it.
    virtual BlockInputResult block_input(bool block) = 0;
};

// The desktop the keyboard actions use: the system's, unless a test put in its own.
KeyboardDesktop& keyboard_desktop();
// Puts in `desktop` for the keyboard actions; null goes back to the system's.
void use_keyboard_desktop(KeyboardDesktop* desktop);
// The system's desktop (on a desktop-free build one with no clipboard, windows or keys).
KeyboardDesktop& system_keyboard_desktop();

}  // namespace zorbel
