// FindTargetWindow: the enumeration of top-level windows and their descendants, the
// per-window test, the own-window test, and the three special searches (window list,
// minimize all, close all).
#include <algorithm>
#include <cstring>
#include <vector>

#include "actions/windows/window_search_win.h"

namespace zorbel {

namespace {

constexpr UINT kTitleTimeoutMs = 100;
HWND g_own_main_window = nullptr;

struct SearchState {
    WindowCriteria criteria;
    uint32_t mode = 0;
    HWND own_main_window = nullptr;
    HWND found = nullptr;
    WindowMatchCounts counts;
    HANDLE list_file = INVALID_HANDLE_VALUE;
    // Threads that did not answer WM_GETTEXT in this search: their other windows are
    // not asked again, so one hung program costs a search 100 ms, not 100 ms for each
    // of its controls.
    std::vector<DWORD> hung_threads;
};

WindowFacts read_facts(HWND window);

bool is_top_level_window(HWND window) { return GetAncestor(window, GA_PARENT) == GetDesktopWindow(); }

// The title the system keeps for a top-level window, read without sending it a
// message; "" for other windows.
std::string kept_title(HWND window, size_t limit) {
    if (!is_top_level_window(window)) return std::string();
    std::wstring wide(limit + 1, L'\0');
    int length = InternalGetWindowText(window, &wide[0], static_cast<int>(limit + 1));
    if (length <= 0) return std::string();
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string narrow(bytes > 0 ? static_cast<size_t>(bytes) : 0, '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), length, &narrow[0], bytes, nullptr, nullptr);
    if (narrow.size() > limit) narrow.resize(limit);
    return narrow;
}

// WM_GETTEXT with a 100 ms time-out; false when the window's thread did not answer.
// SMTO_ABORTIFHUNG gives up at once on a thread the system already knows is hung.
bool ask_title(HWND window, size_t limit, std::string* title) {
    title->assign(limit + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, limit + 1, reinterpret_cast<LPARAM>(&(*title)[0]), SMTO_ABORTIFHUNG,
                             kTitleTimeoutMs, &copied))
        return false;
    title->resize(std::char_traits<char>::length(title->c_str()));
    return true;
}

std::string read_title(HWND window, std::vector<DWORD>* hung_threads) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (hung_threads && std::find(hung_threads->begin(), hung_threads->end(), thread) != hung_threads->end())
        return kept_title(window, kTitleLimit);
    std::string title;
    if (ask_title(window, kTitleLimit, &title)) return title;
    if (hung_threads) hung_threads->push_back(thread);
    return kept_title(window, kTitleLimit);
}

bool matches(HWND window, const WindowCriteria& criteria, uint32_t mode, std::vector<DWORD>* hung_threads) {
    if (criteria.criteria & (kCriteriaListWindows | kCriteriaMinimizeAll | kCriteriaCloseAll)) return false;
    WindowFacts facts = read_facts(window);
    if (!passes_mode(mode, facts)) return false;
    if (criteria.criteria & kCriterionTitle) facts.title = read_title(window, hung_threads);
    return facts_match(criteria, facts);
}

std::string class_of(HWND window) {
    char name[kClassLimit + 1] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// Everything but the title, which only a title criterion or the list needs.
WindowFacts read_facts(HWND window) {
    WindowFacts facts;
    facts.class_name = class_of(window);
    facts.id = GetWindowLongA(window, GWL_ID);
    facts.user_data = GetWindowLongA(window, GWL_USERDATA);
    facts.style = static_cast<uint32_t>(GetWindowLongA(window, GWL_STYLE));
    facts.visible = IsWindowVisible(window) != FALSE;
    facts.has_parent = GetParent(window) != nullptr;
    return facts;
}

bool framed_visible(HWND window) {
    return has_frame(static_cast<uint32_t>(GetWindowLongA(window, GWL_STYLE))) && IsWindowVisible(window);
}

void append_list_line(SearchState& state, HWND window) {
    WindowFacts facts = read_facts(window);
    if (!passes_mode(state.mode, facts)) return;
    facts.title = read_title(window, &state.hung_threads);
    std::string line = window_list_line(state.mode, facts, reinterpret_cast<uintptr_t>(window));
    if (line.empty() || state.list_file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(state.list_file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void minimize_if_shown(HWND window, uint32_t mode) {
    WindowFacts facts = read_facts(window);
    if (!passes_mode(mode, facts)) return;
    if (!has_frame(facts.style) || !facts.visible || facts.has_parent) return;
    if (!(facts.style & kStyleVisible) || IsIconic(window)) return;
    // Asynchronously, so that one hung window cannot stop the whole step.
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
        ShowWindow(window, SW_MINIMIZE);
    else
        ShowWindowAsync(window, SW_MINIMIZE);
}

void close_if_shown(HWND window, const SearchState& state) {
    WindowFacts facts = read_facts(window);
    if (!passes_mode(state.mode, facts)) return;
    if (!has_frame(facts.style) || !facts.visible || facts.has_parent) return;
    HWND desktop = GetDesktopWindow();
    if (window == desktop || IsChild(desktop, window)) return;
    // Closing the program's own windows would end the run that asked for it.
    if (IsOwnWindow(state.own_main_window, window)) return;
    CloseWindowForcibly(window, 250);
}

BOOL CALLBACK child_window(HWND window, LPARAM parameter) {
    SearchState& state = *reinterpret_cast<SearchState*>(parameter);
    if (state.criteria.criteria == kCriteriaListWindows) {
        append_list_line(state, window);
        return TRUE;
    }
    if (matches(window, state.criteria, state.mode, &state.hung_threads) &&
        !IsOwnWindow(state.own_main_window, window)) {
        ++state.counts.child;
        state.found = window;
    }
    return TRUE;
}

BOOL CALLBACK top_level_window(HWND window, LPARAM parameter) {
    SearchState& state = *reinterpret_cast<SearchState*>(parameter);
    switch (state.criteria.criteria) {
        case kCriteriaListWindows:
            append_list_line(state, window);
            break;
        case kCriteriaMinimizeAll:
            minimize_if_shown(window, state.mode);
            return TRUE;
        case kCriteriaCloseAll:
            close_if_shown(window, state);
            return TRUE;
        default:
            if (matches(window, state.criteria, state.mode, &state.hung_threads) &&
                !IsOwnWindow(state.own_main_window, window) &&
                framed_visible(window)) {
                ++state.counts.top_level;
                state.found = window;
            }
    }
    EnumChildWindows(window, child_window, parameter);
    return TRUE;
}

std::string window_list_path() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (slash) slash[1] = '\0';
    return std::string(path) + "windows.txt";
}

BOOL CALLBACK find_zorbel_window(HWND window, LPARAM parameter) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || class_of(window) != "Zorbel") return TRUE;
    *reinterpret_cast<HWND*>(parameter) = window;
    return FALSE;
}

}  // namespace

std::string ReadWindowTitle(HWND window, size_t limit) {
    std::string title;
    if (ask_title(window, limit, &title)) return title;
    return kept_title(window, limit);
}

void SetOwnMainWindow(HWND main_window) { g_own_main_window = main_window; }

HWND OwnMainWindow() {
    if (g_own_main_window && IsWindow(g_own_main_window)) return g_own_main_window;
    HWND found = nullptr;
    EnumWindows(find_zorbel_window, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool IsOwnWindow(HWND main_window, HWND window) {
    if (!main_window || !window) return false;
    const std::string own_class = class_of(main_window);
    HWND w = window;
    for (int i = 0; i < 6 && w; ++i, w = GetParent(w)) {
        if (w == main_window) return true;
        if (!own_class.empty() && class_of(w).find(own_class) != std::string::npos) return true;
    }
    return false;
}

bool WindowMatches(HWND window, const WindowCriteria& criteria, uint32_t mode) {
    return matches(window, criteria, mode, nullptr);
}

HWND FindTargetWindow(uint32_t criteria, const char* specification, uint32_t mode, WindowMatchCounts* counts) {
    if (counts) *counts = WindowMatchCounts();
    const bool special =
        criteria == kCriteriaListWindows || criteria == kCriteriaMinimizeAll || criteria == kCriteriaCloseAll;
    HWND fallback = nullptr;
    if (specification && !special) {
        if (criteria & kCriterionTitle) fallback = FindWindowA(nullptr, specification);
        if (criteria & kCriterionClass) fallback = FindWindowA(specification, nullptr);
    }
    if (!specification && !special) return nullptr;

    SearchState state;
    state.criteria = special ? WindowCriteria{criteria, {}, {}, {}, {}}
                             : split_window_specification(criteria, specification);
    state.mode = mode;
    state.own_main_window = OwnMainWindow();
    if (criteria == kCriteriaListWindows)
        state.list_file = CreateFileA(window_list_path().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EnumWindows(top_level_window, reinterpret_cast<LPARAM>(&state));
    if (state.list_file != INVALID_HANDLE_VALUE) CloseHandle(state.list_file);
    if (counts) *counts = state.counts;
    if (state.found) return state.found;
    // The FindWindow fallback answers only for a window the enumeration would have
    // accepted as a top-level match: framed, visible, passing the mode and not one of
    // our own. Otherwise a hidden or frameless window given by its exact title would
    // "exist" for every search, and a wait for it to disappear would never end.
    if (!fallback || !framed_visible(fallback)) return nullptr;
    if (!passes_mode(mode, read_facts(fallback)) || IsOwnWindow(state.own_main_window, fallback)) return nullptr;
    return fallback;
}

int ControlKind(HWND window) {
    return control_kind_of(class_of(window), static_cast<uint32_t>(GetWindowLongA(window, GWL_STYLE)));
}

}  // namespace zorbel
