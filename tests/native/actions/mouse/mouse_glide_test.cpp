#include "actions/mouse/mouse_glide.h"

#include <gtest/gtest.h>

#include <string>

namespace zorbel {
namespace {

std::string path(const std::vector<ScreenPoint>& points) {
    std::string out;
    for (const ScreenPoint& p : points) out += std::to_string(p.x) + "," + std::to_string(p.y) + " ";
    return out;
}

TEST(MouseGlide, StepsRoundTowardZeroAndFallBackToEighths) {
    struct Row {
        ScreenPoint from, to;
        size_t count;
        std::string first_two, last;
    } rows[] = {
        {{0, 0}, {199, 99}, 20, "9,4 18,8 ", "180,80 "},
        {{100, 300}, {115, 300}, 8, "101,300 102,300 ", "108,300 "},
        {{500, 500}, {300, 459}, 20, "490,498 480,496 ", "300,460 "},  // -200/20, -41/20 = -2
        {{10, 10}, {13, 12}, 8, "10,10 10,10 ", "10,10 "},             // too short for eighths too
        {{7, 7}, {7, 7}, 8, "7,7 7,7 ", "7,7 "},
    };
    for (const Row& row : rows) {
        const std::vector<ScreenPoint> points = glide_points(row.from, row.to);
        const std::string all = path(points);
        SCOPED_TRACE(all);
        ASSERT_EQ(row.count, points.size());
        EXPECT_EQ(0u, all.find(row.first_two));
        EXPECT_EQ(row.last, path({points.back()}));
    }
}

TEST(MouseGlide, AbsoluteCoordinatesScaleToTheScreen) {
    const ScreenPoint screen{1280, 1024};
    EXPECT_EQ(0, absolute_mouse_coordinates({0, 0}, screen).x);
    EXPECT_EQ(1279L * 65535 / 1280, absolute_mouse_coordinates({1279, 1023}, screen).x);
    EXPECT_EQ(1023L * 65535 / 1024, absolute_mouse_coordinates({1279, 1023}, screen).y);
    EXPECT_EQ(65535, absolute_mouse_coordinates({1280, 1024}, screen).x);
    // An empty screen axis gives 0 rather than a division by zero.
    EXPECT_EQ(0, absolute_mouse_coordinates({5, 5}, ScreenPoint{0, 0}).x);
    EXPECT_EQ(0, absolute_mouse_coordinates({5, 5}, ScreenPoint{0, 0}).y);
}

}  // namespace
}  // namespace zorbel
