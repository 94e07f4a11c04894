#include <windows.h>

#include <cstdlib>
#include <vector>

#include "actions/screen/screen_capture.h"

namespace zorbel {

namespace {

// A 32-bit DIB holds blue, green, red and an unused byte; colour values are 0x00BBGGRR.
inline uint32_t colour_of_dib_word(uint32_t word) {
    return ((word >> 16) & 0xFF) | (word & 0xFF00) | ((word & 0xFF) << 16);
}

void fill_from_dib(const uint32_t* words, int32_t width, int32_t height, PixelBuffer* out) {
    out->width = width;
    out->height = height;
    out->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    uint32_t* target = out->pixels.data();
    const size_t count = out->pixels.size();
    for (size_t i = 0; i < count; ++i) target[i] = colour_of_dib_word(words[i]);
}

BITMAPINFO top_down_32_bit(int32_t width, int32_t height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A 32-bit DIB section and a memory context it is selected into.
struct CopySurface {
    HDC memory = nullptr;
    HBITMAP dib = nullptr;
    HGDIOBJ old = nullptr;
    const uint32_t* bits = nullptr;
    int32_t width = 0, height = 0;

    bool make(HDC source, int32_t w, int32_t h) {
        BITMAPINFO info = top_down_32_bit(w, h);
        void* memory_bits = nullptr;
        memory = CreateCompatibleDC(source);
        dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &memory_bits, nullptr, 0);
        if (!memory || !dib || !memory_bits) return false;
        old = SelectObject(memory, dib);
        bits = static_cast<const uint32_t*>(memory_bits);
        width = w;
        height = h;
        return true;
    }
    void release() {
        if (memory && old) SelectObject(memory, old);
        if (dib) DeleteObject(dib);
        if (memory) DeleteDC(memory);
        *this = CopySurface();
    }
    bool copy(HDC source) {
        const bool ok = BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY) != 0;
        GdiFlush();
        return ok;
    }
};

// Copies a rectangle of `source` into memory with one BitBlt into a DIB section.
bool copy_from_dc(HDC source, int32_t width, int32_t height, PixelBuffer* out) {
    if (!source || width <= 0 || height <= 0) return false;
    CopySurface surface;
    bool ok = surface.make(source, width, height) && surface.copy(source);
    if (ok) fill_from_dib(surface.bits, width, height, out);
    surface.release();
    return ok;
}

}  // namespace

bool capture_screen_pixels(PixelBuffer* out) {
    const int32_t width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    const bool ok = copy_from_dc(screen, width, height, out);
    if (screen) ReleaseDC(nullptr, screen);
    return ok;
}

struct ScreenGrabber::Surface : CopySurface {};

ScreenGrabber::ScreenGrabber() : surface_(new Surface) {}

ScreenGrabber::~ScreenGrabber() { surface_->release(); }

const PixelBuffer* ScreenGrabber::grab() {
    const int32_t width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 0 || height <= 0) return nullptr;
    HDC screen = GetDC(nullptr);
    if (!screen) return nullptr;
    if (surface_->width != width || surface_->height != height) {
        surface_->release();
        if (!surface_->make(screen, width, height)) surface_->release();
    }
    const bool ok = surface_->dib && surface_->copy(screen);
    ReleaseDC(nullptr, screen);
    if (!ok) return nullptr;
    fill_from_dib(surface_->bits, width, height, &pixels_);
    return &pixels_;
}

bool capture_window_pixels(intptr_t window_handle, PixelBuffer* out) {
    HWND window = reinterpret_cast<HWND>(window_handle);
    RECT r;
    if (!window || !GetWindowRect(window, &r)) return false;
    HDC dc = GetWindowDC(window);
    const bool ok = copy_from_dc(dc, r.right - r.left, r.bottom - r.top, out);
    if (dc) ReleaseDC(window, dc);
    return ok;
}

bool load_bitmap_pixels(const std::string& path, PixelBuffer* out) {
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
    if (!bitmap) return false;
    BITMAP facts = {};
    bool ok = GetObjectA(bitmap, sizeof(facts), &facts) == sizeof(facts) && facts.bmWidth > 0 && facts.bmHeight != 0;
    const int32_t width = facts.bmWidth, height = std::abs(facts.bmHeight);
    if (ok) {
        std::vector<uint32_t> words(static_cast<size_t>(width) * static_cast<size_t>(height));
        BITMAPINFO info = top_down_32_bit(width, height);
        HDC dc = CreateCompatibleDC(nullptr);
        ok = dc && GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), words.data(), &info, DIB_RGB_COLORS) == height;
        if (dc) DeleteDC(dc);
        if (ok) fill_from_dib(words.data(), width, height, out);
    }
    DeleteObject(bitmap);
    return ok;
}

}  // namespace zorbel
