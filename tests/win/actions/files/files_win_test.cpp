// Files/Folders steps on real folders: trees, wildcards, read-only files, long and
// missing paths, the shell's tree copy and delete.
#include <gtest/gtest.h>
#include <windows.h>

#include "engine/settings_store_registry_win.h"
#include "tests/win/support/system_run_rig.h"
#include "tests/win/support/temp_folder.h"

namespace zorbel {
namespace {

using wintest::read_file;
using wintest::write_file;

bool is_folder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct FilesWin : ::testing::Test {
    wintest::TempFolder folder;
    SystemRunRig rig;

    int run(const char* action, const std::string& name, const std::string& text = "", const char* value2 = "") {
        Step& step = rig.only(action, text);
        copy_to_field(step.value[0], name);
        copy_to_field(step.value[1], value2);
        copy_to_field(step.variable, "%out");
        step.options = kOptionResultToVariable;
        return rig.run_step();
    }
};

TEST_F(FilesWin, TreesMadeCopiedMovedAndDeleted) {
    EXPECT_EQ(run("Create Folder", folder / "t\\a\\b\\"), kStepSucceeded);
    EXPECT_TRUE(is_folder(folder / "t\\a\\b"));
    EXPECT_EQ(run("Write/Create File", folder / "t\\a\\b\\f.txt", "one\r\ntwo\r\n", "-1"), kStepSucceeded);
    EXPECT_EQ(run("Write/Create File", folder / "t\\top.txt", "top"), kStepSucceeded);
    EXPECT_EQ(run("Count File Lines", folder / "t\\a\\b\\f.txt"), kStepSucceeded);
    EXPECT_EQ(rig.variable("out"), "3");
    EXPECT_EQ(run("Copy Folder", folder / "t", folder / "copy"), kStepSucceeded);
    EXPECT_EQ(read_file(folder / "copy\\a\\b\\f.txt"), "one\r\ntwo\r\n");
    EXPECT_EQ(read_file(folder / "copy\\top.txt"), "top");
    EXPECT_EQ(run("Move/Rename Folder", folder / "copy", "moved"), kStepSucceeded);
    EXPECT_FALSE(exists(folder / "copy"));
    EXPECT_EQ(read_file(folder / "moved\\top.txt"), "top");
    EXPECT_EQ(run("Move/Rename Folder", folder / "moved", folder / "moved\\inside"), kStepFailed);
    EXPECT_EQ(read_file(folder / "moved\\top.txt"), "top");
    EXPECT_EQ(run("Delete Folder", folder / "moved"), kStepSucceeded);
    EXPECT_FALSE(exists(folder / "moved"));
}

TEST_F(FilesWin, WildcardsDeleteMatchesOnly) {
    ASSERT_TRUE(write_file(folder / "a.tmp", "a"));
    ASSERT_TRUE(write_file(folder / "b.tmp", "b"));
    ASSERT_TRUE(write_file(folder / "c.txt", "c"));
    ASSERT_TRUE(CreateDirectoryA((folder / "sub.tmp").c_str(), nullptr));
    EXPECT_EQ(run("Delete File", folder / "*.tmp"), kStepSucceeded);
    EXPECT_FALSE(exists(folder / "a.tmp"));
    EXPECT_FALSE(exists(folder / "b.tmp"));
    EXPECT_TRUE(exists(folder / "c.txt"));
    EXPECT_TRUE(is_folder(folder / "sub.tmp"));
    EXPECT_EQ(run("Delete File", folder / "*.none"), kStepFailed);
    EXPECT_EQ(run("Delete File", folder.path() + "\\"), kStepSucceeded);
    EXPECT_FALSE(exists(folder / "c.txt"));
    EXPECT_TRUE(is_folder(folder / "sub.tmp"));
}

TEST_F(FilesWin, ReadOnlyFilesAreKept) {
    const std::string file = folder / "ro.txt";
    ASSERT_TRUE(write_file(file, "locked"));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(run("Delete File", file), kStepFailed);
    EXPECT_EQ(run("Write/Create File", file, "x"), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "Unable to write/create '" + file + "'");
    EXPECT_EQ(run("Change File Size", file, "", "2"), kStepFailed);
    EXPECT_EQ(read_file(file), "locked");
    EXPECT_EQ(run("Read File", file), kStepSucceeded);
    EXPECT_EQ(rig.variable("out"), "locked");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FilesWin, LongAndMissingPaths) {
    // A path of over 300 characters (Wine takes it; names are kept whole throughout).
    std::string long_name = folder.path();
    while (long_name.size() < 300) long_name += "\\" + std::string(40, 'L');
    long_name += "\\end.txt";
    EXPECT_EQ(run("Write/Create File", long_name, "far down"), kStepSucceeded) << rig.run.error_text;
    EXPECT_EQ(run("Read File", long_name), kStepSucceeded);
    EXPECT_EQ(rig.variable("out"), "far down");
    EXPECT_EQ(run("Delete Folder", folder / std::string(40, 'L')), kStepSucceeded);
    EXPECT_FALSE(exists(folder / std::string(40, 'L')));
    EXPECT_EQ(run("Read File", folder / "none\\missing.txt"), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "Unable to read '" + (folder / "none\\missing.txt") + "'");
    EXPECT_EQ(run("Copy File", folder / "missing.txt", "copy.txt"), kStepFailed);
    EXPECT_FALSE(exists(folder / "copy.txt"));
    EXPECT_EQ(run("Delete Folder", folder / "no-such-folder"), kStepFailed);
    EXPECT_EQ(run("Read File Line", folder / "missing.txt", "", "1"), kStepFailed);
    EXPECT_EQ(run("Map Drive", "\\\\zbnohost\\share", "Q:"), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "The share name \"\\\\zbnohost\\share\" could not be found");
}

TEST_F(FilesWin, FileAssociationInTheRegistry) {
    RegistrySettingsStore registry;
    rig.services.store = &registry;
    EXPECT_EQ(run("Set File Association", "C:\\zb\\editor.exe", "Zorbel Test Notes", ".zbnote"), kStepSucceeded)
        << rig.run.error_text;
    char value[MAX_PATH] = {};
    LONG size = sizeof(value);
    EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, "Zorbel Test Notes File\\shell\\Open\\command", value, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(value, "\"C:\\zb\\editor.exe\" \"%1\"");
    size = sizeof(value);
    EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".zbnote", value, &size), ERROR_SUCCESS);
    EXPECT_STREQ(value, "Zorbel Test Notes File");
    for (const char* key : {"Zorbel Test Notes File\\shell\\Open\\command", "Zorbel Test Notes File\\shell\\Open",
                            "Zorbel Test Notes File\\shell", "Zorbel Test Notes File\\DefaultIcon",
                            "Zorbel Test Notes File", ".zbnote\\ShellNew", ".zbnote"})
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
}

}  // namespace
}  // namespace zorbel
