#include "actions/input/clipboard_paste.h"

#include "actions/input/input_taken.h"
#include "actions/input/key_events.h"
#include "actions/input/key_tokens.h"
#include "actions/input/keyboard_desktop.h"
#include "actions/input/typing_text.h"

namespace zorbel {

namespace {

// Waits on the run's clock until the offered text is read or taken off the clipboard by
// another program, at most kPasteReadLimitMs.
void wait_until_read(RunContext& context) {
    KeyboardDesktop& keyboard = *context.desktop().keyboard;
    Clock& clock = context.clock();
    const uint32_t begin = clock.now();
    for (;;) {
        const clipboard::Offer state = keyboard.paste_offer();
        if (state == clipboard::Offer::kGone)
            context.log("\tPasted text replaced on the clipboard before its window read it\r\n");
        if (state != clipboard::Offer::kWaiting) return;
        if (clock.now() - begin >= kPasteReadLimitMs) {
            context.log("\tPasted text not read by its window within %d ms\r\n", static_cast<int>(kPasteReadLimitMs));
            return;
        }
        clock.sleep(kInputTakenPollMs);
    }
}

}  // namespace

int paste_through_clipboard(RunContext& context, const std::string& text) {
    Clipboard& clipboard = *context.desktop().clipboard;
    KeyboardDesktop& keyboard = *context.desktop().keyboard;
    Clock& clock = context.clock();
    std::string saved;
    clipboard.text(&saved);
    const intptr_t target = keyboard.focus_window();
    const std::string pasted = windows_line_breaks(text);
    const bool offered = keyboard.offer_paste(target, pasted);
    if (!offered) clipboard.set_text(pasted);
    KeyEventSink& keys = keyboard.keys();
    SendKeyTransition(keys, kKeyControl, false, kKeyPress);
    SendKeyTransition(keys, 'V', false, kKeyPress);
    SendKeyTransition(keys, 'V', false, kKeyRelease);
    SendKeyTransition(keys, kKeyControl, false, kKeyRelease);
    const uint32_t begin = clock.now();
    if (offered) wait_until_read(context);
    const uint32_t waited = clock.now() - begin;
    if (waited < kPasteSettleMs) clock.sleep(kPasteSettleMs - waited);
    // Once the text is read only the two key-ups can still be queued; a text that could not
    // be offered has only the round trips to go by.
    wait_until_input_taken(context, target, offered ? input_rounds(2) : kMostInputRounds);
    clipboard.set_text(saved);
    return kStepSucceeded;
}

}  // namespace zorbel
