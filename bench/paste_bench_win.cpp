// Whether a paste through the clipboard arrives, and how long a program takes to read it.
// Each round types a line into notepad without waiting (the backlog a busy machine leaves
// behind), pastes a second line with CTRL+V and puts the old clipboard text back, first as
// pastes were done before (a 500 ms pause and at most 32 round trips, then the old text
// back) and then with the text offered on the clipboard until notepad has read it. The
// texts show what was lost; the figures are the time from CTRL+V until notepad read the
// offered text, and the whole paste.
// Run it with the machine busy to see the figures under load:
//   tools/wine-run.sh build/win32/bench/paste_bench_win.exe [rounds] [backlog keys]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "actions/input/input_queue_win.h"
#include "actions/input/key_events.h"
#include "actions/windows/window_search_win.h"
#include "bench/bench_notepad_win.h"
#include "platform/clipboard.h"

namespace {

using namespace zorbel;
using namespace zorbel::bench;

constexpr DWORD kSettleMs = 500;
constexpr DWORD kReadLimitMs = 10000;  // far beyond the step's bound, to see the whole spread
constexpr char kSaved[] = "saved text";

void type_line(int keys) {
    for (int i = 0; i < keys; ++i) {
        const uint8_t code = static_cast<uint8_t>('A' + i % 26);
        SendKeyTransition(code, false, kKeyPress);
        SendKeyTransition(code, false, kKeyRelease);
    }
    SendKeyTransition(VK_RETURN, false, kKeyPress);
    SendKeyTransition(VK_RETURN, false, kKeyRelease);
}

std::string line_of(int keys) {
    std::string line;
    for (int i = 0; i < keys; ++i) line += static_cast<char>('a' + i % 26);
    return line + "\r\n";
}

void control_v() {
    SendKeyTransition(VK_CONTROL, false, kKeyPress);
    SendKeyTransition('V', false, kKeyPress);
    SendKeyTransition('V', false, kKeyRelease);
    SendKeyTransition(VK_CONTROL, false, kKeyRelease);
}

struct Figures {
    int whole = 0, restored = 0, unread = 0;
    std::vector<double> reads, pastes;
};

// The paste as it was: the text put on the clipboard, a pause, round trips, the old text back.
void paste_by_pause(HWND focus, const std::string& text) {
    clipboard::set_text(text);
    control_v();
    Sleep(kSettleMs);
    WaitForThreadInputTaken(focus, 32, 500);
    clipboard::set_text(kSaved);
}

// The paste with the text offered until notepad has read it.
void paste_when_read(HWND focus, const std::string& text, Figures* figures) {
    DWORD process = 0;
    GetWindowThreadProcessId(focus, &process);
    const bool offered = clipboard::offer_text(text, process);
    if (!offered) clipboard::set_text(text);
    control_v();
    const double begin = now_ms();
    while (offered && clipboard::offered_text() == clipboard::Offer::kWaiting && now_ms() - begin < kReadLimitMs)
        Sleep(5);
    const double read = now_ms() - begin;
    if (!offered || clipboard::offered_text() != clipboard::Offer::kRead) ++figures->unread;
    else figures->reads.push_back(read);
    if (read < kSettleMs) Sleep(static_cast<DWORD>(kSettleMs - read));
    WaitForThreadInputTaken(focus, 3, 500);
    clipboard::set_text(kSaved);
}

Figures series(const Notepad& notepad, int rounds, int backlog, bool offer) {
    Figures figures;
    for (int round = 0; round < rounds; ++round) {
        SendMessageA(notepad.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        ActivateWindow(notepad.window);
        const HWND focus = FocusedWindow();
        if (focus != notepad.edit) std::fprintf(stderr, "  round %d: the focus is not in notepad\n", round + 1);
        const std::string pasted = "pasted " + std::to_string(round + 1);
        type_line(backlog);
        const double begin = now_ms();
        if (offer) paste_when_read(focus, pasted, &figures);
        else paste_by_pause(focus, pasted);
        figures.pastes.push_back(now_ms() - begin);
        const std::string expected = line_of(backlog) + pasted;
        std::string text;
        for (int i = 0; i < 200 && (text = text_of(notepad.edit)) != expected; ++i) Sleep(25);
        if (text == expected) ++figures.whole;
        else std::fprintf(stderr, "  round %d: \"%s\"\n", round + 1, text.c_str());
        std::string now;
        if (clipboard::get_text(&now) && now == kSaved) ++figures.restored;
    }
    return figures;
}

void report(const char* name, const Figures& f, int rounds) {
    std::fprintf(stderr, "%s: %d of %d pastes whole, clipboard restored %d times\n", name, f.whole, rounds, f.restored);
    std::fprintf(stderr, "  paste step: p50 %.1f ms, p99 %.1f ms, max %.1f ms\n", percentile(f.pastes, 50),
                 percentile(f.pastes, 99), percentile(f.pastes, 100));
    if (!f.reads.empty() || f.unread)
        std::fprintf(stderr, "  read after CTRL+V: p50 %.1f ms, p99 %.1f ms, max %.1f ms, not read %d times\n",
                     percentile(f.reads, 50), percentile(f.reads, 99), percentile(f.reads, 100), f.unread);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    const int backlog = argc > 2 ? std::atoi(argv[2]) : 40;
    Notepad notepad;
    if (!start(&notepad)) {
        std::fprintf(stderr, "could not start notepad\n");
        return 1;
    }
    std::string kept;
    const bool had_text = clipboard::get_text(&kept);
    report("by a pause", series(notepad, rounds, backlog, false), rounds);
    report("when read", series(notepad, rounds, backlog, true), rounds);
    if (had_text) clipboard::set_text(kept);
    end(&notepad);
    return 0;
}
