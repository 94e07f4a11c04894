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

// A byte above 127 arrives as that character.
TEST_F(KeyboardNotepad, BufferedTypingOfAnAccentedLetter) {
    EXPECT_EQ(kStepArranged, run.step("Buffered Virtual Keys", "caf\xe9!"));
    EXPECT_TRUE(run.typing_ended());
    EXPECT_TRUE(notepad.has_text("caf\xe9!"));
}

}  // namespace
}  // namespace keyboard_test
}  // namespace zorbel
