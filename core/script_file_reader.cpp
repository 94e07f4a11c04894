// Reading ".zbx" script files: the file checks, the version 4 hand-off and the scan
// of the step blocks.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <new>
#include <unordered_map>

#include "core/action_catalogue.h"
#include "core/legacy_import.h"
#include "core/script_file.h"
#include "core/script_xml.h"
#include "core/text_rules.h"
#include "platform/files.h"

namespace zorbel {

namespace {

constexpr std::string_view kStepOpen = "<step>";
constexpr std::string_view kStepClose = "</step>";
constexpr const char* kDefaultFailureMode = "Display Error and Stop";
constexpr size_t kXmlMarkWindow = 254;    // "<?xml" must stand within these first bytes
constexpr size_t kEventTextLimit = 259;   // characters of one "[...]" recording event
constexpr size_t kFirstEventCapacity = 256;  // the first recording buffer: 5120 bytes

// The next step block at or after `from`: "<step>" through "</step>". False when
// either tag is missing.
bool next_step_block(std::string_view text, size_t from, size_t* begin, size_t* end) {
    const size_t open = script_xml::find_markup(text, kStepOpen, from);
    if (open == std::string_view::npos) return false;
    const size_t close = script_xml::find_markup(text, kStepClose, open + kStepOpen.size());
    if (close == std::string_view::npos) return false;
    *begin = open;
    *end = close + kStepClose.size();
    return true;
}

size_t count_step_blocks(std::string_view text) {
    size_t count = 0, begin = 0, end = 0;
    while (next_step_block(text, end, &begin, &end)) ++count;
    return count;
}

using script_xml::Element;
using script_xml::StepBlock;

// Fixed fields hold their read limit plus the NUL: 63 characters for names, 259 for values.
template <size_t N>
void read_field(const StepBlock& block, std::string_view name, char (&field)[N]) {
    script_xml::decode_entities_to_field(block.find_element(name).content, field);
}

// The optional time elements: each one writes the timeout only when it is present.
void read_time_element(const StepBlock& block, std::string_view name, Step* step) {
    Element element = block.find_element(name);
    if (element.found) script_xml::decode_entities_to_field(element.content, step->timeout);
}

void read_onfail(const StepBlock& block, Step* step) {
    Element element = block.find_element("onfail");
    script_xml::decode_entities_to_field(element.content, step->onfail);
    if (step->onfail[0] == '\0') copy_to_field(step->onfail, kDefaultFailureMode);
    std::string_view raw;
    script_xml::attribute_raw(element.tag, "label", &raw);
    script_xml::decode_entities_to_field(raw, step->onfail_label);
    script_xml::attribute_raw(element.tag, "image", &raw);
    step->onfail_image = script_xml::decoded_number(raw);
    script_xml::attribute_raw(element.tag, "log", &raw);
    step->onfail_log = script_xml::decoded_number(raw);
}

void read_variable(const StepBlock& block, Step* step) {
    if (!block.has_closing_tag("variable")) return;
    char name[kNameFieldSize];
    script_xml::decode_entities_to_field(block.find_element("variable").content, name);
    // An empty element names no variable; a name always carries its "%".
    if (name[0] != '\0' && name[0] != '%') {
        step->variable[0] = '%';
        copy_to_field(step->variable + 1, sizeof(step->variable) - 1, field_text(name));
    } else {
        copy_to_field(step->variable, field_text(name));
    }
}

// find_action for every step of a long script costs a walk through the catalogue
// each time; scripts repeat their actions, so each spelling is looked up once.
class ActionLookup {
public:
    const CatalogueEntry* find(std::string_view name) {
        auto hit = found_.find(name);
        if (hit != found_.end()) return hit->second;
        const CatalogueEntry* entry = find_action(name);
        names_.emplace_back(name);
        found_.emplace(names_.back(), entry);
        return entry;
    }

private:
    std::deque<std::string> names_;  // stable storage for the keys
    std::unordered_map<std::string_view, const CatalogueEntry*> found_;
};

// Older mouse steps kept their movement options in bits 1, 2, 4 and 8; they now
// stand four places higher, and the other bits of such a step are dropped.
void convert_mouse_options(Step* step) {
    if (step->family != kFamilyMouse) return;
    std::string_view action = field_text(step->action);
    if (equals_ignore_case(action, "Move to Control") || equals_ignore_case(action, "Move to Window")) return;
    if (step->options & 0xFu) step->options = (step->options & 0xFu) << 4;
}

// The time field holds an unsigned tick count: the digits the text-to-number rule
// collects, read unsigned (the field never holds a "-": the line is split at them).
uint32_t tick_count_from_text(std::string_view text) {
    uint64_t value = 0;
    size_t collected = 0;
    for (char c : text) {
        if (c < '0' || c > '9') continue;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > UINT32_MAX) value = UINT32_MAX + uint64_t{1};  // clamp, keep reading
        if (++collected == 31) break;
    }
    return value > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(value);
}

// Parses "[message-second-first-time]" events.
std::vector<RecordingEvent> parse_recording(std::string_view content) {
    std::vector<RecordingEvent> events;
    events.reserve(kFirstEventCapacity);
    size_t at = 0;
    for (;;) {
        const size_t open = content.find('[', at);
        if (open == std::string_view::npos) break;
        const size_t close = content.find(']', open + 1);
        if (close == std::string_view::npos) break;
        std::string_view inner = content.substr(open + 1, std::min(close - open - 1, kEventTextLimit));
        RecordingEvent event{};
        event.message = static_cast<uint32_t>(text_to_number(list_item(inner, '-', 0)));
        event.param_second = static_cast<uint32_t>(text_to_number(list_item(inner, '-', 1)));
        event.param_first = static_cast<uint32_t>(text_to_number(list_item(inner, '-', 2)));
        event.time = tick_count_from_text(list_item(inner, '-', 3));
        event.window = 0;
        events.push_back(event);
        at = close + 1;
    }
    return events;
}

enum class StepRead { kOk, kStop };

// Reads the step block into the step just appended at `index`.
StepRead read_step(const StepBlock& block, int32_t index, ActionLookup* actions, ScriptState* script,
                   UserInterface* ui) {
    Step& step = script->steps[static_cast<size_t>(index)];
    read_field(block, "action", step.action);
    if (step.action[0] == '\0') {
        ui->error_box(format("Empty <action> tag in step #%d\n\nDiscontinuing file load at step #%d", index + 1,
                             index));
        return StepRead::kStop;
    }
    if (equals_ignore_case(field_text(step.action), "Move to Object")) copy_to_field(step.action, "Move to Control");
    if (const CatalogueEntry* entry = actions->find(field_text(step.action))) {
        step.family = entry->family;
        step.icon = entry->icon;
    }

    script_xml::decode_entities_to(block.find_element("text").content, script_xml::kWholeContent, &step.text);
    script_xml::decode_entities_to(block.find_element("comment").content, script_xml::kWholeContent, &step.comment);
    read_onfail(block, &step);
    step.status = script_xml::content_number(block.find_element("status"));
    step.indents = script_xml::content_number(block.find_element("indents"));
    step.options = static_cast<uint32_t>(script_xml::content_number(block.find_element("options")));
    if (block.has_closing_tag("loops")) read_time_element(block, "loops", &step);
    if (block.has_closing_tag("bytes")) read_time_element(block, "bytes", &step);
    if (block.has_closing_tag("speed"))
        read_time_element(block, "speed", &step);
    else
        read_time_element(block, "timeout", &step);
    for (int n = 0; n < kValueCount; ++n) read_field(block, script_xml::kValueNames[n], step.value[n]);
    read_variable(block, &step);
    convert_mouse_options(&step);

    if (step.family == kFamilyRecording) {
        if (script->recording_count >= kMaxRecordings) {
            ui->error_box(format("The maximum of %d recordings per script has been exceeded in this file.\n\n"
                                 "The file load cannot be completed.",
                                 kMaxRecordings));
            return StepRead::kStop;
        }
        Element recording = block.find_element("recording");
        if (recording.found && !recording.content.empty()) {
            std::vector<RecordingEvent> events = parse_recording(recording.content);
            const size_t count = events.size();
            const int32_t slot = script->add_recording(std::move(events));
            copy_to_field(step.value[0], std::to_string(count));
            copy_to_field(step.value[1], std::to_string(slot));
        }
    }
    return StepRead::kOk;
}

// The scan of an XML script already in memory; the caller has checked the "<?xml" mark.
int32_t load_xml_script(ScriptState* script, std::string_view text, const std::string& path, UserInterface* ui) {
    script->clear();
    ui->set_title("Zorbel");
    ui->set_status(0, " Drag or double-click an action from the list to add a new step");

    // Text ends at its first NUL, as it always has for the reader.
    text = text.substr(0, text.find('\0'));
    // One pass to size the step array, so a long script never moves its steps.
    try {
        script->steps.reserve(count_step_blocks(text));
    } catch (const std::bad_alloc&) {
        // Grow step by step instead.
    }

    StepBlock block;
    ActionLookup actions;
    size_t begin = 0, end = 0;
    while (next_step_block(text, end, &begin, &end)) {
        const int32_t index = script->insert_step(-1);
        if (index < 0) {
            ui->error_box("Out of memory error");
            break;
        }
        StepRead read = StepRead::kStop;
        try {
            block.assign(text.substr(begin, end - begin));
            read = read_step(block, index, &actions, script, ui);
        } catch (const std::bad_alloc&) {
            // A huge element in a damaged file: keep what was read before it.
            ui->error_box("Out of memory error");
        }
        if (read == StepRead::kStop) {
            // The step that stopped the load is not part of the script.
            script->delete_step(index);
            break;
        }
    }

    if (script->step_count() == 0) ui->error_box(format("No valid XML actions were found in '%s'", path.c_str()));
    script->script_path = path;
    ui->set_title(files::name_of(path) + " - Zorbel");
    ui->script_replaced();
    return script->step_count();
}

}  // namespace

bool is_xml_script_text(std::string_view text) {
    size_t window = std::min(text.size(), kXmlMarkWindow);
    window = std::min(window, text.find('\0'));
    return find_ignore_case(text.substr(0, window), "<?xml") != std::string_view::npos;
}

std::string clean_script_path(std::string_view path) {
    std::string unquoted;
    unquoted.reserve(path.size());
    for (char c : path)
        if (c != '"') unquoted.push_back(c);
    return trim_spaces(unquoted);
}

bool read_script_file(const std::string& path, UserInterface* ui, std::string* text) {
    const int64_t size = files::size(path);
    if (size <= 0) {
        ui->error_box(format("Unable to open file '%s'!\n\nPlease verify that the file exists (%lld).", path.c_str(),
                             static_cast<long long>(size)));
        ui->remove_recent_file(path);
        return false;
    }
    switch (files::read_all(path, text)) {
        case files::ReadResult::kOk:
            return true;
        case files::ReadResult::kOpenFailed:
            ui->remove_recent_file(path);
            ui->error_box(format("Unable to open file '%s'!\n\nPlease verify that the file is not already open.",
                                 path.c_str()));
            return false;
        case files::ReadResult::kOutOfMemory:
            ui->error_box("Out of memory error");
            return false;
        case files::ReadResult::kReadFailed:
            ui->error_box(format("Unable to read file '%s'", path.c_str()));
            return false;
    }
    return false;
}

int32_t load_script(ScriptState* script, const std::string& raw_path, UserInterface* ui) {
    const std::string path = clean_script_path(raw_path);
    std::string text;
    if (!read_script_file(path, ui, &text)) return 0;
    if (!is_xml_script_text(text)) {
        std::string().swap(text);
        return import_version4(script, path, ui);
    }
    return load_xml_script(script, text, path, ui);
}

int32_t load_script_text(ScriptState* script, const std::string& text, const std::string& path,
                         UserInterface* ui) {
    if (!is_xml_script_text(text)) return import_version4_text(script, text, path, ui);
    return load_xml_script(script, text, path, ui);
}

}  // namespace zorbel
