// Loading scripts: recordings, the messages of a load that stops, and the file checks.
// What each element becomes in the step is pinned by tests/data/scripts/step_fields.zbx
// and its golden file (golden_test.cpp).
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

const char kClearedStatus[] = "status: 0:  Drag or double-click an action from the list to add a new step";

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

TEST(ScriptReader, SuccessfulLoadTellsTheEditorInOrder) {
    FakeUserInterface ui;
    int32_t n = 0;
    ScriptState s = load(xml(block("<action>Delay</action>") + block("<action>Start</action>")), &ui, &n);
    EXPECT_EQ(2, n);
    EXPECT_EQ((std::vector<std::string>{"title: Zorbel", kClearedStatus, "title: test.zbx - Zorbel", "replaced"}),
              ui.calls);
    EXPECT_EQ("C:\\Scripts\\test.zbx", s.script_path);
    EXPECT_STREQ("Delay", s.steps[0].action);
    EXPECT_EQ(kFamilyWait, s.steps[0].family);
    EXPECT_STREQ("Start", s.steps[1].action);
    EXPECT_EQ(kFamilyRunProgram, s.steps[1].family);
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

TEST(ScriptReader, EmptyActionStopsTheLoadAndKeepsEarlierSteps) {
    FakeUserInterface ui;
    int32_t n = 0;
    ScriptState s = load(xml(block("<action>Delay</action>") + block("<action>Start</action>") +
                             block("<action></action><text>lost</text>") + block("<action>Delay</action>")),
                         &ui, &n);
    EXPECT_EQ(2, n);
    EXPECT_EQ((std::vector<std::string>{"title: Zorbel", kClearedStatus,
                                        "error: Empty <action> tag in step #3\n\nDiscontinuing file load at step #2",
                                        "title: test.zbx - Zorbel", "replaced"}),
              ui.calls);
}

TEST(ScriptReader, MissingActionInFirstStepLoadsNothing) {
    FakeUserInterface ui;
    int32_t n = -1;
    ScriptState s = load(xml(block("<text>no action</text>")), &ui, &n);
    EXPECT_EQ(0, n);
    EXPECT_EQ((std::vector<std::string>{
                  "title: Zorbel", kClearedStatus,
                  "error: Empty <action> tag in step #1\n\nDiscontinuing file load at step #0",
                  "error: No valid XML actions were found in 'C:\\Scripts\\test.zbx'", "title: test.zbx - Zorbel",
                  "replaced"}),
              ui.calls);
}

TEST(ScriptReader, NoStepBlocksIsReported) {
    const std::string texts[] = {xml(""), "<?xml?><step><action>Delay</action>", "<?xml?></step><step>",
                                 "<?xml?><steps><action>Delay</action></steps>"};
    for (const std::string& text : texts) {
        FakeUserInterface ui;
        int32_t n = -1;
        ScriptState s = load(text, &ui, &n);
        EXPECT_EQ(0, n) << text;
        EXPECT_TRUE(ui.has_call("error: No valid XML actions were found in 'C:\\Scripts\\test.zbx'")) << text;
        EXPECT_EQ("C:\\Scripts\\test.zbx", s.script_path);
    }
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

TEST(ScriptReader, RecordingEventsAndSlots) {
    FakeUserInterface ui;
    ScriptState s = load(xml(block("<action>Recording</action><recording>\r\n"
                                   "\t[0512-0003-0100-00012345]\t\n"
                                   "\t[0256-0030-0065-123456789]\t\n"
                                   "\t</recording>") +
                             block("<action>Delay</action>") +
                             block("<action>Recording</action><value1>9</value1><value2>9</value2>"
                                   "<recording>[1-2-3-4]</recording>")),
                         &ui);
    ASSERT_EQ(3, s.step_count());
    EXPECT_EQ(2, s.recording_count);
    EXPECT_STREQ("2", s.steps[0].value[0]);
    EXPECT_STREQ("0", s.steps[0].value[1]);
    ASSERT_EQ(2u, s.recordings[0].size());
    const RecordingEvent& e = s.recordings[0][0];
    EXPECT_EQ(512u, e.message);
    EXPECT_EQ(100u, e.param_first);
    EXPECT_EQ(3u, e.param_second);
    EXPECT_EQ(12345u, e.time);
    EXPECT_EQ(0u, e.window);
    EXPECT_EQ(123456789u, s.recordings[0][1].time);
    EXPECT_STREQ("1", s.steps[2].value[0]);
    EXPECT_STREQ("1", s.steps[2].value[1]);
    ASSERT_EQ(1u, s.recordings[1].size());
    EXPECT_EQ(1u, s.recordings[1][0].message);
    EXPECT_EQ(3u, s.recordings[1][0].param_first);
    EXPECT_EQ(2u, s.recordings[1][0].param_second);
    EXPECT_EQ(4u, s.recordings[1][0].time);
}

TEST(ScriptReader, RecordingWithoutEventsKeepsItsValues) {
    struct Row {
        const char* elements;
        int slots;
        const char* value1;
        const char* value2;
    } rows[] = {
        {"", 0, "5", "7"},
        {"<recording></recording>", 0, "5", "7"},
        {"<recording>\r\n\t</recording>", 1, "0", "0"},  // not empty: a slot with no events
        {"<recording>[]</recording>", 1, "1", "0"},
        {"<recording>[a-b-c-d][1-2][garbage][---]</recording>", 1, "4", "0"},
        {"<recording>[1-2-3-4</recording>", 1, "0", "0"},  // "[" without "]"
        {"<recording>x]y[1-2-3-4]z[</recording>", 1, "1", "0"},
    };
    for (const Row& r : rows) {
        FakeUserInterface ui;
        ScriptState s =
            load(xml(block(std::string("<action>Recording</action><value1>5</value1><value2>7</value2>") + r.elements)),
                 &ui);
        ASSERT_EQ(1, s.step_count()) << r.elements;
        EXPECT_EQ(r.slots, s.recording_count) << r.elements;
        EXPECT_STREQ(r.value1, s.steps[0].value[0]) << r.elements;
        EXPECT_STREQ(r.value2, s.steps[0].value[1]) << r.elements;
    }
}

TEST(ScriptReader, RecordingTimeIsAnUnsignedTickCount) {
    struct Row {
        const char* field;
        uint32_t time;
    } rows[] = {
        {"00012345", 12345},          {"2147483648", 2147483648u}, {"4294967295", 4294967295u},
        {"99999999999", 4294967295u}, {"1,000", 1000},             {"", 0},
    };
    for (const Row& r : rows) {
        FakeUserInterface ui;
        ScriptState s = load(
            xml(block(std::string("<action>Recording</action><recording>[1-2-3-") + r.field + "]</recording>")), &ui);
        ASSERT_EQ(1u, s.recordings[0].size()) << r.field;
        EXPECT_EQ(r.time, s.recordings[0][0].time) << r.field;
    }
}

TEST(ScriptReader, RecordingEventTextIsCutAt259Characters) {
    // The time field starts past character 259 and is lost.
    FakeUserInterface ui;
    const std::string event = "[1-2-3" + std::string(260, ' ') + "-4]";
    ScriptState s = load(xml(block("<action>Recording</action><recording>" + event + "</recording>")), &ui);
    ASSERT_EQ(1u, s.recordings[0].size());
    EXPECT_EQ(3u, s.recordings[0][0].param_first);
    EXPECT_EQ(0u, s.recordings[0][0].time);
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

TEST(LoadScript, SampleScriptInOldStyle) {
    // Older files: "Move to Object", mouse options in the low bits, loops/speed/bytes
    // elements, a variable without "%", upper-case tags and surrounding junk.
    ScriptState s;
    FakeUserInterface ui;
    const std::string path = std::string(ZORBEL_TEST_DATA) + "/scripts/old_style.zbx";
    ASSERT_EQ(6, load_script(&s, path, &ui));
    EXPECT_TRUE(ui.errors().empty());
    EXPECT_STREQ("Move to Control", s.steps[0].action);
    EXPECT_EQ(2u, s.steps[0].options);
    EXPECT_EQ(32u, s.steps[1].options);
    EXPECT_STREQ("10", s.steps[2].timeout);
    EXPECT_STREQ("%count", s.steps[2].variable);
    EXPECT_STREQ("250", s.steps[3].timeout);
    EXPECT_STREQ("2048", s.steps[4].timeout);
    EXPECT_EQ("Hello <World> & \"friends\" 'all'", s.steps[5].text);
    EXPECT_STREQ("Continue", s.steps[5].onfail);
}

}  // namespace
}  // namespace zorbel
