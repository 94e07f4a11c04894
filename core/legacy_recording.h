// The event block of a version 4 recording: events of 24 bytes written as ASCII
// decimal parts of 4, 4, 4, 4 and 8 characters, directly after the record's line.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/step_record.h"

namespace zorbel {

// One event from its 24 bytes: part 1 is the window, part 2 the message, part 3
// the second parameter, part 4 the first parameter and part 5 the time.
RecordingEvent parse_version4_event(std::string_view bytes);

struct EventBlock {
    std::vector<RecordingEvent> events;
    size_t end = 0;            // just after the last whole event read
    bool short_block = false;  // the file held fewer events than the record announced
};

// Reads up to `count` events starting at `at`. The block never runs past the end
// of the file, into a line break or into a TAB (event bytes are digits, and a record
// line has a TAB within its first three bytes), whatever the count says; a count
// below 1 reads none.
EventBlock read_event_block(std::string_view text, size_t at, int64_t count);

// The first position at or after `at` that starts a record line (a line whose
// byte 1 or 2 is a TAB); `at` itself counts as a line start, and line breaks
// before it are passed over. text.size() when none.
size_t next_record_line(std::string_view text, size_t at);

}  // namespace zorbel
