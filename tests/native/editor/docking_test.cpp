#include <gtest/gtest.h>

#include "editor/model/docking.h"

namespace zorbel {
namespace {

// The client area in screen coordinates, 20 pixels of status bar at its bottom.
const Box kClient{100, 100, 900, 700};
constexpr int kStatus = 20;

TEST(Docking, SideFromTheCursorBands) {
    struct Case {
        int x, y;
        bool control;
        int side;
    } cases[] = {
        {500, 100, false, kDockTop},      // on the top edge
        {500, 69, false, kDockTop},       // 31 above it
        {500, 67, false, kDockNone},      // 33 above it
        {500, 131, false, kDockTop},      // 31 below it
        {500, 133, false, kDockNone},
        {500, 680, false, kDockBottom},   // the bottom edge is raised by the status bar
        {500, 711, false, kDockBottom},
        {500, 713, false, kDockNone},
        {100, 400, false, kDockLeft},
        {131, 400, false, kDockLeft},
        {900, 400, false, kDockRight},
        {868, 400, false, kDockRight},
        {867, 400, false, kDockNone},
        {110, 110, false, kDockTop},      // a corner: top before left
        {890, 690, false, kDockBottom},   // bottom before right
        {500, 100, true, kDockNone},      // Ctrl held never docks
        {100, 400, true, kDockNone},
        {500, 400, false, kDockNone},     // the middle
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(c.side, docking_side(kClient, kStatus, c.x, c.y, c.control));
    }
}

TEST(Docking, StoredSidesOtherThanTheFourDockAtTheTop) {
    const int cases[][2] = {{1, 1}, {2, 2}, {4, 4}, {8, 8}, {0, 2}, {3, 2}, {5, 2}, {6, 2}, {9, 2}, {16, 2}, {-1, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(c[1], docked_side(c[0]));
    }
}

TEST(Docking, InnerEdgesAndResizedSizes) {
    const Box frame{0, 0, 120, 80};
    struct Case {
        int side;
        Edge edge;
        int size;
    } cases[] = {
        {kDockLeft, Edge::kRight, 120},
        {kDockTop, Edge::kBottom, 80},
        {kDockRight, Edge::kLeft, 120},
        {kDockBottom, Edge::kTop, 80},
        {0, Edge::kBottom, 80},  // docks at the top
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        EXPECT_EQ(c.edge, inner_edge(c.side));
        EXPECT_EQ(c.size, docked_size_of(c.side, frame));
    }
}

// The original layout: Toolbar at the top, Actions at the left, Output at the bottom.
TEST(Docking, StripsInCreationOrderAndTheGridTakesTheRest) {
    const Box area{0, 0, 1000, 700};
    const DockLayout layout = lay_out_docked(area, {{kDockTop, 30}, {kDockLeft, 250}, {kDockBottom, 150}});
    ASSERT_EQ(3u, layout.frames.size());
    EXPECT_EQ((Box{0, 0, 1000, 30}), layout.frames[0]);
    EXPECT_EQ((Box{0, 30, 250, 700}), layout.frames[1]);
    EXPECT_EQ((Box{250, 550, 1000, 700}), layout.frames[2]);
    EXPECT_EQ((Box{250, 30, 1000, 550}), layout.grid);
}

TEST(Docking, SizesAreClampedToWhatIsLeft) {
    struct Case {
        const char* name;
        Box area;
        std::vector<DockRequest> requests;
        std::vector<Box> frames;
        Box grid;
    } cases[] = {
        {"too wide", {0, 0, 400, 300}, {{kDockLeft, 900}}, {{0, 0, 400, 300}}, {400, 0, 400, 300}},
        {"second gets nothing", {0, 0, 400, 300}, {{kDockLeft, 900}, {kDockRight, 50}},
         {{0, 0, 400, 300}, {400, 0, 400, 300}}, {400, 0, 400, 300}},
        {"below the minimum", {0, 0, 400, 300}, {{kDockRight, 3}}, {{371, 0, 400, 300}}, {0, 0, 371, 300}},
        {"zero", {0, 0, 400, 300}, {{kDockBottom, 0}}, {{0, 271, 400, 300}}, {0, 0, 400, 271}},
        {"less room than the minimum", {0, 0, 400, 20}, {{kDockTop, 100}}, {{0, 0, 400, 20}}, {0, 20, 400, 20}},
        {"same side stacks", {0, 0, 400, 300}, {{kDockLeft, 100}, {kDockLeft, 50}},
         {{0, 0, 100, 300}, {100, 0, 150, 300}}, {150, 0, 400, 300}},
        {"bad side at the top", {0, 0, 400, 300}, {{6, 40}}, {{0, 0, 400, 40}}, {0, 40, 400, 300}},
        {"nothing docked", {5, 6, 400, 300}, {}, {}, {5, 6, 400, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DockLayout layout = lay_out_docked(c.area, c.requests);
        EXPECT_EQ(c.frames, layout.frames);
        EXPECT_EQ(c.grid, layout.grid);
    }
}

TEST(Docking, OutlineIsTheStripOfTheSide) {
    const Box area{100, 100, 900, 680};
    EXPECT_EQ((Box{100, 100, 350, 680}), docking_outline(area, kDockLeft, 250));
    EXPECT_EQ((Box{100, 100, 900, 130}), docking_outline(area, kDockTop, 30));
    EXPECT_EQ((Box{750, 100, 900, 680}), docking_outline(area, kDockRight, 150));
    EXPECT_EQ((Box{100, 530, 900, 680}), docking_outline(area, kDockBottom, 150));
}

}  // namespace
}  // namespace zorbel
