// The palettes' frames in the real editor: the original layout, docking and floating
// by the caption and by real drags, resizing by the inner edge, places kept across a
// restart, Reset User Interface, and the captions of the three interface styles.
#include <gtest/gtest.h>

#include "tests/win/editor/editor_driver.h"
#include "tests/win/editor/window_picture.h"

namespace zorbel {
namespace wintest {
namespace {

void set_palette_number(const char* palette, const char* name, DWORD value) {
    HKEY h;
    const std::string key = std::string("SOFTWARE\\Zorbel\\Palettes\\") + palette;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(h, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(h);
}

std::string palette_setting(const char* palette, const char* name) {
    return setting_of((std::string("Palettes\\") + palette + "\\" + name).c_str());
}

bool docked(EditorDriver& editor, HWND frame) { return GetAncestor(frame, GA_PARENT) == editor.frame(); }
bool floating(EditorDriver& editor, HWND frame) {
    return GetAncestor(frame, GA_PARENT) == GetDesktopWindow() && GetWindow(frame, GW_OWNER) == editor.frame();
}

struct Area {
    int width, bottom;  // the client area's width and the bottom above the status bar
};

Area area_of(EditorDriver& editor) {
    RECT client, status;
    GetClientRect(editor.frame(), &client);
    GetWindowRect(editor.child(res::kStatusBar), &status);
    return {client.right, client.bottom - (status.bottom - status.top)};
}

::testing::AssertionResult same(const RECT& expected, const RECT& actual) {
    if (EqualRect(&expected, &actual)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected (" << expected.left << "," << expected.top << ","
                                         << expected.right << "," << expected.bottom << ") got (" << actual.left
                                         << "," << actual.top << "," << actual.right << "," << actual.bottom << ")";
}

RECT screen_rect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

// The original layout: Toolbar 30 high at the top, Actions 250 wide at the left, Output
// 150 high at the bottom beside it, the grid in the rest; Properties and Variables float.
void expect_original_layout(EditorDriver& editor, const char* picture) {
    HWND toolbar = editor.palette_frame("Toolbar"), actions = editor.palette_frame("Actions"),
         output = editor.palette_frame("Output"), properties = editor.palette_frame("Properties"),
         variables = editor.palette_frame("Variables");
    ASSERT_TRUE(toolbar && actions && output && properties && variables);
    EXPECT_TRUE(docked(editor, toolbar));
    EXPECT_TRUE(docked(editor, actions));
    EXPECT_TRUE(docked(editor, output));
    EXPECT_TRUE(floating(editor, properties));
    EXPECT_TRUE(floating(editor, variables));
    const Area a = area_of(editor);
    EXPECT_TRUE(same({0, 0, a.width, 30}, editor.client_rect_of(toolbar)));
    EXPECT_TRUE(same({0, 30, 250, a.bottom}, editor.client_rect_of(actions)));
    EXPECT_TRUE(same({250, a.bottom - 150, a.width, a.bottom}, editor.client_rect_of(output)));
    EXPECT_TRUE(same({250, 30, a.width, a.bottom - 150}, editor.client_rect_of(editor.child(res::kGrid))));
    const RECT main = screen_rect(editor.frame());
    const int x = main.right - 325 > 100 ? main.right - 325 : 100;
    EXPECT_TRUE(same({x, main.top + 50, x + 350, main.top + 400}, screen_rect(properties)));
    EXPECT_TRUE(same({x, main.top + 20, x + 350, main.top + 145}, screen_rect(variables)));
    EXPECT_TRUE(IsWindowVisible(properties));
    EXPECT_TRUE(IsWindowVisible(variables));
    keep_picture(editor.frame(), picture);
}

TEST(EditorDocking, OriginalLayoutAndResetUserInterface) {
    EditorDriver editor;
    original_palette_places();
    ASSERT_TRUE(editor.start());
    expect_original_layout(editor, "docking_original");
    // Moved about, then "No" keeps it, "Yes" gives the original layout again.
    ASSERT_TRUE(editor.caption_double_click(editor.palette_frame("Output")));
    ASSERT_TRUE(editor.caption_double_click(editor.palette_frame("Variables")));
    ASSERT_TRUE(editor.command(cmd::kShowActions));
    editor.expect_box("Are you sure that you want to reset all toolbars and palettes", IDNO);
    ASSERT_TRUE(editor.command(cmd::kResetInterface));
    EXPECT_FALSE(docked(editor, editor.palette_frame("Output")));
    EXPECT_FALSE(IsWindowVisible(editor.palette_frame("Actions")));
    editor.expect_box("Are you sure that you want to reset all toolbars and palettes", IDYES);
    ASSERT_TRUE(editor.command(cmd::kResetInterface));
    EXPECT_TRUE(same({50, 50, GetSystemMetrics(SM_CXSCREEN) - 50, GetSystemMetrics(SM_CYSCREEN) - 50},
                     screen_rect(editor.frame())));
    expect_original_layout(editor, "docking_reset");
    EXPECT_EQ("", setting_of("Palettes\\Output\\bDocked"));  // the key went
    // Sent by the program itself, it asks nothing.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(editor.frame(), WM_COMMAND, cmd::kResetInterface, reinterpret_cast<LPARAM>(editor.frame()),
                        SMTO_NORMAL, kDeadlineMs, &ignored);
    EXPECT_TRUE(editor.unexpected.empty());
    ASSERT_TRUE(editor.close());
    EXPECT_EQ("1", palette_setting("Variables", "visible"));
    EXPECT_EQ("0", palette_setting("Variables", "bDocked"));
    EXPECT_EQ("150", palette_setting("Variables", "iDockedSize"));
    EXPECT_EQ("1", palette_setting("Actions", "iDockedSide"));
}

TEST(EditorDocking, CaptionDoubleClickDocksAndFloats) {
    EditorDriver editor;
    original_palette_places();
    set_palette_number("Variables", "bDocked", 0);
    set_palette_number("Variables", "iDockedSide", 5);  // not a side: docks at the top
    set_palette_number("Variables", "iDockedSize", 120);
    set_palette_number("Variables", "rectFloat.left", 300);
    set_palette_number("Variables", "rectFloat.top", 320);
    set_palette_number("Variables", "rectFloat.right", 0);  // a width of 0 opens 400 wide
    set_palette_number("Variables", "rectFloat.bottom", 150);
    ASSERT_TRUE(editor.start());
    HWND variables = editor.palette_frame("Variables");
    EXPECT_TRUE(same({300, 320, 700, 470}, screen_rect(variables)));
    ASSERT_TRUE(editor.caption_double_click(variables));
    ASSERT_TRUE(docked(editor, variables));
    const Area a = area_of(editor);
    // After Toolbar and Actions, before Output: a strip 120 high at the top of the rest.
    EXPECT_TRUE(same({250, 30, a.width, 150}, editor.client_rect_of(variables)));
    EXPECT_TRUE(same({250, 150, a.width, a.bottom - 150}, editor.client_rect_of(editor.child(res::kGrid))));
    keep_picture(editor.frame(), "docking_variables_top");
    // A docked toolbar floats too, and its buttons still reach the editor.
    ASSERT_TRUE(editor.caption_double_click(editor.palette_frame("Toolbar")));
    EXPECT_TRUE(floating(editor, editor.palette_frame("Toolbar")));
    EXPECT_TRUE(same({250, 0, a.width, 120}, editor.client_rect_of(variables)));
    EXPECT_TRUE(editor.button_enabled(cmd::kRun));
    EXPECT_FALSE(editor.button_enabled(cmd::kPause));
    ASSERT_TRUE(editor.caption_double_click(variables));
    EXPECT_TRUE(floating(editor, variables));
    EXPECT_TRUE(same({300, 320, 700, 470}, screen_rect(variables)));
    EXPECT_TRUE(same({250, 0, a.width, a.bottom - 150}, editor.client_rect_of(editor.child(res::kGrid))));
    ASSERT_TRUE(editor.close());
    EXPECT_EQ("2", palette_setting("Variables", "iDockedSide"));
    EXPECT_EQ("400", palette_setting("Variables", "rectFloat.right"));
    EXPECT_EQ("0", palette_setting("Toolbar", "bDocked"));
}

// Variables lies over the caption of Properties in the original layout: it goes first.
TEST(EditorDocking, DragsDockUnlessControlIsHeld) {
    EditorDriver editor;
    original_palette_places();
    ASSERT_TRUE(editor.start());
    HWND properties = editor.palette_frame("Properties"), variables = editor.palette_frame("Variables");
    RECT client;
    GetClientRect(editor.frame(), &client);
    MapWindowPoints(editor.frame(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    auto caption_of = [](HWND frame) {
        const RECT r = screen_rect(frame);
        return POINT{r.left + 40, r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSMCAPTION) / 2};
    };
    const RECT grid = screen_rect(editor.child(res::kGrid));
    const POINT middle{(grid.left + grid.right) / 2, (grid.top + grid.bottom) / 2};
    // Variables to the right edge: while held there, the frame is out of sight, an outline
    // shows the strip it would take and the status bar says how to keep it floating.
    const Area a = area_of(editor);
    ASSERT_TRUE(editor.drag(caption_of(variables), {client.right - 5, middle.y}, false, [&] {
        EXPECT_EQ("Hold down the CONTROL key to prevent docking", editor.status_part(0));
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(NULLREGION, GetWindowRgn(variables, region));
        DeleteObject(region);
        HWND outline = nullptr;
        for (HWND w = FindWindowExA(nullptr, nullptr, "QuenbyDock", ""); w; w = FindWindowExA(nullptr, w, "QuenbyDock", ""))
            if (IsWindowVisible(w) && (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST)) outline = w;
        ASSERT_NE(nullptr, outline);
        RECT expected = {a.width - 150, 0, a.width, a.bottom};
        MapWindowPoints(editor.frame(), nullptr, reinterpret_cast<POINT*>(&expected), 2);
        EXPECT_TRUE(same(expected, screen_rect(outline)));
    }));
    ASSERT_TRUE(wait_until([&] { return docked(editor, variables); }, 3000));
    EXPECT_EQ("", editor.status_part(0));
    EXPECT_TRUE(same({a.width - 150, 30, a.width, a.bottom - 150}, editor.client_rect_of(variables)));
    keep_picture(editor.frame(), "docking_variables_right");
    // Properties to the middle of the grid: floating, moved as far as the pointer.
    RECT p = screen_rect(properties);
    const POINT caption = caption_of(properties);
    ASSERT_TRUE(editor.drag(caption, middle));
    ASSERT_TRUE(wait_until([&] { return screen_rect(properties).left != p.left; }, 3000));
    EXPECT_TRUE(floating(editor, properties));
    EXPECT_EQ(middle.x - caption.x, screen_rect(properties).left - p.left);
    // With Ctrl held, to the top edge of the client area: still floating and shown.
    ASSERT_TRUE(editor.drag(caption_of(properties), {middle.x, client.top + 5}, true));
    pump_for(500);
    EXPECT_TRUE(floating(editor, properties));
    EXPECT_TRUE(IsWindowVisible(properties));
    const RECT moved = screen_rect(properties);
    ASSERT_TRUE(editor.close());
    EXPECT_EQ("4", palette_setting("Variables", "iDockedSide"));
    EXPECT_EQ("1", palette_setting("Variables", "bDocked"));
    EXPECT_EQ("0", palette_setting("Properties", "bDocked"));
    EXPECT_EQ(std::to_string(moved.left), palette_setting("Properties", "rectFloat.left"));
    EXPECT_EQ(std::to_string(moved.top), palette_setting("Properties", "rectFloat.top"));
}

TEST(EditorDocking, InnerEdgeResizeAndPlacesAcrossARestart) {
    RECT stored_variables = {};
    {
        EditorDriver editor;
        original_palette_places();
        ASSERT_TRUE(editor.start());
        HWND actions = editor.palette_frame("Actions");
        // Only the inner edge sizes a docked frame.
        RECT r = screen_rect(actions);
        const int mid = (r.top + r.bottom) / 2;
        DWORD_PTR hit = 0;
        SendMessageTimeoutA(actions, WM_NCHITTEST, 0, MAKELPARAM(r.right - 2, mid), SMTO_NORMAL, kDeadlineMs, &hit);
        EXPECT_EQ(static_cast<DWORD_PTR>(HTRIGHT), hit);
        SendMessageTimeoutA(actions, WM_NCHITTEST, 0, MAKELPARAM(r.left + 1, mid), SMTO_NORMAL, kDeadlineMs, &hit);
        EXPECT_EQ(static_cast<DWORD_PTR>(HTBORDER), hit);
        SendMessageTimeoutA(actions, WM_NCHITTEST, 0, MAKELPARAM(r.left + 40, r.bottom - 1), SMTO_NORMAL,
                            kDeadlineMs, &hit);
        EXPECT_EQ(static_cast<DWORD_PTR>(HTBORDER), hit);
        ASSERT_TRUE(editor.drag({r.right - 2, mid}, {r.right + 68, mid}));
        ASSERT_TRUE(wait_until([&] { return editor.client_rect_of(actions).right != 250; }, 3000));
        EXPECT_EQ(320, editor.client_rect_of(actions).right);
        EXPECT_EQ(320, editor.client_rect_of(editor.child(res::kGrid)).left);
        // Output hidden by its key: the grid reaches the status bar.
        ASSERT_TRUE(editor.key('3', {VK_MENU}));
        EXPECT_FALSE(IsWindowVisible(editor.palette_frame("Output")));
        EXPECT_EQ(area_of(editor).bottom, editor.client_rect_of(editor.child(res::kGrid)).bottom);
        // Variables moved, then closed by its close button.
        HWND variables = editor.palette_frame("Variables");
        MoveWindow(variables, 140, 160, 360, 180, TRUE);
        SendMessageTimeoutA(variables, WM_EXITSIZEMOVE, 0, 0, SMTO_NORMAL, kDeadlineMs, &hit);
        stored_variables = screen_rect(variables);
        PostMessageA(variables, WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(stored_variables.right - 8, stored_variables.top + 6));
        ASSERT_TRUE(wait_until([&] { return !IsWindowVisible(variables); }));
        // Minimised, the floating Properties frame is out of sight but still counts as shown.
        ShowWindow(editor.frame(), SW_MINIMIZE);
        ASSERT_TRUE(editor.close());
        EXPECT_EQ("1", palette_setting("Properties", "visible"));
        EXPECT_EQ("-1", palette_setting("Variables", "visible"));
        EXPECT_EQ("-1", palette_setting("Output", "visible"));
        EXPECT_EQ("320", palette_setting("Actions", "iDockedSize"));
    }
    EditorDriver editor(false);
    ASSERT_TRUE(editor.start());
    EXPECT_EQ(320, editor.client_rect_of(editor.palette_frame("Actions")).right);
    EXPECT_FALSE(IsWindowVisible(editor.palette_frame("Output")));
    EXPECT_FALSE(IsWindowVisible(editor.palette_frame("Variables")));
    ASSERT_TRUE(editor.command(cmd::kShowVariables));
    EXPECT_TRUE(same(stored_variables, screen_rect(editor.palette_frame("Variables"))));
    keep_picture(editor.frame(), "docking_after_restart");
    ASSERT_TRUE(editor.close());
}

// A docked size larger than the window takes what the client area allows, and is
// kept as it was stored.
TEST(EditorDocking, DockedSizeClampedAtLayout) {
    EditorDriver editor;
    original_palette_places();
    set_palette_number("Output", "bDocked", 1);
    set_palette_number("Output", "iDockedSide", 8);
    set_palette_number("Output", "iDockedSize", 5000);
    ASSERT_TRUE(editor.start());
    const Area a = area_of(editor);
    EXPECT_TRUE(same({250, 30, a.width, a.bottom}, editor.client_rect_of(editor.palette_frame("Output"))));
    RECT grid = editor.client_rect_of(editor.child(res::kGrid));
    EXPECT_EQ(grid.top, grid.bottom);
    ASSERT_TRUE(editor.close());
    EXPECT_EQ("5000", palette_setting("Output", "iDockedSize"));
}

BOOL CALLBACK find_menu_window(HWND window, LPARAM lparam) {
    char cls[16] = {};
    GetClassNameA(window, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32768") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(lparam) = window;
        return FALSE;
    }
    return TRUE;
}

COLORREF pixel_at(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

// A right click on a caption lists the palettes; choosing one sends its toggle command.
TEST(EditorDocking, CaptionMenuTogglesAPalette) {
    EditorDriver editor;
    ASSERT_TRUE(editor.start());
    HWND actions = editor.palette_frame("Actions");
    RECT r = screen_rect(actions);
    PostMessageA(actions, WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(r.left + 30, r.top + 10));
    HWND menu = nullptr;
    ASSERT_TRUE(wait_until([&] {
        EnumThreadWindows(GetWindowThreadProcessId(editor.frame(), nullptr), find_menu_window,
                          reinterpret_cast<LPARAM>(&menu));
        return menu != nullptr;
    }, 5000));
    keep_picture(menu, "docking_caption_menu");
    // Toolbar, Actions, Properties, Output, Variables: the fourth is Output.
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(editor.key(VK_DOWN));
    ASSERT_TRUE(editor.key(VK_RETURN));
    ASSERT_TRUE(wait_until([&] { return !IsWindowVisible(editor.palette_frame("Output")); }, 3000));
    EXPECT_TRUE(IsWindowVisible(editor.palette_frame("Variables")));
    ASSERT_TRUE(editor.close());
    EXPECT_EQ("-1", palette_setting("Output", "visible"));
}

// Each look paints the docked captions from its own first colour, and the menus (drawn
// by the program) with its own image column: the last File item, "Exit", has no image.
TEST(EditorDocking, InterfaceStylesPaintCaptionsAndMenus) {
    const struct {
        const char* style;
        uint32_t caption_from, menu_margin;
    } cases[] = {{"Office 2003", 0xF9DAC3, 0xF7D6BE}, {"Office XP", 0xC0C0C0, 0xD8D2D0},
                 {"Office 97", 0x800000, 0xC0C0C0}};
    for (const auto& c : cases) {
        const char* style = c.style;
        SCOPED_TRACE(style);
        set_setting_text("InterfaceStyle", style);
        EditorDriver editor;
        original_palette_places();
        ASSERT_TRUE(editor.start());
        HWND actions = editor.palette_frame("Actions");
        SetForegroundWindow(editor.frame());
        RedrawWindow(actions, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        pump_for(300);
        POINT at{1, 2};
        ClientToScreen(actions, &at);
        const COLORREF pixel = pixel_at(at.x, at.y);
        EXPECT_EQ(c.caption_from, static_cast<uint32_t>(pixel));
        keep_picture(editor.frame(), std::string("docking_style_") + (style + 7));
        ASSERT_TRUE(editor.key('F', {VK_MENU}));
        HWND menu = nullptr;
        ASSERT_TRUE(wait_until([&] {
            menu = nullptr;
            EnumThreadWindows(GetWindowThreadProcessId(editor.frame(), nullptr), find_menu_window,
                              reinterpret_cast<LPARAM>(&menu));
            return menu != nullptr;
        }, 5000));
        pump_for(300);
        const RECT m = screen_rect(menu);
        EXPECT_EQ(c.menu_margin, static_cast<uint32_t>(pixel_at(m.left + 14, m.bottom - 14)));
        keep_picture(menu, std::string("menu_style_") + (style + 7));
        ASSERT_TRUE(editor.key(VK_ESCAPE));
        ASSERT_TRUE(editor.key(VK_ESCAPE));
        ASSERT_TRUE(editor.close());
    }
    set_setting_text("InterfaceStyle", "");
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
