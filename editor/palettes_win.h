// The palettes' names and commands, the Output palette's log box and the Variables
// palette's list.
#pragma once
#include <windows.h>

#include <string>

#include "editor/palette_host.h"
#include "engine/run_log.h"
#include "engine/variables.h"

namespace zorbel {

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
