// Reading the record lines of a version 4 script file (with the event blocks of
// its recordings) into records, before any conversion.
#pragma once
#include <string_view>
#include <vector>

#include "core/legacy_record.h"
#include "core/user_interface.h"

namespace zorbel {

// A record line: 9 or 11 TABs, and a digit first.
bool is_version4_record_line(std::string_view line);

// The record of one line, fields cut to their limits, each "|" of field 3 turned
// into CR LF. Missing fields read empty (or 0); fields after the tenth are ignored.
LegacyRecord parse_version4_line(std::string_view line);

enum class LegacyReadResult { kComplete, kCancelled };

// Reads every line of `text` (a whole file) into `records`, repaired. The first
// line that is not a record line asks "Load File": No (or Cancel) gives kCancelled;
// Yes accepts it and every later line without asking again. Too many recordings
// end the reading early with the records so far (kComplete).
LegacyReadResult read_version4_records(std::string_view text, UserInterface* ui, std::vector<LegacyRecord>* records);

}  // namespace zorbel
