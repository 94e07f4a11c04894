// Saved, loaded and saved again gives the same bytes; damaged files load what they
// can, with the usual messages, and never read or write out of bounds.
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

TEST(RoundTrip, RichScriptIsByteIdentical) {
    const ScriptState original = testing_util::rich_script();
    const std::string first = script_to_text(original);
    ScriptState loaded;
    const std::string second = reload_text(first, &loaded);
    EXPECT_EQ(first, second);

    ASSERT_EQ(original.step_count(), loaded.step_count());
    for (int32_t i = 0; i < original.step_count(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1));
        const Step& a = original.steps[static_cast<size_t>(i)];
        const Step& b = loaded.steps[static_cast<size_t>(i)];
        EXPECT_STREQ(a.action, b.action);
        EXPECT_EQ(a.family, b.family);
        EXPECT_EQ(a.text, b.text);
        EXPECT_EQ(a.comment, b.comment);
        EXPECT_EQ(a.options, b.options);
        EXPECT_STREQ(a.onfail, b.onfail);
        EXPECT_STREQ(a.onfail_label, b.onfail_label);
        EXPECT_EQ(a.onfail_image, b.onfail_image);
        EXPECT_EQ(a.onfail_log, b.onfail_log);
        EXPECT_EQ(a.status, b.status);
        EXPECT_EQ(a.indents, b.indents);
        EXPECT_STREQ(a.variable, b.variable);
        for (int n = 0; n < kValueCount; ++n) EXPECT_STREQ(a.value[n], b.value[n]) << "value" << n + 1;
    }
    EXPECT_EQ(original.recording_count, loaded.recording_count);
    for (int slot = 0; slot < 2; ++slot) {
        ASSERT_EQ(original.recordings[slot].size(), loaded.recordings[slot].size());
        for (size_t e = 0; e < original.recordings[slot].size(); ++e) {
            const RecordingEvent& x = original.recordings[slot][e];
            const RecordingEvent& y = loaded.recordings[slot][e];
            EXPECT_EQ(x.message, y.message);
            EXPECT_EQ(x.param_first, y.param_first);
            EXPECT_EQ(x.param_second, y.param_second);
            EXPECT_EQ(x.time, y.time);
        }
    }
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

TEST(RoundTrip, SecondSaveOfAnOldFileIsStable) {
    // The first load changes old forms (mouse bits, names, "%"); after that the
    // text settles.
    const std::string old_file =
        "<?xml?><step><action>Move to Object</action></step>"
        "<step><action>Right Button Click</action><options>1048581</options></step>"
        "<step><action>Delay</action><loops>4</loops><variable>x</variable><onfail></onfail></step>"
        "<step><action>Recording</action><recording>[1-2-3-4] [5-6-7-8]</recording></step>";
    const std::string first = reload_text(old_file);
    EXPECT_EQ(first, reload_text(first));
}

// ---- damaged files ----

void expect_loads_safely(const std::string& text, const std::string& what) {
    ScriptState s;
    FakeUserInterface ui;
    const int32_t n = load_script_text(&s, text, "bad.zbx", &ui);
    EXPECT_EQ(n, s.step_count()) << what;
    EXPECT_LE(s.recording_count, kMaxRecordings) << what;
    for (const Step& step : s.steps) {
        EXPECT_LT(std::strlen(step.action), sizeof(step.action)) << what;
        EXPECT_LT(std::strlen(step.timeout), sizeof(step.timeout)) << what;
        EXPECT_LT(std::strlen(step.onfail), sizeof(step.onfail)) << what;
        EXPECT_LT(std::strlen(step.onfail_label), sizeof(step.onfail_label)) << what;
        EXPECT_LT(std::strlen(step.variable), sizeof(step.variable)) << what;
        for (int v = 0; v < kValueCount; ++v) EXPECT_LT(std::strlen(step.value[v]), sizeof(step.value[v])) << what;
        EXPECT_NE('\0', step.action[0]) << what;
    }
    // Whatever loaded saves and loads back to the same text.
    (void)script_to_text(s);
}

TEST(DamagedFiles, EveryPrefixOfARichScript) {
    const std::string full = script_to_text(testing_util::rich_script());
    int32_t previous = 0;
    for (size_t cut = 0; cut <= full.size(); cut += 7) {
        ScriptState s;
        SilentUserInterface ui;
        const int32_t n = load_script_text(&s, full.substr(0, cut), "cut.zbx", &ui);
        EXPECT_GE(n, previous) << "cut at " << cut;  // a longer prefix never loads fewer steps
        previous = n;
    }
    EXPECT_EQ(7, previous);
}

TEST(DamagedFiles, RandomBytesWithAndWithoutTheMark) {
    std::mt19937 random(20240613);
    const char alphabet[] = "<>/&;#\"=[]-0123456789stepactiontextonfailrecording \r\n\t";
    for (int round = 0; round < 300; ++round) {
        std::string text = round % 2 ? "<?xml?>" : "";
        const size_t length = random() % 2000;
        for (size_t i = 0; i < length; ++i)
            text.push_back(round % 3 == 0 ? static_cast<char>(random() & 0xff)
                                          : alphabet[random() % (sizeof(alphabet) - 1)]);
        expect_loads_safely(text, "round " + std::to_string(round));
    }
}

TEST(DamagedFiles, MissingClosingTags) {
    const std::string texts[] = {
        "<?xml?><step><action>Delay<text>abc</step>",
        "<?xml?><step><action>Delay</action><text>abc</step><step><action>Start</action></step>",
        "<?xml?><step><action>Delay</action><onfail label=\"x image=\"1\">Continue</step>",
        "<?xml?><step><action>Delay</action><onfail label=\"x\"",
        "<?xml?><step><action>Recording</action><recording>[1-2-3-4]</step>",
        "<?xml?><step><action>Delay</action><value1>" + std::string(1000, 'v') + "</step>",
    };
    for (const std::string& text : texts) expect_loads_safely(text, text.substr(0, 80));

    ScriptState s;
    SilentUserInterface ui;
    ASSERT_EQ(1, load_script_text(&s, texts[0], "x.zbx", &ui));
    EXPECT_STREQ("Delay<text>abc</step>", s.steps[0].action);  // runs to the block end
    EXPECT_EQ("abc</step>", s.steps[0].text);
}

TEST(DamagedFiles, FieldsLongerThanTheirLimitsAreCut) {
    const std::string long_text(400, 'x');
    ScriptState s;
    SilentUserInterface ui;
    ASSERT_EQ(1, load_script_text(&s,
                                  "<?xml?><step><action>" + long_text + "</action><timeout>" + long_text +
                                      "</timeout><onfail label=\"" + std::string(200, 'l') + "\">" + long_text +
                                      "</onfail><value8>" + long_text + "</value8><variable>" + long_text +
                                      "</variable><text>" + long_text + "</text></step>",
                                  "x.zbx", &ui));
    const Step& step = s.steps[0];
    EXPECT_EQ(std::string(63, 'x'), step.action);
    EXPECT_EQ(std::string(63, 'x'), step.timeout);
    EXPECT_EQ(std::string(63, 'x'), step.onfail);
    EXPECT_EQ(std::string(63, 'l'), step.onfail_label);
    EXPECT_EQ(std::string(259, 'x'), step.value[7]);
    EXPECT_EQ("%" + std::string(62, 'x'), step.variable);
    EXPECT_EQ(long_text, step.text);
}

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

TEST(DamagedFiles, TextStopsAtTheFirstNul) {
    std::string text = "<?xml?><step><action>Delay</action></step><step><action>St";
    text.push_back('\0');
    text += "art</action></step><step><action>Start</action></step>";
    ScriptState s;
    SilentUserInterface ui;
    EXPECT_EQ(1, load_script_text(&s, text, "nul.zbx", &ui));
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
