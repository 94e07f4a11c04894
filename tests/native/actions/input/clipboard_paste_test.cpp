// "Text via Clipboard" puts the old clipboard text back only once the focused window's
// program has read the pasted text: never before the pause every paste has, at once after
// it when the text was read, at the bound with a log line when it never is, and by the
// pause and the round trips alone when the text could not be offered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/input/clipboard_paste.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

using Lines = std::vector<std::string>;

TEST(ClipboardPaste, TheOldTextComesBackOnlyOnceThePasteWasRead) {
    const std::vector<uint32_t> bound(kPasteReadLimitMs / 5, 5);
    std::vector<uint32_t> slow(150, 5);
    struct Row {
        const char* name;
        bool refused;
        int unread_polls;
        clipboard::Offer ends;
        std::vector<uint32_t> sleeps;
        size_t probes;
        const char* log;
    } rows[] = {
        {"read at once: the pause", false, 0, clipboard::Offer::kRead, {500}, 3, ""},
        {"read after three polls: the rest of the pause", false, 3, clipboard::Offer::kRead, {5, 5, 5, 485}, 3, ""},
        {"read after the pause: no more", false, 150, clipboard::Offer::kRead, slow, 3, ""},
        {"never read: the bound", false, 100000, clipboard::Offer::kRead, bound, 3,
         "\tPasted text not read by its window within 5000 ms\r\n"},
        {"replaced by another program", false, 2, clipboard::Offer::kGone, {5, 5, 490}, 3,
         "\tPasted text replaced on the clipboard before its window read it\r\n"},
        {"not offered: on the clipboard, the pause and the round trips", true, 0, clipboard::Offer::kNone, {500}, 32,
         ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        RunRig rig;
        FakeKeyboardDesktop& keyboard = rig.desktop.keyboard;
        rig.desktop.clipboard.has_text = true;
        rig.desktop.clipboard.content = "saved";
        keyboard.focused = 77;
        keyboard.refuse_offer = r.refused;
        keyboard.unread_polls = r.unread_polls;
        keyboard.offer_ends = r.ends;
        rig.only("Text via Clipboard", "a\nb");
        EXPECT_EQ(kStepSucceeded, rig.run_step());
        Lines expected = {"offer 77 \"a\r\nb\""};
        if (r.refused) expected.push_back("clipboard \"a\r\nb\"");
        for (const char* line : {"down 17 ext", "down 86", "up 86", "up 17 ext", "clipboard \"saved\""})
            expected.push_back(line);
        EXPECT_EQ(expected, rig.desktop.effects());
        // Every pause comes before the old text is back.
        EXPECT_EQ("clipboard \"saved\"", rig.desktop.calls.back());
        EXPECT_EQ(r.sleeps, rig.desktop.sleeps());
        EXPECT_EQ(r.probes, keyboard.probed.size());
        for (intptr_t window : keyboard.probed) EXPECT_EQ(77, window);
        EXPECT_EQ(r.log, rig.log());
    }
}

}  // namespace
}  // namespace zorbel
