#include <windows.h>

#include <cstring>
#include <vector>

#include "actions/screen/bitmap_capture.h"
#include "actions/screen/bmp_format.h"
#include "platform/scoped_win.h"

namespace zorbel {

namespace {

// A BITMAPINFO with room for the largest colour table, which GetDIBits writes for
// displays of 8 bits per pixel or fewer.
struct InfoWithColours {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

uint32_t colour_table_entries(const BITMAPINFOHEADER& h) {
    if (h.biBitCount > 8) return 0;
    return h.biClrUsed ? h.biClrUsed : (1u << h.biBitCount);
}

bool write_whole_file(const std::string& path, const std::string& head, const void* pixels, uint32_t size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, head.data(), static_cast<DWORD>(head.size()), &written, nullptr) &&
              written == head.size();
    ok = ok && WriteFile(file, pixels, size, &written, nullptr) && written == size;
    CloseHandle(file);
    return ok;
}

}  // namespace

bool CaptureToBitmapFile(intptr_t window_handle, const std::string& path) {
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
    ScopedMemoryDC memory(CreateCompatibleDC(screen));
    ScopedBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
    bool ok = memory && bitmap;
    if (ok) {
        ScopedSelect selected(memory.get(), bitmap.get());
        ok = BitBlt(memory.get(), 0, 0, width, height, screen, 0, 0, SRCCOPY) != 0;
    }
    ReleaseDC(source, screen);

    // The display's format first (header only), then the rows in it without compression.
    std::vector<unsigned char> pixels;
    InfoWithColours info;
    std::memset(&info, 0, sizeof(info));
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    BITMAPINFO* as_info = reinterpret_cast<BITMAPINFO*>(&info);
    if (ok) ok = GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), nullptr, as_info, DIB_RGB_COLORS) != 0;
    if (ok) {
        BITMAPINFOHEADER& h = info.header;
        // Rows are padded to whole 32-bit words, so the image size counts the padding.
        h.biCompression = BI_RGB;
        h.biSizeImage = bmp_image_size(h.biWidth, h.biHeight, h.biBitCount);
        pixels.resize(h.biSizeImage < 256 ? 256 : h.biSizeImage);
        const UINT rows = static_cast<UINT>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
        ok = GetDIBits(memory.get(), bitmap.get(), 0, rows, pixels.data(), as_info, DIB_RGB_COLORS) != 0;
    }
    if (!ok) return false;

    // A display of 8 bits or fewer needs its colour table in the file to be readable.
    const BITMAPINFOHEADER& h = info.header;
    const uint32_t table_size = colour_table_entries(h) * sizeof(RGBQUAD);
    std::string head = bmp_file_header(h.biSizeImage, kBmpPixelOffset + table_size);
    head.append(reinterpret_cast<const char*>(&h), kBmpInfoHeaderSize);
    head.append(reinterpret_cast<const char*>(info.colours), table_size);
    return write_whole_file(path, head, pixels.data(), h.biSizeImage);
}

}  // namespace zorbel
