// The image search on the Wine screen: the search as first written (GetPixel for every
// screen pixel, the stop key polled before each, Sleep(0) each row) timed on a band of
// rows and scaled to the whole scan, against the search of the program (one capture,
// then a scan in memory), whole: loading the file, capturing and matching. Then the
// matcher's worst cases on 1920 x 1080 buffers.
//
// The benchmark covers the screen with a window that shows the testbed's varied
// background with its pattern near the bottom-right corner, so both searches run
// through nearly the whole screen before they find it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "actions/screen/bmp_format.h"
#include "actions/screen/screen_capture.h"
#include "actions/screen/screen_desktop.h"
#include "actions/screen/screen_search.h"
#include "bench/image_search_cases.h"

namespace {

using namespace zorbel;

double now_ms() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::vector<uint32_t> g_dib;  // the cover window's picture, 0x00RRGGBB words, top-down
int g_width = 0, g_height = 0;

LRESULT CALLBACK cover_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = g_width;
        info.bmiHeader.biHeight = -g_height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, 0, 0, g_width, g_height, 0, 0, 0, g_height, g_dib.data(), &info, DIB_RGB_COLORS);
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

void pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    MSG m;
    while (GetTickCount() < end) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(5);
    }
}

// The search as first written, over screen rows [first_row, last_row): the anchor's colour
// read pixel by pixel with GetPixel; a candidate compared pixel by pixel the same way.
// Returns the number of candidates tried.
int per_pixel_band(HDC screen, const PixelBuffer& image, int width, int first_row, int last_row) {
    const ImageAnchor anchor = choose_anchor(image);
    int candidates = 0;
    for (int y = first_row; y < last_row; ++y) {
        Sleep(0);
        for (int x = 0; width - x >= image.width - 1; ++x) {
            if (GetAsyncKeyState(VK_PAUSE) & 0x8000) return candidates;
            if (GetPixel(screen, x, y) != anchor.colour) continue;
            ++candidates;
            const int cx = x - anchor.x, cy = y - anchor.y;
            bool equal = true;
            for (int iy = 0; iy < image.height && equal; ++iy)
                for (int ix = 0; ix < image.width && equal; ++ix) {
                    if (GetAsyncKeyState(VK_PAUSE) & 0x8000) return candidates;
                    equal = GetPixel(screen, cx + ix, cy + iy) == image.at(ix, iy);
                }
        }
    }
    return candidates;
}

class QuietEvents : public ImageMatchEvents {
public:
    bool stop_key_down() override { return (GetAsyncKeyState(VK_PAUSE) & 0x8000) != 0; }
    void log_line(const std::string&) override {}
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    g_width = GetSystemMetrics(SM_CXSCREEN);
    g_height = GetSystemMetrics(SM_CYSCREEN);
    const PixelBuffer image = image_bench::pattern();
    PixelBuffer picture = image_bench::varied_screen(g_width, g_height);
    const int at_x = g_width - image.width - 40, at_y = g_height - image.height - 30;
    image_bench::paste(&picture, image, at_x, at_y);
    g_dib.resize(picture.pixels.size());
    for (size_t i = 0; i < g_dib.size(); ++i) {
        const uint32_t c = picture.pixels[i];
        g_dib[i] = (red_of(c) << 16) | (green_of(c) << 8) | blue_of(c);
    }

    WNDCLASSA wc = {};
    wc.lpfnWndProc = cover_procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZbImageBench";
    RegisterClassA(&wc);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST, "ZbImageBench", "image search bench", WS_POPUP | WS_VISIBLE, 0, 0,
                                 g_width, g_height, nullptr, nullptr, wc.hInstance, nullptr);
    pump(500);

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "zorbel_image_bench.bmp";
    const std::string bytes = encode_bmp(image);
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);

    std::printf("Wine screen %d x %d, image %d x %d at (%d, %d)\n", g_width, g_height, image.width, image.height, at_x,
                at_y);

    // The search as first written, on a band of rows.
    HDC screen = GetDC(nullptr);
    const int band = 8;
    double start = now_ms();
    per_pixel_band(screen, image, g_width, 100, 100 + band);
    const double band_ms = now_ms() - start;
    ReleaseDC(nullptr, screen);
    const int rows = at_y + 1;  // the rows it scans before it reaches the image
    const double per_pixel_ms = band_ms / band * rows;
    std::printf("Search as first written (GetPixel per pixel): %.1f ms for %d rows, %.3f ms a row, "
                "%.0f ms (%.1f s) for the %d rows before the match\n",
                band_ms, band, band_ms / band, per_pixel_ms, per_pixel_ms / 1000, rows);

    // The program's search, whole.
    QuietEvents events;
    std::vector<double> whole, capture, fresh_capture, match;
    int32_t x = -1, y = -1;
    bool found = false;
    ScreenGrabber grabber;
    for (int i = 0; i < 15; ++i) {
        start = now_ms();
        found = FindImageOnScreen(system_screen_desktop(), events, path, &x, &y, nullptr, nullptr, false, true, nullptr);
        whole.push_back(now_ms() - start);
        start = now_ms();
        const PixelBuffer* shot = grabber.grab();
        capture.push_back(now_ms() - start);
        start = now_ms();
        if (shot) match_image(*shot, image, false, true, events);
        match.push_back(now_ms() - start);
        PixelBuffer fresh;
        start = now_ms();
        capture_screen_pixels(&fresh);
        fresh_capture.push_back(now_ms() - start);
    }
    std::printf("Program's search (load + capture + match), median of 15: %.1f ms (best %.1f), %s at (%d, %d)\n",
                median(whole), *std::min_element(whole.begin(), whole.end()), found ? "found" : "NOT FOUND", x, y);
    std::printf("  of which: capture into kept memory %.1f ms (into new memory %.1f ms), match %.1f ms\n",
                median(capture), median(fresh_capture), median(match));
    std::printf("Ratio: %.0fx\n", per_pixel_ms / median(whole));
    DestroyWindow(cover);
    DeleteFileA(path.c_str());

    std::printf("Under Wine (mingw build): ");
    image_bench::run_worst_cases();
    return 0;
}
