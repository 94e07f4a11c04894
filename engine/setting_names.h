// The settings a run reads and writes, by their paths under HKEY_CURRENT_USER (values
// of SOFTWARE\Zorbel). One name per setting, so that a misspelt setting fails to
// build instead of reading 0; the first-start defaults are in startup_settings.cpp.
#pragma once

namespace zorbel::setting {

#define ZORBEL_SETTING(name) "SOFTWARE\\Zorbel\\" name
constexpr const char kLog[] = ZORBEL_SETTING("Log");
constexpr const char kLogfile[] = ZORBEL_SETTING("Logfile");
constexpr const char kLogLevel[] = ZORBEL_SETTING("LogLevel");
constexpr const char kRestartLog[] = ZORBEL_SETTING("RestartLog");
constexpr const char kSpeed[] = ZORBEL_SETTING("Speed");
constexpr const char kDefaultSpeed[] = ZORBEL_SETTING("DefaultSpeed");
constexpr const char kStopKey[] = ZORBEL_SETTING("StopKey");
constexpr const char kHilite[] = ZORBEL_SETTING("Hilite");
constexpr const char kMinimizeStart[] = ZORBEL_SETTING("MinimizeStart");
constexpr const char kReturnWhenDone[] = ZORBEL_SETTING("ReturnWhenDone");
constexpr const char kDisableScreenSaver[] = ZORBEL_SETTING("DisableScreenSaver");
constexpr const char kDefaultReturnCode[] = ZORBEL_SETTING("DefaultReturnCode");
constexpr const char kGlobalVariables[] = ZORBEL_SETTING("GlobalVariables");
constexpr const char kResetUserVariables[] = ZORBEL_SETTING("ResetUserVariables");
constexpr const char kMultipleWindowError[] = ZORBEL_SETTING("MultipleWindowError");
constexpr const char kRunAtLeastOnce[] = ZORBEL_SETTING("RunAtLeastOnce");
#undef ZORBEL_SETTING

}  // namespace zorbel::setting
