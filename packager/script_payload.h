// The script as a compiled program carries it: resource 104 (the packed step records)
// and resource 105 (each step's text block), and the player's reading of both.
#pragma once
#include <cstdint>
#include <string>

#include "core/script_state.h"
#include "packager/resource_store.h"

namespace zorbel {

constexpr uint16_t kStepsResource = 104;
constexpr uint16_t kTextsResource = 105;
constexpr uint32_t kMinTextBlock = 256;

// The events of a Record Actions step's recording as text, one "[...]" line per event,
// in the script file's field order with the time unsigned. A slot outside the script's
// recordings gives no events.
std::string recording_text(const ScriptState& script, const Step& step);

// Resource 104 and 105 for `script` (recording steps carry their events as text).
// Each text block is the text up to its first NUL, zero-filled to at least
// kMinTextBlock bytes, so nothing but the text ships in the file.
struct ScriptPayload {
    Bytes steps;
    Bytes texts;
};
ScriptPayload build_script_payload(const ScriptState& script);

// The events in a recording text: "[message-second-first-time]" each; a "-" right
// after a separator is a minus sign.
std::vector<RecordingEvent> parse_recording_text(const std::string& text);

// Rebuilds `script` from resources 104 and 105. Returns false (script emptied) when a
// resource is missing, 104 is not a whole number of records, or the recordings do not
// fit. Comments are empty; recordings take fresh slots as the file loader gives them.
bool load_script_payload(ResourceReader& resources, const std::string& own_path, ScriptState* script);

}  // namespace zorbel
