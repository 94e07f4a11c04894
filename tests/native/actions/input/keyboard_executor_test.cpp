// The Keyboard family on an in-memory desktop: which action does what, the text each one
// gets, the failures, the keyboard-buffer wait and its log line, the modifiers released
// when the run stops, and "Buffered Virtual Keys" typing while the run waits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/input/buffered_typing.h"
#include "actions/input/keyboard_executor.h"
#include "engine/settings_store.h"
#include "tests/native/actions/input/fake_keyboard_desktop.h"
#include "tests/native/engine/run_rig.h"

namespace zorbel {
namespace {

using Lines = std::vector<std::string>;

// The run host of the programs asks the keyboard actions whether buffered typing goes on.
class TypingRunHost : public FakeRunHost {
public:
    bool buffered_typing_active() override { return zorbel::buffered_typing_active(); }
    void remove_buffered_typing_hook() override { zorbel::remove_buffered_typing_hook(); }
};

class KeyboardFamily : public ::testing::Test {
protected:
    struct Rig : ExpansionRig {
        ClockedEnvironment clock;
        ScriptState script;
        RunState run;
        TypingRunHost host;
        RunController controller{script, run, services, host};
        Rig() {
            services.environment = &clock;
            write_setting_number(store, "SOFTWARE\\Zorbel\\Log", 0);
            write_setting_number(store, "SOFTWARE\\Zorbel\\DefaultSpeed", 5);
        }
    };

    void TearDown() override { remove_buffered_typing_hook(); }

    Step& add(const char* action, const std::string& text, uint32_t options = 0) {
        int32_t i = rig.script.insert_step(-1);
        Step& s = rig.script.steps[static_cast<size_t>(i)];
        copy_to_field(s.action, action);
        s.family = family_of_action(action);
        s.text = text;
        s.options = options;
        return s;
    }
    // Runs step `index` (from 0) as the run would.
    int run(int32_t index) {
        rig.script.current_step = index;
        return execute_keyboard_family(rig.controller.context());
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
    const Lines& keys() { return desktop.recorded.lines; }
    // Lets the typing timer tick until typing ends (or `limit` ticks), each tick 10 ms later.
    int tick_until_done(int limit = 10000) {
        int ticks = 0;
        while (buffered_typing_active() && ticks < limit) {
            EXPECT_TRUE(desktop.buffered.ticking);
            desktop.now += kBufferedTypingTickMs;
            buffered_typing_tick();
            ++ticks;
        }
        return ticks;
    }

    Rig rig;
    FakeKeyboardDesktop desktop;
    ScopedKeyboardDesktop scoped{&desktop};
};

TEST_F(KeyboardFamily, EachActionNameSelectsItsMethod) {
    struct Row {
        const char* action;
        Lines effects;
    } rows[] = {
        {"Simulate Keypress", {"down 79", "up 79", "down 75", "up 75"}},
        {"Text + System Keys", {"down 79", "up 79", "down 75", "up 75"}},
        {"Text via Clipboard", {"clipboard \"ok\"", "down 17 ext", "down 86", "up 86", "up 17 ext", "clipboard \"\""}},
        {"Direct Window Entry", {}},
        {"Block Input", {}},
        {"Unblock Input", {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.action);
        desktop.recorded.lines.clear();
        desktop.window_texts.clear();
        desktop.block_calls.clear();
        EXPECT_EQ(kStepSucceeded, run(r.action, "ok"));
        EXPECT_EQ(r.effects, keys());
        const bool direct = std::string(r.action) == "Direct Window Entry";
        ASSERT_EQ(direct ? 1u : 0u, desktop.window_texts.size());
        if (direct) {
            EXPECT_EQ("ok", desktop.window_texts[0].second);
        }
        const bool block = std::string(r.action).find("lock Input") != std::string::npos;
        ASSERT_EQ(block ? 1u : 0u, desktop.block_calls.size());
        if (block) {
            EXPECT_EQ(std::string(r.action) == "Block Input", desktop.block_calls[0]);
        }
    }
}

TEST_F(KeyboardFamily, TextIsExpandedUnlessLiteral) {
    rig.set_variable("who", "Jo");
    EXPECT_EQ(kStepSucceeded, run("Simulate Keypress", "%who{ENTER}"));
    EXPECT_EQ((Lines{"down 16", "down 74", "up 74", "up 16", "down 79", "up 79", "down 13", "up 13"}), keys());

    desktop.recorded.lines.clear();
    EXPECT_EQ(kStepSucceeded, run("Direct Window Entry", "%who {enter}", 1));
    ASSERT_EQ(1u, desktop.window_texts.size());
    EXPECT_EQ("%who {enter}", desktop.window_texts[0].second);
}

// Each line break types one ENTER, also when it came from a variable with CR LF in it.
TEST_F(KeyboardFamily, EveryLineBreakIsOneEnter) {
    rig.set_variable("lines", "c\r\nd");
    EXPECT_EQ(kStepSucceeded, run("Simulate Keypress", "a\r\nb\r\n%lines"));
    EXPECT_EQ((Lines{"down 65", "up 65", "down 13", "up 13", "down 66", "up 66", "down 13", "up 13", "down 67",
                     "up 67", "down 13", "up 13", "down 68", "up 68"}),
              keys());
    desktop.recorded.lines.clear();
    EXPECT_EQ(kStepSucceeded, run("Text via Clipboard", "x\r\ny\r\n%lines"));
    // Pasted and window texts break lines with CR LF, as edit controls need.
    EXPECT_EQ("x\r\ny\r\nc\r\nd", desktop.clipboard_history.at(0));
    EXPECT_EQ(kStepSucceeded, run("Direct Window Entry", "x\ny\r\n%lines"));
    EXPECT_EQ("x\r\ny\r\nc\r\nd", desktop.window_texts.at(0).second);
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
        desktop.sleeps.clear();
        rig.output.text.clear();
        EXPECT_EQ(kStepSucceeded, run("Text + System Keys", std::string(r.length, 'k')));
        EXPECT_EQ(r.sleeps, desktop.sleeps);
        EXPECT_EQ(r.log, rig.output.text);
    }
}

TEST_F(KeyboardFamily, EmptyTextSucceedsWithoutKeys) {
    EXPECT_EQ(kStepSucceeded, run("Simulate Keypress", ""));
    EXPECT_TRUE(keys().empty());
    EXPECT_TRUE(desktop.sleeps.empty());
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
    rig.controller.stop_run();
    EXPECT_EQ((std::vector<int>{17, 16, 18}), rig.host.released_keys);
    EXPECT_EQ(0, rig.run.held_keys[0]);
}

TEST_F(KeyboardFamily, ClipboardTextIsPastedAndTheOldTextPutBack) {
    desktop.has_clipboard = true;
    desktop.clipboard = "before";
    EXPECT_EQ(kStepSucceeded, run("Text via Clipboard", "pasted"));
    EXPECT_EQ((Lines{"clipboard \"pasted\"", "down 17 ext", "down 86", "up 86", "up 17 ext", "clipboard \"before\""}),
              keys());
    EXPECT_EQ((std::vector<uint32_t>{500}), desktop.sleeps);
    EXPECT_EQ("before", desktop.clipboard);
}

TEST_F(KeyboardFamily, ClipboardWithoutRoomForTheSavedTextFails) {
    desktop.no_memory = true;
    EXPECT_EQ(kStepFailed, run("Text via Clipboard", "pasted"));
    EXPECT_EQ("Insufficient memory available", rig.run.error_text);
    EXPECT_TRUE(keys().empty());
    EXPECT_TRUE(desktop.clipboard_history.empty());
}

TEST_F(KeyboardFamily, DirectEntryGoesToTheCurrentWindowOrElseTheForegroundWindow) {
    EXPECT_EQ(kStepSucceeded, run("Direct Window Entry", "title"));
    ASSERT_EQ(1u, desktop.window_texts.size());
    EXPECT_EQ(4242, desktop.window_texts[0].first);
    EXPECT_TRUE(desktop.sleeps.empty());

    rig.window.exists = false;
    desktop.foreground = 777;
    EXPECT_EQ(kStepSucceeded, run("Direct Window Entry", "other"));
    ASSERT_EQ(2u, desktop.window_texts.size());
    EXPECT_EQ(777, desktop.window_texts[1].first);
    EXPECT_EQ("other", desktop.window_texts[1].second);
    EXPECT_EQ((std::vector<uint32_t>{250}), desktop.sleeps);

    // No window at all: nothing is sent, and the step still succeeds.
    desktop.foreground = 0;
    EXPECT_EQ(kStepSucceeded, run("Direct Window Entry", "lost"));
    EXPECT_EQ(2u, desktop.window_texts.size());
}

TEST_F(KeyboardFamily, BlockInputFailsOnlyWithoutUser32) {
    desktop.block_result = BlockInputResult::kNoFunction;
    EXPECT_EQ(kStepSucceeded, run("Block Input", ""));
    desktop.block_result = BlockInputResult::kNoLibrary;
    EXPECT_EQ(kStepFailed, run("Unblock Input", ""));
    EXPECT_EQ("Unable to load USER32.DLL", rig.run.error_text);
    EXPECT_EQ((std::vector<bool>{true, false}), desktop.block_calls);
}

// Where no journal hook works, a timer types one character per tick; the run waits
// (its ticks are ignored) and goes on at the next step when the text is done.
TEST_F(KeyboardFamily, BufferedTypingWithoutJournalHooksTypesByTimer) {
    add("Buffered Virtual Keys", "Hi\n");
    add("Comment", "");
    start_run();
    EXPECT_EQ(kStepArranged, run(0));
    EXPECT_EQ(1, rig.script.current_step);
    EXPECT_TRUE(buffered_typing_active());
    EXPECT_EQ(BufferedTypingMode::kTicks, buffered_typing_mode());
    EXPECT_FALSE(desktop.buffered.hooked);
    EXPECT_EQ(kBufferedTypingTickMs, desktop.buffered.interval);
    EXPECT_EQ((std::vector<uint32_t>{100, 100}), desktop.sleeps);
    EXPECT_FALSE(rig.host.timer_armed);

    // A step tick meanwhile runs nothing.
    rig.controller.step_tick();
    EXPECT_EQ(1, rig.script.current_step);
    EXPECT_EQ(std::string::npos, rig.output.text.find("[STEP 2]"));

    EXPECT_EQ(3, tick_until_done());
    EXPECT_EQ((Lines{"input down 16", "input down 72", "input up 72", "input up 16", "input down 73", "input up 73",
                     "input down 13", "input up 13"}),
              keys());
    EXPECT_FALSE(desktop.buffered.ticking);
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
    desktop.buffered.hooks_work = true;
    add("Buffered Virtual Keys", "aB");
    start_run();
    EXPECT_EQ(kStepArranged, run(0));
    EXPECT_TRUE(desktop.buffered.hooked);
    EXPECT_FALSE(desktop.buffered.ticking);
    EXPECT_EQ(BufferedTypingMode::kHook, buffered_typing_mode());
    std::vector<uint32_t> messages;
    for (int call = 0; call < 50 && buffered_typing_active(); ++call) {
        JournalEvent e;
        ASSERT_TRUE(buffered_typing_next_event(&e));
        messages.push_back(e.message ? e.message : e.param_l ? 1 : 0);
        buffered_typing_skip();
    }
    // a: down, up, empty, end; B: SHIFT down, down, up, SHIFT up, end (1 marks an end event).
    EXPECT_EQ((std::vector<uint32_t>{0x100, 0x101, 0, 1, 0x100, 0x100, 0x101, 0x101, 1}), messages);
    EXPECT_FALSE(desktop.buffered.hooked);
    EXPECT_TRUE(rig.host.timer_armed);
}

TEST_F(KeyboardFamily, BufferedTypingFallsBackToTheTimerWhenTheHookIsRefused) {
    desktop.buffered.hooks_work = true;
    desktop.buffered.refuse_hook = true;
    add("Buffered Virtual Keys", "a");
    start_run();
    EXPECT_EQ(kStepArranged, run(0));
    EXPECT_EQ(BufferedTypingMode::kTicks, buffered_typing_mode());
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
    desktop.buffered.refuse_timer = true;
    EXPECT_EQ(kStepFailed, run("Buffered Virtual Keys", "x"));
    EXPECT_EQ("Unable to start buffer hook", rig.run.error_text);
    EXPECT_FALSE(buffered_typing_active());
    EXPECT_EQ(0, rig.script.current_step);
}

// An empty text leaves nothing to play: the log says so and the run goes on.
TEST_F(KeyboardFamily, BufferedTypingOfNothingLogsAnInternalErrorAndGoesOn) {
    for (bool hook : {false, true}) {
        SCOPED_TRACE(hook ? "hook" : "timer");
        desktop.buffered.hooks_work = hook;
        rig.output.text.clear();
        rig.script.clear();
        add("Buffered Virtual Keys", "");
        start_run();
        EXPECT_EQ(kStepArranged, run(0));
        if (hook) {
            JournalEvent e;
            EXPECT_FALSE(buffered_typing_next_event(&e));
            EXPECT_EQ(0u, e.message);
        } else {
            EXPECT_EQ(1, tick_until_done());
        }
        EXPECT_FALSE(buffered_typing_active());
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
    buffered_typing_tick();
    rig.controller.stop_run();
    EXPECT_FALSE(buffered_typing_active());
    EXPECT_FALSE(desktop.buffered.ticking);
    buffered_typing_tick();  // a tick already queued does nothing
    EXPECT_EQ(2u, keys().size());
    EXPECT_FALSE(rig.host.timer_armed);
}

}  // namespace
}  // namespace zorbel
