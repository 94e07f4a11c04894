// The Tools commands through the real editor: Auto-Indent and Validate with the saved
// file as ground truth, the window listings of the testbed, and Open Logfile.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/text_rules.h"
#include "tests/testbed/testbed_ids.h"
#include "tests/win/editor/editor_driver.h"
#include "tests/win/editor/window_picture.h"
#include "tests/win/support/testbed.h"

namespace zorbel {
namespace wintest {
namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

std::string hex_handle(HWND window) {
    char text[32];
    std::snprintf(text, sizeof(text), "0x%x", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

// A program the editor opened a file with (Wine's notepad): found by its window's class
// and title, and ended by its process id when the object goes.
class ShellOpened {
public:
    // Windows that match already (one still closing) are not the one to wait for.
    explicit ShellOpened(std::string title_part) : title_part_(std::move(title_part)) {
        EnumWindows(match, reinterpret_cast<LPARAM>(this));
        if (window_) before_.push_back(window_);
        window_ = nullptr;
        pid_ = 0;
    }
    ~ShellOpened() {
        if (!pid_) return;
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid_)) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, kDeadlineMs);
            CloseHandle(process);
        }
    }
    ::testing::AssertionResult wait() {
        return wait_until(
            [&] {
                EnumWindows(match, reinterpret_cast<LPARAM>(this));
                return window_ != nullptr;
            },
            20000);
    }
    HWND window() const { return window_; }

private:
    static BOOL CALLBACK match(HWND window, LPARAM lparam) {
        auto* self = reinterpret_cast<ShellOpened*>(lparam);
        char cls[32] = {}, title[260] = {};
        GetClassNameA(window, cls, sizeof(cls));
        GetWindowTextA(window, title, sizeof(title));
        if (lstrcmpiA(cls, "Notepad") != 0 || !contains_ignore_case(title, self->title_part_)) return TRUE;
        if (std::find(self->before_.begin(), self->before_.end(), window) != self->before_.end()) return TRUE;
        self->window_ = window;
        GetWindowThreadProcessId(window, &self->pid_);
        return FALSE;
    }
    std::string title_part_;
    std::vector<HWND> before_;
    HWND window_ = nullptr;
    DWORD pid_ = 0;
};

// The file type of ".txt" for one test (a type without an "open" verb makes the shell
// fail), put back as it was when the object goes.
class TxtFileType {
public:
    explicit TxtFileType(const char* type) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, KEY_READ, &key) == ERROR_SUCCESS) {
            existed_ = true;
            char value[260] = {};
            LONG size = sizeof(value);
            if (RegQueryValueA(key, nullptr, value, &size) == ERROR_SUCCESS) old_ = value;
            RegCloseKey(key);
        }
        set(type);
    }
    ~TxtFileType() {
        if (existed_) set(old_);
        else RegDeleteKeyA(HKEY_CLASSES_ROOT, ".txt");
    }

private:
    static void set(const std::string& type) {
        RegSetValueA(HKEY_CLASSES_ROOT, ".txt", REG_SZ, type.c_str(), static_cast<DWORD>(type.size()));
    }
    bool existed_ = false;
    std::string old_;
};

std::string edit_text(HWND edit) {
    DWORD_PTR length = 0;
    SendMessageTimeoutA(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kDeadlineMs, &length);
    std::string text(length + 1, '\0');
    SendMessageTimeoutA(edit, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, kDeadlineMs,
                        &length);
    text.resize(length);
    return text;
}

// A box's picture once its thread has painted it.
void keep_box_picture(HWND box, const std::string& name) {
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kDeadlineMs, &ignored);
    pump_for(200);
    keep_picture(box, name);
}

Step indented(const char* action, int32_t indents, int32_t status = kStatusNormal) {
    Step step = test_step(action, std::string(action) == "Write to Log" ? "x" : "");
    step.indents = indents;
    step.status = status;
    return step;
}

struct IndentCase {
    const char* name;
    std::vector<std::pair<const char*, int32_t>> steps;  // action, the indentation Auto-Indent gives
    std::string error;                                   // "" for a clean validation
};

TEST(EditorTools, AutoIndentWritesTheIndentsItComputedIntoTheSavedFile) {
    const IndentCase cases[] = {
        {"blocks",
         {{"IF Expression", 0}, {"Write to Log", 1}, {"ELSE", 0}, {"Start 'For' Loop", 1}, {"Write to Log", 2},
          {"NEXT LOOP", 1}, {"END IF", 0}},
         ""},
        {"extra END IF", {{"IF Expression", 0}, {"END IF", 0}, {"END IF", -1}},
         "There is 1 'END IF' without a matching 'IF'"},
    };
    for (const IndentCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = folder / "indent.zbx";
        ScriptState before, after;
        for (const auto& [action, indents] : c.steps) {
            before.steps.push_back(indented(action, 7));
            after.steps.push_back(indented(action, indents));
        }
        ASSERT_TRUE(write_script(before, path));
        EditorDriver editor;
        ASSERT_TRUE(editor.start("/e " + quoted(path)));
        if (!c.error.empty())
            editor.expect_box(c.error, IDOK, "", [](HWND box) { keep_box_picture(box, "editor_tools_validation_error"); });
        ASSERT_TRUE(editor.command(cmd::kAutoIndent));
        if (c.error.empty()) {
            EXPECT_EQ(format("Validation of %d step(s) complete - 0 errors found", static_cast<int>(c.steps.size())),
                      editor.status_part(0));
            keep_picture(editor.frame(), "editor_tools_auto_indent");
        }
        EXPECT_EQ("* indent.zbx - Zorbel", editor.title());
        ASSERT_TRUE(editor.command(cmd::kSave));
        EXPECT_EQ(script_to_text(after), read_file(path));
        // One undo brings the old indentation back.
        ASSERT_TRUE(editor.command(cmd::kUndo));
        ASSERT_TRUE(editor.command(cmd::kSave));
        EXPECT_EQ(script_to_text(before), read_file(path));
    }
}

TEST(EditorTools, AutoIndentOfAnEmptyScriptFindsNothing) {
    EditorDriver editor;
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(editor.command(cmd::kAutoIndent));
    EXPECT_EQ("Validation of 0 step(s) complete - 0 errors found", editor.status_part(0));
    EXPECT_EQ("Zorbel", editor.title());
}

// The Find dialog's text and direction, and a typed step number, through the real prompts.
TEST(EditorTools, FindDialogAndGoToTypedNumber) {
    TempFolder folder;
    ScriptState script;
    for (int i = 1; i <= 10; ++i) script.steps.push_back(test_step("Write to Log", "line " + std::to_string(i)));
    ASSERT_TRUE(write_script(script, folder / "ten.zbx"));
    EditorDriver editor;
    set_setting_text("Find", "");
    set_setting_number("FindDirection", 1);
    ASSERT_TRUE(editor.start("/e " + quoted(folder / "ten.zbx")));
    auto type = [](int control, const char* text) {
        return [=](HWND dialog) { SetDlgItemTextA(dialog, control, text); };
    };
    // Find Next with no Find text opens the dialog, which searches down from the first row.
    editor.expect_box("Find", IDOK, "", type(res::kFindText, "LINE 7"));
    ASSERT_TRUE(editor.command(cmd::kFindNext));
    EXPECT_EQ(std::vector<int>{6}, editor.selected_rows());
    EXPECT_EQ("1", setting_of("FindDirection"));
    editor.expect_box("Find", IDOK, "", [](HWND dialog) {
        SetDlgItemTextA(dialog, res::kFindText, "line 2");
        SendDlgItemMessageA(dialog, res::kFindDown, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageA(dialog, res::kFindUp, BM_SETCHECK, BST_CHECKED, 0);
    });
    ASSERT_TRUE(editor.command(cmd::kFind));
    EXPECT_EQ(std::vector<int>{1}, editor.selected_rows());
    EXPECT_EQ("-1", setting_of("FindDirection"));
    struct Typed {
        const char* text;
        int row;
    };
    for (const Typed& t : {Typed{"9999", 9}, Typed{"0", 0}, Typed{"5", 4}, Typed{"abc", 0}}) {
        SCOPED_TRACE(t.text);
        editor.expect_box("Go to Step Number", IDOK, "", type(res::kGoToText, t.text));
        ASSERT_TRUE(editor.command(cmd::kGoToStep));
        EXPECT_EQ(std::vector<int>{t.row}, editor.selected_rows());
    }
}

// Windows of this test program that the listings must tell apart: an owner with a caption,
// a captioned window it owns (a popup, not a main window) and a control without a caption.
class ListingProbes {
public:
    ListingProbes() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZbToolsProbe";
        RegisterClassA(&wc);
        owner = CreateWindowExA(0, "ZbToolsProbe", "Tools Probe 100% Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                300, 200, nullptr, nullptr, wc.hInstance, nullptr);
        owned = CreateWindowExA(0, "ZbToolsProbe", "Tools Probe Owned", WS_POPUP | WS_CAPTION | WS_VISIBLE, 80, 80, 200,
                                100, owner, nullptr, wc.hInstance, nullptr);
        label = CreateWindowExA(0, "Static", "Tools Probe Label", WS_CHILD | WS_VISIBLE, 5, 5, 150, 20, owner,
                                reinterpret_cast<HMENU>(77), wc.hInstance, nullptr);
        pump_messages();
    }
    ~ListingProbes() {
        DestroyWindow(owned);
        DestroyWindow(owner);
        UnregisterClassA("ZbToolsProbe", GetModuleHandleA(nullptr));
    }
    HWND owner = nullptr, owned = nullptr, label = nullptr;
};

TEST(EditorTools, WindowListingsOfTheTestbed) {
    Testbed testbed;
    ASSERT_TRUE(testbed.start());
    ListingProbes probes;
    EditorDriver editor;
    ASSERT_TRUE(editor.start());
    const std::string listing = build_folder() + "\\windows.txt";
    const std::string rule = "\r\n" + std::string(70, '=') + "\r\n";

    {
        // No program opens the listing: it is shown in the editor's own box.
        TxtFileType no_program("ZbNoSuchFileType");
        std::string shown;
        editor.expect_box("Currently Running Windows", IDCANCEL, "", [&](HWND box) {
            shown = edit_text(GetDlgItem(box, res::kRunningWindowsText));
            keep_box_picture(box, "editor_tools_running_windows");
        });
        ASSERT_TRUE(editor.command(cmd::kAllWindows));
        const std::string all = read_file(listing);
        EXPECT_EQ(all, shown);
        // A main window's identifier is its menu's handle.
        const std::string menu_id = std::to_string(GetWindowLongA(testbed.window(), GWL_ID));
        EXPECT_NE(std::string::npos, all.find(rule + "\"Zorbel Testbed\"\t\t\t(Class: ZbTestbed  ID: " + menu_id +
                                              "  HWND: " + hex_handle(testbed.window()) + ")\r\n"))
            << all;
        EXPECT_NE(std::string::npos, all.find("\r\n\"Tools Probe Owned\"\t\t\t(Class: ZbToolsProbe  ID: 0  HWND: " +
                                              hex_handle(probes.owned) + ")\r\n"))
            << "an owned window has no rule of its own: " << all;
        EXPECT_NE(std::string::npos,
                  all.find("      \"Apply\"\t\t\t(Class: Button  ID: 1001  HWND: " +
                           hex_handle(testbed.control(testbed::kApplyButton)) + ")\r\n"))
            << all;
        EXPECT_NE(std::string::npos, all.find(rule + "\"Tools Probe 100% Owner\"\t\t\t(Class: ZbToolsProbe  ID: 0"))
            << all;
        EXPECT_NE(std::string::npos, all.find("      \"Tools Probe Label\"\t\t\t(Class: Static  ID: 77  HWND: " +
                                              hex_handle(probes.label) + ")\r\n"))
            << all;
    }
    TxtFileType notepad_opens("txtfile");
    struct Filtered {
        int command;
        bool owned_listed;
    };
    for (const Filtered& f : {Filtered{cmd::kPopupWindows, true}, Filtered{cmd::kMainWindows, false}}) {
        SCOPED_TRACE(f.command);
        ShellOpened notepad("windows");
        ASSERT_TRUE(editor.command(f.command));
        ASSERT_TRUE(notepad.wait());
        if (f.command == cmd::kPopupWindows) keep_picture(notepad.window(), "editor_tools_popup_windows");
        const std::string titles = read_file(listing);
        EXPECT_NE(std::string::npos, titles.find("Zorbel Testbed\r\n")) << titles;
        EXPECT_NE(std::string::npos, titles.find("Tools Probe 100% Owner\r\n")) << titles;
        EXPECT_EQ(f.owned_listed, titles.find("Tools Probe Owned\r\n") != std::string::npos) << titles;
        EXPECT_EQ(std::string::npos, titles.find("Apply")) << titles;
        EXPECT_EQ(std::string::npos, titles.find("Tools Probe Label")) << titles;
        EXPECT_EQ(std::string::npos, titles.find("(Class:")) << titles;
        EXPECT_EQ(std::string::npos, titles.find("\r\n\r\n")) << "no empty titles: " << titles;
    }
    DeleteFileA(listing.c_str());
}

// Logfile and Log as the test found them, put back when it ends.
class LogSettings {
public:
    LogSettings() : file_(setting_of("Logfile")), log_(setting_of("Log")) {}
    ~LogSettings() {
        set_setting_text("Logfile", file_);
        set_setting_number("Log", static_cast<DWORD>(std::atoi(log_.c_str())));
    }

private:
    std::string file_, log_;
};

TEST(EditorTools, OpenLogfileMessages) {
    LogSettings restore;
    TempFolder folder;
    const std::string log = folder / "tools log.txt";
    set_setting_text("Logfile", log);
    EditorDriver editor;
    ASSERT_TRUE(editor.start());

    set_setting_number("Log", 1);
    editor.expect_box("The logfile is empty.", IDOK);
    ASSERT_TRUE(editor.command(cmd::kOpenLogfile));
    ASSERT_TRUE(write_file(log, ""));
    editor.expect_box("The logfile is empty.", IDOK);
    ASSERT_TRUE(editor.command(cmd::kOpenLogfile));

    set_setting_number("Log", 0);
    editor.expect_box(
        "The logfile is empty, and logging is currently disabled.\n\nGo to \"Tools - Options\" to adjust the logfile "
        "settings.\n\nDo you want to go there now?",
        IDNO, "", [](HWND box) { keep_box_picture(box, "editor_tools_logfile_question"); });
    ASSERT_TRUE(editor.command(cmd::kOpenLogfile));

    // With content it opens in its program, whatever logging is set to.
    ASSERT_TRUE(write_file(log, "[STEP 1]: Delay\r\n"));
    TxtFileType notepad_opens("txtfile");
    ShellOpened notepad("tools log");
    ASSERT_TRUE(editor.command(cmd::kOpenLogfile));
    ASSERT_TRUE(notepad.wait());
    EXPECT_TRUE(editor.unexpected.empty());
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
