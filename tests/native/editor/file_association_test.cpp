#include <gtest/gtest.h>

#include "editor/model/file_association.h"

namespace zorbel {
namespace {

// Records every call; refuses writes to the keys in `refuse`.
struct RecordingRegistry : ShellRegistry {
    std::vector<std::string> calls;
    std::vector<std::string> refuse;
    bool write_text(SettingsRoot, const std::string& key, const std::string& name, const std::string& text) override {
        for (const std::string& r : refuse)
            if (r == key) return false;
        calls.push_back("write " + key + "\\" + name + "=" + text);
        return true;
    }
    void delete_key(SettingsRoot root, const std::string& key) override {
        calls.push_back(std::string(root == SettingsRoot::kLocalMachine ? "HKLM" : "?") + " delete " + key);
    }
    void associations_changed() override { calls.push_back("notify"); }
};

const char kProgram[] = "C:\\Z\\zorbel.exe";

TEST(FileAssociation, WritesTheTabledKeysAfterDeletingTheOldVerbAndThenTellsTheShell) {
    RecordingRegistry registry;
    EXPECT_TRUE(register_file_type(registry, "zbx", kProgram).ok());  // the "." is added
    const std::vector<std::string> writes(registry.calls.begin() + 8, registry.calls.end());
    EXPECT_EQ((std::vector<std::string>{
                  "write .zbx\\=Zorbel File",
                  "write .zbx\\ShellNew\\NULLFile=",
                  "write Zorbel File\\=Zorbel File",
                  "write Zorbel File\\DefaultIcon\\=\"C:\\Z\\zorbel.exe\",1",
                  "write Zorbel File\\shell\\Open\\=&Open",
                  "write Zorbel File\\shell\\Open\\command\\=\"C:\\Z\\zorbel.exe\" \"%1\"",
                  "write Zorbel File\\shell\\Edit\\=&Edit",
                  "write Zorbel File\\shell\\Edit\\command\\=\"C:\\Z\\zorbel.exe\" /e \"%1\"",
                  "write Zorbel File\\shell\\Run\\=&Run",
                  "write Zorbel File\\shell\\Run\\command\\=\"C:\\Z\\zorbel.exe\" /r \"%1\"",
                  "write Zorbel File\\shell\\Run in Zorbel\\=Run in &Zorbel",
                  "write Zorbel File\\shell\\Run in Zorbel\\command\\=\"C:\\Z\\zorbel.exe\" /v \"%1\"",
                  "notify",
              }),
              writes);
    EXPECT_EQ("HKLM delete SOFTWARE\\Classes\\Zorbel.Document\\shell\\Run Hidden\\command", registry.calls[0]);
    EXPECT_EQ("HKLM delete \\SOFTWARE\\Classes\\Zorbel.Document\\shell\\Run Hidden\\", registry.calls[7]);
}

TEST(FileAssociation, OpenCommandFollowsTheLoadAction) {
    const struct {
        int action;
        const char* command;
    } cases[] = {{0, "\"C:\\Z\\zorbel.exe\" \"%1\""}, {1, "\"C:\\Z\\zorbel.exe\" /v \"%1\""},
                 {2, "\"C:\\Z\\zorbel.exe\" /r \"%1\""}};
    for (const auto& c : cases) {
        RecordingRegistry registry;
        EXPECT_TRUE(write_open_command(registry, kProgram, c.action).ok());
        EXPECT_EQ(std::vector<std::string>{"write Zorbel File\\shell\\Open\\command\\=" + std::string(c.command)},
                  registry.calls);
    }
}

// A refused write is reported by name; the success text is shown only when all went in.
TEST(FileAssociation, SuccessOnlyWhenEveryWriteSucceeded) {
    RecordingRegistry registry;
    registry.refuse = {"Zorbel File\\shell\\Run\\command"};
    const AssociationResult result = register_file_type(registry, ".zbx", kProgram);
    EXPECT_EQ(std::vector<std::string>{"HKEY_CLASSES_ROOT\\Zorbel File\\shell\\Run\\command\\"}, result.failed);
    EXPECT_EQ("notify", registry.calls.back());  // the writes after the failed one were made
    const AssociationMessage failed = association_message(result, kProgram);
    EXPECT_TRUE(failed.error);
    EXPECT_NE(std::string::npos, failed.text.find("HKEY_CLASSES_ROOT\\Zorbel File\\shell\\Run\\command\\"));
    EXPECT_EQ(std::string::npos, failed.text.find("has been associated"));
    const AssociationMessage done = association_message(AssociationResult{}, kProgram);
    EXPECT_FALSE(done.error);
    EXPECT_EQ(0u, done.text.find("The \".zbx\" file type has been associated with the program \"C:\\Z\\zorbel.exe\""
                                 "\n\nYou can now right-click"));
}

}  // namespace
}  // namespace zorbel
