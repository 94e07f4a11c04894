#include "packager/compile_command_win.h"

#include "app/run_program_win.h"
#include "core/script_file.h"
#include "core/text_rules.h"
#include "engine/settings_store.h"
#include "packager/compile_switch.h"
#include "packager/compile_win.h"
#include "packager/stub_image.h"

namespace zorbel {

namespace {

// Messages of the load go to the log as "Compile: ..." lines instead of boxes.
class LoggingUserInterface : public SilentUserInterface {
public:
    explicit LoggingUserInterface(std::string path) : path_(std::move(path)) {}
    void error_box(const std::string& text) override { line(text); }
    void titled_error_box(const std::string&, const std::string& text) override { line(text); }
    void line(const std::string& text) {
        std::string flat = replace_all(replace_all(text, "\r", ""), "\n\n", " ");
        flat = replace_all(flat, "\n", " ");
        if (flat.rfind("Compile:", 0) != 0) flat = "Compile: " + flat;
        while (!flat.empty() && (flat.back() == '\n' || flat.back() == '\r')) flat.pop_back();
        append_to_file(path_, flat + "\r\n");
    }

private:
    std::string path_;
};

std::string stored_text(SettingsStore& store, const char* name, const char* missing) {
    StoredValue value;
    if (!store.read_value(SettingsRoot::kCurrentUser, kSettingsKey, name, &value)) return missing;
    return stored_value_text(value);
}

CompileSettings stored_settings(SettingsStore& store) {
    CompileSettings s;
    const auto number = [&](const char* name) { return setting_number(store, std::string("SOFTWARE\\Zorbel\\") + name); };
    s.icon = stored_text(store, "Compile_Icon", "");
    s.version.version = stored_text(store, "Compile_Version", "1.0");
    s.version.copyright = stored_text(store, "Compile_Copyright", "");
    s.version.description = stored_text(store, "Compile_Description", "");
    s.include = number("Compile_Include") != 0;
    s.exclude = stored_text(store, "Compile_Exclude", "EXE DLL");
    s.delete_unpacked = number("Compile_Delete") != 0;
    s.self_delete = number("Compile_SelfDelete") != 0;
    s.extract_to = stored_text(store, "Compile_ExtractTo", "");
    s.package = stored_text(store, "Compile_Package", "");
    s.max = number("Compile_Max");
    return s;
}

std::string module_path() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

long long file_size(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

}  // namespace

bool run_compile_command(HINSTANCE instance, const std::string& command_line, int* exit_code) {
    std::string rest = command_line;
    std::string output;
    if (!take_compile_switch(&rest, &output)) return false;
    RunProgram program(instance);
    CommandLine line = parse_command_line(rest);
    program.apply_command_line(line);
    const std::string log_path = program.log.file_path();
    LoggingUserInterface log(log_path.empty() ? std::string("C:\\ZorbelLog.txt") : log_path);
    program.services.ui = &log;

    const std::string script_path = clean_script_path(line.file);
    if (output.empty() && !script_path.empty()) output = output_exe_name(script_path);
    if (!script_path.empty() && load_script(&program.script, script_path, &log) == 0)
        program.script.clear();

    CompileJob job;
    job.settings = stored_settings(program.store);
    job.settings.output = output.empty() ? output : output_exe_name(output);
    job.editor_path = module_path();
    job.expand = [&](const std::string& text) { return program.expander->expanded(text); };
    CompileReport report;
    const int code = compile_script(program.script, job, &report);
    for (const std::string& l : report.log_lines) log.line(l);
    for (const std::string& m : report.messages) log.line(m);
    log.line(compile_result_text(job.settings.output, code, file_size(job.settings.output)));
    *exit_code = code < 0 ? code : 0;
    return true;
}

}  // namespace zorbel
