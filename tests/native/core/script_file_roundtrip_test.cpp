// Saved, loaded and saved again gives the same bytes for fields no file in tests/data
// holds; damaged files load what they can. (tests/data/scripts/rich.zbx, a save of
// testing_util::rich_script(), and old_forms.zbx are checked by golden_test.cpp.)
#include <gtest/gtest.h>

#include <random>

#include "core/script_file.h"
#include "tests/native/core/fake_user_interface.h"
#include "tests/native/core/script_file_test_util.h"

namespace zorbel {
namespace {

using testing_util::make_step;

std::string reload_text(const std::string& text, ScriptState* loaded = nullptr) {
    ScriptState s;
    SilentUserInterface ui;
    load_script_text(&s, text, "round.zbx", &ui);
    std::string again = script_to_text(s);
    if (loaded) *loaded = std::move(s);
    return again;
}

TEST(RoundTrip, TextHoldingAnEntityStaysLiteral) {
    Step step = make_step("Display Message");
    step.text = "&lt;";
    ScriptState s;
    s.steps.push_back(step);
    const std::string text = script_to_text(s);
    EXPECT_NE(std::string::npos, text.find("\t<text>&amp;lt;</text>\r\n"));
    ScriptState loaded;
    reload_text(text, &loaded);
    ASSERT_EQ(1, loaded.step_count());
    EXPECT_EQ("&lt;", loaded.steps[0].text);
}

TEST(RoundTrip, FullLengthFieldsFullOfMarkupKeepEveryCharacter) {
    // Escaping makes these longer than their read limits in the file; the limits
    // apply to the decoded text, so nothing is lost.
    Step step = make_step("Write/Create File");
    for (int n = 0; n < kValueCount; ++n) copy_to_field(step.value[n], std::string(259, "&<>"[n % 3]));
    copy_to_field(step.variable, "%" + std::string(62, '&'));
    step.text = std::string(100000, '<');
    ScriptState s;
    s.steps.push_back(step);
    const std::string first = script_to_text(s);
    ScriptState loaded;
    EXPECT_EQ(first, reload_text(first, &loaded));
    EXPECT_EQ(std::string(259, '&'), loaded.steps[0].value[0]);
    EXPECT_EQ(100000u, loaded.steps[0].text.size());
}

TEST(RoundTrip, EveryByteInEveryEscapedField) {
    std::string bytes;
    for (int c = 1; c < 256; ++c) bytes.push_back(static_cast<char>(c));
    Step step = make_step("Set Clipboard Text");
    step.text = bytes;
    step.comment = bytes + bytes;
    copy_to_field(step.value[4], bytes);
    copy_to_field(step.variable, "%" + bytes.substr(30, 62));
    ScriptState s;
    s.steps.push_back(step);
    const std::string first = script_to_text(s);
    ScriptState loaded;
    EXPECT_EQ(first, reload_text(first, &loaded));
    EXPECT_EQ(bytes, loaded.steps[0].text);
}

// Damaged files: the script_file fuzzer loads its corpus (tests/fuzz/corpus/script_file)
// and checks every field stays within bounds; tests/data/scripts holds golden damaged
// files. Here: what no fuzzer reaches, elements of ten megabytes and 300 recordings.

TEST(DamagedFiles, TenMegabyteElements) {
    const std::string huge(10 * 1024 * 1024, 'h');
    struct Row {
        std::string inner;
        const char* what;
    } rows[] = {
        {"<action>Delay</action><text>" + huge + "</text>", "text"},
        {"<action>" + huge + "</action>", "action"},
        {"<action>Delay</action><value3>" + huge + "</value3><timeout>" + huge + "</timeout>", "value"},
        {"<action>Delay</action><comment>" + huge, "unclosed comment"},
        {"<action>Delay</action><onfail label=\"" + huge + "\">x</onfail>", "label"},
        {"<action>Recording</action><recording>[" + huge + "]</recording>", "recording event"},
        {"<action>Delay</action><options>" + huge + "</options>", "number"},
        {"<action>Delay</action><text>" + std::string(2 << 20, '<') + "</text>", "markup characters"},
    };
    for (const Row& r : rows) {
        ScriptState s;
        SilentUserInterface ui;
        EXPECT_EQ(1, load_script_text(&s, "<?xml?><step>" + r.inner + "</step>", "big.zbx", &ui)) << r.what;
        if (s.step_count() != 1) continue;
        EXPECT_LT(std::strlen(s.steps[0].value[2]), 260u) << r.what;
    }
    ScriptState s;
    SilentUserInterface ui;
    load_script_text(&s, "<?xml?><step>" + rows[0].inner + "</step>", "big.zbx", &ui);
    EXPECT_EQ(huge.size(), s.steps[0].text.size());
}

TEST(DamagedFiles, NothingToLoadIsToldThroughTheInterface) {
    ScriptState s;
    SilentUserInterface ui;  // as the fuzzers and the player use it
    EXPECT_EQ(0, load_script_text(&s, "<?xml?>", "none.zbx", &ui));
    EXPECT_EQ(0, load_script_text(&s, "no tab here", "old.txt", &ui));
}

TEST(DamagedFiles, ManyRecordingsAndEvents) {
    std::string blocks;
    for (int i = 0; i < 300; ++i) {
        blocks += "<step><action>Recording</action><recording>";
        for (int e = 0; e < 50; ++e) blocks += "\t[" + std::to_string(e) + "-1-2-3]\t\n";
        blocks += "</recording></step>";
    }
    ScriptState s;
    FakeUserInterface ui;
    EXPECT_EQ(256, load_script_text(&s, "<?xml?>" + blocks, "many.zbx", &ui));
    EXPECT_EQ(256, s.recording_count);
    EXPECT_EQ(50u, s.recordings[255].size());
    EXPECT_EQ(1u, ui.errors().size());
    // And back: the saved text loads to the same text.
    const std::string first = script_to_text(s);
    EXPECT_EQ(first, reload_text(first));
}

}  // namespace
}  // namespace zorbel
