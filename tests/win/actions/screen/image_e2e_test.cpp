// End to end: zorbel.exe runs image scripts hidden under Wine against the testbed's
// picture, on the desktop without Wine's virtual desktop (see testbed.h); the clicks come
// back through the testbed's event log.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/support/testbed.h"
#include "tests/win/support/testbed_picture.h"
#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace {

using namespace wintest;

// The pattern's centre in client coordinates.
constexpr int kCentreX = testbed::kPatternX + testbed::kPatternWidth / 2;
constexpr int kCentreY = testbed::kPatternY + testbed::kPatternHeight / 2;

class ImageEndToEnd : public ScriptRunFixture {
protected:
    void SetUp() override {
        ScriptRunFixture::SetUp();
        ASSERT_TRUE(write_file(pattern_, encode_bmp(testbed_pattern())));
        // Three pixels of frame reach into the testbed's varied background.
        ASSERT_TRUE(write_file(framed_, encode_bmp(testbed_pattern(3))));
        ASSERT_TRUE(write_file(gif_, tiny_gif()));
    }
    std::string files() const {
        return "zbimg=\"" + pattern_ + "\" zbframed=\"" + framed_ + "\" zbgif=\"" + gif_ + "\" zbmissing=\"" +
               missing_ + "\" ";
    }
    static std::string at(POINT p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

    const std::string pattern_ = folder_ / "pattern.bmp", framed_ = folder_ / "framed.bmp",
                      gif_ = folder_ / "picture.gif", missing_ = folder_ / "missing.bmp";
};

TEST_F(ImageEndToEnd, MoveToAndClickOnPlainAndMaskedImages) {
    Testbed tb;
    ASSERT_TRUE(tb.start("", kRootDesktop));
    // Between the clicks the pointer goes to the click area's far corner.
    const POINT away = tb.on_screen(600, 450);
    ZorbelRun r = run("image_steps.zbx",
                      files() + "zbax=" + std::to_string(away.x + 1) + " zbay=" + std::to_string(away.y + 1),
                      kRootDesktop);
    EXPECT_EQ(0u, r.exit_code);
    const std::string centre = at(tb.on_screen(kCentreX, kCentreY));
    EXPECT_TRUE(r.has("\nimage centre " + centre + "\r\n")) << r.log;
    EXPECT_TRUE(r.has("\nmasked centre " + centre + "\r\n")) << r.log;
    EXPECT_TRUE(r.has("\tThe image \"" + framed_ + "\" could not be found on the screen\r\n")) << r.log;
    EXPECT_TRUE(r.has("\tUnable to load image file '" + gif_ + "'\r\n")) << r.log;
    EXPECT_TRUE(r.has("\tThe file \"" + missing_ + "\" could not be found\r\n")) << r.log;
    EXPECT_TRUE(r.has("\ndone\r\n")) << r.log;
    const std::string click = " x=" + std::to_string(kCentreX) + " y=" + std::to_string(kCentreY) + " ctl=0";
    std::vector<std::string> got = tb.take([](const std::string& l) { return l.find("BUTTON") == 1; }, 4, 2000);
    for (std::string& l : got) l = l.substr(0, l.find(" sx="));
    // The second click lands where the first did, soon after: Windows may make it a double click.
    if (got.size() > 2 && got[2] == "LBUTTONDBLCLK" + click) got[2] = "LBUTTONDOWN" + click;
    EXPECT_EQ(std::vector<std::string>({"LBUTTONDOWN" + click, "LBUTTONUP" + click, "LBUTTONDOWN" + click,
                                        "LBUTTONUP" + click}),
              got)
        << tb.log() << r.log;
}

}  // namespace
}  // namespace zorbel
