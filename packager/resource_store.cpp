#include "packager/resource_store.h"

namespace zorbel {

bool MemoryResources::read(uint16_t type, uint16_t id, Bytes* out, uint16_t* language) {
    for (const auto& item : items) {
        if (std::get<0>(item.first) != type || std::get<1>(item.first) != id) continue;
        *out = item.second;
        if (language) *language = std::get<2>(item.first);
        return true;
    }
    return false;
}

bool MemoryResources::write(uint16_t type, uint16_t id, uint16_t language, const Bytes& bytes) {
    if (static_cast<int>(id) == fail_writes_of_id) return false;
    items[Key(type, id, language)] = bytes;
    return true;
}

bool MemoryResources::remove(uint16_t type, uint16_t id, uint16_t language) {
    items.erase(Key(type, id, language));
    return true;
}

uint32_t read_u32(const Bytes& bytes, size_t at) {
    if (at + 4 > bytes.size()) return 0;
    return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
           uint32_t{bytes[at + 3]} << 24;
}

uint16_t read_u16(const Bytes& bytes, size_t at) {
    if (at + 2 > bytes.size()) return 0;
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

void put_u32(Bytes* bytes, size_t at, uint32_t value) {
    if (at + 4 > bytes->size()) bytes->resize(at + 4);
    for (int i = 0; i < 4; ++i) (*bytes)[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void put_u16(Bytes* bytes, size_t at, uint16_t value) {
    if (at + 2 > bytes->size()) bytes->resize(at + 2);
    (*bytes)[at] = static_cast<uint8_t>(value);
    (*bytes)[at + 1] = static_cast<uint8_t>(value >> 8);
}

Bytes bytes_of(const std::string& text) { return Bytes(text.begin(), text.end()); }

}  // namespace zorbel
