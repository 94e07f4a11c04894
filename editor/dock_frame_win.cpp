// The frame window class "QuenbyDock": the palettes' frames (and the outline a drag
// shows). A docked frame paints its own caption strip (or, for the toolbar, a grip)
// in the interface style; a floating one has the system's tool-window caption.
#include <windows.h>
#include <windowsx.h>

#include "editor/docking_host_win.h"

namespace zorbel {

namespace {

DockingHost* host_of(HWND window) {
    return reinterpret_cast<DockingHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool grip_only(const DockingHost::Entry& e) {
    return (e.flags & kPaletteGrip) && e.place.docked && (e.place.side == kDockTop || e.place.side == kDockBottom);
}

// The caption strip (or grip) of a docked frame in client coordinates; empty when floating.
RECT caption_rect(HWND frame, const DockingHost::Entry& e) {
    RECT r = {};
    if (!e.place.docked) return r;
    GetClientRect(frame, &r);
    if (grip_only(e)) r.right = kDockGripWidth;
    else r.bottom = kDockCaptionHeight;
    return r;
}

// The close box at the right end of a docked caption strip.
RECT close_rect(HWND frame, const DockingHost::Entry& e) {
    RECT r = caption_rect(frame, e);
    if (grip_only(e) || r.right - r.left < 2 * kDockCaptionHeight) return RECT{};
    r.left = r.right - kDockCaptionHeight;
    InflateRect(&r, -3, -3);
    return r;
}

void fill(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// Left to right from `from` to `to`, in bands of four pixels.
void gradient(HDC dc, const RECT& r, uint32_t from, uint32_t to) {
    const int width = r.right - r.left;
    for (int x = 0; x < width; x += 4) {
        auto mix = [&](int shift) {
            const int a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
            return (a + (b - a) * x / (width > 1 ? width - 1 : 1)) & 0xFF;
        };
        RECT band = {r.left + x, r.top, r.left + x + 4 < r.right ? r.left + x + 4 : r.right, r.bottom};
        fill(dc, band, RGB(mix(0), mix(8), mix(16)));
    }
}

void paint_caption(HWND frame, HDC dc, const DockingHost::Entry& e, InterfaceStyle style) {
    const StyleColours colours = style_colours(style);
    RECT r = caption_rect(frame, e);
    if (grip_only(e)) {
        fill(dc, r, GetSysColor(COLOR_BTNFACE));
        // Two rows of dots (2003, XP) or two raised bars (97).
        for (int y = r.top + 3; y < r.bottom - 3; y += 4) {
            RECT dot = {r.left + 3, y, r.left + 5, y + 2};
            fill(dc, dot, style == InterfaceStyle::kOffice97 ? GetSysColor(COLOR_BTNSHADOW) : colours.caption_to);
            OffsetRect(&dot, 3, 0);
            fill(dc, dot, style == InterfaceStyle::kOffice97 ? GetSysColor(COLOR_BTNHIGHLIGHT) : colours.caption_to);
        }
        return;
    }
    gradient(dc, r, colours.caption_from, colours.caption_to);
    char title[64] = {};
    GetWindowTextA(frame, title, sizeof(title));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours.caption_text);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT text = r;
    text.left += 4;
    DrawTextA(dc, title, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    const RECT box = close_rect(frame, e);
    if (box.right > box.left) {
        HPEN pen = CreatePen(PS_SOLID, 2, colours.caption_text);
        HGDIOBJ old_pen = SelectObject(dc, pen);
        MoveToEx(dc, box.left + 1, box.top + 1, nullptr);
        LineTo(dc, box.right - 2, box.bottom - 2);
        MoveToEx(dc, box.right - 2, box.top + 1, nullptr);
        LineTo(dc, box.left + 1, box.bottom - 2);
        SelectObject(dc, old_pen);
        DeleteObject(pen);
    }
    SelectObject(dc, old);
}

// A docked frame is sized only by the edge that faces the grid.
LRESULT docked_hit(HWND frame, const DockingHost::Entry& e, LRESULT hit, POINT screen) {
    switch (hit) {
        case HTLEFT: case HTRIGHT: case HTTOP: case HTBOTTOM:
        case HTTOPLEFT: case HTTOPRIGHT: case HTBOTTOMLEFT: case HTBOTTOMRIGHT: {
            LRESULT inner = HTBOTTOM;
            switch (inner_edge(e.place.side)) {
                case Edge::kLeft: inner = HTLEFT; break;
                case Edge::kTop: inner = HTTOP; break;
                case Edge::kRight: inner = HTRIGHT; break;
                case Edge::kBottom: inner = HTBOTTOM; break;
            }
            return hit == inner ? hit : HTBORDER;
        }
        case HTCLIENT: {
            POINT p = screen;
            ScreenToClient(frame, &p);
            const RECT box = close_rect(frame, e);
            if (PtInRect(&box, p)) return HTCLOSE;
            const RECT caption = caption_rect(frame, e);
            if (PtInRect(&caption, p)) return HTCAPTION;
            return HTCLIENT;
        }
    }
    return hit;
}

void close_frame(DockingHost& host, const DockingHost::Entry& e) {
    if ((e.flags & kPaletteCloseHides) && e.command) PostMessageA(host.main_window(), WM_COMMAND, e.command, 0);
    else if (e.command == 0) ShowWindow(e.frame, SW_HIDE);
}

LRESULT CALLBACK frame_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    DockingHost* host = host_of(window);
    DockingHost::Entry* e = host ? host->entry_of(window) : nullptr;
    if (!host && message == WM_ERASEBKGND) {
        // The docking outline.
        RECT r;
        GetClientRect(window, &r);
        fill(reinterpret_cast<HDC>(wparam), r, RGB(64, 64, 64));
        return 1;
    }
    if (!e) return DefWindowProcA(window, message, wparam, lparam);
    switch (message) {
        case WM_SIZE: {
            const RECT r = dock_content_rect(window, *e);
            if (e->content) MoveWindow(e->content, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            if (e->place.docked) paint_caption(window, dc, *e, host->style());
            EndPaint(window, &ps);
            return 0;
        }
        case WM_NCHITTEST: {
            const LRESULT hit = DefWindowProcA(window, message, wparam, lparam);
            if (!e->place.docked) return hit;
            return docked_hit(window, *e, hit, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        }
        case WM_NCLBUTTONDOWN:
            if (e->place.docked && wparam == HTCAPTION) {
                if (e->content && !(e->flags & kPaletteNoFocus)) SetFocus(e->content);
                return 0;  // a docked frame does not move
            }
            if (e->place.docked && wparam == HTCLOSE) {
                close_frame(*host, *e);
                return 0;
            }
            break;
        case WM_NCLBUTTONDBLCLK:
            if (wparam == HTCAPTION) {
                if (!(e->flags & kPaletteFixed)) {
                    host->dock_toggle(*e);
                }
                return 0;
            }
            break;
        case WM_NCRBUTTONDOWN:
            if (wparam == HTCAPTION) return 0;
            break;
        case WM_NCRBUTTONUP:
            if (wparam == HTCAPTION) {
                host->caption_menu(*e, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            // The system's caption menu of a floating frame gives way to the palettes' list.
            if (reinterpret_cast<HWND>(wparam) == window) {
                POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
                host->caption_menu(*e, p);
                return 0;
            }
            break;
        case WM_MOVING:
            host->drag_moved(*e);
            break;
        case WM_EXITSIZEMOVE:
            PostMessageA(window, kSizeMoveDoneMessage, 0, 0);
            return 0;
        case kSizeMoveDoneMessage:
            if (e->place.docked) host->docked_resized(*e);
            else host->drag_ended(*e);
            return 0;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
            info->ptMinTrackSize.x = kMinFrameSize;
            info->ptMinTrackSize.y = kMinFrameSize;
            return 0;
        }
        case WM_SYSCOMMAND:
            if ((wparam & 0xFFF0) == SC_CLOSE) {
                // Alt+F4 closes the main window; the close button hides the palette.
                if (GetKeyState(VK_F4) < 0) PostMessageA(host->main_window(), WM_CLOSE, 0, 0);
                else close_frame(*host, *e);
                return 0;
            }
            break;
        case WM_CLOSE:
            close_frame(*host, *e);
            return 0;
        case kRaiseFrameMessage:
            if (!e->place.docked && IsWindowVisible(window)) {
                // Above the main window, and topmost exactly while it is (Keep on Top).
                const bool topmost = (GetWindowLongA(host->main_window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
                SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                if (!topmost) SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
            return 0;
        case WM_MOUSEWHEEL:
            if (e->content) return SendMessageA(e->content, message, wparam, lparam);
            break;
        case WM_COMMAND:
        case WM_NOTIFY:
            // The content's notifications belong to the main window.
            return SendMessageA(host->main_window(), message, wparam, lparam);
        case WM_DESTROY:
            host->frame_destroyed(*e);
            return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

RECT dock_content_rect(HWND frame, const DockingHost::Entry& e) {
    RECT r;
    GetClientRect(frame, &r);
    if (e.place.docked) {
        if (grip_only(e)) r.left += kDockGripWidth;
        else r.top += kDockCaptionHeight;
    }
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

bool register_dock_frame_class(HINSTANCE instance) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, "QuenbyDock", &existing)) return true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = frame_procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);  // the light 3-D face
    wc.lpszClassName = "QuenbyDock";
    return RegisterClassA(&wc) != 0;
}

}  // namespace zorbel
