// Loading scripts: the XML mark, a load over an open script, 256 recordings and the
// file checks. What each element becomes, recordings and the messages of loads that stop
// are pinned by the files in tests/data/scripts and their golden files (golden_test.cpp).
#include <gtest/gtest.h>

#include <filesystem>

#include "core/script_file.h"
#include "tests/native/core/fake_user_interface.h"
#include "tests/native/core/script_file_test_util.h"

namespace zorbel {
namespace {

using namespace std::string_literals;
using testing_util::TempFolder;
using testing_util::write_file;

std::string xml(const std::string& blocks) { return "<?xml version=\"1.0\" ?>\r\n<Zorbel>\r\n" + blocks + "</Zorbel>"; }
std::string block(const std::string& inner) { return "<step>\r\n" + inner + "</step>\r\n"; }

// Loads `text` and returns the script; `ui` gets the calls.
ScriptState load(const std::string& text, FakeUserInterface* ui, int32_t* result = nullptr) {
    ScriptState s;
    int32_t n = load_script_text(&s, text, "C:\\Scripts\\test.zbx", ui);
    if (result) *result = n;
    EXPECT_EQ(n, s.step_count());
    return s;
}

TEST(ScriptReader, XmlMarkIgnoresCaseAndMustStandEarly) {
    struct Row {
        std::string text;
        bool xml;
    } rows[] = {
        {"<?XML version=\"1.0\"?><step><action>Delay</action></step>", true},
        {"<?XmL", true},
        {std::string(249, ' ') + "<?xml", true},   // ends at byte 254
        {std::string(250, ' ') + "<?xml", false},  // runs past byte 254
        {std::string(254, ' ') + "<?xml", false},
        {"abc\0<?xml"s, false},
        {"", false},
        {"1\r\nDelay\r\n", false},
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i)
        EXPECT_EQ(rows[i].xml, is_xml_script_text(rows[i].text)) << "row " << i;
}

TEST(ScriptReader, FileWithoutXmlMarkGoesToTheVersion4Import) {
    // The import owns everything that happens then: the XML reader does not clear
    // the script, set the title or complain.
    FakeUserInterface ui;
    ScriptState s;
    const std::string late_mark = std::string(254, ' ') + "<?xml version=\"1.0\" ?><step><action>Delay</action></step>";
    load_script_text(&s, late_mark, "v4.zbp", &ui);
    EXPECT_FALSE(ui.has_call("title: Zorbel"));
    EXPECT_FALSE(ui.has_call("error: No valid XML actions were found in 'v4.zbp'"));
}

TEST(ScriptReader, LoadReplacesTheCurrentScript) {
    ScriptState s = testing_util::rich_script();
    s.current_step = 3;
    FakeUserInterface ui;
    ASSERT_EQ(1, load_script_text(&s, xml(block("<action>Delay</action>")), "new.zbx", &ui));
    EXPECT_EQ(0, s.recording_count);
    EXPECT_TRUE(s.recordings[0].empty());
    EXPECT_EQ(0, s.current_step);
    EXPECT_EQ("new.zbx", s.script_path);
}

TEST(ScriptReader, At256RecordingsTheLoadStops) {
    std::string blocks = block("<action>Delay</action>");
    for (int i = 0; i < 300; ++i)
        blocks += block("<action>Recording</action><recording>[" + std::to_string(i) + "-0-0-0]</recording>");
    FakeUserInterface ui;
    int32_t n = 0;
    ScriptState s = load(xml(blocks), &ui, &n);
    EXPECT_EQ(257, n);
    EXPECT_EQ(256, s.recording_count);
    EXPECT_EQ(255u, s.recordings[255][0].message);
    EXPECT_STREQ("255", s.steps[256].value[1]);
    EXPECT_EQ((std::vector<std::string>{"error: The maximum of 256 recordings per script has been exceeded in this "
                                        "file.\n\nThe file load cannot be completed."}),
              ui.errors());
    EXPECT_TRUE(ui.has_call("replaced"));
}

// ---- load_script: the file checks ----

TEST(LoadScript, MissingOrEmptyFile) {
    TempFolder dir("load_missing");
    write_file(dir.file("empty.zbx"), "");
    struct Row {
        std::string path;
        const char* size;
    } rows[] = {{dir.file("none.zbx"), "-1"}, {dir.file("empty.zbx"), "0"}, {dir.path(), "-1"}};
    for (const Row& r : rows) {
        ScriptState s = testing_util::rich_script();
        FakeUserInterface ui;
        EXPECT_EQ(0, load_script(&s, r.path, &ui)) << r.path;
        EXPECT_EQ((std::vector<std::string>{"error: Unable to open file '" + r.path +
                                                "'!\n\nPlease verify that the file exists (" + r.size + ").",
                                            "recent-removed: " + r.path}),
                  ui.calls);
        EXPECT_EQ(7, s.step_count()) << "a failed open keeps the open script";
    }
}

TEST(LoadScript, PathLosesQuotesAndOuterSpaces) {
    TempFolder dir("load_quotes");
    const std::string path = dir.file("my script.zbx");
    write_file(path, xml(block("<action>Delay</action>")));
    ScriptState s;
    FakeUserInterface ui;
    EXPECT_EQ(1, load_script(&s, "  \"" + path + "\"  ", &ui));
    EXPECT_EQ(path, s.script_path);
    EXPECT_TRUE(ui.has_call("title: my script.zbx - Zorbel"));
    EXPECT_EQ("a b", clean_script_path(" \"a\" \"b\"\" "));
    EXPECT_EQ("", clean_script_path(" \"\" "));
}

TEST(LoadScript, UnreadableFile) {
    TempFolder dir("load_unreadable");
    const std::string path = dir.file("locked.zbx");
    write_file(path, xml(block("<action>Delay</action>")));
    std::filesystem::permissions(path, std::filesystem::perms::none);
    if (!testing_util::read_file(path).empty()) GTEST_SKIP() << "running with rights that read any file";
    ScriptState s;
    FakeUserInterface ui;
    EXPECT_EQ(0, load_script(&s, path, &ui));
    EXPECT_EQ((std::vector<std::string>{"recent-removed: " + path,
                                        "error: Unable to open file '" + path +
                                            "'!\n\nPlease verify that the file is not already open."}),
              ui.calls);
}

TEST(LoadScript, SavedFileLoadsBack) {
    TempFolder dir("load_saved");
    const std::string path = dir.file("rich.zbx");
    ScriptState original = testing_util::rich_script();
    FakeUserInterface ui;
    ASSERT_EQ(1, save_script(original, path, &ui));
    ScriptState loaded;
    EXPECT_EQ(original.step_count(), load_script(&loaded, path, &ui));
    EXPECT_EQ(script_to_text(original), script_to_text(loaded));
    EXPECT_EQ(path, loaded.script_path);
}

}  // namespace
}  // namespace zorbel
