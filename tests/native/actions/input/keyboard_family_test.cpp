// The Keyboard family on an in-memory desktop: which action does what, the text each one
// gets, the failures, the keyboard-buffer wait and its log line, the modifiers released
// when the run stops, and "Buffered Virtual Keys" typing while the run waits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/input/buffered_typing.h"
#include "actions/input/keyboard_family.h"
#include "engine/settings_store.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

using Lines = std::vector<std::string>;

class KeyboardFamily : public ::testing::Test {
protected:
    KeyboardFamily() { write_setting_number(rig.store, "SOFTWARE\\Zorbel\\DefaultSpeed", 5); }

    Step& add(const char* action, const std::string& text, uint32_t options = 0) {
        Step& s = rig.add(action, text);
        s.options = options;
        return s;
    }
    // Runs step `index` (from 0) as the run would.
    int run(int32_t index) {
        rig.script.current_step = index;
        return rig.run_step();
    }
    // Adds a step and runs it.
    int run(const char* action, const std::string& text, uint32_t options = 0) {
        add(action, text, options);
        return run(rig.script.step_count() - 1);
    }
    // Starts a run (without letting its ticks go) so the step runs inside it.
    void start_run() {
        rig.controller.start_run(kCommandRun);
        rig.host.posted_ticks = 0;
        rig.host.timer_armed = false;
    }
    std::vector<std::string> keys() { return rig.desktop.effects(); }
    std::vector<uint32_t> sleeps() { return rig.desktop.sleeps(); }
    void clear() { rig.desktop.calls.clear(); }
    // The run's buffered typing, null before the first.
    BufferedTyping* typing() { return rig.run.existing_state_of<BufferedTyping>(kKeyboardFamilyCode); }
    bool typing_active() { return typing() && typing()->active(); }
    // Lets the typing timer tick until typing ends (or `limit` ticks), each tick 10 ms later.
    int tick_until_done(int limit = 10000) {
        int ticks = 0;
        while (typing_active() && ticks < limit) {
            EXPECT_TRUE(keyboard.buffered.ticking);
            rig.desktop.clock.now_ms += kBufferedTypingTickMs;
            keyboard.buffered.events->tick();
            ++ticks;
        }
        return ticks;
    }

    RunRig rig;
    FakeKeyboardDesktop& keyboard = rig.desktop.keyboard;
};

TEST_F(KeyboardFamily, EachActionNameSelectsItsMethod) {
    struct Row {
        const char* action;
        Lines effects;
    } rows[] = {
        {"Simulate Keypress", {"down 79", "up 79", "down 75", "up 75"}},
        {"Text + System Keys", {"down 79", "up 79", "down 75", "up 75"}},
        {"Text via Clipboard", {"offer 0 \"ok\"", "down 17 ext", "down 86", "up 86", "up 17 ext", "clipboard \"\""}},
        {"Direct Window Entry", {}},
        {"Block Input", {}},
        {"Unblock Input", {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.action);
        clear();
        keyboard.window_texts.clear();
        keyboard.block_calls.clear();
        EXPECT_EQ(kStepSucceeded, run(r.action, "ok"));
        EXPECT_EQ(r.effects, keys());
        const bool direct = std::string(r.action) == "Direct Window Entry";
        ASSERT_EQ(direct ? 1u : 0u, keyboard.window_texts.size());
        if (direct) {
            EXPECT_EQ("ok", keyboard.window_texts[0].second);
        }
        const bool block = std::string(r.action).find("lock Input") != std::string::npos;
        ASSERT_EQ(block ? 1u : 0u, keyboard.block_calls.size());
        if (block) {
            EXPECT_EQ(std::string(r.action) == "Block Input", keyboard.block_calls[0]);
        }
    }
}

TEST_F(KeyboardFamily, TextIsExpandedUnlessLiteral) {
    rig.set_variable("who", "Jo");
    EXPECT_EQ(kStepSucceeded, run("Simulate Keypress", "%who{ENTER}"));
    EXPECT_EQ((Lines{"down 16", "down 74", "up 74", "up 16", "down 79", "up 79", "down 13", "up 13"}), keys());

    clear();
    EXPECT_EQ(kStepSucceeded, run("Direct Window Entry", "%who {enter}", 1));
    ASSERT_EQ(1u, keyboard.window_texts.size());
    EXPECT_EQ("%who {enter}", keyboard.window_texts[0].second);
}

// Each line break types one ENTER, also when it came from a variable with CR LF in it.
TEST_F(KeyboardFamily, EveryLineBreakIsOneEnter) {
    rig.set_variable("lines", "c\r\nd");
    EXPECT_EQ(kStepSucceeded, run("Simulate Keypress", "a\r\nb\r\n%lines"));
    EXPECT_EQ((Lines{"down 65", "up 65", "down 13", "up 13", "down 66", "up 66", "down 13", "up 13", "down 67",
                     "up 67", "down 13", "up 13", "down 68", "up 68"}),
              keys());
    clear();
    EXPECT_EQ(kStepSucceeded, run("Text via Clipboard", "x\r\ny\r\n%lines"));
    // Pasted and window texts break lines with CR LF, as edit controls need.
    EXPECT_EQ("x\r\ny\r\nc\r\nd", keyboard.offered_text);
    EXPECT_EQ(kStepSucceeded, run("Direct Window Entry", "x\ny\r\n%lines"));
    EXPECT_EQ("x\r\ny\r\nc\r\nd", keyboard.window_texts.at(0).second);
}

TEST_F(KeyboardFamily, LongTextsWaitForTheKeyboardBufferAndSaySo) {
    struct Row {
        size_t length;
        std::vector<uint32_t> sleeps;
        std::string log;
    } rows[] = {
        {19, {}, ""},
        {20, {100}, ""},
        {130, {1000}, "\t'Simulate Keypress' extra duration for keyboard buffer: 1 second(s)\r\n"},
        {1000, {4000}, "\t'Simulate Keypress' extra duration for keyboard buffer: 4 second(s)\r\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.length) + " characters");
        clear();
        rig.output.text.clear();
        EXPECT_EQ(kStepSucceeded, run("Text + System Keys", std::string(r.length, 'k')));
        EXPECT_EQ(r.sleeps, sleeps());
        EXPECT_EQ(r.log, rig.output.text);
    }
}

TEST_F(KeyboardFamily, EmptyTextSucceedsWithoutKeys) {
    EXPECT_EQ(kStepSucceeded, run("Simulate Keypress", ""));
    EXPECT_TRUE(keys().empty());
    EXPECT_TRUE(sleeps().empty());
}

// Modifiers a run pressed are released once more when it stops, even when a token
// already released them.
TEST_F(KeyboardFamily, HeldModifiersAreReleasedWhenTheRunStops) {
    add("Simulate Keypress", "{ctrldown}{shiftdown}{altdown}x{ctrlup}");
    start_run();
    EXPECT_EQ(kStepSucceeded, run(0));
    EXPECT_EQ(17, rig.run.held_keys[0]);
    EXPECT_EQ(16, rig.run.held_keys[1]);
    EXPECT_EQ(18, rig.run.held_keys[2]);
    clear();
    rig.controller.stop_run();
    EXPECT_EQ((Lines{"up 17 ext", "up 16", "up 18 scan=0"}), keys());
    EXPECT_EQ(0, rig.run.held_keys[0]);
}

TEST_F(KeyboardFamily, ClipboardTextIsPastedAndTheOldTextPutBack) {
    rig.desktop.clipboard.has_text = true;
    rig.desktop.clipboard.content = "before";
    EXPECT_EQ(kStepSucceeded, run("Text via Clipboard", "pasted"));
    EXPECT_EQ((Lines{"offer 0 \"pasted\"", "down 17 ext", "down 86", "up 86", "up 17 ext", "clipboard \"before\""}),
              keys());
    EXPECT_EQ((std::vector<uint32_t>{500}), sleeps());
    EXPECT_EQ("before", rig.desktop.clipboard.content);
}

TEST_F(KeyboardFamily, DirectEntryGoesToTheCurrentWindowOrElseTheForegroundWindow) {
    EXPECT_EQ(kStepSucceeded, run("Direct Window Entry", "title"));
    ASSERT_EQ(1u, keyboard.window_texts.size());
    EXPECT_EQ(4242, keyboard.window_texts[0].first);
    EXPECT_TRUE(sleeps().empty());

    rig.window.exists = false;
    rig.desktop.windows.foreground = 777;
    EXPECT_EQ(kStepSucceeded, run("Direct Window Entry", "other"));
    ASSERT_EQ(2u, keyboard.window_texts.size());
    EXPECT_EQ(777, keyboard.window_texts[1].first);
    EXPECT_EQ("other", keyboard.window_texts[1].second);
    EXPECT_EQ((std::vector<uint32_t>{250}), sleeps());

    // No window at all: nothing is sent, and the step still succeeds.
    rig.desktop.windows.foreground = 0;
    EXPECT_EQ(kStepSucceeded, run("Direct Window Entry", "lost"));
    EXPECT_EQ(2u, keyboard.window_texts.size());
}

TEST_F(KeyboardFamily, BlockInputFailsOnlyWithoutUser32) {
    keyboard.block_result = BlockInputResult::kNoFunction;
    EXPECT_EQ(kStepSucceeded, run("Block Input", ""));
    keyboard.block_result = BlockInputResult::kNoLibrary;
    EXPECT_EQ(kStepFailed, run("Unblock Input", ""));
    EXPECT_EQ("Unable to load USER32.DLL", rig.run.error_text);
    EXPECT_EQ((std::vector<bool>{true, false}), keyboard.block_calls);
}

// Where no journal hook works, a timer types one character per tick; the run waits
// (its ticks are ignored) and goes on at the next step when the text is done.
TEST_F(KeyboardFamily, BufferedTypingWithoutJournalHooksTypesByTimer) {
    add("Buffered Virtual Keys", "Hi\n");
    add("Comment", "");
    start_run();
    EXPECT_EQ(kStepArranged, run(0));
    EXPECT_EQ(1, rig.script.current_step);
    EXPECT_TRUE(typing_active());
    EXPECT_EQ(BufferedTypingMode::kTicks, typing()->mode());
    EXPECT_FALSE(keyboard.buffered.hooked);
    EXPECT_EQ(kBufferedTypingTickMs, keyboard.buffered.interval);
    EXPECT_EQ((std::vector<uint32_t>{100, 100}), sleeps());
    EXPECT_FALSE(rig.host.timer_armed);

    // A step tick meanwhile runs nothing.
    rig.controller.step_tick();
    EXPECT_EQ(1, rig.script.current_step);
    EXPECT_EQ(std::string::npos, rig.output.text.find("[STEP 2]"));

    EXPECT_EQ(3, tick_until_done());
    EXPECT_EQ((Lines{"input down 16", "input down 72", "input up 72", "input up 16", "input down 73", "input up 73",
                     "input down 13", "input up 13"}),
              keys());
    EXPECT_FALSE(keyboard.buffered.ticking);
    EXPECT_TRUE(rig.host.timer_armed);
    EXPECT_EQ(speed_delay(rig.run.speed), rig.host.timer_ms);
    EXPECT_EQ(std::string::npos, rig.output.text.find("internal error"));
}

TEST_F(KeyboardFamily, BufferedTypingStopsAfterItsTimeBudget) {
    add("Buffered Virtual Keys", std::string(1000, 'z'));
    start_run();
    EXPECT_EQ(kStepArranged, run(0));
    int ticks = tick_until_done();
    // 200 ms went by before the first tick; each character takes one 10 ms tick.
    EXPECT_EQ(181, ticks);
    EXPECT_EQ(static_cast<size_t>(ticks) * 2, keys().size());
    EXPECT_TRUE(rig.host.timer_armed);
}

TEST_F(KeyboardFamily, BufferedTypingThroughAWorkingJournalHook) {
    keyboard.buffered.hooks_work = true;
    add("Buffered Virtual Keys", "aB");
    start_run();
    EXPECT_EQ(kStepArranged, run(0));
    EXPECT_TRUE(keyboard.buffered.hooked);
    EXPECT_FALSE(keyboard.buffered.ticking);
    EXPECT_EQ(BufferedTypingMode::kHook, typing()->mode());
    std::vector<uint32_t> messages;
    for (int call = 0; call < 50 && typing_active(); ++call) {
        JournalEvent e;
        ASSERT_TRUE(typing()->next_event(&e));
        messages.push_back(e.message ? e.message : e.param_l ? 1 : 0);
        typing()->skip();
    }
    // a: down, up, empty, end; B: SHIFT down, down, up, SHIFT up, end (1 marks an end event).
    EXPECT_EQ((std::vector<uint32_t>{0x100, 0x101, 0, 1, 0x100, 0x100, 0x101, 0x101, 1}), messages);
    EXPECT_FALSE(keyboard.buffered.hooked);
    EXPECT_TRUE(rig.host.timer_armed);
}

TEST_F(KeyboardFamily, BufferedTypingFallsBackToTheTimerWhenTheHookIsRefused) {
    keyboard.buffered.hooks_work = true;
    keyboard.buffered.refuse_hook = true;
    add("Buffered Virtual Keys", "a");
    start_run();
    EXPECT_EQ(kStepArranged, run(0));
    EXPECT_EQ(BufferedTypingMode::kTicks, typing()->mode());
    EXPECT_EQ(1, tick_until_done());
    EXPECT_EQ((Lines{"input down 65", "input up 65"}), keys());
}

TEST_F(KeyboardFamily, OnlyOneBufferedTypingAtATime) {
    add("Buffered Virtual Keys", "first");
    add("Buffered Virtual Keys", "second");
    start_run();
    EXPECT_EQ(kStepArranged, run(0));
    EXPECT_EQ(kStepFailed, run(1));
    EXPECT_EQ("Unable to start buffer hook", rig.run.error_text);
    EXPECT_EQ(5, tick_until_done());
    EXPECT_EQ(kStepArranged, run(1));
}

TEST_F(KeyboardFamily, BufferedTypingFailsWithNeitherHookNorTimer) {
    keyboard.buffered.refuse_timer = true;
    EXPECT_EQ(kStepFailed, run("Buffered Virtual Keys", "x"));
    EXPECT_EQ("Unable to start buffer hook", rig.run.error_text);
    EXPECT_FALSE(typing_active());
    EXPECT_EQ(0, rig.script.current_step);
}

// An empty text leaves nothing to play: the log says so and the run goes on.
TEST_F(KeyboardFamily, BufferedTypingOfNothingLogsAnInternalErrorAndGoesOn) {
    for (bool hook : {false, true}) {
        SCOPED_TRACE(hook ? "hook" : "timer");
        keyboard.buffered.hooks_work = hook;
        rig.output.text.clear();
        rig.script.clear();
        add("Buffered Virtual Keys", "");
        start_run();
        EXPECT_EQ(kStepArranged, run(0));
        if (hook) {
            JournalEvent e;
            EXPECT_FALSE(typing()->next_event(&e));
            EXPECT_EQ(0u, e.message);
        } else {
            EXPECT_EQ(1, tick_until_done());
        }
        EXPECT_FALSE(typing_active());
        EXPECT_EQ("An internal error ocurred in Buffered Type\r\n",
                  rig.output.text.substr(rig.output.text.find("An internal")));
        EXPECT_TRUE(rig.host.timer_armed);
        rig.controller.stop_run(true);
    }
}

TEST_F(KeyboardFamily, StoppingTheRunEndsTheTypingWithoutResumingIt) {
    add("Buffered Virtual Keys", "abcdef");
    start_run();
    EXPECT_EQ(kStepArranged, run(0));
    keyboard.buffered.events->tick();
    BufferedTyping* stopped = typing();
    rig.controller.stop_run();
    EXPECT_FALSE(typing_active());
    EXPECT_FALSE(keyboard.buffered.ticking);
    EXPECT_EQ(nullptr, typing());  // the run's typing is gone with the run
    (void)stopped;
    EXPECT_EQ(2u, keys().size());
    EXPECT_FALSE(rig.host.timer_armed);
}

}  // namespace
}  // namespace zorbel
