// End to end: zorbel.exe runs image and pixel scripts hidden under Wine against the
// testbed's picture; the clicks come back through the testbed's event log. The scripts
// that place the pointer run on the desktop without Wine's virtual desktop (see
// testbed_run.h); the others on the test's own, where the test can see the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "actions/screen/bmp_format.h"
#include "actions/screen/screen_capture.h"
#include "tests/win/actions/screen/testbed_run.h"
#include "tests/win/e2e/program_runner.h"
#include "tests/win/e2e/script_run_fixture.h"

namespace zorbel {
namespace {

using namespace screen_tests;

class ImageEndToEnd : public e2e::ScriptRunFixture {
protected:
    void SetUp() override {
        e2e::ScriptRunFixture::SetUp();
        pattern_ = folder_ + "\\pattern.bmp";
        framed_ = folder_ + "\\framed.bmp";
        gif_ = folder_ + "\\picture.gif";
        missing_ = folder_ + "\\missing.bmp";
        ASSERT_TRUE(write_whole_file(pattern_, encode_bmp(testbed_pattern())));
        // Three pixels of frame reach into the testbed's varied background.
        ASSERT_TRUE(write_whole_file(framed_, encode_bmp(framed_pattern(3))));
        ASSERT_TRUE(write_whole_file(gif_, tiny_gif()));
    }
    void TearDown() override { e2e::set_setting_number("LogLevel", 0); }
    std::string files() const {
        return "zbimg=\"" + pattern_ + "\" zbframed=\"" + framed_ + "\" zbgif=\"" + gif_ + "\" zbmissing=\"" +
               missing_ + "\" ";
    }
    // `desktop` kRootDesktop for the scripts that place the pointer.
    e2e::ProgramRun run(const char* script, const std::string& extra, const char* desktop = nullptr) {
        e2e::ProgramRun r = run_zorbel_on(desktop, e2e::script_path(script), extra, log_file_);
        EXPECT_TRUE(r.started) << script;
        EXPECT_FALSE(r.timed_out) << script << " did not end by itself; log:\n" << r.log;
        return r;
    }
    static std::string at(POINT p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

    std::string pattern_, framed_, gif_, missing_;
};

// The pattern's centre in client coordinates.
constexpr int kCentreX = testbed::kPatternX + testbed::kPatternWidth / 2;
constexpr int kCentreY = testbed::kPatternY + testbed::kPatternHeight / 2;

TEST_F(ImageEndToEnd, MoveToAndClickOnPlainAndMaskedImages) {
    TestbedRun tb(kRootDesktop);
    ASSERT_TRUE(tb.start());
    // Between the clicks the pointer goes to the click area's far corner.
    const POINT away = tb.on_screen(600, 450);
    e2e::ProgramRun r = run("image_steps.zbx", files() + "zbax=" + std::to_string(away.x + 1) +
                                                   " zbay=" + std::to_string(away.y + 1),
                            kRootDesktop);
    EXPECT_EQ(0u, r.exit_code);
    const std::string centre = at(tb.on_screen(kCentreX, kCentreY));
    EXPECT_TRUE(has(r, "\nimage centre " + centre + "\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\nmasked centre " + centre + "\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\tThe image \"" + framed_ + "\" could not be found on the screen\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\tUnable to load image file '" + gif_ + "'\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\tThe file \"" + missing_ + "\" could not be found\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\ndone\r\n")) << r.log;
    const std::string click = " x=" + std::to_string(kCentreX) + " y=" + std::to_string(kCentreY) + " ctl=0";
    const std::vector<std::string> want = {"LBUTTONDOWN" + click, "LBUTTONUP" + click, "LBUTTONDOWN" + click,
                                           "LBUTTONUP" + click};
    const std::vector<std::string> got = tb.mouse_lines();
    // The second click lands where the first did, soon after: Windows may make it a double click.
    ASSERT_EQ(want.size(), got.size()) << tb.log() << r.log;
    EXPECT_EQ(want[0], got[0]);
    EXPECT_EQ(want[1], got[1]);
    EXPECT_TRUE(got[2] == want[2] || got[2] == "LBUTTONDBLCLK" + click) << got[2];
    EXPECT_EQ(want[3], got[3]);
}

TEST_F(ImageEndToEnd, ConditionsAndWaitsSeeImagesAndPixels) {
    TestbedRun tb;
    ASSERT_TRUE(tb.start());
    e2e::set_setting_number("LogLevel", 1);
    e2e::ProgramRun r = run("image_conditions.zbx", files() + "zbspot=#123456");
    EXPECT_EQ(0u, r.exit_code);
    for (const char* line : {"pattern visible yes", "framed visible masked yes", "framed visible plain no",
                             "gif visible no", "spot visible yes", "odd colour visible no", "waited for the pattern",
                             "waited for the framed pattern", "waited for the spot", "done"}) {
        EXPECT_TRUE(has(r, "\n" + std::string(line) + "\r\n")) << line << "\n" << r.log;
    }
    EXPECT_TRUE(has(r, "\tImage Match Failed: Unable to load image file '" + gif_ + "'\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\tMATCHED IMAGE!  Got 768 pixel matches\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\tDetailed Internal Image Comparison: Image Size = 32 x 24, Screen Size = " +
                           std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " x " +
                           std::to_string(GetSystemMetrics(SM_CYSCREEN)) + "\r\n"))
        << r.log;
    const POINT corner = tb.on_screen(testbed::kPatternX, testbed::kPatternY);
    EXPECT_TRUE(has(r, "\tImage comparison logic completed, matched 768 of 768 pixels starting at (" +
                           std::to_string(corner.x) + ", " + std::to_string(corner.y) + ")\r\n"))
        << r.log;
    // The colour that never shows: the wait fails without a reason of its own.
    EXPECT_TRUE(has(r, "\tERROR while running step #38:  Wait for Pixel \r\n\tFailure Action: Ignore/Continue\r\n"
                       "\tContinuing with next step...\r\n"))
        << r.log;
}

TEST_F(ImageEndToEnd, WaitForImageSeesItAppear) {
    HANDLE zorbel = start_zorbel_on(kRootDesktop, e2e::script_path("image_wait_appears.zbx"), files(), log_file_);
    ASSERT_NE(nullptr, zorbel);
    // The testbed starts once the wait is under way.
    const DWORD begin = GetTickCount();
    while (read_whole_file(log_file_).find("[STEP 2]: Wait for Image to Appear") == std::string::npos &&
           GetTickCount() - begin < kDeadlineMs)
        Sleep(kPollMs);
    TestbedRun tb(kRootDesktop);
    const ::testing::AssertionResult started = tb.start();
    const DWORD waited = WaitForSingleObject(zorbel, 30000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(zorbel, 255);
    CloseHandle(zorbel);
    ASSERT_TRUE(started);
    EXPECT_EQ(WAIT_OBJECT_0, waited);
    const std::string log = read_whole_file(log_file_);
    EXPECT_NE(std::string::npos, log.find("\nappeared\r\n")) << log;
    EXPECT_NE(std::string::npos, log.find("\nimage centre " + at(tb.on_screen(kCentreX, kCentreY)) + "\r\n")) << log;
}

PixelBuffer cut(const PixelBuffer& from, long x, long y, long w, long h) {
    PixelBuffer out(w, h);
    for (long j = 0; j < h; ++j)
        for (long i = 0; i < w; ++i) out.at(i, j) = from.at(x + i, y + j);
    return out;
}

// The testbed's right half, with its picture; the left half holds the edit with the
// blinking caret.
std::string right_half_difference(const PixelBuffer& a, const PixelBuffer& b, POINT client) {
    if (a.width != b.width || a.height != b.height) return "different sizes";
    for (long y = client.y; y < client.y + testbed::kClientHeight; ++y)
        for (long x = client.x + 310; x < client.x + testbed::kClientWidth; ++x)
            if (a.at(x, y) != b.at(x, y)) return "differs at " + std::to_string(x) + "," + std::to_string(y);
    return std::string();
}

TEST_F(ImageEndToEnd, CapturedScreenAndWindowMatchTheScreen) {
    TestbedRun tb;
    ASSERT_TRUE(tb.start());
    const std::string shot = folder_ + "\\screen.bmp", window_shot = folder_ + "\\window.bmp";
    e2e::ProgramRun r = run("image_capture.zbx", "zbshot=\"" + shot + "\" zbwinshot=\"" + window_shot + "\"");
    EXPECT_EQ(0u, r.exit_code);
    EXPECT_TRUE(has(r, "\ndone\r\n")) << r.log;
    PixelBuffer screen, saved, saved_window;
    ASSERT_TRUE(capture_screen_pixels(&screen));
    ASSERT_TRUE(load_bitmap_pixels(shot, &saved)) << r.log;
    EXPECT_EQ("", right_half_difference(screen, saved, tb.client_origin()));
    ASSERT_TRUE(load_bitmap_pixels(window_shot, &saved_window)) << r.log;
    const RECT w = tb.window_rect();
    ASSERT_EQ(w.right - w.left, saved_window.width);
    ASSERT_EQ(w.bottom - w.top, saved_window.height);
    const POINT client_in_window = {tb.client_origin().x - w.left, tb.client_origin().y - w.top};
    EXPECT_EQ("", right_half_difference(cut(screen, w.left, w.top, saved_window.width, saved_window.height),
                                        saved_window, client_in_window));
}

}  // namespace
}  // namespace zorbel
