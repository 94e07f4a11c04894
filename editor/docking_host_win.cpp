#include "editor/docking_host_win.h"

#include <commctrl.h>

#include "editor/command_ids.h"

namespace zorbel {

namespace {

constexpr DWORD kDockedStyle = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_THICKFRAME;
constexpr DWORD kFloatingStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr int kOutlineWidth = 4;
constexpr const char* kDragHint = "Hold down the CONTROL key to prevent docking";

unsigned flags_of(Palette palette) {
    unsigned flags = kPaletteCloseHides;
    if (palette == Palette::kToolbar) flags |= kPaletteGrip | kPaletteNoFocus;
    return flags;
}

Box box_of(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

DockingHost::DockingHost(HWND main_window, HINSTANCE instance, SettingsStore& store, InterfaceStyle style)
    : main_(main_window), instance_(instance), store_(store), style_(style) {
    register_dock_frame_class(instance);
    entries_.reserve(16);  // the frames keep pointers to their entries
}

DockingHost::~DockingHost() {
    if (outline_ && IsWindow(outline_)) DestroyWindow(outline_);
}

DockingHost::Entry* DockingHost::find(Palette palette) {
    for (Entry& e : entries_)
        if (e.id == palette) return &e;
    return nullptr;
}

const DockingHost::Entry* DockingHost::find(Palette palette) const {
    for (const Entry& e : entries_)
        if (e.id == palette) return &e;
    return nullptr;
}

DockingHost::Entry* DockingHost::entry_of(HWND frame) {
    for (Entry& e : entries_)
        if (e.frame == frame) return &e;
    return nullptr;
}

HWND DockingHost::frame(Palette palette) const {
    const Entry* e = find(palette);
    return e ? e->frame : nullptr;
}

HWND DockingHost::content(Palette palette) const {
    const Entry* e = find(palette);
    return e ? e->content : nullptr;
}

bool DockingHost::create(Palette palette, HWND content) {
    if (find(palette) || entries_.size() >= 16) return false;
    Entry entry;
    entry.id = palette;
    entry.name = palette_name(palette);
    entry.content = content;
    entry.command = palette_command(palette);
    entry.flags = flags_of(palette);
    RECT main_rect;
    GetWindowRect(main_, &main_rect);
    entry.place = read_palette_place(store_, entry.name, static_cast<int>(entries_.size()),
                                     GetSystemMetrics(SM_CYSMCAPTION), box_of(main_rect));
    // Created floating at its floating rectangle, hidden until shown.
    const PalettePlace& p = entry.place;
    entry.frame = CreateWindowExA(WS_EX_TOOLWINDOW, "QuenbyDock", entry.name.c_str(), kFloatingStyle, p.left, p.top,
                                  p.width, p.height, main_, nullptr, instance_, this);
    if (!entry.frame) return false;
    entries_.push_back(entry);
    Entry& stored = entries_.back();
    if (content) SetParent(content, stored.frame);
    SendMessageA(stored.frame, WM_SIZE, 0, 0);  // the content fills the frame
    if (stored.place.docked) {
        stored.place.docked = false;
        dock_toggle(stored);
    }
    return true;
}

void DockingHost::show(Palette palette, bool visible) {
    Entry* e = find(palette);
    if (!e) return;
    e->shown = visible;
    ShowWindow(e->frame, visible ? (e->place.docked ? SW_SHOW : SW_SHOWNA) : SW_HIDE);
    if (e->command) CheckMenuItem(GetMenu(main_), e->command, MF_BYCOMMAND | (visible ? MF_CHECKED : MF_UNCHECKED));
    if (e->place.docked) layout();
}

bool DockingHost::visible(Palette palette) const {
    const Entry* e = find(palette);
    return e && e->shown;
}

bool DockingHost::toggle(Palette palette) {
    const bool now = !visible(palette);
    show(palette, now);
    return now;
}

int DockingHost::status_height() const {
    if (!status_bar || !IsWindowVisible(status_bar)) return 0;
    RECT r;
    GetWindowRect(status_bar, &r);
    return r.bottom - r.top;
}

void DockingHost::layout() {
    RECT client;
    GetClientRect(main_, &client);
    if (status_bar && IsWindowVisible(status_bar)) SendMessageA(status_bar, WM_SIZE, 0, 0);
    const Box area{0, 0, client.right, client.bottom - status_height()};
    std::vector<DockRequest> requests;
    std::vector<Entry*> placed;
    for (Entry& e : entries_) {
        if (!e.place.docked || !e.shown) continue;
        requests.push_back({e.place.side, e.place.size});
        placed.push_back(&e);
    }
    const DockLayout layout = lay_out_docked(area, requests);
    for (size_t i = 0; i < placed.size(); ++i) {
        const Box& b = layout.frames[i];
        SetWindowPos(placed[i]->frame, nullptr, b.left, b.top, b.width(), b.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (grid) MoveWindow(grid, layout.grid.left, layout.grid.top, layout.grid.width(), layout.grid.height(), TRUE);
    RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void DockingHost::raise_floating() {
    for (Entry& e : entries_)
        if (!e.place.docked && e.shown) PostMessageA(e.frame, kRaiseFrameMessage, 0, 0);
}

void DockingHost::dock_toggle(Palette palette) {
    if (Entry* e = find(palette)) dock_toggle(*e);
}

// Swaps the frame between a docked child and a floating tool window; the main window
// stays its owner.
void DockingHost::dock_toggle(Entry& e) {
    ShowWindow(e.frame, SW_HIDE);
    e.place.docked = !e.place.docked;
    apply_place(e);
    if (e.shown) {
        if (!(e.flags & kPaletteNoFocus) && e.content) SetFocus(e.content);
        ShowWindow(e.frame, e.place.docked ? SW_SHOW : SW_SHOWNA);
    }
}

void DockingHost::apply_place(Entry& e) {
    if (e.place.docked) {
        e.place.side = docked_side(e.place.side);
        SetWindowLongA(e.frame, GWL_EXSTYLE, 0);
        SetWindowLongA(e.frame, GWL_STYLE, kDockedStyle);
        SetParent(e.frame, main_);
        layout();
    } else {
        SetWindowLongA(e.frame, GWL_STYLE, kFloatingStyle);
        SetWindowLongA(e.frame, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
        SetParent(e.frame, nullptr);
        SetWindowLongPtrA(e.frame, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(main_));
        const PalettePlace& p = e.place;
        SetWindowPos(e.frame, HWND_TOP, p.left, p.top, p.width, p.height, SWP_NOACTIVATE | SWP_FRAMECHANGED);
        layout();
    }
    SendMessageA(e.frame, WM_SIZE, 0, 0);
}

void DockingHost::reset(const Box& main) {
    for (Entry& e : entries_) {
        ShowWindow(e.frame, SW_HIDE);
        e.place = reset_place(e.name, main);
        e.shown = true;
        apply_place(e);
        if (e.command) CheckMenuItem(GetMenu(main_), e.command, MF_BYCOMMAND | MF_CHECKED);
    }
    layout();
    for (Entry& e : entries_) ShowWindow(e.frame, e.place.docked ? SW_SHOW : SW_SHOWNA);
}

Box DockingHost::client_in_screen() const {
    RECT client;
    GetClientRect(main_, &client);
    MapWindowPoints(main_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return box_of(client);
}

void DockingHost::set_status(const char* text) {
    if (status_bar) SendMessageA(status_bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

// The floating frame moved during a drag: an outline shows where it would dock.
void DockingHost::drag_moved(Entry& e) {
    e.dragging = true;
    SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
    if (!e.hint_shown) {
        e.hint_shown = true;
        set_status(kDragHint);
    }
    POINT cursor;
    GetCursorPos(&cursor);
    const bool control = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0 || GetKeyState(VK_CONTROL) < 0;
    const Box client = client_in_screen();
    e.drag_side = docking_side(client, status_height(), cursor.x, cursor.y, control);
    if (e.drag_side != kDockNone) {
        Box area = client;
        area.bottom -= status_height();
        show_outline(docking_outline(area, e.drag_side, e.place.size));
        hide_for_drag(e, true);
    } else {
        hide_outline();
        hide_for_drag(e, false);
    }
}

// Hiding the window itself would end the system's move loop: an empty window region
// takes it out of sight instead.
void DockingHost::hide_for_drag(Entry& e, bool hidden) {
    if (hidden == e.hidden_for_drag) return;
    e.hidden_for_drag = hidden;
    SetWindowRgn(e.frame, hidden ? CreateRectRgn(0, 0, 0, 0) : nullptr, TRUE);
}

void DockingHost::drag_ended(Entry& e) {
    const int side = e.drag_side;
    const bool dragged = e.dragging;
    e.dragging = e.hint_shown = false;
    e.drag_side = kDockNone;
    if (dragged) {
        hide_outline();
        set_status("");
    }
    hide_for_drag(e, false);
    if (side != kDockNone) {
        e.place.side = side;
        e.place.docked = false;
        dock_toggle(e);
        return;
    }
    if (!IsWindowVisible(e.frame) && e.shown) ShowWindow(e.frame, SW_SHOWNA);
    // A move or a resize without docking: the new floating rectangle.
    RECT r;
    GetWindowRect(e.frame, &r);
    e.place.left = r.left, e.place.top = r.top;
    e.place.width = r.right - r.left, e.place.height = r.bottom - r.top;
}

void DockingHost::docked_resized(Entry& e) {
    RECT r;
    GetWindowRect(e.frame, &r);
    e.place.size = docked_size_of(e.place.side, box_of(r));
    layout();
}

void DockingHost::caption_menu(Entry& e, POINT screen) {
    HMENU menu = CreatePopupMenu();
    for (const Entry& other : entries_) {
        std::string text = other.name;
        switch (other.id) {
            case Palette::kActions: text += "\tAlt+1"; break;
            case Palette::kProperties: text += "\tAlt+2"; break;
            case Palette::kOutput: text += "\tAlt+3"; break;
            case Palette::kVariables: text += "\tAlt+4"; break;
            default: break;
        }
        AppendMenuA(menu, MF_STRING | (other.shown ? MF_CHECKED : MF_UNCHECKED), other.command, text.c_str());
    }
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0,
                                      e.frame, nullptr);
    DestroyMenu(menu);
    if (chosen) SendMessageA(main_, WM_COMMAND, chosen, 0);
}

void DockingHost::frame_destroyed(Entry& e) {
    write_palette_place(store_, e.name, e.place);
    e.frame = nullptr;
}

void DockingHost::show_outline(const Box& b) {
    if (!outline_) {
        outline_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "QuenbyDock", "", WS_POPUP,
                                   0, 0, 0, 0, main_, nullptr, instance_, nullptr);
        if (!outline_) return;
    }
    // A frame four pixels wide: the inside lets what is under it show.
    HRGN outer = CreateRectRgn(0, 0, b.width(), b.height());
    HRGN inner = CreateRectRgn(kOutlineWidth, kOutlineWidth, b.width() - kOutlineWidth, b.height() - kOutlineWidth);
    CombineRgn(outer, outer, inner, RGN_DIFF);
    DeleteObject(inner);
    SetWindowRgn(outline_, outer, FALSE);
    SetWindowPos(outline_, HWND_TOPMOST, b.left, b.top, b.width(), b.height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RedrawWindow(outline_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void DockingHost::hide_outline() {
    if (outline_) ShowWindow(outline_, SW_HIDE);
}

}  // namespace zorbel
