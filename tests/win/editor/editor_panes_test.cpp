// New steps from the Actions tree and the editing panes, judged by the saved file's bytes.
#include <gtest/gtest.h>

#include "core/action_catalogue.h"
#include "core/text_rules.h"
#include "editor/model/pane_binding.h"
#include "editor/model/pane_system_variables.h"
#include "tests/win/editor/editor_driver.h"
#include "tests/win/editor/window_picture.h"

namespace zorbel {
namespace wintest {
namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

ScriptState three_steps() {
    ScriptState script;
    for (const char* text : {"a", "b", "c"}) script.steps.push_back(test_step("Write to Log", text));
    return script;
}

Step new_step(const char* action, const char* onfail, uint32_t options, const char* timeout = "") {
    Step step = test_step(action);
    copy_to_field(step.onfail, onfail);
    copy_to_field(step.onfail_label, "again");
    step.options = options;
    copy_to_field(step.timeout, timeout);
    return step;
}

TEST(EditorPanes, NewStepsByDoubleClickAndCommandsLandWhereInsertNewStepSays) {
    TempFolder folder;
    const std::string path = folder / "new.zbx";
    ASSERT_TRUE(write_script(three_steps(), path));
    set_setting_text("DefaultFailureMode", "Jump to Label");
    set_setting_text("DefaultFailureMode_Jump", "again");
    set_setting_number("InsertNewStep", 1);
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    editor.select_rows({0});
    ASSERT_TRUE(editor.select_action("Delay"));
    editor.double_click_action();  // after row 0
    ASSERT_TRUE(wait_until([&] { return editor.row_count() == 4; }));
    EXPECT_EQ("Delay", editor.cell(1, 1));
    // Any value but 1 inserts at the selected row, never past the end.
    set_setting_number("InsertNewStep", 2);
    editor.select_rows({3});
    ASSERT_TRUE(editor.select_action("Left Button Click"));
    ASSERT_TRUE(editor.command(cmd::kInsertAction));
    ASSERT_TRUE(editor.select_action("Start Hidden"));
    ASSERT_TRUE(editor.command(cmd::kAppendAction));
    ASSERT_TRUE(editor.select_action("Simulate Keypress"));
    editor.select_rows({0});
    ASSERT_TRUE(editor.command(cmd::kInsertAction));
    ASSERT_EQ(7, editor.row_count());
    ASSERT_TRUE(editor.command(cmd::kSave));
    set_setting_number("InsertNewStep", 0);
    set_setting_text("DefaultFailureMode", "Display Error and Stop");
    set_setting_text("DefaultFailureMode_Jump", "");

    const ScriptState old = three_steps();
    ScriptState expected;
    Step keys = new_step("Simulate Keypress", "", 0);
    expected.steps = {keys,
                      old.steps[0],
                      new_step("Delay", "Jump to Label", 0, "2"),
                      old.steps[1],
                      new_step("Left Button Click", "Jump to Label", 128),
                      old.steps[2],
                      new_step("Start", "Jump to Label", 1)};
    EXPECT_EQ(script_to_text(expected), read_file(path));
}

HWND field(EditorDriver& editor, int index) { return editor.pane_control(res::kPaneFieldFirst + index); }

// Replaces the field's text the way typing does (a multi-line edit reports no change on WM_SETTEXT).
void type_into(HWND control, const std::string& text) {
    SendMessageA(control, EM_SETSEL, 0, -1);
    SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string text_of(HWND control) {
    char text[600] = {};
    SendMessageA(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

void choose(EditorDriver& editor, HWND list, const char* text) {
    SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    (void)editor;
}

// One step for each of the fifteen panes, chosen so that the action uses most of the
// pane's fields, with its options and time-out.
struct PaneCase {
    const char* action;
    uint32_t options;
};
const PaneCase kPaneSteps[] = {
    {"Service Startup Type", 2}, {"Move Window", 0},        {"Simulate Keypress", 0},   {"Select Menu Item", 0},
    {"Move to Window", 0},       {"Wait for Keypress", 0},  {"Input Value", 0x200000},  {"Recording", 1},
    {"Read File", 0x200000},     {"Check Email: POP3", 0},  {"Execute SQL Query", 0},   {"Start 'For' Loop", 0},
    {"IF Expression", 0},        {"Set Environment Variable", 0x200000},                 {"Call DLL Function", 0},
};

bool is_edit(FieldKind kind) {
    return kind == FieldKind::kEdit || kind == FieldKind::kPassword || kind == FieldKind::kMultiEdit;
}

// Every field of the step's pane set: edits to "L" and their place, checks on, the
// On Failure mode "Jump to Label", lists to a choice.
Step loaded_step(const PaneCase& c) {
    Step step = test_step(c.action);
    step.options = c.options;
    if (step.family == kFamilyRecording) copy_to_field(step.value[0], "0"), copy_to_field(step.value[1], "0");
    const PaneSpec& pane = pane_spec(static_cast<int32_t>(step.family));
    for (size_t i = 0; i < pane.fields.size(); ++i) {
        const FieldSpec& spec = pane.fields[i];
        if (is_edit(spec.kind)) write_field(step, spec, "L" + std::to_string(i));
        else if (spec.kind == FieldKind::kCheck) write_field(step, spec, "1");
        else if (spec.field == StepField::kOnfailMode) write_field(step, spec, "Jump to Label");
        else if (spec.kind == FieldKind::kList && spec.field == StepField::kValue) write_field(step, spec, "Manual");
    }
    return step;
}

// The value a field is changed to: one-line edits get 300 characters (their limits
// keep 259 or 63), lists another choice, checks the other state, radios "chosen".
std::string changed_value(const FieldSpec& spec, size_t index, HWND control) {
    switch (spec.kind) {
        case FieldKind::kEdit:
        case FieldKind::kPassword: return std::string(300, static_cast<char>('a' + index % 26));
        case FieldKind::kMultiEdit: return "N" + std::to_string(index) + "\r\nsecond line";
        case FieldKind::kCheck:
        case FieldKind::kTextCheck: return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "0" : "1";
        case FieldKind::kRadio: return "1";
        case FieldKind::kList: {
            const std::string choices = spec.choices;
            if (choices.find("Increment Variable") != std::string::npos) return "Increment Variable";
            return choices.substr(choices.find_last_of(';') + 1);
        }
    }
    return "";
}

std::string check_text(HWND control) { return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0"; }

// For each pane: the step loads into every control; each field the action uses is
// changed through its control; the saved file holds exactly those changes within the
// fields' limits. Then "Undo Changes" and the grid's Undo give back the file's bytes.
TEST(EditorPanes, EveryPaneLoadsAndWritesEveryFieldThroughItsControls) {
    TempFolder folder;
    const std::string path = folder / "panes.zbx";
    ScriptState script;
    for (const PaneCase& c : kPaneSteps) script.steps.push_back(loaded_step(c));
    ASSERT_TRUE(write_script(script, path));
    const std::string original = read_file(path);
    ScriptState expected = script;
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    // Room for the pictures; a pane taller than its palette scrolls.
    MoveWindow(editor.frame(), 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), TRUE);
    for (int row = 0; row < static_cast<int>(script.steps.size()); ++row) {
        const Step& step = script.steps[static_cast<size_t>(row)];
        const PaneSpec& pane = pane_spec(static_cast<int32_t>(step.family));
        SCOPED_TRACE(pane.name);
        editor.select_rows({row});
        ASSERT_TRUE(wait_until([&] { return editor.text_of(res::kPaneHost) == field_text(step.action); }));
        for (size_t i = 0; i < pane.fields.size(); ++i) {
            const FieldSpec& spec = pane.fields[i];
            HWND control = field(editor, static_cast<int>(i));
            if (!IsWindowVisible(control)) continue;
            SCOPED_TRACE(std::to_string(i) + " " + spec.label);
            if (is_edit(spec.kind)) {
                EXPECT_EQ(load_field(step, spec), text_of(control));
            } else if (spec.kind != FieldKind::kList) {
                EXPECT_EQ(load_field(step, spec), check_text(control));
            }
        }
        // The panes' own buttons: the image browser only for "Display Image".
        if (pane.code == kFamilyUserPrompt) {
            EXPECT_FALSE(IsWindowVisible(editor.pane_control(res::kPaneBrowseImage)));
        }
        if (pane.code == kFamilyDatabase) {
            EXPECT_TRUE(IsWindowVisible(editor.pane_control(res::kPaneDataSources)));
        }
        if (pane.code == kFamilyRunProgram) {
            EXPECT_TRUE(IsWindowVisible(editor.pane_control(res::kPaneProgramMenu)));
        }
        PaneBinding binding;
        binding.load(expected, row);
        int changed = 0;
        for (size_t i = 0; i < pane.fields.size(); ++i) {
            const FieldSpec& spec = pane.fields[i];
            HWND control = field(editor, static_cast<int>(i));
            if (!IsWindowVisible(control) || !IsWindowEnabled(control)) continue;
            if (spec.kind == FieldKind::kRadio && check_text(control) == "1") continue;
            const std::string value = changed_value(spec, i, control);
            if (is_edit(spec.kind)) type_into(control, value);
            else if (spec.kind == FieldKind::kList) choose(editor, control, value.c_str());
            else SendMessageA(control, BM_CLICK, 0, 0);
            binding.write(expected, row, spec, value, nullptr);
            ++changed;
        }
        EXPECT_LE(2, changed);
        EXPECT_TRUE(IsWindowEnabled(editor.pane_control(cmd::kPaneUndoChanges)));
        keep_picture(editor.frame(), std::string("pane_") + std::to_string(pane.code));
    }
    ASSERT_TRUE(editor.command(cmd::kSave));
    EXPECT_EQ(script_to_text(expected), read_file(path));
    // The limits: 300 characters typed keep 259 in a value and 63 in the time-out.
    EXPECT_EQ(259u, field_text(expected.steps[9].value[2]).size());
    EXPECT_EQ(63u, field_text(expected.steps[1].timeout).size());

    // "Undo Changes" gives the last step back and is then off.
    SendMessageA(editor.pane_control(cmd::kPaneUndoChanges), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(editor.pane_control(cmd::kPaneUndoChanges)));
    ASSERT_TRUE(editor.command(cmd::kSave));
    expected.steps.back() = script.steps.back();
    EXPECT_EQ(script_to_text(expected), read_file(path));
    // Each step's first change took one undo snapshot: fifteen Undos give the file back.
    for (size_t i = 0; i < script.steps.size(); ++i) ASSERT_TRUE(editor.command(cmd::kUndo));
    ASSERT_TRUE(editor.command(cmd::kSave));
    EXPECT_EQ(original, read_file(path));
}

BOOL CALLBACK count_tips(HWND window, LPARAM count) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// The panes' tools: a System Variables choice goes into the last data field that had
// the focus, and into the main text box when that field belongs to another load; the
// ready-made programs; the pixel colour picker; tool tips; the Help link.
TEST(EditorPanes, ToolsFillTheirFieldsAndHelpOpensTheHelpFile) {
    TempFolder folder;
    const std::string path = folder / "vars.zbx";
    ScriptState script;
    script.steps = {test_step("IF Expression", "1 = 1", "note "), test_step("Write to Log", "line "),
                    test_step("Start", "x"), test_step("Wait for Pixel")};
    ASSERT_TRUE(write_script(script, path));
    set_setting_number("ShowTips", 1);
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    SetForegroundWindow(editor.frame());
    editor.select_rows({0});
    ASSERT_TRUE(wait_until([&] { return text_of(field(editor, 0)) == "1 = 1"; }));
    HWND comment = field(editor, 4);
    RECT r;
    GetWindowRect(comment, &r);
    const DWORD x = static_cast<DWORD>((r.left + r.right) / 2 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    const DWORD y = static_cast<DWORD>((r.top + 8) * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(editor.frame(), nullptr);
    // A real click gives the comment the focus (once more if a tool tip took the first).
    bool focused = false;
    for (int attempt = 0; attempt < 3 && !focused; ++attempt) {
        SetForegroundWindow(editor.frame());
        mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN, x, y, 0, 0);
        mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP, x, y, 0, 0);
        focused = wait_until([&] { return GetGUIThreadInfo(thread, &info) && info.hwndFocus == comment; }, 2000);
    }
    ASSERT_TRUE(focused);
    SendMessageA(comment, EM_SETSEL, 5, 5);
    HWND host = editor.child(res::kPaneHost);
    SendMessageA(host, WM_COMMAND, kSystemVariableFirst, 0);  // "%n"
    editor.select_rows({1});
    ASSERT_TRUE(wait_until([&] { return text_of(field(editor, 0)) == "line "; }));
    SendMessageA(field(editor, 0), EM_SETSEL, 5, 5);
    SendMessageA(host, WM_COMMAND, kSystemVariableFirst + 17, 0);  // the long date
    // The Run Program pane's menu puts a ready-made command into the program field.
    editor.select_rows({2});
    ASSERT_TRUE(wait_until([&] { return text_of(field(editor, 0)) == "x"; }));
    SendMessageA(host, WM_COMMAND, res::kProgramMenuFirst + 9, 0);
    // Item 9 is the first rundll32 command when no mail program is registered, else the mail program.
    const std::string chosen = text_of(field(editor, 0));
    EXPECT_TRUE(chosen == "rundll32.exe Shell32.dll Control_RunDLLA appwiz.cpl" ||
                find_ignore_case(chosen, ".exe") != std::string::npos)
        << chosen;
    // The Wait pane's picker: pressed, dragged onto the grid's empty part, released.
    editor.select_rows({3});
    ASSERT_TRUE(wait_until([&] { return editor.text_of(res::kPaneHost) == "Wait for Pixel"; }));
    RECT from_rect, row = editor.row_rect(3);
    GetWindowRect(editor.pane_control(res::kPanePixelPicker), &from_rect);
    const POINT from = {(from_rect.left + from_rect.right) / 2, (from_rect.top + from_rect.bottom) / 2};
    const POINT to = {row.left + 40, row.bottom + 60};
    HDC screen = GetDC(nullptr);
    const COLORREF under = GetPixel(screen, to.x, to.y);
    ReleaseDC(nullptr, screen);
    const auto mouse = [](POINT p, DWORD flags) {
        mouse_event(flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                    static_cast<DWORD>(p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1)),
                    static_cast<DWORD>(p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1)), 0, 0);
    };
    mouse(from, 0);
    mouse(from, MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= 8; ++i) {
        Sleep(20);
        mouse({from.x + (to.x - from.x) * i / 8, from.y + (to.y - from.y) * i / 8}, 0);
    }
    mouse(to, MOUSEEVENTF_LEFTUP);
    const std::string colour = picked_colour_text(under);
    EXPECT_TRUE(wait_until([&] { return text_of(field(editor, 1)) == colour; })) << text_of(field(editor, 1));
    ASSERT_TRUE(editor.command(cmd::kSave));
    ScriptState expected = script;
    copy_to_field(expected.steps[3].value[0], colour);
    expected.steps[0].comment = "note %n";
    expected.steps[1].text = "line %dddd, %mmmm %dd, %yyyy at %hh:%ii %a";
    expected.steps[2].text = chosen;
    EXPECT_EQ(script_to_text(expected), read_file(path));
    EXPECT_EQ("%dddd, %mmmm...\tLong Date and Time", system_variable_item(kSystemVariableFirst + 17));

    // With ShowTips every pane has its tool tips.
    int tips = 0;
    EnumThreadWindows(thread, count_tips, reinterpret_cast<LPARAM>(&tips));
    EXPECT_LE(15, tips);
    // The Help link and the tree's help command open the help file; here there is none.
    editor.expect_box("Unable to find the help file.", IDOK);
    PostMessageA(editor.pane_control(res::kPaneHelp), BM_CLICK, 0, 0);
    ASSERT_TRUE(editor.boxes_done());
    ASSERT_TRUE(editor.select_action("Delay"));
    editor.expect_box("Unable to find the help file.", IDOK);
    ASSERT_TRUE(editor.command(cmd::kActionHelp));
}

// The keyboard pane renames only between "Simulate Keypress" and "Text + System Keys";
// after an undone move the pane writes into the step the grid focuses, not the one it
// showed before.
TEST(EditorPanes, KeyboardRenamesAndWritesFollowTheFocusedStep) {
    TempFolder folder;
    const std::string path = folder / "keys.zbx";
    ScriptState script;
    script.steps = {test_step("Simulate Keypress", "a"), test_step("Text via Clipboard", "b"),
                    test_step("Write to Log", "c")};
    ASSERT_TRUE(write_script(script, path));
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    editor.select_rows({0});
    ASSERT_TRUE(wait_until([&] { return field(editor, 0) && text_of(field(editor, 0)) == "a"; }));
    type_into(field(editor, 0), "a{enter}");
    EXPECT_EQ("Text + System Keys", editor.cell(0, 1));
    keep_picture(editor.frame(), "pane_keyboard");
    editor.select_rows({1});
    ASSERT_TRUE(wait_until([&] { return text_of(field(editor, 0)) == "b"; }));
    type_into(field(editor, 0), "b{tab}");
    EXPECT_EQ("Text via Clipboard", editor.cell(1, 1));
    // Move row 1 down, then undo: row 1 is the clipboard step again and is focused.
    ASSERT_TRUE(editor.command(cmd::kMoveDown));
    ASSERT_TRUE(editor.command(cmd::kUndo));
    editor.select_rows({1});
    type_into(field(editor, 0), "typed");
    ASSERT_TRUE(editor.command(cmd::kSave));
    ScriptState expected = script;
    expected.steps[0].text = "a{enter}";
    copy_to_field(expected.steps[0].action, "Text + System Keys");
    expected.steps[1].text = "typed";
    EXPECT_EQ(script_to_text(expected), read_file(path));
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
