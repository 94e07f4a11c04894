// Feeds arbitrary bytes to the version 4 import. The user interface answers Yes to
// every question, so the import goes on past invalid lines; the fuzzer then checks
// that every fixed field of every step is terminated and that every recording step
// names a slot holding exactly the events it counts, and saves the result.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/legacy_import.h"
#include "core/script_file.h"
#include "core/text_rules.h"


namespace {

class YesUserInterface : public zorbel::SilentUserInterface {
public:
    zorbel::Answer ask_yes_no(const std::string&, const std::string&) override { return zorbel::Answer::kYes; }
};

template <size_t N>
void check_terminated(const char (&field)[N]) {
    if (std::memchr(field, '\0', N) == nullptr) std::abort();
}

void check_step(const zorbel::ScriptState& script, const zorbel::Step& step) {
    check_terminated(step.action);
    check_terminated(step.timeout);
    check_terminated(step.onfail);
    check_terminated(step.onfail_label);
    check_terminated(step.variable);
    for (const auto& value : step.value) check_terminated(value);
    if (step.text.find('\0') != std::string::npos) std::abort();
    if (step.family == 8) {
        const int32_t slot = zorbel::text_to_number(zorbel::field_text(step.value[1]));
        if (slot < 0 || slot >= script.recording_count) std::abort();
        const int32_t count = zorbel::text_to_number(zorbel::field_text(step.value[0]));
        if (static_cast<size_t>(count) != script.recordings[static_cast<size_t>(slot)].size()) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zorbel::ScriptState script;
    YesUserInterface ui;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int32_t count = zorbel::import_version4_text(&script, text, "C:\\fuzz\\old.txt", &ui);
    if (count != script.step_count() && count != 0) std::abort();
    if (script.recording_count > 64) std::abort();
    for (const zorbel::Step& step : script.steps) check_step(script, step);
    // Saving walks every recording by the counts the steps name.
    (void)zorbel::script_to_text(script);
    return 0;
}
