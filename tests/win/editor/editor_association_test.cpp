// The script file type's association, made from the Files page of the real editor
// on the real registry, and a script opened through it by the shell.
#include <gtest/gtest.h>

#include "editor/model/option_pages.h"
#include "tests/win/editor/editor_driver.h"

#include <shellapi.h>
#include <algorithm>
#include "tests/win/editor/options_settings.h"

namespace zorbel {
namespace wintest {
namespace {

constexpr int kFilesPage = 5;

// The association's keys are the test's own: removed before and after.
class EditorAssociation : public ::testing::Test {
protected:
    void SetUp() override { clean(); }
    void TearDown() override { clean(); }
    static void clean() {
        delete_tree(HKEY_CLASSES_ROOT, ".zbx");
        delete_tree(HKEY_CLASSES_ROOT, "Zorbel File");
    }
    SavedSettings saved_{{"LastTab", "DefaultLoadAction", "Log", "Logfile", "RestartLog"}};
    std::string program_ = built_program("zorbel.exe");
};

TEST_F(EditorAssociation, WritesTheKeysAsTabledAndTwiceChangesNothing) {
    EditorDriver editor;
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(editor.open_options());
    HWND files = editor.options_page(kFilesPage);
    const std::string success = "The \".zbx\" file type has been associated with the program \"" + program_ +
                                "\"\n\nYou can now right-click and double-click on Zorbel files (*.ZBX) in Windows "
                                "Explorer to load and run scripts.";
    editor.expect_box(success, IDOK);
    PostMessageA(GetDlgItem(files, opt::kAssociate), BM_CLICK, 0, 0);
    ASSERT_TRUE(editor.boxes_done());
    const std::string exe = "\"" + program_ + "\"";
    const struct {
        const char* key;
        const char* name;
        std::string data;
    } table[] = {
        {".zbx", "", "Zorbel File"},
        {".zbx\\ShellNew", "NULLFile", ""},
        {"Zorbel File", "", "Zorbel File"},
        {"Zorbel File\\DefaultIcon", "", exe + ",1"},
        {"Zorbel File\\shell\\Open", "", "&Open"},
        {"Zorbel File\\shell\\Open\\command", "", exe + " \"%1\""},
        {"Zorbel File\\shell\\Edit", "", "&Edit"},
        {"Zorbel File\\shell\\Edit\\command", "", exe + " /e \"%1\""},
        {"Zorbel File\\shell\\Run", "", "&Run"},
        {"Zorbel File\\shell\\Run\\command", "", exe + " /r \"%1\""},
        {"Zorbel File\\shell\\Run in Zorbel", "", "Run in &Zorbel"},
        {"Zorbel File\\shell\\Run in Zorbel\\command", "", exe + " /v \"%1\""},
    };
    for (const auto& row : table) EXPECT_EQ(row.data, class_value(row.key, row.name)) << row.key;
    const std::string first = dump_tree(HKEY_CLASSES_ROOT, ".zbx") + dump_tree(HKEY_CLASSES_ROOT, "Zorbel File");
    EXPECT_EQ(12, std::count(first.begin(), first.end(), '\n')) << first;  // nothing beyond the table
    editor.expect_box(success, IDOK);
    PostMessageA(GetDlgItem(files, opt::kAssociate), BM_CLICK, 0, 0);
    ASSERT_TRUE(editor.boxes_done());
    EXPECT_EQ(first, dump_tree(HKEY_CLASSES_ROOT, ".zbx") + dump_tree(HKEY_CLASSES_ROOT, "Zorbel File"));
    ASSERT_TRUE(editor.close_options(PSBTN_CANCEL));
    ASSERT_TRUE(editor.close());
}

// The first start (no "RunAtLeastOnce" yet) registers the type without a word.
TEST_F(EditorAssociation, FirstStartRegistersTheType) {
    SavedSettings count({"RunAtLeastOnce"});
    EditorDriver editor;
    put_setting_number("RunAtLeastOnce", 0);
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(editor.close());
    EXPECT_EQ("\"" + program_ + "\" /v \"%1\"", class_value("Zorbel File\\shell\\Run in Zorbel\\command"));
    EXPECT_EQ("1", setting_of("RunAtLeastOnce"));
}

// A key that refuses a child (a volatile key cannot hold a lasting one): the box names
// the value that could not be written, and says nothing of success.
TEST_F(EditorAssociation, AFailedWriteIsNamedInsteadOfSuccess) {
    HKEY run;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, "Zorbel File\\shell", 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &run, nullptr));
    RegCloseKey(run);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, "Zorbel File\\shell\\Run", 0, nullptr,
                                             REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &run, nullptr));
    RegCloseKey(run);
    EditorDriver editor;
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(editor.open_options());
    HWND files = editor.options_page(kFilesPage);
    std::string shown, shown_text;
    editor.expect_box("HKEY_CLASSES_ROOT\\Zorbel File\\shell\\Run\\command\\", IDOK, "", [&](HWND box) {
        char title[64] = {};
        GetWindowTextA(box, title, sizeof(title));
        shown = title;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            char text[1024] = {};
            GetWindowTextA(c, text, sizeof(text));
            shown_text += text;
        }
    });
    PostMessageA(GetDlgItem(files, opt::kAssociate), BM_CLICK, 0, 0);
    ASSERT_TRUE(editor.boxes_done());
    EXPECT_EQ("File Association", shown);
    EXPECT_EQ(std::string::npos, shown_text.find("has been associated")) << shown_text;
    EXPECT_EQ("<missing>", class_value("Zorbel File\\shell\\Run\\command"));
    EXPECT_EQ("&Edit", class_value("Zorbel File\\shell\\Edit"));  // the other writes were made
    ASSERT_TRUE(editor.close_options(PSBTN_CANCEL));
    ASSERT_TRUE(editor.close());
}

// "Run the file by itself" makes Open run the script hidden: the shell's "open" on a
// .zbx file starts the editor, which runs it, logs, and ends.
TEST_F(EditorAssociation, ShellOpenRunsTheScriptThroughTheAssociation) {
    TempFolder folder;
    const std::string log_file = folder / "shell.log";
    put_setting_number("Log", 1);
    put_setting_number("RestartLog", 1);
    put_setting_text("Logfile", log_file);
    {
        EditorDriver editor;
        ASSERT_TRUE(editor.start());
        ASSERT_TRUE(editor.open_options());
        HWND files = editor.options_page(kFilesPage);
        editor.expect_box("has been associated", IDOK);
        PostMessageA(GetDlgItem(files, opt::kAssociate), BM_CLICK, 0, 0);
        ASSERT_TRUE(editor.boxes_done());
        SendMessageA(GetDlgItem(files, opt::kLoadRun), BM_CLICK, 0, 0);
        ASSERT_TRUE(editor.close_options(PSBTN_OK));
        ASSERT_TRUE(editor.close());
    }
    EXPECT_EQ("\"" + program_ + "\" /r \"%1\"", class_value("Zorbel File\\shell\\Open\\command"));
    ScriptState script;
    script.steps.push_back(test_step("Write to Log", "opened by the shell"));
    const std::string path = folder / "shell open.zbx";
    ASSERT_TRUE(write_script(script, path));
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExA(&info)) << GetLastError();
    ASSERT_TRUE(info.hProcess);
    const bool ended = WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(info.hProcess, 124);
    CloseHandle(info.hProcess);
    EXPECT_TRUE(ended);
    const std::string log = read_file(log_file);
    EXPECT_NE(std::string::npos, log.find("opened by the shell")) << log;
    EXPECT_NE(std::string::npos, log.find(path)) << log;  // the start line names the script
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
