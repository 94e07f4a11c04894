#include <windows.h>

#include <cstring>
#include <vector>

#include "actions/screen/bitmap_capture.h"

namespace zorbel {

namespace {

void put32(unsigned char* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

bool capture_to_bitmap_file(intptr_t window_handle, const std::string& path) {
    HWND window = reinterpret_cast<HWND>(window_handle);
    HWND source = window ? window : GetDesktopWindow();
    int width, height;
    if (window) {
        RECT r;
        if (!GetWindowRect(window, &r)) return false;
        width = r.right - r.left;
        height = r.bottom - r.top;
    } else {
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
    }
    if (width <= 0 || height <= 0) return false;

    HDC screen = window ? GetWindowDC(window) : GetDC(source);
    if (!screen) return false;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    bool ok = memory && bitmap;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != 0;
        SelectObject(memory, old);
    }

    std::vector<unsigned char> pixels;
    BITMAPINFO info;
    std::memset(&info, 0, sizeof(info));
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    if (ok) ok = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), nullptr, &info, DIB_RGB_COLORS) != 0;
    if (ok) {
        BITMAPINFOHEADER& h = info.bmiHeader;
        // Rows are padded to whole 32-bit words, so the image size counts the padding.
        const uint32_t stride = ((static_cast<uint32_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
        const uint32_t rows = static_cast<uint32_t>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
        h.biCompression = BI_RGB;
        h.biSizeImage = stride * rows;
        h.biClrUsed = 0;
        pixels.resize(h.biSizeImage < 256 ? 256 : h.biSizeImage);
        ok = GetDIBits(memory, bitmap, 0, rows, pixels.data(), &info, DIB_RGB_COLORS) != 0;
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    ReleaseDC(source, screen);
    if (!ok) return false;

    const BITMAPINFOHEADER& h = info.bmiHeader;
    unsigned char header[14] = {'B', 'M'};
    put32(header + 2, h.biSizeImage + 54);
    put32(header + 10, 54);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    ok = WriteFile(file, header, sizeof(header), &written, nullptr) && written == sizeof(header);
    ok = ok && WriteFile(file, &h, 40, &written, nullptr) && written == 40;
    ok = ok && WriteFile(file, pixels.data(), h.biSizeImage, &written, nullptr) && written == h.biSizeImage;
    CloseHandle(file);
    return ok;
}

}  // namespace zorbel
