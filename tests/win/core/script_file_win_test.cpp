// Script files on a real Windows file system: Windows paths, folder creation, the
// old file surviving a failed save, locked files, and a 100,000-step round trip.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/action_catalogue.h"
#include "core/script_file.h"
#include "core/text_rules.h"
#include "tests/native/core/fake_user_interface.h"
#include "tests/native/core/script_file_test_util.h"
#include "tests/win/support/temp_folder.h"

namespace zorbel {
namespace {

using wintest::TempFolder;

std::string read_whole(const std::string& path) { return wintest::read_file(path); }
void write_whole(const std::string& path, const std::string& data) { ASSERT_TRUE(wintest::write_file(path, data)) << path; }

bool is_folder(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(ScriptFileWin, SaveIntoNewFoldersAndLoadBack) {
    TempFolder dir;
    const std::string path = dir.file("one\\two three\\Script File.zbx");
    const ScriptState original = testing_util::rich_script();
    FakeUserInterface ui;
    ASSERT_EQ(1, save_script(original, path, &ui));
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_TRUE(is_folder(dir.file("one\\two three")));
    EXPECT_EQ(script_to_text(original), read_whole(path));
    EXPECT_FALSE(exists(path + ".zbtmp"));

    ScriptState loaded;
    ASSERT_EQ(original.step_count(), load_script(&loaded, " \"" + path + "\" ", &ui));
    EXPECT_EQ(path, loaded.script_path);
    EXPECT_TRUE(ui.has_call("title: Script File.zbx - Zorbel"));
    EXPECT_EQ(script_to_text(original), script_to_text(loaded));
}

TEST(ScriptFileWin, SaveIntoTheRootOfADrive) {
    // The folder part is a bare drive, which is never created.
    const std::string path = format("C:\\zorbel_sf_root_%lu.zbx", GetCurrentProcessId());
    ScriptState empty;
    FakeUserInterface ui;
    ASSERT_EQ(1, save_script(empty, path, &ui));
    EXPECT_EQ("<?xml version=\"1.0\" ?>\r\n<Zorbel>\r\n</Zorbel>", read_whole(path));
    DeleteFileA(path.c_str());
}

TEST(ScriptFileWin, ReadOnlyFileIsNotReplacedAndKeepsItsContents) {
    // Refused before anything is written, as opening the file for writing is refused.
    TempFolder dir;
    const std::string path = dir.file("kept.zbx");
    write_whole(path, "old script");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    FakeUserInterface ui;
    std::string error = "marker";
    EXPECT_EQ(0, save_script(testing_util::rich_script(), path, &ui, &error));
    EXPECT_EQ("old script", read_whole(path));
    EXPECT_NE("marker", error);
    ASSERT_EQ(1u, ui.calls.size());
    EXPECT_EQ("status: 0: (1) Unable to create file '" + path + "': " + error, ui.calls[0]);
    EXPECT_FALSE(exists(path + ".zbtmp"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(ScriptFileWin, FolderInTheWayIsAStageTwoFailure) {
    TempFolder dir;
    const std::string path = dir.file("target.zbx");
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    FakeUserInterface ui;
    std::string error;
    EXPECT_EQ(0, save_script(testing_util::rich_script(), path, &ui, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ((std::vector<std::string>{"status: 0: (2) Unable to create file '" + path + "': " + error}), ui.calls);
    EXPECT_TRUE(is_folder(path));
}

TEST(ScriptFileWin, FileWhereAFolderShouldBeIsAStageOneFailure) {
    TempFolder dir;
    write_whole(dir.file("plain"), "x");
    const std::string path = dir.file("plain\\sub\\script.zbx");
    FakeUserInterface ui;
    std::string error;
    EXPECT_EQ(0, save_script(testing_util::rich_script(), path, &ui, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ((std::vector<std::string>{"status: 0: (1) Unable to create file '" + path + "': " + error}), ui.calls);
    EXPECT_EQ("x", read_whole(dir.file("plain")));
}

TEST(ScriptFileWin, FileLockedByAnotherHandle) {
    TempFolder dir;
    const std::string path = dir.file("locked.zbx");
    const std::string old_text = script_to_text(testing_util::rich_script());
    write_whole(path, old_text);
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);

    ScriptState s = testing_util::rich_script();
    FakeUserInterface ui;
    EXPECT_EQ(0, load_script(&s, path, &ui));
    EXPECT_EQ((std::vector<std::string>{"recent-removed: " + path,
                                        "error: Unable to open file '" + path +
                                            "'!\n\nPlease verify that the file is not already open."}),
              ui.calls);
    EXPECT_EQ(7, s.step_count()) << "the open script stays";

    ui.reset();
    ScriptState empty;
    EXPECT_EQ(0, save_script(empty, path, &ui));
    EXPECT_EQ(1u, ui.calls_starting_with("status: 0: (2) Unable to create file '" + path + "': ").size());
    CloseHandle(lock);
    EXPECT_EQ(old_text, read_whole(path));
}

TEST(ScriptFileWin, MissingFileMessageShowsTheSize) {
    TempFolder dir;
    write_whole(dir.file("empty.zbx"), "");
    FakeUserInterface ui;
    ScriptState s;
    EXPECT_EQ(0, load_script(&s, dir.file("empty.zbx"), &ui));
    EXPECT_EQ(0, load_script(&s, dir.file("none.zbx"), &ui));
    EXPECT_EQ((std::vector<std::string>{
                  "error: Unable to open file '" + dir.file("empty.zbx") +
                      "'!\n\nPlease verify that the file exists (0).",
                  "recent-removed: " + dir.file("empty.zbx"),
                  "error: Unable to open file '" + dir.file("none.zbx") +
                      "'!\n\nPlease verify that the file exists (-1).",
                  "recent-removed: " + dir.file("none.zbx")}),
              ui.calls);
}

TEST(ScriptFileWin, HundredThousandStepsRoundTrip) {
    TempFolder dir;
    const std::string path = dir.file("big.zbx");
    ScriptState big;
    big.steps.reserve(100000);
    const char* actions[] = {"Activate", "Text + System Keys", "Left Button Click", "Delay", "IF Window Exists",
                             "END IF", "Write/Create File", "Control Panel: Time & Date"};
    for (int i = 0; i < 100000; ++i) {
        Step step = testing_util::make_step(actions[i % 8]);
        step.text = format("Untitled %d - <Notepad> & co", i);
        if (i % 3 == 0) step.comment = "checked";
        if (i % 4 == 0) copy_to_field(step.timeout, "10");
        step.indents = i % 5;
        copy_to_field(step.value[i % 8], format("value %d", i));
        big.steps.push_back(std::move(step));
    }
    Step rec = testing_util::make_step("Recording");
    copy_to_field(rec.value[0], "2");
    copy_to_field(rec.value[1], "0");
    big.recordings[0] = {{512, 1, 2, 3, 0}, {513, 4, 5, 6, 0}};
    big.recording_count = 1;
    big.steps[50000] = rec;

    FakeUserInterface ui;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(1, save_script(big, path, &ui));
    ScriptState loaded;
    ASSERT_EQ(100000, load_script(&loaded, path, &ui));
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    RecordProperty("save_and_load_ms", static_cast<int>(ms));
    const std::string text = script_to_text(big);
    EXPECT_EQ(text, read_whole(path));
    EXPECT_EQ(text, script_to_text(loaded));
}

}  // namespace
}  // namespace zorbel
