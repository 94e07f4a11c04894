#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"
#include "platform/scoped_win.h"

namespace zorbel::clipboard {
namespace {

constexpr int kOpenAttempts = 5;
constexpr DWORD kOpenPauseMs = 50;

// The clipboard's owner: a message-only window of the program, made when first needed
// (and again should its thread have ended). With a null owner, EmptyClipboard leaves
// the clipboard without an owner and SetClipboardData fails.
HWND owner_window() {
    static HWND owner = nullptr;
    if (owner == nullptr || !IsWindow(owner))
        owner = CreateWindowExA(0, "STATIC", "Zorbel clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    return owner;
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
    // Another program may hold the clipboard for a while: a few tries about 50 ms apart.
    ScopedClipboard open(owner_window(), kOpenAttempts, kOpenPauseMs);
    // Once SetClipboardData took the block, the clipboard owns it.
    const bool given = open && EmptyClipboard() && SetClipboardData(CF_TEXT, memory) != nullptr;
    if (!given) GlobalFree(memory);
    return given;
}

bool clear() {
    ScopedClipboard open(owner_window(), kOpenAttempts, kOpenPauseMs);
    return open && EmptyClipboard() != 0;
}

}  // namespace zorbel::clipboard
