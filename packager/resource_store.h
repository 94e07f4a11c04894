// Resources of a program file as the compiler writes them and the player reads them
// back: a small writer/reader pair, with an in-memory store for tests and for
// building a compile's resources before they touch a file.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace zorbel {

using Bytes = std::vector<uint8_t>;

constexpr uint16_t kResourceIcon = 3;
constexpr uint16_t kResourceRcData = 10;
constexpr uint16_t kResourceGroupIcon = 14;
constexpr uint16_t kResourceVersion = 16;
constexpr uint16_t kLanguageNeutral = 1024;  // every RT_RCDATA and the icon group
constexpr uint16_t kLanguageEnglish = 1033;  // the icon images

class ResourceReader {
public:
    virtual ~ResourceReader() = default;
    // The bytes of resource (type, id) in any language; false when it is missing.
    // `language` (when given) receives the language it was found under.
    virtual bool read(uint16_t type, uint16_t id, Bytes* out, uint16_t* language = nullptr) = 0;
};

class ResourceWriter {
public:
    virtual ~ResourceWriter() = default;
    virtual bool write(uint16_t type, uint16_t id, uint16_t language, const Bytes& bytes) = 0;
    virtual bool remove(uint16_t type, uint16_t id, uint16_t language) = 0;
};

class MemoryResources : public ResourceReader, public ResourceWriter {
public:
    using Key = std::tuple<uint16_t, uint16_t, uint16_t>;  // type, id, language
    bool read(uint16_t type, uint16_t id, Bytes* out, uint16_t* language = nullptr) override;
    bool write(uint16_t type, uint16_t id, uint16_t language, const Bytes& bytes) override;
    bool remove(uint16_t type, uint16_t id, uint16_t language) override;

    std::map<Key, Bytes> items;
    int fail_writes_of_id = -1;  // tests: a write of this id fails
};

// Little-endian helpers over byte vectors.
uint32_t read_u32(const Bytes& bytes, size_t at);
uint16_t read_u16(const Bytes& bytes, size_t at);
void put_u32(Bytes* bytes, size_t at, uint32_t value);
void put_u16(Bytes* bytes, size_t at, uint16_t value);
Bytes bytes_of(const std::string& text);

}  // namespace zorbel
