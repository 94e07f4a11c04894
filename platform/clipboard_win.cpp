#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"
#include "platform/scoped_win.h"

namespace zorbel::clipboard {
namespace {

// Another program may hold the clipboard for a while: a few tries about 50 ms apart.
constexpr int kOpenAttempts = 5;
constexpr DWORD kOpenPauseMs = 50;

// The text offered for a paste and who has read it; the owner window answers the
// requests for it (one thread, the program's).
struct OfferedText {
    std::string text;
    DWORD reader_process = 0;
    Offer state = Offer::kNone;
};
OfferedText offered;
WNDPROC static_procedure = nullptr;

// A movable block holding `text` and its terminating zero, or null.
HGLOBAL text_block(const std::string& text) {
    size_t length = strnlen(text.c_str(), text.size());
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 1);
    if (memory == nullptr) return nullptr;
    char* target = static_cast<char*>(GlobalLock(memory));
    if (target == nullptr) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
    GlobalUnlock(memory);
    return memory;
}

// Gives the clipboard, opened by whoever asks, the offered text.
void render_offered_text() {
    HGLOBAL memory = text_block(offered.text);
    if (memory != nullptr && SetClipboardData(CF_TEXT, memory) == nullptr) GlobalFree(memory);
}

// Whether the program that has the clipboard open is the one the text was offered to.
// A reader that opened the clipboard without a window cannot be told apart: it counts.
bool opened_by_reader() {
    HWND opener = GetOpenClipboardWindow();
    if (offered.reader_process == 0 || opener == nullptr) return true;
    DWORD process = 0;
    GetWindowThreadProcessId(opener, &process);
    return process == offered.reader_process;
}

LRESULT CALLBACK owner_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_RENDERFORMAT:
        if (wparam != CF_TEXT || offered.state == Offer::kNone) break;
        render_offered_text();
        if (offered.state == Offer::kWaiting && opened_by_reader()) offered.state = Offer::kRead;
        return 0;
    case WM_RENDERALLFORMATS:
        // The window goes while its text is offered: the text stays on the clipboard.
        if (offered.state == Offer::kNone) break;
        if (OpenClipboard(window)) {
            if (GetClipboardOwner() == window) render_offered_text();
            CloseClipboard();
        }
        return 0;
    case WM_DESTROYCLIPBOARD:
        if (offered.state == Offer::kWaiting) offered.state = Offer::kGone;
        return 0;
    default:
        break;
    }
    return CallWindowProcA(static_procedure, window, message, wparam, lparam);
}

// A message-only window of the program, made when first needed (and again should its
// thread have ended), to own the clipboard where a null owner cannot and to answer for
// an offered text.
HWND owner_window() {
    static HWND owner = nullptr;
    if (owner == nullptr || !IsWindow(owner)) {
        owner = CreateWindowExA(0, "STATIC", "Zorbel clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        if (owner != nullptr)
            static_procedure = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(owner_procedure)));
    }
    return owner;
}

// Empties the clipboard opened for `owner` and gives it the block; false (the block
// still ours) when either is refused.
bool replace_with(HWND owner, HGLOBAL memory) {
    ScopedClipboard open(owner, kOpenAttempts, kOpenPauseMs);
    return open && EmptyClipboard() && SetClipboardData(CF_TEXT, memory) != nullptr;
}

}  // namespace

bool get_text(std::string* out) {
    out->clear();
    if (!IsClipboardFormatAvailable(CF_TEXT)) return false;
    ScopedClipboard open(nullptr, kOpenAttempts, kOpenPauseMs);
    if (!open) return false;
    bool ok = false;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* text = static_cast<const char*>(GlobalLock(data))) {
            SIZE_T size = GlobalSize(data);
            out->assign(text, strnlen(text, size));
            GlobalUnlock(data);
            ok = true;
        }
    }
    return ok;
}

// Windows refuses SetClipboardData after EmptyClipboard on a clipboard opened without
// an owner; then it is done again with the program's own window as the owner. (Wine
// takes the first form, and with a window as owner a program pasting meanwhile waits
// for that window, which is busy running the step.)
bool set_text(const std::string& text) {
    HGLOBAL memory = text_block(text);
    if (memory == nullptr) return false;
    // Once SetClipboardData took the block, the clipboard owns it.
    if (replace_with(nullptr, memory)) return true;
    HWND owner = owner_window();
    if (owner != nullptr && replace_with(owner, memory)) return true;
    GlobalFree(memory);
    return false;
}

bool clear() {
    ScopedClipboard open(nullptr, kOpenAttempts, kOpenPauseMs);
    return open && EmptyClipboard() != 0;
}

}  // namespace zorbel::clipboard

namespace zorbel::clipboard {

// The text is given to the clipboard as a format its owner renders on request
// (SetClipboardData with no data): the reader's request reaches the owner window.
bool offer_text(const std::string& text, unsigned long reader_process) {
    HWND owner = owner_window();
    if (owner == nullptr) return false;
    ScopedClipboard open(owner, kOpenAttempts, kOpenPauseMs);
    if (!open || !EmptyClipboard()) return false;
    offered.text = text;
    offered.reader_process = reader_process;
    offered.state = Offer::kWaiting;
    SetClipboardData(CF_TEXT, nullptr);
    if (GetClipboardOwner() == owner && IsClipboardFormatAvailable(CF_TEXT)) return true;
    offered.state = Offer::kNone;
    return false;
}

Offer offered_text() {
    if (offered.state == Offer::kNone) return Offer::kNone;
    MSG message;
    PeekMessageA(&message, owner_window(), 0, 0, PM_NOREMOVE);
    return offered.state;
}

}  // namespace zorbel::clipboard
