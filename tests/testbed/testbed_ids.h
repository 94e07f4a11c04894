// What the test program zbtestbed.exe shows and writes: its title, class, user data, the
// identifiers, texts and positions of its controls and menu items, the picture it draws, and
// the format of its event log. The program builds itself from these tables and tests include
// this header to know what to look for. Desktop-free: no <windows.h> here.
//
// Event log (zbtestbed.exe /log PATH): one line per event, appended and written through at
// once (one WriteFile per line), each ending in "\n" alone (no CR). A line is a KIND word in
// capitals, then blank-separated fields; numbers are decimal unless written 0x.. (upper-case
// hex digits). Nothing is logged before READY. "ctl" is the control identifier of the window
// the message went to (0 for the main window, -1 for a window outside it, such as an open
// menu or a drop-down list); "x"/"y" are main-window client coordinates, "sx"/"sy" screen
// coordinates.
//
//   READY hwnd=<n> pid=<n> window=<l>,<t>,<r>,<b> client=<x>,<y>,<w>,<h>
//                                   shown; client x,y = client origin on the screen
//   ERROR <text>                    a bad command line (the program then exits with 2)
//   BUTTON <id> clicked             push button, BN_CLICKED
//   CHECK <id> checked|unchecked    check box, BN_CLICKED, the state after the click
//   RADIO <id> selected             radio button, BN_CLICKED while checked
//   MENU <id> <path>                menu item chosen, e.g. "MENU 40001 File>New"
//   ACCEL <id> <path>               the same command through a keyboard accelerator (Ctrl+N)
//   COMMAND <id> code=<n>           any other WM_COMMAND (Enter in the one-line edit gives id 1)
//   TEXT <id> changed: <text>       edit control EN_CHANGE; in <text> a backslash is written
//                                   "\\", CR "\r", LF "\n", TAB "\t"
//   LIST <id> selected: <item>      list box LBN_SELCHANGE (<item> empty when none)
//   LIST <id> dblclk: <item>        list box LBN_DBLCLK
//   COMBO <id> selected: <item>     combo box CBN_SELCHANGE
//   KEYDOWN vk=0x41 scan=0x1E ext=0 ctl=<id>   also KEYUP, SYSKEYDOWN, SYSKEYUP
//   CHAR 'a' 0x61 ctl=<id>          also SYSCHAR; the quotes hold the character only when it is
//                                   printable ASCII (0x20..0x7E), else nothing: CHAR '' 0x0D
//   LBUTTONDOWN x=<n> y=<n> ctl=<id> sx=<n> sy=<n>   also LBUTTONUP, LBUTTONDBLCLK, RBUTTONDOWN,
//                                   RBUTTONUP, RBUTTONDBLCLK, MBUTTONDOWN, MBUTTONUP
//   MOUSEWHEEL delta=<n> x=<n> y=<n> ctl=<id> sx=<n> sy=<n>
//   FOCUS ctl=<id>                  a window of the program received the keyboard focus
//   ACTIVATE on|off                 the main window became active or inactive
//   SYSCOMMAND 0xF030 MAXIMIZE ctl=<id>   WM_SYSCOMMAND (low four bits cleared); an unnamed one
//                                   has "?" for its name. Alt+letter in an edit gives
//                                   SYSCOMMAND 0xF100 KEYMENU ctl=<the edit's id>
//   MOVE x=<left> y=<top>           main window moved (its window rectangle)
//   SIZE w=<n> h=<n> client=<w>x<h> state=restored|minimized|maximized
//   MESSAGEBOX result=<n>           the message box opened by the "Message..." button closed
//   HANG seconds=<n>                the window procedure stops answering for that long
//   HANG over                       ... and answers again
//   CLOSE                           WM_CLOSE accepted (the window is destroyed)
//   CLOSE refused                   WM_CLOSE refused (/noclose)
//   DESTROY                         WM_DESTROY
//   EXIT code=<n>                   the message loop ended; the process exits with <n>
//
// The window runs its message loop through IsDialogMessage, so Tab and Shift+Tab move the focus
// along kControls (an edit reached so has all its text selected); Alt+letter of a control's
// mnemonic, or the letter alone while a button has the focus, goes to that control; Enter in
// the one-line edit gives "COMMAND 1 code=0" and Esc "COMMAND 2 code=0". The focus starts in
// the one-line edit (caret before its text) and comes back to the last focused control when
// the window is activated again. Under Wine, opening a menu with Alt+letter also logs a
// "KEYDOWN vk=0x0D scan=0x00 ext=0 ctl=0" and "CHAR '' 0x0D ctl=0" that Wine's menu code posts.
//
// Keys and mouse buttons are logged as the message loop takes them from the queue (also inside
// menus and message boxes), so messages sent with SendMessage, such as BM_CLICK's own button
// messages, are not logged; their effects (BUTTON, TEXT, ...) are.
#pragma once

namespace zorbel::testbed {

constexpr char kExeName[] = "zbtestbed.exe";
constexpr char kTitle[] = "Zorbel Testbed";
// The class name must not contain "Zorbel": the editor and the player take every window whose
// class name contains their own class name "Zorbel" for one of their own and leave it out of
// window searches and recordings.
constexpr char kClass[] = "ZbTestbed";
// GWLP_USERDATA of the main window ("%li" gives 1510702679) and of the Apply button.
constexpr long kUserData = 0x5A0B7E57;
constexpr long kApplyUserData = 4242;

// Default placement: the window's top-left corner on the screen and the client size (the
// window is sized to give exactly this client area under its menu bar).
constexpr int kDefaultLeft = 100;
constexpr int kDefaultTop = 100;
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
// How long a hang lasts when no number is given (seconds).
constexpr int kDefaultHangSeconds = 600;
// Exit code after a bad command line.
constexpr int kBadCommandLineExitCode = 2;

constexpr char kMessageBoxTitle[] = "Testbed Greeting";
constexpr char kMessageBoxText[] = "Hello from the testbed.";

// Control identifiers.
enum ControlId : int {
    kApplyButton = 1001,
    kBoldCheck = 1002,
    kItalicCheck = 1003,
    kColourGroup = 1004,
    kRedRadio = 1005,
    kGreenRadio = 1006,
    kBlueRadio = 1007,
    kColourLabel = 1008,
    kNameLabel = 1009,
    kNameEdit = 1010,
    kNotesEdit = 1011,
    kFruitList = 1012,
    kSizeCombo = 1013,
    kDisabledButton = 1014,
    kMessageButton = 1015,
    kNotesLabel = 1016,
    kFruitLabel = 1017,
    kSizeLabel = 1018,
};

enum class ControlKind {
    kPushButton,  // "Button", BS_PUSHBUTTON
    kCheckBox,    // "Button", BS_AUTOCHECKBOX
    kRadio,       // "Button", BS_AUTORADIOBUTTON; the first of a group has WS_GROUP
    kGroupBox,    // "Button", BS_GROUPBOX
    kLabel,       // "Static", SS_LEFT
    kEdit,        // "Edit", one line
    kMultiEdit,   // "Edit", ES_MULTILINE | ES_WANTRETURN
    kListBox,     // "ListBox", LBS_NOTIFY
    kComboList,   // "ComboBox", CBS_DROPDOWNLIST
};

constexpr const char* class_of(ControlKind kind) {
    switch (kind) {
        case ControlKind::kLabel: return "Static";
        case ControlKind::kEdit:
        case ControlKind::kMultiEdit: return "Edit";
        case ControlKind::kListBox: return "ListBox";
        case ControlKind::kComboList: return "ComboBox";
        default: return "Button";
    }
}

struct ControlSpec {
    int id;
    ControlKind kind;
    const char* text;  // window text at start; for the combo box the text it shows (no selection)
    int x, y, width, height;  // client coordinates of the main window
    bool enabled;
};

// In creation order, which is also the tab order and the order of GetWindow(GW_HWNDNEXT):
// each label comes right before the control it names.
constexpr ControlSpec kControls[] = {
    {kApplyButton, ControlKind::kPushButton, "&Apply", 10, 10, 90, 26, true},
    {kDisabledButton, ControlKind::kPushButton, "&Disabled", 110, 10, 90, 26, false},
    {kMessageButton, ControlKind::kPushButton, "&Message...", 210, 10, 90, 26, true},
    {kBoldCheck, ControlKind::kCheckBox, "&Bold", 10, 46, 120, 20, true},
    {kItalicCheck, ControlKind::kCheckBox, "&Italic", 140, 46, 120, 20, true},
    {kColourGroup, ControlKind::kGroupBox, "Colour", 10, 74, 290, 112, true},
    {kColourLabel, ControlKind::kLabel, "Pick a colour:", 20, 94, 200, 18, true},
    {kRedRadio, ControlKind::kRadio, "&Red", 20, 114, 120, 20, true},
    {kGreenRadio, ControlKind::kRadio, "&Green", 20, 136, 120, 20, true},
    {kBlueRadio, ControlKind::kRadio, "B&lue", 20, 158, 120, 20, true},
    {kNameLabel, ControlKind::kLabel, "&Name:", 10, 199, 60, 18, true},
    {kNameEdit, ControlKind::kEdit, "Type here", 75, 196, 225, 24, true},
    {kNotesLabel, ControlKind::kLabel, "Notes:", 10, 230, 120, 18, true},
    {kNotesEdit, ControlKind::kMultiEdit, "First line\r\nSecond line", 10, 250, 290, 110, true},
    {kFruitLabel, ControlKind::kLabel, "Fruits:", 320, 10, 140, 18, true},
    {kFruitList, ControlKind::kListBox, "", 320, 30, 140, 90, true},
    {kSizeLabel, ControlKind::kLabel, "Size:", 480, 10, 140, 18, true},
    {kSizeCombo, ControlKind::kComboList, "", 480, 30, 140, 120, true},
};

constexpr const char* kFruitItems[] = {"Banana", "Cherry", "Mango", "Plum"};
constexpr const char* kSizeItems[] = {"Small", "Medium", "Large"};

// Menu commands.
enum MenuId : int {
    kMenuNew = 40001,
    kMenuOpen = 40002,
    kMenuSaveAs = 40003,
    kMenuExit = 40009,
    kMenuUndo = 40101,
    kMenuDate = 40111,
    kMenuTime = 40112,
    kMenuLevelOne = 40201,
    kMenuLevelTwo = 40202,
    kMenuSound = 40210,
    kMenuHang = 40901,
};

// The menu bar as rows: depth 0 is the bar itself, a row without an id opens a submenu made of
// the deeper rows after it, and "-" is a separator (identifier 0). `path` is what MENU lines
// print. File's separator sits before Exit, as in most programs.
struct MenuRow {
    int depth;
    const char* text;
    int id;  // 0 for a submenu or a separator
    const char* path;
};

constexpr MenuRow kMenuRows[] = {
    {0, "&File", 0, "File"},
    {1, "&New\tCtrl+N", kMenuNew, "File>New"},
    {1, "&Open...", kMenuOpen, "File>Open..."},
    {1, "Save &As...", kMenuSaveAs, "File>Save As..."},
    {1, "-", 0, ""},
    {1, "E&xit", kMenuExit, "File>Exit"},
    {0, "&Edit", 0, "Edit"},
    {1, "&Undo", kMenuUndo, "Edit>Undo"},
    {1, "&Insert", 0, "Edit>Insert"},
    {2, "&Date", kMenuDate, "Edit>Insert>Date"},
    {2, "&Time", kMenuTime, "Edit>Insert>Time"},
    {0, "&Options", 0, "Options"},
    {1, "&Level", 0, "Options>Level"},
    {2, "&One", kMenuLevelOne, "Options>Level>One"},
    {2, "&Two", kMenuLevelTwo, "Options>Level>Two"},
    {1, "&Sound", kMenuSound, "Options>Sound"},
    {0, "&Test", 0, "Test"},
    {1, "&Hang", kMenuHang, "Test>Hang"},
};

// Keyboard accelerator: Ctrl+N gives File>New (logged as ACCEL).
constexpr int kAcceleratorNewKey = 'N';

// The picture. A panel of kPanelWidth x kPanelHeight pixels at kPanelX, kPanelY (client
// coordinates) is filled with a varied background, and the pattern of kPatternWidth x
// kPatternHeight pixels sits inside it at kPatternX, kPatternY (client coordinates). Every
// pattern pixel has its own colour, none is magenta (0xFF00FF) and none occurs in the
// background, so the pattern is found at exactly one place, and a copy of it framed in magenta
// is found by a masked search only. Beside the panel a square of kSpotSize pixels at kSpotX,
// kSpotY has the colour kSpot*, which nothing else in the program draws.
struct Rgb {
    unsigned char r, g, b;
};

constexpr int kPanelX = 320;
constexpr int kPanelY = 130;
constexpr int kPanelWidth = 96;
constexpr int kPanelHeight = 72;
constexpr int kPatternWidth = 32;
constexpr int kPatternHeight = 24;
constexpr int kPatternX = kPanelX + 32;
constexpr int kPatternY = kPanelY + 24;

constexpr Rgb pattern_pixel(int x, int y) {
    return Rgb{static_cast<unsigned char>(16 + 7 * x), static_cast<unsigned char>(16 + 9 * y),
               static_cast<unsigned char>(255 - ((5 * x + 3 * y) & 0x7F))};
}

// Panel background at panel coordinates (x, y): a gradient crossed by a 4-pixel checker. Its
// blue is 60 or 90, below every pattern blue (128 and up).
constexpr Rgb background_pixel(int x, int y) {
    return Rgb{static_cast<unsigned char>(200 - x), static_cast<unsigned char>(220 - y),
               static_cast<unsigned char>(((x / 4 + y / 4) & 1) ? 60 : 90)};
}

constexpr int kSpotX = 440;
constexpr int kSpotY = 140;
constexpr int kSpotSize = 6;
constexpr Rgb kSpotColour{0x12, 0x34, 0x56};

// The click area: a framed rectangle with nothing on it; clicks there are logged in client
// coordinates like everywhere else on the main window's own surface.
constexpr int kClickAreaX = 320;
constexpr int kClickAreaY = 220;
constexpr int kClickAreaWidth = 310;
constexpr int kClickAreaHeight = 250;

}  // namespace zorbel::testbed
