#include "core/legacy_reader.h"

#include <string>

#include "core/legacy_recording.h"
#include "core/legacy_repairs.h"
#include "core/text_rules.h"

namespace zorbel {

namespace {

bool is_line_break(char c) { return c == '\r' || c == '\n'; }

size_t skip_line_breaks(std::string_view text, size_t at) {
    while (at < text.size() && is_line_break(text[at])) ++at;
    return at;
}

// The usable part of one physical line: it ends at a NUL, as the text always did,
// and keeps at most the line limit; whatever stands beyond is not read.
std::string_view usable_line(std::string_view line) {
    line = line.substr(0, line.find('\0'));
    return line.substr(0, kLegacyLineLimit);
}

std::string cut(std::string_view field, size_t limit) { return std::string(field.substr(0, limit)); }

// Field 3 keeps its line breaks as vertical bars.
std::string bars_to_line_breaks(std::string_view field) { return replace_all(field, "|", "\r\n"); }

int32_t record_type(std::string_view field) {
    const int32_t type = text_to_number(field);
    return (type >= 1 && type <= kLegacyLastType) ? type : 1;
}

void report_truncated_recording(int record_number, size_t skipped, UserInterface* ui) {
    ui->error_box(format("The Recording in step #%d was not saved correctly.  The recording will be truncated "
                         "to match memory allocations (%d bytes).\n\nIt is recommended that you re-record the "
                         "actions.",
                         record_number, static_cast<int>(skipped)));
}

}  // namespace

bool is_version4_record_line(std::string_view line) {
    if (line.empty() || line[0] < '0' || line[0] > '9') return false;
    size_t tabs = 0;
    for (char c : line)
        if (c == '\t') ++tabs;
    return tabs == 9 || tabs == 11;
}

LegacyRecord parse_version4_line(std::string_view line) {
    std::string_view fields[kLegacyFieldCount];
    size_t start = 0;
    for (int n = 0; n < kLegacyFieldCount && start <= line.size(); ++n) {
        size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) tab = line.size();
        fields[n] = line.substr(start, tab - start);
        start = tab + 1;
    }
    LegacyRecord record;
    record.type = record_type(fields[0]);
    record.text = cut(fields[1], kLegacyTextLimit);
    record.value = cut(fields[2], kLegacyShortLimit);
    record.second_text = bars_to_line_breaks(fields[3].substr(0, kLegacyTextLimit));
    record.status = text_to_number(fields[4]);
    record.options = static_cast<uint32_t>(text_to_number(fields[5]));
    record.slot = record.type == kLegacyTypeRecording ? text_to_number(fields[6]) : 0;
    record.flags = static_cast<uint32_t>(text_to_number(fields[7]));
    record.target = cut(fields[8], kLegacyShortLimit);
    record.variable = cut(fields[9], kLegacyShortLimit);
    return record;
}

LegacyReadResult read_version4_records(std::string_view text, UserInterface* ui,
                                       std::vector<LegacyRecord>* records) {
    bool accept_every_line = false;
    bool truncation_reported = false;
    int recordings = 0;
    size_t at = 0;
    for (;;) {
        at = skip_line_breaks(text, at);
        if (at >= text.size()) break;
        size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = usable_line(text.substr(at, end - at));
        at = end;

        const int record_number = static_cast<int>(records->size()) + 1;
        if (!accept_every_line && !is_version4_record_line(line)) {
            const Answer answer = ui->ask_yes_no(
                "Load File",
                format("Line #%d does not appear to be a valid Zorbel v4 record.\n\nContinue anyway?", record_number));
            if (answer != Answer::kYes) return LegacyReadResult::kCancelled;
            accept_every_line = true;
        }

        LegacyRecord record = parse_version4_line(line);
        repair_version4_record(&record);
        if (record.type == kLegacyTypeRecording) {
            if (recordings >= kLegacyMaxRecordings) {
                // The recording that does not fit is left out with everything after it.
                ui->titled_error_box("Maximum Recordings",
                                     format("The maximum of %d recordings per script has been exceeded in this "
                                            "file.\n\nThe file load cannot be completed.",
                                            kLegacyMaxRecordings));
                break;
            }
            EventBlock block = read_event_block(text, skip_line_breaks(text, at), text_to_number(record.value));
            record.events = std::move(block.events);
            record.slot = recordings++;
            // Whatever stands between the block and the next record line is skipped.
            const size_t after_block = skip_line_breaks(text, block.end);
            const size_t next = next_record_line(text, after_block);
            size_t stray_end = next;
            while (stray_end > after_block && is_line_break(text[stray_end - 1])) --stray_end;
            const size_t skipped = stray_end - after_block;
            if ((skipped > 0 || block.short_block) && !truncation_reported) {
                report_truncated_recording(record_number, skipped, ui);
                truncation_reported = true;
            }
            at = next;
        }
        records->push_back(std::move(record));
    }
    return LegacyReadResult::kComplete;
}

}  // namespace zorbel
