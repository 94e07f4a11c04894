// Steps that send keys or clicks end only once the window's thread has taken them: one
// answered round trip per queued message and one more, at once when the thread answers,
// after polling while it does not, and at the bound with a log line when it never does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/input/input_taken.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

constexpr char kBoundLine[] = "\tInput not taken by its window within 500 ms\r\n";

class InputTaken : public ::testing::Test {
protected:
    RunRig rig;
    FakeKeyboardDesktop& keyboard = rig.desktop.keyboard;

    int run(const char* action, const std::string& text) {
        rig.only(action, text);
        return rig.run_step();
    }
    std::vector<uint32_t> sleeps() { return rig.desktop.sleeps(); }
    bool logged_bound() { return rig.log().find(kBoundLine) != std::string::npos; }
};

TEST_F(InputTaken, TypingWaitsForTheWindowThatHadTheFocus) {
    struct Row {
        const char* name;
        int pending;
        std::vector<uint32_t> sleeps;
        bool bound;
    } rows[] = {
        {"taken already: free", 0, {}, false},
        {"taken after three polls", 3, {5, 5, 5}, false},
        {"never taken: the bound", 1000, std::vector<uint32_t>(100, 5), true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        rig.desktop.calls.clear();
        rig.output.text.clear();
        keyboard.probed.clear();
        keyboard.focused = 77;
        keyboard.pending_answers = r.pending;
        EXPECT_EQ(kStepSucceeded, run("Simulate Keypress", "n1"));
        EXPECT_EQ(r.sleeps, sleeps());
        EXPECT_EQ(r.bound, logged_bound()) << rig.log();
        // "n1": two keystrokes of three messages each, and one round more; a round that is
        // not answered is asked again.
        EXPECT_EQ(static_cast<size_t>(r.bound ? 100 + 1 : 7 + r.pending), keyboard.probed.size());
        // The window asked about is the one focused when the keys went, not a later one.
        for (intptr_t window : keyboard.probed) EXPECT_EQ(77, window);
    }
}

// The keyboard-buffer wait of a long text stays as it was and comes first; the input
// wait follows it.
TEST_F(InputTaken, ComesAfterTheKeyboardBufferWait) {
    keyboard.pending_answers = 2;
    EXPECT_EQ(kStepSucceeded, run("Text + System Keys", std::string(130, 'k')));
    EXPECT_EQ((std::vector<uint32_t>{1000, 5, 5}), sleeps());
    EXPECT_NE(std::string::npos, rig.log().find("extra duration for keyboard buffer: 1 second(s)"));
}

TEST_F(InputTaken, RoundsFollowTheQueuedMessagesUpToALimit) {
    const struct {
        int messages, rounds;
    } rows[] = {{-1, 1}, {0, 1}, {6, 7}, {30, 31}, {31, 32}, {3000, 32}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.messages);
        EXPECT_EQ(r.rounds, input_rounds(r.messages));
    }
}

TEST_F(InputTaken, ClicksWaitForTheWindowUnderThePointer) {
    struct Row {
        const char* action;
        size_t probes;
    } rows[] = {
        {"Left Button Click", 7},
        {"Right Button Click", 7},
        {"Left Button Double-Click", 7},
        {"Left Button Up", 7},
        {"Mouse Wheel Up", 7},
        {"Move Instantly", 0},
        {"Save Current Position", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.action);
        keyboard.probed.clear();
        keyboard.focused = 77;
        keyboard.under_pointer = 55;
        keyboard.pending_answers = r.probes ? 2 : 0;
        rig.only(r.action, "");
        EXPECT_EQ(kStepSucceeded, rig.run_step());
        EXPECT_EQ(r.probes, keyboard.probed.size());
        for (intptr_t window : keyboard.probed) EXPECT_EQ(55, window);
    }
}

}  // namespace
}  // namespace zorbel
