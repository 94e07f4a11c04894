// Importing version 4 files: the file checks, the line reader, the question about
// invalid lines, and what the import leaves in the script and the window.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "core/legacy_reader.h"
#include "core/script_file.h"
#include "tests/native/core/legacy_test_util.h"
#include "tests/native/core/script_file_test_util.h"

namespace zorbel {
namespace {

using legacy_test::file_of;
using legacy_test::import_text;
using legacy_test::record;
using legacy_test::V4Line;

// A folder of its own, removed at the end, where files are written whole.
class LegacyTempFolder : public testing_util::TempFolder {
public:
    LegacyTempFolder() : TempFolder("legacy") {}
    std::string write(const std::string& name, const std::string& data) const {
        testing_util::write_file(file(name), data);
        return file(name);
    }
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

TEST(LegacyImportFile, TheScriptLoadHandsVersion4FilesToTheImport) {
    LegacyTempFolder folder;
    const std::string path = folder.write("v4.zbp", file_of({record(7, 1, "").with_value("2").str()}));
    ScriptState script;
    FakeUserInterface ui;
    ASSERT_EQ(1, load_script(&script, path, &ui));
    EXPECT_STREQ("Freeze", script.steps[0].action);
    EXPECT_STREQ("2", script.steps[0].timeout);
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

}  // namespace
}  // namespace zorbel
