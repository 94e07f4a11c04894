// Writing ".zbx" script files: the exact bytes of every step and the safe replace
// of the file on disk.
#include <algorithm>
#include <cstdio>
#include <new>

#include "core/action_catalogue.h"
#include "core/script_file.h"
#include "core/script_xml.h"
#include "core/text_rules.h"
#include "platform/files.h"

namespace zorbel {

namespace {

constexpr const char* kDefaultFailureMode = "Display Error and Stop";

// Texts are C strings to the rest of the program: nothing after a NUL is written.
std::string_view c_text(const std::string& text) { return std::string_view(text.c_str()); }

void append_int(std::string* out, int32_t value) {
    char digits[16];
    int n = std::snprintf(digits, sizeof(digits), "%d", value);
    out->append(digits, static_cast<size_t>(n));
}

// "\t<name>" value "</name>\r\n", the value escaped or as it is.
void append_line(std::string* out, std::string_view name, std::string_view value, bool escape) {
    out->append("\t<").append(name).append(">");
    if (escape)
        script_xml::append_escaped(out, value);
    else
        out->append(value);
    out->append("</").append(name).append(">\r\n");
}

void append_number_line(std::string* out, std::string_view name, int32_t value) {
    out->append("\t<").append(name).append(">");
    append_int(out, value);
    out->append("</").append(name).append(">\r\n");
}

bool timeout_is_written(std::string_view timeout) {
    return !timeout.empty() && (timeout.find('%') != std::string_view::npos || text_to_number(timeout) != 0);
}

void append_onfail(std::string* out, const Step& step) {
    std::string_view mode = field_text(step.onfail);
    std::string_view label = field_text(step.onfail_label);
    const bool has_extras = !label.empty() || step.onfail_image != 0 || step.onfail_log != 0;
    if (!has_extras && (mode.empty() || mode == kDefaultFailureMode)) return;
    if (has_extras) {
        out->append("\t<onfail label=\"").append(label).append("\" image=\"");
        append_int(out, step.onfail_image);
        out->append("\" log=\"");
        append_int(out, step.onfail_log);
        out->append("\">");
    } else {
        out->append("\t<onfail>");
    }
    out->append(mode).append("</onfail>\r\n");
}

// The events of the step's recording slot, as many as value1 says. A count beyond
// what the slot holds, or a slot that does not exist, writes only the events there are.
void append_recording(std::string* out, const ScriptState& script, const Step& step) {
    out->append("\t<recording>\r\n");
    const int32_t wanted = text_to_number(field_text(step.value[0]));
    const int32_t slot = text_to_number(field_text(step.value[1]));
    if (wanted > 0 && slot >= 0 && slot < kMaxRecordings) {
        const std::vector<RecordingEvent>& events = script.recordings[static_cast<size_t>(slot)];
        const size_t count = std::min(static_cast<size_t>(wanted), events.size());
        char line[64];
        for (size_t i = 0; i < count; ++i) {
            const RecordingEvent& e = events[i];
            // The time is a tick count: written unsigned, so one taken after 24.8 days
            // of uptime does not turn into a "-" that splits the line wrongly.
            int n = std::snprintf(line, sizeof(line), "\t[%04d-%04d-%04d-%08lu]\t\n", static_cast<int32_t>(e.message),
                                  static_cast<int32_t>(e.param_second), static_cast<int32_t>(e.param_first),
                                  static_cast<unsigned long>(e.time));
            out->append(line, static_cast<size_t>(n));
        }
    }
    out->append("\t</recording>\r\n");
}

void append_step(std::string* out, const ScriptState& script, const Step& step) {
    out->append("<step>\r\n");
    append_line(out, "action", field_text(step.action), false);
    if (!c_text(step.text).empty()) append_line(out, "text", c_text(step.text), true);
    if (!c_text(step.comment).empty()) append_line(out, "comment", c_text(step.comment), true);
    if (step.options != 0) append_number_line(out, "options", static_cast<int32_t>(step.options));
    if (timeout_is_written(field_text(step.timeout))) append_line(out, "timeout", field_text(step.timeout), false);
    append_onfail(out, step);
    if (step.status != 0) append_number_line(out, "status", step.status);
    if (step.indents != 0) append_number_line(out, "indents", step.indents);
    if (!field_text(step.variable).empty()) append_line(out, "variable", field_text(step.variable), true);
    for (int n = 0; n < kValueCount; ++n) {
        std::string_view value = field_text(step.value[n]);
        if (value.empty()) continue;
        append_line(out, script_xml::kValueNames[n], value, true);
    }
    if (step.family == kFamilyRecording) append_recording(out, script, step);
    out->append("</step>\r\n");
}

void report_write_failure(int stage, const std::string& path, const std::string& reason, UserInterface* ui,
                          std::string* error_text) {
    ui->set_status(0, format("(%d) Unable to create file '%s': %s", stage, path.c_str(), reason.c_str()));
    if (error_text) *error_text = reason;
}

bool is_bare_drive(const std::string& folder) { return folder.size() == 2 && folder[1] == ':'; }

}  // namespace

std::string script_to_text(const ScriptState& script) {
    std::string out;
    // A first guess at the size, so a long script is not copied again and again.
    size_t guess = 64;
    for (const Step& step : script.steps) guess += 160 + step.text.size() + step.comment.size();
    out.reserve(guess);
    out.append("<?xml version=\"1.0\" ?>\r\n<Zorbel>\r\n");
    for (const Step& step : script.steps) append_step(&out, script, step);
    out.append("</Zorbel>");
    return out;
}

int save_script(const ScriptState& script, const std::string& path, UserInterface* ui, std::string* error_text) {
    if (find_ignore_case(path, ".zbp") != std::string::npos) {
        Answer answer = ui->ask_yes_no(
            "Save",
            "You have chosen file name that has the ZBP extension.  If you save this file, it will be saved in XML "
            "format, and can only be opened with VERSION 5 OR GREATER.\n\nIt is recommended that you save with a "
            "different file name, or use the .ZBX extension.\n\nDo you want to continue?");
        if (answer != Answer::kYes) return 0;
    }
    const std::string folder = files::folder_of(path);
    if (!folder.empty() && !is_bare_drive(folder) && !files::create_folders(folder)) {
        report_write_failure(1, path, files::last_error_text(), ui, error_text);
        return 0;
    }
    std::string text;
    try {
        text = script_to_text(script);
    } catch (const std::bad_alloc&) {
        report_write_failure(2, path, "Out of memory error", ui, error_text);
        return 0;
    }
    // The old file stays as it is until the new one is completely written.
    int stage = 0;
    if (!files::write_replacing(path, text, &stage)) {
        report_write_failure(stage == 1 ? 1 : 2, path, files::last_error_text(), ui, error_text);
        return 0;
    }
    return 1;
}

}  // namespace zorbel
