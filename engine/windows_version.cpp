#include "engine/expansion_environment.h"

namespace zorbel {
namespace {

constexpr long kPlatform9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr long kPlatformNt = 2;  // VER_PLATFORM_WIN32_NT

struct VersionName {
    long platform;
    long major;  // -1: any
    long minor;  // -1: any
    const char* name;
};

// First matching row wins.
constexpr VersionName kVersionNames[] = {
    {kPlatform9x, -1, 0, "Windows 95"},       {kPlatform9x, -1, 10, "Windows 98"},
    {kPlatform9x, -1, 90, "Windows ME"},      {kPlatformNt, 4, -1, "Windows NT 4"},
    {kPlatformNt, 5, 0, "Windows 2000"},      {kPlatformNt, 5, 1, "Windows XP"},
    {kPlatformNt, 5, 2, "Windows 2003 Server"}, {kPlatformNt, 6, -1, "Windows Vista"},
};

}  // namespace

const char* windows_version_name(const VersionInfo& version) {
    for (const VersionName& row : kVersionNames) {
        if (row.platform != version.platform) continue;
        if (row.major != -1 && row.major != version.major) continue;
        if (row.minor != -1 && row.minor != version.minor) continue;
        return row.name;
    }
    return "";
}

}  // namespace zorbel
