// Times saving and loading a 100,000-step script (varied actions, texts, values and a
// few recordings) in the temp folder. Prints the figures; asserts nothing.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "core/action_catalogue.h"
#include "core/script_file.h"
#include "core/text_rules.h"
#include "platform/files.h"

namespace {

using namespace zorbel;

constexpr int kSteps = 100000;
constexpr int kRounds = 5;

ScriptState make_script() {
    std::mt19937 random(12345);
    const CatalogueEntry* entries = catalogue_entries();
    const int entry_count = catalogue_entry_count();
    ScriptState s;
    s.steps.reserve(kSteps);
    for (int i = 0; i < kSteps; ++i) {
        const CatalogueEntry* e = nullptr;
        do {
            e = &entries[random() % static_cast<unsigned>(entry_count)];
        } while (e->is_group || e->family == kFamilyRecording);
        Step step;
        copy_to_field(step.action, e->name);
        step.family = e->family;
        step.icon = e->icon;
        copy_to_field(step.onfail, i % 7 ? "Display Error and Stop" : "Continue");
        step.text = format("Window %d - \"Document & <Notes>\" {enter}", i);
        if (i % 5 == 0) step.comment = format("Step %d checks the result & goes on", i);
        if (i % 3 == 0) step.options = static_cast<uint32_t>(random() & 0x7000f0);  // no old mouse bits
        if (i % 4 == 0) copy_to_field(step.timeout, i % 8 ? "30" : "%wait");
        if (i % 11 == 0) copy_to_field(step.variable, format("%%result%d", i % 100));
        step.indents = i % 6;
        for (int n = 0; n < 3; ++n)
            if ((i + n) % (n + 2) == 0) copy_to_field(step.value[n], format("value %d of step %d", n + 1, i));
        s.steps.push_back(std::move(step));
    }
    // A few recordings spread through the script.
    for (int r = 0; r < 20; ++r) {
        Step& step = s.steps[static_cast<size_t>(r * (kSteps / 20))];
        copy_to_field(step.action, "Recording");
        step.family = kFamilyRecording;
        std::vector<RecordingEvent> events;
        for (int k = 0; k < 500; ++k)
            events.push_back({0x200u + static_cast<uint32_t>(k % 3), static_cast<uint32_t>(random() % 1280),
                              static_cast<uint32_t>(random() % 1024), static_cast<uint32_t>(k * 15), 0});
        const int32_t slot = s.add_recording(std::move(events));
        copy_to_field(step.value[0], "500");
        copy_to_field(step.value[1], std::to_string(slot));
    }
    return s;
}

double milliseconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(ec) / "zorbel_script_file_bench";
    std::filesystem::create_directories(folder, ec);
    const std::string path = (folder / "bench.zbx").string();

    const ScriptState script = make_script();
    SilentUserInterface ui;
    double best_save = 1e9, best_load = 1e9, total_save = 0, total_load = 0;
    int32_t loaded_steps = 0;
    bool identical = true;
    for (int round = 0; round < kRounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        if (!save_script(script, path, &ui)) {
            std::printf("save failed: %s\n", path.c_str());
            return 1;
        }
        double save_ms = milliseconds_since(start);

        ScriptState loaded;
        start = std::chrono::steady_clock::now();
        loaded_steps = load_script(&loaded, path, &ui);
        double load_ms = milliseconds_since(start);

        identical = identical && script_to_text(loaded) == script_to_text(script);
        best_save = std::min(best_save, save_ms);
        best_load = std::min(best_load, load_ms);
        total_save += save_ms;
        total_load += load_ms;
    }
    std::printf("script_file_bench: %d steps, %lld bytes, %d loaded, round trip %s\n", kSteps,
                static_cast<long long>(files::size(path)), loaded_steps, identical ? "identical" : "DIFFERENT");
    std::printf("save: best %.1f ms, mean %.1f ms\n", best_save, total_save / kRounds);
    std::printf("load: best %.1f ms, mean %.1f ms\n", best_load, total_load / kRounds);
    std::filesystem::remove_all(folder, ec);
    return 0;
}
