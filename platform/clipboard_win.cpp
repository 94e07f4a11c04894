#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"
#include "platform/scoped_win.h"

namespace zorbel::clipboard {
namespace {

// Another program may hold the clipboard for a while: a few tries about 50 ms apart.
constexpr int kOpenAttempts = 5;
constexpr DWORD kOpenPauseMs = 50;

// A message-only window of the program, made when first needed (and again should its
// thread have ended), to own the clipboard where a null owner cannot.
HWND owner_window() {
    static HWND owner = nullptr;
    if (owner == nullptr || !IsWindow(owner))
        owner = CreateWindowExA(0, "STATIC", "Zorbel clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
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
    size_t length = strnlen(text.c_str(), text.size());
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 1);
    if (memory == nullptr) return false;
    char* target = static_cast<char*>(GlobalLock(memory));
    if (target == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
    GlobalUnlock(memory);
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
