// The step record: one step of a script, in memory and in its packed 2448-byte form.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>

namespace zorbel {

// Field sizes of the step record, shared by the file reader, the editor and the packager.
constexpr size_t kNameFieldSize = 64;    // action, timeout, onfail, onfail label, variable
constexpr size_t kValueFieldSize = 260;  // value1 .. value8
constexpr int kValueCount = 8;
constexpr size_t kNewTextSize = 260;     // a new record's text buffer

// Step status values.
constexpr int32_t kStatusNormal = 0;
constexpr int32_t kStatusSkip = 1;
constexpr int32_t kStatusBreakpoint = -1;

// Option bits common to every action that produces a result.
constexpr uint32_t kOptionResultToClipboard = 0x100000;
constexpr uint32_t kOptionResultToVariable = 0x200000;
constexpr uint32_t kOptionResultToFile = 0x400000;

// The in-memory step. Fixed fields keep the packed sizes (and their limits); the text
// and comment are owned strings, since the packed form only holds pointers for them.
struct Step {
    char action[kNameFieldSize] = {};
    uint32_t family = 0;  // 1..15, or a group identifier, or 0 when not in the catalogue
    int32_t icon = 0;
    std::string text;
    std::string comment;
    uint32_t options = 0;
    char timeout[kNameFieldSize] = {};
    char value[kValueCount][kValueFieldSize] = {};  // value[0] is value1
    int32_t status = kStatusNormal;
    int32_t indents = 0;
    char onfail[kNameFieldSize] = {};
    int32_t onfail_image = 0;
    int32_t onfail_log = 0;
    char onfail_label[kNameFieldSize] = {};
    char variable[kNameFieldSize] = {};
    int32_t embedded_id = 0;
    int32_t embedded_kind = 0;
    uint32_t text_size = 0;
};

// The packed step record exactly as stored in a compiled player (2448 bytes,
// little-endian). The text and comment words are 32-bit pointers there and are
// meaningless outside the running player, so they are written as 0.
#pragma pack(push, 1)
struct PackedStep {
    char action[64];
    uint32_t family;
    int32_t icon;
    uint32_t text;
    uint32_t comment;
    uint32_t options;
    char timeout[64];
    char value[8][260];
    int32_t status;
    int32_t indents;
    char onfail[64];
    int32_t onfail_image;
    int32_t onfail_log;
    char onfail_label[64];
    char variable[64];
    int32_t embedded_id;
    int32_t embedded_kind;
    uint32_t text_size;
};
#pragma pack(pop)
static_assert(sizeof(PackedStep) == 2448, "the packed step record is 2448 bytes");

// Fills `out` from `step`; the text and comment words are 0.
void pack_step(const Step& step, PackedStep* out);
// Rebuilds a step from its packed form; text and comment come from the caller
// (the packaged texts block), since the packed words are not usable pointers.
Step unpack_step(const PackedStep& packed, std::string text, std::string comment);

// The recording event: five 32-bit fields, 20 bytes.
#pragma pack(push, 1)
struct RecordingEvent {
    uint32_t message;
    uint32_t param_first;
    uint32_t param_second;
    uint32_t time;
    uint32_t window;  // never saved; reads back as 0
};
#pragma pack(pop)
static_assert(sizeof(RecordingEvent) == 20, "the recording event is 20 bytes");

}  // namespace zorbel
