/* zbclipholder.exe EVENT: opens the clipboard, signals the named event EVENT and
   keeps the clipboard open until the test ends it (at most 60 seconds). */
#include <windows.h>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    HWND owner = CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
    if (!OpenClipboard(owner)) return 3;
    HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    if (held == NULL) return 4;
    SetEvent(held);
    Sleep(60000);
    CloseClipboard();
    return 0;
}
