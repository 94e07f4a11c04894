// The packed step record is a storage format: every offset is pinned here.
#include <cstddef>

#include <gtest/gtest.h>

#include "core/script_state.h"
#include "core/step_record.h"
#include "core/text_rules.h"

namespace zorbel {
namespace {

TEST(PackedStep, FieldOffsetsMatchTheStoredLayout) {
    struct Row {
        const char* field;
        size_t actual;
        size_t expected;
    };
    const Row rows[] = {
        {"action", offsetof(PackedStep, action), 0},
        {"family", offsetof(PackedStep, family), 64},
        {"icon", offsetof(PackedStep, icon), 68},
        {"text", offsetof(PackedStep, text), 72},
        {"comment", offsetof(PackedStep, comment), 76},
        {"options", offsetof(PackedStep, options), 80},
        {"timeout", offsetof(PackedStep, timeout), 84},
        {"value", offsetof(PackedStep, value), 148},
        {"status", offsetof(PackedStep, status), 2228},
        {"indents", offsetof(PackedStep, indents), 2232},
        {"onfail", offsetof(PackedStep, onfail), 2236},
        {"onfail_image", offsetof(PackedStep, onfail_image), 2300},
        {"onfail_log", offsetof(PackedStep, onfail_log), 2304},
        {"onfail_label", offsetof(PackedStep, onfail_label), 2308},
        {"variable", offsetof(PackedStep, variable), 2372},
        {"embedded_id", offsetof(PackedStep, embedded_id), 2436},
        {"embedded_kind", offsetof(PackedStep, embedded_kind), 2440},
        {"text_size", offsetof(PackedStep, text_size), 2444},
    };
    for (const Row& r : rows) EXPECT_EQ(r.expected, r.actual) << r.field;
    EXPECT_EQ(2448u, sizeof(PackedStep));
    EXPECT_EQ(260u, sizeof(PackedStep::value[0]));
    EXPECT_EQ(148u + 7 * 260, offsetof(PackedStep, value[7]));
}

TEST(PackedStep, RecordingEventIsFiveWordsInOrder) {
    EXPECT_EQ(20u, sizeof(RecordingEvent));
    EXPECT_EQ(0u, offsetof(RecordingEvent, message));
    EXPECT_EQ(4u, offsetof(RecordingEvent, param_first));
    EXPECT_EQ(8u, offsetof(RecordingEvent, param_second));
    EXPECT_EQ(12u, offsetof(RecordingEvent, time));
    EXPECT_EQ(16u, offsetof(RecordingEvent, window));
}

TEST(PackedStep, PackAndUnpackKeepEveryField) {
    Step s;
    copy_to_field(s.action, "Left Button Click");
    s.family = 5;
    s.icon = 4;
    s.text = "hello";
    s.comment = "note";
    s.options = 0x200010;
    copy_to_field(s.timeout, "%delay");
    for (int i = 0; i < kValueCount; ++i) copy_to_field(s.value[i], std::string(259, static_cast<char>('a' + i)));
    s.status = -1;
    s.indents = 3;
    copy_to_field(s.onfail, "Jump to Label");
    s.onfail_image = 1;
    s.onfail_log = 1;
    copy_to_field(s.onfail_label, "retry");
    copy_to_field(s.variable, "%result");
    s.embedded_id = 106;
    s.embedded_kind = 2;
    s.text_size = 6;

    PackedStep packed;
    pack_step(s, &packed);
    EXPECT_EQ(0u, packed.text);
    EXPECT_EQ(0u, packed.comment);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&packed);
    EXPECT_EQ('L', bytes[0]);
    EXPECT_EQ(5, bytes[64]);
    EXPECT_EQ(0x10, bytes[80]);
    EXPECT_EQ(0x20, bytes[82]);
    EXPECT_EQ(0xff, bytes[2228]);  // status -1, little-endian

    Step back = unpack_step(packed, "hello", "note");
    EXPECT_EQ("Left Button Click", field_text(back.action));
    EXPECT_EQ(5u, back.family);
    EXPECT_EQ("hello", back.text);
    EXPECT_EQ("note", back.comment);
    EXPECT_EQ(0x200010u, back.options);
    EXPECT_EQ("%delay", field_text(back.timeout));
    EXPECT_EQ(std::string(259, 'h'), field_text(back.value[7]));
    EXPECT_EQ(-1, back.status);
    EXPECT_EQ(3, back.indents);
    EXPECT_EQ("Jump to Label", field_text(back.onfail));
    EXPECT_EQ("retry", field_text(back.onfail_label));
    EXPECT_EQ("%result", field_text(back.variable));
    EXPECT_EQ(106, back.embedded_id);
    EXPECT_EQ(2, back.embedded_kind);
    EXPECT_EQ(6u, back.text_size);
}

TEST(PackedStep, UnpackTerminatesUnterminatedFields) {
    PackedStep packed;
    std::memset(&packed, 'x', sizeof(packed));
    Step s = unpack_step(packed, "", "");
    EXPECT_EQ(63u, field_text(s.action).size());
    EXPECT_EQ(259u, field_text(s.value[3]).size());
    EXPECT_EQ(63u, field_text(s.variable).size());
}

TEST(ScriptState, InsertStepPlacesZeroedRecordAndShiftsTheRest) {
    ScriptState script;
    EXPECT_EQ(0, script.insert_step(-1));
    copy_to_field(script.steps[0].action, "first");
    EXPECT_EQ(1, script.insert_step(99));  // beyond the end appends
    copy_to_field(script.steps[1].action, "last");
    EXPECT_EQ(1, script.insert_step(1));
    EXPECT_EQ(3, script.step_count());
    EXPECT_EQ("first", field_text(script.steps[0].action));
    EXPECT_EQ("", field_text(script.steps[1].action));
    EXPECT_EQ(0u, script.steps[1].options);
    EXPECT_TRUE(script.steps[1].text.empty());
    EXPECT_EQ("last", field_text(script.steps[2].action));
}

TEST(ScriptState, HoldsAtMost256Recordings) {
    ScriptState script;
    for (int i = 0; i < kMaxRecordings; ++i) EXPECT_EQ(i, script.add_recording({}));
    EXPECT_EQ(-1, script.add_recording({}));
    EXPECT_EQ(256, script.recording_count);
    script.clear();
    EXPECT_EQ(0, script.recording_count);
    EXPECT_EQ(0, script.add_recording({}));
}

}  // namespace
}  // namespace zorbel
