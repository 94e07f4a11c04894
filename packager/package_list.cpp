#include "packager/package_list.h"

#include "core/text_rules.h"

namespace zorbel {

bool wildcard_match(const std::string& pattern, const std::string& name) {
    size_t p = 0, n = 0, star = std::string::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || ascii_lower(pattern[p]) == ascii_lower(name[n]))) {
            ++p, ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

namespace {

struct Expansion {
    CompileFiles& files;
    std::vector<std::string>* out;
    std::string* bad_name;
    size_t size = 0;

    bool add(const std::string& path) {
        if (path.find(';') != std::string::npos) {
            *bad_name = path;
            return false;
        }
        if (size + path.size() + 1 > kMaxPackageListSize) return true;
        size += path.size() + 1;
        out->push_back(path);
        return true;
    }

    bool search(const std::string& folder, const std::string& pattern, int depth) {
        if (depth > 64) return true;
        for (const FolderEntry& entry : files.list(folder)) {
            if (entry.name == "." || entry.name == "..") continue;
            const std::string path = folder + "\\" + entry.name;
            if (entry.folder) {
                if (!search(path, pattern, depth + 1)) return false;
            } else if (wildcard_match(pattern, entry.name) && !add(path)) {
                return false;
            }
        }
        return true;
    }
};

}  // namespace

bool expand_package_entries(const std::string& setting, CompileFiles& files, std::vector<std::string>* out,
                            std::string* bad_name) {
    out->clear();
    Expansion expansion{files, out, bad_name};
    size_t at = 0;
    while (at < setting.size()) {
        size_t end = setting.find(';', at);
        if (end == std::string::npos) end = setting.size();
        const std::string entry = trim_spaces(setting.substr(at, end - at));
        at = end + 1;
        if (entry.empty()) continue;
        if (entry.find_first_of("*?") == std::string::npos) {
            if (!expansion.add(entry)) return false;
            continue;
        }
        const size_t slash = entry.find_last_of('\\');
        const std::string folder = slash == std::string::npos ? std::string(".") : entry.substr(0, slash);
        if (!expansion.search(folder, entry.substr(slash + 1), 0)) return false;
    }
    return true;
}

std::string common_folder_prefix(const std::vector<std::string>& entries) {
    if (entries.size() < 2) return std::string();
    size_t length = entries[0].size();
    for (const std::string& entry : entries) {
        size_t same = 0;
        while (same < length && same < entry.size() && ascii_lower(entry[same]) == ascii_lower(entries[0][same]))
            ++same;
        length = same;
    }
    const size_t slash = entries[0].find_last_of('\\', length == 0 ? 0 : length - 1);
    if (length == 0 || slash == std::string::npos) return std::string();
    return entries[0].substr(0, slash + 1);
}

std::string package_list_text(const std::vector<std::string>& entries, const std::string& prefix) {
    std::string list;
    for (const std::string& entry : entries) list.append(entry.substr(prefix.size())).append(";");
    return list;
}

}  // namespace zorbel
