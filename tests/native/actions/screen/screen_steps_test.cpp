// The searches as IF and Wait steps use them, on a screen in memory: which texts are
// expanded or resolved, what reaches the run log and the error text.
#include "actions/screen/screen_steps.h"

#include <gtest/gtest.h>

#include <string>

#include "actions/screen/screen_search.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

class ScreenStepsTest : public ::testing::Test {
protected:
    RunRig rig;
    FakeScreen& screen = rig.desktop.screen;
    PixelBuffer picture{4, 3};

    void SetUp() override {
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 4; ++x) picture.at(x, y) = rgb_colour(50 * x, 60 * y, 200);
        paste_pixels(&screen.screen, picture, 10, 20);
        screen.screen.at(40, 30) = 0x0000FF;  // one red pixel
        write_setting_number(rig.store, "SOFTWARE\\Zorbel\\Log", 1);
        rig.script.script_path = "C:\\scripts\\wait.zbx";
        rig.script.steps.reserve(32);  // the steps handed out stay where they are
    }
    Step& step_for(const char* action, const std::string& text, const char* value1 = "") {
        Step& s = rig.add(action, text);
        copy_to_field(s.value[0], value1);
        rig.script.current_step = static_cast<int32_t>(rig.script.steps.size()) - 1;
        return s;
    }
    bool logged(const std::string& text) { return rig.log().find(text) != std::string::npos; }
};

TEST_F(ScreenStepsTest, PixelConditionTakesTheColourAsItStandsAndTheWaitExpandsIt) {
    rig.set_variable("colour", "RED");
    Step& if_step = step_for("IF Pixel is Visible", "", "%colour");
    EXPECT_FALSE(if_pixel_is_visible(rig.context, if_step));  // "%colour" reads as black
    Step& if_red = step_for("IF Pixel is Visible", "", "#FF0000");
    EXPECT_TRUE(if_pixel_is_visible(rig.context, if_red));
    Step& wait = step_for("Wait for Pixel", "", "%colour");
    EXPECT_TRUE(wait_for_pixel(rig.context, wait));
    rig.run.error_text = "left over from an earlier step";
    Step& missing = step_for("Wait for Pixel", "", "#00FF00");
    EXPECT_FALSE(wait_for_pixel(rig.context, missing));
    EXPECT_EQ("", rig.run.error_text);
}

TEST_F(ScreenStepsTest, ImageConditionLogsWhyAFileCouldNotBeUsed) {
    const std::string path = screen.add_bitmap("picture.bmp", picture);
    Step& found = step_for("IF Image is Visible", path);
    EXPECT_TRUE(if_image_is_visible(rig.context, found));

    // The condition does not look for the file in the program's folders.
    Step& bare = step_for("IF Image is Visible", "picture.bmp");
    EXPECT_FALSE(if_image_is_visible(rig.context, bare));
    EXPECT_TRUE(logged("\tImage Match Failed: Unable to load image file 'picture.bmp'\r\n")) << rig.log();
    // The condition step succeeds: no reason stays behind for a later failure to report.
    EXPECT_EQ("", rig.run.error_text);

    screen.bitmaps[path].at(0, 0) = 0x010101;  // no longer on the screen
    Step& absent = step_for("IF Masked Image is Visible", path);
    EXPECT_FALSE(if_image_is_visible(rig.context, absent));
    EXPECT_FALSE(logged("Image Match Failed: The"));
    EXPECT_EQ("", rig.run.error_text);
}

TEST_F(ScreenStepsTest, WaitForImageResolvesAgainstTheScriptsFolder) {
    PixelBuffer framed(6, 5, kMaskColour);
    paste_pixels(&framed, picture, 1, 1);
    screen.add_bitmap("framed.bmp", framed);
    rig.set_variable("name", "framed");
    Step& masked = step_for("Wait for Masked Image", "%name.bmp");
    EXPECT_TRUE(wait_for_image(rig.context, masked));
    rig.run.error_text = "left over from an earlier step";
    Step& plain = step_for("Wait for Image to Appear", "framed.bmp");
    EXPECT_FALSE(wait_for_image(rig.context, plain));
    EXPECT_EQ("", rig.run.error_text);

    Step& gif = step_for("Wait for Image to Appear", "C:\\pictures\\logo.gif");
    EXPECT_FALSE(wait_for_image(rig.context, gif));
    EXPECT_EQ("Unable to load image file 'C:\\pictures\\logo.gif'", rig.run.error_text);
}

TEST_F(ScreenStepsTest, DetailedLinesFollowLogLevel) {
    const std::string path = screen.add_bitmap("picture.bmp", picture);
    Step& basic = step_for("Wait for Image to Appear", path);
    EXPECT_TRUE(wait_for_image(rig.context, basic));
    EXPECT_FALSE(logged("MATCHED IMAGE"));
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\LogLevel", 1);
    Step& detailed = step_for("Wait for Image to Appear", path);
    EXPECT_TRUE(wait_for_image(rig.context, detailed));
    EXPECT_TRUE(logged("\tDetailed Internal Image Comparison: Image Size = 4 x 3, Screen Size = 64 x 48\r\n"
                       "\tMATCHED IMAGE!  Got 12 pixel matches\r\n"
                       "\tImage comparison logic completed, matched 12 of 12 pixels starting at (10, 20)\r\n"))
        << rig.log();
}

class QuietEvents : public ImageMatchEvents {
public:
    bool stop_key_down() override { return false; }
    void log_line(const std::string&) override {}
};

TEST_F(ScreenStepsTest, SearchReportsSizeAndRefusesWhatItCannotSearch) {
    QuietEvents events;
    std::string error;
    int32_t x = -1, y = -1, w = -1, h = -1;
    const std::string path = screen.add_bitmap("picture.bmp", picture);
    ASSERT_TRUE(FindImageOnScreen(screen, events, path, &x, &y, &w, &h, false, false, &error));
    EXPECT_EQ(10, x);
    EXPECT_EQ(20, y);
    EXPECT_EQ(4, w);
    EXPECT_EQ(3, h);

    screen.capture_fails = true;
    EXPECT_FALSE(FindImageOnScreen(screen, events, path, nullptr, nullptr, nullptr, nullptr, false, false, &error));
    EXPECT_EQ("Unable to read the screen", error);
    screen.capture_fails = false;

    const std::string wide = screen.add_bitmap("wide.bmp", PixelBuffer(1601, 2));
    w = h = -1;
    EXPECT_FALSE(FindImageOnScreen(screen, events, wide, nullptr, nullptr, &w, &h, false, false, &error));
    EXPECT_EQ("The image file 'C:\\scripts\\wide.bmp' is 1601 x 2 pixels; images of at most 1600 x 1632 pixels can "
              "be searched for",
              error);
    EXPECT_EQ(1601, w);
    const std::string tall = screen.add_bitmap("tall.bmp", PixelBuffer(3, 1633));
    EXPECT_FALSE(FindImageOnScreen(screen, events, tall, nullptr, nullptr, nullptr, nullptr, false, false, &error));
    const std::string largest = screen.add_bitmap("largest.bmp", PixelBuffer(1600, 1632));
    error.clear();
    EXPECT_FALSE(FindImageOnScreen(screen, events, largest, nullptr, nullptr, nullptr, nullptr, false, false, &error));
    EXPECT_EQ("", error);  // searched, and not found on the small screen
}

}  // namespace
}  // namespace zorbel
