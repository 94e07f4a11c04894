// The palettes in dockable frames ("QuenbyDock"): each frame floats as a tool window
// owned by the main window or is docked as a child along one edge of the main
// window's client area, where the step grid takes what the docked frames leave.
// Frames dock when dragged near an edge (not while Ctrl is held), float again on a
// caption double-click, are resized by their inner edge, and write their places to
// the settings when they are destroyed.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "editor/model/docking.h"
#include "editor/model/interface_style.h"
#include "editor/model/palette_places.h"
#include "editor/palette_host.h"
#include "engine/settings_store.h"

namespace zorbel {

enum PaletteFlags : unsigned {
    kPaletteCloseHides = 1,  // the close button sends the toggle command
    kPaletteFixed = 2,       // never docks or floats by a double-click
    kPaletteNoFocus = 4,     // the content does not take the focus after docking
    kPaletteGrip = 8,        // docked at the top or bottom, a grip at the left replaces the caption
};

class DockingHost : public PaletteHost {
public:
    DockingHost(HWND main_window, HINSTANCE instance, SettingsStore& store, InterfaceStyle style);
    ~DockingHost() override;

    bool create(Palette palette, HWND content) override;
    void show(Palette palette, bool visible) override;
    // The palette's own shown flag: floating frames are hidden while the main
    // window is minimised, and still count as shown.
    bool visible(Palette palette) const override;
    bool toggle(Palette palette) override;
    HWND content(Palette palette) const override;
    void layout() override;

    // Keeps the shown floating frames above the main window (when it is activated).
    void raise_floating();
    // Docks a floating palette or floats a docked one.
    void dock_toggle(Palette palette);
    // The places of Reset User Interface with the main window at `main`; every palette shown.
    void reset(const Box& main);
    HWND frame(Palette palette) const;
    InterfaceStyle style() const { return style_; }

    HWND grid = nullptr, status_bar = nullptr;

    // What the frames' window procedure works with.
    struct Entry {
        Palette id;
        std::string name;
        HWND frame = nullptr, content = nullptr;
        int command = 0;
        unsigned flags = 0;
        PalettePlace place;
        bool shown = false;
        // A drag of the floating frame in progress.
        bool dragging = false, hint_shown = false, hidden_for_drag = false;
        int drag_side = kDockNone;
    };
    Entry* entry_of(HWND frame);
    void dock_toggle(Entry& entry);
    void drag_moved(Entry& entry);
    void drag_ended(Entry& entry);
    void docked_resized(Entry& entry);
    void caption_menu(Entry& entry, POINT screen);
    void frame_destroyed(Entry& entry);
    HWND main_window() const { return main_; }

private:
    Entry* find(Palette palette);
    const Entry* find(Palette palette) const;
    void apply_place(Entry& entry);
    void set_status(const char* text);
    Box client_in_screen() const;
    int status_height() const;
    void show_outline(const Box& screen);
    void hide_outline();
    void hide_for_drag(Entry& entry, bool hidden);

    HWND main_;
    HINSTANCE instance_;
    SettingsStore& store_;
    InterfaceStyle style_;
    std::vector<Entry> entries_;  // in creation order
    HWND outline_ = nullptr;
};

// Posted to a floating frame: it goes above the main window once the activation is done.
constexpr UINT kRaiseFrameMessage = WM_APP + 40;
// Posted by a frame to itself when a move or size loop ends: without full-window
// dragging the system applies the new rectangle only after WM_EXITSIZEMOVE.
constexpr UINT kSizeMoveDoneMessage = WM_APP + 41;
// The frame window class "QuenbyDock" (dock_frame_win.cpp).
bool register_dock_frame_class(HINSTANCE instance);
// The height of a docked frame's caption strip, and the width of a toolbar's grip.
constexpr int kDockCaptionHeight = 18;
constexpr int kDockGripWidth = 10;
// The content's rectangle inside a frame's client area.
RECT dock_content_rect(HWND frame, const DockingHost::Entry& entry);

}  // namespace zorbel
