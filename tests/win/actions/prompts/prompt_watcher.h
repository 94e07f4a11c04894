// Answers a prompt of the test's thread from a second thread, as a person would: waits
// (at most wintest::kDeadlineMs) for a visible window of the given class and title
// owned by that thread, then acts on it. The watcher's thread ends with the object.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "tests/win/support/wait.h"

namespace zorbel {
namespace wintest {

struct WindowQuery {
    const char* window_class;
    const char* title;  // null: any title
    HWND found = nullptr;
    std::string seen;  // every window looked at: class/title/(v)isible or (h)idden
};

inline BOOL CALLBACK match_thread_window(HWND window, LPARAM query_address) {
    WindowQuery& query = *reinterpret_cast<WindowQuery*>(query_address);
    char name[64] = {};
    char title[256] = {};
    GetClassNameA(window, name, sizeof(name));
    GetWindowTextA(window, title, sizeof(title));
    query.seen += std::string(name) + "/" + title + (IsWindowVisible(window) ? "/v " : "/h ");
    if (IsWindowVisible(window) && std::strcmp(name, query.window_class) == 0 &&
        (query.title == nullptr || std::strcmp(title, query.title) == 0)) {
        query.found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible window of `thread` with that class (and title), or null.
inline HWND thread_window(DWORD thread, const char* window_class, const char* title = nullptr) {
    WindowQuery query{window_class, title, nullptr, std::string()};
    EnumThreadWindows(thread, match_thread_window, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

inline std::string window_text(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

class PromptWatcher {
public:
    PromptWatcher(const char* window_class, const char* title, std::function<void(HWND)> answer)
        : thread_id_(GetCurrentThreadId()), thread_([=] { watch(window_class, title, answer); }) {}
    ~PromptWatcher() {
        stop_ = true;
        thread_.join();
    }
    bool answered() const { return answered_; }
    // The windows of the thread seen by the last look.
    std::string seen() const {
        std::lock_guard<std::mutex> lock(seen_mutex_);
        return seen_;
    }

private:
    void watch(const char* window_class, const char* title, const std::function<void(HWND)>& answer) {
        const DWORD begin = GetTickCount();
        while (!stop_ && GetTickCount() - begin < kDeadlineMs) {
            WindowQuery query{window_class, title, nullptr, std::string()};
            EnumThreadWindows(thread_id_, match_thread_window, reinterpret_cast<LPARAM>(&query));
            {
                std::lock_guard<std::mutex> lock(seen_mutex_);
                seen_ = query.seen;
            }
            if (HWND window = query.found) {
                Sleep(50);  // let the prompt finish opening, as a person would
                answered_ = true;
                answer(window);
                return;
            }
            Sleep(kPollMs);
        }
    }

    DWORD thread_id_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> answered_{false};
    mutable std::mutex seen_mutex_;
    std::string seen_;
    std::thread thread_;
};

}  // namespace wintest
}  // namespace zorbel
