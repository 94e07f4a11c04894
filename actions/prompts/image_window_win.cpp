// The image window of "Display Image" (class "QuenbySplash"): a topmost borderless
// window of the image's own size, centred on the screen. A ".BMP" path is loaded as a
// bitmap, any other picture (ICO, GIF, JPEG) through OLE's picture loader. It closes
// on a click, a key or its timer.
#include <windows.h>

#include <ole2.h>
#include <olectl.h>

#include "actions/prompts/prompt_windows_win.h"
#include "core/text_rules.h"

namespace zorbel {

namespace {

constexpr const char* kImageClass = "QuenbySplash";
constexpr UINT_PTR kImageTimerId = 7376;

// What the window paints: a bitmap or an OLE picture, and the size in pixels.
struct LoadedImage {
    HBITMAP bitmap = nullptr;
    IPicture* picture = nullptr;
    int width = 0;
    int height = 0;
};

bool load_bitmap(const std::string& path, LoadedImage* image) {
    image->bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    BITMAP info = {};
    if (image->bitmap == nullptr || GetObjectA(image->bitmap, sizeof(info), &info) == 0) return false;
    image->width = info.bmWidth;
    image->height = info.bmHeight;
    return true;
}

int himetric_to_pixels(OLE_XSIZE_HIMETRIC size, int pixels_per_inch) {
    return MulDiv(size, pixels_per_inch, 2540);
}

bool load_picture(const std::string& path, LoadedImage* image) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const DWORD size = GetFileSize(file, nullptr);
    HGLOBAL memory = size == INVALID_FILE_SIZE || size == 0 ? nullptr : GlobalAlloc(GMEM_MOVEABLE, size);
    DWORD read = 0;
    bool ok = memory != nullptr && ReadFile(file, GlobalLock(memory), size, &read, nullptr) && read == size;
    if (memory != nullptr) GlobalUnlock(memory);
    CloseHandle(file);
    IStream* stream = nullptr;
    if (ok) ok = SUCCEEDED(CreateStreamOnHGlobal(memory, TRUE, &stream));
    else if (memory != nullptr) GlobalFree(memory);
    if (!ok) return false;
    const HRESULT com = CoInitialize(nullptr);
    ok = SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                  reinterpret_cast<void**>(&image->picture)));
    stream->Release();
    if (SUCCEEDED(com)) CoUninitialize();
    if (!ok || image->picture == nullptr) return false;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    image->picture->get_Width(&width);
    image->picture->get_Height(&height);
    HDC screen = GetDC(nullptr);
    image->width = himetric_to_pixels(width, GetDeviceCaps(screen, LOGPIXELSX));
    image->height = himetric_to_pixels(height, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return image->width > 0 && image->height > 0;
}

void release(LoadedImage* image) {
    if (image->bitmap != nullptr) DeleteObject(image->bitmap);
    if (image->picture != nullptr) image->picture->Release();
    delete image;
}

void paint(HWND window, const LoadedImage& image) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (image.bitmap != nullptr) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, image.bitmap);
        BitBlt(dc, 0, 0, image.width, image.height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    } else if (image.picture != nullptr) {
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        image.picture->get_Width(&width);
        image.picture->get_Height(&height);
        image.picture->Render(dc, 0, 0, image.width, image.height, 0, height, width, -height, nullptr);
    }
    EndPaint(window, &ps);
}

LRESULT CALLBACK image_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    LoadedImage* image = reinterpret_cast<LoadedImage*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_PAINT:
            if (image == nullptr) break;
            paint(window, *image);
            return 0;
        case WM_TIMER:
            if (wparam != kImageTimerId) break;
            DestroyWindow(window);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_KEYDOWN:
        case WM_CHAR:
            DestroyWindow(window);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            if (image != nullptr) release(image);
            break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

HWND PromptWindows::show_image(const std::string& path, uint32_t close_ms) {
    if (path.empty()) return nullptr;
    LoadedImage* image = new LoadedImage;
    const bool loaded =
        contains_ignore_case(path, ".BMP") ? load_bitmap(path, image) : load_picture(path, image);
    if (!loaded) {
        release(image);
        return nullptr;
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (!GetClassInfoA(instance, kImageClass, &wc)) {
        wc.lpfnWndProc = image_procedure;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kImageClass;
        RegisterClassA(&wc);
    }
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - image->width / 2 - 1;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - image->height / 2 - 1;
    HWND window = CreateWindowExA(WS_EX_TOPMOST, kImageClass, "", WS_POPUP, x, y, image->width, image->height, nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr) {
        release(image);
        return nullptr;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(image));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    if (close_ms != 0) SetTimer(window, kImageTimerId, close_ms, nullptr);
    return window;
}

}  // namespace zorbel
