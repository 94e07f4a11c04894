// Typing texts as keystrokes: the key sequence of each text, the keystrokes counted,
// the modifiers noted as held, the pauses, and the keyboard-buffer wait.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/input/keystroke_typing.h"
#include "tests/native/support/fake_desktop.h"

namespace zorbel {
namespace {

using Lines = std::vector<std::string>;

struct Row {
    const char* text;
    bool literal;
    Lines keys;
    int keystrokes;
    std::vector<uint32_t> pauses;
    int held[3];
};

TEST(TypeKeystrokes, EachTextGivesItsKeySequence) {
    const Row rows[] = {
        {"Hello World", false,
         {"down 16", "down 72", "up 72", "up 16", "down 69", "up 69", "down 76", "up 76", "down 76", "up 76",
          "down 79", "up 79", "down 32", "up 32", "down 16", "down 87", "up 87", "up 16", "down 79", "up 79",
          "down 82", "up 82", "down 76", "up 76", "down 68", "up 68"},
         11, {}, {0, 0, 0}},
        {"{ctrldown}a{ctrlup}", false, {"down 17 ext", "down 65", "up 65", "up 17 ext"}, 2, {}, {17, 0, 0}},
        {"{SHIFTDOWN}x{ShiftUp}", false, {"down 16", "down 88", "up 88", "up 16"}, 2, {}, {0, 16, 0}},
        {"{altdown}{F4}{altup}", false, {"down 18 scan=0", "down 115", "up 115", "up 18 scan=0"}, 2, {}, {0, 0, 18}},
        {"{controldown}{controlup}", false, {"down 17 ext", "up 17 ext"}, 1, {}, {17, 0, 0}},
        // A release token alone presses nothing, so nothing counts as held.
        {"{ctrlup}", false, {"up 17 ext"}, 1, {}, {0, 0, 0}},
        {"{shift}", false, {"down 16", "up 16"}, 1, {}, {0, 16, 0}},
        {"{Volume Up}", false, {"down 175", "up 175"}, 1, {}, {0, 0, 0}},
        {"{Delay=1500}", false, {}, 0, {1500}, {0, 0, 0}},
        {"{delay}", false, {}, 0, {0}, {0, 0, 0}},
        {"a{Delay=20}b", false, {"down 65", "up 65", "down 66", "up 66"}, 2, {20}, {0, 0, 0}},
        {"{F5}", false, {"down 116", "up 116"}, 1, {}, {0, 0, 0}},
        {"{F12}", false, {"down 123", "up 123"}, 1, {}, {0, 0, 0}},
        {"{F5} 2006", false,
         {"down 116", "up 116", "down 32", "up 32", "down 50", "up 50", "down 48", "up 48", "down 48", "up 48",
          "down 54", "up 54"},
         6, {}, {0, 0, 0}},
        {"{Left Winkey}r", false, {"down 91 ext", "up 91 ext", "down 82", "up 82"}, 2, {}, {0, 0, 0}},
        {"{enter}{tab}{home}", false, {"down 13", "up 13", "down 9", "up 9", "down 36 ext", "up 36 ext"}, 3, {},
         {0, 0, 0}},
        // An unknown token is typed as it is written.
        {"{foo}", false,
         {"down 16", "down 219", "up 219", "up 16", "down 70", "up 70", "down 79", "up 79", "down 79", "up 79",
          "down 16", "down 221", "up 221", "up 16"},
         5, {}, {0, 0, 0}},
        // A token without a closing brace moves on by one character.
        {"{shift", false,
         {"down 16", "up 16", "down 83", "up 83", "down 72", "up 72", "down 73", "up 73", "down 70", "up 70",
          "down 84", "up 84"},
         6, {}, {0, 16, 0}},
        // Literal mode: braces are characters, "{ctrldown}" is pressed and released key by key.
        {"{ctrldown}", true,
         {"down 16", "down 219", "up 219", "up 16", "down 67", "up 67", "down 84", "up 84", "down 82", "up 82",
          "down 76", "up 76", "down 68", "up 68", "down 79", "up 79", "down 87", "up 87", "down 78", "up 78",
          "down 16", "down 221", "up 221", "up 16"},
         10, {}, {0, 0, 0}},
        {"%x {", true,
         {"down 16", "down 53", "up 53", "up 16", "down 88", "up 88", "down 32", "up 32", "down 16", "down 219",
          "up 219", "up 16"},
         4, {}, {0, 0, 0}},
        {"{Delay=5}", true,
         {"down 16", "down 219", "up 219", "up 16", "down 16", "down 68", "up 68", "up 16", "down 69", "up 69", "down 76", "up 76",
          "down 65", "up 65", "down 89", "up 89", "down 187", "up 187", "down 53", "up 53", "down 16",
          "down 221", "up 221", "up 16"},
         9, {}, {0, 0, 0}},
        // Two lines: one ENTER between them.
        {"ab\ncd", false,
         {"down 65", "up 65", "down 66", "up 66", "down 13", "up 13", "down 67", "up 67", "down 68", "up 68"}, 5, {},
         {0, 0, 0}},
        {"()", false, {"down 16", "down 57", "up 57", "up 16", "down 16", "down 48", "up 48", "up 16"}, 2, {},
         {0, 0, 0}},
        {"", false, {}, 0, {}, {0, 0, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.literal ? "literal " : "") + "\"" + r.text + "\"");
        FakeDesktop desktop;
        int held[3] = {0, 0, 0};
        int keystrokes = type_keystrokes(r.text, r.literal, desktop.keyboard.keys(), desktop.clock, held);
        EXPECT_EQ(r.keys, desktop.effects());
        EXPECT_EQ(r.keystrokes, keystrokes);
        EXPECT_EQ(r.pauses, desktop.sleeps());
        EXPECT_EQ(r.held[0], held[0]);
        EXPECT_EQ(r.held[1], held[1]);
        EXPECT_EQ(r.held[2], held[2]);
    }
}

TEST(TypeKeystrokes, HeldKeysAreNotedNotCleared) {
    FakeDesktop desktop;
    int held[3] = {0, 16, 0};
    type_keystrokes("{ctrl}{alt}", false, desktop.keyboard.keys(), desktop.clock, held);
    EXPECT_EQ(17, held[kHeldControl]);
    EXPECT_EQ(16, held[kHeldShift]);
    EXPECT_EQ(18, held[kHeldAlt]);
}

TEST(DelayToken, DigitsUpToTheBraceWithinThirtyOneCharacters) {
    struct Row {
        const char* token;
        uint32_t ms;
    } rows[] = {
        {"{Delay=250}", 250},
        {"{Delay}", 0},
        {"{Delay 1,500 ms}", 1500},
        {"{Delay=-40}", 40},
        {"{Delay=25}99", 25},
        {"{Delay=1234567890123456789012345}", 0x7fffffff},
        // Only the first 31 characters count.
        {"{Delay=                      12345}", 12},
    };
    for (const Row& r : rows) EXPECT_EQ(r.ms, delay_of_token(r.token)) << r.token;
}

TEST(KeyboardBufferWait, ScalesWithKeystrokes) {
    struct Row {
        int keystrokes;
        uint32_t ms;
    } rows[] = {{0, 0},       {19, 0},      {20, 100},    {119, 100},   {120, 1000}, {130, 1000},
                {239, 1000},  {240, 2000},  {479, 3000},  {480, 4000},  {1000, 4000}, {100000, 4000}};
    for (const Row& r : rows) EXPECT_EQ(r.ms, keyboard_buffer_wait(r.keystrokes)) << r.keystrokes << " keystrokes";
}

}  // namespace
}  // namespace zorbel
