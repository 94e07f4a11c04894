#include "actions/input/input_taken.h"

#include "actions/input/keyboard_desktop.h"

namespace zorbel {

int input_rounds(int messages) {
    if (messages < 0) messages = 0;
    return messages + 1 < kMostInputRounds ? messages + 1 : kMostInputRounds;
}

uint32_t wait_until_input_taken(RunContext& context, intptr_t window, int rounds) {
    KeyboardDesktop& keyboard = *context.desktop().keyboard;
    Clock& clock = context.clock();
    const uint32_t begin = clock.now();
    for (int answered = 0; answered < rounds;) {
        if (keyboard.input_taken(window)) {
            ++answered;
            continue;
        }
        const uint32_t waited = clock.now() - begin;
        if (waited >= kInputTakenLimitMs) {
            context.log("\tInput not taken by its window within %d ms\r\n", static_cast<int>(kInputTakenLimitMs));
            return waited;
        }
        clock.sleep(kInputTakenPollMs);
    }
    return clock.now() - begin;
}

}  // namespace zorbel
