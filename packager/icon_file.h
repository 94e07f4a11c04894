// Icons for a compiled program: an .ICO file taken apart into RT_ICON images and the
// RT_GROUP_ICON directory that names them, every offset checked against the file.
#pragma once
#include <string>
#include <vector>

#include "packager/resource_store.h"

namespace zorbel {

struct IconSet {
    std::vector<Bytes> images;  // RT_ICON ids[0], ids[1], ...
    std::vector<uint16_t> ids;  // 1, 2, ... for an .ICO file
    Bytes group;                // RT_GROUP_ICON 1
};

// Parses an .ICO file. False, with the reason in `error`, when the header, the count
// or any image's offset and size do not fit the file.
bool parse_icon_file(const Bytes& file, IconSet* icons, std::string* error);

// The RT_ICON ids a group directory names; false when the directory is malformed.
bool icon_group_ids(const Bytes& group, std::vector<uint16_t>* ids);

}  // namespace zorbel
