#include "editor/editor_frame_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <ctime>

#include "actions/windows/window_search_win.h"
#include "core/text_rules.h"
#include "editor/command_ids.h"
#include "editor/model/recent_files.h"
#include "editor/model/window_placement.h"
#include "editor/toolbar_win.h"

namespace zorbel {

namespace {

constexpr const char* kDragHint = " Drag or double-click an action from the list to add a new step";
constexpr int kOnTopStyle = 0x40000;

// The commands a run turns off (the menu's, plus the toolbar's own extras).
const int kOffWhileRunning[] = {cmd::kOpen,     cmd::kClose,     cmd::kSave,         cmd::kSaveAs,   cmd::kNew,
                                cmd::kCut,      cmd::kCopy,      cmd::kPaste,        cmd::kDelete,   cmd::kSelectAll,
                                cmd::kMoveUp,   cmd::kMoveDown,  cmd::kRun,          cmd::kRunSingleStep,
                                cmd::kRunFromHere, cmd::kSkip,   cmd::kCompile,      cmd::kAllWindows,
                                cmd::kBreakpoint, cmd::kOptions, cmd::kEditStep,     cmd::kIndent,   cmd::kUnindent,
                                cmd::kAutoIndent};

std::string clock_text() {
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    if (const std::tm* t = std::localtime(&now)) local = *t;
    int hour = local.tm_hour % 12;
    if (hour == 0) hour = 12;
    char text[32];
    std::snprintf(text, sizeof(text), " %d:%02d %s", hour, local.tm_min, local.tm_hour < 12 ? "AM" : "PM");
    return text;
}

EditorFrame* g_frame = nullptr;  // one main window per process

}  // namespace

EditorFrame::EditorFrame(RunProgram& program, HINSTANCE instance, const CommandLine& line)
    : program_(program),
      instance_(instance),
      line_(line),
      commands_(program.script),
      grid_(program.script, program.store),
      panes_(*this) {}

EditorFrame::~EditorFrame() {
    if (output_font_) DeleteObject(output_font_);
    g_frame = nullptr;
}

bool EditorFrame::create() {
    g_frame = this;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = window_procedure;
    wc.hInstance = instance_;
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(res::kMenu);
    wc.lpszClassName = "Zorbel";
    RegisterClassA(&wc);

    // The stored rectangle, when it is sane; the whole screen otherwise.
    SettingsStore& store = program_.store;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, w = CW_USEDEFAULT, h = CW_USEDEFAULT;
    StoredRect stored;
    stored.left = setting_number(store, "SOFTWARE\\Zorbel\\Left");
    stored.top = setting_number(store, "SOFTWARE\\Zorbel\\Top");
    stored.right = setting_number(store, "SOFTWARE\\Zorbel\\Right");
    stored.bottom = setting_number(store, "SOFTWARE\\Zorbel\\Bottom");
    const ScreenFacts screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), GetSystemMetrics(SM_CXMIN),
                             GetSystemMetrics(SM_CYMIN)};
    switch (choose_placement(stored, screen)) {
        case Placement::kSystem: break;
        case Placement::kStored:
            x = stored.left, y = stored.top, w = stored.right - stored.left, h = stored.bottom - stored.top;
            break;
        case Placement::kFullScreen: x = 0, y = 0, w = screen.width, h = screen.height; break;
    }
    frame_ = CreateWindowExA(0, "Zorbel", "Zorbel", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, w, h, nullptr,
                             nullptr, instance_, this);
    return frame_ != nullptr;
}

LRESULT CALLBACK EditorFrame::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE && g_frame) g_frame->frame_ = window;
    if (g_frame && g_frame->frame_ == window) return g_frame->handle(message, wparam, lparam);
    return DefWindowProcA(window, message, wparam, lparam);
}

void EditorFrame::on_create() {
    RunProgram& p = program_;
    SettingsStore& store = p.store;
    // What the run needs of its window.
    p.host.set_main_window(frame_);
    p.ui.set_owner(frame_);
    SetOwnMainWindow(frame_);
    p.variables.reset(new Variables(store, p.program_folder, reinterpret_cast<intptr_t>(frame_)));
    p.services.variables = p.variables.get();
    p.host.on_enable_editing = [this](bool enabled) { set_running(!enabled); };
    p.host.on_selected_step = [this] { return grid_.selection().focused; };
    p.host.on_select_step = [this](int32_t index) { grid_.select({index}, index); };
    p.ui.on_status = [this](int part, const std::string& text) {
        SendMessageA(status_, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text.c_str()));
    };
    p.ui.on_title = [this](const std::string& title) { SetWindowTextA(frame_, title.c_str()); };
    p.ui.on_recent_removed = [this](const std::string& path) { remove_recent_file_entry(program_.store, path); };
    p.ui.on_script_replaced = [this] { after_replace(); };

    find_text_ = setting_text(store, "SOFTWARE\\Zorbel\\Find").substr(0, 63);
    on_top_ = setting_number(store, "SOFTWARE\\Zorbel\\OnTop") == kOnTopStyle;
    stop_key_ = setting_number(store, "SOFTWARE\\Zorbel\\StopKey");
    if (stop_key_ <= 0) stop_key_ = kDefaultStopKey;

    LOGFONTA font = {};
    HDC dc = GetDC(frame_);
    font.lfHeight = -setting_number(store, "SOFTWARE\\Zorbel\\Palettes\\Output\\FontSize") * GetDeviceCaps(dc, LOGPIXELSY) / 72;
    ReleaseDC(frame_, dc);
    font.lfItalic = setting_number(store, "SOFTWARE\\Zorbel\\Palettes\\Output\\Font_Italic") != 0;
    font.lfWeight = setting_number(store, "SOFTWARE\\Zorbel\\Palettes\\Output\\Font_Weight");
    lstrcpynA(font.lfFaceName, setting_text(store, "SOFTWARE\\Zorbel\\Palettes\\Output\\Font").c_str(), LF_FACESIZE);
    output_font_ = CreateFontIndirectA(&font);
    HFONT shown_font = output_font_ ? output_font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

    create_status_bar();
    create_toolbar();
    palettes_.reset(new FixedPaletteHost(frame_, instance_));
    palettes_->toolbar = toolbar_;
    palettes_->status_bar = status_;
    palettes_->grid = grid_.create(frame_, instance_);

    HWND actions = tree_.create(frame_, instance_, store);
    panes_.recording = &recording_pane_;
    panes_.create(frame_, instance_);
    panes_.on_row_changed = [this](int32_t row) { grid_.redraw(row, row); };
    palettes_->create(Palette::kActions, actions);
    palettes_->create(Palette::kProperties, panes_.window);
    palettes_->create(Palette::kOutput, output_.create(frame_, shown_font));
    palettes_->create(Palette::kVariables,
                      variables_.create(frame_, shown_font, setting_number(store, "SOFTWARE\\Zorbel\\Palettes\\Variables\\Column1"),
                                        setting_number(store, "SOFTWARE\\Zorbel\\Palettes\\Variables\\Column2")));
    for (Palette palette : {Palette::kActions, Palette::kProperties, Palette::kOutput, Palette::kVariables}) {
        const std::string path = std::string("SOFTWARE\\Zorbel\\Palettes\\") + palette_name(palette) + "\\visible";
        palettes_->show(palette, setting_number(store, path) != -1);
    }
    p.services.output = &output_;
    p.services.palette = &variables_;

    p.script.clear();
    commands_.replaced(false, false);
    SetWindowTextA(frame_, "Zorbel");
    p.ui.set_status(0, kDragHint);
    grid_.refresh();
    set_running(false);
    set_on_top(on_top_);
    HMENU system = GetSystemMenu(frame_, FALSE);
    AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(system, MF_STRING, cmd::kAbout, "About Zorbel...");
    palettes_->layout();
}

int EditorFrame::run(int show_command) {
    ShowWindow(frame_, show_command);
    UpdateWindow(frame_);
    SettingsStore& store = program_.store;
    const bool file_given = (line_.flags & kStartOpenFile) && !line_.file.empty();
    if (file_given) {
        if (!load(line_.file)) {
            box("Unable to load '" + line_.file + "'", "Error", MB_OK | MB_ICONEXCLAMATION);
        } else if (line_.flags & kStartRunScript) {
            PostMessageA(frame_, WM_COMMAND, cmd::kRun, 0);
        }
    }
    // The last file comes back before the first clock tick, so the Welcome check sees it.
    if (!(line_.flags & (kStartHidden | kStartOpenFile | kStartRunScript | kStartExitAfterRun)) &&
        setting_number(store, "SOFTWARE\\Zorbel\\AutoReload")) {
        const std::string last = setting_text(store, "SOFTWARE\\Zorbel\\RecentFile1");
        if (!last.empty() && GetFileAttributesA(last.c_str()) != INVALID_FILE_ATTRIBUTES) open_recent(1);
    }
    SetTimer(frame_, res::kClockTimer, 5000, nullptr);
    PostMessageA(frame_, WM_TIMER, res::kClockTimer, 0);

    accelerators_ = LoadAcceleratorsA(instance_, MAKEINTRESOURCEA(res::kAccelerators));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Insert reaches an edit field that has the focus instead of adding a comment.
        char focus_class[16] = {};
        if (message.message == WM_KEYDOWN && message.wParam == VK_INSERT && GetFocus())
            GetClassNameA(GetFocus(), focus_class, sizeof(focus_class));
        const bool to_field = lstrcmpiA(focus_class, "Edit") == 0;
        // A cancelled journal ends what its hook was doing: a recording is kept, a
        // playback ends (a run's stops the run).
        if (message.message == WM_CANCELJOURNAL) {
            program_.system.desktop.recorder->cancel_journal();
            continue;
        }
        if (!to_field && accelerators_ && TranslateAcceleratorA(frame_, accelerators_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return program_.exit_code();
}

LRESULT EditorFrame::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            on_create();
            return 0;
        case WM_SIZE:
            if (status_) {
                int ends[3];
                status_part_ends(LOWORD(lparam), ends);
                SendMessageA(status_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(ends));
            }
            if (palettes_) palettes_->layout();
            return 0;
        case WM_TIMER:
            if (wparam == res::kClockTimer) {
                on_timer();
                return 0;
            }
            break;
        case WM_COMMAND:
            on_command(LOWORD(wparam));
            return 0;
        case WM_SYSCOMMAND:
            if ((wparam & 0xFFF0) == cmd::kAbout) {
                on_command(cmd::kAbout);
                return 0;
            }
            break;
        case WM_NOTIFY: {
            LRESULT result = 0;
            on_notify(reinterpret_cast<NMHDR*>(lparam), &result);
            return result;
        }
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wparam) == grid_.window()) {
                context_menu(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
                return 0;
            }
            break;
        case WM_HELP:
            on_command(cmd::kHelp);
            return TRUE;
        case WM_INITMENUPOPUP:
            rebuild_recent_menu(reinterpret_cast<HMENU>(wparam));
            return 0;
        case WM_CLOSE:
            if (on_close()) DestroyWindow(frame_);
            return 0;
        case WM_DESTROY:
            on_destroy();
            return 0;
    }
    LRESULT result = 0;
    if (program_.handle_message(message, wparam, lparam, &result)) return result;
    return DefWindowProcA(frame_, message, wparam, lparam);
}

void EditorFrame::on_notify(NMHDR* header, LRESULT* result) {
    if (header->hwndFrom == tree_.window && header->code == NM_DBLCLK) {
        const std::string name = tree_.selected_action();
        if (!name.empty()) add_action(name, insert_position());
        *result = !name.empty();
        return;
    }
    if (header->hwndFrom == tree_.window && header->code == NM_RCLICK) {
        POINT p;
        GetCursorPos(&p);
        tree_menu(p);
        *result = 1;
        return;
    }
    if (grid_.notify(header, result)) return;
    if (header->hwndFrom == grid_.window()) {
        switch (header->code) {
            case LVN_ITEMCHANGED: {
                auto* change = reinterpret_cast<NMLISTVIEW*>(header);
                if ((change->uChanged & LVIF_STATE) && !program_.run.running && GetCapture() == nullptr)
                    panes_.follow_selection(grid_.selection().focused);
                return;
            }
            case NM_DBLCLK:
                show_step_pane();
                return;
            case LVN_KEYDOWN:
                if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_RETURN) show_step_pane();
                return;
        }
    }
    if (header->code == TTN_GETDISPINFOA) toolbar_tip(reinterpret_cast<NMTTDISPINFOA*>(header));
}

void EditorFrame::show_step_pane() {
    if (grid_.selection().empty()) {
        if (!palettes_->visible(Palette::kActions)) palettes_->show(Palette::kActions, true);
        return;
    }
    if (!palettes_->visible(Palette::kProperties)) palettes_->show(Palette::kProperties, true);
    panes_.focus();
}

void EditorFrame::context_menu(int x, int y) {
    HMENU menu = CreatePopupMenu();
    const Selection sel = grid_.selection();
    if (!sel.empty()) {
        const Step& step = program_.script.steps[static_cast<size_t>(sel.focused)];
        AppendMenuA(menu, MF_STRING, cmd::kRunSingleStep, "Run Single Step");
        AppendMenuA(menu, MF_STRING, cmd::kRunFromHere, "Run From Here");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, cmd::kCut, "Cut");
        AppendMenuA(menu, MF_STRING, cmd::kCopy, "Copy");
        AppendMenuA(menu, MF_STRING, cmd::kPaste, "Paste");
        AppendMenuA(menu, MF_STRING, cmd::kDelete, "Delete");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, cmd::kUnindent, "Decrease Indent");
        AppendMenuA(menu, MF_STRING, cmd::kIndent, "Increase Indent");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, cmd::kSkip, step.status == kStatusSkip ? "Remove Skip" : "Add Skip");
        AppendMenuA(menu, MF_STRING, cmd::kBreakpoint,
                    step.status == kStatusBreakpoint ? "Remove Breakpoint" : "Add Breakpoint");
        AppendMenuA(menu, MF_STRING, cmd::kAddComment, "Add Comment");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, cmd::kEditStep, "Properties");
    } else {
        AppendMenuA(menu, MF_STRING, cmd::kRun, "Run");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, cmd::kNewStep, "New Step");
        AppendMenuA(menu, MF_STRING, cmd::kPaste, "Paste");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, cmd::kAddComment, "Add Comment");
    }
    if (x == -1 && y == -1) {
        POINT p;
        GetCursorPos(&p);
        x = p.x, y = p.y;
    }
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, frame_, nullptr);
    DestroyMenu(menu);
}

void EditorFrame::on_timer() {
    const std::string time = clock_text();
    SendMessageA(status_, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(time.c_str()));
    char prefix[32];
    std::snprintf(prefix, sizeof(prefix), "%li_", static_cast<long>(reinterpret_cast<intptr_t>(frame_)));
    variables_.refresh(program_.store, prefix);
    SettingsStore& store = program_.store;
    if (setting_number(store, "SOFTWARE\\Zorbel\\StartupSamplesShown") == 0 &&
        setting_number(store, "SOFTWARE\\Zorbel\\ShowSamples") && program_.script.steps.empty() &&
        program_.script.script_path.empty() && !program_.run.running) {
        write_setting_number(store, "SOFTWARE\\Zorbel\\StartupSamplesShown", 1);
        PostMessageA(frame_, WM_COMMAND, cmd::kNew, 0);
    }
}

void EditorFrame::set_running(bool running) {
    commands_.running = running;
    HMENU menu = GetMenu(frame_);
    for (int id : kOffWhileRunning) {
        EnableMenuItem(menu, id, MF_BYCOMMAND | (running ? MF_GRAYED : MF_ENABLED));
        SendMessageA(toolbar_, TB_ENABLEBUTTON, id, !running);
    }
    for (int id = cmd::kRecentFirst; id <= cmd::kRecentLast; ++id)
        EnableMenuItem(menu, id, MF_BYCOMMAND | (running ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(menu, cmd::kPause, MF_BYCOMMAND | (running ? MF_ENABLED : MF_GRAYED));
    SendMessageA(toolbar_, TB_ENABLEBUTTON, cmd::kPause, running);
    const bool undo = !running && commands_.undo_available();
    EnableMenuItem(menu, cmd::kUndo, MF_BYCOMMAND | (undo ? MF_ENABLED : MF_GRAYED));
    SendMessageA(toolbar_, TB_ENABLEBUTTON, cmd::kUndo, undo);
    InvalidateRect(toolbar_, nullptr, TRUE);
    if (!running && panes_.window) panes_.show_pane_for(grid_.selection().focused);
}

void EditorFrame::set_on_top(bool on) {
    on_top_ = on;
    program_.ui.box_style = on ? MB_TOPMOST : 0;
    SetWindowPos(frame_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    set_keep_on_top_button(toolbar_, on);
    CheckMenuItem(GetMenu(frame_), cmd::kKeepOnTop, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void EditorFrame::refresh_title() {
    SetWindowTextA(frame_, commands_.document.title(program_.script.script_path).c_str());
    const bool undo = !commands_.running && commands_.undo_available();
    EnableMenuItem(GetMenu(frame_), cmd::kUndo, MF_BYCOMMAND | (undo ? MF_ENABLED : MF_GRAYED));
    SendMessageA(toolbar_, TB_ENABLEBUTTON, cmd::kUndo, undo);
}

bool EditorFrame::push_snapshot() {
    if (program_.run.running) return false;
    const bool taken = commands_.snapshot();
    refresh_title();
    return taken;
}

void EditorFrame::mark_changed() {
    commands_.mark_changed();
    refresh_title();
}

void EditorFrame::refresh_rows(int32_t focus) {
    grid_.refresh();
    if (focus >= 0) grid_.select({focus}, focus);
}

int EditorFrame::box(const std::string& text, const char* title, UINT flags) {
    return MessageBoxA(frame_, text.c_str(), title,
                       flags | MB_TASKMODAL | MB_SETFOREGROUND | (on_top_ ? MB_TOPMOST : 0));
}

Answer EditorFrame::ask(const std::string& text, const char* title, bool with_cancel) {
    const int answer = box(text, title, (with_cancel ? MB_YESNOCANCEL : MB_YESNO) | MB_ICONQUESTION);
    return answer == IDYES ? Answer::kYes : answer == IDNO ? Answer::kNo : Answer::kCancel;
}

bool EditorFrame::on_close() {
    // A run still going is stopped first, quietly: hooks come out and held keys go up.
    if (program_.run.running) {
        program_.run.exit_after_run = false;
        program_.controller.stop_run(true);
    }
    if (!keep_edits()) return false;
    SettingsStore& store = program_.store;
    store.delete_value(SettingsRoot::kCurrentUser, kSettingsKey, "StartupSamplesShown");
    for (Palette palette : {Palette::kActions, Palette::kProperties, Palette::kOutput, Palette::kVariables}) {
        const std::string path = std::string("SOFTWARE\\Zorbel\\Palettes\\") + palette_name(palette) + "\\visible";
        write_setting_number(store, path, palettes_->visible(palette) ? 1 : -1);
    }
    if (palettes_->visible(Palette::kActions)) tree_.store_state(store);
    write_setting_number(store, "SOFTWARE\\Zorbel\\Palettes\\Statusbar\\visible", IsWindowVisible(status_) ? 1 : -1);
    if (IsWindowVisible(frame_) && !settings_reset_) {
        // The normal placement, also when minimised or maximised.
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        GetWindowPlacement(frame_, &placement);
        const RECT& r = placement.rcNormalPosition;
        write_setting_number(store, "SOFTWARE\\Zorbel\\Left", r.left);
        write_setting_number(store, "SOFTWARE\\Zorbel\\Top", r.top);
        write_setting_number(store, "SOFTWARE\\Zorbel\\Right", r.right);
        write_setting_number(store, "SOFTWARE\\Zorbel\\Bottom", r.bottom);
    }
    if (IsWindowVisible(grid_.window()) && !settings_reset_)
        for (int i = 0; i < kColumnCount; ++i)
            write_setting_number(store, "SOFTWARE\\Zorbel\\Column" + std::to_string(i + 1), grid_.column_width(i));
    write_setting_number(store, "SOFTWARE\\Zorbel\\Palettes\\Variables\\Column1", variables_.column_width(0));
    write_setting_number(store, "SOFTWARE\\Zorbel\\Palettes\\Variables\\Column2", variables_.column_width(1));
    return true;
}

void EditorFrame::on_destroy() {
    for (int timer = res::kClockTimer; timer <= res::kBoxTimer; ++timer) KillTimer(frame_, timer);
    if (program_.run.running) {
        program_.run.exit_after_run = false;
        program_.controller.stop_run(true);
    }
    SettingsStore& store = program_.store;
    program_.services.output = nullptr;
    program_.services.palette = nullptr;
    program_.script.clear();
    commands_.replaced(false, false);
    if (setting_number(store, "SOFTWARE\\Zorbel\\ResetUserVariables") && !program_.host.other_instance_running())
        program_.variables->reset(nullptr);
    write_setting_number(store, "SOFTWARE\\Zorbel\\OnTop", on_top_ ? kOnTopStyle : 0);
    write_setting_number(store, "SOFTWARE\\Zorbel\\StopKey", stop_key_);
    write_setting_text(store, "SOFTWARE\\Zorbel\\Find", find_text_);
    write_setting_number(store, "SOFTWARE\\Zorbel\\RunAtLeastOnce",
                         setting_number(store, "SOFTWARE\\Zorbel\\RunAtLeastOnce") + 1);
    PostQuitMessage(0);
}

}  // namespace zorbel
