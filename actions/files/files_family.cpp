// The Files/Folders family (9): files read, written, copied, moved, deleted and
// resized; lines read and counted; folders made, copied, moved and removed; the
// current folder, a file association and network drives.
#include "actions/families.h"
#include "actions/files/file_association.h"
#include "actions/files/file_helpers.h"
#include "actions/files/read_file_line.h"
#include "actions/programs/program_paths.h"
#include "actions/programs/start_process.h"
#include "core/text_rules.h"
#include "core/user_interface.h"
#include "engine/expansion_environment.h"
#include "engine/variables.h"

namespace zorbel {

namespace {

// Where a name is looked for: everywhere programs are (reading actions), or only as
// given, in the current folder and in the script's folder (actions that change or
// remove what they find, so a bare name never reaches a system folder).
enum class Search { kEverywhere, kNearby };

FileSystem& files_of(RunContext& context) { return *context.desktop().files; }

int fail_quietly(RunContext& context) {
    context.run.error_text.clear();
    return kStepFailed;
}
int unknown_action(RunContext& context, Step&) { return fail_quietly(context); }

bool blank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

// The step's file or folder (value1) expanded and located; false (the step failed)
// when it expands to nothing.
bool located_name(RunContext& context, Step& step, Search search, std::string* out) {
    const std::string name = context.text_of(step.value[0]);
    if (blank(name)) {
        context.fail("No file or folder name provided");
        return false;
    }
    ProgramLookup lookup = program_lookup(context);
    if (search == Search::kEverywhere) resolve_program_path(lookup, name, context.script.script_path, out);
    else resolve_for_change(lookup, name, context.script.script_path, out);
    return true;
}

// The destination of a copy or move: a bare name lands in the source's folder.
std::string destination_of(RunContext& context, Step& step, const std::string& source) {
    std::string destination = context.text_of(step.text);
    if (destination.find('\\') == std::string::npos) {
        const std::string folder = folder_part(source);
        if (!folder.empty()) destination = (folder.back() == '\\' ? folder : folder + "\\") + destination;
    }
    return destination;
}

void save(RunContext& context, Step& step, const std::string& data) {
    save_result(context.services, step.options, field_text(step.variable), data, nullptr);
}

int read_file(RunContext& context, Step& step) {
    if (!equals_ignore_case(step.action, "Read File")) return fail_quietly(context);
    std::string file;
    if (!located_name(context, step, Search::kEverywhere, &file)) return kStepFailed;
    int64_t start = context.number_of(step.value[1]);
    if (start < 0) start = 0;
    const int64_t stop = context.number_of(step.value[2]);
    const int64_t size = files_of(context).size(file);
    if (size < 0) return context.fail("Unable to read '%s'", file.c_str());
    if (stop != 0 && stop < start)
        return context.fail("The stop position %lld lies before the start position %lld", static_cast<long long>(stop),
                            static_cast<long long>(start));
    const int64_t end = stop == 0 || stop > size ? size : stop;
    const size_t count = end > start ? static_cast<size_t>(end - start) : 0;
    std::string data;
    bool read_failed = false;
    if (!files_of(context).read_range(file, start, count, &data, &read_failed))
        return context.fail("Unable to read '%s'", file.c_str());
    if (read_failed) context.run.error_text = files_of(context).last_error_text();
    save(context, step, data);
    return kStepSucceeded;
}

int read_line(RunContext& context, Step& step) {
    std::string file;
    if (!located_name(context, step, Search::kEverywhere, &file)) return kStepFailed;
    std::string line;
    if (read_file_line(file, context.number_of(step.value[1]), &line) == 0) return fail_quietly(context);
    save(context, step, line);
    return kStepSucceeded;
}

int count_lines(RunContext& context, Step& step) {
    std::string file;
    if (!located_name(context, step, Search::kEverywhere, &file)) return kStepFailed;
    save(context, step, std::to_string(count_file_lines(file)));
    return kStepSucceeded;
}

int write_file(RunContext& context, Step& step) {
    std::string file;
    if (!located_name(context, step, Search::kNearby, &file)) return kStepFailed;
    const int32_t offset = context.number_of(step.value[1]);
    switch (write_file_at(files_of(context), file, offset < 0 ? -1 : offset, context.text_of(step.text))) {
        case files::WriteOutcome::kOk: return kStepSucceeded;
        case files::WriteOutcome::kOpenFailed: return context.fail("Unable to write/create '%s'", file.c_str());
        case files::WriteOutcome::kWriteFailed: break;
    }
    return context.fail("%s", files_of(context).last_error_text().c_str());
}

int copy_or_move_file(RunContext& context, Step& step) {
    const bool move = contains_ignore_case(step.action, "Move");
    std::string source;
    if (!located_name(context, step, move ? Search::kNearby : Search::kEverywhere, &source)) return kStepFailed;
    const std::string destination = destination_of(context, step, source);
    FileSystem& files = files_of(context);
    const std::string folder = folder_part(destination);
    if (!folder.empty()) create_folder_tree(files, folder);
    if (!files.copy_file(source, destination)) return fail_quietly(context);
    if (move && !files.delete_file(source)) return fail_quietly(context);
    return kStepSucceeded;
}

int delete_files(RunContext& context, Step& step) {
    std::string pattern;
    if (!located_name(context, step, Search::kNearby, &pattern)) return kStepFailed;
    return delete_matching_files(files_of(context), pattern) > 0 ? kStepSucceeded : fail_quietly(context);
}

int change_size(RunContext& context, Step& step) {
    std::string file;
    if (!located_name(context, step, Search::kNearby, &file)) return kStepFailed;
    return set_file_size(files_of(context), file, context.number_of(step.value[1])) ? kStepSucceeded
                                                                                    : fail_quietly(context);
}

int set_association(RunContext& context, Step& step) {
    std::string program;
    if (!located_name(context, step, Search::kEverywhere, &program)) return kStepFailed;
    const std::string extension = context.text_of(step.value[1]);
    if (blank(extension)) return context.fail("No file extension provided");
    if (!context.services.store) return fail_quietly(context);
    if (!set_file_association(*context.services.store, extension, program, context.text_of(step.text)))
        return context.fail("Unable to register the file association for '%s'", extension.c_str());
    files_of(context).notify_association_changed();
    return kStepSucceeded;
}

int set_current_folder(RunContext& context, Step& step) {
    std::string folder;
    if (!located_name(context, step, Search::kEverywhere, &folder)) return kStepFailed;
    return files_of(context).set_current_folder(folder) ? kStepSucceeded : fail_quietly(context);
}

int create_folder(RunContext& context, Step& step) {
    std::string folder;
    if (!located_name(context, step, Search::kEverywhere, &folder)) return kStepFailed;
    return create_folder_tree(files_of(context), folder) ? kStepSucceeded : fail_quietly(context);
}

int copy_or_move_folder(RunContext& context, Step& step) {
    const bool move = contains_ignore_case(step.action, "Move");
    std::string source;
    if (!located_name(context, step, move ? Search::kNearby : Search::kEverywhere, &source)) return kStepFailed;
    FileSystem& files = files_of(context);
    const std::string destination = destination_of(context, step, source);
    if (same_or_inside(files.full_path(destination), files.full_path(source)))
        return context.fail("The destination '%s' is the folder '%s' or lies inside it", destination.c_str(),
                            source.c_str());
    if (!copy_folder_tree(files, source, destination)) return fail_quietly(context);
    if (move && !remove_folder_tree(files, source, true)) return fail_quietly(context);
    return kStepSucceeded;
}

int delete_folder(RunContext& context, Step& step) {
    std::string folder;
    if (!located_name(context, step, Search::kNearby, &folder)) return kStepFailed;
    return remove_folder_tree(files_of(context), folder, true) ? kStepSucceeded : fail_quietly(context);
}

int map_drive_prompt(RunContext& context, Step&) {
    if (context.ui().map_drive_prompt() == Answer::kNo) return context.fail("Unable to show map prompt");
    return kStepSucceeded;
}

// The system's "net use", bounded, when the connection call failed.
constexpr int64_t kNetUseLimitMs = 30000;

int map_drive(RunContext& context, Step& step) {
    const std::string share = context.text_of(step.value[0]);
    const std::string drive = context.text_of(step.text);
    if (files_of(context).map_network_drive(share, drive) == 0) return kStepSucceeded;
    ProgramLookup lookup = program_lookup(context);
    std::string found;
    if (!resolve_program_path(lookup, share, context.script.script_path, &found))
        return context.fail("The share name \"%s\" could not be found", share.c_str());
    std::string net = "net.exe";
    if (context.services.environment) net = context.services.environment->system_folder() + "\\net.exe";
    const std::string command = "\"" + net + "\" use \"" + drive + "\" \"" + share + "\"";
    const int32_t result = start_process(context, command, false, kNetUseLimitMs);
    if (result == 0) return kStepSucceeded;
    if (result == kStillRunning) return context.fail("\"net use\" did not end within %lld seconds",
                                                     static_cast<long long>(kNetUseLimitMs / 1000));
    return context.fail("Unable to map drive '%s' to \"%s\"", drive.c_str(), share.c_str());
}

// "Read File" is matched by its whole name in its handler, so it comes after the
// names that contain it.
const ActionRow kActions[] = {
    {"Read File Line", read_line},
    {"Read File", read_file},
    {"Count File Lines", count_lines},
    {"Write/Create File", write_file},
    {"Copy File", copy_or_move_file},
    {"Move/Rename File", copy_or_move_file},
    {"Delete File", delete_files},
    {"Change File Size", change_size},
    {"Set File Association", set_association},
    {"Set Current", set_current_folder},
    {"Create Folder", create_folder},
    {"Copy Folder", copy_or_move_folder},
    {"Move/Rename Folder", copy_or_move_folder},
    {"Delete Folder", delete_folder},
    {"Map Drive Prompt", map_drive_prompt},
    {"Map Drive", map_drive},
};

}  // namespace

const ActionFamily kFilesFamily(9, "Files/Folders", kActions, unknown_action);

}  // namespace zorbel
