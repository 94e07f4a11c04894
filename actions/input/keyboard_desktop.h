// What the keyboard actions need from the desktop: key events and the keyboard's
// state, window texts, BlockInput and the machinery of buffered typing (the clipboard
// and the clock are the desktop's own). The real desktop is in
// keyboard_desktop_win.cpp; native tests use the recording fake desktop.
#pragma once
#include <cstdint>
#include <string>

#include "actions/input/buffered_typing.h"
#include "actions/input/key_events.h"
#include "engine/desktop.h"
#include "platform/clipboard.h"

namespace zorbel {

enum class BlockInputResult {
    kDone,        // BlockInput was called
    kNoFunction,  // USER32.DLL has no BlockInput: nothing to do
    kNoLibrary,   // USER32.DLL could not be loaded
};

class KeyboardDesktop : public KeyState {
public:
    virtual ~KeyboardDesktop() = default;

    virtual KeyEventSink& keys() = 0;
    virtual BufferedTypingDriver& buffered_typing() = 0;

    // Whether Caps Lock is toggled on or held down.
    virtual bool caps_lock_on() = 0;

    // Sends the window WM_SETTEXT with `text`; the result is not looked at.
    virtual void set_window_text(intptr_t window, const std::string& text) = 0;

    // Looks up BlockInput in USER32.DLL at run time and calls it.
    virtual BlockInputResult block_input(bool block) = 0;

    // The window that has the keyboard focus (the foreground window when none has it;
    // 0 when there is none): where the keys sent next go.
    virtual intptr_t focus_window() = 0;
    // The window under the pointer: where a click sent now goes.
    virtual intptr_t window_under_pointer() = 0;
    // One message round trip to the thread of `window`: true when it answered (it has
    // taken what it was sent before and one more of the messages queued for it), also when
    // nothing can be asked (no window, a window of this program); false when it did not
    // answer in time. Input still queued when the foreground moves to another program is
    // lost, so steps ask this before they end.
    virtual bool input_taken(intptr_t window) = 0;

    // Puts `text` on the clipboard for a paste into `window`, handed over only when read,
    // so that paste_offer() tells when the window's program has read it. False (nothing
    // offered) when that cannot be done, and for a window of this program, which reads
    // nothing while the step runs.
    virtual bool offer_paste(intptr_t window, const std::string& text) = 0;
    // The offered paste's state; answers the request for it that waits now.
    virtual clipboard::Offer paste_offer() = 0;
};

// The system's keyboard (for the program shell to assemble); on a desktop-free build
// one with no keys.
KeyboardDesktop& system_keyboard_desktop();

}  // namespace zorbel
