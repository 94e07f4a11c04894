// User variables, `save result`, the variable actions and the expander against the
// real (Wine) registry, files, clipboard and process environment. The settings live
// in a sandbox under HKCU\SOFTWARE\Zorbel\Test, removed before and after each test.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/current_window.h"
#include "platform/clipboard.h"
#include "engine/expand_text.h"
#include "engine/expansion_environment_win.h"
#include "engine/run_log.h"
#include "engine/settings_store_registry_win.h"
#include "actions/system/variable_actions.h"
#include "engine/variables.h"
#include "engine/windows_constants.h"
#include "platform/files.h"

namespace zorbel {
namespace {

constexpr const char* kSandbox = "SOFTWARE\\Zorbel\\Test\\Variables";
const std::string kRealVariablesKey = std::string(kSandbox) + "\\HKCU\\" + kUserVariablesKey;

// Refuses values larger than a limit, as the registry refuses a value too large for
// it; everything else goes to the real registry.
class SizeLimitedStore : public RegistrySettingsStore {
public:
    SizeLimitedStore() : RegistrySettingsStore(kSandbox) {}
    size_t limit = static_cast<size_t>(-1);
    bool write_value(SettingsRoot root, std::string_view key, std::string_view name, uint32_t type,
                     std::string_view data) override {
        if (data.size() > limit) return false;
        return RegistrySettingsStore::write_value(root, key, name, type, data);
    }
};

std::string raw_variable(const std::string& name, DWORD* type = nullptr) {
    char buffer[4096] = {};
    DWORD size = sizeof(buffer) - 1, t = 0;
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRealVariablesKey.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "<no key>";
    LONG rc = RegQueryValueExA(h, name.c_str(), nullptr, &t, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(h);
    if (type != nullptr) *type = t;
    return rc == ERROR_SUCCESS ? std::string(buffer) : "<missing>";
}

void raw_set_variable(const std::string& name, const std::string& value) {
    HKEY h;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kRealVariablesKey.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &h, nullptr));
    RegSetValueExA(h, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(h);
}

class NullPalette : public VariablesPalette {
public:
    std::vector<VariableRow> rows;
    bool shown() override { return true; }
    void set_row(const VariableRow& row) override { rows.push_back(row); }
    void remove_row(std::string_view) override {}
    void clear() override { rows.clear(); }
};

class VariablesRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        SHDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Zorbel\\Test");
        folder_ = std::filesystem::temp_directory_path() / "zorbel_vars_win_test";
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        write_setting_number(store, "SOFTWARE\\Zorbel\\GlobalVariables", 1);
        services.store = &store;
        services.environment = &environment;
        services.window = &window;
        services.run = &run;
        services.log = &log;
        services.variables = &variables;
        services.palette = &palette;
        services.expander = &expander;
    }
    void TearDown() override {
        SHDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Zorbel\\Test");
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string file(const char* name) { return (folder_ / name).string(); }

    std::filesystem::path folder_;
    SizeLimitedStore store;
    DesktopExpansionEnvironment environment{1};
    NoCurrentWindow window;
    RunFacts run;
    RunLog log{store};
    NullPalette palette;
    Variables variables{store, (std::filesystem::temp_directory_path() / "zorbel_vars_win_test").string(), 1234};
    RunServices services;
    TextExpander expander{services};
};

TEST_F(VariablesRegistry, CreateSetWithAndWithoutPrefix) {
    Step step;
    copy_to_field(step.action, "Create/Set Variable");
    copy_to_field(step.variable, "%count");
    step.text = "5";
    std::string error;
    EXPECT_EQ(1, run_variable_action(step, services, &error));
    DWORD type = 0;
    EXPECT_EQ("5", raw_variable("count", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    write_setting_number(store, "SOFTWARE\\Zorbel\\GlobalVariables", 0);
    step.text = "100%% sure";
    EXPECT_EQ(1, run_variable_action(step, services, &error));
    EXPECT_EQ("100% sure", raw_variable("1234_count", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), type);
    step.text.clear();
    EXPECT_EQ(1, run_variable_action(step, services, &error));
    EXPECT_EQ("<missing>", raw_variable("1234_count"));
    EXPECT_EQ("5", raw_variable("count"));
}

TEST_F(VariablesRegistry, IncrementFromTheFailureModesNumber) {
    // The "Increment Variable" failure mode stores a REG_DWORD; it reads back as text.
    write_setting_number(store, std::string(kUserVariablesKey) + "\\tries", 41);
    Step step;
    copy_to_field(step.action, "Increment Variable");
    copy_to_field(step.variable, "%tries");
    std::string error;
    EXPECT_EQ(1, run_variable_action(step, services, &error));
    EXPECT_EQ("42", raw_variable("tries"));
    EXPECT_EQ("42", expander.expanded("%tries"));
}

TEST_F(VariablesRegistry, RefusedValueSpillsToAFileAndReadsBack) {
    store.limit = 1000;
    std::string big(50000, 'b');
    save_result(services, kOptionResultToVariable, "%big", big, nullptr);
    std::string path = variables.file_path("big");
    EXPECT_EQ(path + "*", raw_variable("big"));
    std::string content;
    ASSERT_EQ(files::ReadResult::kOk, files::read_all(path, &content));
    EXPECT_EQ(big, content);
    EXPECT_EQ("[" + big + "]", expander.expanded("[%big]"));
}

TEST_F(VariablesRegistry, ResetRemovesTheKeyAndTheSpillFiles) {
    store.limit = 100;
    variables.write("big", std::string(500, 'x'));
    variables.write("small", "s");
    ASSERT_TRUE(files::exists(variables.file_path("big")));
    ASSERT_TRUE(write_new_file(file("keep.txt"), "k"));
    variables.reset(&palette);
    HKEY h;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, kRealVariablesKey.c_str(), 0, KEY_READ, &h));
    EXPECT_FALSE(files::exists(variables.file_path("big")));
    EXPECT_TRUE(files::exists(file("keep.txt")));
    EXPECT_EQ("%small", expander.expanded("%small"));
}

TEST_F(VariablesRegistry, ExpansionSeesValuesWrittenByAnotherProgram) {
    raw_set_variable("other", "first");
    EXPECT_EQ("first", expander.expanded("%other"));
    raw_set_variable("other", "second");
    EXPECT_EQ("second", expander.expanded("%other"));
    raw_set_variable("added", "new");
    EXPECT_EQ("new second", expander.expanded("%added %other"));
}

TEST_F(VariablesRegistry, EncryptDecryptRoundTrip) {
    raw_set_variable("secret", "KOI %t {Enter} CALC(1+1)");
    Step step;
    copy_to_field(step.variable, "%secret");
    std::string error;
    copy_to_field(step.action, "Encrypt Variable");
    run_variable_action(step, services, &error);
    EXPECT_NE("KOI %t {Enter} CALC(1+1)", raw_variable("secret"));
    copy_to_field(step.action, "Decrypt Variable");
    run_variable_action(step, services, &error);
    EXPECT_EQ("KOI %t {Enter} CALC(1+1)", raw_variable("secret"));
}

TEST_F(VariablesRegistry, EnvironmentAndSystemTokens) {
    ASSERT_TRUE(SetEnvironmentVariableA("ZORBEL_TEST_DIR", "C:\\zorbel test"));
    EXPECT_EQ("C:\\zorbel test\\x", expander.expanded("%ZORBEL_TEST_DIR%\\x"));
    char system[MAX_PATH], windows[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(std::string(system) + "|" + windows, expander.expanded("%SYSDIR|%WINDIR"));
    SetEnvironmentVariableA("ZORBEL_TEST_DIR", nullptr);
    // "Set Environment Variable" sets and removes the process's variable.
    Step step;
    copy_to_field(step.action, "Set Environment Variable");
    copy_to_field(step.value[0], "%ZORBEL_SET%");
    step.text = "value";
    std::string error;
    EXPECT_EQ(1, run_variable_action(step, services, &error));
    char buffer[64] = {};
    EXPECT_EQ(5u, GetEnvironmentVariableA("ZORBEL_SET", buffer, sizeof(buffer)));
    step.text.clear();
    EXPECT_EQ(1, run_variable_action(step, services, &error));
    EXPECT_EQ(0u, GetEnvironmentVariableA("ZORBEL_SET", buffer, sizeof(buffer)));
}

TEST_F(VariablesRegistry, WinverNamesTheRunningSystem) {
    VersionInfo v = environment.version();
    EXPECT_EQ(windows_version_name(v), expander.expanded("%WINVER"));
    EXPECT_EQ(2, v.platform);
}

TEST_F(VariablesRegistry, ClipboardRoundTrip) {
    ASSERT_TRUE(clipboard::set_text("from the test"));
    EXPECT_EQ("[from the test]", expander.expanded("[%CLIPBOARD]"));
    save_result(services, kOptionResultToClipboard, "%v", "saved result", nullptr);
    std::string text;
    ASSERT_TRUE(clipboard::get_text(&text));
    EXPECT_EQ("saved result", text);
}

TEST_F(VariablesRegistry, RunLogAppendsToAWindowsPathCreatingFolders) {
    std::string path = file("a\\b\\log.txt");
    write_setting_text(store, "SOFTWARE\\Zorbel\\Logfile", path);
    write_setting_number(store, "SOFTWARE\\Zorbel\\Log", 1);
    log.line(nullptr, "[STEP %d]: %s\r\n", 3, "Delay");
    log.line(nullptr, "\tline\r\n");
    std::string content;
    ASSERT_EQ(files::ReadResult::kOk, files::read_all(path, &content));
    EXPECT_EQ("[STEP 3]: Delay\r\n\tline\r\n", content);
}

TEST(WindowsConstantsWin, MatchTheSdk) {
    struct Sdk {
        const char* name;
        unsigned long value;
    } sdk[] = {
        {"MB_OKCANCEL", MB_OKCANCEL}, {"MB_OK", MB_OK}, {"MB_ABORTRETRYIGNORE", MB_ABORTRETRYIGNORE},
        {"MB_YESNOCANCEL", MB_YESNOCANCEL}, {"MB_YESNO", MB_YESNO}, {"MB_RETRYCANCEL", MB_RETRYCANCEL},
        {"MB_ICONHAND", MB_ICONHAND}, {"MB_ICONSTOP", MB_ICONSTOP}, {"MB_ICONERROR", MB_ICONERROR},
        {"MB_ICONQUESTION", MB_ICONQUESTION}, {"MB_ICONEXCLAMATION", MB_ICONEXCLAMATION},
        {"MB_ICONWARNING", MB_ICONWARNING}, {"MB_ICONASTERISK", MB_ICONASTERISK},
        {"MB_ICONINFORMATION", MB_ICONINFORMATION}, {"MB_USERICON", MB_USERICON},
        {"MB_DEFBUTTON1", MB_DEFBUTTON1}, {"MB_DEFBUTTON2", MB_DEFBUTTON2}, {"MB_DEFBUTTON3", MB_DEFBUTTON3},
        {"MB_DEFBUTTON4", MB_DEFBUTTON4}, {"MB_SYSTEMMODAL", MB_SYSTEMMODAL}, {"MB_TASKMODAL", MB_TASKMODAL},
        {"MB_HELP", MB_HELP}, {"MB_NOFOCUS", MB_NOFOCUS}, {"MB_SETFOREGROUND", MB_SETFOREGROUND},
        {"MB_DEFAULT_DESKTOP_ONLY", MB_DEFAULT_DESKTOP_ONLY}, {"MB_TOPMOST", MB_TOPMOST}, {"MB_RIGHT", MB_RIGHT},
        {"MB_RTLREADING", MB_RTLREADING}, {"IDOK", IDOK}, {"IDCANCEL", IDCANCEL}, {"IDABORT", IDABORT},
        {"IDRETRY", IDRETRY}, {"IDIGNORE", IDIGNORE}, {"IDYES", IDYES}, {"IDNO", IDNO}, {"IDCLOSE", IDCLOSE},
        {"IDHELP", IDHELP}, {"WS_OVERLAPPEDWINDOW", WS_OVERLAPPEDWINDOW}, {"WS_OVERLAPPED", WS_OVERLAPPED},
        {"WS_POPUPWINDOW", WS_POPUPWINDOW}, {"WS_POPUP", WS_POPUP}, {"WS_CHILD", WS_CHILD},
        {"WS_MINIMIZE", WS_MINIMIZE}, {"WS_VISIBLE", WS_VISIBLE}, {"WS_DISABLED", WS_DISABLED},
        {"WS_CLIPSIBLINGS", WS_CLIPSIBLINGS}, {"WS_CLIPCHILDREN", WS_CLIPCHILDREN}, {"WS_MAXIMIZE", WS_MAXIMIZE},
        {"WS_CAPTION", WS_CAPTION}, {"WS_BORDER", WS_BORDER}, {"WS_DLGFRAME", WS_DLGFRAME},
        {"WS_VSCROLL", WS_VSCROLL}, {"WS_HSCROLL", WS_HSCROLL}, {"WS_SYSMENU", WS_SYSMENU},
        {"WS_THICKFRAME", WS_THICKFRAME}, {"WS_EX_TOPMOST", WS_EX_TOPMOST},
        {"WS_EX_PALETTEWINDOW", WS_EX_PALETTEWINDOW}, {"GENERIC_READ", GENERIC_READ},
        {"GENERIC_WRITE", GENERIC_WRITE}, {"FILE_SHARE_READ", FILE_SHARE_READ}, {"FILE_SHARE_WRITE", FILE_SHARE_WRITE},
        {"CREATE_NEW", CREATE_NEW}, {"CREATE_ALWAYS", CREATE_ALWAYS}, {"OPEN_EXISTING", OPEN_EXISTING},
        {"OPEN_ALWAYS", OPEN_ALWAYS}, {"TRUNCATE_EXISTING", TRUNCATE_EXISTING},
        {"FILE_ATTRIBUTE_ARCHIVE", FILE_ATTRIBUTE_ARCHIVE}, {"FILE_ATTRIBUTE_HIDDEN", FILE_ATTRIBUTE_HIDDEN},
        {"FILE_ATTRIBUTE_NORMAL", FILE_ATTRIBUTE_NORMAL}, {"FILE_ATTRIBUTE_READONLY", FILE_ATTRIBUTE_READONLY},
        {"FILE_ATTRIBUTE_SYSTEM", FILE_ATTRIBUTE_SYSTEM}, {"FILE_ATTRIBUTE_TEMPORARY", FILE_ATTRIBUTE_TEMPORARY},
        {"FILE_ATTRIBUTE_DIRECTORY", FILE_ATTRIBUTE_DIRECTORY}, {"FILE_BEGIN", FILE_BEGIN},
        {"FILE_CURRENT", FILE_CURRENT}, {"FILE_END", FILE_END},
    };
    ASSERT_EQ(kWindowsConstantCount, std::size(sdk));
    for (size_t i = 0; i < kWindowsConstantCount; ++i) {
        EXPECT_STREQ(sdk[i].name, kWindowsConstants[i].name) << "row " << i;
        EXPECT_EQ(static_cast<uint32_t>(sdk[i].value), kWindowsConstants[i].value) << sdk[i].name;
    }
}

}  // namespace
}  // namespace zorbel
