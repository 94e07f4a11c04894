#include "packager/icon_file.h"

namespace zorbel {

namespace {
constexpr size_t kHeaderSize = 6;
constexpr size_t kFileEntrySize = 16;
constexpr size_t kGroupEntrySize = 14;
}  // namespace

bool parse_icon_file(const Bytes& file, IconSet* icons, std::string* error) {
    *icons = IconSet();
    const size_t count = read_u16(file, 4);
    if (file.size() < kHeaderSize || read_u16(file, 0) != 0 || read_u16(file, 2) != 1 || count == 0) {
        *error = "not an icon file";
        return false;
    }
    const size_t directory_end = kHeaderSize + count * kFileEntrySize;
    if (directory_end > file.size()) {
        *error = "the icon directory is cut short";
        return false;
    }
    icons->group.assign(kHeaderSize + count * kGroupEntrySize, 0);
    put_u16(&icons->group, 2, 1);
    put_u16(&icons->group, 4, static_cast<uint16_t>(count));
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = kHeaderSize + i * kFileEntrySize;
        const uint32_t size = read_u32(file, entry + 8);
        const uint32_t offset = read_u32(file, entry + 12);
        if (size == 0 || offset < directory_end || offset > file.size() || size > file.size() - offset) {
            *error = "image " + std::to_string(i + 1) + " lies outside the file";
            *icons = IconSet();
            return false;
        }
        icons->images.emplace_back(file.begin() + offset, file.begin() + offset + size);
        icons->ids.push_back(static_cast<uint16_t>(i + 1));
        const size_t out = kHeaderSize + i * kGroupEntrySize;
        std::copy(file.begin() + entry, file.begin() + entry + 12, icons->group.begin() + out);
        put_u16(&icons->group, out + 12, static_cast<uint16_t>(i + 1));
    }
    return true;
}

bool icon_group_ids(const Bytes& group, std::vector<uint16_t>* ids) {
    ids->clear();
    const size_t count = read_u16(group, 4);
    if (group.size() < kHeaderSize || group.size() < kHeaderSize + count * kGroupEntrySize) return false;
    for (size_t i = 0; i < count; ++i) ids->push_back(read_u16(group, kHeaderSize + i * kGroupEntrySize + 12));
    return true;
}

}  // namespace zorbel
