#include "packager/compile_win.h"

#include <windows.h>

#include "core/text_rules.h"
#include "packager/resources_win.h"
#include "packager/stub_image.h"

namespace zorbel {

namespace {

bool read_whole_file(const std::string& path, Bytes* out) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const DWORD size = GetFileSize(file, nullptr);
    bool ok = size != INVALID_FILE_SIZE;
    if (ok) out->resize(size);
    DWORD got = 0;
    ok = ok && (size == 0 || (ReadFile(file, out->data(), size, &got, nullptr) && got == size));
    CloseHandle(file);
    return ok;
}

bool write_whole_file(const std::string& path, const Bytes& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
                                      put == bytes.size());
    CloseHandle(file);
    return ok;
}

bool is_existing_file(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class SystemCompileFiles : public CompileFiles {
public:
    bool is_file(const std::string& path) override { return path.size() < MAX_PATH && is_existing_file(path); }
    bool read(const std::string& path, Bytes* out) override { return read_whole_file(path, out); }
    std::vector<FolderEntry> list(const std::string& folder) override {
        std::vector<FolderEntry> out;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return out;
        do {
            out.push_back({found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return out;
    }
    bool program_icons(const std::string& path, IconSet* icons) override {
        ModuleResources module(path);
        uint16_t group_id = 0;
        if (!module.loaded() || !module.first_id(kResourceGroupIcon, &group_id) ||
            !module.read(kResourceGroupIcon, group_id, &icons->group) || !icon_group_ids(icons->group, &icons->ids))
            return false;
        for (uint16_t id : icons->ids) {
            Bytes image;
            if (!module.read(kResourceIcon, id, &image)) return false;
            icons->images.push_back(image);
        }
        return !icons->images.empty();
    }
};

int missing_stub(const std::string& path, int code, CompileReport* report) {
    report->messages.push_back(format("Unable to find required file for compile:  '%s'", path.c_str()));
    return code;
}

// Writes `bytes` beside `target` and moves it over `target`; false leaves `target` as it was.
bool replace_file(const std::string& target, const std::string& temporary) {
    return MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

int compile_message_only(const std::string& text, const CompileJob& job, CompileReport* report) {
    const std::string stub_path = tiny_stub_path(job.editor_path);
    Bytes stub;
    if (!is_existing_file(stub_path) || !read_whole_file(stub_path, &stub))
        return missing_stub(stub_path, kCompileTinyStubMissing, report);
    const std::string exe = job.settings.output;
    const std::string temporary = exe + ".part";
    if (!write_whole_file(output_com_name(exe), tiny_com_program(text))) return kCompileTinyOutputNotDeleted;
    if (!patch_tiny_stub(&stub, text) || !write_whole_file(temporary, stub)) {
        DeleteFileA(temporary.c_str());
        return kCompileTinyCopyFailed;
    }
    if (!replace_file(exe, temporary)) {
        DeleteFileA(temporary.c_str());
        return kCompileTinyOutputNotDeleted;
    }
    return 0;
}

}  // namespace

std::string player_stub_path(const std::string& editor_path) {
    return replace_all_ignore_case(editor_path, ".EXE", ".LIB");
}

std::string tiny_stub_path(const std::string& editor_path) {
    return replace_all_ignore_case(editor_path, ".exe", "Tiny.LIB");
}

int compile_script(const ScriptState& script, const CompileJob& job, CompileReport* report) {
    const CompileSettings& settings = job.settings;
    std::string text;
    if (!settings.output.empty() && job.expand && message_only_text(script, job.expand, &text))
        return compile_message_only(text, job, report);

    SystemCompileFiles files;
    const std::string stub_path = player_stub_path(job.editor_path);
    if (!settings.output.empty() && !script.steps.empty() && !is_existing_file(stub_path))
        return missing_stub(stub_path, kCompileStubMissing, report);
    ModuleResources stub(stub_path);
    CompileOutput output;
    int code = plan_compile(script, settings, files, stub, &output, report);
    if (code < 0) return code;

    Bytes image;
    if (!read_whole_file(stub_path, &image)) return missing_stub(stub_path, kCompileStubMissing, report);
    if (!patch_markers(&image, output.package_id, output.delete_flags)) {
        report->messages.push_back("player stub has no markers");
        return kCompileNoMarkers;
    }
    const std::string temporary = settings.output + ".part";
    if (!write_whole_file(temporary, image)) {
        DeleteFileA(temporary.c_str());
        return kCompileCopyFailed;
    }
    {
        FileResourceUpdate update(temporary);
        code = update.opened() ? write_compile(output, update) : kCompileUpdateFailed;
        if (code == 0 && !update.commit()) code = kCompileUpdateFailed;
    }
    if (code == 0 && !replace_file(settings.output, temporary)) code = kCompileOutputNotReplaced;
    if (code < 0) {
        DeleteFileA(temporary.c_str());
        return code;
    }
    return output.embedded;
}

}  // namespace zorbel
