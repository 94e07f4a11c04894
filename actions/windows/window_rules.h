// The desktop-free rules of the window search: criteria and mode values, the
// window specification split into its criterion texts, the per-window match test
// on facts already read from a window, the frame and mode tests, the control kinds
// and the lines of the window list file "windows.txt".
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zorbel {

// Criteria bits of a window step's `options`.
constexpr uint32_t kCriterionTitle = 1;
constexpr uint32_t kCriterionClass = 2;
constexpr uint32_t kCriterionId = 4;
constexpr uint32_t kCriterionUserData = 8;
constexpr uint32_t kCriterionBitmap = 16;
constexpr uint32_t kCriteriaMask = kCriterionTitle | kCriterionClass | kCriterionId | kCriterionUserData;
// Special criteria values, used instead of the bits.
constexpr uint32_t kCriteriaListWindows = 256;
constexpr uint32_t kCriteriaMinimizeAll = 512;
constexpr uint32_t kCriteriaCloseAll = 1024;

// Search modes.
constexpr uint32_t kModeAnyWindow = 0;
constexpr uint32_t kModeFramedVisible = 4096;
constexpr uint32_t kModeFramedVisibleTopLevel = 8192;

constexpr uint32_t kStyleDlgFrame = 0x400000;    // WS_DLGFRAME
constexpr uint32_t kStyleThickFrame = 0x40000;   // WS_THICKFRAME
constexpr uint32_t kStyleVisible = 0x10000000;   // WS_VISIBLE
constexpr uint32_t kStyleMinimized = 0x20000000; // WS_MINIMIZE

// The longest title the search reads and compares.
constexpr size_t kTitleLimit = 255;
constexpr size_t kClassLimit = 63;

// How many windows the last search matched (its `TopLevelMatches` and `ChildMatches`).
struct WindowMatchCounts {
    int32_t top_level = 0;
    int32_t child = 0;
};

// A window specification split into the texts of its criteria.
struct WindowCriteria {
    uint32_t criteria = 0;
    std::string title;      // "&" removed, at most 255 characters
    std::string class_name;
    std::string id;
    std::string user_data;
};

// Splits `specification` at "|" into the texts of the criteria set in `criteria`,
// in the order title, class, ID, user data; criteria that are not set take no field.
WindowCriteria split_window_specification(uint32_t criteria, std::string_view specification);

// What the search knows about one window.
struct WindowFacts {
    std::string title;       // as read, "&" not yet removed
    std::string class_name;
    long id = 0;             // GWL_ID
    long user_data = 0;      // GWL_USERDATA
    uint32_t style = 0;
    bool visible = false;    // IsWindowVisible
    bool has_parent = false;
};

bool has_frame(uint32_t style);
// Whether a window passes the filter of a search mode (0, 4096 or 8192).
bool passes_mode(uint32_t mode, const WindowFacts& facts);
// The criteria test of an ordinary search (mode filter not included).
bool facts_match(const WindowCriteria& criteria, const WindowFacts& facts);

// Removes every "&" (titles, menu item names).
std::string without_ampersands(std::string_view text);
// "%li" of a value.
std::string long_text(long value);

// Control kinds.
enum ControlKindValue {
    kControlOther = 0,
    kControlLabel = 1,
    kControlEdit = 2,
    kControlComboBox = 3,
    kControlRadio = 4,
    kControlCheckBox = 5,
    kControlButton = 6,
    kControlListBox = 7,
};
int control_kind_of(std::string_view class_name, uint32_t style);

// One line of the window list for a window that passed `mode`; empty when the
// window is left out (a filtered listing leaves out empty titles).
std::string window_list_line(uint32_t mode, const WindowFacts& facts, uintptr_t handle);

}  // namespace zorbel
