// One record of a version 4 script file, as read from its line (and, for a
// recording, from the event block that follows the line).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/step_record.h"

namespace zorbel {

// Field limits of a version 4 record line.
constexpr size_t kLegacyTextLimit = 511;   // fields 1 and 3
constexpr size_t kLegacyShortLimit = 31;   // fields 2, 8 and 9
constexpr size_t kLegacyLineLimit = 1143;  // bytes of one line
constexpr int kLegacyFieldCount = 10;      // fields used; a line may carry 12
constexpr int kLegacyMaxRecordings = 64;   // recordings one version 4 file may hold
constexpr size_t kLegacyEventSize = 24;    // bytes of one recorded event

// Record types 1..17; anything else in the file reads as 1.
constexpr int32_t kLegacyTypeRecording = 8;
constexpr int32_t kLegacyLastType = 17;

// Flag bits (field 7): the low byte is the failure mode.
constexpr uint32_t kLegacyFlagModeMask = 0xFF;
constexpr uint32_t kLegacyFlagLog = 0x1000;
constexpr uint32_t kLegacyFlagImage = 0x2000;

struct LegacyRecord {
    int32_t type = 1;          // field 0
    std::string text;          // field 1
    std::string value;         // field 2: time value, event count and others
    std::string second_text;   // field 3, with each "|" already turned into CR LF
    int32_t status = 0;        // field 4
    uint32_t options = 0;      // field 5
    int32_t slot = 0;          // field 6: recording slot (recordings only)
    uint32_t flags = 0;        // field 7
    std::string target;        // field 8: 1-based step number of a jump, or a label
    std::string variable;      // field 9
    std::vector<RecordingEvent> events;  // a recording's events, as read from its block
};

}  // namespace zorbel
