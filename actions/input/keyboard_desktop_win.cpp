#include <windows.h>

#include <cstring>
#include <new>
#include <stdexcept>

#include "actions/input/keyboard_desktop.h"
#include "engine/clipboard.h"

namespace zorbel {

namespace {

// A window that does not answer within this long keeps its old text rather than
// stopping the run.
constexpr UINT kSetTextLimitMs = 5000;

class SystemKeyboardDesktop : public KeyboardDesktop {
public:
    KeyEventSink& keys() override { return system_key_events(); }
    BufferedTypingDriver& buffered_typing() override { return system_buffered_typing(); }
    void sleep(uint32_t milliseconds) override { Sleep(milliseconds); }
    uint32_t tick_count() override { return GetTickCount(); }

    bool save_clipboard_text(std::string* saved) override {
        saved->clear();
        if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(nullptr)) return reserve(saved, 0);
        bool ok = true;
        HANDLE data = GetClipboardData(CF_TEXT);
        const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
        if (text) {
            size_t length = strnlen(text, GlobalSize(data));
            ok = reserve(saved, length);
            if (ok) saved->assign(text, length);
            GlobalUnlock(data);
        } else {
            ok = reserve(saved, 0);
        }
        CloseClipboard();
        return ok;
    }

    void put_clipboard_text(const std::string& text) override { clipboard::set_text(text); }

    intptr_t foreground_window() override { return reinterpret_cast<intptr_t>(GetForegroundWindow()); }

    void set_window_text(intptr_t window, const std::string& text) override {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(reinterpret_cast<HWND>(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                            SMTO_ABORTIFHUNG, kSetTextLimitMs, &result);
    }

    BlockInputResult block_input(bool block) override {
        HMODULE user32 = LoadLibraryA("USER32.DLL");
        if (!user32) return BlockInputResult::kNoLibrary;
        using BlockInputFunction = BOOL(WINAPI*)(BOOL);
        FARPROC found = GetProcAddress(user32, "BlockInput");
        BlockInputResult result = BlockInputResult::kNoFunction;
        if (found) {
            reinterpret_cast<BlockInputFunction>(reinterpret_cast<void*>(found))(block ? TRUE : FALSE);
            result = BlockInputResult::kDone;
        }
        FreeLibrary(user32);
        return result;
    }

private:
    // The save buffer holds the text and its NUL, and at least 256 bytes.
    static bool reserve(std::string* saved, size_t length) {
        try {
            saved->reserve(length + 1 < 256 ? 256 : length + 1);
        } catch (const std::bad_alloc&) {
            return false;
        } catch (const std::length_error&) {
            return false;
        }
        return true;
    }
};

}  // namespace

KeyboardDesktop& system_keyboard_desktop() {
    static SystemKeyboardDesktop desktop;
    return desktop;
}

}  // namespace zorbel
