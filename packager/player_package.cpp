#include "packager/player_package.h"

#include <algorithm>

#include "core/text_rules.h"

namespace zorbel {

bool is_package_id(uint32_t marker) { return marker >= 105 && marker < 0xAABBCC00; }

bool package_destinations(const std::string& list, const std::string& folder, std::vector<std::string>* out,
                          std::string* error) {
    out->clear();
    if (folder.size() > kMaxUnpackPath) {
        *error = format("The folder '%s' is too long to unpack into", folder.c_str());
        return false;
    }
    size_t at = 0;
    while (at < list.size()) {
        size_t end = std::min(list.find(';', at), list.size());
        std::string entry = list.substr(at, end - at);
        at = end + 1;
        if (entry.empty()) break;
        if (!folder.empty()) {
            const size_t colon = entry.find(':');
            if (colon != std::string::npos) entry = entry.substr(std::min(colon + 2, entry.size()));
        }
        std::string destination = folder + entry;
        if (destination.size() > kMaxUnpackPath) {
            *error = format("The path '%s' is too long to unpack", destination.c_str());
            return false;
        }
        out->push_back(destination);
    }
    return true;
}

std::string stored_unpack_folder(const Bytes& resource) {
    std::string folder(resource.begin(), resource.end());
    folder = folder.substr(0, folder.find('\0'));
    return folder == " " ? std::string() : folder;
}

bool unpack_package(ResourceReader& resources, uint32_t id, const std::string& folder, PackageFiles& files,
                    UnpackRecord* record, std::string* error, std::vector<std::string>* shown) {
    Bytes list;
    if (!resources.read(kResourceRcData, static_cast<uint16_t>(id), &list)) return true;
    std::vector<std::string> destinations;
    const std::string text(list.begin(), std::find(list.begin(), list.end(), uint8_t{0}));
    if (!package_destinations(text, folder, &destinations, error)) return false;
    for (size_t k = 0; k < destinations.size(); ++k) {
        const std::string path = files.full_path(destinations[k]);
        if (shown) shown->push_back(destinations[k]);
        if (files.exists(path)) continue;
        for (size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1)) {
            const std::string parent = path.substr(0, slash);
            if (files.exists(parent)) continue;
            if (!files.create_folder(parent)) break;
            record->folders.push_back(parent);
        }
        Bytes content;
        const uint32_t resource_id = id + 2 + static_cast<uint32_t>(k);
        if (resource_id > 0xFFFF || !resources.read(kResourceRcData, static_cast<uint16_t>(resource_id), &content))
            content.clear();
        if (files.write(path, content)) record->files.push_back(path);
    }
    return true;
}

void remove_unpacked(const UnpackRecord& record, PackageFiles& files, std::vector<std::string>* log_lines) {
    for (const std::string& path : record.files)
        if (files.remove_file(path)) log_lines->push_back(format("deleting %s\r\n", path.c_str()));
    for (auto folder = record.folders.rbegin(); folder != record.folders.rend(); ++folder)
        files.remove_empty_folder(*folder);
}

namespace {
bool quotable(const std::string& path) {
    return path.size() > 3 && path.find_first_of("\"%\r\n") == std::string::npos;
}
}  // namespace

// Attempts after about 1, 2, 4 and 9 seconds (ping waits a second between echoes), so
// the program has ended by then; no blocks in parentheses, which some interpreters
// parse wrongly around a quoted "&".
std::string self_delete_parameters(const std::string& path) {
    if (!quotable(path)) return std::string();
    const std::string q = "\"" + path + "\"";
    std::string parameters = "/c";
    const char* separator = " ";
    for (int echoes : {2, 3, 5, 10}) {
        parameters += separator;
        parameters += "if exist " + q + " ping -n " + std::to_string(echoes) + " 127.0.0.1 >NUL & del /f /q " + q +
                      " >NUL 2>&1";
        separator = " & ";
    }
    return parameters;
}

std::string self_delete_batch(const std::string& path, const std::string& batch_path) {
    if (!quotable(path) || !quotable(batch_path)) return std::string();
    return format("@echo off\r\nset n=0\r\n:Repeat\r\ndel \"%s\" >NUL 2>&1\r\nif not exist \"%s\" goto Done\r\n"
                  "set /a n+=1\r\nif %%n%% geq 30 goto Done\r\nping -n 2 127.0.0.1 >NUL\r\ngoto Repeat\r\n:Done\r\n"
                  "del \"%s\"\r\n",
                  path.c_str(), path.c_str(), batch_path.c_str());
}

}  // namespace zorbel
