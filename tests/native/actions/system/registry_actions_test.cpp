#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/system/number_bits.h"
#include "actions/system/registry_path.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

constexpr SettingsRoot kCU = SettingsRoot::kCurrentUser;

TEST(RegistryPath, RootPrefixAnywhereAndKeyValueSplit) {
    struct Row {
        const char* path;
        SettingsRoot root;
        const char* key;
        const char* name;
    } rows[] = {
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\V", SettingsRoot::kLocalMachine, "SOFTWARE\\A", "V"},
        {"hkey_classes_root\\.txt\\", SettingsRoot::kClassesRoot, ".txt", ""},
        {"HKEY_CURRENT_CONFIG\\Software\\V", SettingsRoot::kCurrentConfig, "Software", "V"},
        {"HKEY_USERS\\.DEFAULT\\A\\V", SettingsRoot::kUsers, ".DEFAULT\\A", "V"},
        {"SOFTWARE\\A\\V", kCU, "SOFTWARE\\A", "V"},
        // The first prefix of the table found anywhere wins; each prefix is removed once.
        {"HKEY_USERS\\X\\HKEY_LOCAL_MACHINE\\Y\\V", SettingsRoot::kLocalMachine, "X\\Y", "V"},
        {"HKEY_CURRENT_USER\\", kCU, "", ""},
        {"Name", kCU, "", "Name"},
        {"", kCU, "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.path);
        RegistryPath p = parse_registry_path(r.path);
        EXPECT_EQ(r.root, p.root);
        EXPECT_EQ(r.key, p.key);
        EXPECT_EQ(r.name, p.name);
    }
}

// Numbers at and above 2^31 keep their bits instead of being clamped to 2147483647.
TEST(NumberBits, LowWordOfSixtyFourBitReading) {
    struct Row {
        const char* text;
        uint32_t low;
        bool fits;
    } rows[] = {
        {"42", 42, true},           {"4 2", 42, true},          {"1.5", 15, true},
        {"-1", 0xffffffffu, true},  {"2147483648", 0x80000000u, true},
        {"4294967295", 0xffffffffu, true}, {"4294967296", 0, false},
        {"12345678901", static_cast<uint32_t>(12345678901ull), false},
        {"-2147483648", 0x80000000u, true}, {"-2147483649", 0x7fffffffu, false},
        {"", 0, true},              {"abc", 0, true},
        // Only the first 31 digits count: (10^31 - 1) mod 2^32.
        {"99999999999999999999999999999999999999", 2147483647u, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        NumberBits n = text_to_number_bits(r.text);
        EXPECT_EQ(r.low, n.low);
        EXPECT_EQ(r.fits, n.fits);
    }
}

struct RegistryRig : RunRig {
    FakeRegistry& reg = desktop.registry;
    int step(const char* action, const std::string& value1, const std::string& text = "") {
        Step& s = only(action, text);
        copy_to_field(s.value[0], value1);
        copy_to_field(s.variable, "%out");
        s.options = kOptionResultToVariable;
        return run_step();
    }
    uint32_t type_of(const std::string& key, const std::string& name) {
        StoredValue v;
        return reg.read_value(kCU, key, name, &v) ? v.type : 99;
    }
};

TEST(WriteRegistry, DataDecidesTheValueType) {
    struct Row {
        const char* data;
        uint32_t type;
        const char* reads;
    } rows[] = {
        {"42", kValueNumber, "42"},
        {"4 2", kValueNumber, "42"},
        {"1.5", kValueNumber, "15"},
        {"-7", kValueNumber, "-7"},
        {"abc", kValueText, "abc"},
        {"", kValueText, ""},
        {"50%", kValueExpandText, "50%"},
        // Beyond 32 bits: kept as the text written, not a garbage number.
        {"12345678901", kValueText, "12345678901"},
        {"2147483648", kValueNumber, "-2147483648"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.data);
        RegistryRig rig;
        ASSERT_EQ(kStepSucceeded, rig.step("Write Registry", "HKEY_CURRENT_USER\\Test\\V", r.data));
        EXPECT_EQ(r.type, rig.type_of("Test", "V"));
        EXPECT_EQ(r.reads, rig.reg.text(kCU, "Test", "V"));
    }
}

TEST(ReadRegistry, SavesTheTextAndFailsQuietlyOnEmpty) {
    RegistryRig rig;
    rig.reg.put(kCU, "A", "T", "hello");
    rig.reg.write_value(kCU, "A", "Zero", kValueNumber, std::string(4, '\0'));
    rig.reg.write_value(kCU, "A", "Multi", kValueMultiText, std::string("x\0y\0\0", 5));
    rig.reg.put(kCU, "A\\B", "", "default");
    rig.reg.put(kCU, "A", "Empty", "");
    struct Row {
        const char* path;
        int result;
        const char* saved;
    } rows[] = {
        {"HKEY_CURRENT_USER\\A\\T", kStepSucceeded, "hello"},
        {"A\\Zero", kStepSucceeded, "0"},
        {"A\\Multi", kStepSucceeded, "x\r\ny"},
        {"A\\B\\", kStepSucceeded, "default"},
        {"A\\Empty", kStepFailed, ""},
        {"A\\Missing", kStepFailed, ""},
        {"HKEY_LOCAL_MACHINE\\A\\T", kStepFailed, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.path);
        rig.set_variable("out", "");
        EXPECT_EQ(r.result, rig.step("Read Registry", r.path));
        EXPECT_EQ(r.saved, rig.variable("out"));
        if (r.result == kStepFailed) {
            EXPECT_EQ("", rig.run.error_text);
        }
    }
}

// Paths without a key touch nothing and say why.
TEST(RegistryActions, UnknownRootsFailWithoutEffect) {
    for (const char* action : {"Read Registry", "Write Registry", "Delete Registry", "Copy Registry"}) {
        for (const char* path : {"HKEY_DYN_DATA\\A\\V", "HKCU\\Software\\V", "hkey_current_usr\\A\\V"}) {
            SCOPED_TRACE(std::string(action) + " " + path);
            RegistryRig rig;
            rig.reg.put(kCU, "Software", "V", "kept");
            EXPECT_EQ(kStepFailed, rig.step(action, path, "Software"));
            EXPECT_NE(std::string::npos, rig.run.error_text.find("unknown root")) << rig.run.error_text;
            EXPECT_EQ(std::vector<std::string>{}, rig.desktop.effects());
        }
    }
}

TEST(RegistryActions, PathsThatNameNoKeyFailWithoutEffect) {
    for (const char* action : {"Read Registry", "Write Registry", "Delete Registry"}) {
        for (const char* path : {"", "HKEY_CURRENT_USER\\", "JustAName", "HKEY_USERS\\"}) {
            SCOPED_TRACE(std::string(action) + " " + path);
            RegistryRig rig;
            rig.reg.put(kCU, "Environment", "JustAName", "kept");
            EXPECT_EQ(kStepFailed, rig.step(action, path, "data"));
            EXPECT_NE(std::string::npos, rig.run.error_text.find("names no key"));
            EXPECT_EQ(std::vector<std::string>{}, rig.desktop.effects());
        }
    }
}

// Delete never opens a root nor falls back to a key of the same name under it.
TEST(DeleteRegistry, DeletesOnlyWhatThePathNames) {
    struct Row {
        const char* path;
        int result;
        std::vector<std::string> effects;
    } rows[] = {
        {"HKEY_CURRENT_USER\\Vendor\\App", kStepSucceeded,
         {"registry delete key HKCU\\Vendor\\App\\Sub", "registry delete key HKCU\\Vendor\\App"}},
        {"Vendor\\App\\Setting", kStepSucceeded, {"registry delete value HKCU\\Vendor\\App [Setting]"}},
        {"Vendor\\App\\", kStepSucceeded, {"registry delete value HKCU\\Vendor\\App []"}},
        // "Environment" is no key or value under NoSuchVendor: nothing else is touched.
        {"HKEY_CURRENT_USER\\NoSuchVendor\\Environment", kStepFailed, {}},
        {"Vendor\\Missing", kStepFailed, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.path);
        RegistryRig rig;
        rig.reg.put(kCU, "Environment", "PATH", "x");
        rig.reg.put(kCU, "Vendor\\App", "Setting", "1");
        rig.reg.put(kCU, "Vendor\\App", "", "d");
        rig.reg.put(kCU, "Vendor\\App\\Sub", "S", "2");
        rig.desktop.calls.clear();
        EXPECT_EQ(r.result, rig.step("Delete Registry", r.path));
        EXPECT_EQ(r.effects, rig.desktop.effects());
        EXPECT_EQ("x", rig.reg.text(kCU, "Environment", "PATH"));
    }
}

TEST(CopyRegistry, CopiesValuesAndSubkeysRecursively) {
    RegistryRig rig;
    rig.reg.put(kCU, "Src", "", "root default");
    rig.reg.put(kCU, "Src", "A", "1");
    rig.reg.write_value(kCU, "Src\\Deep\\Deeper", "B", kValueBinary, std::string("\x01\x00\x02", 3));
    rig.reg.create_key(kCU, "Src\\Empty", nullptr);
    ASSERT_EQ(kStepSucceeded, rig.step("Copy Registry", "HKEY_CURRENT_USER\\Src", "HKEY_LOCAL_MACHINE\\Dst"));
    const SettingsRoot lm = SettingsRoot::kLocalMachine;
    EXPECT_EQ("root default", rig.reg.text(lm, "Dst", ""));
    EXPECT_EQ("1", rig.reg.text(lm, "Dst", "A"));
    StoredValue b;
    ASSERT_TRUE(rig.reg.read_value(lm, "Dst\\Deep\\Deeper", "B", &b));
    EXPECT_EQ(kValueBinary, b.type);
    EXPECT_EQ(std::string("\x01\x00\x02", 3), b.data);
    EXPECT_TRUE(rig.reg.key_exists(lm, "Dst\\Empty"));
}

// A failed copy removes only the keys it made: a destination that existed keeps its
// own values and keys; the source is never a destination.
TEST(CopyRegistry, FailureRemovesOnlyKeysThisCopyMade) {
    struct Row {
        const char* name;
        const char* source;
        const char* target;
        bool target_existed;
        const char* unreadable;
    } rows[] = {
        {"unreadable subkey, new destination", "Src", "New", false, "HKCU\\src\\b"},
        {"unreadable subkey, existing destination", "Src", "Settings", true, "HKCU\\src\\b"},
        {"missing source", "Nothing", "Settings", true, ""},
        {"same key", "Src", "HKEY_CURRENT_USER\\src", false, ""},
        {"into itself", "Src", "Src\\B\\Inner", false, ""},
        {"empty destination", "Src", "HKEY_CURRENT_USER\\", false, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        RegistryRig rig;
        rig.reg.put(kCU, "Src", "A", "1");
        rig.reg.put(kCU, "Src\\B", "X", "2");
        rig.reg.put(kCU, "Settings", "Mine", "keep");
        rig.reg.put(kCU, "Settings\\Old", "O", "keep too");
        if (*r.unreadable) rig.reg.unreadable.insert(r.unreadable);
        std::vector<std::string> before = rig.reg.tree(kCU, "");
        EXPECT_EQ(kStepFailed, rig.step("Copy Registry", r.source, r.target));
        EXPECT_EQ("keep", rig.reg.text(kCU, "Settings", "Mine"));
        EXPECT_EQ("keep too", rig.reg.text(kCU, "Settings\\Old", "O"));
        EXPECT_EQ("2", rig.reg.text(kCU, "Src\\B", "X"));
        EXPECT_EQ(before, rig.reg.tree(kCU, "")) << "keys made by the copy stay behind";
    }
}

}  // namespace
}  // namespace zorbel
