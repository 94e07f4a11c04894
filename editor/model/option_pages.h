// The six pages of "Tools - Options" as tables: each row is one control of a page
// with its id, kind, label, the setting it edits, its default and its place in
// dialog units. The Win32 sheet (editor/options_sheet_win.cpp) draws a page from
// its table; option_binding.h reads and writes the settings. Desktop-free.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zorbel {

// Control ids of the options pages.
namespace opt {
// General
constexpr int kShowTips = 3301, kMinimizeFindWin = 3302, kShowSplash = 3303, kInsertAbove = 3305,
              kInsertBelow = 3306, kFailureMode = 3307, kFailureExtra = 3308, kResetAll = 3309,
              kFailureExtraLabel = 3310;
// Run Options
constexpr int kHilite = 3321, kProgress = 3322, kMinimizeStart = 3323, kReturnWhenDone = 3324,
              kMultipleWindowError = 3325, kResetUserVariables = 3326, kGlobalVariables = 3327,
              kDisableScreenSaver = 3328, kReturnCode = 3329, kSpeedCaption = 3330, kSpeed = 3331, kStopKey = 3332;
// Colors/Fonts
constexpr int kCommentText = 3341, kCommentFill = 3342, kCommentDefault = 3343, kCommentItalic = 3344,
              kCommentSample = 3345, kSkipText = 3346, kSkipFill = 3347, kSkipDefault = 3348, kSkipSample = 3349,
              kBreakText = 3350, kBreakFill = 3351, kBreakDefault = 3352, kBreakSample = 3353, kOutputFont = 3354,
              kFontDefault = 3355, kOutputSample = 3356, kIndentSize = 3357, kIndentSpin = 3358,
              kIndentAllColumns = 3359;
// UI Style
constexpr int kOffice2003 = 3371, kOfficeXP = 3372, kOffice97 = 3373, kGridLines = 3374, kGridAlternating = 3375,
              kGridBlank = 3376;
// Results Log
constexpr int kLog = 3381, kLogfile = 3382, kLogBrowse = 3383, kRestartLog = 3384, kLogBasic = 3385,
              kLogDetailed = 3386;
// Files
constexpr int kAutoReload = 3391, kPromptSave = 3392, kLoadEdit = 3393, kLoadRunInside = 3394, kLoadRun = 3395,
              kAssociate = 3396;
}  // namespace opt

enum class OptionKind {
    kGroup,        // group box
    kLabel,        // static text
    kCheck,        // check box: a number setting, checked when non-zero, writes 1 or 0
    kRadio,        // radio button storing `number` in the group's number setting
    kTextRadio,    // radio button storing `text`; chosen when the stored text holds `match` (null: otherwise)
    kNumberEdit,   // signed number field; an empty field deletes the setting
    kTextEdit,     // text field
    kSlider,       // trackbar `low`..`high` (the run speed), its caption the label row before it
    kStopKeyList,  // drop-down list of the stop keys, storing a virtual-key code
    kModeList,     // drop-down list of the On Failure modes, storing the mode's name
    kSpin,         // number field with a spin bar, `low`..`high`
    kColor,        // button showing a colour (COLORREF number setting), opens the colour picker
    kFontFace,     // the font button; the face name setting
    kFontPart,     // a further value the font button edits (size, italic, weight, colour): no control
    kButton,       // a push button with its own command
    kDefaultButton,// restores the defaults of the rows of its `group`
    kSample,       // static sample text drawn in its `group`'s colours
};

// Row flags.
constexpr int kAsksRestart = 1;  // a change shows the restart message
constexpr int kRepaints = 2;     // a change repaints the step grid
constexpr int kNeedsLog = 4;     // disabled while "Enable logging" is off
constexpr int kDefaultChoice = 8;  // the radio chosen when the stored value matches none

struct OptionRow {
    int id;
    OptionKind kind;
    const char* label;
    const char* setting;  // under "SOFTWARE\Zorbel"; null for rows without a setting
    int32_t number;       // the default; a radio's stored value
    const char* text;     // a text default; a text radio's stored text
    const char* match;    // a text radio's keyword
    int group;            // radio group, colour group (Default buttons and samples)
    int low, high;        // slider and spin range
    int flags;
    short x, y, w, h;     // dialog units
};

struct OptionPage {
    const char* title;
    const OptionRow* rows;
    int count;
};

constexpr int kOptionPageCount = 6;
constexpr int kPageWidth = 262, kPageHeight = 218;  // dialog units
const OptionPage& option_page(int index);  // 0..5; others give page 0
// The row with the control `id` on the page, or null.
const OptionRow* find_option_row(const OptionPage& page, int id);

struct StopKeyName {
    const char* name;
    int vk;
};
extern const StopKeyName kStopKeys[];
extern const int kStopKeyCount;
// The list position of the key (the first entry with that code), or -1.
int stop_key_index(int vk);

// The caption of the General page's extra On Failure field: shown for the modes
// containing "Jump", "Increment" or "Retry"; null (hidden) for the others.
const char* failure_extra_label(std::string_view mode);

// "Default Run Speed  (%d):"
std::string speed_caption(int speed);

extern const char kRestartMessage[];
extern const char kResetQuestion[];
extern const char kResetDoneMessage[];

}  // namespace zorbel
