// zbsendinput.exe: input from another process, for the recording tests. Each argument is
// one command: "k:VK" presses and releases a key, "d:VK" / "u:VK" press or release it,
// "m:X,Y" moves the pointer there, "c:X,Y" moves there and clicks the left button,
// "w:X,Y" moves there and turns the wheel one notch down, "s:MS" waits.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

void key(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

void mouse(long x, long y, DWORD flags, DWORD data = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    input.mi.mouseData = data;
    SendInput(1, &input, sizeof(input));
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        long a = 0, b = 0;
        if (std::sscanf(arg + 2, "%ld,%ld", &a, &b) < 1) return 2;
        switch (arg[0]) {
            case 'k': key(static_cast<WORD>(a), false); Sleep(30); key(static_cast<WORD>(a), true); break;
            case 'd': key(static_cast<WORD>(a), false); break;
            case 'u': key(static_cast<WORD>(a), true); break;
            case 'm': mouse(a, b, 0); break;
            case 'c': mouse(a, b, MOUSEEVENTF_LEFTDOWN); Sleep(30); mouse(a, b, MOUSEEVENTF_LEFTUP); break;
            case 'w': mouse(a, b, MOUSEEVENTF_WHEEL, static_cast<DWORD>(-WHEEL_DELTA)); break;
            case 's': Sleep(static_cast<DWORD>(a)); break;
            default: return 2;
        }
        Sleep(40);
    }
    return 0;
}
