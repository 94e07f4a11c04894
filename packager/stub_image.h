// Linked by the editor only: the player must not carry the marker words in its code.
// What the compiler changes in the bytes of the player stub and of the message-only
// stub: the two marker words, the message text, and the output names.
#pragma once
#include <cstdint>
#include <string>

#include "packager/resource_store.h"

namespace zorbel {

constexpr uint32_t kPackageMarker = 0xAABBCCD1;
constexpr uint32_t kDeleteFlagsMarker = 0xAABBCCD2;
constexpr uint32_t kDeleteUnpacked = 1;
constexpr uint32_t kDeleteSelf = 2;
constexpr size_t kTinyMessageOffset = 535;
constexpr size_t kTinyMessageLimit = 254;  // the text and its NUL

// The offset of the package marker, when both markers stand exactly once in `image`,
// package marker first and the delete-flags marker right after it; -1 otherwise.
long find_markers(const Bytes& image);

// Overwrites both markers (found by find_markers); false when they are not there.
bool patch_markers(Bytes* image, uint32_t package_id, uint32_t delete_flags);

// The output file name: the real extension (after the last "\") replaced by ".exe",
// or ".exe" added when there is none.
std::string output_exe_name(const std::string& name);
// The same name with ".com" as its extension.
std::string output_com_name(const std::string& exe_name);

// The DOS program of the message-only variant: prints `text` and ends.
Bytes tiny_com_program(const std::string& text);
// The message-only stub with `text` (and its NUL) written at offset 535; false when
// the stub is too short.
bool patch_tiny_stub(Bytes* stub, const std::string& text);

}  // namespace zorbel
