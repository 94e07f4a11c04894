#include "actions/input/keyboard_family.h"

#include "actions/families.h"

#include "actions/input/buffered_typing.h"
#include "actions/input/clipboard_paste.h"
#include "actions/input/input_taken.h"
#include "actions/input/key_events.h"
#include "actions/input/key_tokens.h"
#include "actions/input/keyboard_desktop.h"
#include "actions/input/keystroke_typing.h"
#include "actions/input/typing_text.h"
#include "actions/windows/window_desktop.h"
#include "engine/current_window.h"

namespace zorbel {

namespace {

constexpr uint32_t kOptionLiteral = 0x1;
// The pause before the foreground window stands in for a missing current window.
constexpr uint32_t kForegroundSettleMs = 250;

bool literal_mode(const Step& step) { return (step.options & kOptionLiteral) != 0; }

// The step's text with single line feeds for line breaks, expanded unless literal.
// Line breaks are collapsed again after expansion: a variable or the clipboard may
// bring CR LF pairs of its own, which would otherwise type two ENTERs each. The methods
// that hand the text over whole (clipboard, window text) give line breaks back their CR:
// an edit control shows a lone line feed as nothing, not as a new line.
std::string prepared_text(RunContext& context, const Step& step) {
    std::string text = collapse_line_breaks(step.text);
    if (literal_mode(step)) return text;
    return collapse_line_breaks(context.expand(text));
}

int type_text(RunContext& context, const std::string& text, bool literal) {
    if (text.empty()) return kStepSucceeded;
    KeyboardDesktop& keyboard = *context.desktop().keyboard;
    const intptr_t target = keyboard.focus_window();
    const int keystrokes = type_keystrokes(text, literal, keyboard.keys(), context.clock(), context.run.held_keys);
    const uint32_t wait = keyboard_buffer_wait(keystrokes);
    if (wait != 0) {
        context.clock().sleep(wait);
        if (wait > 100)
            context.log("\t'Simulate Keypress' extra duration for keyboard buffer: %d second(s)\r\n",
                        static_cast<int>(wait / 1000));
    }
    // Each keystroke queues a key down, a key up and a character.
    wait_until_input_taken(context, target, input_rounds(3 * keystrokes));
    return kStepSucceeded;
}

int simulate_keypress(RunContext& context, Step& step) {
    return type_text(context, prepared_text(context, step), literal_mode(step));
}

int paste_text(RunContext& context, Step& step) {
    return paste_through_clipboard(context, prepared_text(context, step));
}

int enter_into_window(RunContext& context, Step& step) {
    const std::string text = prepared_text(context, step);
    intptr_t window = context.services.window ? context.services.window->handle() : 0;
    if (window == 0) {
        context.clock().sleep(kForegroundSettleMs);
        window = context.desktop().windows->foreground_window();
    }
    if (window != 0) context.desktop().keyboard->set_window_text(window, windows_line_breaks(text));
    return kStepSucceeded;
}

template <bool block>
int block_input(RunContext& context, Step&) {
    if (context.desktop().keyboard->block_input(block) == BlockInputResult::kNoLibrary)
        return context.fail("Unable to load USER32.DLL");
    return kStepSucceeded;
}

int buffered_keys(RunContext& context, Step& step) {
    return context.run.state_of<BufferedTyping>(kKeyboardFamilyCode).start(context, prepared_text(context, step));
}

bool caps_lock_on(RunContext& context, Step&) { return context.desktop().keyboard->caps_lock_on(); }

// A typing still going on ends with the run, and keys the script held down go up.
void run_stopped(RunContext& context) {
    if (BufferedTyping* typing = context.run.existing_state_of<BufferedTyping>(kKeyboardFamilyCode)) typing->stop();
    for (int& key : context.run.held_keys) {
        if (key) SendKeyTransition(context.desktop().keyboard->keys(), static_cast<uint8_t>(key), false, kKeyRelease);
        key = 0;
    }
}

// "Unblock Input" before "Block Input": the one contains the other.
const ActionRow kActions[] = {
    {"Unblock Input", block_input<false>},
    {"Block Input", block_input<true>},
    {"Buffered", buffered_keys},
    {"Clipboard", paste_text},
    {"Direct Window", enter_into_window},
};

const ConditionRow kIfConditions[] = {
    {"IF Caps Lock is On", caps_lock_on},
};

}  // namespace

const ActionFamily kKeyboardFamily = ActionFamily(kKeyboardFamilyCode, "Keyboard", kActions, simulate_keypress)
                                          .lending(kIfConditions)
                                          .with_hooks(nullptr, run_stopped);

}  // namespace zorbel
