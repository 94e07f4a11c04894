// What the text expander and the variable actions need from the machine: the
// process environment, the clipboard, system folders, version, clock, pointer,
// screen and random numbers. expansion_environment_win.cpp is the real one; native
// tests use a fake with fixed answers.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zorbel {

// Local time as the desktop shows it. month 1..12, weekday 0 (Sunday)..6.
struct LocalTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0, weekday = 6;
};

// The operating system's version information: platform 1 is Windows 9x, 2 is NT.
struct VersionInfo {
    long platform = 0, major = 0, minor = 0, build = 0;
    long flags = 0;  // the internal flag word shown in the detailed version log line
};

struct ScreenPoint {
    long x = 0, y = 0;
};

// A 15-bit pseudo-random source (0..32767) with an explicit seed, so runs can be
// replayed: the linear congruential generator of the C runtime's rand().
class Random15 {
public:
    explicit Random15(uint32_t seed = 1) : state_(seed) {}
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7fff);
    }

private:
    uint32_t state_;
};

class ExpansionEnvironment {
public:
    virtual ~ExpansionEnvironment() = default;

    // Every variable of the process environment, in the environment's order.
    virtual std::vector<std::pair<std::string, std::string>> environment_variables() = 0;
    // Sets a process environment variable, or removes it when `value` is null. On
    // failure returns false with the system's error text in `error`.
    virtual bool set_environment_variable(const std::string& name, const std::string* value,
                                          std::string* error) = 0;

    // The clipboard's text; false (and "") when it holds none.
    virtual bool clipboard_text(std::string* out) = 0;
    virtual bool set_clipboard_text(const std::string& text) = 0;

    virtual std::string system_folder() = 0;
    virtual std::string windows_folder() = 0;
    virtual std::string current_folder() = 0;
    virtual VersionInfo version() = 0;

    virtual uint32_t tick_count() = 0;  // milliseconds since the system started
    virtual ScreenPoint mouse_position() = 0;
    virtual ScreenPoint screen_size() = 0;  // the primary screen's width and height
    virtual LocalTime local_time() = 0;
    virtual int random15() = 0;  // 0..32767
};

// The name of a Windows version ("Windows XP"...), "" for a version not in the table.
const char* windows_version_name(const VersionInfo& version);

}  // namespace zorbel
