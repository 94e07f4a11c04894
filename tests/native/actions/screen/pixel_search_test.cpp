#include "actions/screen/pixel_search.h"

#include <gtest/gtest.h>

namespace zorbel {
namespace {

TEST(PixelSearch, FirstPixelOfTheColourRowsFirst) {
    PixelBuffer screen(20, 10, 0x111111);
    screen.at(15, 3) = 0x00FF00;
    screen.at(2, 7) = 0x00FF00;
    screen.at(19, 9) = 0x0000FF;
    int32_t x = -1, y = -1;
    ASSERT_TRUE(find_pixel(screen, 0x00FF00, &x, &y));
    EXPECT_EQ(15, x);
    EXPECT_EQ(3, y);
    ASSERT_TRUE(find_pixel(screen, 0x0000FF, &x, &y));
    EXPECT_EQ(19, x);
    EXPECT_EQ(9, y);
    EXPECT_TRUE(find_pixel(screen, 0x111111, nullptr, nullptr));
    x = y = -1;
    EXPECT_FALSE(find_pixel(screen, 0xFF0000, &x, &y));
    EXPECT_EQ(-1, x);
    EXPECT_EQ(-1, y);
}

TEST(PixelSearch, ScreenWithoutRowsHasNoPixel) {
    EXPECT_FALSE(find_pixel(PixelBuffer(), 0, nullptr, nullptr));
    EXPECT_FALSE(find_pixel(PixelBuffer(5, 0), 0, nullptr, nullptr));
}

}  // namespace
}  // namespace zorbel
