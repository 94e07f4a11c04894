// Golden files: what loading each file under tests/data makes of it, every field of
// every step, the recordings and the messages to the user, equals the ".golden" file
// beside it; and a save of what was loaded, loaded and saved again, gives the same bytes.
//   legacy/*.lines   version 4 record lines, each imported as a file of its own
//   legacy/*.txt     version 4 files (legacy/imports too); a name ending ".yes.txt" answers
//                    Yes to the question about invalid lines, the others No
//   scripts/*.zbx    scripts
// The golden files of whole files also hold the bytes a save of what was loaded writes.
// ZORBEL_UPDATE_GOLDEN=1 rewrites the golden files: review the difference before committing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/action_catalogue.h"
#include "core/legacy_conversion.h"
#include "core/legacy_import.h"
#include "core/script_file.h"
#include "core/text_rules.h"
#include "tests/native/core/fake_user_interface.h"

namespace zorbel {
namespace {

namespace fs = std::filesystem;

std::string read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Printable ASCII as it is; everything else as \r \n \t or \xNN.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c == '\\' || c == '"') out += std::string("\\") + static_cast<char>(c);
        else if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
        else out += format("\\x%02X", c);
    }
    return out + "\"";
}

// Every field of the step that differs from a new step's.
std::string describe(const Step& s) {
    const Step blank;
    std::ostringstream out;
    out << "  action " << quoted(field_text(s.action)) << " family " << s.family << " icon " << s.icon << "\n";
    auto text = [&](const char* name, std::string_view value) {
        if (!value.empty()) out << "  " << name << " " << quoted(std::string(value)) << "\n";
    };
    auto number = [&](const char* name, long long value, long long none) {
        if (value != none) out << "  " << name << " " << value << "\n";
    };
    text("text", s.text);
    text("comment", s.comment);
    if (s.options) out << "  options " << format("0x%X", s.options) << "\n";
    text("timeout", field_text(s.timeout));
    for (int n = 0; n < kValueCount; ++n) text(format("value%d", n + 1).c_str(), field_text(s.value[n]));
    number("status", s.status, blank.status);
    number("indents", s.indents, 0);
    text("onfail", field_text(s.onfail));
    number("onfail_image", s.onfail_image, 0);
    number("onfail_log", s.onfail_log, 0);
    text("onfail_label", field_text(s.onfail_label));
    text("variable", field_text(s.variable));
    number("embedded_id", s.embedded_id, 0);
    number("embedded_kind", s.embedded_kind, 0);
    return out.str();
}

std::string describe(const ScriptState& script, int32_t result, const FakeUserInterface& ui) {
    std::ostringstream out;
    out << "result " << result << " path " << quoted(script.script_path) << "\n";
    for (size_t n = 0; n < script.steps.size(); ++n) out << "step " << n + 1 << "\n" << describe(script.steps[n]);
    for (int32_t r = 0; r < script.recording_count; ++r) {
        out << "recording " << r << ": " << script.recordings[static_cast<size_t>(r)].size() << " events\n";
        for (const RecordingEvent& e : script.recordings[static_cast<size_t>(r)])
            out << format("  %u %u %u %u %u\n", e.message, e.param_first, e.param_second, e.time, e.window);
    }
    for (const std::string& call : ui.calls) out << "ui " << quoted(call) << "\n";
    return out.str();
}

// Recording steps keep the values read from the file even without a recording of their
// own; a save gives them one, so such scripts do not save stably (as script_file_fuzz knows).
bool recordings_match_their_steps(const ScriptState& s) {
    int32_t slot = 0;
    for (const Step& step : s.steps) {
        if (step.family != kFamilyRecording) continue;
        if (slot >= s.recording_count || field_text(step.value[1]) != std::to_string(slot) ||
            field_text(step.value[0]) != std::to_string(s.recordings[static_cast<size_t>(slot)].size()))
            return false;
        ++slot;
    }
    return true;
}

// Loads `text` as the kind of `input` names; what came of it, described.
std::string load_and_describe(const fs::path& input, const std::string& text, ScriptState* script) {
    FakeUserInterface ui;
    const std::string name = "C:\\data\\" + input.filename().string();
    const std::string stem = input.stem().string();
    if (stem.size() > 4 && stem.compare(stem.size() - 4, 4, ".yes") == 0) ui.default_answer = Answer::kYes;
    const int32_t result = input.extension() == ".zbx" ? load_script_text(script, text, name, &ui)
                                                       : import_version4_text(script, text, name, &ui);
    return describe(*script, result, ui);
}

std::string golden_text_of(const fs::path& input) {
    const std::string bytes = read_bytes(input);
    std::string out;
    std::vector<std::string> files;
    if (input.extension() == ".lines") {
        std::istringstream lines(bytes);
        for (std::string line; std::getline(lines, line);)
            if (!line.empty() && line[0] != '#') files.push_back(line + "\r\n");
    } else {
        files.push_back(bytes);
    }
    for (const std::string& file : files) {
        if (files.size() > 1) out += "== " + quoted(file.substr(0, file.size() - 2)) + "\n";
        ScriptState script;
        const std::string loaded = load_and_describe(input, file, &script);
        out += loaded;
        // What was loaded, saved, loaded again and saved again, gives the same bytes. Not
        // for single records: an empty failure mode or a timeout that is no number is lost
        // by the first save.
        if (input.extension() == ".lines") continue;
        const std::string saved = script_to_text(script);
        ScriptState again;
        FakeUserInterface ui;
        load_script_text(&again, saved, "C:\\data\\again.zbx", &ui);
        if (recordings_match_their_steps(script)) {
            EXPECT_EQ(saved, script_to_text(again)) << input << ": the second save differs";
        }
        out += saved == file ? std::string("saved as read\n") : "saved " + quoted(saved) + "\n";
    }
    return out;
}

std::vector<fs::path> golden_inputs() {
    std::vector<fs::path> inputs;
    for (const char* folder : {"legacy", "scripts"})
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(fs::path(ZORBEL_TEST_DATA) / folder)) {
            const std::string ext = e.path().extension().string();
            if (ext == ".lines" || ext == ".txt" || ext == ".zbx") inputs.push_back(e.path());
        }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

TEST(GoldenFiles, LoadsGiveWhatTheGoldenFilesHold) {
    const bool update = std::getenv("ZORBEL_UPDATE_GOLDEN") != nullptr;
    const std::vector<fs::path> inputs = golden_inputs();
    ASSERT_FALSE(inputs.empty());
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.string());
        const std::string actual = golden_text_of(input);
        fs::path golden = input;
        golden += ".golden";
        if (update) {
            std::ofstream(golden, std::ios::binary) << actual;
            continue;
        }
        ASSERT_TRUE(fs::exists(golden)) << "no " << golden << " (run with ZORBEL_UPDATE_GOLDEN=1)";
        const std::string expected = read_bytes(golden);
        if (expected == actual) continue;
        // Name the first line that differs.
        std::istringstream e(expected), a(actual);
        std::string el, al;
        for (int line = 1;; ++line) {
            const bool more_e = static_cast<bool>(std::getline(e, el)), more_a = static_cast<bool>(std::getline(a, al));
            if (!more_e && !more_a) break;
            if (el != al || more_e != more_a) {
                ADD_FAILURE() << golden.filename() << " line " << line << ":\n  expected: " << el << "\n  actual:   " << al;
                break;
            }
        }
    }
}

TEST(GoldenFiles, FailureModeNamesAsData) {
    EXPECT_EQ("Jump to Label", failure_mode_of(8));
    EXPECT_EQ("", failure_mode_of(255));
}

}  // namespace
}  // namespace zorbel
