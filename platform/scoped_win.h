// Owners for Windows handles: each takes its handle right after it is acquired and
// gives it back when it goes, on every path. Move-only; `get()` lends the handle,
// `release()` hands it on.
#pragma once
#include <windows.h>

#include <utility>

namespace zorbel {

// A handle and the function that gives it back. `Invalid` is the handle's "none".
template <typename Handle, typename Closer, Closer close, Handle invalid = Handle()>
class ScopedHandleOf {
public:
    ScopedHandleOf() = default;
    explicit ScopedHandleOf(Handle handle) : handle_(handle) {}
    ~ScopedHandleOf() { reset(); }
    ScopedHandleOf(ScopedHandleOf&& other) noexcept : handle_(other.release()) {}
    ScopedHandleOf& operator=(ScopedHandleOf&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ScopedHandleOf(const ScopedHandleOf&) = delete;
    ScopedHandleOf& operator=(const ScopedHandleOf&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != invalid; }
    Handle release() { return std::exchange(handle_, invalid); }
    void reset(Handle handle = invalid) {
        if (handle_ != invalid) close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = invalid;
};

// A kernel object (process, thread, event): CloseHandle.
using ScopedHandle = ScopedHandleOf<HANDLE, BOOL(WINAPI*)(HANDLE), &CloseHandle>;
// A file from CreateFile, whose "none" is INVALID_HANDLE_VALUE.
inline BOOL WINAPI close_file_handle(HANDLE h) { return CloseHandle(h); }
class ScopedFile : public ScopedHandleOf<HANDLE, BOOL(WINAPI*)(HANDLE), &close_file_handle, nullptr> {
public:
    ScopedFile() = default;
    explicit ScopedFile(HANDLE h) : ScopedHandleOf(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
};
// An open registry key.
using ScopedKey = ScopedHandleOf<HKEY, LONG(WINAPI*)(HKEY), &RegCloseKey>;
// A loaded library.
using ScopedModule = ScopedHandleOf<HMODULE, BOOL(WINAPI*)(HMODULE), &FreeLibrary>;
// A GDI object (bitmap, brush, font, pen) and a memory device context.
inline BOOL WINAPI delete_gdi_object(HGDIOBJ object) { return DeleteObject(object); }
template <typename Object>
using ScopedGdiObject = ScopedHandleOf<Object, BOOL(WINAPI*)(HGDIOBJ), &delete_gdi_object>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedMemoryDC = ScopedHandleOf<HDC, BOOL(WINAPI*)(HDC), &DeleteDC>;

// A window's device context from GetDC (window 0: the screen), released with ReleaseDC.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedWindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for as long as this lives.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (old_) SelectObject(dc_, old_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The clipboard, opened for as long as this lives. Another program may hold it for a
// moment: a few tries, `pause_ms` apart.
class ScopedClipboard {
public:
    explicit ScopedClipboard(HWND owner, int tries = 5, DWORD pause_ms = 10) {
        for (int attempt = 0; attempt < tries && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_ && attempt + 1 < tries) Sleep(pause_ms);
        }
    }
    ~ScopedClipboard() {
        if (open_) CloseClipboard();
    }
    ScopedClipboard(const ScopedClipboard&) = delete;
    ScopedClipboard& operator=(const ScopedClipboard&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

}  // namespace zorbel
