// What the programs do with their settings when they start: the migration of an
// older key, the first-start defaults, and the command line's settings and variables.
#pragma once
#include <cstdint>

#include "engine/command_line.h"
#include "engine/settings_store.h"

namespace zorbel {

class Variables;

struct SettingDefault {
    const char* name;   // under "SOFTWARE\Zorbel"
    const char* text;   // the default text, or null for a number
    int32_t number;
};

// Every setting with a start-up default, in the table's order.
extern const SettingDefault kSettingDefaults[];
extern const int kSettingDefaultCount;

// Copies "SOFTWARE\ZorbelPro" onto "SOFTWARE\Zorbel" (current user, then local machine)
// and deletes it, when it holds "Right" or "RunAtLeastOnce".
void migrate_old_settings(SettingsStore& store);

// "SuppressLogo" non-zero: "ShowSplash" becomes 0 and "SuppressLogo" is deleted.
void apply_suppress_logo(SettingsStore& store);

// Writes the default of every setting that is missing (all of them when `reset`).
void write_setting_defaults(SettingsStore& store, bool reset);

// Stores what the command line sets: "Log", "ShowSplash", "Speed" and the user variables.
void apply_command_line_settings(SettingsStore& store, const CommandLine& line, Variables* variables);

}  // namespace zorbel
