// The palettes the main window hosts (Actions, Properties, Output, Variables, and the
// Toolbar palette); DockingHost (docking_host_win.h) is the one host.
#pragma once
#include <windows.h>

namespace zorbel {

enum class Palette { kActions = 0, kProperties, kOutput, kVariables, kToolbar, kCount };

// The palette's name as used in settings ("Palettes\%s\visible").
const char* palette_name(Palette palette);
// The View command that toggles the palette.
int palette_command(Palette palette);

class PaletteHost {
public:
    virtual ~PaletteHost() = default;
    // Creates the palette's frame; `content` is made a child of it and fills it.
    virtual bool create(Palette palette, HWND content) = 0;
    virtual void show(Palette palette, bool visible) = 0;
    virtual bool visible(Palette palette) const = 0;
    // Shows a hidden palette and hides a shown one; returns the new visibility.
    virtual bool toggle(Palette palette) = 0;
    // The window the palette's content lives in (null before create).
    virtual HWND content(Palette palette) const = 0;
    // Lays the palettes and the grid out again in the main window's client area.
    virtual void layout() = 0;
};

}  // namespace zorbel
