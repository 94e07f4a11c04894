// The exact key messages the keyboard actions produce, as zbtestbed.exe logs them in its
// one-line edit: SHIFT around shifted characters, the extended flag, scan codes, and the
// same sequence from "Buffered Virtual Keys" typed without a journal hook.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/win/actions/input/keyboard_win_support.h"

namespace zorbel {
namespace keyboard_test {
namespace {

using Lines = std::vector<std::string>;

// "KEYDOWN vk=0x41 scan=0x1E ext=0 ctl=1010": the scan code is the system's for the key.
std::string key(const char* kind, int vk, bool extended = false) {
    char line[96];
    std::snprintf(line, sizeof(line), "%s vk=0x%02X scan=0x%02X ext=%d ctl=%d", kind, vk, MapVirtualKeyA(vk, 0),
                  extended ? 1 : 0, testbed::kNameEdit);
    return line;
}
std::string down(int vk, bool extended = false) { return key("KEYDOWN", vk, extended); }
std::string up(int vk, bool extended = false) { return key("KEYUP", vk, extended); }
std::string typed(char c) {
    char line[64];
    std::snprintf(line, sizeof(line), "CHAR '%c' 0x%02X ctl=%d", c, static_cast<unsigned char>(c), testbed::kNameEdit);
    return line;
}

class KeyboardTestbed : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testbed.start());
        ASSERT_TRUE(bring_to_front(testbed.window()));
        ASSERT_TRUE(wait_focus(testbed.window(), testbed.control(testbed::kNameEdit)));
        testbed.skip_log();
    }
    // The key lines (KEYDOWN, KEYUP, SYSKEYDOWN, SYSKEYUP, CHAR) logged from here on.
    Lines key_lines(size_t count) {
        return testbed.take([](const std::string& l) { return l.rfind("KEY", 0) == 0 || l.rfind("SYSKEY", 0) == 0 ||
                                                              l.rfind("CHAR", 0) == 0; }, count);
    }

    Testbed testbed;
    KeyboardRun run;
};

TEST_F(KeyboardTestbed, ShiftGoesAroundShiftedCharactersOnly) {
    EXPECT_EQ(kStepSucceeded, run.step("Simulate Keypress", "aB("));
    Lines expected = {down('A'),        typed('a'), up('A'),
                      down(VK_SHIFT),   down('B'),  typed('B'), up('B'), up(VK_SHIFT),
                      down(VK_SHIFT),   down('9'),  typed('('), up('9'), up(VK_SHIFT)};
    EXPECT_EQ(expected, key_lines(expected.size()));
}

TEST_F(KeyboardTestbed, ExtendedKeysCarryTheFlag) {
    EXPECT_EQ(kStepSucceeded, run.step("Simulate Keypress", "{home}{ctrldown}{ctrlup}{F5}x"));
    Lines expected = {down(VK_HOME, true), up(VK_HOME, true), down(VK_CONTROL, true), up(VK_CONTROL, true),
                      down(VK_F5),         up(VK_F5),         down('X'),             typed('x'),
                      up('X')};
    EXPECT_EQ(expected, key_lines(expected.size()));
}

TEST_F(KeyboardTestbed, LiteralBracesAreCharacters) {
    EXPECT_EQ(kStepSucceeded, run.step("Simulate Keypress", "{f}", 1));
    Lines expected = {down(VK_SHIFT), down(VK_OEM_4), typed('{'), up(VK_OEM_4), up(VK_SHIFT),
                      down('F'),      typed('f'),     up('F'),
                      down(VK_SHIFT), down(VK_OEM_6), typed('}'), up(VK_OEM_6), up(VK_SHIFT)};
    EXPECT_EQ(expected, key_lines(expected.size()));
}

// Without a working journal hook the characters come as the hook would have played them.
TEST_F(KeyboardTestbed, BufferedTypingPlaysTheSameKeys) {
    EXPECT_EQ(kStepArranged, run.step("Buffered Virtual Keys", "aB{"));
    EXPECT_TRUE(run.typing_ended());
    Lines expected = {down('A'),      typed('a'),     up('A'),
                      down(VK_SHIFT), down('B'),      typed('B'),   up('B'),        up(VK_SHIFT),
                      down(VK_SHIFT), down(VK_OEM_4), typed('{'),   up(VK_OEM_4),   up(VK_SHIFT)};
    EXPECT_EQ(expected, key_lines(expected.size()));
    EXPECT_EQ("aB{", window_text(GetDlgItem(testbed.window(), testbed::kNameEdit)).substr(0, 3));
}

TEST_F(KeyboardTestbed, ClipboardPastesWithControlV) {
    EXPECT_EQ(kStepSucceeded, run.step("Text via Clipboard", "zz"));
    Lines expected = {down(VK_CONTROL, true), down('V'), typed('\x16'), up('V'), up(VK_CONTROL, true)};
    Lines got = key_lines(expected.size());
    // The CHAR line of CTRL+V has no printable character.
    char ctrl_v[64];
    std::snprintf(ctrl_v, sizeof(ctrl_v), "CHAR '' 0x16 ctl=%d", testbed::kNameEdit);
    expected[2] = ctrl_v;
    EXPECT_EQ(expected, got);
}

}  // namespace
}  // namespace keyboard_test
}  // namespace zorbel
