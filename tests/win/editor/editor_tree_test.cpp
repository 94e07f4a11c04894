// The Actions tree through the real editor: its contents against the catalogue, every
// action's new step in the saved file, and real drags onto the grid.
#include <gtest/gtest.h>

#include "core/action_catalogue.h"
#include "core/text_rules.h"
#include "editor/model/new_step.h"
#include "tests/win/editor/editor_driver.h"
#include "tests/win/editor/window_picture.h"
#include "tests/win/support/wait.h"

namespace zorbel {
namespace wintest {
namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

void set_tree_state(uint32_t node, DWORD value) {
    HKEY h;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Zorbel\\TreeviewState", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &h, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(h, std::to_string(node).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(h);
}

struct TreeNode {
    std::string text;
    LPARAM item;
    bool category;
    bool expanded;
};

// Reads the editor's tree through a buffer in its process.
class RemoteTree {
public:
    explicit RemoteTree(EditorDriver& editor)
        : editor_(editor), tree_(editor.child(res::kActionsTree)),
          buffer_(VirtualAllocEx(editor.process().handle(), nullptr, 4096, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteTree() {
        if (buffer_) VirtualFreeEx(editor_.process().handle(), buffer_, 0, MEM_RELEASE);
    }

    std::vector<TreeNode> nodes() {
        std::vector<TreeNode> out;
        for (LPARAM category = next(0, TVGN_ROOT); category; category = next(category, TVGN_NEXT)) {
            out.push_back(node(category, true));
            for (LPARAM item = next(category, TVGN_CHILD); item; item = next(item, TVGN_NEXT))
                out.push_back(node(item, false));
        }
        return out;
    }
    // The item's text rectangle in screen coordinates.
    RECT rect(LPARAM item) {
        SendMessageA(tree_, TVM_ENSUREVISIBLE, 0, item);
        RECT r = {};
        *reinterpret_cast<LPARAM*>(&r) = item;
        WriteProcessMemory(editor_.process().handle(), buffer_, &r, sizeof(r), nullptr);
        SendMessageA(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer_));
        ReadProcessMemory(editor_.process().handle(), buffer_, &r, sizeof(r), nullptr);
        MapWindowPoints(tree_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    HWND window() const { return tree_; }

private:
    LPARAM next(LPARAM item, WPARAM how) { return SendMessageA(tree_, TVM_GETNEXTITEM, how, item); }
    TreeNode node(LPARAM item, bool category) {
        char* base = static_cast<char*>(buffer_);
        TVITEMA data = {};
        data.mask = TVIF_TEXT | TVIF_STATE;
        data.stateMask = TVIS_EXPANDED;
        data.hItem = reinterpret_cast<HTREEITEM>(item);
        data.pszText = base + sizeof(TVITEMA);
        data.cchTextMax = 128;
        WriteProcessMemory(editor_.process().handle(), base, &data, sizeof(data), nullptr);
        SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(base));
        ReadProcessMemory(editor_.process().handle(), base, &data, sizeof(data), nullptr);
        char text[129] = {};
        ReadProcessMemory(editor_.process().handle(), base + sizeof(TVITEMA), text, 128, nullptr);
        return {text, item, category, (data.state & TVIS_EXPANDED) != 0};
    }

    EditorDriver& editor_;
    HWND tree_;
    void* buffer_;
};

// What a new step of each action holds beyond its name and On Failure settings.
struct Defaults {
    const char* name;
    const char* action;  // nullptr: the name
    uint32_t options;
    const char* text;
    const char* timeout;
    int value_index;
    const char* value;
};

const Defaults kDefaults[] = {
    {"Start and Wait for Program to Exit", "Start", 2, "", "", 0, ""},
    {"Start Hidden", "Start", 1, "", "", 0, ""},
    {"MS-DOS Program", nullptr, 0, "%sysdir\\CMD.EXE /C dir c:\\*.* /s", "", 0, ""},
    {"Control Panel: System", nullptr, 0, "rundll32.exe Shell32.dll Control_RunDLLA sysdm.cpl", "", 0, ""},
    {"Control Panel: Display", nullptr, 0, "rundll32.exe Shell32.dll Control_RunDLLA desk.cpl", "", 0, ""},
    {"Control Panel: Time & Date", nullptr, 0, "rundll32.exe Shell32.dll Control_RunDLLA timedate.cpl", "", 0, ""},
    {"Device Manager", nullptr, 0, "rundll32.exe DevMgr.dll DeviceManager_ExecuteA", "", 0, ""},
    {"Call Script", nullptr, 2, "", "", 0, ""},
    {"Press Button/Control", nullptr, 14, "", "", 0, ""},
    {"Get Text", nullptr, 14, "", "", 0, ""},
    {"Text + System Keys", nullptr, 0, "Sample {tab} text {enter}", "", 0, ""},
    {"Move", nullptr, 16, "", "", 0, ""},
    {"Move Relative", nullptr, 80, "", "", 0, ""},
    {"Move to Control", nullptr, 22, "", "", 0, ""},
    {"Move to Window", nullptr, 23, "", "", 0, ""},
    {"Move to Image", nullptr, 16, "", "", 0, ""},
    {"Move to Masked Image", nullptr, 16, "", "", 0, ""},
    {"Left Button Click", nullptr, 128, "", "", 0, ""},
    {"Right Button Click", nullptr, 128, "", "", 0, ""},
    {"Left Button Double-Click", nullptr, 128, "", "", 0, ""},
    {"Left Button Down & Hold", nullptr, 16, "", "", 0, ""},
    {"Left Button Up", nullptr, 128, "", "", 0, ""},
    {"Mouse Wheel Up", nullptr, 16, "", "", 0, ""},
    {"Mouse Wheel Down", nullptr, 16, "", "", 0, ""},
    {"Click on Image", nullptr, 16, "", "", 0, ""},
    {"Click on Masked Image", nullptr, 16, "", "", 0, ""},
    {"Return to Saved Position", nullptr, 16, "", "", 0, ""},
    {"Select Menu Item", nullptr, 0, "&File; &Open", "", 0, ""},
    {"Select System Menu", nullptr, 0, "Ma&ximize", "", 0, ""},
    {"Show Popup Menu", nullptr, 0, "Choice 1\r\nChoice 2\r\n---\r\nChoice 3", "", 0, ""},
    {"Delay", nullptr, 0, "", "2", 0, ""},
    {"Wait for Keypress", nullptr, 0, "{Esc}", "3", 0, ""},
    {"Status Popup", nullptr, 0, "", "2", 0, ""},
    {"Progress Bar Popup", nullptr, 0, "50% Complete", "", 0, ""},
    {"Tool Tip Popup", nullptr, 0, "", "2", 0, ""},
    {"Input Value", nullptr, 0, "Please enter a value:\r\n(you can change this message)", "", 0, ""},
    {"Login Prompt", nullptr, 0, "Please enter your user name and password", "", 0, ""},
    {"Choose from a List", nullptr, 0,
     "Please choose from the list:\r\n(you can change this message);Option #1;Option #2;Option #3", "", 0, ""},
    {"Custom Message Box", "Win32 API", 0, "MessageBox( 0, \"message\", \"title\", MB_YESNOCANCEL+MB_ICONQUESTION )", "",
     0, ""},
    {"Map Drive", nullptr, 0, "H:", "", 0, "\\\\server\\share"},
    {"Open a Web Page", nullptr, 0, kSampleWebAddress, "", 0, ""},
    {"Save Web Page Text", nullptr, 0, kSampleWebAddress, "", 0, ""},
    {"Save Web Page HTML", nullptr, 0, kSampleWebAddress, "", 0, ""},
    {"Download", nullptr, 0, kSampleWebAddress, "", 0, ""},
    {"HTTP Post", nullptr, 0, kSampleWebAddress, "", 0, ""},
    {"Check Email: POP3", nullptr, 0, kSampleMailServer, "", 2, "1"},
    {"Delete Email: POP3", nullptr, 0, kSampleMailServer, "", 2, "1"},
    {"FTP Download", nullptr, 0, kSampleFtpPath, "", 0, ""},
    {"FTP Upload", nullptr, 0, kSampleFtpPath, "", 0, ""},
    {"FTP Delete File", nullptr, 0, kSampleFtpPath, "", 0, ""},
    {"FTP Create Folder", nullptr, 0, kSampleFtpPath, "", 0, ""},
    {"FTP Delete Folder", nullptr, 0, kSampleFtpPath, "", 0, ""},
    {"Save SQL Data to File", nullptr, 0x400000, "", "", 4, "C:\\data.csv"},
    {"Start Files Loop", nullptr, 0, "C:\\Folder\\*.*", "", 0, ""},
    {"Read Registry", nullptr, 0, "", "", 0, "HKEY_CURRENT_USER\\SOFTWARE\\TreeName\\SubKeyName"},
    {"Write Registry", nullptr, 0, "", "", 0, "HKEY_CURRENT_USER\\SOFTWARE\\TreeName\\SubKeyName"},
    {"Copy Registry", nullptr, 0, "HKEY_CURRENT_USER\\SOFTWARE\\TreeName2", "", 0, "HKEY_CURRENT_USER\\SOFTWARE\\TreeName"},
    {"Delete Registry", nullptr, 0, "", "", 0, "HKEY_CURRENT_USER\\SOFTWARE\\TreeName\\SubKeyName"},
    {"Win32 API", nullptr, 0, "MessageBox( 0, \"message\", \"title\", MB_OK+MB_ICONINFORMATION )", "", 0, ""},
    {"Call DLL Function", nullptr, 0, "MyFunction( \"some text\", 1 )", "", 0, "MyModule.DLL"},
};

// The step a new action should give with DefaultFailureMode "Ignore/Continue" and jump "J1".
Step expected_new_step(const CatalogueEntry& entry) {
    Step step = test_step(entry.name);
    copy_to_field(step.onfail, entry.family == kFamilyKeyboard ? "" : "Ignore/Continue");
    copy_to_field(step.onfail_label, "J1");
    if (entry.family == kFamilyWindows) step.options = 1, copy_to_field(step.timeout, "3");
    for (const Defaults& d : kDefaults) {
        if (std::string(d.name) != entry.name) continue;
        if (d.action) copy_to_field(step.action, d.action);
        step.options = d.options;
        step.text = d.text;
        copy_to_field(step.timeout, d.timeout);
        copy_to_field(step.value[d.value_index], d.value);
        if (std::string(d.name) == "Custom Message Box")
            step.comment = "Yes=6, No=7, Cancel=2  (see \"Win32 API\" in help file for details)";
    }
    return step;
}

// The tree shows the catalogue in its order with the stored expanded states; adding
// every action to the end gives each its defaults in the saved file.
TEST(EditorTree, ShowsTheCatalogueAndEveryActionStartsWithItsDefaults) {
    TempFolder folder;
    const std::string path = folder / "all.zbx";
    ASSERT_TRUE(write_script(ScriptState(), path));
    for (uint32_t node = 100001; node <= 100015; ++node) set_tree_state(node, node == 100005 || node == 100013);
    set_setting_text("DefaultFailureMode", "Ignore/Continue");
    set_setting_text("DefaultFailureMode_Jump", "J1");
    EditorDriver editor;
    const bool started = editor.start("/e " + quoted(path));
    set_setting_text("DefaultFailureMode", "Display Error and Stop");
    set_setting_text("DefaultFailureMode_Jump", "");
    ASSERT_TRUE(started);
    RemoteTree tree(editor);
    const std::vector<TreeNode> nodes = tree.nodes();
    std::vector<std::string> shown, catalogue;
    for (const TreeNode& node : nodes) {
        shown.push_back((node.category ? "+" : "") + node.text);
        if (node.category) {
            EXPECT_EQ(node.text == "Menu" || node.text == "IF", node.expanded) << node.text;
        }
    }
    for (int i = 0; i < catalogue_entry_count() && catalogue_entries()[i].name; ++i)
        catalogue.push_back((catalogue_entries()[i].is_group ? "+" : "") + std::string(catalogue_entries()[i].name));
    EXPECT_EQ(catalogue, shown);
    keep_picture(editor.frame(), "actions_tree");

    ScriptState expected;
    for (const TreeNode& node : nodes) {
        if (node.category) continue;
        SendMessageA(tree.window(), TVM_SELECTITEM, TVGN_CARET, node.item);
        ASSERT_TRUE(editor.command(cmd::kAppendAction)) << node.text;
        expected.steps.push_back(expected_new_step(*find_action(node.text)));
    }
    // "Set Run Repeats" stands twice in the tree; the other "Loops / Flow" entries once.
    ASSERT_EQ(static_cast<int>(expected.steps.size()), editor.row_count());
    ASSERT_TRUE(editor.command(cmd::kSave));
    ScriptState saved;
    ASSERT_GT(load_script(&saved, path, nullptr), 0);
    ASSERT_EQ(expected.steps.size(), saved.steps.size());
    // The browser and mail program come from the machine's file associations.
    for (size_t i = 0; i < saved.steps.size(); ++i) {
        const std::string name(field_text(expected.steps[i].action));
        if (name == "Start Browser" || name == "Start Email") expected.steps[i].text = saved.steps[i].text;
        if (name == "Start Browser") {
            EXPECT_NE(std::string::npos, find_ignore_case(saved.steps[i].text, ".EXE"));
        }
    }
    EXPECT_EQ(script_to_text(expected), read_file(path));
}

void mouse_at(POINT p, DWORD flags) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    mouse_event(flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, static_cast<DWORD>(p.x * 65535 / (w - 1)),
                static_cast<DWORD>(p.y * 65535 / (h - 1)), 0, 0);
}

// A real drag: press on `from`, move in small steps to `to`, then release (or press
// Esc first to cancel).
void drag(POINT from, POINT to, bool cancel) {
    mouse_at(from, 0);
    Sleep(30);
    mouse_at(from, MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= 12; ++i) {
        Sleep(30);
        mouse_at({from.x + (to.x - from.x) * i / 12, from.y + (to.y - from.y) * i / 12}, 0);
    }
    Sleep(60);
    if (cancel) {
        keybd_event(VK_ESCAPE, 0, 0, 0);
        keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
        Sleep(60);
    }
    mouse_at(to, MOUSEEVENTF_LEFTUP);
}

POINT centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

LPARAM item_named(RemoteTree& tree, const char* name) {
    for (const TreeNode& node : tree.nodes())
        if (!node.category && node.text == name) return node.item;
    return 0;
}

// Dropped on a row with InsertNewStep 1 the action goes after it; below the last row
// it is appended. A cancelled drag that moved the grid's selection leaves the pane on
// the step the grid now focuses, so what is typed goes there.
TEST(EditorTree, RealDragsLandWhereInsertNewStepSaysAndACancelledOneResynchronisesThePane) {
    TempFolder folder;
    const std::string path = folder / "drag.zbx";
    ScriptState script;
    for (const char* text : {"a", "b", "c"}) script.steps.push_back(test_step("Write to Log", text));
    ASSERT_TRUE(write_script(script, path));
    set_setting_number("InsertNewStep", 1);  // read at every insert
    struct Reset {
        ~Reset() { set_setting_number("InsertNewStep", 0); }
    } reset;
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    SetForegroundWindow(editor.frame());
    RemoteTree tree(editor);
    ASSERT_TRUE(editor.select_action("Delay"));
    ASSERT_TRUE(editor.select_action("Comment"));
    const LPARAM delay = item_named(tree, "Delay"), comment = item_named(tree, "Comment");
    ASSERT_TRUE(delay && comment);

    drag(centre(tree.rect(delay)), centre(editor.row_rect(0)), false);
    ASSERT_TRUE(wait_until([&] { return editor.row_count() == 4; }));
    EXPECT_EQ("Delay", editor.cell(1, 1)) << editor.cell(0, 1) << "," << editor.cell(2, 1) << "," << editor.cell(3, 1);
    // Below the last row.
    RECT last = editor.row_rect(3);
    drag(centre(tree.rect(comment)), {centre(last).x, last.bottom + 3 * (last.bottom - last.top)}, false);
    ASSERT_TRUE(wait_until([&] { return editor.row_count() == 5; }));
    EXPECT_EQ("Comment", editor.cell(4, 1));

    // The pane shows row 0; a cancelled drag over row 2 leaves row 2 focused.
    editor.select_rows({0});
    HWND text = editor.pane_control(res::kPaneFieldFirst);
    const auto shown_text = [&] {
        char shown[64] = {};
        SendMessageA(editor.pane_control(res::kPaneFieldFirst), WM_GETTEXT, sizeof(shown),
                     reinterpret_cast<LPARAM>(shown));
        return std::string(shown);
    };
    ASSERT_TRUE(wait_until([&] { return shown_text() == "a"; }));
    drag(centre(tree.rect(delay)), centre(editor.row_rect(2)), true);
    ASSERT_TRUE(wait_until([&] { return editor.selected_rows() == std::vector<int>{2}; }));
    EXPECT_EQ(5, editor.row_count());
    text = editor.pane_control(res::kPaneFieldFirst);
    EXPECT_EQ("b", shown_text());
    SendMessageA(text, EM_SETSEL, 0, -1);
    SendMessageA(text, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("typed"));
    ASSERT_TRUE(editor.command(cmd::kSave));
    ScriptState expected = script;
    expected.steps[1].text = "typed";
    Step added = test_step("Delay");
    copy_to_field(added.onfail, "Display Error and Stop");
    copy_to_field(added.timeout, "2");
    Step note = test_step("Comment");
    copy_to_field(note.onfail, "Display Error and Stop");
    expected.steps.insert(expected.steps.begin() + 1, added);
    expected.steps.push_back(note);
    EXPECT_EQ(script_to_text(expected), read_file(path));
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
