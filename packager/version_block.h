// Rewrites a program's version resource in place: the file and product versions, and
// the values of "LegalCopyright" and "FileDescription" within their placeholders.
#pragma once
#include <string>

#include "packager/resource_store.h"

namespace zorbel {

struct VersionTexts {
    std::string version;      // "major.minor"; missing parts are 0, each clamped to 0..65535
    std::string copyright;
    std::string description;
};

// True when the compile has anything to write into the version block.
bool version_wanted(const VersionTexts& texts);

// Patches `block` (a VS_VERSIONINFO resource). Each text goes into its value as UTF-16,
// cut to the placeholder's length (keeping its terminating NUL), the rest NUL-filled;
// an empty text leaves its value as it was. False when the block is malformed.
bool patch_version_block(Bytes* block, const VersionTexts& texts);

// The value of the string `key` in `block` (test and check helper), as 8-bit text up to
// its first NUL; false when not found.
bool version_string(const Bytes& block, const std::string& key, std::string* value);

}  // namespace zorbel
