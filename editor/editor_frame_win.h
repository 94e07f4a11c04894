// The editor's main window "Zorbel": menu, accelerators, toolbar, status bar with its
// clock, the step grid, the palettes in a fixed layout, the file commands, running
// the open script, and what the editor stores when it closes.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "app/run_program_win.h"
#include "editor/actions_tree_win.h"
#include "editor/model/step_commands.h"
#include "editor/palettes_win.h"
#include "editor/pane_host.h"
#include "editor/script_edit.h"
#include "editor/step_grid_win.h"
#include "editor/step_panes_win.h"
#include "editor/recording_pane_win.h"
#include "engine/command_line.h"

namespace zorbel {

class EditorFrame : public ScriptEdit {
public:
    EditorFrame(RunProgram& program, HINSTANCE instance, const CommandLine& line);
    ~EditorFrame() override;

    // Registers "Zorbel" and creates the main window, hidden. False when it fails.
    bool create();
    HWND window() const { return frame_; }
    // Start-up after the window is shown: the command-line file, the run it asks
    // for, the reload of the last file, then timer 1000. Then the message loop.
    int run(int show_command);

    // ScriptEdit
    ScriptState& script() override { return program_.script; }
    bool push_snapshot() override;
    void mark_changed() override;
    int32_t focused_index() const override { return grid_.selection().focused; }
    void refresh_rows(int32_t focus) override;
    bool run_active() const override { return program_.run.running; }

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void on_create();
    void on_command(int id);
    bool pass_to_focused_field(int id);
    void edit_command(int id);
    void on_timer();
    bool on_close();
    void on_destroy();
    void on_notify(NMHDR* header, LRESULT* result);
    void context_menu(int x, int y);
    void create_toolbar();
    void create_status_bar();
    void set_running(bool running);
    void set_on_top(bool on);
    void refresh_title();
    void rebuild_recent_menu(HMENU menu);
    void show_step_pane();

    // New steps from the Actions tree (editor_actions_win.cpp).
    void add_action(const std::string& name, int32_t position);
    int32_t insert_position() const;
    bool tree_command(int id);
    void tree_menu(POINT screen);

    // Boxes of the editor: task-modal, in front, topmost while Keep on Top is on.
    int box(const std::string& text, const char* title, UINT flags);
    Answer ask(const std::string& text, const char* title, bool with_cancel);

    // File commands (editor_files_win.cpp).
    bool keep_edits();
    bool save();
    bool save_as();
    bool write_to(const std::string& path);
    void open();
    bool load(const std::string& path);
    void close_script();
    void open_recent(int number);
    void welcome();
    void show_properties();
    void find(int id);
    void go_to_step();
    void after_replace();
    // Tools - Options (editor_options_win.cpp).
    void options();

    // Tools (editor_tools_win.cpp).
    void auto_indent_and_validate();
    void list_windows(int id);
    void open_logfile();

    RunProgram& program_;
    HINSTANCE instance_;
    CommandLine line_;
    HWND frame_ = nullptr, toolbar_ = nullptr, status_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HFONT output_font_ = nullptr;
    StepCommands commands_;
    StepGrid grid_;
    std::unique_ptr<FixedPaletteHost> palettes_;
    OutputPalette output_;
    VariablesListPalette variables_;
    StepPanes panes_;
    RecordingPane recording_pane_{*this, program_.controller.context()};
    ActionsTreePalette tree_;
    bool on_top_ = false;
    std::string find_text_;
    int stop_key_ = 19;            // the key that stops a run, stored at exit
    bool settings_reset_ = false;  // every setting was reset: the exit keeps the window's places out
};

}  // namespace zorbel
