// SendKeyTransition's per-key rules, as the sequence of keybd_event calls each
// transition gives (scan codes are the fake's unless a line says otherwise).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/input/key_events.h"
#include "tests/native/support/fake_keyboard.h"

namespace zorbel {
namespace {

using Lines = std::vector<std::string>;

struct Row {
    int code;
    bool shift;
    int direction;
    Lines expected;
};

void check(const Row& r, bool is_9x = false) {
    RecordingKeys keys;
    keys.is_9x = is_9x;
    SendKeyTransition(keys, static_cast<uint8_t>(r.code), r.shift, r.direction);
    EXPECT_EQ(r.expected, keys.lines) << "key " << r.code << (r.shift ? " with SHIFT" : "") << " direction "
                                      << r.direction << (is_9x ? " on 9x" : "");
}

TEST(SendKeyTransition, EachKeyFollowsItsRule) {
    const Row rows[] = {
        // Letters and digits: never extended.
        {'A', false, 1, {"down 65"}},
        {'A', false, 2, {"up 65"}},
        {'7', false, 0, {"up 55"}},  // any direction but 1 releases
        // Letters with SHIFT: SHIFT goes round the key.
        {'H', true, 1, {"down 16", "down 72"}},
        {'H', true, 2, {"up 72", "up 16"}},
        // The SHIFT form of an extended key loses the flag.
        {36, true, 1, {"down 16", "down 36"}},
        {36, true, 2, {"up 36", "up 16"}},
        // Other keys: extended when listed.
        {37, false, 1, {"down 37 ext"}},
        {46, false, 2, {"up 46 ext"}},
        {45, false, 1, {"down 45 ext"}},
        {44, false, 1, {"down 44 ext"}},
        {13, false, 1, {"down 13"}},
        {186, false, 2, {"up 186"}},
        {175, false, 1, {"down 175"}},
        // CTRL and the Windows and application keys: their own rule, SHIFT ignored.
        {17, false, 1, {"down 17 ext"}},
        {17, true, 2, {"up 17 ext"}},
        {91, false, 1, {"down 91 ext"}},
        {92, false, 1, {"down 92"}},  // the right Windows key is not extended
        {93, true, 1, {"down 93 ext"}},
        // ALT: scan code 0, never extended, SHIFT ignored.
        {18, false, 1, {"down 18 scan=0"}},
        {18, true, 2, {"up 18 scan=0"}},
        // Toggle keys: no flip outside Windows 9x.
        {20, false, 1, {"down 20"}},
        {8, true, 2, {"up 8"}},
        // Code 0: nothing.
        {0, false, 1, {}},
        {0, true, 2, {}},
    };
    for (const Row& r : rows) check(r);
}

TEST(SendKeyTransition, ToggleKeysAreFlippedFirstOnWindows9x) {
    for (int code : {8, 20, 27, 144, 145}) {
        check({code, false, 1, {"flip " + std::to_string(code), "down " + std::to_string(code)}}, true);
        check({code, false, 2, {"flip " + std::to_string(code), "up " + std::to_string(code)}}, true);
    }
    check({'A', false, 1, {"down 65"}}, true);
}

}  // namespace
}  // namespace zorbel
