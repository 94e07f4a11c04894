// What every settings store must do, and the user variables on top of it: typed test
// suites run over the memory store here and over the registry store in the Windows
// tests (tests/win/engine/settings_registry_win_test.cpp). A store type for these suites
// is default-constructible, starts empty and has set_max_value_size(bytes) to refuse
// larger values, as the registry refuses a value too large for it.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/settings_store.h"
#include "engine/variables.h"
#include "platform/files.h"
#include "tests/native/engine/expansion_fakes.h"

namespace zorbel {
namespace contract {

constexpr SettingsRoot kUser = SettingsRoot::kCurrentUser;

template <typename Store>
class SettingsStoreContract : public ::testing::Test {
protected:
    StoredValue raw(const char* key, const char* name) {
        StoredValue v;
        store.read_value(kUser, key, name, &v);
        return v;
    }
    Store store;
};
TYPED_TEST_SUITE_P(SettingsStoreContract);

TYPED_TEST_P(SettingsStoreContract, WriteChoosesTheValueTypeFromTheArguments) {
    auto& store = this->store;
    const unsigned char bytes[] = {1, 0, 255};
    EXPECT_EQ(1, write_setting(store, kUser, "plain", 0, nullptr, "SOFTWARE\\Zorbel\\%s", "Text"));
    EXPECT_EQ(1, write_setting(store, kUser, "100%", 0, nullptr, "SOFTWARE\\Zorbel\\Percent"));
    EXPECT_EQ(1, write_setting(store, kUser, nullptr, 3, bytes, "SOFTWARE\\Zorbel\\Binary"));
    EXPECT_EQ(1, write_setting(store, kUser, nullptr, -2, nullptr, "SOFTWARE\\Zorbel\\Number%d", 1));
    struct Row {
        const char* name;
        uint32_t type;
        std::string data;
    } rows[] = {
        {"Text", kValueText, std::string("plain\0", 6)},  // the NUL is stored too
        {"Percent", kValueExpandText, std::string("100%\0", 5)},
        {"Binary", kValueBinary, std::string("\x01\x00\xff", 3)},
        {"Number1", kValueNumber, std::string("\xfe\xff\xff\xff", 4)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StoredValue v = this->raw("SOFTWARE\\Zorbel", row.name);
        EXPECT_EQ(row.type, v.type);
        EXPECT_EQ(row.data, v.data);
    }
    store.set_max_value_size(4);
    EXPECT_EQ(0, write_setting(store, kUser, "too long", 0, nullptr, "SOFTWARE\\Zorbel\\X"));
    EXPECT_EQ(1, write_setting(store, kUser, "ok", 0, nullptr, "SOFTWARE\\Zorbel\\X"));
}

TYPED_TEST_P(SettingsStoreContract, ReadGivesEachValueTypeItsWay) {
    auto& store = this->store;
    write_setting_text(store, "SOFTWARE\\Zorbel\\Text", "12 apples, 3 pears");
    write_setting_text(store, "SOFTWARE\\Zorbel\\Expand", "%TEMP%\\x");
    write_setting_number(store, "SOFTWARE\\Zorbel\\Number", -45);
    write_setting(store, kUser, nullptr, 4, "abcd", "SOFTWARE\\Zorbel\\Binary");
    store.write_value(kUser, "SOFTWARE\\Zorbel", "Multi", kValueMultiText, std::string("one\0two\0three\0\0", 15));
    char text[64];
    std::memset(text, 'z', sizeof(text));
    // A text reads by the text-to-number rule.
    EXPECT_EQ(123, read_setting(store, kUser, text, sizeof(text), nullptr, "SOFTWARE\\Zorbel\\Text"));
    EXPECT_STREQ("12 apples, 3 pears", text);
    read_setting(store, kUser, text, sizeof(text), nullptr, "SOFTWARE\\Zorbel\\Expand");
    EXPECT_STREQ("%TEMP%\\x", text);  // stored text, not expanded
    // A number gives its decimal text and itself.
    EXPECT_EQ(-45, read_setting(store, kUser, text, sizeof(text), nullptr, "SOFTWARE\\Zorbel\\Number"));
    EXPECT_STREQ("-45", text);
    // A multi-string reads with CR LF between its items.
    read_setting(store, kUser, text, sizeof(text), nullptr, "SOFTWARE\\Zorbel\\Multi");
    EXPECT_STREQ("one\r\ntwo\r\nthree", text);
    // Binary: up to the buffer size, the count is the result.
    char binary[3] = {};
    EXPECT_EQ(3, read_setting(store, kUser, nullptr, sizeof(binary), binary, "SOFTWARE\\Zorbel\\Binary"));
    EXPECT_EQ(0, std::memcmp(binary, "abc", 3));
    // A text is cut to the buffer, and the number read from what is left.
    char small[5];
    EXPECT_EQ(12, read_setting(store, kUser, small, sizeof(small), nullptr, "SOFTWARE\\Zorbel\\Text"));
    EXPECT_STREQ("12 a", small);
    // A missing value, in a present or a missing key, empties the buffer and reads 0.
    for (const char* missing : {"SOFTWARE\\Zorbel\\Missing", "SOFTWARE\\Nowhere\\Missing"}) {
        std::strcpy(text, "stale");
        EXPECT_EQ(0, read_setting(store, kUser, text, sizeof(text), nullptr, "%s", missing)) << missing;
        EXPECT_STREQ("", text);
    }
}

TYPED_TEST_P(SettingsStoreContract, SizeQueryGivesTheLargerOfDataAndTextSize) {
    auto& store = this->store;
    write_setting_text(store, "SOFTWARE\\Zorbel\\Text", "abc");
    write_setting_text(store, "SOFTWARE\\Zorbel\\Empty", "");
    write_setting_number(store, "SOFTWARE\\Zorbel\\Big", -1234567890);
    write_setting_number(store, "SOFTWARE\\Zorbel\\Small", 42);
    // Three items of one letter: 6 data bytes, but "a\r\nb\r\nc" is 7 characters.
    store.write_value(kUser, "SOFTWARE\\Zorbel", "Multi", kValueMultiText, std::string("a\0b\0c\0", 6));
    char text[8] = "keep";
    struct Row {
        const char* name;
        int32_t size;
    } rows[] = {{"Text", 4}, {"Empty", 1}, {"Big", 11}, {"Small", 4}, {"Multi", 7}, {"Missing", 0}};
    for (const Row& r : rows)
        EXPECT_EQ(r.size, read_setting(store, kUser, text, -1, nullptr, "SOFTWARE\\Zorbel\\%s", r.name)) << r.name;
    EXPECT_STREQ("keep", text);  // the size query copies nothing
}

TYPED_TEST_P(SettingsStoreContract, LongFormatsAndPathsAreCut) {
    auto& store = this->store;
    std::string long_name(300, 'n');
    write_setting_number(store, "SOFTWARE\\Zorbel\\" + long_name.substr(0, 259 - 16), 5);
    // The formatted path is cut to 259 characters.
    EXPECT_EQ(5, read_setting(store, kUser, nullptr, 0, nullptr, "SOFTWARE\\Zorbel\\%s", long_name.c_str()));
    // A format of 1023 characters or more is not formatted.
    std::string format = "SOFTWARE\\Zorbel\\%s" + std::string(1100, 'x');
    EXPECT_EQ(1, write_setting(store, kUser, "v", 0, nullptr, "%s", format.c_str()));
}

TYPED_TEST_P(SettingsStoreContract, DeleteTakesValuesKeysAndTrees) {
    auto& store = this->store;
    write_setting_number(store, "SOFTWARE\\Zorbel\\A", 1);
    write_setting_number(store, "SOFTWARE\\Zorbel\\Tree\\Leaf", 1);
    write_setting_number(store, "SOFTWARE\\Zorbel\\Tree\\Sub\\Deeper\\Leaf", 1);
    EXPECT_EQ(1, delete_setting(store, kUser, "SOFTWARE\\Zorbel\\A"));
    EXPECT_EQ(0, delete_setting(store, kUser, "SOFTWARE\\Zorbel\\A"));
    EXPECT_EQ(1, delete_setting(store, kUser, "SOFTWARE\\Zorbel\\%s", "TREE"));
    EXPECT_FALSE(store.key_exists(kUser, "SOFTWARE\\Zorbel\\Tree"));
    EXPECT_TRUE(store.key_exists(kUser, "SOFTWARE\\Zorbel"));
    EXPECT_FALSE(store.delete_empty_key(kUser, "SOFTWARE"));  // it has a subkey

    // delete_key_tree empties a key of its subkeys but keeps the key and its values.
    write_setting_number(store, "K\\Own", 1);
    write_setting_number(store, "K\\a\\x", 1);
    write_setting_number(store, "K\\b\\c\\d\\x", 1);
    write_setting_number(store, "K b\\x", 1);  // a sibling whose name starts like K
    EXPECT_TRUE(delete_key_tree(store, kUser, "K"));
    std::vector<std::string> subkeys;
    EXPECT_TRUE(store.list_subkeys(kUser, "K", &subkeys));
    EXPECT_TRUE(subkeys.empty());
    EXPECT_EQ(1, setting_number(store, "K\\Own"));
    EXPECT_EQ(1, setting_number(store, "K b\\x"));
}

TYPED_TEST_P(SettingsStoreContract, NamesIgnoreCaseAndListsGiveValuesAndSubkeys) {
    auto& store = this->store;
    write_setting_text(store, "Software\\ZORBEL\\List\\a", "1");
    write_setting_number(store, "SOFTWARE\\Zorbel\\LIST\\b", 2);
    write_setting_number(store, "SOFTWARE\\Zorbel\\List\\Sub\\x", 1);
    EXPECT_EQ("1", setting_text(store, "SOFTWARE\\Zorbel\\list\\A"));
    std::vector<NamedValue> values;
    ASSERT_TRUE(store.list_values(kUser, "SOFTWARE\\Zorbel\\List", &values));
    ASSERT_EQ(2u, values.size());
    EXPECT_EQ("1", stored_value_text(values[0].value));
    EXPECT_EQ("2", stored_value_text(values[1].value));
    std::vector<std::string> subkeys;
    ASSERT_TRUE(store.list_subkeys(kUser, "SOFTWARE\\Zorbel\\List", &subkeys));
    EXPECT_EQ(std::vector<std::string>{"Sub"}, subkeys);
    EXPECT_FALSE(store.list_values(kUser, "SOFTWARE\\Zorbel\\Missing", &values));
    EXPECT_FALSE(store.list_subkeys(kUser, "SOFTWARE\\Zorbel\\Missing", &subkeys));
}

TYPED_TEST_P(SettingsStoreContract, LargeValuesRoundTrip) {
    std::string big(100000, 'L');
    ASSERT_TRUE(write_setting_text(this->store, "SOFTWARE\\Zorbel\\Big", big));
    EXPECT_EQ(big, setting_text(this->store, "SOFTWARE\\Zorbel\\Big", big.size() + 1));
}

REGISTER_TYPED_TEST_SUITE_P(SettingsStoreContract, WriteChoosesTheValueTypeFromTheArguments,
                            ReadGivesEachValueTypeItsWay, SizeQueryGivesTheLargerOfDataAndTextSize,
                            LongFormatsAndPathsAreCut, DeleteTakesValuesKeysAndTrees,
                            NamesIgnoreCaseAndListsGiveValuesAndSubkeys, LargeValuesRoundTrip);

// User variables on a store: the prefix, values too large for the store spilt to files,
// and the reset.
template <typename Store>
class VariablesContract : public ::testing::Test {
protected:
    VariablesContract() { write_setting_number(store, "SOFTWARE\\Zorbel\\GlobalVariables", 1); }
    std::string stored(const std::string& name) {
        return setting_text(store, std::string(kUserVariablesKey) + "\\" + name, size_t{1} << 20);
    }
    bool has(const std::string& name) {
        StoredValue v;
        return store.read_value(kUser, kUserVariablesKey, name, &v);
    }
    static std::string file_text(const std::string& path) {
        std::string text;
        files::read_all(path, &text);
        return text;
    }
    Store store;
    TempFolder folder;
    Variables variables{store, folder.path(), 1234};
};
TYPED_TEST_SUITE_P(VariablesContract);

TYPED_TEST_P(VariablesContract, WriteReadAndRemoveUnderThePrefix) {
    auto& vars = this->variables;
    write_setting_number(this->store, "SOFTWARE\\Zorbel\\GlobalVariables", 0);
    ASSERT_TRUE(vars.write("%count", "5"));
    EXPECT_EQ("5", this->stored("1234_count"));
    EXPECT_FALSE(this->has("count"));
    std::string value;
    EXPECT_TRUE(vars.read("count", &value));
    EXPECT_EQ("5", value);
    ASSERT_TRUE(vars.write_unprefixed("file_loop", "x"));
    EXPECT_EQ("x", this->stored("file_loop"));
    EXPECT_TRUE(vars.remove("%count"));
    EXPECT_FALSE(vars.read("count", &value));
    EXPECT_EQ("", value);
    // A stored value ending in "*" that names no file stays as stored.
    write_setting_text(this->store, std::string(kUserVariablesKey) + "\\1234_v", "not a file*");
    ASSERT_TRUE(vars.read("v", &value));
    EXPECT_EQ("not a file*", value);
}

TYPED_TEST_P(VariablesContract, RefusedValueSpillsToItsFile) {
    auto& vars = this->variables;
    this->store.set_max_value_size(1000);
    std::string big(50000, 'b');
    ASSERT_TRUE(vars.write("%big", big));
    const std::string path = vars.file_path("big");
    EXPECT_EQ(path + "*", this->stored("big"));
    EXPECT_EQ(big, this->file_text(path));
    std::string value;
    ASSERT_TRUE(vars.read("big", &value));
    EXPECT_EQ(big, value);
    // The file is replaced, not appended to.
    ASSERT_TRUE(vars.write("big", std::string(4000, '2')));
    EXPECT_EQ(std::string(4000, '2'), this->file_text(path));
}

TYPED_TEST_P(VariablesContract, ResetDeletesVariablesPaletteRowsAndSpillFiles) {
    auto& vars = this->variables;
    this->store.set_max_value_size(100);
    ASSERT_TRUE(vars.write("big", std::string(500, 'x')));
    ASSERT_TRUE(vars.write("small", "s"));
    ASSERT_TRUE(files::exists(vars.file_path("big")));
    ASSERT_TRUE(write_new_file(this->folder.file("OTHER.ZORBEL_VAR"), "x"));
    ASSERT_TRUE(write_new_file(this->folder.file("keep.txt"), "x"));
    FakePalette palette;
    palette.rows.push_back(VariableRow{"%small", "s", false});
    vars.reset(&palette);
    EXPECT_FALSE(this->store.key_exists(kUser, kUserVariablesKey));
    EXPECT_TRUE(palette.rows.empty());
    EXPECT_FALSE(files::exists(vars.file_path("big")));
    EXPECT_FALSE(files::exists(this->folder.file("OTHER.ZORBEL_VAR")));
    EXPECT_TRUE(files::exists(this->folder.file("keep.txt")));
}

REGISTER_TYPED_TEST_SUITE_P(VariablesContract, WriteReadAndRemoveUnderThePrefix, RefusedValueSpillsToItsFile,
                            ResetDeletesVariablesPaletteRowsAndSpillFiles);

}  // namespace contract
}  // namespace zorbel
