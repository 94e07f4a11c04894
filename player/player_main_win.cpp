// The player stub's entry point. It carries the run engine; the start-up that reads
// a packaged script from its own resources comes with the compiler.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "This program is the Zorbel player stub and is not started on its own.", "Zorbel",
                MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
    return 0;
}
