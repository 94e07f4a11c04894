// The playback of "Buffered Virtual Keys" character by character: the event each hook
// call gets in each phase, the end of the text, the time budget, and the same characters
// typed as input events where no hook works.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/input/buffered_playback.h"
#include "tests/native/support/fake_keyboard.h"

namespace zorbel {
namespace {

std::string describe(const JournalEvent& e) {
    const char* name = e.message == kMessageKeyDown ? "KEYDOWN"
                       : e.message == kMessageKeyUp ? "KEYUP"
                       : e.message == kMessageChar  ? "CHAR"
                       : e.message == 0             ? "none"
                                                    : "?";
    return std::string(name) + " " + std::to_string(e.param_l) + " " + std::to_string(e.param_h);
}

// Plays the whole text as a hook would be called: GETNEXT twice (the system may ask
// again for the same event), then SKIP, until the playback says it is over.
std::vector<std::string> play(const std::string& text, uint32_t step_ms = 0, int limit = 200) {
    RecordingKeys keys;
    BufferedPlayback playback;
    uint32_t now = 1000;
    playback.start(text, now);
    std::vector<std::string> events;
    for (int i = 0; i < limit; ++i) {
        JournalEvent first, again;
        if (!playback.next_event(keys, &first)) {
            events.push_back("no character");
            break;
        }
        playback.next_event(keys, &again);
        EXPECT_EQ(describe(first), describe(again)) << "asked again at event " << i;
        events.push_back(describe(first));
        now += step_ms;
        if (playback.skip(now)) break;
    }
    return events;
}

TEST(BufferedPlayback, EachCharacterPlaysItsPhases) {
    struct Row {
        std::string text;
        std::vector<std::string> events;
    } rows[] = {
        // Without SHIFT phase 0 is passed over and phase 3 is empty.
        {"a", {"KEYDOWN 65 66", "KEYUP 65 66", "none 0 0", "none 65 66"}},
        // With SHIFT, phases 0 and 3 press and release SHIFT (scan code of SHIFT).
        {"A", {"KEYDOWN 16 17", "KEYDOWN 65 66", "KEYUP 65 66", "KEYUP 16 17", "none 65 66"}},
        {"(", {"KEYDOWN 16 17", "KEYDOWN 57 58", "KEYUP 57 58", "KEYUP 16 17", "none 57 58"}},
        // A line feed is ENTER.
        {"\n", {"KEYDOWN 13 14", "KEYUP 13 14", "none 0 0", "none 13 14"}},
        // A byte above 127: one WM_CHAR, its byte sign-extended, scan 0x38.
        {"\xe9", {"CHAR 4294967273 56"}},
        {"x\xe9y", {"KEYDOWN 88 89", "KEYUP 88 89", "none 0 0", "none 88 89", "CHAR 4294967273 56",
                    "KEYDOWN 89 90", "KEYUP 89 90", "none 0 0", "none 89 90"}},
        // Braces are characters: no tokens here.
        {"{", {"KEYDOWN 16 17", "KEYDOWN 219 220", "KEYUP 219 220", "KEYUP 16 17", "none 219 220"}},
        // An empty text has no character to play.
        {"", {"no character"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("\"" + r.text + "\"");
        EXPECT_EQ(r.events, play(r.text));
    }
}

TEST(BufferedPlayback, StopsAtTheFirstCharacterEndingAfterTheBudget) {
    // Each event takes 100 ms: a plain character takes 400 ms (four events), so the fifth
    // ends at 2000 ms (still within) and the sixth at 2400 ms, after which typing stops.
    std::vector<std::string> events = play("abcdefghij", 100);
    ASSERT_EQ(24u, events.size());
    EXPECT_EQ("none 70 71", events.back());  // "f" was the last
}

TEST(BufferedPlayback, SkipCountsPhasesThenCharacters) {
    RecordingKeys keys;
    BufferedPlayback playback;
    playback.start("ab", 0);
    for (int phase = 0; phase < kLastPlaybackPhase; ++phase) {
        EXPECT_EQ(phase, playback.phase());
        EXPECT_FALSE(playback.skip(0));
    }
    EXPECT_EQ(0u, playback.position());
    EXPECT_FALSE(playback.skip(0));
    EXPECT_EQ(1u, playback.position());
    EXPECT_EQ(0, playback.phase());
    JournalEvent e;
    ASSERT_TRUE(playback.next_event(keys, &e));
    EXPECT_EQ(1, playback.phase());  // no SHIFT for "b": phase 0 passed over
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(playback.skip(0));
    EXPECT_TRUE(playback.skip(0));
    EXPECT_FALSE(playback.has_character());
}

TEST(BufferedPlayback, CharactersAsInputEventsWhereNoHookWorks) {
    struct Row {
        std::string text;
        std::vector<std::string> lines;
        int batches;
    } rows[] = {
        {"a", {"input down 65", "input up 65"}, 1},
        {"Hi", {"input down 16", "input down 72", "input up 72", "input up 16", "input down 73", "input up 73"}, 2},
        {")\n", {"input down 16", "input down 48", "input up 48", "input up 16", "input down 13", "input up 13"}, 2},
        {"\xe9!", {"char 0xE9", "input down 16", "input down 49", "input up 49", "input up 16"}, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("\"" + r.text + "\"");
        RecordingKeys keys;
        BufferedPlayback playback;
        playback.start(r.text, 0);
        bool over = false;
        while (!over) {
            ASSERT_TRUE(playback.has_character());
            playback.send_character(keys);
            over = playback.character_done(0);
        }
        EXPECT_EQ(r.lines, keys.lines);
        EXPECT_EQ(r.batches, keys.batches);
    }
}

TEST(BufferedPlayback, CharacterByCharacterKeepsTheSameBudget) {
    BufferedPlayback playback;
    playback.start("abc", 100);
    EXPECT_FALSE(playback.character_done(100 + kBufferedTypingBudgetMs));  // exactly the budget: go on
    EXPECT_TRUE(playback.character_done(101 + kBufferedTypingBudgetMs));
    EXPECT_EQ(2u, playback.position());
}

}  // namespace
}  // namespace zorbel
