// The settings store on the real (Wine) registry. Every test works under
// HKCU\SOFTWARE\Zorbel\Test only: leftovers are deleted at the start, the key is
// removed recursively at the end.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstring>

#include "engine/settings_store_registry_win.h"

namespace zorbel {
namespace {

constexpr const char* kTestKey = "SOFTWARE\\Zorbel\\Test";
constexpr SettingsRoot kUser = SettingsRoot::kCurrentUser;

void remove_test_key() {
    SHDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
}

// The type and bytes of a value read straight from advapi32.
struct RawValue {
    LONG rc = -1;
    DWORD type = 0xdeadbeef;
    std::string data;
};
RawValue raw_read(const std::string& key, const char* name) {
    RawValue out;
    HKEY h;
    out.rc = RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h);
    if (out.rc != ERROR_SUCCESS) return out;
    char buffer[4096];
    DWORD size = sizeof(buffer);
    out.rc = RegQueryValueExA(h, name, nullptr, &out.type, reinterpret_cast<BYTE*>(buffer), &size);
    if (out.rc == ERROR_SUCCESS) out.data.assign(buffer, size);
    RegCloseKey(h);
    return out;
}
LONG raw_write(const std::string& key, const char* name, DWORD type, const std::string& data) {
    HKEY h;
    LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    rc = RegSetValueExA(h, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    RegCloseKey(h);
    return rc;
}

class SettingsRegistry : public ::testing::Test {
protected:
    void SetUp() override { remove_test_key(); }
    void TearDown() override { remove_test_key(); }
    RegistrySettingsStore store;
};

TEST_F(SettingsRegistry, WritesEachValueType) {
    const std::string key = std::string(kTestKey) + "\\Types";
    EXPECT_EQ(1, write_setting(store, kUser, "plain", 0, nullptr, "%s\\Text", key.c_str()));
    EXPECT_EQ(1, write_setting(store, kUser, "50%", 0, nullptr, "%s\\Percent", key.c_str()));
    EXPECT_EQ(1, write_setting(store, kUser, nullptr, -5, nullptr, "%s\\Number", key.c_str()));
    const char bytes[] = {'\x00', '\x7f', '\xff'};
    EXPECT_EQ(1, write_setting(store, kUser, nullptr, 3, bytes, "%s\\Binary", key.c_str()));

    RawValue text = raw_read(key, "Text");
    EXPECT_EQ(ERROR_SUCCESS, text.rc);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), text.type);
    EXPECT_EQ(std::string("plain\0", 6), text.data);
    RawValue percent = raw_read(key, "Percent");
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), percent.type);
    EXPECT_EQ(std::string("50%\0", 4), percent.data);
    RawValue number = raw_read(key, "Number");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), number.type);
    EXPECT_EQ(std::string("\xfb\xff\xff\xff", 4), number.data);
    RawValue binary = raw_read(key, "Binary");
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), binary.type);
    EXPECT_EQ(std::string(bytes, 3), binary.data);
}

TEST_F(SettingsRegistry, ReadsEachValueType) {
    const std::string key = std::string(kTestKey) + "\\Read";
    ASSERT_EQ(ERROR_SUCCESS, raw_write(key, "Text", REG_SZ, std::string("7 days\0", 7)));
    ASSERT_EQ(ERROR_SUCCESS, raw_write(key, "Expand", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9)));
    ASSERT_EQ(ERROR_SUCCESS, raw_write(key, "Multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9)));
    ASSERT_EQ(ERROR_SUCCESS, raw_write(key, "Number", REG_DWORD, std::string("\x2a\0\0\0", 4)));
    ASSERT_EQ(ERROR_SUCCESS, raw_write(key, "Binary", REG_BINARY, std::string("abcdef", 6)));

    char text[64];
    std::memset(text, 'z', sizeof(text));
    EXPECT_EQ(7, read_setting(store, kUser, text, sizeof(text), nullptr, "%s\\Text", key.c_str()));
    EXPECT_STREQ("7 days", text);
    read_setting(store, kUser, text, sizeof(text), nullptr, "%s\\Expand", key.c_str());
    EXPECT_STREQ("%TEMP%\\x", text);  // stored text, not expanded
    read_setting(store, kUser, text, sizeof(text), nullptr, "%s\\Multi", key.c_str());
    EXPECT_STREQ("one\r\ntwo", text);
    EXPECT_EQ(42, read_setting(store, kUser, text, sizeof(text), nullptr, "%s\\Number", key.c_str()));
    EXPECT_STREQ("42", text);
    char binary[4] = {};
    EXPECT_EQ(4, read_setting(store, kUser, nullptr, sizeof(binary), binary, "%s\\Binary", key.c_str()));
    EXPECT_EQ(0, std::memcmp(binary, "abcd", 4));
    // The size query: the larger of data size and text length; missing reads 0.
    EXPECT_EQ(7, read_setting(store, kUser, text, -1, nullptr, "%s\\Text", key.c_str()));
    EXPECT_EQ(9, read_setting(store, kUser, text, -1, nullptr, "%s\\Multi", key.c_str()));
    EXPECT_EQ(4, read_setting(store, kUser, text, -1, nullptr, "%s\\Number", key.c_str()));
    EXPECT_EQ(0, read_setting(store, kUser, text, -1, nullptr, "%s\\Missing", key.c_str()));
    std::strcpy(text, "stale");
    EXPECT_EQ(0, read_setting(store, kUser, text, sizeof(text), nullptr, "%s\\Missing", key.c_str()));
    EXPECT_STREQ("", text);
}

TEST_F(SettingsRegistry, LargeValuesRoundTrip) {
    const std::string key = std::string(kTestKey) + "\\Large";
    std::string big(100000, 'L');
    ASSERT_TRUE(write_setting_text(store, key + "\\Big", big));
    EXPECT_EQ(big, setting_text(store, key + "\\Big", big.size() + 1));
}

TEST_F(SettingsRegistry, DeleteSettingTakesValuesKeysAndTrees) {
    const std::string key = std::string(kTestKey) + "\\Delete";
    write_setting_number(store, key + "\\Value", 1);
    write_setting_number(store, key + "\\Tree\\A\\B\\C\\Leaf", 1);
    write_setting_number(store, key + "\\Tree\\D\\Leaf", 1);
    EXPECT_EQ(1, delete_setting(store, kUser, "%s\\Value", key.c_str()));
    EXPECT_NE(ERROR_SUCCESS, raw_read(key, "Value").rc);
    EXPECT_EQ(0, delete_setting(store, kUser, "%s\\Value", key.c_str()));
    EXPECT_EQ(1, delete_setting(store, kUser, "%s\\Tree", key.c_str()));
    HKEY h;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, (key + "\\Tree").c_str(), 0, KEY_READ, &h));
    EXPECT_TRUE(store.key_exists(kUser, key));
}

TEST_F(SettingsRegistry, KeyDeletedBehindTheCachedHandleIsOpenedAgain) {
    const std::string key = std::string(kTestKey) + "\\Cached";
    ASSERT_TRUE(write_setting_text(store, key + "\\V", "one"));
    EXPECT_EQ("one", setting_text(store, key + "\\V"));
    // Another program deletes and re-creates the key.
    ASSERT_EQ(ERROR_SUCCESS, static_cast<LONG>(SHDeleteKeyA(HKEY_CURRENT_USER, key.c_str())));
    ASSERT_EQ(ERROR_SUCCESS, raw_write(key, "V", REG_SZ, std::string("two\0", 4)));
    EXPECT_EQ("two", setting_text(store, key + "\\V"));
    ASSERT_TRUE(write_setting_text(store, key + "\\W", "three"));
    EXPECT_EQ(std::string("three\0", 6), raw_read(key, "W").data);
}

TEST_F(SettingsRegistry, ListsValuesAndSubkeys) {
    const std::string key = std::string(kTestKey) + "\\List";
    write_setting_text(store, key + "\\a", "1");
    write_setting_number(store, key + "\\b", 2);
    write_setting_number(store, key + "\\Sub\\x", 1);
    std::vector<NamedValue> values;
    ASSERT_TRUE(store.list_values(kUser, key, &values));
    ASSERT_EQ(2u, values.size());
    EXPECT_EQ("1", stored_value_text(values[0].value));
    EXPECT_EQ("2", stored_value_text(values[1].value));
    std::vector<std::string> subkeys;
    ASSERT_TRUE(store.list_subkeys(kUser, key, &subkeys));
    ASSERT_EQ(1u, subkeys.size());
    EXPECT_EQ("Sub", subkeys[0]);
    EXPECT_FALSE(store.list_values(kUser, key + "\\Missing", &values));
}

TEST_F(SettingsRegistry, ChangeProbeSeesWritesFromOtherPrograms) {
    const std::string key = std::string(kTestKey) + "\\Probe";
    write_setting_text(store, key + "\\a", "1");
    KeyStamp first, second, third;
    ASSERT_TRUE(store.key_stamp(kUser, key, &first));
    EXPECT_EQ(1u, first.value_count);
    EXPECT_FALSE(first.settled);  // written just now
    ASSERT_EQ(ERROR_SUCCESS, raw_write(key, "b", REG_SZ, std::string("2\0", 2)));
    ASSERT_TRUE(store.key_stamp(kUser, key, &second));
    EXPECT_EQ(2u, second.value_count);
    RegistrySettingsStore eager("", 0);
    ASSERT_TRUE(eager.key_stamp(kUser, key, &third));
    EXPECT_GE(third.stamp, first.stamp);
}

TEST_F(SettingsRegistry, SandboxKeepsEverythingUnderItsKey) {
    RegistrySettingsStore sandboxed(std::string(kTestKey) + "\\Sandbox");
    ASSERT_TRUE(write_setting_text(sandboxed, "SOFTWARE\\Zorbel\\Logfile", "C:\\sandbox.txt"));
    EXPECT_EQ(std::string("C:\\sandbox.txt\0", 15),
              raw_read(std::string(kTestKey) + "\\Sandbox\\HKCU\\SOFTWARE\\Zorbel", "Logfile").data);
    EXPECT_EQ("C:\\sandbox.txt", setting_text(sandboxed, "SOFTWARE\\Zorbel\\Logfile"));
}

}  // namespace
}  // namespace zorbel
