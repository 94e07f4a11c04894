// The one wait of the Windows tests: pumps this thread's messages until a probe gives a
// value the test accepts or the deadline passes, and names the last value seen on failure.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>

namespace zorbel {
namespace wintest {

// Every wait for another process ends after this long.
constexpr DWORD kDeadlineMs = 10000;
constexpr DWORD kPollMs = 20;

inline void pump_messages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Pumps for `ms` milliseconds.
inline void pump_for(DWORD ms) {
    const DWORD begin = GetTickCount();
    do {
        pump_messages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - begin < ms);
}

template <typename Probe, typename Accept>
::testing::AssertionResult wait_for(const std::string& what, Probe probe, Accept accept,
                                    DWORD deadline_ms = kDeadlineMs) {
    const DWORD begin = GetTickCount();
    for (;;) {
        pump_messages();
        const auto last = probe();
        if (accept(last)) return ::testing::AssertionSuccess();
        if (GetTickCount() - begin >= deadline_ms) {
            std::ostringstream seen;
            seen << last;
            return ::testing::AssertionFailure() << what << ": not within " << deadline_ms << " ms; last seen: "
                                                 << seen.str();
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    }
}

template <typename Condition>
::testing::AssertionResult wait_until(Condition condition, DWORD deadline_ms = kDeadlineMs) {
    return wait_for("condition", [&] { return static_cast<bool>(condition()); }, [](bool held) { return held; },
                    deadline_ms);
}

}  // namespace wintest
}  // namespace zorbel
