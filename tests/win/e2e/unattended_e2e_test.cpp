// End to end: zorbel.exe run unattended ("/u /L /r") never waits for a person. Every
// box it would show is one line in the run log and on standard error, saying which
// answer was taken; a run stopped by a failure, or a script that cannot be loaded,
// exits with 1 unless the script set a return code.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace {

using namespace wintest;

// The lines of `text` that start with `prefix`, without their line ends.
std::vector<std::string> lines_starting(const std::string& text, const std::string& prefix) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(prefix, 0) == 0) out.push_back(line);
        start = end + 1;
    }
    return out;
}

std::string step_xml(const char* action, const char* text, const char* timeout = "", const char* onfail = "",
                     const char* label = "") {
    std::string xml = std::string("<step>\r\n\t<action>") + action + "</action>\r\n";
    if (*text) xml += std::string("\t<text>") + text + "</text>\r\n";
    if (*timeout) xml += std::string("\t<timeout>") + timeout + "</timeout>\r\n";
    if (*onfail)
        xml += std::string("\t<onfail label=\"") + label + "\" image=\"0\" log=\"0\">" + onfail + "</onfail>\r\n";
    return xml + "</step>\r\n";
}

std::string script_xml(const std::string& steps) { return "<?xml version=\"1.0\" ?>\r\n<Zorbel>\r\n" + steps + "</Zorbel>"; }

class Unattended : public ScriptRunFixture {
protected:
    // Writes `bytes` as a script of the test's folder and runs it unattended.
    ZorbelRun run_text(const char* name, const std::string& bytes, const std::string& extra = "") {
        const std::string path = folder_ / name;
        EXPECT_TRUE(write_file(path, bytes));
        return run_unattended(path, extra);
    }
    // The box lines of the log and of standard error must be the same lines.
    std::vector<std::string> box_lines(const ZorbelRun& r) {
        std::vector<std::string> in_log = lines_starting(r.log, "Unattended: ");
        EXPECT_EQ(in_log, lines_starting(r.standard_error, "Unattended: ")) << r.standard_error;
        return in_log;
    }
};

TEST_F(Unattended, MissingStepWindowIsReportedAndExitsWithOne) {
    const std::string title = "Zorbel Unattended No Such Window";
    ZorbelRun r = run_text("missing_window.zbx", script_xml(step_xml("Activate", title.c_str(), "1") +
                                                           step_xml("Write to Log", "never")));
    EXPECT_EQ(1u, r.exit_code);
    const std::vector<std::string> boxes = box_lines(r);
    ASSERT_EQ(1u, boxes.size()) << r.log;
    EXPECT_EQ("Unattended: \"Zorbel Run Failure\" box: Error while running step #1:  Activate " + title +
                  " / Unable to find window '" + title + "' -> answered OK",
              boxes[0]);
    EXPECT_TRUE(r.has("\tRUN FAILED\r\n")) << r.log;
    EXPECT_FALSE(r.has("never"));
}

// Each failure mode that shows a box, and the ones that stop without one.
TEST_F(Unattended, FailureModesAnswerTheirBoxesAndStopOrGoOn) {
    struct Row {
        const char* mode;
        const char* label;
        const char* box;  // the box line after "Unattended: ", or "" for none
        bool goes_on;
        DWORD exit_code;
    } rows[] = {
        {"Display Error and Continue", "",
         "\"Zorbel Run Failure\" box: Error while running step #1:  Goto Label nowhere / Label \"nowhere\" not found "
         "-> answered OK",
         true, 0},
        {"Display Error and Stop", "",
         "\"Zorbel Run Failure\" box: Error while running step #1:  Goto Label nowhere / Label \"nowhere\" not found "
         "-> answered OK",
         false, 1},
        {"Ask to Continue", "",
         "\"Zorbel Run Failure\" box: Error while running step #1:  Goto Label nowhere / Label \"nowhere\" not found "
         "/ Continue? -> answered No",
         false, 1},
        {"Jump to Label", "absent", "\"Error\" box: Label \"absent\" not found -> answered OK", false, 1},
        {"Stop Silently", "", "", false, 1},
        {"Retry the Step x Times", "1", "", false, 1},
        {"Ignore/Continue", "", "", true, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        ZorbelRun r = run_text("mode.zbx", script_xml(step_xml("Goto Label", "nowhere", "0", row.mode, row.label) +
                                                      step_xml("Write to Log", "went on")));
        EXPECT_EQ(row.exit_code, r.exit_code);
        const std::vector<std::string> boxes = box_lines(r);
        if (*row.box) {
            ASSERT_EQ(1u, boxes.size()) << r.log;
            EXPECT_EQ(std::string("Unattended: ") + row.box, boxes[0]);
        } else {
            EXPECT_TRUE(boxes.empty()) << r.log;
        }
        EXPECT_EQ(row.goes_on, r.has("went on\r\n")) << r.log;
        EXPECT_EQ(!row.goes_on, r.has("\tRUN FAILED\r\n")) << r.log;
        if (std::string(row.mode) == "Ask to Continue") {
            EXPECT_TRUE(r.has("\tUser chose to STOP\r\n")) << r.log;
        }
    }
}

// A script that stops on a failure after setting its return code keeps that code.
TEST_F(Unattended, ReturnCodeSetByTheScriptWins) {
    set_setting_number("DefaultReturnCode", 5);
    ZorbelRun ran = run_text("ok.zbx", script_xml(step_xml("Write to Log", "fine")));
    EXPECT_EQ(5u, ran.exit_code);  // no failure: as without "/u"
    ZorbelRun exited = run_text("exit7.zbx", script_xml(step_xml("Exit Run", "", "7")));
    EXPECT_EQ(7u, exited.exit_code);
}

TEST_F(Unattended, FilesThatCannotBeLoadedAreReportedAndExitWithOne) {
    struct Row {
        const char* name;
        const char* bytes;  // null: no such file
        std::vector<std::string> boxes;  // each after "Unattended: ", the path as %s
    } rows[] = {
        {"not a script.zbx", "hello, world\r\n",
         {"\"Load Error\" box: %s / This file does not appear to be a valid Zorbel file (v4 or v5). -> answered OK",
          "\"Error\" box: Unable to load '%s' -> answered OK"}},
        {"damaged v4.zbp", "1\tdamaged record\r\n",
         {"\"Load File\" box: Line #1 does not appear to be a valid Zorbel v4 record. / Continue anyway? -> "
          "answered No",
          "\"Error\" box: Unable to load '%s' -> answered OK"}},
        {"no such script.zbx", nullptr,
         {"\"Error\" box: Unable to open file '%s'! / Please verify that the file exists (-1). -> answered OK",
          "\"Error\" box: Unable to load '%s' -> answered OK"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = folder_ / row.name;
        if (row.bytes) {
            ASSERT_TRUE(write_file(path, row.bytes));
        }
        ZorbelRun r = run_unattended(path);
        EXPECT_EQ(1u, r.exit_code);
        std::vector<std::string> expected;
        for (std::string line : row.boxes) {
            const size_t at = line.find("%s");
            if (at != std::string::npos) line.replace(at, 2, path);
            expected.push_back("Unattended: " + line);
        }
        EXPECT_EQ(expected, box_lines(r)) << r.log;
        if (row.bytes) {
            EXPECT_EQ(std::string(row.bytes), read_file(path));  // the file is left as it was
        }
    }
}

TEST_F(Unattended, PromptFreeScriptRunsAsWithoutTheSwitch) {
    ZorbelRun r = run_unattended(script_path("passes_and_repeats.zbx"));
    EXPECT_EQ(0u, r.exit_code);
    EXPECT_TRUE(r.has("\npass 3 of 3, counted 3\r\n")) << r.log;
    EXPECT_TRUE(box_lines(r).empty()) << r.log;
    EXPECT_TRUE(lines_starting(r.standard_error, "Unattended").empty()) << r.standard_error;
}

// "/u /?" writes the switch summary to standard error instead of showing it.
TEST_F(Unattended, SwitchSummaryGoesToStandardError) {
    ZorbelRun r = run_unattended("", "/?");
    EXPECT_EQ(0u, r.exit_code);
    std::vector<std::string> lines = lines_starting(r.standard_error, "Unattended: \"Zorbel\" box: ");
    ASSERT_EQ(1u, lines.size()) << r.standard_error;
    EXPECT_NE(std::string::npos, lines[0].find("/u Unattended: report boxes in the log, never wait")) << lines[0];
}

}  // namespace
}  // namespace zorbel
