#include <gtest/gtest.h>

#include "editor/model/window_placement.h"

namespace zorbel {
namespace {

TEST(WindowPlacement, StoredRectanglesThatDoNotFitGiveTheWholeScreen) {
    const ScreenFacts screen{1280, 1024, 112, 27};
    struct Case {
        StoredRect stored;
        Placement expected;
    } cases[] = {
        {{100, 50, 900, 700}, Placement::kStored},
        {{-4, 0, 800, 600}, Placement::kStored},
        {{-10, 0, 800, 600}, Placement::kFullScreen},
        {{1280, 0, 1900, 600}, Placement::kFullScreen},
        {{100, 100, 150, 600}, Placement::kFullScreen},  // narrower than the minimum
        {{100, 100, 900, 110}, Placement::kFullScreen},  // lower than the minimum
        {{100, 100, 900, 0}, Placement::kSystem},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.left);
        EXPECT_EQ(c.expected, choose_placement(c.stored, screen));
    }
}

TEST(WindowPlacement, StatusParts) {
    int ends[3];
    status_part_ends(1000, ends);
    EXPECT_EQ(800, ends[0]);
    EXPECT_EQ(900, ends[1]);
    EXPECT_EQ(-1, ends[2]);
    status_part_ends(300, ends);
    EXPECT_EQ(200, ends[0]);
}

}  // namespace
}  // namespace zorbel
