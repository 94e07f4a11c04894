#include "core/legacy_import.h"

#include <new>

#include "core/legacy_conversion.h"
#include "core/legacy_jumps.h"
#include "core/legacy_reader.h"
#include "core/script_file.h"
#include "core/text_rules.h"
#include "platform/files.h"

namespace zorbel {

namespace {

// Version 4 files start with a short type number and a TAB.
bool looks_like_version4(const std::string& text) {
    return (text.size() > 1 && text[1] == '\t') || (text.size() > 2 && text[2] == '\t');
}

void add_recording(LegacyRecord* record, ScriptState* script, Step* step) {
    // The count is what the file really held, so the step never names more events
    // than its slot has.
    const size_t count = record->events.size();
    const int32_t slot = script->add_recording(std::move(record->events));
    copy_to_field(step->value[0], std::to_string(count));
    copy_to_field(step->value[1], std::to_string(slot));
}

}  // namespace

int32_t convert_version4_records(std::vector<LegacyRecord> records, ScriptState* script, UserInterface* ui) {
    script->clear();
    try {
        script->steps.reserve(records.size() + kLegacyMaxJumpTargets);
    } catch (const std::bad_alloc&) {
        // Grow step by step instead.
    }
    ConversionState state;
    for (LegacyRecord& record : records) {
        const int32_t index = script->insert_step(-1);
        if (index < 0) {
            ui->error_box("Out of memory error");
            break;
        }
        Step& step = script->steps[static_cast<size_t>(index)];
        convert_version4_record(record, index, &state, &step);
        if (record.type == kLegacyTypeRecording) add_recording(&record, script, &step);
    }
    resolve_version4_jumps(state.jumps, script);
    return script->step_count();
}

int32_t import_version4_text(ScriptState* script, const std::string& text, const std::string& path,
                             UserInterface* ui) {
    if (!looks_like_version4(text)) {
        ui->titled_error_box(
            "Load Error",
            format("%s\n\nThis file does not appear to be a valid Zorbel file (v4 or v5).", path.c_str()));
        return 0;
    }
    std::vector<LegacyRecord> records;
    // Nothing changes until the whole file has been read: a cancelled import keeps the open script.
    if (read_version4_records(text, ui, &records) == LegacyReadResult::kCancelled) return 0;
    const int32_t count = convert_version4_records(std::move(records), script, ui);
    ui->set_title(files::name_of(path) + " - Zorbel");
    ui->script_replaced();
    return count;
}

int32_t import_version4(ScriptState* script, const std::string& raw_path, UserInterface* ui) {
    const std::string path = clean_script_path(raw_path);
    std::string text;
    if (!read_script_file(path, ui, &text)) return 0;
    return import_version4_text(script, text, path, ui);
}

}  // namespace zorbel
