#include "engine/startup_settings.h"

#include <string>

#include "engine/variables.h"

namespace zorbel {

const SettingDefault kSettingDefaults[] = {
    {"InsertNewStep", nullptr, 0},
    {"Compile_Max", nullptr, 1},
    {"ShowSamples", nullptr, 1},
    {"Hints", nullptr, 1},
    {"Hilite", nullptr, 0},
    {"OnTop", nullptr, 0},
    {"RestartLog", nullptr, 1},
    {"Find", "", 0},
    {"AutoReload", nullptr, 1},
    {"TreeExpanded", nullptr, 0},
    {"RunAtLeastOnce", nullptr, 0},
    {"MinimizeFindWin", nullptr, 1},
    {"MinimizeRecord", nullptr, 0},
    {"MinimizeStart", nullptr, 0},
    {"ReturnWhenDone", nullptr, 0},
    {"ShowTips", nullptr, 1},
    {"GlobalVariables", nullptr, 1},
    {"PromptSave", nullptr, 1},
    {"CommentItalic", nullptr, 1},
    {"GridStyle", nullptr, 2},
    {"GridStyle_AltColor", nullptr, 0xFFF0F0},
    {"SkipItalic", nullptr, 0},
    {"BreakFill", nullptr, 0x463A96},
    {"BreakText", nullptr, 0xFFFFFF},
    {"SkipFill", nullptr, 0xF0F0F0},
    {"SkipText", nullptr, 0x808080},
    {"CommentFill", nullptr, 0xC0FFFF},
    {"CommentText", nullptr, 0x00A000},
    {"Palettes\\Output\\Font", "Courier New", 0},
    {"Palettes\\Output\\FontSize", nullptr, 9},
    {"Palettes\\Output\\Font_Italic", nullptr, 0},
    {"Palettes\\Output\\Font_Weight", nullptr, 400},
    {"DisableScreenSaver", nullptr, 0},
    {"ShowSplash", nullptr, 1},
    {"ResetUserVariables", nullptr, 1},
    {"Speed", nullptr, 5},
    {"MultipleWindowError", nullptr, 1},
    {"DefaultFailureMode", "Display Error and Stop", 0},
    {"StopKey", nullptr, 19},
    {"Logfile", "C:\\ZorbelLog.txt", 0},
    {"IndentSize", nullptr, 6},
    {"IndentAllColumns", nullptr, 0},
    {"DefaultSpeed", nullptr, 10},
};
const int kSettingDefaultCount = static_cast<int>(sizeof(kSettingDefaults) / sizeof(kSettingDefaults[0]));

namespace {

constexpr const char* kOldKey = "SOFTWARE\\ZorbelPro";

void copy_key(SettingsStore& store, SettingsRoot root, const std::string& from, const std::string& to) {
    std::vector<NamedValue> values;
    if (store.list_values(root, from, &values))
        for (const NamedValue& v : values) store.write_value(root, to, v.name, v.value.type, v.value.data);
    std::vector<std::string> subkeys;
    if (store.list_subkeys(root, from, &subkeys))
        for (const std::string& sub : subkeys) copy_key(store, root, from + "\\" + sub, to + "\\" + sub);
}

bool value_exists(SettingsStore& store, SettingsRoot root, const char* key, const char* name) {
    StoredValue value;
    return store.read_value(root, key, name, &value);
}

}  // namespace

void migrate_old_settings(SettingsStore& store) {
    if (!value_exists(store, SettingsRoot::kCurrentUser, kOldKey, "Right") &&
        !value_exists(store, SettingsRoot::kCurrentUser, kOldKey, "RunAtLeastOnce"))
        return;
    for (SettingsRoot root : {SettingsRoot::kCurrentUser, SettingsRoot::kLocalMachine}) {
        if (!store.key_exists(root, kOldKey)) continue;
        copy_key(store, root, kOldKey, kSettingsKey);
        delete_key_tree(store, root, kOldKey);
        store.delete_empty_key(root, kOldKey);
    }
}

void apply_suppress_logo(SettingsStore& store) {
    if (!setting_number(store, "SOFTWARE\\Zorbel\\SuppressLogo")) return;
    write_setting_number(store, "SOFTWARE\\Zorbel\\ShowSplash", 0);
    store.delete_value(SettingsRoot::kCurrentUser, kSettingsKey, "SuppressLogo");
}

void write_setting_defaults(SettingsStore& store, bool reset) {
    for (int i = 0; i < kSettingDefaultCount; ++i) {
        const SettingDefault& d = kSettingDefaults[i];
        std::string path = std::string(kSettingsKey) + "\\" + d.name;
        std::string_view key, name;
        split_setting_path(path, &key, &name);
        StoredValue existing;
        if (!reset && store.read_value(SettingsRoot::kCurrentUser, key, name, &existing)) continue;
        if (d.text) write_setting_text(store, path, d.text);
        else write_setting_number(store, path, d.number);
    }
}

void apply_command_line_settings(SettingsStore& store, const CommandLine& line, Variables* variables) {
    if (line.log >= 0) write_setting_number(store, "SOFTWARE\\Zorbel\\Log", line.log);
    if (line.suppress_splash) write_setting_number(store, "SOFTWARE\\Zorbel\\ShowSplash", 0);
    if (line.speed > 0) write_setting_number(store, "SOFTWARE\\Zorbel\\Speed", line.speed);
    for (const auto& assignment : line.variables) {
        if (variables) variables->write_unprefixed(assignment.first, assignment.second);
        else
            write_setting_text(store, std::string(kUserVariablesKey) + "\\" + assignment.first, assignment.second);
    }
}

}  // namespace zorbel
