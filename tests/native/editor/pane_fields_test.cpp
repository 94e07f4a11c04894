#include <gtest/gtest.h>

#include "editor/model/pane_binding.h"
#include "editor/model/pane_fields.h"
#include "editor_test_util.h"

namespace zorbel {
namespace {

const FieldSpec& field_of(int pane, const char* label) {
    for (const FieldSpec& spec : pane_spec(pane).fields)
        if (std::string(spec.label) == label) return spec;
    static const FieldSpec none{"", FieldKind::kEdit, StepField::kText};
    ADD_FAILURE() << "no field " << label;
    return none;
}

TEST(PaneFields, EveryPaneHasItsSharedControls) {
    for (int code = 1; code < kPaneCount; ++code) {
        SCOPED_TRACE(pane_spec(code).name);
        EXPECT_EQ(code, pane_spec(code).code);
        bool comment = false;
        for (const FieldSpec& spec : pane_spec(code).fields) comment = comment || spec.field == StepField::kComment;
        EXPECT_TRUE(comment);
    }
    for (int code : {-1, 0, 16, 99}) EXPECT_STREQ("Nothing Selected", pane_spec(code).name);
    EXPECT_EQ(0u, pane_spec(0).fields.size());
}

TEST(PaneFields, WriteBackKeepsEachFieldsLimit) {
    const std::string long_text(300, 'x');
    struct Case {
        int pane;
        const char* label;
        size_t stored;
        std::function<std::string(const Step&)> read;
    };
    const Case cases[] = {
        {14, "2:", 259, [](const Step& s) { return std::string(field_text(s.value[0])); }},
        {1, "Ma&x Wait:", 63, [](const Step& s) { return std::string(field_text(s.timeout)); }},
        {1, "JUMP", 63, [](const Step& s) { return std::string(field_text(s.onfail_label)); }},
        {1, "On Fail&ure:", 63, [](const Step& s) { return std::string(field_text(s.onfail)); }},
        {1, "", 63, [](const Step& s) { return std::string(field_text(s.variable)); }},  // 62 and its "%"
        {1, "&Program:", 300, [](const Step& s) { return s.text; }},
        {1, "&Comment:", 300, [](const Step& s) { return s.comment; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.pane) + " " + c.label);
        Step step;
        write_field(step, field_of(c.pane, c.label), long_text);
        EXPECT_EQ(c.stored, c.read(step).size());
    }
}

TEST(PaneFields, LoadAndWriteRoundTrips) {
    Step step = make_step("Execute SQL Query", "SELECT 1", "note");
    write_field(step, field_of(11, "Password:"), "Secret-xyz");
    EXPECT_EQ("Vhfuhw-abc", field_text(step.value[2]));  // stored with its rotation
    EXPECT_EQ("Secret-xyz", load_field(step, field_of(11, "Password:")));
    const FieldSpec& variable = pane_spec(11).fields.back();
    write_field(step, variable, "Total");
    EXPECT_EQ("%Total", field_text(step.variable));
    EXPECT_EQ("Total", load_field(step, variable));
}

TEST(PaneFields, ChecksAndRadiosOnOptionBits) {
    Step step = make_step("Simulate Keypress");
    step.options = 0x100000;
    const FieldSpec& expand = field_of(3, "Expand special formatting (\"%\", {shift}, etc)");
    EXPECT_EQ("1", load_field(step, expand));  // checked while bit 0 is clear
    write_field(step, expand, "0");
    EXPECT_EQ(0x100001u, step.options);
    write_field(step, expand, "1");
    EXPECT_EQ(0x100000u, step.options);
    // A radio writes when chosen, never when another is.
    write_field(step, field_of(1, "Save Result to Variable:"), "1");
    EXPECT_EQ(0x200000u, step.options);
    write_field(step, field_of(1, "Save Result to Clipboard"), "0");
    EXPECT_EQ(0x200000u, step.options);
    write_field(step, field_of(1, "Don't Save Result"), "1");
    EXPECT_EQ(0u, step.options);
    write_field(step, field_of(3, "Method:"), "Text via Clipboard");
    EXPECT_EQ("Text via Clipboard", field_text(step.action));
    write_field(step, field_of(3, "Method:"), "Keyboard");  // a category is no action
    EXPECT_EQ("Text via Clipboard", field_text(step.action));
}

TEST(PaneFields, KeyboardRenameOnlyBetweenKeypressAndSystemKeys) {
    struct Case {
        const char* action;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"Simulate Keypress", "a{enter}", "Text + System Keys"},
        {"Text + System Keys", "plain", "Simulate Keypress"},
        {"Simulate Keypress", "{ only", "Simulate Keypress"},
        {"Text via Clipboard", "a{enter}", "Text via Clipboard"},
        {"Buffered Virtual Keys", "{tab}", "Buffered Virtual Keys"},
        {"Direct Window Entry", "{x}", "Direct Window Entry"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.action) + " / " + c.text);
        ScriptState script;
        script.steps.push_back(make_step(c.action));
        PaneBinding pane;
        pane.load(script, 0);
        EXPECT_EQ(WriteResult::kWritten, pane.write(script, 0, field_of(3, "Type Text:"), c.text, nullptr));
        EXPECT_EQ(c.expected, field_text(script.steps[0].action));
    }
    EXPECT_EQ(kSpecialCharactersWarning, keyboard_warning("Simulate Keypress", "caf\xe9"));
    EXPECT_EQ("", keyboard_warning("Text via Clipboard", "caf\xe9"));
    EXPECT_EQ("", keyboard_warning("Direct Window Entry", "cafe"));
    EXPECT_STREQ("RETRY", failure_extra_caption("Retry the Step x Times"));
    EXPECT_EQ(nullptr, failure_extra_caption("Ignore/Continue"));
}

TEST(PaneBinding, WritesOnlyIntoTheStepItLoaded) {
    ScriptState script = numbered_script(3);
    PaneBinding pane;
    pane.load(script, 0);
    int snapshots = 0;
    const auto snap = [&] { ++snapshots; };
    const FieldSpec& text = field_of(6, "Window Title:");
    EXPECT_EQ(WriteResult::kWritten, pane.write(script, 0, text, "a", snap));
    EXPECT_EQ(WriteResult::kWritten, pane.write(script, 0, text, "ab", snap));
    EXPECT_EQ(1, snapshots);  // the first change only
    EXPECT_TRUE(pane.changed(script));
    // The grid's focus moved (an undone move, a run's highlight, a drag) without a
    // reload: the keystroke must not land in step 2.
    EXPECT_EQ(WriteResult::kReload, pane.write(script, 1, text, "abc", snap));
    EXPECT_EQ((std::vector<std::string>{"ab", "s2", "s3"}), texts_of(script));
    EXPECT_FALSE(pane.undo_changes(script, 1));
    EXPECT_EQ("s2", script.steps[1].text);
    EXPECT_TRUE(pane.undo_changes(script, 0));
    EXPECT_EQ("s1", script.steps[0].text);
    EXPECT_FALSE(pane.changed(script));
    // A step removed elsewhere: same focused row, another count.
    pane.load(script, 1);
    script.delete_step(0);
    EXPECT_EQ(WriteResult::kReload, pane.write(script, 1, text, "z", snap));
    EXPECT_EQ("s3", script.steps[1].text);
    pane.loading = true;
    EXPECT_EQ(WriteResult::kIgnored, pane.write(script, 1, text, "z", snap));
}

TEST(PaneBinding, SameRowShortcutOnlyForPlainSelection) {
    ScriptState script = numbered_script(3);
    PaneBinding pane;
    pane.load(script, 1);
    EXPECT_FALSE(pane.needs_reload(script, 1, PaneSync::kSelection));
    EXPECT_TRUE(pane.needs_reload(script, 2, PaneSync::kSelection));
    EXPECT_TRUE(pane.needs_reload(script, 1, PaneSync::kRestore));  // undo swapped the step under the row
    script.insert_step(-1);
    EXPECT_TRUE(pane.needs_reload(script, 1, PaneSync::kSelection));
}

TEST(Recording, StoredIntoTheStepThatStartedIt) {
    ScriptState script;
    script.steps.push_back(make_step("Recording"));
    script.steps.push_back(make_step("Recording"));
    script.steps.push_back(make_step("Delay"));
    std::vector<RecordingEvent> events(3);
    // The focus moved to row 1 while recording: row 0 started it and gets it.
    ASSERT_TRUE(store_recording(script, 0, events));
    EXPECT_EQ("3", field_text(script.steps[0].value[0]));
    EXPECT_EQ("", field_text(script.steps[1].value[0]));
    EXPECT_FALSE(store_recording(script, 2, events));  // not a recording step
    EXPECT_FALSE(store_recording(script, 5, events));
    EXPECT_EQ(1, script.recording_count);
}

}  // namespace
}  // namespace zorbel
