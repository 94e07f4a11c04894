// Helpers for the version 4 import tests: record lines built field by field, and
// imports of in-memory text into a fresh script.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/legacy_import.h"
#include "core/legacy_jumps.h"
#include "core/script_state.h"
#include "core/text_rules.h"
#include "tests/native/core/fake_user_interface.h"

namespace zorbel::legacy_test {

// One record line; every field is text exactly as it stands in the file.
struct V4Line {
    std::string type = "1";
    std::string text;
    std::string value;
    std::string second;
    std::string status = "0";
    std::string options = "0";
    std::string slot = "0";
    std::string flags = "1";
    std::string target;
    std::string variable;

    V4Line& with_type(int t) { type = std::to_string(t); return *this; }
    V4Line& with_text(std::string t) { text = std::move(t); return *this; }
    V4Line& with_value(std::string v) { value = std::move(v); return *this; }
    V4Line& with_second(std::string s) { second = std::move(s); return *this; }
    V4Line& with_status(int s) { status = std::to_string(s); return *this; }
    V4Line& with_options(uint32_t o) { options = std::to_string(o); return *this; }
    V4Line& with_flags(uint32_t f) { flags = std::to_string(f); return *this; }
    V4Line& with_target(std::string t) { target = std::move(t); return *this; }
    V4Line& with_variable(std::string v) { variable = std::move(v); return *this; }

    // The ten fields joined by TABs (9 TABs), without a line end.
    std::string str() const {
        return type + "\t" + text + "\t" + value + "\t" + second + "\t" + status + "\t" + options + "\t" + slot +
               "\t" + flags + "\t" + target + "\t" + variable;
    }
};

inline V4Line record(int type, uint32_t options = 0, std::string text = "") {
    V4Line line;
    line.with_type(type).with_options(options).with_text(std::move(text));
    return line;
}

// Lines joined with CR LF, ending in CR LF.
inline std::string file_of(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

// Imports `text` into `script` with `ui`; the file name in messages is "old.txt".
inline int32_t import_text(const std::string& text, ScriptState* script, FakeUserInterface* ui) {
    return import_version4_text(script, text, "C:\\scripts\\old.txt", ui);
}

// The first step that the import did not add as a label.
inline const Step* first_converted_step(const ScriptState& script) {
    for (const Step& step : script.steps)
        if (step.comment != kAddedLabelComment) return &step;
    return nullptr;
}

// Imports a file of one record line and returns its step (labels passed over).
inline Step convert_one(const V4Line& line) {
    ScriptState script;
    FakeUserInterface ui;
    import_text(file_of({line.str()}), &script, &ui);
    const Step* step = first_converted_step(script);
    EXPECT_NE(nullptr, step) << line.str();
    return step ? *step : Step();
}

// A 24-byte event: window, message, second parameter, first parameter, time.
inline std::string event_bytes(int window, int message, int second, int first, int time) {
    return format("%04d%04d%04d%04d%08d", window, message, second, first, time);
}

}  // namespace zorbel::legacy_test
