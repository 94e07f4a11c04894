// The settings store and user variables on the real (Wine) registry: the contract of
// settings_contract.h, and what only the registry, the files, the clipboard and the
// process environment show. Everything lives in sandboxes under
// HKCU\SOFTWARE\Zorbel\Test, removed before and after each test.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "platform/clipboard.h"
#include "engine/current_window.h"
#include "engine/expand_text.h"
#include "engine/expansion_environment_win.h"
#include "engine/run_log.h"
#include "engine/settings_store_registry_win.h"
#include "actions/system/variable_actions.h"
#include "engine/variables.h"
#include "engine/windows_constants.h"
#include "platform/files.h"
#include "tests/native/engine/settings_contract.h"

namespace zorbel {
namespace {

using namespace contract;

constexpr const char* kTestKey = "SOFTWARE\\Zorbel\\Test";
constexpr const char* kSandbox = "SOFTWARE\\Zorbel\\Test\\Sandbox";
const std::string kRealVariablesKey = std::string(kSandbox) + "\\HKCU\\" + kUserVariablesKey;

// The registry store in a sandbox emptied before and after, refusing values larger
// than a limit as the registry refuses a value too large for it.
class SandboxRegistryStore : public RegistrySettingsStore {
public:
    SandboxRegistryStore() : RegistrySettingsStore(kSandbox) { SHDeleteKeyA(HKEY_CURRENT_USER, kTestKey); }
    ~SandboxRegistryStore() override { SHDeleteKeyA(HKEY_CURRENT_USER, kTestKey); }
    void set_max_value_size(size_t bytes) { limit_ = bytes; }
    bool write_value(SettingsRoot root, std::string_view key, std::string_view name, uint32_t type,
                     std::string_view data) override {
        return data.size() <= limit_ && RegistrySettingsStore::write_value(root, key, name, type, data);
    }

private:
    size_t limit_ = static_cast<size_t>(-1);
};

INSTANTIATE_TYPED_TEST_SUITE_P(Registry, SettingsStoreContract, SandboxRegistryStore);
INSTANTIATE_TYPED_TEST_SUITE_P(Registry, VariablesContract, SandboxRegistryStore);

// The type and bytes of a value read straight from advapi32 ("<missing>" when missing).
std::string raw_read(const std::string& key, const char* name, DWORD* type = nullptr) {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "<missing>";
    char buffer[4096];
    DWORD size = sizeof(buffer), t = 0;
    LONG rc = RegQueryValueExA(h, name, nullptr, &t, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(h);
    if (type) *type = t;
    return rc == ERROR_SUCCESS ? std::string(buffer, size) : "<missing>";
}
LONG raw_write(const std::string& key, const char* name, const std::string& text) {
    HKEY h;
    LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    rc = RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1));
    RegCloseKey(h);
    return rc;
}

class SettingsRegistry : public ::testing::Test {
protected:
    SandboxRegistryStore store;
    const std::string real_ = std::string(kSandbox) + "\\HKCU\\SOFTWARE\\Zorbel";
};

TEST_F(SettingsRegistry, SandboxKeepsEverythingUnderItsKey) {
    ASSERT_TRUE(write_setting_text(store, "SOFTWARE\\Zorbel\\Logfile", "C:\\sandbox.txt"));
    EXPECT_EQ(std::string("C:\\sandbox.txt\0", 15), raw_read(real_, "Logfile"));
}

TEST_F(SettingsRegistry, KeyDeletedBehindTheCachedHandleIsOpenedAgain) {
    const std::string key = real_ + "\\Cached";
    ASSERT_TRUE(write_setting_text(store, "SOFTWARE\\Zorbel\\Cached\\V", "one"));
    EXPECT_EQ("one", setting_text(store, "SOFTWARE\\Zorbel\\Cached\\V"));
    // Another program deletes and re-creates the key.
    ASSERT_EQ(ERROR_SUCCESS, static_cast<LONG>(SHDeleteKeyA(HKEY_CURRENT_USER, key.c_str())));
    ASSERT_EQ(ERROR_SUCCESS, raw_write(key, "V", "two"));
    EXPECT_EQ("two", setting_text(store, "SOFTWARE\\Zorbel\\Cached\\V"));
    ASSERT_TRUE(write_setting_text(store, "SOFTWARE\\Zorbel\\Cached\\W", "three"));
    EXPECT_EQ(std::string("three\0", 6), raw_read(key, "W"));
}

TEST_F(SettingsRegistry, ChangeProbeSeesWritesFromOtherPrograms) {
    write_setting_text(store, "SOFTWARE\\Zorbel\\Probe\\a", "1");
    KeyStamp first, second;
    ASSERT_TRUE(store.key_stamp(kUser, "SOFTWARE\\Zorbel\\Probe", &first));
    EXPECT_EQ(1u, first.value_count);
    EXPECT_FALSE(first.settled);  // written just now
    ASSERT_EQ(ERROR_SUCCESS, raw_write(real_ + "\\Probe", "b", "2"));
    ASSERT_TRUE(store.key_stamp(kUser, "SOFTWARE\\Zorbel\\Probe", &second));
    EXPECT_EQ(2u, second.value_count);
    EXPECT_GE(second.stamp, first.stamp);
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
        services.store = &store;
        services.environment = &environment;
        services.window = &window;
        services.run = &run;
        services.log = &log;
        services.variables = &variables;
        services.palette = &palette;
        services.expander = &expander;
        write_setting_number(store, "SOFTWARE\\Zorbel\\GlobalVariables", 1);
    }
    int action(const char* name, const char* variable, const std::string& text) {
        Step step;
        copy_to_field(step.action, name);
        copy_to_field(step.variable, variable);
        step.text = text;
        std::string error;
        return run_variable_action(step, services, &error);
    }

    SandboxRegistryStore store;
    TempFolder folder;
    DesktopExpansionEnvironment environment{1};
    NoCurrentWindow window;
    RunFacts run;
    RunLog log{store};
    NullPalette palette;
    Variables variables{store, folder.path(), 1234};
    RunServices services;
    TextExpander expander{services};
};

TEST_F(VariablesRegistry, CreateSetStoresTextOrExpandableTextAndIncrementReadsNumbers) {
    DWORD type = 0;
    EXPECT_EQ(1, action("Create/Set Variable", "%count", "5"));
    EXPECT_EQ(std::string("5\0", 2), raw_read(kRealVariablesKey, "count", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(1, action("Create/Set Variable", "%count", "100%% sure"));
    EXPECT_EQ(std::string("100% sure\0", 10), raw_read(kRealVariablesKey, "count", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), type);
    // The "Increment Variable" failure mode stores a REG_DWORD; it reads back as text.
    write_setting_number(store, std::string(kUserVariablesKey) + "\\tries", 41);
    EXPECT_EQ(1, action("Increment Variable", "%tries", ""));
    EXPECT_EQ(std::string("42\0", 3), raw_read(kRealVariablesKey, "tries"));
}

TEST_F(VariablesRegistry, ExpansionSeesValuesWrittenByAnotherProgram) {
    ASSERT_EQ(ERROR_SUCCESS, raw_write(kRealVariablesKey, "other", "first"));
    EXPECT_EQ("first", expander.expanded("%other"));
    raw_write(kRealVariablesKey, "other", "second");
    raw_write(kRealVariablesKey, "added", "new");
    EXPECT_EQ("new second", expander.expanded("%added %other"));
}

TEST_F(VariablesRegistry, EnvironmentAndSystemTokens) {
    ASSERT_TRUE(SetEnvironmentVariableA("ZORBEL_TEST_DIR", "C:\\zorbel test"));
    EXPECT_EQ("C:\\zorbel test\\x", expander.expanded("%ZORBEL_TEST_DIR%\\x"));
    SetEnvironmentVariableA("ZORBEL_TEST_DIR", nullptr);
    char system[MAX_PATH], windows[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(std::string(system) + "|" + windows, expander.expanded("%SYSDIR|%WINDIR"));
    EXPECT_EQ(windows_version_name(environment.version()), expander.expanded("%WINVER"));
    EXPECT_EQ(2, environment.version().platform);
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

TEST_F(VariablesRegistry, ClipboardRoundTrip) {
    ASSERT_TRUE(clipboard::set_text("from the test"));
    EXPECT_EQ("[from the test]", expander.expanded("[%CLIPBOARD]"));
    save_result(services, kOptionResultToClipboard, "%v", "saved result", nullptr);
    std::string text;
    ASSERT_TRUE(clipboard::get_text(&text));
    EXPECT_EQ("saved result", text);
}

TEST_F(VariablesRegistry, RunLogAppendsToAWindowsPathCreatingFolders) {
    std::string path = folder.file("a\\b\\log.txt");
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
