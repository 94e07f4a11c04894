// Importing version 4 files: the file checks, the line reader, the question about
// invalid lines, and what the import leaves in the script and the window.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/legacy_reader.h"
#include "core/script_file.h"
#include "tests/native/core/legacy_test_util.h"

namespace zorbel {
namespace {

using legacy_test::file_of;
using legacy_test::import_text;
using legacy_test::record;
using legacy_test::V4Line;

// A folder of its own under the temp folder, removed at the end.
class LegacyTempFolder {
public:
    LegacyTempFolder() {
        static int counter = 0;
        std::error_code ec;
        path_ = std::filesystem::temp_directory_path(ec) /
                ("zorbel_legacy_" + std::to_string(counter++) + "_" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000007));
        std::filesystem::create_directories(path_, ec);
    }
    ~LegacyTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string write(const std::string& name, const std::string& data) const {
        const std::string path = (path_ / name).string();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        return path;
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// A script that is open before an import, to see whether the import keeps it.
ScriptState open_script() {
    ScriptState script;
    script.insert_step(-1);
    copy_to_field(script.steps[0].action, "Comment");
    script.steps[0].text = "kept";
    script.script_path = "C:\\open.zbx";
    return script;
}

const std::string kLoadError = "titled: Load Error: C:\\scripts\\old.txt\n\nThis file does not appear to be a valid "
                               "Zorbel file (v4 or v5).";

TEST(LegacyImportFile, AValidFileReplacesTheScriptAndNamesTheWindow) {
    LegacyTempFolder folder;
    const std::string path = folder.write(
        "old.txt", file_of({record(1, 0, "notepad.exe").str(), record(2, 0x200, "Untitled - Notepad").str()}));
    ScriptState script = open_script();
    FakeUserInterface ui;
    ASSERT_EQ(2, import_version4(&script, "  \"" + path + "\"  ", &ui));
    ASSERT_EQ(2, script.step_count());
    EXPECT_STREQ("Start", script.steps[0].action);
    EXPECT_STREQ("Activate", script.steps[1].action);
    EXPECT_EQ(std::vector<std::string>({"title: old.txt - Zorbel", "replaced"}), ui.calls);
    // The import is a new script: saving it asks for a name instead of overwriting the old file.
    EXPECT_EQ("", script.script_path);
}

TEST(LegacyImportFile, MissingEmptyAndUnreadableFiles) {
    LegacyTempFolder folder;
    const std::string missing = folder.file("missing.txt");
    const std::string empty = folder.write("empty.txt", "");
    struct Row {
        std::string path;
        std::string box;
    } rows[] = {
        {missing, "error: Unable to open file '" + missing + "'!\n\nPlease verify that the file exists (-1)."},
        {empty, "error: Unable to open file '" + empty + "'!\n\nPlease verify that the file exists (0)."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        ScriptState script = open_script();
        FakeUserInterface ui;
        EXPECT_EQ(0, import_version4(&script, row.path, &ui));
        EXPECT_EQ(std::vector<std::string>({row.box, "recent-removed: " + row.path}), ui.calls);
        EXPECT_EQ(1, script.step_count());
        EXPECT_EQ("C:\\open.zbx", script.script_path);
    }
}

TEST(LegacyImportFile, AFileThatCannotBeOpenedIsReported) {
    LegacyTempFolder folder;
    const std::string path = folder.write("locked.txt", file_of({record(1).str()}));
    std::filesystem::permissions(path, std::filesystem::perms::none);
    if (FILE* probe = std::fopen(path.c_str(), "rb")) {
        std::fclose(probe);
        GTEST_SKIP() << "this user can read a file without permissions";
    }
    ScriptState script = open_script();
    FakeUserInterface ui;
    EXPECT_EQ(0, import_version4(&script, path, &ui));
    EXPECT_EQ(std::vector<std::string>(
                  {"error: Unable to open file '" + path + "'!\n\nPlease verify that the file is not already open.",
                   "recent-removed: " + path}),
              ui.calls);
}

TEST(LegacyImportFile, FilesWithoutATabAtByte1Or2GiveTheLoadError) {
    const std::string rows[] = {
        "",        "1",          "12",           "123\t",     "1234\t5",
        std::string("\x7f" "ELF\x01\x01\x01\0\0\0\0", 12), "<?xml version=\"1.0\" ?>",
    };
    for (const std::string& text : rows) {
        SCOPED_TRACE(::testing::Message() << '"' << text << '"');
        ScriptState script = open_script();
        FakeUserInterface ui;
        EXPECT_EQ(0, import_text(text, &script, &ui));
        EXPECT_EQ(std::vector<std::string>({kLoadError}), ui.calls);
        EXPECT_EQ(1, script.step_count());
    }
}

TEST(LegacyImportFile, ATabAtByte1Or2PassesTheCheck) {
    const std::string rows[] = {file_of({record(1).str()}), file_of({record(12, 1, "hi").str()})};
    for (const std::string& text : rows) {
        ScriptState script;
        FakeUserInterface ui;
        EXPECT_EQ(1, import_text(text, &script, &ui)) << text;
        EXPECT_TRUE(ui.calls_starting_with("titled:").empty());
    }
}

TEST(LegacyImportFile, TheScriptLoadHandsVersion4FilesToTheImport) {
    LegacyTempFolder folder;
    const std::string path = folder.write("v4.zbp", file_of({record(7, 1, "").with_value("2").str()}));
    ScriptState script;
    FakeUserInterface ui;
    ASSERT_EQ(1, load_script(&script, path, &ui));
    EXPECT_STREQ("Freeze", script.steps[0].action);
    EXPECT_STREQ("2", script.steps[0].timeout);
}

TEST(LegacyImportFile, SampleFilesImport) {
    const std::string folder = std::string(ZORBEL_TEST_DATA) + "/legacy/";
    ScriptState script;
    FakeUserInterface ui;
    ASSERT_EQ(8, import_version4(&script, folder + "notepad_loop.txt", &ui)) << ::testing::PrintToString(ui.calls);
    const char* actions[] = {"Start", "Label",               "Activate",   "Simulate Keypress",
                             "Delay", "Create/Set Variable", "Goto Label", "Close Window"};
    for (size_t n = 0; n < 8; ++n) EXPECT_STREQ(actions[n], script.steps[n].action) << "step " << n + 1;
    EXPECT_EQ("2", script.steps[1].text);
    EXPECT_EQ("2", script.steps[6].text);
    EXPECT_EQ("Hello{enter}", script.steps[3].text);
    EXPECT_EQ("Uppercase( %name )", script.steps[5].text);
    EXPECT_EQ(std::vector<std::string>({"title: notepad_loop.txt - Zorbel", "replaced"}), ui.calls);
}

TEST(LegacyImportFile, SampleRecordingWithAnEventTooMany) {
    const std::string path = std::string(ZORBEL_TEST_DATA) + "/legacy/recorded_clicks.txt";
    ScriptState script;
    FakeUserInterface ui;
    ASSERT_EQ(3, import_version4(&script, path, &ui));
    EXPECT_EQ(std::vector<std::string>(
                  {"error: The Recording in step #2 was not saved correctly.  The recording will be truncated to "
                   "match memory allocations (24 bytes).\n\nIt is recommended that you re-record the actions.",
                   "title: recorded_clicks.txt - Zorbel", "replaced"}),
              ui.calls);
    EXPECT_STREQ("Recording", script.steps[1].action);
    EXPECT_STREQ("3", script.steps[1].value[0]);
    ASSERT_EQ(3u, script.recordings[0].size());
    EXPECT_EQ(514u, script.recordings[0][2].message);
    EXPECT_EQ(80u, script.recordings[0][2].time);
    EXPECT_STREQ("Display Message", script.steps[2].action);
    EXPECT_EQ("Done^recording", script.steps[2].text);
}

TEST(LegacyImportFile, ASavedImportReadsBackTheSame) {
    LegacyTempFolder folder;
    ScriptState imported;
    FakeUserInterface ui;
    const std::string text = file_of({
        record(1, 0x8000, "notepad.exe").with_second("start it").str(),
        record(14, 8).with_target("1").with_flags(0x1001).str(),
        record(8).with_value("2").str() + "\r\n" + legacy_test::event_bytes(0, 512, 3, 100, 5) +
            legacy_test::event_bytes(0, 513, 3, 100, 9),
        record(15, 64, "smtp.x^Hi^me@x^you@y").with_second("a|b").str(),
    });
    ASSERT_EQ(5, import_text(text, &imported, &ui));
    const std::string saved = folder.file("saved.zbx");
    ASSERT_EQ(1, save_script(imported, saved, &ui));
    ScriptState reloaded;
    ASSERT_EQ(5, load_script(&reloaded, saved, &ui));
    for (int n = 0; n < 5; ++n) {
        SCOPED_TRACE(n);
        const Step& a = imported.steps[static_cast<size_t>(n)];
        const Step& b = reloaded.steps[static_cast<size_t>(n)];
        EXPECT_STREQ(a.action, b.action);
        EXPECT_EQ(a.family, b.family);
        EXPECT_EQ(a.text, b.text);
        EXPECT_EQ(a.comment, b.comment);
        EXPECT_EQ(a.options, b.options);
        for (int v = 0; v < kValueCount; ++v) EXPECT_STREQ(a.value[v], b.value[v]);
    }
    ASSERT_EQ(1, reloaded.recording_count);
    ASSERT_EQ(2u, reloaded.recordings[0].size());
    EXPECT_EQ(513u, reloaded.recordings[0][1].message);
    EXPECT_EQ(9u, reloaded.recordings[0][1].time);
}

TEST(LegacyLines, RecordLinesHaveNineOrElevenTabsAndADigitFirst) {
    struct Row {
        std::string line;
        bool valid;
    } rows[] = {
        {record(1).str(), true},
        {record(1).str() + "\tx\ty", true},
        {record(1).str() + "\tx", false},
        {record(1).str() + "\tx\ty\tz", false},
        {"x" + record(1).str(), false},
        {" 1" + record(1).str().substr(1), false},
        {"1\t\t\t\t\t\t\t\t", false},
        {"9\t\t\t\t\t\t\t\t\t", true},
        {"", false},
    };
    for (const Row& row : rows) EXPECT_EQ(row.valid, is_version4_record_line(row.line)) << row.line;
}

TEST(LegacyLines, LineBreaksOfEveryKindAndBlankLinesAreSkipped) {
    const std::string a = record(7, 1).str(), b = record(7, 0).str(), c = record(4, 1).str();
    const std::string rows[] = {
        a + "\r\n" + b + "\r\n" + c,
        a + "\n" + b + "\n" + c + "\n",
        a + "\r" + b + "\r" + c + "\r",
        a + "\r\n\r\n\n\r" + b + "\n\n\n" + c + "\r\n\r\n",
        a + "\n\r" + b + "\r\r" + c,
    };
    for (const std::string& text : rows) {
        ScriptState script;
        FakeUserInterface ui;
        ASSERT_EQ(3, import_text(text, &script, &ui)) << ::testing::PrintToString(text);
        EXPECT_STREQ("Freeze", script.steps[0].action);
        EXPECT_STREQ("Delay", script.steps[1].action);
        EXPECT_STREQ("Select System Menu", script.steps[2].action);
        EXPECT_TRUE(ui.calls_starting_with("ask:").empty());
    }
}

TEST(LegacyLines, TwelveFieldLinesUseTheFirstTen) {
    ScriptState script;
    FakeUserInterface ui;
    const std::string line = record(12, 1, "Hello").with_variable("v").str() + "\textra1\textra2";
    ASSERT_EQ(1, import_text(file_of({line}), &script, &ui));
    EXPECT_STREQ("Display Message", script.steps[0].action);
    EXPECT_STREQ("%v", script.steps[0].variable);
    EXPECT_TRUE(ui.calls_starting_with("ask:").empty());
}

TEST(LegacyLines, AnInvalidLineAnsweredNoLoadsNothing) {
    ScriptState script = open_script();
    FakeUserInterface ui;
    ui.answers = {Answer::kNo};
    const std::string text = file_of({record(1).str(), "garbage", record(7).str()});
    EXPECT_EQ(0, import_text(text, &script, &ui));
    EXPECT_EQ(std::vector<std::string>({"ask: Load File: Line #2 does not appear to be a valid Zorbel v4 record.\n\n"
                                        "Continue anyway?"}),
              ui.calls);
    ASSERT_EQ(1, script.step_count());
    EXPECT_EQ("kept", script.steps[0].text);
    EXPECT_EQ("C:\\open.zbx", script.script_path);

    // Cancel counts as No.
    ui.reset();
    ui.answers = {Answer::kCancel};
    EXPECT_EQ(0, import_text(text, &script, &ui));
    EXPECT_EQ(1, script.step_count());
}

TEST(LegacyLines, YesAcceptsTheLineAndEveryLaterOneWithoutAskingAgain) {
    ScriptState script;
    FakeUserInterface ui;
    ui.answers = {Answer::kYes};
    const std::string text = file_of({
        record(1, 0, "first").str(),
        "not a record",            // type 1 with the whole line as its type field
        record(7, 1).str(),
        "x\ty\tz",                 // three fields
        record(4, 1).str() + "\textra",  // ten TABs
    });
    ASSERT_EQ(5, import_text(text, &script, &ui));
    EXPECT_EQ(1u, ui.calls_starting_with("ask:").size());
    EXPECT_EQ("ask: Load File: Line #2 does not appear to be a valid Zorbel v4 record.\n\nContinue anyway?", ui.calls[0]);
    EXPECT_STREQ("Start", script.steps[1].action);
    EXPECT_EQ("", script.steps[1].text);
    EXPECT_STREQ("Start", script.steps[3].action);
    EXPECT_EQ("y", script.steps[3].text);
    EXPECT_STREQ("Select System Menu", script.steps[4].action);
}

TEST(LegacyLines, AnInvalidFirstLineIsAskedAboutAsLine1) {
    ScriptState script;
    FakeUserInterface ui;
    ui.default_answer = Answer::kYes;
    ASSERT_EQ(1, import_text("x\t\r\n", &script, &ui));
    EXPECT_EQ("ask: Load File: Line #1 does not appear to be a valid Zorbel v4 record.\n\nContinue anyway?", ui.calls[0]);
}

TEST(LegacyLines, LongLinesKeepTheirFirst1143Bytes) {
    // The text field is cut to 511; whatever stands after byte 1143 of the line is
    // not read, and the rest of that line does not make a record of its own.
    V4Line line = record(1, 0, std::string(600, 'a')).with_second(std::string(600, 'b'));
    line.with_variable("var");
    const std::string long_line = line.str() + std::string(5000, 'z');
    ScriptState script;
    FakeUserInterface ui;
    ui.default_answer = Answer::kYes;
    ASSERT_EQ(2, import_text(file_of({long_line, record(7, 1).str()}), &script, &ui));
    EXPECT_EQ(std::string(511, 'a'), script.steps[0].text);
    EXPECT_EQ(std::string(511, 'b'), script.steps[0].comment);
    // The variable field starts beyond byte 1143, so it is empty; the line has fewer
    // TABs within its limit, so the question comes.
    EXPECT_STREQ("", script.steps[0].variable);
    EXPECT_EQ(1u, ui.calls_starting_with("ask:").size());
    EXPECT_STREQ("Freeze", script.steps[1].action);
}

TEST(LegacyLines, ALineEndsAtANulByte) {
    ScriptState script;
    FakeUserInterface ui;
    ui.default_answer = Answer::kYes;
    std::string line = record(1, 0, "abc").str();
    line.insert(line.find("abc") + 1, 1, '\0');
    ASSERT_EQ(1, import_text(file_of({line}), &script, &ui));
    EXPECT_EQ("a", script.steps[0].text);
    EXPECT_EQ(std::string::npos, script.steps[0].text.find('\0'));
}

TEST(LegacyLines, ManyLinesImportInOnePass) {
    std::string text;
    const std::string line = record(3, 2, "hello world").with_value("5").str() + "\r\n";
    text.reserve(line.size() * 100000);
    for (int n = 0; n < 100000; ++n) text += line;
    ScriptState script;
    FakeUserInterface ui;
    EXPECT_EQ(100000, import_text(text, &script, &ui));
    EXPECT_STREQ("Simulate Keypress", script.steps[99999].action);
}

TEST(LegacyLines, FieldsParseIntoTheRecord) {
    const LegacyRecord r = parse_version4_line("8\ttext\t12\ta|b\t-1\t4097\t3\t0x\t7\tv\tignored");
    EXPECT_EQ(8, r.type);
    EXPECT_EQ("text", r.text);
    EXPECT_EQ("12", r.value);
    EXPECT_EQ("a\r\nb", r.second_text);
    EXPECT_EQ(-1, r.status);
    EXPECT_EQ(4097u, r.options);
    EXPECT_EQ(3, r.slot);
    EXPECT_EQ(0u, r.flags);
    EXPECT_EQ("7", r.target);
    EXPECT_EQ("v", r.variable);
    EXPECT_EQ(0, parse_version4_line("1\t\t\t\t\t\t5\t\t\t").slot);  // only recordings have a slot
    EXPECT_EQ(1, parse_version4_line("18\t\t\t\t\t\t\t\t\t").type);
    EXPECT_EQ(1, parse_version4_line("0\t\t\t\t\t\t\t\t\t").type);
    EXPECT_EQ(17, parse_version4_line("17\t\t\t\t\t\t\t\t\t").type);
}

}  // namespace
}  // namespace zorbel

namespace zorbel {
namespace {

// A step left without a name used to be saved as an empty <action> element, and the
// next load stopped there: every later step was lost after saving the import.
TEST(LegacyImportFile, StepsWithoutAnActionSurviveSaveAndReload) {
    ScriptState script;
    FakeUserInterface ui;
    ASSERT_EQ(3, legacy_test::import_text(
                     legacy_test::file_of({legacy_test::record(1, 0, "a.exe").str(), legacy_test::record(17, 1, "x").str(),
                                           legacy_test::record(1, 0, "b.exe").str()}),
                     &script, &ui));
    EXPECT_STREQ("(Action not Available)", script.steps[1].action);
    ScriptState reloaded;
    FakeUserInterface reload_ui;
    EXPECT_EQ(3, load_script_text(&reloaded, script_to_text(script), "saved.zbx", &reload_ui));
    EXPECT_STREQ("Start", reloaded.steps[2].action);
}

}  // namespace
}  // namespace zorbel
