#include <windows.h>

#include "actions/mouse/pointer_settle.h"

namespace zorbel {

namespace {

// Inside Wine's virtual desktop a pointer just placed springs back to an earlier place
// (where the last absolute mouse_event move or SetCursorPos put it) a millisecond or two
// after SetCursorPos, for about 100 ms, and a click sent meanwhile lands there. And the
// place a button event lands at follows the pointer only once the thread has looked at
// its message queue. Under Wine a placed pointer is therefore waited for, looking at
// the queue without taking messages from it, until it has stood at its place for a
// while.
constexpr double kPointerSteadyMs = 120;
constexpr double kPointerSettleLimitMs = 500;

double milliseconds_now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

bool running_on_wine() {
    static const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

void wait_for_pointer_at(long x, long y) {
    if (!running_on_wine()) return;
    const double start = milliseconds_now();
    double steady_since = start;
    for (;;) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        POINT p = {0, 0};
        GetCursorPos(&p);
        const double now = milliseconds_now();
        if (p.x != x || p.y != y) steady_since = now;
        if (now - steady_since >= kPointerSteadyMs || now - start >= kPointerSettleLimitMs) return;
        Sleep(1);
    }
}

}  // namespace zorbel
