// zbtestbed.exe: a small window with well-known controls, menus and a picture, which the
// end-to-end tests drive and watch. What it shows, its identifiers and the format of its event
// log are in testbed_ids.h.
//
// Command line (switches start with '/' or '-', any case):
//   /log PATH          append one line per event to PATH (Windows path, e.g. Z:\tmp\events.txt)
//   /title TEXT        main window title (default "Zorbel Testbed"), e.g. for two instances
//   /pos X Y           window position on the screen (default 100 100)
//   /size W H          window size (default: sized for a 640 x 480 client area)
//   /userdata N        GWLP_USERDATA of the main window (default 0x5A0B7E57), decimal or 0x hex
//   /hang [SECONDS]    stop answering messages right after READY, for SECONDS (default 600)
//   /hangtime SECONDS  how long the Test > Hang menu item hangs (default 600)
//   /noclose [N]       refuse the first N WM_CLOSE messages (no N: refuse all)
//   /exitcode N        exit code after a normal close (default 0)
// A bad command line writes "ERROR ..." to the log (when /log came before the fault) and exits
// with 2; a window that cannot be created exits with 3.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/testbed/event_log.h"
#include "tests/testbed/input_logging.h"
#include "tests/testbed/testbed_ids.h"
#include "tests/testbed/testbed_options.h"
#include "tests/testbed/testbed_window.h"

namespace zorbel::testbed {
namespace {

constexpr int kNoWindowExitCode = 3;

void log_ready(HWND main) {
    RECT window, client;
    GetWindowRect(main, &window);
    GetClientRect(main, &client);
    POINT origin = {0, 0};
    ClientToScreen(main, &origin);
    log_eventf("READY hwnd=%lu pid=%lu window=%ld,%ld,%ld,%ld client=%ld,%ld,%ld,%ld",
               static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(main)), GetCurrentProcessId(), window.left,
               window.top, window.right, window.bottom, origin.x, origin.y, client.right, client.bottom);
}

int run(HINSTANCE instance) {
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
    Options options;
    std::string error;
    bool parsed = parse_options(args, &options, &error);
    open_event_log(options.log_path);
    if (!parsed) {
        log_event("ERROR " + error, true);
        close_event_log();
        return kBadCommandLineExitCode;
    }

    HWND main = create_testbed_window(instance, options);
    if (!main) {
        log_event("ERROR cannot create the main window", true);
        close_event_log();
        return kNoWindowExitCode;
    }
    HACCEL accelerators = create_testbed_accelerators();
    ShowWindow(main, SW_SHOWNORMAL);
    UpdateWindow(main);
    SetForegroundWindow(main);
    install_input_logging(main);
    start_event_log();
    log_ready(main);
    if (options.hang_at_start) PostMessageA(main, kHangMessage, 0, 0);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(main, accelerators, &msg)) continue;
        // Tab, arrow keys and mnemonics move between the controls as in a dialog.
        if (IsDialogMessageA(main, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    remove_input_logging();
    DestroyAcceleratorTable(accelerators);
    log_eventf("EXIT code=%d", options.exit_code);
    close_event_log();
    return options.exit_code;
}

}  // namespace
}  // namespace zorbel::testbed

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return zorbel::testbed::run(instance); }
