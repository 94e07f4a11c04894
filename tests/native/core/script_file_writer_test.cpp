// The bytes the writer produces for each step field, and save_script's handling of
// the ".zbp" question, folders and failures.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/script_file.h"
#include "tests/native/core/fake_user_interface.h"
#include "tests/native/core/script_file_test_util.h"

namespace zorbel {
namespace {

using testing_util::make_step;
using testing_util::read_file;
using testing_util::TempFolder;
using testing_util::write_file;

const std::string kHeader = "<?xml version=\"1.0\" ?>\r\n<Zorbel>\r\n";

std::string text_of_one_step(const Step& step) {
    ScriptState s;
    s.steps.push_back(step);
    return script_to_text(s);
}

// The lines of one step block between "<step>" and "</step>", for compact expectations.
std::string body_of_one_step(const Step& step) {
    std::string text = text_of_one_step(step);
    const std::string open = kHeader + "<step>\r\n";
    const std::string close = "</step>\r\n</Zorbel>";
    EXPECT_EQ(0u, text.find(open));
    EXPECT_EQ(text.size() - close.size(), text.rfind(close));
    return text.substr(open.size(), text.size() - open.size() - close.size());
}

TEST(ScriptWriter, ScriptWithoutStepsIsHeaderAndClosingOnly) {
    ScriptState empty;
    EXPECT_EQ("<?xml version=\"1.0\" ?>\r\n<Zorbel>\r\n</Zorbel>", script_to_text(empty));
}

TEST(ScriptWriter, MinimalStepHasOnlyItsAction) {
    EXPECT_EQ("\t<action>Delay</action>\r\n", body_of_one_step(make_step("Delay")));
    Step bare;  // no On Failure mode at all
    copy_to_field(bare.action, "Delay");
    EXPECT_EQ("\t<action>Delay</action>\r\n", body_of_one_step(bare));
}

TEST(ScriptWriter, TimeoutWrittenOnlyWhenItMeansSomething) {
    struct Row {
        const char* timeout;
        bool written;
    } rows[] = {
        {"", false}, {"0", false}, {"abc", false}, {"0.0", false}, {"%delay", true},
        {"5", true}, {"-1", true}, {"2.5", true},  {"x%", true},
    };
    for (const Row& r : rows) {
        Step step = make_step("Delay");
        copy_to_field(step.timeout, r.timeout);
        const std::string line = r.written ? "\t<timeout>" + std::string(r.timeout) + "</timeout>\r\n" : "";
        const std::string expected = "\t<action>Delay</action>\r\n" + line;
        EXPECT_EQ(expected, body_of_one_step(step)) << "timeout \"" << r.timeout << '"';
    }
}

TEST(ScriptWriter, OnFailureWrittenOnlyWhenNotTheDefault) {
    struct Row {
        const char* mode;
        const char* label;
        int image;
        int log;
        const char* line;  // "" when nothing is written
    } rows[] = {
        {"Display Error and Stop", "", 0, 0, ""},
        {"", "", 0, 0, ""},
        {"display error and stop", "", 0, 0, "\t<onfail>display error and stop</onfail>\r\n"},
        {"Continue", "", 0, 0, "\t<onfail>Continue</onfail>\r\n"},
        {"Display Error and Stop", "", 1, 0,
         "\t<onfail label=\"\" image=\"1\" log=\"0\">Display Error and Stop</onfail>\r\n"},
        {"Display Error and Stop", "", 0, -1,
         "\t<onfail label=\"\" image=\"0\" log=\"-1\">Display Error and Stop</onfail>\r\n"},
        {"", "L1", 0, 0, "\t<onfail label=\"L1\" image=\"0\" log=\"0\"></onfail>\r\n"},
        {"Goto Label", "a&b<c>", 0, 0, "\t<onfail label=\"a&b<c>\" image=\"0\" log=\"0\">Goto Label</onfail>\r\n"},
        {"Odd & <mode>", "", 0, 0, "\t<onfail>Odd & <mode></onfail>\r\n"},
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        const Row& r = rows[i];
        Step step = make_step("Delay");
        copy_to_field(step.onfail, r.mode);
        copy_to_field(step.onfail_label, r.label);
        step.onfail_image = r.image;
        step.onfail_log = r.log;
        EXPECT_EQ("\t<action>Delay</action>\r\n" + std::string(r.line), body_of_one_step(step)) << "row " << i;
    }
}

TEST(ScriptWriter, EscapesTextCommentVariableAndValuesOnly) {
    Step step = make_step("Control Panel: Time & Date");
    step.text = "a&b<c>d\"e'f &lt;";
    step.comment = "<!-- & -->";
    copy_to_field(step.variable, "%v&<>");
    copy_to_field(step.value[2], "x > y & z");
    copy_to_field(step.timeout, "%a&b<c>");
    EXPECT_EQ(
        "\t<action>Control Panel: Time & Date</action>\r\n"
        "\t<text>a&amp;b&lt;c&gt;d\"e'f &amp;lt;</text>\r\n"
        "\t<comment>&lt;!-- &amp; --&gt;</comment>\r\n"
        "\t<timeout>%a&b<c></timeout>\r\n"
        "\t<variable>%v&amp;&lt;&gt;</variable>\r\n"
        "\t<value3>x &gt; y &amp; z</value3>\r\n",
        body_of_one_step(step));
    // The step in memory keeps its text as it was.
    EXPECT_EQ("a&b<c>d\"e'f &lt;", step.text);
}

TEST(ScriptWriter, NumbersAreSignedDecimals) {
    Step step = make_step("Delay");
    step.options = 0x80000000u;
    step.status = 1;
    step.indents = -2147483647 - 1;
    EXPECT_EQ(
        "\t<action>Delay</action>\r\n"
        "\t<options>-2147483648</options>\r\n"
        "\t<status>1</status>\r\n"
        "\t<indents>-2147483648</indents>\r\n",
        body_of_one_step(step));
}

TEST(ScriptWriter, TextEndsAtItsFirstNul) {
    Step step = make_step("Delay");
    step.text = std::string("abc\0def", 7);
    step.comment = std::string("\0hidden", 7);
    EXPECT_EQ("\t<action>Delay</action>\r\n\t<text>abc</text>\r\n", body_of_one_step(step));
}

TEST(ScriptWriter, RecordingLinesEndInTabLineFeed) {
    ScriptState s;
    Step rec = make_step("Recording");
    copy_to_field(rec.value[0], "3");
    copy_to_field(rec.value[1], "1");
    s.recordings[1] = {{512, 100, 3, 12345, 77}, {0x100, 65, 30, 123456789, 0}, {0x201, 1, 2, 4294967295u, 0}};
    s.recording_count = 2;
    s.steps.push_back(rec);
    EXPECT_EQ(kHeader +
                  "<step>\r\n"
                  "\t<action>Recording</action>\r\n"
                  "\t<value1>3</value1>\r\n"
                  "\t<value2>1</value2>\r\n"
                  "\t<recording>\r\n"
                  "\t[0512-0003-0100-00012345]\t\n"
                  "\t[0256-0030-0065-123456789]\t\n"
                  "\t[0513-0002-0001-4294967295]\t\n"  // a tick count past 2^31 stays unsigned
                  "\t</recording>\r\n"
                  "</step>\r\n"
                  "</Zorbel>",
              script_to_text(s));
}

TEST(ScriptWriter, RecordingWritesNoMoreEventsThanTheSlotHolds) {
    struct Row {
        const char* count;
        const char* slot;
        size_t lines;
    } rows[] = {
        {"1", "0", 1}, {"9", "0", 2}, {"0", "0", 0}, {"-4", "0", 0}, {"2", "5", 0}, {"2", "-1", 0}, {"2", "999", 0},
    };
    for (const Row& r : rows) {
        ScriptState s;
        Step rec = make_step("Recording");
        copy_to_field(rec.value[0], r.count);
        copy_to_field(rec.value[1], r.slot);
        s.recordings[0] = {{1, 2, 3, 4, 0}, {5, 6, 7, 8, 0}};
        s.recording_count = 1;
        s.steps.push_back(rec);
        const std::string text = script_to_text(s);
        size_t lines = 0;
        for (size_t at = text.find("]\t\n"); at != std::string::npos; at = text.find("]\t\n", at + 1)) ++lines;
        EXPECT_EQ(r.lines, lines) << "count " << r.count << " slot " << r.slot;
        EXPECT_NE(std::string::npos, text.find("\t<recording>\r\n")) << r.count;
        EXPECT_NE(std::string::npos, text.find("\t</recording>\r\n</step>")) << r.count;
    }
}

TEST(ScriptWriter, OnlyFamilyEightStepsCarryARecording) {
    Step group = make_step("Record Actions");  // the group entry answers 100008
    EXPECT_EQ(std::string::npos, text_of_one_step(group).find("<recording>"));
}

// ---- save_script ----

const char kZbpQuestion[] =
    "ask: Save: You have chosen file name that has the ZBP extension.  If you save this file, it will be saved in "
    "XML format, and can only be opened with VERSION 5 OR GREATER.\n\nIt is recommended that you save with a "
    "different file name, or use the .ZBX extension.\n\nDo you want to continue?";

TEST(SaveScript, WritesTheExactBytes) {
    TempFolder dir("save_bytes");
    ScriptState s = testing_util::rich_script();
    FakeUserInterface ui;
    const std::string path = dir.file("rich.zbx");
    ASSERT_EQ(1, save_script(s, path, &ui));
    EXPECT_EQ(script_to_text(s), read_file(path));
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_FALSE(std::filesystem::exists(path + ".zbtmp"));
}

TEST(SaveScript, ZbpPathAsksFirst) {
    TempFolder dir("save_zbp");
    ScriptState s = testing_util::rich_script();
    struct Row {
        bool queue_answer;
        Answer answer;
        int result;
    } rows[] = {{false, Answer::kNo, 0}, {true, Answer::kNo, 0}, {true, Answer::kCancel, 0}, {true, Answer::kYes, 1}};
    int i = 0;
    for (const Row& r : rows) {
        FakeUserInterface ui;
        if (r.queue_answer) ui.answers.push_back(r.answer);
        const std::string path = dir.file("old" + std::to_string(i++) + ".ZbP");
        EXPECT_EQ(r.result, save_script(s, path, &ui)) << "row " << i;
        ASSERT_EQ(1u, ui.calls.size()) << "row " << i;
        EXPECT_EQ(kZbpQuestion, ui.calls[0]);
        EXPECT_EQ(r.result == 1, std::filesystem::exists(path)) << "row " << i;
    }
}

TEST(SaveScript, CreatesMissingFolders) {
    TempFolder dir("save_folders");
    ScriptState s = testing_util::rich_script();
    FakeUserInterface ui;
    const std::string path = dir.file("a/b/c/deep.zbx");
    ASSERT_EQ(1, save_script(s, path, &ui));
    EXPECT_EQ(script_to_text(s), read_file(path));
}

TEST(SaveScript, ReplacesAnExistingFileWhole) {
    TempFolder dir("save_replace");
    const std::string path = dir.file("x.zbx");
    write_file(path, std::string(100000, 'z'));
    ScriptState empty;
    FakeUserInterface ui;
    ASSERT_EQ(1, save_script(empty, path, &ui));
    EXPECT_EQ(script_to_text(empty), read_file(path));
}

TEST(SaveScript, FolderThatCannotBeMadeIsAStageOneFailure) {
    TempFolder dir("save_stage1");
    write_file(dir.file("plain.txt"), "a file where a folder should be");
    const std::string path = dir.file("plain.txt/sub/x.zbx");
    FakeUserInterface ui;
    std::string error = "marker";
    EXPECT_EQ(0, save_script(testing_util::rich_script(), path, &ui, &error));
    EXPECT_NE("marker", error);
    EXPECT_FALSE(error.empty());
    ASSERT_EQ(1u, ui.calls.size());
    EXPECT_EQ("status: 0: (1) Unable to create file '" + path + "': " + error, ui.calls[0]);
}

TEST(SaveScript, UnwritableNewFileLeavesTheOldOneIntact) {
    TempFolder dir("save_keep_old");
    const std::string path = dir.file("keep.zbx");
    write_file(path, "old contents");
    // The new contents are written next to the file first; block that name.
    std::filesystem::create_directory(path + ".zbtmp");
    FakeUserInterface ui;
    std::string error;
    EXPECT_EQ(0, save_script(testing_util::rich_script(), path, &ui, &error));
    EXPECT_EQ("old contents", read_file(path));
    ASSERT_EQ(1u, ui.calls.size());
    EXPECT_EQ("status: 0: (1) Unable to create file '" + path + "': " + error, ui.calls[0]);
}

TEST(SaveScript, FolderAsTargetIsAStageTwoFailure) {
    TempFolder dir("save_stage2");
    const std::string path = dir.file("folder.zbx");
    std::filesystem::create_directory(path);
    FakeUserInterface ui;
    std::string error;
    EXPECT_EQ(0, save_script(testing_util::rich_script(), path, &ui, &error));
    EXPECT_FALSE(error.empty());
    ASSERT_EQ(1u, ui.calls.size());
    EXPECT_EQ("status: 0: (2) Unable to create file '" + path + "': " + error, ui.calls[0]);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".zbtmp"));
}

TEST(SaveScript, ErrorBufferIsOptional) {
    TempFolder dir("save_nobuf");
    const std::string path = dir.file("folder.zbx");
    std::filesystem::create_directory(path);
    FakeUserInterface ui;
    EXPECT_EQ(0, save_script(testing_util::rich_script(), path, &ui));
    EXPECT_EQ(1u, ui.calls_starting_with("status: 0: (2) Unable to create file '").size());
}

}  // namespace
}  // namespace zorbel
