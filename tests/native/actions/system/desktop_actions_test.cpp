#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/system/display_mode_text.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

constexpr SettingsRoot kCU = SettingsRoot::kCurrentUser;
constexpr char kDesktopKey[] = "Control Panel\\Desktop";

TEST(DisplayModeText, ListedTextsReadBack) {
    struct Row {
        DisplayMode mode;
        const char* text;
    } rows[] = {
        {{800, 600, 32, 60}, " 800 x 600, True Color (32 Bit), 60 Hertz"},
        {{1024, 768, 16, 75}, "1024 x 768, High Color (16 Bit), 75 Hertz"},
        {{640, 480, 8, 60}, " 640 x 480, 256 Colors, 60 Hertz"},
        {{640, 480, 4, 60}, " 640 x 480, 16 Colors, 60 Hertz"},
        {{1280, 1024, 24, 60}, "1280 x 1024, 24 Bit, 60 Hertz"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(r.text, display_mode_text(r.mode));
        DisplayMode back = parse_display_mode(r.text);
        EXPECT_EQ(r.mode.width, back.width);
        EXPECT_EQ(r.mode.height, back.height);
        EXPECT_EQ(r.mode.bits, back.bits);
        EXPECT_EQ(r.mode.frequency, back.frequency);
    }
}

TEST(VideoDisplayMode, ChangesRestoresOrReports) {
    struct Row {
        const char* text;
        DisplayChange answer;
        int result;
        const char* call;
        size_t boxes;
    } rows[] = {
        {"800 x 600, True Color (32 Bit), 60 Hertz", DisplayChange::kDone, kStepSucceeded, "display mode 800x600x32@60", 0},
        {"1024 x 768", DisplayChange::kDone, kStepSucceeded, "display mode 1024x768x0@0", 0},
        {"", DisplayChange::kDone, kStepSucceeded, "display restore", 0},
        {"0 x 600", DisplayChange::kDone, kStepSucceeded, "display restore", 0},
        {"800 x 600", DisplayChange::kRestartNeeded, kStepSucceeded, "display mode 800x600x0@0", 1},
        // A mode the system refuses fails the step.
        {"12345 x 99999, 7 Bit", DisplayChange::kRefused, kStepFailed, "display mode 12345x99999x7@0", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        RunRig rig;
        rig.desktop.display.answer = r.answer;
        rig.only("Video Display Mode", r.text);
        EXPECT_EQ(r.result, rig.run_step());
        EXPECT_EQ(std::vector<std::string>{r.call}, rig.desktop.effects());
        ASSERT_EQ(r.boxes, rig.ui.boxes.size());
        if (r.boxes) {
            EXPECT_EQ("System Message|The computer must be restarted to activate the change in the video display mode.",
                      rig.ui.boxes[0]);
        }
    }
}

struct SaverRig : RunRig {
    std::string value(const char* name) { return desktop.registry.text(kCU, kDesktopKey, name); }
    int step(const char* action) {
        only(action);
        return run_step();
    }
};

TEST(ScreenSaver, DisableKeepsTheNameAndEnableRestoresIt) {
    SaverRig rig;
    rig.desktop.registry.put(kCU, kDesktopKey, "SCRNSAVE.EXE", "C:\\saver.scr");
    rig.desktop.registry.put(kCU, kDesktopKey, "ScreenSaveActive", "1");
    ASSERT_EQ(kStepSucceeded, rig.step("Disable Screen Saver"));
    EXPECT_EQ("0", rig.value("ScreenSaveActive"));
    EXPECT_EQ("<none>", rig.value("SCRNSAVE.EXE"));
    EXPECT_EQ("C:\\saver.scr", rig.value("SCRNSAVE.EXE.BAK"));
    EXPECT_EQ("screen saver off", rig.desktop.effects().back());
    // A second Disable (a run stopped before enabling) keeps the kept name.
    ASSERT_EQ(kStepSucceeded, rig.step("Disable Screen Saver"));
    EXPECT_EQ("C:\\saver.scr", rig.value("SCRNSAVE.EXE.BAK"));
    ASSERT_EQ(kStepSucceeded, rig.step("Enable Screen Saver"));
    EXPECT_EQ("1", rig.value("ScreenSaveActive"));
    EXPECT_EQ("C:\\saver.scr", rig.value("SCRNSAVE.EXE"));
    EXPECT_EQ("<none>", rig.value("SCRNSAVE.EXE.BAK"));
    EXPECT_EQ("screen saver on", rig.desktop.effects().back());
}

TEST(ScreenSaver, EnableWithoutDisableWritesAnEmptyName) {
    SaverRig rig;
    ASSERT_EQ(kStepSucceeded, rig.step("Enable Screen Saver"));
    EXPECT_EQ("", rig.value("SCRNSAVE.EXE"));
    EXPECT_EQ("1", rig.value("ScreenSaveActive"));
}

TEST(ClipboardActions, SetClearAndPaste) {
    RunRig rig;
    rig.set_variable("who", "world");
    rig.only("Set Clipboard Text", "hello %who");
    ASSERT_EQ(kStepSucceeded, rig.run_step());
    EXPECT_EQ("hello world", rig.desktop.clipboard.content);
    rig.only("Clear Clipboard");
    ASSERT_EQ(kStepSucceeded, rig.run_step());
    EXPECT_FALSE(rig.desktop.clipboard.has_text);
    rig.desktop.calls.clear();
    rig.only("Paste Clipboard");
    ASSERT_EQ(kStepSucceeded, rig.run_step());
    EXPECT_EQ((std::vector<std::string>{"down 17 ext", "down 86", "up 86", "up 17 ext", "sleep 500"}),
              rig.desktop.calls);
}

// Another program holding the clipboard fails the step, without a message of its own.
TEST(ClipboardActions, BusyClipboardFailsTheStep) {
    for (const char* action : {"Set Clipboard Text", "Clear Clipboard"}) {
        SCOPED_TRACE(action);
        RunRig rig;
        rig.desktop.clipboard.has_text = true;
        rig.desktop.clipboard.content = "old";
        rig.desktop.clipboard.busy = true;
        rig.only(action, "new");
        EXPECT_EQ(kStepFailed, rig.run_step());
        EXPECT_EQ("", rig.run.error_text);
        EXPECT_EQ("old", rig.desktop.clipboard.content);
    }
}

TEST(SessionActions, LogTheLineAndEndTheSessionWithTheirFlags) {
    struct Row {
        const char* action;
        const char* line;
        const char* call;
    } rows[] = {
        {"Logoff", "Logoff at Step #3...\r\n", "exit session 0"},
        {"Restart", "Rebooting at Step #3...\r\n", "exit session 6"},
        {"Shutdown", "Shutdown at Step #3...\r\n", "exit session 5"},
    };
    for (const Row& r : rows) {
        for (bool ends : {true, false}) {
            SCOPED_TRACE(std::string(r.action) + (ends ? "" : " refused"));
            RunRig rig;
            rig.desktop.display.session_ends = ends;
            rig.add("Comment");
            rig.add("Comment");
            rig.add(r.action);
            rig.script.current_step = 2;
            EXPECT_EQ(ends ? kStepSucceeded : kStepFailed, rig.run_step());
            EXPECT_NE(std::string::npos, rig.output.text.find(r.line)) << rig.output.text;
            EXPECT_EQ(std::vector<std::string>{r.call}, rig.desktop.effects());
        }
    }
}

}  // namespace
}  // namespace zorbel
