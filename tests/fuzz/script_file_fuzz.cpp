// Feeds any bytes to the script reader. Whatever loads stays within its fields' bounds,
// and must save and load back to
// the same text, as long as the fields the writer leaves unescaped hold nothing the
// reader would take for markup.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/action_catalogue.h"
#include "core/script_file.h"
#include "core/script_xml.h"
#include "core/text_rules.h"

namespace {

using namespace zorbel;

// Action names, timeouts, On Failure modes and labels are written as they are.
bool written_raw_safely(std::string_view field, std::string_view forbidden) {
    if (field.find_first_of(forbidden) != std::string_view::npos) return false;
    return script_xml::decode_entities(field) == field;
}

// Recording steps that kept values from the file without getting a slot name
// events that are not theirs.
bool recordings_belong_to_their_steps(const ScriptState& s) {
    int32_t ordinal = 0;
    for (const Step& step : s.steps) {
        if (step.family != kFamilyRecording) continue;
        if (ordinal >= s.recording_count) return false;
        if (field_text(step.value[1]) != std::to_string(ordinal)) return false;
        if (field_text(step.value[0]) != std::to_string(s.recordings[static_cast<size_t>(ordinal)].size()))
            return false;
        ++ordinal;
    }
    return true;
}

// Every field ends within its buffer, and no step is left without an action.
bool fields_within_bounds(const ScriptState& s) {
    if (s.recording_count > kMaxRecordings) return false;
    for (const Step& step : s.steps) {
        if (step.action[0] == '\0') return false;
        for (const char* field : {step.action, step.timeout, step.onfail, step.onfail_label, step.variable})
            if (std::strlen(field) >= kNameFieldSize) return false;
        for (int v = 0; v < kValueCount; ++v)
            if (std::strlen(step.value[v]) >= kValueFieldSize) return false;
    }
    return true;
}

bool round_trip_expected(const ScriptState& s) {
    for (const Step& step : s.steps) {
        if (!written_raw_safely(field_text(step.action), "<")) return false;
        if (!written_raw_safely(field_text(step.timeout), "<")) return false;
        if (!written_raw_safely(field_text(step.onfail), "<")) return false;
        if (!written_raw_safely(field_text(step.onfail_label), "<>\"=")) return false;
    }
    return recordings_belong_to_their_steps(s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    if (!is_xml_script_text(input)) return 0;  // version 4 files belong to the import
    SilentUserInterface ui;
    ScriptState first;
    const int32_t loaded = load_script_text(&first, input, "fuzz.zbx", &ui);
    if (loaded != first.step_count() || !fields_within_bounds(first)) std::abort();
    if (loaded <= 0) return 0;
    const std::string saved = script_to_text(first);

    ScriptState second;
    load_script_text(&second, saved, "fuzz.zbx", &ui);
    const std::string saved_again = script_to_text(second);
    if (round_trip_expected(first) && saved_again != saved) std::abort();
    return 0;
}
