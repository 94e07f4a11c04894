#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"

namespace zorbel::clipboard {
namespace {

// Another program may hold the clipboard for a moment: a few quick tries.
bool open_clipboard() {
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

bool get_text(std::string* out) {
    out->clear();
    if (!IsClipboardFormatAvailable(CF_TEXT) || !open_clipboard()) return false;
    bool ok = false;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* text = static_cast<const char*>(GlobalLock(data))) {
            SIZE_T size = GlobalSize(data);
            out->assign(text, strnlen(text, size));
            GlobalUnlock(data);
            ok = true;
        }
    }
    CloseClipboard();
    return ok;
}

bool set_text(const std::string& text) {
    size_t length = strnlen(text.c_str(), text.size());
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, length + 1);
    if (memory == nullptr) return false;
    char* target = static_cast<char*>(GlobalLock(memory));
    if (target == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
    GlobalUnlock(memory);
    if (!open_clipboard()) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    bool ok = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    if (!ok) GlobalFree(memory);
    return ok;
}

}  // namespace zorbel::clipboard
