#include "core/legacy_recording.h"

#include "core/legacy_record.h"
#include "core/text_rules.h"

namespace zorbel {

namespace {

bool is_line_end(char c) { return c == '\r' || c == '\n'; }

bool starts_record_line(std::string_view text, size_t at) {
    return (at + 1 < text.size() && text[at + 1] == '\t') || (at + 2 < text.size() && text[at + 2] == '\t');
}

uint32_t part_number(std::string_view bytes, size_t from, size_t width) {
    return static_cast<uint32_t>(text_to_number(bytes.substr(from, width)));
}

}  // namespace

RecordingEvent parse_version4_event(std::string_view bytes) {
    RecordingEvent event{};
    event.window = part_number(bytes, 0, 4);
    event.message = part_number(bytes, 4, 4);
    event.param_second = part_number(bytes, 8, 4);
    event.param_first = part_number(bytes, 12, 4);
    event.time = part_number(bytes, 16, 8);
    return event;
}

EventBlock read_event_block(std::string_view text, size_t at, int64_t count) {
    EventBlock block;
    block.end = at < text.size() ? at : text.size();
    if (count < 1) return block;
    // Never reserve more than the rest of the file can hold.
    const size_t room = (text.size() - block.end) / kLegacyEventSize;
    block.events.reserve(static_cast<size_t>(count) < room ? static_cast<size_t>(count) : room);
    for (int64_t n = 0; n < count; ++n) {
        if (text.size() - block.end < kLegacyEventSize) break;
        std::string_view bytes = text.substr(block.end, kLegacyEventSize);
        if (bytes.find_first_of("\t\r\n") != std::string_view::npos) break;
        block.events.push_back(parse_version4_event(bytes));
        block.end += kLegacyEventSize;
    }
    block.short_block = static_cast<int64_t>(block.events.size()) < count;
    return block;
}

size_t next_record_line(std::string_view text, size_t at) {
    for (;;) {
        while (at < text.size() && is_line_end(text[at])) ++at;
        if (at >= text.size()) return text.size();
        if (starts_record_line(text, at)) return at;
        at = text.find_first_of("\r\n", at);
        if (at == std::string_view::npos) return text.size();
    }
}

}  // namespace zorbel
