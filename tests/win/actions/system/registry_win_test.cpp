// The registry steps on the real registry under every root Wine lets a user write.
// Each test owns a key named after this process under each root and deletes it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/support/system_run_rig.h"

namespace zorbel {
namespace {

struct Root {
    const char* prefix;  // as a step writes it
    HKEY key;
    const char* base;    // where this test's keys go under the root
};

const Root kRoots[] = {
    {"HKEY_CURRENT_USER\\", HKEY_CURRENT_USER, "Software\\ZorbelTest"},
    {"HKEY_LOCAL_MACHINE\\", HKEY_LOCAL_MACHINE, "Software\\ZorbelTest"},
    {"HKEY_CLASSES_ROOT\\", HKEY_CLASSES_ROOT, "ZorbelTest"},
    {"HKEY_USERS\\", HKEY_USERS, ".DEFAULT\\Software\\ZorbelTest"},
    {"HKEY_CURRENT_CONFIG\\", HKEY_CURRENT_CONFIG, "Software\\ZorbelTest"},
};

struct Raw {
    DWORD type = 0;
    std::string data;
    bool found = false;
};

Raw raw_value(HKEY root, const std::string& key, const char* name) {
    Raw out;
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return out;
    DWORD size = 0;
    if (RegQueryValueExA(k, name, nullptr, &out.type, nullptr, &size) == ERROR_SUCCESS) {
        out.data.resize(size);
        out.found = RegQueryValueExA(k, name, nullptr, &out.type,
                                     size ? reinterpret_cast<BYTE*>(&out.data[0]) : nullptr, &size) == ERROR_SUCCESS;
    }
    RegCloseKey(k);
    return out;
}

bool key_exists(HKEY root, const std::string& key) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

void set_raw(HKEY root, const std::string& key, const char* name, DWORD type, const std::string& data) {
    HKEY k = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(k, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                            static_cast<DWORD>(data.size())));
    RegCloseKey(k);
}

// Deletes the key with everything below it.
void delete_tree(HKEY root, const std::string& key) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) == ERROR_SUCCESS) {
        char name[256];
        std::vector<std::string> subkeys;
        for (DWORD i = 0;; ++i) {
            DWORD size = sizeof(name);
            if (RegEnumKeyExA(k, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            subkeys.emplace_back(name, size);
        }
        RegCloseKey(k);
        for (const std::string& s : subkeys) delete_tree(root, key + "\\" + s);
    }
    RegDeleteKeyA(root, key.c_str());
}

class RegistryStepsWin : public ::testing::Test {
protected:
    void TearDown() override {
        for (const Root& r : kRoots) {
            delete_tree(r.key, own(r));
            RegDeleteKeyA(r.key, r.base);  // only when no other test's key is left in it
        }
    }
    // This test's key under the root.
    static std::string own(const Root& r) { return std::string(r.base) + "\\" + std::to_string(GetCurrentProcessId()); }
    static std::string step_path(const Root& r, const std::string& rest) { return r.prefix + own(r) + "\\" + rest; }

    int run(const char* action, const std::string& value1, const std::string& text = "") {
        Step& s = rig.only(action, text);
        copy_to_field(s.value[0], value1);
        copy_to_field(s.variable, "%out");
        s.options = kOptionResultToVariable;
        return rig.run_step();
    }

    SystemRunRig rig;
};

TEST_F(RegistryStepsWin, WriteReadDeleteUnderEveryRoot) {
    for (const Root& r : kRoots) {
        SCOPED_TRACE(r.prefix);
        ASSERT_EQ(kStepSucceeded, run("Write Registry", step_path(r, "Sub\\Text"), "hello"));
        ASSERT_EQ(kStepSucceeded, run("Write Registry", step_path(r, "Sub\\Number"), "42"));
        ASSERT_EQ(kStepSucceeded, run("Write Registry", step_path(r, "Sub\\"), "the default"));
        Raw text = raw_value(r.key, own(r) + "\\Sub", "Text");
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), text.type);
        EXPECT_EQ(std::string("hello\0", 6), text.data);
        Raw number = raw_value(r.key, own(r) + "\\Sub", "Number");
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), number.type);
        EXPECT_EQ(std::string("\x2a\0\0\0", 4), number.data);
        EXPECT_EQ(std::string("the default\0", 12), raw_value(r.key, own(r) + "\\Sub", "").data);
        ASSERT_EQ(kStepSucceeded, run("Read Registry", step_path(r, "Sub\\Number")));
        EXPECT_EQ("42", rig.variable("out"));
        ASSERT_EQ(kStepSucceeded, run("Read Registry", step_path(r, "Sub\\")));
        EXPECT_EQ("the default", rig.variable("out"));
        ASSERT_EQ(kStepSucceeded, run("Delete Registry", step_path(r, "Sub\\Text")));
        EXPECT_FALSE(raw_value(r.key, own(r) + "\\Sub", "Text").found);
        EXPECT_TRUE(raw_value(r.key, own(r) + "\\Sub", "Number").found);
        ASSERT_EQ(kStepSucceeded, run("Delete Registry", step_path(r, "Sub")));
        EXPECT_FALSE(key_exists(r.key, own(r) + "\\Sub"));
        EXPECT_TRUE(key_exists(r.key, own(r)));
    }
}

TEST_F(RegistryStepsWin, ReadsEveryValueType) {
    const Root& r = kRoots[0];
    const std::string key = own(r);
    set_raw(r.key, key, "sz", REG_SZ, std::string("text\0", 5));
    set_raw(r.key, key, "expand", REG_EXPAND_SZ, std::string("%windir%\\x\0", 11));
    set_raw(r.key, key, "dword", REG_DWORD, std::string("\xff\xff\xff\xff", 4));
    set_raw(r.key, key, "multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9));
    set_raw(r.key, key, "binary", REG_BINARY, std::string("\x01\x02", 2));
    struct Row {
        const char* name;
        int result;
        const char* saved;
    } rows[] = {
        {"sz", kStepSucceeded, "text"},
        {"expand", kStepSucceeded, "%windir%\\x"},
        {"dword", kStepSucceeded, "-1"},
        {"multi", kStepSucceeded, "one\r\ntwo"},
        {"binary", kStepFailed, ""},
        {"missing", kStepFailed, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        rig.set_variable("out", "");
        EXPECT_EQ(row.result, run("Read Registry", step_path(r, row.name)));
        EXPECT_EQ(row.saved, rig.variable("out"));
    }
}

// A recursive copy across roots keeps every type, default values and empty subkeys.
TEST_F(RegistryStepsWin, CopiesTreesAcrossRoots) {
    const Root& cu = kRoots[0];
    const Root& lm = kRoots[1];
    const std::string src = own(cu) + "\\Src";
    set_raw(cu.key, src, "", REG_SZ, std::string("default\0", 8));
    set_raw(cu.key, src, "dword", REG_DWORD, std::string("\x07\0\0\0", 4));
    set_raw(cu.key, src + "\\A\\B", "multi", REG_MULTI_SZ, std::string("x\0y\0\0", 5));
    set_raw(cu.key, src + "\\A", "bin", REG_BINARY, std::string("\0\x01\0", 3));
    set_raw(cu.key, src + "\\A", "qword", REG_QWORD, std::string("\x01\0\0\0\0\0\0\x80", 8));
    HKEY empty = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(cu.key, (src + "\\Empty").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                             &empty, nullptr));
    RegCloseKey(empty);
    ASSERT_EQ(kStepSucceeded, run("Copy Registry", step_path(cu, "Src"), step_path(lm, "Dst")));
    const std::string dst = own(lm) + "\\Dst";
    for (const auto& [key, name] : std::vector<std::pair<std::string, const char*>>{
             {"", ""}, {"", "dword"}, {"\\A\\B", "multi"}, {"\\A", "bin"}, {"\\A", "qword"}}) {
        SCOPED_TRACE(key + "\\" + name);
        Raw from = raw_value(cu.key, src + key, name);
        Raw to = raw_value(lm.key, dst + key, name);
        ASSERT_TRUE(to.found);
        EXPECT_EQ(from.type, to.type);
        EXPECT_EQ(from.data, to.data);
    }
    EXPECT_TRUE(key_exists(lm.key, dst + "\\Empty"));
    // Into itself, or onto itself, is refused and changes nothing.
    EXPECT_EQ(kStepFailed, run("Copy Registry", step_path(cu, "Src"), step_path(cu, "Src\\A\\Inner")));
    EXPECT_FALSE(key_exists(cu.key, src + "\\A\\Inner"));
    EXPECT_EQ(kStepFailed, run("Copy Registry", step_path(cu, "Src"), step_path(cu, "src")));
    // A missing source leaves the destination alone.
    EXPECT_EQ(kStepFailed, run("Copy Registry", step_path(cu, "Nothing"), step_path(lm, "Dst")));
    EXPECT_TRUE(raw_value(lm.key, dst, "dword").found);
}

// Delete never reaches past the path it names: not a root, not a key of the same
// name elsewhere.
TEST_F(RegistryStepsWin, DeleteTouchesOnlyWhatItNames) {
    ASSERT_TRUE(key_exists(HKEY_CURRENT_USER, "Environment"));
    const Root& r = kRoots[0];
    set_raw(r.key, own(r), "kept", REG_SZ, std::string("x\0", 2));
    for (const std::string& path : {std::string("HKEY_CURRENT_USER\\"), std::string(""),
                                    step_path(r, "NoSuchVendor\\Environment"), std::string("HKEY_USERS\\")}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(kStepFailed, run("Delete Registry", path));
    }
    EXPECT_TRUE(key_exists(HKEY_CURRENT_USER, "Environment"));
    EXPECT_TRUE(key_exists(HKEY_CURRENT_USER, "Software"));
    EXPECT_TRUE(raw_value(r.key, own(r), "kept").found);
}

}  // namespace
}  // namespace zorbel
