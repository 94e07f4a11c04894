#include "packager/script_payload.h"

#include <algorithm>
#include <cstdio>

#include "core/action_catalogue.h"
#include "core/text_rules.h"

namespace zorbel {

std::string recording_text(const ScriptState& script, const Step& step) {
    const int32_t wanted = text_to_number(field_text(step.value[0]));
    const int32_t slot = text_to_number(field_text(step.value[1]));
    std::string out;
    if (wanted <= 0 || slot < 0 || slot >= kMaxRecordings) return out;
    const std::vector<RecordingEvent>& events = script.recordings[static_cast<size_t>(slot)];
    const size_t count = std::min(static_cast<size_t>(wanted), events.size());
    char line[64];
    for (size_t i = 0; i < count; ++i) {
        const RecordingEvent& e = events[i];
        int n = std::snprintf(line, sizeof(line), "[%04d-%04d-%04d-%08lu]\n", static_cast<int32_t>(e.message),
                              static_cast<int32_t>(e.param_second), static_cast<int32_t>(e.param_first),
                              static_cast<unsigned long>(e.time));
        out.append(line, static_cast<size_t>(n));
    }
    return out;
}

ScriptPayload build_script_payload(const ScriptState& script) {
    ScriptPayload payload;
    payload.steps.resize(script.steps.size() * sizeof(PackedStep));
    size_t at = 0;
    for (const Step& step : script.steps) {
        std::string text = step.family == kFamilyRecording ? recording_text(script, step)
                                                           : step.text.substr(0, step.text.find('\0'));
        const uint32_t block = std::max<uint32_t>(static_cast<uint32_t>(text.size() + 1), kMinTextBlock);
        const size_t start = payload.texts.size();
        payload.texts.resize(start + block, 0);
        std::copy(text.begin(), text.end(), payload.texts.begin() + static_cast<std::ptrdiff_t>(start));
        PackedStep packed;
        pack_step(step, &packed);
        packed.text_size = block;
        std::memcpy(payload.steps.data() + at, &packed, sizeof(packed));
        at += sizeof(packed);
    }
    return payload;
}

namespace {

// One field of an event: an optional "-" and digits; moves `at` past a following "-".
uint64_t next_field(const std::string& inner, size_t* at, bool* negative) {
    *negative = *at < inner.size() && inner[*at] == '-';
    if (*negative) ++*at;
    uint64_t value = 0;
    int digits = 0;
    while (*at < inner.size() && inner[*at] >= '0' && inner[*at] <= '9') {
        if (digits++ < 12) value = value * 10 + static_cast<uint64_t>(inner[*at] - '0');
        ++*at;
    }
    if (*at < inner.size() && inner[*at] == '-') ++*at;
    return value;
}

}  // namespace

std::vector<RecordingEvent> parse_recording_text(const std::string& text) {
    std::vector<RecordingEvent> events;
    size_t at = 0;
    for (;;) {
        const size_t open = text.find('[', at);
        if (open == std::string::npos) break;
        const size_t close = text.find(']', open + 1);
        if (close == std::string::npos) break;
        const std::string inner = text.substr(open + 1, close - open - 1);
        uint32_t fields[4] = {};
        size_t pos = 0;
        for (int i = 0; i < 4; ++i) {
            bool negative = false;
            const uint64_t value = next_field(inner, &pos, &negative);
            const uint32_t clamped = value > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(value);
            fields[i] = negative ? 0u - clamped : clamped;
        }
        events.push_back(RecordingEvent{fields[0], fields[2], fields[1], fields[3], 0});
        at = close + 1;
    }
    return events;
}

bool load_script_payload(ResourceReader& resources, const std::string& own_path, ScriptState* script) {
    script->clear();
    Bytes steps, texts;
    if (!resources.read(kResourceRcData, kStepsResource, &steps) ||
        !resources.read(kResourceRcData, kTextsResource, &texts) || steps.size() % sizeof(PackedStep) != 0)
        return false;
    const size_t count = steps.size() / sizeof(PackedStep);
    size_t at = 0;
    for (size_t i = 0; i < count; ++i) {
        PackedStep packed;
        std::memcpy(&packed, steps.data() + i * sizeof(PackedStep), sizeof(packed));
        const size_t size = std::min<size_t>(packed.text_size, texts.size() - at);
        std::string text(reinterpret_cast<const char*>(texts.data() + at), size);
        at += size;
        text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
        Step step = unpack_step(packed, text, std::string());
        if (step.family == kFamilyRecording) {
            std::vector<RecordingEvent> events = parse_recording_text(step.text);
            step.text.clear();
            copy_to_field(step.value[0], std::to_string(events.size()));
            int32_t slot = events.empty() ? 0 : script->add_recording(std::move(events));
            if (slot < 0) {
                script->clear();
                return false;
            }
            copy_to_field(step.value[1], std::to_string(slot));
        }
        script->steps.push_back(std::move(step));
    }
    script->script_path = own_path;
    return true;
}

}  // namespace zorbel
