// The palettes in a fixed layout: the step grid fills the main window's client area
// left of the Actions and Properties palettes and above the Output and Variables
// palettes. Also the Output palette's log box and the Variables palette's list.
#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "editor/palette_host.h"
#include "engine/run_log.h"
#include "engine/variables.h"

namespace zorbel {

class FixedPaletteHost : public PaletteHost {
public:
    FixedPaletteHost(HWND main_window, HINSTANCE instance) : main_(main_window), instance_(instance) {}
    bool create(Palette palette, HWND content) override;
    void show(Palette palette, bool visible) override;
    bool visible(Palette palette) const override;
    bool toggle(Palette palette) override;
    HWND content(Palette palette) const override { return content_[static_cast<size_t>(palette)]; }
    void layout() override;

    // The windows the layout places beside the palettes.
    HWND grid = nullptr, toolbar = nullptr, status_bar = nullptr;

private:
    HWND frame(Palette palette) const { return frames_[static_cast<size_t>(palette)]; }
    HWND main_;
    HINSTANCE instance_;
    std::array<HWND, static_cast<size_t>(Palette::kCount)> frames_{};
    std::array<HWND, static_cast<size_t>(Palette::kCount)> content_{};
};

// The Output palette: a multi-line edit box the run log is appended to.
class OutputPalette : public LogOutput {
public:
    HWND create(HWND parent, HFONT font);
    bool visible() override;
    void append(std::string_view text) override;
    HWND window = nullptr;
};

// The Variables palette: a two-column list of the user variables.
class VariablesListPalette : public VariablesPalette {
public:
    HWND create(HWND parent, HFONT font, int width1, int width2);
    bool shown() override;
    void set_row(const VariableRow& row) override;
    void remove_row(std::string_view name) override;
    void clear() override;
    // Walks the values under UserVariables (timer 1000), dropping `prefix` from names.
    void refresh(SettingsStore& store, const std::string& prefix);
    int column_width(int column) const;
    HWND window = nullptr;

private:
    int find(std::string_view name) const;
};

}  // namespace zorbel
