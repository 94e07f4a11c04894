#include <gtest/gtest.h>

#include "engine/settings_store_memory.h"
#include "engine/startup_settings.h"

namespace zorbel {
namespace {

TEST(StartupSettings, DefaultsFillOnlyMissingSettings) {
    MemorySettingsStore store;
    write_setting_number(store, "SOFTWARE\\Zorbel\\Speed", 8);
    write_setting_defaults(store, false);
    EXPECT_EQ(8, setting_number(store, "SOFTWARE\\Zorbel\\Speed"));
    EXPECT_EQ(10, setting_number(store, "SOFTWARE\\Zorbel\\DefaultSpeed"));
    EXPECT_EQ(19, setting_number(store, "SOFTWARE\\Zorbel\\StopKey"));
    EXPECT_EQ(0x463A96, setting_number(store, "SOFTWARE\\Zorbel\\BreakFill"));
    EXPECT_EQ("C:\\ZorbelLog.txt", setting_text(store, "SOFTWARE\\Zorbel\\Logfile"));
    EXPECT_EQ("Display Error and Stop", setting_text(store, "SOFTWARE\\Zorbel\\DefaultFailureMode"));
    EXPECT_EQ("Courier New", setting_text(store, "SOFTWARE\\Zorbel\\Palettes\\Output\\Font"));
    EXPECT_EQ(400, setting_number(store, "SOFTWARE\\Zorbel\\Palettes\\Output\\Font_Weight"));
    StoredValue find;
    EXPECT_TRUE(store.read_value(SettingsRoot::kCurrentUser, kSettingsKey, "Find", &find));
    EXPECT_EQ(43, kSettingDefaultCount);
}

TEST(StartupSettings, ResetWritesEveryDefault) {
    MemorySettingsStore store;
    write_setting_number(store, "SOFTWARE\\Zorbel\\Speed", 8);
    write_setting_defaults(store, true);
    EXPECT_EQ(5, setting_number(store, "SOFTWARE\\Zorbel\\Speed"));
}

TEST(StartupSettings, OldKeyIsMigratedAndDeleted) {
    MemorySettingsStore store;
    write_setting_number(store, "SOFTWARE\\ZorbelPro\\RunAtLeastOnce", 3);
    write_setting_text(store, "SOFTWARE\\ZorbelPro\\Palettes\\Output\\Font", "Arial");
    migrate_old_settings(store);
    EXPECT_EQ(3, setting_number(store, "SOFTWARE\\Zorbel\\RunAtLeastOnce"));
    EXPECT_EQ("Arial", setting_text(store, "SOFTWARE\\Zorbel\\Palettes\\Output\\Font"));
    EXPECT_FALSE(store.key_exists(SettingsRoot::kCurrentUser, "SOFTWARE\\ZorbelPro"));
}

TEST(StartupSettings, OldKeyWithoutMarkersStays) {
    MemorySettingsStore store;
    write_setting_number(store, "SOFTWARE\\ZorbelPro\\Other", 1);
    migrate_old_settings(store);
    EXPECT_TRUE(store.key_exists(SettingsRoot::kCurrentUser, "SOFTWARE\\ZorbelPro"));
    EXPECT_EQ(0, setting_number(store, "SOFTWARE\\Zorbel\\Other"));
}

TEST(StartupSettings, SuppressLogoTurnsTheSplashOff) {
    MemorySettingsStore store;
    write_setting_number(store, "SOFTWARE\\Zorbel\\SuppressLogo", 1);
    write_setting_number(store, "SOFTWARE\\Zorbel\\ShowSplash", 1);
    apply_suppress_logo(store);
    EXPECT_EQ(0, setting_number(store, "SOFTWARE\\Zorbel\\ShowSplash"));
    StoredValue gone;
    EXPECT_FALSE(store.read_value(SettingsRoot::kCurrentUser, kSettingsKey, "SuppressLogo", &gone));
}

TEST(StartupSettings, CommandLineSettingsAndVariables) {
    MemorySettingsStore store;
    apply_command_line_settings(store, parse_command_line("/f /g /s7 name=\"two words\" %x=1"), nullptr);
    EXPECT_EQ(0, setting_number(store, "SOFTWARE\\Zorbel\\Log"));
    EXPECT_EQ(0, setting_number(store, "SOFTWARE\\Zorbel\\ShowSplash"));
    EXPECT_EQ(7, setting_number(store, "SOFTWARE\\Zorbel\\Speed"));
    EXPECT_EQ("two words", setting_text(store, "SOFTWARE\\Zorbel\\UserVariables\\name"));
    EXPECT_EQ("1", setting_text(store, "SOFTWARE\\Zorbel\\UserVariables\\x"));
}

}  // namespace
}  // namespace zorbel
