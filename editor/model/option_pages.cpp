#include "editor/model/option_pages.h"

#include <cstdio>

#include "core/text_rules.h"

namespace zorbel {

const char kRestartMessage[] = "You will need to restart Zorbel for the changes to take effect";
const char kResetQuestion[] = "Are you sure that you want to reset all confirgurations to their original values?";
const char kResetDoneMessage[] =
    "All settings have been returned to their original values\n\nYou will need to restart Zorbel for the changes to "
    "take effect.";

namespace {

using K = OptionKind;
constexpr int kNone = -1;  // rows the program never addresses (groups, labels)

OptionRow group(const char* label, short x, short y, short w, short h) {
    return {kNone, K::kGroup, label, nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, x, y, w, h};
}
OptionRow label(const char* text, short x, short y, short w, int flags = 0, int id = kNone) {
    return {id, K::kLabel, text, nullptr, 0, nullptr, nullptr, 0, 0, 0, flags, x, y, w, 10};
}
OptionRow check(int id, const char* text, const char* setting, int dflt, short x, short y, int flags = 0) {
    return {id, K::kCheck, text, setting, dflt, nullptr, nullptr, 0, 0, 0, flags, x, y, short(248 - x), 12};
}
OptionRow radio(int id, const char* text, const char* setting, int value, int grp, short x, short y, int flags = 0) {
    return {id, K::kRadio, text, setting, value, nullptr, nullptr, grp, 0, 0, flags, x, y, short(240 - x), 12};
}
OptionRow text_radio(int id, const char* text, const char* setting, const char* value, const char* match, short x,
                     short y, int flags) {
    return {id, K::kTextRadio, text, setting, 0, value, match, 1, 0, 0, flags, x, y, short(240 - x), 12};
}
OptionRow field(int id, K kind, const char* setting, int dflt, const char* text, short x, short y, short w,
                int flags = 0, short h = 12) {
    return {id, kind, nullptr, setting, dflt, text, nullptr, 0, 0, 0, flags, x, y, w, h};
}
OptionRow button(int id, const char* text, short x, short y, short w, int flags = 0) {
    return {id, K::kButton, text, nullptr, 0, nullptr, nullptr, 0, 0, 0, flags, x, y, w, 14};
}
OptionRow colour(int id, const char* text, const char* setting, int dflt, int grp, short x, short y) {
    return {id, K::kColor, text, setting, dflt, nullptr, nullptr, grp, 0, 0, kRepaints, x, y, 32, 14};
}
OptionRow defaults(int id, int grp, short x, short y) {
    return {id, K::kDefaultButton, "Default", nullptr, 0, nullptr, nullptr, grp, 0, 0, 0, x, y, 34, 14};
}
OptionRow sample(int id, const char* text, int grp, short x, short y) {
    return {id, K::kSample, text, nullptr, 0, nullptr, nullptr, grp, 0, 0, 0, x, y, 88, 14};
}
OptionRow font_part(const char* setting, int dflt) {
    return {opt::kOutputFont, K::kFontPart, nullptr, setting, dflt, nullptr, nullptr, 4, 0, 0, 0, 0, 0, 0, 0};
}

const OptionRow kGeneral[] = {
    group("General Options", 6, 4, 250, 208),
    check(opt::kShowTips, "Show popup &tips", "ShowTips", 1, 14, 18, kAsksRestart),
    check(opt::kMinimizeFindWin, "M&inimize Zorbel while finding windows", "MinimizeFindWin", 1, 14, 32),
    check(opt::kShowSplash, "&Show splash screen at startup", "ShowSplash", 1, 14, 46),
    label("Insert new steps:", 14, 66, 80),
    radio(opt::kInsertAbove, "Above selected step", "InsertNewStep", 0, 1, 100, 64, kDefaultChoice),
    radio(opt::kInsertBelow, "Below selected step", "InsertNewStep", 1, 1, 100, 78),
    label("Default Failure Mode:", 14, 98, 150),
    field(opt::kFailureMode, K::kModeList, "DefaultFailureMode", 0, "Display Error and Stop", 14, 110, 150, 0, 140),
    label("", 170, 98, 80, 0, opt::kFailureExtraLabel),
    field(opt::kFailureExtra, K::kTextEdit, "DefaultFailureMode_Jump", 0, "", 170, 110, 78),
    button(opt::kResetAll, "R&eset All Settings to Original Values", 14, 188, 180),
};

const OptionRow kRun[] = {
    group("Run Options", 6, 4, 250, 208),
    check(opt::kHilite, "&Highlight current step in main list during playback", "Hilite", 0, 14, 16),
    check(opt::kProgress, "Show &progress bar during playback", "Progress", 0, 14, 29),
    check(opt::kMinimizeStart, "&Minimize Zorbel during run", "MinimizeStart", 0, 14, 42),
    check(opt::kReturnWhenDone, "&Return to Zorbel when run completed", "ReturnWhenDone", 0, 14, 55),
    check(opt::kMultipleWindowError, "M&ultiple matches for \"Window\" action cause error", "MultipleWindowError", 1,
          14, 68),
    check(opt::kResetUserVariables, "Reset user &variables between runs", "ResetUserVariables", 1, 14, 81),
    check(opt::kGlobalVariables, "Make all variables global scope (visible everywhere)", "GlobalVariables", 1, 14,
          94),
    check(opt::kDisableScreenSaver, "Disable &Windows screen saver during runs", "DisableScreenSaver", 0, 14, 107),
    label("Default Return &Code When Script Exits:", 14, 126, 150),
    field(opt::kReturnCode, K::kNumberEdit, "DefaultReturnCode", 0, nullptr, 170, 124, 50),
    label("Default Run Speed  (%d):", 14, 144, 150, 0, opt::kSpeedCaption),
    {opt::kSpeed, K::kSlider, nullptr, "DefaultSpeed", 10, nullptr, nullptr, 0, 1, 10, 0, 14, 156, 150, 16},
    label("&Stop Playback / Recording Key:", 14, 182, 150),
    field(opt::kStopKey, K::kStopKeyList, "StopKey", 19, nullptr, 170, 180, 78, 0, 150),
};

const OptionRow kColors[] = {
    group("Display Colors and Fonts", 6, 4, 250, 208),
    label("Comment:", 14, 20, 40),
    colour(opt::kCommentText, "Text", "CommentText", 0x00A000, 1, 52, 18),
    colour(opt::kCommentFill, "Fill", "CommentFill", 0xC0FFFF, 1, 88, 18),
    defaults(opt::kCommentDefault, 1, 124, 18),
    sample(opt::kCommentSample, "Sample Comment Text", 1, 160, 18),
    {opt::kCommentItalic, K::kCheck, "Italic", "CommentItalic", 1, nullptr, nullptr, 0, 0, 0, kRepaints, 52, 34, 60,
     12},
    label("Skip:", 14, 54, 40),
    colour(opt::kSkipText, "Text", "SkipText", 0x808080, 2, 52, 52),
    colour(opt::kSkipFill, "Fill", "SkipFill", 0xF0F0F0, 2, 88, 52),
    defaults(opt::kSkipDefault, 2, 124, 52),
    sample(opt::kSkipSample, "Sample Skip Text", 2, 160, 52),
    label("Breakpoint:", 14, 76, 40),
    colour(opt::kBreakText, "Text", "BreakText", 0xFFFFFF, 3, 52, 74),
    colour(opt::kBreakFill, "Fill", "BreakFill", 0x463A96, 3, 88, 74),
    defaults(opt::kBreakDefault, 3, 124, 74),
    sample(opt::kBreakSample, "Sample Breakpoint Text", 3, 160, 74),
    label("Output:", 14, 102, 40),
    {opt::kOutputFont, K::kFontFace, "&Font...", "Palettes\\Output\\Font", 0, "Courier New", nullptr, 4, 0, 0, 0, 52,
     100, 68, 14},
    font_part("Palettes\\Output\\FontSize", 9),
    font_part("Palettes\\Output\\Font_Italic", 0),
    font_part("Palettes\\Output\\Font_Weight", 400),
    font_part("Palettes\\Output\\Font_Color", 0),
    defaults(opt::kFontDefault, 4, 124, 100),
    sample(opt::kOutputSample, "Sample Output Text", 4, 160, 100),
    label("Indent Size  (spaces):", 14, 130, 90),
    {opt::kIndentSize, K::kSpin, nullptr, "IndentSize", 6, nullptr, nullptr, 0, 0, 31, kRepaints, 106, 128, 30, 12},
    check(opt::kIndentAllColumns, "Indent All Columns", "IndentAllColumns", 0, 14, 146, kRepaints),
};

const OptionRow kStyle[] = {
    group("UI Options", 6, 4, 250, 208),
    group("Interface Style", 14, 18, 234, 60),
    text_radio(opt::kOffice2003, "MS Office 2003", "InterfaceStyle", "Office 2003", nullptr, 24, 32,
               kAsksRestart | kDefaultChoice),
    text_radio(opt::kOfficeXP, "MS Office XP", "InterfaceStyle", "Office XP", "XP", 24, 46, kAsksRestart),
    text_radio(opt::kOffice97, "MS Office 97", "InterfaceStyle", "Office 97", "97", 24, 60, kAsksRestart),
    group("Grid Style", 14, 86, 234, 60),
    radio(opt::kGridLines, "&Grid Lines", "GridStyle", 2, 2, 24, 100, kRepaints | kDefaultChoice),
    radio(opt::kGridAlternating, "&Alternating Lines", "GridStyle", 1, 2, 24, 114, kRepaints),
    radio(opt::kGridBlank, "&Blank", "GridStyle", 0, 2, 24, 128, kRepaints),
};

const OptionRow kLogging[] = {
    group("Logging Options", 6, 4, 250, 208),
    check(opt::kLog, "&Enable logging", "Log", 0, 14, 18),
    label("&Logfile:", 24, 36, 40, kNeedsLog),
    field(opt::kLogfile, K::kTextEdit, "Logfile", 0, "C:\\ZorbelLog.txt", 66, 34, 160, kNeedsLog),
    button(opt::kLogBrowse, "...", 230, 33, 18, kNeedsLog),
    check(opt::kRestartLog, "&Restart log each time script is run  (erase old log)", "RestartLog", 1, 24, 52,
          kNeedsLog),
    radio(opt::kLogBasic, "Basic log events", "LogLevel", 0, 1, 24, 70, kNeedsLog | kDefaultChoice),
    radio(opt::kLogDetailed, "Detailed log events", "LogLevel", 1, 1, 24, 84, kNeedsLog),
};

const OptionRow kFiles[] = {
    group("File Options", 6, 4, 250, 208),
    check(opt::kAutoReload, "Automatically reload last &file on startup", "AutoReload", 1, 14, 18),
    check(opt::kPromptSave, "&Prompt to save modified files", "PromptSave", 1, 14, 32),
    label("Default action when double-clicking ZBX files:", 14, 52, 230),
    radio(opt::kLoadEdit, "&Load the file into Zorbel for editing  (/e)", "DefaultLoadAction", 0, 1, 24, 64,
          kDefaultChoice),
    radio(opt::kLoadRunInside, "Run the file inside of &Zorbel (/v)", "DefaultLoadAction", 1, 1, 24, 78),
    radio(opt::kLoadRun, "&Run the file by itself  (/r)", "DefaultLoadAction", 2, 1, 24, 92),
    button(opt::kAssociate, "&Associate .ZBX extension with Zorbel", 14, 116, 160),
};

#define ZORBEL_PAGE(title, rows) {title, rows, static_cast<int>(sizeof(rows) / sizeof(rows[0]))}
const OptionPage kPages[kOptionPageCount] = {
    ZORBEL_PAGE("General", kGeneral),         ZORBEL_PAGE("Run Options", kRun), ZORBEL_PAGE("Colors/Fonts", kColors),
    ZORBEL_PAGE("UI Style", kStyle),          ZORBEL_PAGE("Results Log", kLogging), ZORBEL_PAGE("Files", kFiles),
};
#undef ZORBEL_PAGE

}  // namespace

const StopKeyName kStopKeys[] = {
    {"Escape", 0x1B},   {"Return", 0x0D},  {"Control", 0x11}, {"Space", 0x20},       {"Tab", 0x09},
    {"Shift", 0x10},    {"Caps Lock", 0x14}, {"Space", 0x20}, {"Pg Up", 0x21},       {"Pg Dn", 0x22},
    {"End", 0x23},      {"Home", 0x24},    {"Left", 0x25},    {"Up", 0x26},          {"Right", 0x27},
    {"Down", 0x28},     {"Insert", 0x2D},  {"Backspace", 0x08}, {"Delete", 0x2E},    {"Num 0", 0x60},
    {"Num 1", 0x61},    {"Num 2", 0x62},   {"Num 3", 0x63},   {"Num 4", 0x64},       {"Num 5", 0x65},
    {"Num 6", 0x66},    {"Num 7", 0x67},   {"Num 8", 0x68},   {"Num 9", 0x69},       {"Num *", 0x6A},
    {"Num +", 0x6B},    {"Num -", 0x6D},   {"Num .", 0x6E},   {"Num /", 0x6F},       {"NumLock", 0x90},
    {"Scroll", 0x91},   {"Pause", 0x13},   {"Menu", 0x12},    {"Print Screen", 0x2C}, {"Left WinKey", 0x5B},
    {"Right WinKey", 0x5C}, {"AppKey", 0x5D}, {"F1", 0x70},   {"F2", 0x71},          {"F3", 0x72},
    {"F4", 0x73},       {"F5", 0x74},      {"F6", 0x75},      {"F7", 0x76},          {"F8", 0x77},
    {"F9", 0x78},       {"F10", 0x79},     {"F11", 0x7A},     {"F12", 0x7B},
};
const int kStopKeyCount = static_cast<int>(sizeof(kStopKeys) / sizeof(kStopKeys[0]));

int stop_key_index(int vk) {
    for (int i = 0; i < kStopKeyCount; ++i)
        if (kStopKeys[i].vk == vk) return i;
    return -1;
}

const char* failure_extra_label(std::string_view mode) {
    if (contains_ignore_case(mode, "Jump")) return "Label:";
    if (contains_ignore_case(mode, "Increment")) return "Variable:";
    if (contains_ignore_case(mode, "Retry")) return "Retry count:";
    return nullptr;
}

std::string speed_caption(int speed) {
    char text[40];
    std::snprintf(text, sizeof(text), "Default Run Speed  (%d):", speed);
    return text;
}

const OptionPage& option_page(int index) { return kPages[index >= 0 && index < kOptionPageCount ? index : 0]; }

const OptionRow* find_option_row(const OptionPage& page, int id) {
    for (int i = 0; i < page.count; ++i)
        if (page.rows[i].id == id && page.rows[i].kind != OptionKind::kFontPart) return &page.rows[i];
    return nullptr;
}

}  // namespace zorbel
