// The player's reading of its own resources: whatever bytes a damaged program carries
// as its steps, texts and package, loading and unpacking end with a result, never a
// crash, and the loaded steps stay within their fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>

#include "packager/player_package.h"
#include "packager/script_payload.h"

namespace {

// Files in memory: writes are counted, nothing touches the disk.
class NullFiles : public zorbel::PackageFiles {
public:
    std::map<std::string, size_t> written;
    bool exists(const std::string& path) override { return written.count(path) != 0; }
    bool create_folder(const std::string&) override { return true; }
    bool write(const std::string& path, const zorbel::Bytes& bytes) override {
        written[path] = bytes.size();
        return true;
    }
    bool remove_file(const std::string& path) override { return written.erase(path) != 0; }
    bool remove_empty_folder(const std::string&) override { return true; }
    std::string full_path(const std::string& path) override { return path; }
};

}  // namespace

// Input: two 16-bit little-endian lengths, then resource 104, 105, the package list
// (resource 110) and its folder; what remains is the first package file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorbel;
    if (size < 6) return 0;
    const size_t steps = (data[0] | data[1] << 8) * 8u;
    const size_t texts = data[2] | data[3] << 8;
    const size_t list = data[4];
    const size_t folder = data[5];
    size_t at = 6;
    auto take = [&](size_t n) {
        n = std::min(n, size - at);
        Bytes out(data + at, data + at + n);
        at += n;
        return out;
    };
    MemoryResources resources;
    resources.write(kResourceRcData, kStepsResource, kLanguageNeutral, take(steps));
    resources.write(kResourceRcData, kTextsResource, kLanguageNeutral, take(texts));
    resources.write(kResourceRcData, 110, kLanguageNeutral, take(list));
    resources.write(kResourceRcData, 111, kLanguageNeutral, take(folder));
    resources.write(kResourceRcData, 112, kLanguageNeutral, take(size));

    ScriptState script;
    if (load_script_payload(resources, "C:\\p.exe", &script)) {
        for (const Step& step : script.steps) {
            if (step.text.find('\0') != std::string::npos || !step.comment.empty()) std::abort();
            if (step.action[sizeof(step.action) - 1] != '\0') std::abort();
        }
        if (script.recording_count > kMaxRecordings) std::abort();
    }
    Bytes stored;
    resources.read(kResourceRcData, 111, &stored);
    NullFiles files;
    UnpackRecord record;
    std::string error;
    if (unpack_package(resources, 110, stored_unpack_folder(stored), files, &record, &error)) {
        for (const std::string& path : record.files)
            if (path.size() > kMaxUnpackPath) std::abort();
        std::vector<std::string> log;
        remove_unpacked(record, files, &log);
        if (!files.written.empty()) std::abort();
    }
    return 0;
}
