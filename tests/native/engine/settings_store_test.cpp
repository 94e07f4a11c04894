#include <gtest/gtest.h>

#include <cstring>

#include "engine/settings_store_memory.h"

namespace zorbel {
namespace {

constexpr SettingsRoot kUser = SettingsRoot::kCurrentUser;

StoredValue raw(MemorySettingsStore& store, const char* key, const char* name) {
    StoredValue v;
    store.read_value(kUser, key, name, &v);
    return v;
}

TEST(SettingsStoreWrite, ChoosesTheValueTypeFromTheArguments) {
    MemorySettingsStore store;
    EXPECT_EQ(1, write_setting(store, kUser, "plain", 0, nullptr, "SOFTWARE\\Zorbel\\%s", "Text"));
    EXPECT_EQ(1, write_setting(store, kUser, "100%", 0, nullptr, "SOFTWARE\\Zorbel\\Percent"));
    const unsigned char bytes[] = {1, 0, 255};
    EXPECT_EQ(1, write_setting(store, kUser, nullptr, 3, bytes, "SOFTWARE\\Zorbel\\Binary"));
    EXPECT_EQ(1, write_setting(store, kUser, nullptr, -2, nullptr, "SOFTWARE\\Zorbel\\Number%d", 1));

    StoredValue text = raw(store, "SOFTWARE\\Zorbel", "Text");
    EXPECT_EQ(kValueText, text.type);
    EXPECT_EQ(std::string("plain\0", 6), text.data);  // the NUL is stored too
    StoredValue percent = raw(store, "SOFTWARE\\Zorbel", "Percent");
    EXPECT_EQ(kValueExpandText, percent.type);
    StoredValue binary = raw(store, "SOFTWARE\\Zorbel", "Binary");
    EXPECT_EQ(kValueBinary, binary.type);
    EXPECT_EQ(std::string("\x01\x00\xff", 3), binary.data);
    StoredValue number = raw(store, "SOFTWARE\\Zorbel", "Number1");
    EXPECT_EQ(kValueNumber, number.type);
    EXPECT_EQ(std::string("\xfe\xff\xff\xff", 4), number.data);
}

TEST(SettingsStoreWrite, FailsWhenTheStoreRefuses) {
    MemorySettingsStore store;
    store.set_max_value_size(4);
    EXPECT_EQ(0, write_setting(store, kUser, "too long", 0, nullptr, "SOFTWARE\\Zorbel\\X"));
    EXPECT_EQ(1, write_setting(store, kUser, "ok", 0, nullptr, "SOFTWARE\\Zorbel\\X"));
}

TEST(SettingsStoreRead, EachValueType) {
    MemorySettingsStore store;
    write_setting_text(store, "SOFTWARE\\Zorbel\\Text", "12 apples, 3 pears");
    write_setting_number(store, "SOFTWARE\\Zorbel\\Number", -45);
    const char bytes[] = {'a', 'b', 'c', 'd'};
    write_setting(store, kUser, nullptr, 4, bytes, "SOFTWARE\\Zorbel\\Binary");
    store.write_value(kUser, "SOFTWARE\\Zorbel", "Multi", kValueMultiText, std::string("one\0two\0three\0\0", 15));

    char text[64];
    std::memset(text, 'z', sizeof(text));
    // A text reads by the text-to-number rule.
    EXPECT_EQ(123, read_setting(store, kUser, text, sizeof(text), nullptr, "SOFTWARE\\Zorbel\\Text"));
    EXPECT_STREQ("12 apples, 3 pears", text);
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
}

TEST(SettingsStoreRead, TextIsCutToTheBuffer) {
    MemorySettingsStore store;
    write_setting_text(store, "SOFTWARE\\Zorbel\\Text", "0123456789");
    char text[5];
    std::memset(text, 'z', sizeof(text));
    EXPECT_EQ(123, read_setting(store, kUser, text, sizeof(text), nullptr, "SOFTWARE\\Zorbel\\Text"));
    EXPECT_STREQ("0123", text);
}

TEST(SettingsStoreRead, MissingValueEmptiesTheBufferAndReadsZero) {
    MemorySettingsStore store;
    char text[8] = "stale";
    EXPECT_EQ(0, read_setting(store, kUser, text, sizeof(text), nullptr, "SOFTWARE\\Zorbel\\Missing"));
    EXPECT_STREQ("", text);
    write_setting_number(store, "SOFTWARE\\Zorbel\\Other", 1);
    std::strcpy(text, "stale");
    EXPECT_EQ(0, read_setting(store, kUser, text, sizeof(text), nullptr, "SOFTWARE\\Zorbel\\Missing"));
    EXPECT_STREQ("", text);
}

TEST(SettingsStoreRead, SizeQueryGivesTheLargerOfDataAndTextSize) {
    MemorySettingsStore store;
    write_setting_text(store, "SOFTWARE\\Zorbel\\Text", "abc");
    write_setting_text(store, "SOFTWARE\\Zorbel\\Empty", "");
    write_setting_number(store, "SOFTWARE\\Zorbel\\Big", -1234567890);
    // Three items of one letter: 6 data bytes, but "a\r\nb\r\nc" is 7 characters.
    store.write_value(kUser, "SOFTWARE\\Zorbel", "Multi", kValueMultiText, std::string("a\0b\0c\0", 6));
    char text[8] = "keep";
    struct Row {
        const char* name;
        int32_t size;
    } rows[] = {{"Text", 4}, {"Empty", 1}, {"Big", 11}, {"Multi", 7}, {"Missing", 0}};
    for (const Row& r : rows)
        EXPECT_EQ(r.size, read_setting(store, kUser, text, -1, nullptr, "SOFTWARE\\Zorbel\\%s", r.name)) << r.name;
    EXPECT_STREQ("keep", text);  // the size query copies nothing
}

TEST(SettingsStorePath, LongFormatsAndPathsAreCut) {
    MemorySettingsStore store;
    std::string long_name(300, 'n');
    write_setting_number(store, "SOFTWARE\\Zorbel\\" + long_name.substr(0, 259 - 16), 5);
    // The formatted path is cut to 259 characters.
    EXPECT_EQ(5, read_setting(store, kUser, nullptr, 0, nullptr, "SOFTWARE\\Zorbel\\%s", long_name.c_str()));
    // A format of 1023 characters or more is not formatted.
    std::string format = "SOFTWARE\\Zorbel\\%s" + std::string(1100, 'x');
    EXPECT_EQ(1, write_setting(store, kUser, "v", 0, nullptr, "%s", format.c_str()));
}

TEST(SettingsStoreDelete, ValueKeyAndTree) {
    MemorySettingsStore store;
    write_setting_number(store, "SOFTWARE\\Zorbel\\A", 1);
    write_setting_number(store, "SOFTWARE\\Zorbel\\Tree\\Leaf", 1);
    write_setting_number(store, "SOFTWARE\\Zorbel\\Tree\\Sub\\Deeper\\Leaf", 1);
    EXPECT_EQ(1, delete_setting(store, kUser, "SOFTWARE\\Zorbel\\A"));
    EXPECT_EQ(0, delete_setting(store, kUser, "SOFTWARE\\Zorbel\\A"));
    EXPECT_EQ(1, delete_setting(store, kUser, "SOFTWARE\\Zorbel\\%s", "TREE"));
    EXPECT_FALSE(store.key_exists(kUser, "SOFTWARE\\Zorbel\\Tree"));
    EXPECT_FALSE(store.key_exists(kUser, "SOFTWARE\\Zorbel\\Tree\\Sub\\Deeper"));
    EXPECT_TRUE(store.key_exists(kUser, "SOFTWARE\\Zorbel"));
}

TEST(SettingsStoreDelete, KeyTreeKeepsTheKeyAndItsValues) {
    MemorySettingsStore store;
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

TEST(SettingsStoreMemory, NamesIgnoreCaseAndKeysNeedNoSubkeysToDelete) {
    MemorySettingsStore store;
    write_setting_text(store, "Software\\ZORBEL\\Name", "v");
    EXPECT_EQ("v", setting_text(store, "SOFTWARE\\Zorbel\\name"));
    EXPECT_FALSE(store.delete_empty_key(kUser, "SOFTWARE"));  // it has a subkey
    KeyStamp before, after;
    ASSERT_TRUE(store.key_stamp(kUser, "SOFTWARE\\Zorbel", &before));
    write_setting_text(store, "SOFTWARE\\Zorbel\\Name", "w");
    ASSERT_TRUE(store.key_stamp(kUser, "SOFTWARE\\Zorbel", &after));
    EXPECT_NE(before.stamp, after.stamp);
}

}  // namespace
}  // namespace zorbel
