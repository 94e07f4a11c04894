// Drives the real editor from a test: starts zorbel.exe, waits until its main window
// answers, sends its commands from a helper thread while this thread answers the
// message boxes the test expects (any other box fails the test and is dismissed),
// reads the grid's cells through a buffer in the editor's process, and presses real
// keys with SendInput.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/script_file.h"
#include "editor/command_ids.h"
#include "tests/win/support/child_process.h"
#include "tests/win/support/temp_folder.h"
#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace wintest {

// A box the test expects: its text contains `text`; it is answered with `answer`
// (IDYES, IDNO, IDOK, IDCANCEL). A file dialog is matched by its title and gets
// `file` typed in before the answer (IDCANCEL leaves it).
struct ExpectedBox {
    std::string text;
    int answer;
    std::string file;
    std::function<void(HWND)> on_shown;  // checks and clicks made while the box is up
};

class EditorDriver {
public:
    EditorDriver();
    ~EditorDriver();

    // Starts the editor with `arguments` and waits for its main window.
    ::testing::AssertionResult start(const std::string& arguments = "");
    HWND frame() const { return frame_; }
    ChildProcess& process() { return process_; }

    void expect_box(const std::string& text, int answer, const std::string& file = "",
                    std::function<void(HWND)> on_shown = nullptr) {
        expected_.push_back({text, answer, file, on_shown});
    }
    // Sends the command and returns once the editor has handled it, answering boxes.
    ::testing::AssertionResult command(int id);
    // Presses `vk` with the modifiers held (VK_CONTROL, VK_SHIFT, VK_MENU), in the editor.
    ::testing::AssertionResult key(WORD vk, std::vector<WORD> modifiers = {});
    // Waits until every expected box has been shown and answered.
    ::testing::AssertionResult boxes_done(DWORD deadline_ms = kDeadlineMs);
    // Closes the main window and waits for the process to end, answering boxes.
    ::testing::AssertionResult close(DWORD* exit_code = nullptr);

    std::string title() const;
    // The text of the control `id` (an edit box of a palette, the pane).
    std::string text_of(int id) const;
    HWND child(int id) const;
    int row_count() const;
    std::string cell(int row, int column);
    // A cell of any list view of the editor (the grid, the Variables palette).
    std::string list_cell(int list_id, int row, int column);
    std::vector<int> selected_rows() const;
    // The image index the grid gives the row.
    int row_image(int row);
    void select_rows(const std::vector<int>& rows);
    std::string status_part(int part);
    // The row's rectangle in screen coordinates, cut to the grid's client area.
    RECT row_rect(int row);
    bool button_enabled(int command) const;
    bool button_checked(int command) const;

    // The Actions tree: selects the action node `name`; false when there is none.
    bool select_action(const std::string& name);
    // Double-clicks the selected node of the Actions tree.
    void double_click_action();
    // A control of the editing pane on show.
    HWND pane_control(int id) const;

    // Tools - Options (posted: the sheet is modal): returns the sheet "Zorbel Options"
    // once it shows; box answering passes the sheet over until close_options().
    HWND open_options();
    // Makes page `index` current (a page is created when first shown) and returns it.
    HWND options_page(int index);
    HWND current_options_page() const;
    // Presses PSBTN_OK or PSBTN_CANCEL and waits until the sheet is gone, answering boxes.
    ::testing::AssertionResult close_options(int button);

    // Boxes shown that no expectation matched.
    std::vector<std::string> unexpected;

private:
    bool answer_boxes();
    void* remote(size_t size);

    ChildProcess process_;
    HWND frame_ = nullptr;
    DWORD thread_ = 0;
    std::deque<ExpectedBox> expected_;
    void* buffer_ = nullptr;
    HWND held_ = nullptr;  // a modal window the test drives itself (the options sheet)
};

// The settings every editor test starts from: no Welcome dialog, no reload.
void quiet_editor_settings();
// A DWORD or text setting read back ("" when missing).
std::string setting_of(const char* name);
// Writes `script` to `path` with the program's own writer.
bool write_script(const ScriptState& script, const std::string& path);
Step test_step(const char* action, const std::string& text = "", const std::string& comment = "");

}  // namespace wintest
}  // namespace zorbel
