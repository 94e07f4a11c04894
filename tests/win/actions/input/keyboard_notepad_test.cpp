// The keyboard actions typing into Wine's notepad: each method's text arrives as written
// (read back with WM_GETTEXT), tokens act as their keys, the clipboard is given back,
// and "Buffered Virtual Keys" types even though Wine never calls journal hooks.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "actions/input/buffered_typing.h"
#include "actions/input/journal_hooks.h"
#include "tests/win/actions/input/keyboard_win_support.h"

namespace zorbel {
namespace keyboard_test {
namespace {

class KeyboardNotepad : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(notepad.start()); }

    ClipboardKeeper clipboard_kept;
    Notepad notepad;
    KeyboardRun run;
};

// What each text becomes in notepad: shifted characters, parentheses (which Xvfb's keymap
// loses unless cleaned), line breaks, tokens, and literal mode.
TEST_F(KeyboardNotepad, TextArrivesAsWritten) {
    run.set_variable("who", "nobody");
    struct Row {
        const char* action;
        const char* typed;
        uint32_t options;  // 1: literal
        const char* expected;
    } rows[] = {
        {"Simulate Keypress", "Hello World! (a+b) = \"x\"; 100% ~ok? [1,2] {3} <4> a_b|c\\d 'q' `e` #$^&*:", 1,
         "Hello World! (a+b) = \"x\"; 100% ~ok? [1,2] {3} <4> a_b|c\\d 'q' `e` #$^&*:"},
        {"Simulate Keypress", "()(x)", 0, "()(x)"},
        {"Simulate Keypress", "first line\r\nsecond line\nthird", 0, "first line\r\nsecond line\r\nthird"},
        {"Simulate Keypress", "%who {enter} {ctrldown}(", 1, "%who {enter} {ctrldown}("},
        {"Simulate Keypress", "%who {enter}", 0, "nobody \r\n"},
        {"Text + System Keys", "abc{home}X{end}Y{enter}{tab}z", 0, "XabcY\r\n\tz"},
        {"Text + System Keys", "abcd{backspace}{BackSpace}", 0, "ab"},
        {"Text + System Keys", "abc{left}{left}{del}", 0, "ac"},
        {"Text + System Keys", "old text{ctrldown}a{ctrlup}new", 0, "new"},
        {"Text + System Keys", "one{space}two{Delay=50}{unknown}", 0, "one two{unknown}"},
        {"Text + System Keys", "(x){shiftdown}ab{shiftup}c", 0, "(x)ABc"},
        // Expanded before typing: {ENTER} and {TAB} become a line feed and a tab.
        {"Text + System Keys", "a{ENTER}b{TAB}c", 0, "a\r\nb\tc"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed);
        SetWindowTextA(notepad.edit(), "");
        EXPECT_EQ(kStepSucceeded, run.step(r.action, r.typed, r.options));
        EXPECT_TRUE(notepad.has_text(r.expected));
    }
}

// Every method types the same text: mixed case, symbols, two lines.
TEST_F(KeyboardNotepad, EveryMethodDeliversTheText) {
    const std::string text = "Mixed Case, (parens) & 50% done!\r\nline two";
    const std::string shown = "Mixed Case, (parens) & 50% done!\r\nline two";
    for (const char* action :
         {"Simulate Keypress", "Text + System Keys", "Buffered Virtual Keys", "Text via Clipboard", "Direct Window Entry"}) {
        SCOPED_TRACE(action);
        SetWindowTextA(notepad.edit(), "");
        run.current.window = reinterpret_cast<intptr_t>(notepad.edit());
        const int result = run.step(action, text, 1);
        const bool buffered = std::string(action) == "Buffered Virtual Keys";
        EXPECT_EQ(buffered ? kStepArranged : kStepSucceeded, result);
        if (buffered) {
            EXPECT_TRUE(run.typing_ended());
        }
        EXPECT_TRUE(notepad.has_text(shown));
    }
}

TEST_F(KeyboardNotepad, LongTextWaitsForTheKeyboardBufferAndLogsIt) {
    std::string text;
    while (text.size() < 130) text += "abcdefghij";
    EXPECT_EQ(kStepSucceeded, run.step("Simulate Keypress", text));
    EXPECT_TRUE(notepad.has_text(text));
    EXPECT_EQ("\t'Simulate Keypress' extra duration for keyboard buffer: 1 second(s)\r\n", run.log());
}

TEST_F(KeyboardNotepad, ClipboardTextIsPastedAndThePreviousTextComesBack) {
    ASSERT_TRUE(clipboard::set_text("what was there"));
    EXPECT_EQ(kStepSucceeded, run.step("Text via Clipboard", "pasted (text)"));
    EXPECT_TRUE(notepad.has_text("pasted (text)"));
    std::string now;
    EXPECT_TRUE(clipboard::get_text(&now));
    EXPECT_EQ("what was there", now);
}

// A clipboard without text holds an empty text afterwards.
TEST_F(KeyboardNotepad, ClipboardWithoutTextHoldsAnEmptyTextAfterwards) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(kStepSucceeded, run.step("Text via Clipboard", "abc"));
    EXPECT_TRUE(notepad.has_text("abc"));
    std::string now = "stale";
    EXPECT_TRUE(clipboard::get_text(&now));
    EXPECT_EQ("", now);
}

TEST_F(KeyboardNotepad, DirectEntryReplacesTheCurrentWindowsText) {
    SetWindowTextA(notepad.edit(), "to be replaced");
    run.current.window = reinterpret_cast<intptr_t>(notepad.edit());
    EXPECT_EQ(kStepSucceeded, run.step("Direct Window Entry", "replaced"));
    EXPECT_EQ("replaced", notepad.text());
}

// Without a current window the text goes to the foreground window: notepad's title.
TEST_F(KeyboardNotepad, DirectEntryWithoutACurrentWindowRetitlesTheForegroundWindow) {
    run.current.window = 0;
    EXPECT_EQ(kStepSucceeded, run.step("Direct Window Entry", "New Title"));
    EXPECT_EQ("New Title", window_text(notepad.window()));
    EXPECT_EQ("", notepad.text());
}

TEST_F(KeyboardNotepad, BufferedTypingResumesTheRunWhenDone) {
    EXPECT_EQ(kStepArranged, run.step("Buffered Virtual Keys", "Typed (by timer)\r\nok"));
    EXPECT_TRUE(buffered_typing_active());
    EXPECT_FALSE(run.host().timer_armed);
    EXPECT_TRUE(run.typing_ended());
    EXPECT_TRUE(notepad.has_text("Typed (by timer)\r\nok"));
    EXPECT_TRUE(run.host().timer_armed);
    EXPECT_EQ(speed_delay(run.run().speed), run.host().timer_ms);
    EXPECT_EQ("", run.log());
}

// Wine installs journal hooks but never calls them: the probe finds that out once.
TEST_F(KeyboardNotepad, JournalHooksAreFoundNotToWork) {
    EXPECT_FALSE(journal_hooks_work());
    JournalHookSupport found = journal_hook_support();
    EXPECT_TRUE(found == JournalHookSupport::kSilent || found == JournalHookSupport::kRefused)
        << journal_hook_support_name(found);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(journal_hooks_work());
    EXPECT_LT(GetTickCount() - start, 50u) << "the answer is kept, not probed again";
}

TEST_F(KeyboardNotepad, BufferedTypingStopsAfterTwoSeconds) {
    std::string text;
    for (int i = 0; text.size() < 600; ++i) text += "word" + std::to_string(i) + " ";
    const DWORD start = GetTickCount();
    EXPECT_EQ(kStepArranged, run.step("Buffered Virtual Keys", text));
    EXPECT_TRUE(run.typing_ended());
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, kBufferedTypingBudgetMs);
    EXPECT_LT(took, kBufferedTypingBudgetMs + 1000);
    std::string typed;
    wait_until([&] {  // until the text stops growing
        std::string now = notepad.text();
        bool settled = now == typed && !now.empty();
        typed = now;
        return settled;
    });
    EXPECT_FALSE(typed.empty());
    EXPECT_LT(typed.size(), text.size());
    EXPECT_EQ(text.substr(0, typed.size()), typed);
    EXPECT_TRUE(run.host().timer_armed);
}

TEST_F(KeyboardNotepad, OnlyOneBufferedTypingAtATime) {
    EXPECT_EQ(kStepArranged, run.step("Buffered Virtual Keys", "first text"));
    EXPECT_EQ(kStepFailed, run.step("Buffered Virtual Keys", "second"));
    EXPECT_EQ("Unable to start buffer hook", run.run().error_text);
    EXPECT_TRUE(run.typing_ended());
    EXPECT_TRUE(notepad.has_text("first text"));
}

TEST_F(KeyboardNotepad, BufferedTypingOfNothingLogsAnInternalError) {
    EXPECT_EQ(kStepArranged, run.step("Buffered Virtual Keys", ""));
    EXPECT_TRUE(run.typing_ended());
    EXPECT_EQ("An internal error ocurred in Buffered Type\r\n", run.log());
    EXPECT_TRUE(run.host().timer_armed);
    EXPECT_EQ("", notepad.text());
}

// A byte above 127 arrives as that character.
TEST_F(KeyboardNotepad, BufferedTypingOfAnAccentedLetter) {
    EXPECT_EQ(kStepArranged, run.step("Buffered Virtual Keys", "caf\xe9!"));
    EXPECT_TRUE(run.typing_ended());
    EXPECT_TRUE(notepad.has_text("caf\xe9!"));
}

TEST_F(KeyboardNotepad, BlockAndUnblockInputSucceed) {
    struct Unblock {
        ~Unblock() { BlockInput(FALSE); }
    } unblock_whatever_happens;
    EXPECT_EQ(kStepSucceeded, run.step("Block Input", ""));
    EXPECT_EQ(kStepSucceeded, run.step("Unblock Input", ""));
    EXPECT_EQ(kStepSucceeded, run.step("Simulate Keypress", "after"));
    EXPECT_TRUE(notepad.has_text("after"));
}

}  // namespace
}  // namespace keyboard_test
}  // namespace zorbel
