#include "tests/win/editor/editor_driver.h"

#include <thread>

#include "core/action_catalogue.h"
#include "core/text_rules.h"

namespace zorbel {
namespace wintest {

namespace {

constexpr size_t kRemoteSize = 4096;

std::string window_text(HWND window) {
    char text[2048] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

struct DialogSearch {
    HWND found = nullptr;
    HWND skip = nullptr;
};

BOOL CALLBACK find_dialog(HWND window, LPARAM lparam) {
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(window) &&
        window != reinterpret_cast<DialogSearch*>(lparam)->skip) {
        reinterpret_cast<DialogSearch*>(lparam)->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK collect_text(HWND window, LPARAM lparam) {
    auto* text = reinterpret_cast<std::string*>(lparam);
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Static") == 0) *text += window_text(window) + "\n";
    return TRUE;
}

}  // namespace

void quiet_editor_settings() {
    set_setting_number("ShowSamples", 0);
    set_setting_number("AutoReload", 0);
    set_setting_number("PromptSave", 1);
    set_setting_number("OnTop", 0);
    set_setting_number("RunAtLeastOnce", 1);  // no file association at a "first" start
    // Every palette and the status bar shown, palettes in their original places.
    for (const char* name : {"Toolbar", "Actions", "Properties", "Output", "Variables", "Statusbar"}) {
        HKEY h;
        const std::string key = std::string("SOFTWARE\\Zorbel\\Palettes\\") + name;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) !=
            ERROR_SUCCESS)
            continue;
        const DWORD shown = 1;
        RegSetValueExA(h, "visible", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&shown), sizeof(shown));
        RegCloseKey(h);
    }
    // The original places, except that Properties and Variables are docked (right and
    // bottom) rather than floating over the grid: a click sent to a control of a frame
    // that is not active does not always take under Wine.
    original_palette_places();
    auto dock = [](const char* name, DWORD side, DWORD size) {
        HKEY h;
        const std::string key = std::string("SOFTWARE\\Zorbel\\Palettes\\") + name;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) !=
            ERROR_SUCCESS)
            return;
        const DWORD one = 1;
        RegSetValueExA(h, "bDocked", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one));
        RegSetValueExA(h, "iDockedSide", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&side), sizeof(side));
        RegSetValueExA(h, "iDockedSize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&size), sizeof(size));
        RegCloseKey(h);
    };
    dock("Properties", 4, 300);
    dock("Variables", 8, 150);
}

void original_palette_places() {
    for (const char* name : {"Toolbar", "Actions", "Properties", "Output", "Variables"}) {
        HKEY h;
        const std::string key = std::string("SOFTWARE\\Zorbel\\Palettes\\") + name;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS) continue;
        for (const char* place : {"bDocked", "iDockedSize", "iDockedSide", "rectFloat.left", "rectFloat.top",
                                  "rectFloat.right", "rectFloat.bottom"})
            RegDeleteValueA(h, place);
        RegCloseKey(h);
    }
}

std::string setting_of(const char* name) {
    // A name with folders ("Palettes\\Output\\visible") is a value of a subkey.
    std::string key = "SOFTWARE\\Zorbel", value = name;
    const size_t slash = value.find_last_of('\\');
    if (slash != std::string::npos) key += "\\" + value.substr(0, slash), value.erase(0, slash + 1);
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "";
    char buffer[1024] = {};
    DWORD size = sizeof(buffer) - 1, type = 0;
    const LONG status = RegQueryValueExA(h, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(h);
    if (status != ERROR_SUCCESS) return "";
    if (type == REG_DWORD) return std::to_string(*reinterpret_cast<const int32_t*>(buffer));
    return buffer;
}

bool write_script(const ScriptState& script, const std::string& path) {
    return write_file(path, script_to_text(script));
}

Step test_step(const char* action, const std::string& text, const std::string& comment) {
    Step step;
    copy_to_field(step.action, action);
    if (const CatalogueEntry* entry = find_action(action)) {
        step.family = entry->family;
        step.icon = entry->icon;
    }
    step.text = text;
    step.comment = comment;
    return step;
}

// Ends the program that owns `window`, by its id; true once it has ended.
static bool end_program_of(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE owner = pid ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid) : nullptr;
    if (!owner) return false;
    TerminateProcess(owner, 99);
    const bool ended = WaitForSingleObject(owner, kDeadlineMs) == WAIT_OBJECT_0;
    CloseHandle(owner);
    return ended;
}

EditorDriver::EditorDriver(bool fresh_settings) {
    if (fresh_settings) quiet_editor_settings();
}

EditorDriver::~EditorDriver() {
    if (buffer_ && process_.handle()) VirtualFreeEx(process_.handle(), buffer_, 0, MEM_RELEASE);
    // Whatever is left open (a box, the editor) ends with the process.
    process_.end();
    // In a fresh Wine prefix the editor's window has been seen to outlive the process
    // handle's end; end the program that owns the window by its id as well.
    if (frame_ && IsWindow(frame_)) end_program_of(frame_);
    EXPECT_TRUE(unexpected.empty()) << "unexpected box: " << (unexpected.empty() ? "" : unexpected.front());
    EXPECT_TRUE(expected_.empty()) << "expected box never shown: " << (expected_.empty() ? "" : expected_.front().text);
}

// Ends an editor an earlier test left running (seen in a fresh Wine prefix: its window
// outlived the end of its process handle), by the id of its window's program, so no
// test starts with a second editor on the desktop.
static void end_leftover_editors() {
    HWND w = nullptr;
    for (int tries = 0; tries < 5 && (w = FindWindowA("Zorbel", nullptr)) != nullptr; ++tries) {
        if (!end_program_of(w)) return;
        pump_for(50);
    }
}

::testing::AssertionResult EditorDriver::start(const std::string& arguments) {
    end_leftover_editors();
    auto started = process_.start("\"" + built_program("zorbel.exe") + "\" " + arguments);
    if (!started) return started;
    auto found = wait_until(
        [&] {
            answer_boxes();
            frame_ = process_.window_of_class("Zorbel");
            return frame_ != nullptr;
        },
        20000);
    if (!found) return ::testing::AssertionFailure() << "no editor window: " << found.message();
    thread_ = GetWindowThreadProcessId(frame_, nullptr);
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(frame_, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &ignored))
        return ::testing::AssertionFailure() << "the editor does not answer";
    return ::testing::AssertionSuccess();
}

// Answers the editor's visible dialog, if any; true when one was answered.
bool EditorDriver::answer_boxes() {
    if (!thread_ && process_.pid()) {
        // Before the main window exists, boxes belong to the first thread; look them up by process.
        for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w; w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
            DWORD pid = 0;
            const DWORD tid = GetWindowThreadProcessId(w, &pid);
            if (pid == process_.pid() && IsWindowVisible(w)) {
                thread_ = tid;
                break;
            }
        }
        if (!thread_) return false;
    }
    DialogSearch search;
    search.skip = held_;
    EnumThreadWindows(thread_, find_dialog, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return false;
    HWND dialog = search.found;
    std::string text;
    EnumChildWindows(dialog, collect_text, reinterpret_cast<LPARAM>(&text));
    const std::string title = window_text(dialog);
    int answer = IDCANCEL;
    bool matched = false;
    if (!expected_.empty()) {
        const ExpectedBox& next = expected_.front();
        if (text.find(next.text) != std::string::npos || title == next.text) {
            matched = true;
            answer = next.answer;
            if (!next.file.empty()) {
                HWND name = GetDlgItem(dialog, 0x47C);
                if (!name) name = GetDlgItem(dialog, 0x480);
                SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(next.file.c_str()));
            }
            if (next.on_shown) next.on_shown(dialog);
            expected_.pop_front();
        }
    }
    if (!matched) {
        unexpected.push_back(title + ": " + text);
        // A box with only OK answers IDOK to IDCANCEL as well.
    }
    PostMessageA(dialog, WM_COMMAND, answer, 0);
    wait_until([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, kDeadlineMs);
    return true;
}

::testing::AssertionResult EditorDriver::command(int id) {
    HWND frame = frame_;
    volatile bool done = false;
    std::thread sender([&] {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(frame, WM_COMMAND, id, 0, SMTO_NORMAL, 30000, &ignored);
        done = true;
    });
    auto finished = wait_until(
        [&] {
            answer_boxes();
            return done;
        },
        30000);
    sender.join();
    if (!finished) return ::testing::AssertionFailure() << "command " << id << " did not finish";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult EditorDriver::key(WORD vk, std::vector<WORD> modifiers) {
    SetForegroundWindow(frame_);
    wait_until([&] { return GetForegroundWindow() == frame_; }, 3000);
    std::vector<INPUT> inputs;
    auto add = [&](WORD k, bool up) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = k;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        if (k == VK_UP || k == VK_DOWN || k == VK_LEFT || k == VK_RIGHT || k == VK_DELETE || k == VK_INSERT)
            in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        inputs.push_back(in);
    };
    for (WORD m : modifiers) add(m, false);
    add(vk, false);
    add(vk, true);
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) add(*m, true);
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size())
        return ::testing::AssertionFailure() << "SendInput failed";
    // The keys are handled once the editor's queue has drained them.
    pump_for(150);
    WaitForInputIdle(process_.handle(), 2000);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(frame_, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &ignored);
    answer_boxes();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult EditorDriver::boxes_done(DWORD deadline_ms) {
    return wait_until(
        [&] {
            answer_boxes();
            return expected_.empty();
        },
        deadline_ms);
}

::testing::AssertionResult EditorDriver::close(DWORD* exit_code) {
    PostMessageA(frame_, WM_CLOSE, 0, 0);
    auto ended = wait_until(
        [&] {
            answer_boxes();
            return !process_.running();
        },
        20000);
    if (!ended) return ended;
    DWORD code = 0;
    process_.wait_exit(&code);
    if (exit_code) *exit_code = code;
    return ::testing::AssertionSuccess();
}

std::string EditorDriver::title() const { return window_text(frame_); }

std::string EditorDriver::text_of(int id) const { return window_text(child(id)); }

namespace {

struct FrameSearch {
    std::string name;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_frames(HWND window, LPARAM lparam) {
    auto* search = reinterpret_cast<FrameSearch*>(lparam);
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof(cls));
    if (lstrcmpA(cls, "QuenbyDock") == 0 && (search->name.empty() || window_text(window) == search->name))
        search->found.push_back(window);
    return TRUE;
}

}  // namespace

HWND EditorDriver::child(int id) const {
    // Controls sit in the main window, in a docked palette frame or in a floating one.
    HWND direct = GetDlgItem(frame_, id);
    if (direct) return direct;
    for (HWND w = GetWindow(frame_, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (HWND inner = GetDlgItem(w, id)) return inner;
    FrameSearch search;
    EnumThreadWindows(thread_, collect_frames, reinterpret_cast<LPARAM>(&search));
    for (HWND frame : search.found)
        if (HWND inner = GetDlgItem(frame, id)) return inner;
    return nullptr;
}

HWND EditorDriver::palette_frame(const std::string& name) const {
    FrameSearch search;
    search.name = name;
    EnumChildWindows(frame_, collect_frames, reinterpret_cast<LPARAM>(&search));
    EnumThreadWindows(thread_, collect_frames, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

RECT EditorDriver::client_rect_of(HWND window) const {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, frame_, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

::testing::AssertionResult EditorDriver::caption_double_click(HWND frame) {
    RECT r;
    GetWindowRect(frame, &r);
    const LPARAM at = MAKELPARAM(r.left + 20, r.top + 8);
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(frame, WM_NCLBUTTONDBLCLK, HTCAPTION, at, SMTO_NORMAL, kDeadlineMs, &ignored))
        return ::testing::AssertionFailure() << "the frame does not answer";
    SendMessageTimeoutA(frame_, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &ignored);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult EditorDriver::drag(POINT from, POINT to, bool control, std::function<void()> while_held) {
    SetForegroundWindow(frame_);
    auto send_key = [](WORD vk, bool up) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &in, sizeof(in));
    };
    // Absolute moves as a real mouse makes them; the pointer is there once the system says so.
    const int screen_w = GetSystemMetrics(SM_CXSCREEN), screen_h = GetSystemMetrics(SM_CYSCREEN);
    // Presses and releases carry their position: the X server may still report an older one.
    auto send_mouse = [&](DWORD flags, POINT at) {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = (at.x * 65535 + screen_w / 2) / (screen_w - 1);
        in.mi.dy = (at.y * 65535 + screen_h / 2) / (screen_h - 1);
        in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &in, sizeof(in));
    };
    auto move_to = [&](int x, int y) {
        auto send_move = [&] {
            INPUT in = {};
            in.type = INPUT_MOUSE;
            in.mi.dx = (x * 65535 + screen_w / 2) / (screen_w - 1);
            in.mi.dy = (y * 65535 + screen_h / 2) / (screen_h - 1);
            in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            SendInput(1, &in, sizeof(in));
        };
        send_move();
        return wait_until([&] {
            POINT p;
            GetCursorPos(&p);
            if (p.x != x || p.y != y) send_move();
            return p.x == x && p.y == y;
        }, 3000);
    };
    wait_until([&] { return GetForegroundWindow() == frame_; }, 3000);
    if (!move_to(from.x, from.y)) return ::testing::AssertionFailure() << "the pointer did not reach the start";
    pump_for(300);
    DWORD_PTR idle = 0;
    SendMessageTimeoutA(frame_, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &idle);
    send_mouse(MOUSEEVENTF_LEFTDOWN, from);
    pump_for(150);
    // Pressed once the drag has begun: Wine takes the modifier states from the X server
    // when the activation changes, which would undo an earlier synthetic Ctrl.
    if (control) send_key(VK_CONTROL, false);
    const int steps = 8;
    bool moved = true;
    for (int i = 1; i <= steps && moved; ++i) {
        moved = static_cast<bool>(move_to(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps));
        pump_for(60);
    }
    pump_for(200);
    if (while_held) while_held();
    send_mouse(MOUSEEVENTF_LEFTUP, to);
    if (control) send_key(VK_CONTROL, true);
    pump_for(300);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(frame_, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &ignored);
    if (!moved) return ::testing::AssertionFailure() << "the pointer did not follow the drag";
    return ::testing::AssertionSuccess();
}

bool EditorDriver::select_action(const std::string& name) {
    HWND tree = child(res::kActionsTree);
    char* base = static_cast<char*>(remote(sizeof(TVITEMA) + 128));
    for (auto category = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0); category;
         category = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, category)) {
        for (auto item = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, category); item;
             item = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, item)) {
            TVITEMA data = {};
            data.mask = TVIF_TEXT;
            data.hItem = reinterpret_cast<HTREEITEM>(item);
            data.pszText = base + sizeof(TVITEMA);
            data.cchTextMax = 128;
            WriteProcessMemory(process_.handle(), base, &data, sizeof(data), nullptr);
            SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(base));
            char text[128] = {};
            ReadProcessMemory(process_.handle(), base + sizeof(TVITEMA), text, sizeof(text) - 1, nullptr);
            if (name == text) {
                SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, category);
                SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, item);
                SendMessageA(tree, TVM_ENSUREVISIBLE, 0, item);
                return true;
            }
        }
    }
    return false;
}

void EditorDriver::double_click_action() {
    HWND tree = child(res::kActionsTree);
    const auto item = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    RECT* base = static_cast<RECT*>(remote(sizeof(RECT)));
    RECT rect = {};
    *reinterpret_cast<LPARAM*>(&rect) = item;
    WriteProcessMemory(process_.handle(), base, &rect, sizeof(rect), nullptr);
    SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(base));
    ReadProcessMemory(process_.handle(), base, &rect, sizeof(rect), nullptr);
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    // Posted: a pressed button makes the tree wait for the mouse in a loop of its own.
    PostMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(tree, WM_LBUTTONUP, 0, at);
}

HWND EditorDriver::pane_control(int id) const {
    HWND host = child(res::kPaneHost);
    for (HWND page = GetWindow(host, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT))
        if (IsWindowVisible(page)) return GetDlgItem(page, id);
    return nullptr;
}

void* EditorDriver::remote(size_t size) {
    if (!buffer_) buffer_ = VirtualAllocEx(process_.handle(), nullptr, kRemoteSize, MEM_COMMIT, PAGE_READWRITE);
    return size <= kRemoteSize ? buffer_ : nullptr;
}

int EditorDriver::row_count() const {
    return static_cast<int>(SendMessageA(child(res::kGrid), LVM_GETITEMCOUNT, 0, 0));
}

std::string EditorDriver::cell(int row, int column) { return list_cell(res::kGrid, row, column); }

std::string EditorDriver::list_cell(int list_id, int row, int column) {
    char* base = static_cast<char*>(remote(sizeof(LVITEMA) + 512));
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = base + sizeof(LVITEMA);
    item.cchTextMax = 512;
    WriteProcessMemory(process_.handle(), base, &item, sizeof(item), nullptr);
    SendMessageA(child(list_id), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(base));
    char text[512] = {};
    ReadProcessMemory(process_.handle(), base + sizeof(LVITEMA), text, sizeof(text) - 1, nullptr);
    return text;
}

int EditorDriver::row_image(int row) {
    void* base = remote(sizeof(LVITEMA));
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    WriteProcessMemory(process_.handle(), base, &item, sizeof(item), nullptr);
    SendMessageA(child(res::kGrid), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(base));
    ReadProcessMemory(process_.handle(), base, &item, sizeof(item), nullptr);
    return item.iImage;
}

std::vector<int> EditorDriver::selected_rows() const {
    std::vector<int> rows;
    HWND grid = child(res::kGrid);
    int index = -1;
    while ((index = static_cast<int>(SendMessageA(grid, LVM_GETNEXTITEM, index, LVNI_SELECTED))) >= 0)
        rows.push_back(index);
    return rows;
}

void EditorDriver::select_rows(const std::vector<int>& rows) {
    HWND grid = child(res::kGrid);
    void* base = remote(sizeof(LVITEMA));
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    WriteProcessMemory(process_.handle(), base, &item, sizeof(item), nullptr);
    SendMessageA(grid, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(base));
    for (size_t i = 0; i < rows.size(); ++i) {
        item.state = LVIS_SELECTED | (i == 0 ? LVIS_FOCUSED : 0);
        WriteProcessMemory(process_.handle(), base, &item, sizeof(item), nullptr);
        SendMessageA(grid, LVM_SETITEMSTATE, rows[i], reinterpret_cast<LPARAM>(base));
    }
}

RECT EditorDriver::row_rect(int row) {
    HWND grid = child(res::kGrid);
    void* base = remote(sizeof(RECT));
    RECT r = {};
    r.left = LVIR_BOUNDS;
    WriteProcessMemory(process_.handle(), base, &r, sizeof(r), nullptr);
    SendMessageA(grid, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(base));
    ReadProcessMemory(process_.handle(), base, &r, sizeof(r), nullptr);
    RECT client;
    GetClientRect(grid, &client);
    if (r.right > client.right) r.right = client.right;
    MapWindowPoints(grid, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string EditorDriver::status_part(int part) {
    char* base = static_cast<char*>(remote(512));
    SendMessageA(child(res::kStatusBar), SB_GETTEXTA, part, reinterpret_cast<LPARAM>(base));
    char text[512] = {};
    ReadProcessMemory(process_.handle(), base, text, sizeof(text) - 1, nullptr);
    return text;
}

bool EditorDriver::button_enabled(int command) const {
    return SendMessageA(child(res::kToolbar), TB_ISBUTTONENABLED, command, 0) != 0;
}

HWND EditorDriver::open_options() {
    PostMessageA(frame_, WM_COMMAND, cmd::kOptions, 0);
    HWND sheet = nullptr;
    wait_until([&] {
        for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", "Zorbel Options"); w;
             w = FindWindowExA(nullptr, w, "#32770", "Zorbel Options"))
            if (GetWindowThreadProcessId(w, nullptr) == thread_ && IsWindowVisible(w)) sheet = w;
        return sheet != nullptr;
    });
    held_ = sheet;
    return sheet;
}

HWND EditorDriver::current_options_page() const {
    return reinterpret_cast<HWND>(SendMessageA(held_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

HWND EditorDriver::options_page(int index) {
    SendMessageA(held_, PSM_SETCURSEL, index, 0);
    return current_options_page();
}

::testing::AssertionResult EditorDriver::close_options(int button) {
    HWND sheet = held_;
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
    auto gone = wait_until(
        [&] {
            answer_boxes();
            return !IsWindow(sheet) || !IsWindowVisible(sheet);
        },
        20000);
    held_ = nullptr;
    // The command that opened the sheet has returned once the editor answers again.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(frame_, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &ignored);
    answer_boxes();
    return gone;
}

bool EditorDriver::button_checked(int command) const {
    return SendMessageA(child(res::kToolbar), TB_ISBUTTONCHECKED, command, 0) != 0;
}

}  // namespace wintest
}  // namespace zorbel
