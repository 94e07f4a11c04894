// The image matcher against a plain pixel-by-pixel reading of the search: the same
// match, the same counts and the same log lines, on many small screens built to give
// partial matches; and the cases the older reading got wrong near the screen's edges.
#include "actions/screen/image_matcher.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tests/native/actions/screen/image_search_reference.h"

namespace zorbel {
namespace {

using testing_reference::anchor_limited_match;
using testing_reference::Outcome;
using testing_reference::reference_match;

class RecordingEvents : public ImageMatchEvents {
public:
    int polls = 0;
    int stop_after = -1;  // the stop key goes down at this poll (counted from 0); -1 never
    std::vector<std::string> lines;
    bool stop_key_down() override { return stop_after >= 0 && polls++ >= stop_after; }
    void log_line(const std::string& line) override { lines.push_back(line); }
};

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l;
    return out;
}

PixelBuffer cut(const PixelBuffer& from, int32_t x, int32_t y, int32_t w, int32_t h) {
    PixelBuffer out(w, h);
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i) out.at(i, j) = from.at(x + i, y + j);
    return out;
}

void paste(PixelBuffer* onto, const PixelBuffer& image, int32_t x, int32_t y) {
    for (int32_t j = 0; j < image.height; ++j)
        for (int32_t i = 0; i < image.width; ++i) onto->at(x + i, y + j) = image.at(i, j);
}

PixelBuffer filled(int32_t w, int32_t h, uint32_t colour) { return PixelBuffer(w, h, colour); }

// Screens of few colours give many candidates and long partial matches.
TEST(ImageMatcher, AgreesWithThePlainReadingOnRandomScreens) {
    std::mt19937 random(20240601);
    const uint32_t palette[] = {0x000000, 0xFFFFFF, 0x123456, kMaskColour, 0x00FF00};
    for (int round = 0; round < 6000; ++round) {
        auto pick = [&](int n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); };
        const int colours = 2 + pick(3);
        const int32_t sw = 1 + pick(40), sh = 1 + pick(24);
        PixelBuffer screen(sw, sh);
        for (uint32_t& p : screen.pixels) p = palette[pick(colours)];
        int32_t iw = 1 + pick(6), ih = 1 + pick(5);
        PixelBuffer image;
        if (pick(3) != 0 && iw <= sw && ih <= sh) {
            image = cut(screen, pick(sw - iw + 1), pick(sh - ih + 1), iw, ih);  // present at least once
            if (pick(3) == 0) image.at(pick(iw), pick(ih)) = palette[pick(colours)];
        } else {
            image = PixelBuffer(iw, ih);
            for (uint32_t& p : image.pixels) p = palette[pick(colours)];
        }
        const bool masked = pick(2) == 0;
        if (masked && pick(2) == 0) image.at(pick(iw), pick(ih)) = kMaskColour;
        const bool detailed = pick(4) != 0;

        RecordingEvents events;
        const ImageMatch got = match_image(screen, image, masked, detailed, events);
        const Outcome want = reference_match(screen, image, masked, detailed);
        SCOPED_TRACE("round " + std::to_string(round) + ": screen " + std::to_string(sw) + "x" + std::to_string(sh) +
                     ", image " + std::to_string(iw) + "x" + std::to_string(ih) + (masked ? ", masked" : ""));
        ASSERT_EQ(want.found, got.found);
        if (want.found) {
            ASSERT_EQ(want.x, got.x);
            ASSERT_EQ(want.y, got.y);
        }
        ASSERT_EQ(joined(want.lines), joined(events.lines));
        ASSERT_FALSE(got.stopped);
    }
}

TEST(ImageMatcher, AnchorIsTheFirstPixelUnlikeTheTopLeftAndTheMask) {
    PixelBuffer image = filled(4, 3, 0x111111);
    EXPECT_EQ(0, choose_anchor(image).x);
    EXPECT_EQ(0, choose_anchor(image).y);
    EXPECT_EQ(0x111111u, choose_anchor(image).colour);
    image.at(3, 0) = kMaskColour;
    image.at(2, 1) = 0x222222;
    image.at(1, 2) = 0x333333;
    const ImageAnchor anchor = choose_anchor(image);
    EXPECT_EQ(2, anchor.x);
    EXPECT_EQ(1, anchor.y);
    EXPECT_EQ(0x222222u, anchor.colour);
}

TEST(ImageMatcher, UniformImageIsSearchedByItsColourAtTheCorner) {
    PixelBuffer screen = filled(30, 20, 0xFFFFFF);
    paste(&screen, filled(3, 3, 0x0000FF), 5, 4);
    paste(&screen, filled(4, 2, 0x0000FF), 20, 2);  // wide enough but too short
    RecordingEvents events;
    ImageMatch m = match_image(screen, filled(3, 3, 0x0000FF), false, true, events);
    ASSERT_TRUE(m.found);
    EXPECT_EQ(5, m.x);
    EXPECT_EQ(4, m.y);
    // The 4 x 2 block's candidates come first in the scan (rows 2 and 3) and fail on row 2 of the image.
    EXPECT_EQ("\tMATCHED IMAGE!  Got 9 pixel matches\r\n", events.lines[1]);
}

TEST(ImageMatcher, FirstMatchInScanOrderWins) {
    PixelBuffer screen = filled(40, 30, 0x000000);
    PixelBuffer image = filled(5, 4, 0x00FF00);
    image.at(2, 2) = 0xFF0000;  // the anchor
    paste(&screen, image, 30, 10);
    paste(&screen, image, 2, 11);  // lower, so later in the scan, though further left
    paste(&screen, image, 10, 10);
    RecordingEvents events;
    ImageMatch m = match_image(screen, image, false, false, events);
    ASSERT_TRUE(m.found);
    EXPECT_EQ(10, m.x);
    EXPECT_EQ(10, m.y);
    EXPECT_TRUE(events.lines.empty());
}

// A masked image with a magenta border: found over any background when masked,
// and unmasked only over a magenta background.
TEST(ImageMatcher, MaskedBorderMatchesAnyBackground) {
    PixelBuffer image = filled(6, 5, kMaskColour);
    for (int32_t y = 1; y < 4; ++y)
        for (int32_t x = 1; x < 5; ++x) image.at(x, y) = rgb_colour(10 * x, 20 * y, 99);
    PixelBuffer inner = cut(image, 1, 1, 4, 3);

    struct Row {
        const char* background;
        uint32_t colour;
        bool masked;
        bool found;
    } rows[] = {{"grey", 0x808080, true, true},
                {"grey", 0x808080, false, false},
                {"magenta", kMaskColour, true, true},
                {"magenta", kMaskColour, false, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.background) + (row.masked ? " masked" : " unmasked"));
        PixelBuffer screen = filled(50, 40, row.colour);
        paste(&screen, inner, 21, 11);
        RecordingEvents events;
        ImageMatch m = match_image(screen, image, row.masked, false, events);
        EXPECT_EQ(row.found, m.found);
        if (row.found) {
            EXPECT_EQ(20, m.x);
            EXPECT_EQ(10, m.y);
        }
    }
}

TEST(ImageMatcher, DetailedLinesOfAMissTellSizesRoomAndBestCandidate) {
    PixelBuffer screen = filled(10, 8, 0x000000);
    PixelBuffer image = filled(3, 2, 0x000000);
    image.at(2, 0) = 0xFFFFFF;  // the anchor
    screen.at(4, 2) = 0xFFFFFF;  // a candidate at (2, 2) ...
    screen.at(3, 2) = 0x00FF00;  // ... that fails at its second pixel
    RecordingEvents events;
    ImageMatch m = match_image(screen, image, false, true, events);
    EXPECT_FALSE(m.found);
    const std::vector<std::string> want = {
        "\tDetailed Internal Image Comparison: Image Size = 3 x 2, Screen Size = 10 x 8\r\n",
        "\tNot enough room for image after pixel 7 - (image is 2 tall) - end of screen check\r\n",
        "\tImage comparison logic completed, matched 1 of 6 pixels starting at (2, 2)\r\n"};
    EXPECT_EQ(joined(want), joined(events.lines));
}

TEST(ImageMatcher, RoomLineMarksTheFirstRowWithoutCandidates) {
    // Anchor in row 0: candidates' anchors lie in rows 0..6 of an 8-row screen for a 2-row image.
    PixelBuffer image = filled(2, 2, 0x000000);
    image.at(1, 0) = 0xFFFFFF;
    RecordingEvents events;
    match_image(filled(10, 8, 0x333333), image, false, true, events);
    ASSERT_EQ(3u, events.lines.size());
    EXPECT_EQ("\tNot enough room for image after pixel 7 - (image is 2 tall) - end of screen check\r\n",
              events.lines[1]);

    // An image taller than the screen has no candidate at all.
    RecordingEvents tall;
    match_image(filled(10, 8, 0x333333), filled(2, 12, 1), false, true, tall);
    ASSERT_EQ(3u, tall.lines.size());
    EXPECT_EQ("\tNot enough room for image after pixel 0 - (image is 12 tall) - end of screen check\r\n",
              tall.lines[1]);

    // A one-row image has candidates down to the last row: the scan ends with the screen.
    RecordingEvents flat;
    match_image(filled(10, 8, 0x333333), filled(3, 1, 1), false, true, flat);
    EXPECT_EQ(2u, flat.lines.size());
}

// The older reading limited the scan by the anchor's position, so an image whose anchor
// is not its top-left pixel was missed against the right and bottom edges.
TEST(ImageMatcher, ImageAgainstTheBottomRightCornerIsFound) {
    PixelBuffer image = filled(4, 3, 0x101010);
    image.at(3, 2) = 0xABCDEF;  // anchor at the image's bottom-right pixel
    PixelBuffer screen = filled(20, 15, 0x777777);
    paste(&screen, image, 16, 12);
    RecordingEvents events;
    ImageMatch m = match_image(screen, image, false, false, events);
    ASSERT_TRUE(m.found);
    EXPECT_EQ(16, m.x);
    EXPECT_EQ(12, m.y);
    EXPECT_FALSE(anchor_limited_match(screen, image, false).found);
}

// ... and it compared candidates whose corner lies left of or above the screen. With a
// captured screen that would read outside the buffer (the sanitizers run these tests).
// Off the screen nothing can match, except through the mask: a masked image whose
// left column is magenta "matched" half off the screen.
TEST(ImageMatcher, CandidatesOffTheScreenAreNeverCompared) {
    PixelBuffer image = filled(3, 2, kMaskColour);
    image.at(1, 0) = 0x0000FF;
    image.at(2, 0) = 0x00FF00;
    image.at(1, 1) = 0xFF0000;
    image.at(2, 1) = 0x00FFFF;
    PixelBuffer screen = filled(12, 9, 0x444444);
    paste(&screen, cut(image, 1, 0, 2, 2), 0, 4);  // the visible part, flush with the left edge
    EXPECT_TRUE(anchor_limited_match(screen, image, true).found);
    RecordingEvents events;
    EXPECT_FALSE(match_image(screen, image, true, false, events).found);

    // Whole copies at the edges are found.
    paste(&screen, cut(image, 1, 0, 2, 2), 10, 7);
    ImageMatch m = match_image(screen, image, true, false, events);
    ASSERT_TRUE(m.found);
    EXPECT_EQ(9, m.x);
    EXPECT_EQ(7, m.y);
}

TEST(ImageMatcher, StopKeyDownAtTheStartEndsTheSearchWithItsLine) {
    PixelBuffer screen = filled(30, 20, 0x000000);
    PixelBuffer image = filled(2, 2, 0x00FF00);
    paste(&screen, image, 0, 0);
    for (bool detailed : {false, true}) {
        SCOPED_TRACE(detailed ? "detailed" : "basic");
        RecordingEvents events;
        events.stop_after = 0;
        ImageMatch m = match_image(screen, image, false, detailed, events);
        EXPECT_FALSE(m.found);
        EXPECT_TRUE(m.stopped);
        EXPECT_EQ(1, events.polls);
        const std::string stop = "\tStop key pressed, aborting image search\r\n";
        if (detailed) {
            ASSERT_EQ(3u, events.lines.size());
            EXPECT_EQ(stop, events.lines[1]);
            EXPECT_EQ("\tImage comparison logic completed, matched 0 of 4 pixels starting at (0, 0)\r\n",
                      events.lines[2]);
        } else {
            EXPECT_EQ(std::vector<std::string>{stop}, events.lines);
        }
    }
}

TEST(ImageMatcher, StopKeyIsPolledWhileALargeScanRuns) {
    PixelBuffer screen = filled(1000, 800, 0x000000);
    PixelBuffer image = filled(2, 2, 0x00FF00);
    paste(&screen, image, 900, 790);  // present, but only near the end
    RecordingEvents events;
    events.stop_after = 3;
    ImageMatch m = match_image(screen, image, false, false, events);
    EXPECT_TRUE(m.stopped);
    EXPECT_FALSE(m.found);
    EXPECT_EQ(4, events.polls);

    RecordingEvents never;
    never.stop_after = 1 << 30;
    ASSERT_TRUE(match_image(screen, image, false, false, never).found);
    // A poll every 64 K pixels or so: a dozen for 800 000 pixels, not one per row.
    EXPECT_GE(never.polls, 8);
    EXPECT_LE(never.polls, 20);
}

TEST(ImageMatcher, LastCandidateIsTheOneTriedFurthestDown) {
    PixelBuffer screen = filled(50, 40, 0x000000);
    PixelBuffer image = filled(3, 3, 0x000000);
    image.at(1, 1) = 0xFF0000;
    image.at(2, 2) = 0x00FF00;
    // Candidates at (3, 3) [8 of 9 match], (40, 20) and (10, 30) [5 of 9].
    screen.at(4, 4) = 0xFF0000;
    screen.at(41, 21) = 0xFF0000;
    screen.at(11, 31) = 0xFF0000;
    screen.at(13, 33) = 0x0000FF;
    RecordingEvents events;
    match_image(screen, image, false, true, events);
    ASSERT_FALSE(events.lines.empty());
    EXPECT_EQ("\tImage comparison logic completed, matched 8 of 9 pixels starting at (10, 30)\r\n",
              events.lines.back());
}

}  // namespace
}  // namespace zorbel
