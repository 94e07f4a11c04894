#include "actions/files/file_helpers.h"

#include <cctype>

namespace zorbel {

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

std::string joined(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return is_separator(folder.back()) ? folder + name : folder + "\\" + name;
}

std::string comparable(const std::string& path) {
    std::string out = without_trailing_separator(path);
    for (char& c : out) c = is_separator(c) ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool is_dot_entry(const FoundFile& entry) { return entry.name == "." || entry.name == ".."; }

}  // namespace

bool is_root_path(const std::string& path) {
    size_t end = path.size();
    while (end > 0 && is_separator(path[end - 1])) --end;
    if (end == 0) return !path.empty();
    return end == 2 && path[1] == ':';
}

std::string without_trailing_separator(const std::string& path) {
    size_t end = path.size();
    while (end > 0 && is_separator(path[end - 1])) --end;
    if (end == 0) return path.empty() ? path : path.substr(0, 1);
    if (end == 2 && path[1] == ':' && path.size() > 2) return path.substr(0, 3);
    return path.substr(0, end);
}

std::string folder_part(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos) return std::string();
    if (cut == 0) return path.substr(0, 1);
    std::string folder = path.substr(0, cut);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

bool file_exists(FileSystem& files, const std::string& path) { return !path.empty() && files.exists(path); }

int64_t file_size_by_name(FileSystem& files, const std::string& path) {
    int64_t size = files.size(path);
    return size < 0 ? 0 : size;
}

files::WriteOutcome write_file_at(FileSystem& files, const std::string& path, int64_t offset, const std::string& data) {
    const std::string folder = folder_part(path);
    if (!folder.empty() && !is_root_path(folder)) create_folder_tree(files, folder);
    return files.write_at(path, offset, data);
}

bool append_text_to_file(FileSystem& files, const std::string& path, const std::string& text) {
    if (text.empty()) return true;
    return write_file_at(files, path, -1, text) == files::WriteOutcome::kOk;
}

// A trailing separator is dropped first (not the one of "X:\"); a missing parent is
// made first, and a path with no parent left to make fails rather than recursing.
bool create_folder_tree(FileSystem& files, const std::string& path) {
    const std::string folder = without_trailing_separator(path);
    if (folder.empty()) return false;
    switch (files.state(folder)) {
        case files::PathState::kFolder: return true;
        case files::PathState::kFile:
        case files::PathState::kError: return false;
        case files::PathState::kParentMissing: {
            if (is_root_path(folder)) return false;
            const std::string parent = folder_part(folder);
            if (parent.empty() || comparable(parent) == comparable(folder)) return false;
            if (!create_folder_tree(files, parent)) return false;
            break;
        }
        case files::PathState::kMissing: break;
    }
    return files.make_folder(folder) || files.state(folder) == files::PathState::kFolder;
}

int32_t delete_matching_files(FileSystem& files, const std::string& written) {
    if (written.empty() || is_root_path(written)) return 0;
    std::string pattern = written;
    if (is_separator(pattern.back()) && files.state(pattern) == files::PathState::kFolder) pattern += "*.*";
    const std::string folder = folder_part(pattern);
    const std::string name = pattern.substr(pattern.find_last_of("\\/") == std::string::npos
                                                ? 0
                                                : pattern.find_last_of("\\/") + 1);
    // A whole root is never emptied.
    if (is_root_path(folder) && (name == "*.*" || name == "*")) return 0;
    int32_t deleted = 0;
    for (const FoundFile& entry : files.matches(pattern)) {
        if (entry.is_folder) continue;
        if (!files.delete_file(joined(folder, entry.name))) return 0;
        ++deleted;
    }
    return deleted;
}

bool copy_folder_tree(FileSystem& files, const std::string& source, const std::string& destination) {
    const std::string from = without_trailing_separator(files.full_path(source));
    const std::string to = without_trailing_separator(files.full_path(destination));
    if (files.state(from) != files::PathState::kFolder) return false;
    if (same_or_inside(to, from)) return false;
    if (!create_folder_tree(files, to)) return false;
    return files.copy_tree(from, to);
}

bool remove_folder_tree(FileSystem& files, const std::string& written, bool force) {
    if (written.empty()) return false;
    const std::string folder = without_trailing_separator(files.full_path(written));
    if (is_root_path(folder)) return false;
    if (files.state(folder) != files::PathState::kFolder) return false;
    if (!force) {
        for (const FoundFile& entry : files.matches(joined(folder, "*.*")))
            if (!is_dot_entry(entry)) return false;
    }
    return files.remove_empty_folder(folder) || files.delete_tree(folder);
}

bool set_file_size(FileSystem& files, const std::string& path, int64_t size) { return files.set_size(path, size); }

bool same_or_inside(const std::string& inner, const std::string& outer) {
    const std::string a = comparable(inner);
    const std::string b = comparable(outer);
    if (a.empty() || b.empty()) return false;
    if (a == b) return true;
    const std::string prefix = b.back() == '\\' ? b : b + "\\";
    return a.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace zorbel
