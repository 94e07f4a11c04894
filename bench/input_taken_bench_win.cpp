// How long a program takes to read keys sent to it, and what is lost without waiting
// for that. Two Notepads take turns in front: "n1" into the first, "c" into the second,
// "n2" into the first, each followed at once by the next activation. With the wait the
// time each wait took is measured; without it (and without the activation's own wait)
// the activation follows the keys at once and the texts show what was lost.
// Run it with the machine busy to see the figures under load:
//   tools/wine-run.sh build/win32/bench/input_taken_bench_win.exe [rounds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "actions/input/input_queue_win.h"
#include "actions/input/key_events.h"
#include "actions/windows/window_search_win.h"
#include "bench/bench_notepad_win.h"

namespace {

using namespace zorbel;
using namespace zorbel::bench;

constexpr DWORD kLimitMs = 500;

void type(const char* text) {
    for (const char* c = text; *c; ++c) {
        const uint8_t code = static_cast<uint8_t>(*c >= 'a' && *c <= 'z' ? *c - 'a' + 'A' : *c);
        SendKeyTransition(code, false, kKeyPress);
        SendKeyTransition(code, false, kKeyRelease);
    }
}

// The wait a typing step ends with, timed: a round trip per queued message and one more.
double wait_taken(HWND window, int rounds, int* over) {
    const double begin = now_ms();
    if (!WaitForThreadInputTaken(window, rounds, kLimitMs)) ++*over;
    return now_ms() - begin;
}

// The activation as it was before: attach to the foreground thread, bring the window
// to the front, detach, without letting the foreground thread read its input first.
void activate_at_once(HWND window) {
    const DWORD self = GetCurrentThreadId();
    const DWORD other = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    const bool first = AttachThreadInput(other, self, TRUE) != 0;
    if (!first) AttachThreadInput(self, other, TRUE);
    SetForegroundWindow(window);
    BringWindowToTop(window);
    SetFocus(window);
    if (first) AttachThreadInput(other, self, FALSE);
    else AttachThreadInput(self, other, FALSE);
}

// One series of `rounds` alternations; returns the rounds whose texts came out whole.
int alternate(Notepad& first, Notepad& second, int rounds, bool wait, std::vector<double>* waits, int* over) {
    int whole = 0;
    for (int round = 0; round < rounds; ++round) {
        SendMessageA(first.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        SendMessageA(second.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        const struct {
            Notepad* into;
            const char* text;
        } turns[] = {{&first, "n1"}, {&second, "c"}, {&first, "n2"}};
        for (const auto& turn : turns) {
            if (wait) ActivateWindow(turn.into->window);
            else activate_at_once(turn.into->window);
            const HWND focus = FocusedWindow();
            type(turn.text);
            if (wait) waits->push_back(wait_taken(focus, 3 * static_cast<int>(std::string(turn.text).size()) + 1, over));
        }
        // The last keys have nothing after them to lose them: let them arrive.
        wait_taken(first.edit, 32, over);
        const std::string one = text_of(first.edit), two = text_of(second.edit);
        if (one == "n1n2" && two == "c") ++whole;
        else std::fprintf(stderr, "  round %d: \"%s\" and \"%s\"\n", round + 1, one.c_str(), two.c_str());
    }
    return whole;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    Notepad first, second;
    if (!start(&first) || !start(&second)) {
        std::fprintf(stderr, "could not start two Notepads\n");
        return 1;
    }
    std::vector<double> waits;
    int over = 0;
    const int lost_whole = alternate(first, second, rounds, false, &waits, &over);
    std::fprintf(stderr, "without the wait: %d of %d rounds whole\n", lost_whole, rounds);
    waits.clear();
    over = 0;
    const int whole = alternate(first, second, rounds, true, &waits, &over);
    std::fprintf(stderr, "with the wait: %d of %d rounds whole\n", whole, rounds);
    std::fprintf(stderr, "wait after typing (%zu waits): p50 %.1f ms, p99 %.1f ms, max %.1f ms, bound of %lu ms reached %d times\n",
                waits.size(), percentile(waits, 50), percentile(waits, 99), percentile(waits, 100),
                static_cast<unsigned long>(kLimitMs), over);
    end(&first);
    end(&second);
    return 0;
}
