#include "packager/stub_image.h"

#include "core/text_rules.h"

namespace zorbel {

namespace {

// Every offset at which the 32-bit little-endian `word` stands.
std::vector<size_t> offsets_of(const Bytes& image, uint32_t word) {
    std::vector<size_t> found;
    for (size_t i = 0; i + 4 <= image.size(); ++i)
        if (read_u32(image, i) == word) found.push_back(i);
    return found;
}

std::string cut_text(const std::string& text) {
    std::string cut = text.substr(0, text.find('\0'));
    if (cut.size() > kTinyMessageLimit - 1) cut.resize(kTinyMessageLimit - 1);
    return cut;
}

}  // namespace

long find_markers(const Bytes& image) {
    std::vector<size_t> package = offsets_of(image, kPackageMarker);
    std::vector<size_t> flags = offsets_of(image, kDeleteFlagsMarker);
    if (package.size() != 1 || flags.size() != 1 || flags[0] != package[0] + 4) return -1;
    return static_cast<long>(package[0]);
}

bool patch_markers(Bytes* image, uint32_t package_id, uint32_t delete_flags) {
    long at = find_markers(*image);
    if (at < 0) return false;
    put_u32(image, static_cast<size_t>(at), package_id);
    put_u32(image, static_cast<size_t>(at) + 4, delete_flags);
    return true;
}

std::string output_exe_name(const std::string& name) {
    const size_t slash = name.find_last_of("\\/");
    const size_t dot = name.find_last_of('.');
    const bool has_extension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (has_extension ? name.substr(0, dot) : name) + ".exe";
}

std::string output_com_name(const std::string& exe_name) {
    return output_exe_name(exe_name).substr(0, output_exe_name(exe_name).size() - 4) + ".com";
}

Bytes tiny_com_program(const std::string& text) {
    Bytes program = {0xB4, 0x09, 0xBA, 0x0A, 0x01, 0xCD, 0x21, 0xCD, 0x20, 0x90};
    const std::string cut = cut_text(text);
    program.insert(program.end(), cut.begin(), cut.end());
    program.push_back(0);
    program.push_back('$');
    program.push_back(0);
    return program;
}

bool patch_tiny_stub(Bytes* stub, const std::string& text) {
    const std::string cut = cut_text(text);
    if (stub->size() < kTinyMessageOffset + cut.size() + 1) return false;
    std::copy(cut.begin(), cut.end(), stub->begin() + kTinyMessageOffset);
    (*stub)[kTinyMessageOffset + cut.size()] = 0;
    return true;
}

}  // namespace zorbel
