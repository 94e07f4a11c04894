// Typing a text as keystrokes ("Simulate Keypress", "Text + System Keys"): key tokens,
// held modifiers, "{Delay}" pauses, and the wait for the keyboard buffer afterwards.
// Desktop-free: keys go to a KeyEventSink, pauses to the clock.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zorbel {

class KeyEventSink;
class Clock;

// Slots of the run's held modifier keys: each holds its key's code once a typing step
// pressed it during the run, else 0.
constexpr int kHeldControl = 0;
constexpr int kHeldShift = 1;
constexpr int kHeldAlt = 2;

// Types `text`. In `literal` mode every character is pressed and released; otherwise key
// tokens are sent as their keys ("{ctrldown}" only pressed, "{ctrlup}" only released),
// "{Delay=n}" pauses n ms and unknown tokens are typed as they are written. CTRL, SHIFT
// or ALT pressed by a token is noted in `held_keys`. Returns the keystrokes counted (one
// per released key).
int type_keystrokes(std::string_view text, bool literal, KeyEventSink& keys, Clock& clock, int held_keys[3]);

// The pause of a "{Delay" token at the start of `token`: the digits of its first 31
// characters up to the closing brace, in milliseconds.
uint32_t delay_of_token(std::string_view token);

// How long to let the keyboard buffer drain after `keystrokes` keys: 0 below 20, else a
// second per full 120 keys, at least 100 ms and at most 4 s.
uint32_t keyboard_buffer_wait(int keystrokes);

}  // namespace zorbel
