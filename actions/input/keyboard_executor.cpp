// The Keyboard family. The action is told by the words its name contains, tested in a
// fixed order: "Unblock Input" before "Block Input" (the one contains the other), then
// "Buffered", "Clipboard" and "Direct Window"; every other name types keystrokes.
#include "actions/input/keyboard_executor.h"

#include "actions/input/buffered_typing.h"
#include "actions/input/key_events.h"
#include "actions/input/key_tokens.h"
#include "actions/input/keyboard_desktop.h"
#include "actions/input/keystroke_typing.h"
#include "actions/input/typing_text.h"
#include "engine/current_window.h"

namespace zorbel {

namespace {

constexpr uint32_t kOptionLiteral = 0x1;
// How long a pasted text has to arrive before the clipboard gets its old text back.
constexpr uint32_t kPasteSettleMs = 500;
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

int type_text(RunContext& context, KeyboardDesktop& desktop, const std::string& text, bool literal) {
    if (text.empty()) return kStepSucceeded;
    const int keystrokes = type_keystrokes(text, literal, desktop, context.run.held_keys);
    const uint32_t wait = keyboard_buffer_wait(keystrokes);
    if (wait == 0) return kStepSucceeded;
    desktop.sleep(wait);
    if (wait > 100)
        context.log("\t'Simulate Keypress' extra duration for keyboard buffer: %d second(s)\r\n",
                    static_cast<int>(wait / 1000));
    return kStepSucceeded;
}

int paste_text(RunContext& context, KeyboardDesktop& desktop, const std::string& text) {
    std::string saved;
    if (!desktop.save_clipboard_text(&saved)) return context.fail("Insufficient memory available");
    desktop.put_clipboard_text(windows_line_breaks(text));
    KeyEventSink& keys = desktop.keys();
    SendKeyTransition(keys, kKeyControl, false, kKeyPress);
    SendKeyTransition(keys, 'V', false, kKeyPress);
    SendKeyTransition(keys, 'V', false, kKeyRelease);
    SendKeyTransition(keys, kKeyControl, false, kKeyRelease);
    desktop.sleep(kPasteSettleMs);
    desktop.put_clipboard_text(saved);
    return kStepSucceeded;
}

int enter_into_window(RunContext& context, KeyboardDesktop& desktop, const std::string& text) {
    intptr_t window = context.services.window ? context.services.window->handle() : 0;
    if (window == 0) {
        desktop.sleep(kForegroundSettleMs);
        window = desktop.foreground_window();
    }
    if (window != 0) desktop.set_window_text(window, windows_line_breaks(text));
    return kStepSucceeded;
}

int block_input(RunContext& context, KeyboardDesktop& desktop, bool block) {
    if (desktop.block_input(block) == BlockInputResult::kNoLibrary) return context.fail("Unable to load USER32.DLL");
    return kStepSucceeded;
}

}  // namespace

int execute_keyboard_family(RunContext& context) {
    Step& step = context.step();
    const std::string_view name = field_text(step.action);
    KeyboardDesktop& desktop = keyboard_desktop();
    if (contains_ignore_case(name, "Unblock Input")) return block_input(context, desktop, false);
    if (contains_ignore_case(name, "Block Input")) return block_input(context, desktop, true);
    std::string text = prepared_text(context, step);
    if (contains_ignore_case(name, "Buffered")) return start_buffered_typing(context, desktop, std::move(text));
    if (contains_ignore_case(name, "Clipboard")) return paste_text(context, desktop, text);
    if (contains_ignore_case(name, "Direct Window")) return enter_into_window(context, desktop, text);
    return type_text(context, desktop, text, literal_mode(step));
}

}  // namespace zorbel
