// Stages 1, 4, 5, 6 and 9 of the expander, and the search-and-replace they share.
#include <bitset>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/text_rules.h"
#include "engine/current_window.h"
#include "engine/expand_internal.h"
#include "engine/run_log.h"
#include "engine/windows_constants.h"
#include "platform/files.h"
#include "engine/setting_names.h"

namespace zorbel {
namespace expansion {
namespace {

char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool same_ignore_case(const char* a, const char* b, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

size_t find_exact(std::string_view text, std::string_view token, size_t from) {
    return text.find(token, from);
}

template <class Find>
size_t replace_with(std::string* text, std::string_view token, std::string_view value, Find find) {
    size_t hit = find(*text, token, 0);
    if (token.empty() || hit == std::string_view::npos) return 0;
    std::string out;
    out.reserve(text->size());
    size_t pos = 0, count = 0;
    size_t projected = text->size();
    for (; hit != std::string_view::npos; hit = find(*text, token, pos)) {
        // A replacement that would pass the size limit is not made.
        if (value.size() > token.size() && projected + (value.size() - token.size()) > kMaxExpansionSize) break;
        projected = projected - token.size() + value.size();
        out.append(*text, pos, hit - pos);
        out.append(value);
        pos = hit + token.size();
        ++count;
    }
    out.append(*text, pos, std::string::npos);
    text->swap(out);
    return count;
}

std::string decimal(long long n) { return std::to_string(n); }

std::string padded(int n, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%0*d", width, n);
    return buffer;
}

// The window position tokens; "%WINDOW" leaves them alone when they stay unreplaced.
constexpr const char* kWindowPositionTokens[] = {"%window_x", "%window_y", "%window_wide", "%window_hi"};

void replace_window_title(std::string* text, CurrentWindow* window) {
    constexpr std::string_view token = "%WINDOW";
    auto is_position = [&](size_t at) {
        for (const char* p : kWindowPositionTokens) {
            size_t n = std::strlen(p);
            if (at + n <= text->size() && same_ignore_case(text->data() + at, p, n)) return true;
        }
        return false;
    };
    size_t hit = find_token(*text, token);
    while (hit != std::string::npos && is_position(hit)) hit = find_token(*text, token, hit + 1);
    if (hit == std::string::npos) return;
    std::string title = window != nullptr ? window->title() : std::string();
    if (title.size() > 510) title.resize(510);
    std::string out;
    size_t pos = 0;
    size_t projected = text->size();
    for (; hit != std::string::npos; hit = find_token(*text, token, hit + 1)) {
        if (is_position(hit)) continue;
        if (projected + title.size() > kMaxExpansionSize) break;
        projected = projected + title.size() - token.size();
        out.append(*text, pos, hit - pos);
        out.append(title);
        pos = hit + token.size();
        hit = pos - 1;
    }
    out.append(*text, pos, std::string::npos);
    text->swap(out);
}

// The token of random characters at the first "%" + one of `lower`/`upper` (exact
// case): each `lower` letter becomes a character lo_lower..hi, each `upper` one
// lo_upper..hi; every occurrence of the same token gets the same characters.
void replace_random_token(std::string* text, ExpansionEnvironment* environment, char lower, char upper,
                          char lo_lower, char lo_upper, char hi_lower, char hi_upper) {
    size_t at = std::string::npos;
    for (size_t p = text->find('%'); p != std::string::npos; p = text->find('%', p + 1)) {
        if (p + 1 < text->size() && ((*text)[p + 1] == lower || (*text)[p + 1] == upper)) {
            at = p;
            break;
        }
    }
    if (at == std::string::npos) return;
    size_t end = at + 1;
    while (end < text->size() && end - at - 1 < 64 && ((*text)[end] == lower || (*text)[end] == upper)) ++end;
    std::string token = text->substr(at, end - at);
    std::string value;
    for (size_t i = 1; i < token.size(); ++i) {
        bool is_lower = token[i] == lower;
        int lo = is_lower ? lo_lower : lo_upper;
        int hi = is_lower ? hi_lower : hi_upper;
        int r = environment != nullptr ? environment->random15() : 0;
        // lo + trunc(rand / 32769 x (hi - lo + 1)): never past hi, since rand < 32769.
        value += static_cast<char>(lo + static_cast<int>(r / 32769.0 * (hi - lo + 1)));
    }
    replace_token_exact(text, token, value);
}

}  // namespace

size_t find_token(std::string_view text, std::string_view token, size_t from) {
    if (token.empty()) return from <= text.size() ? from : std::string_view::npos;
    if (text.size() < token.size()) return std::string_view::npos;
    const char lo = ascii_lower(token[0]);
    const char up = ascii_upper(token[0]);
    const size_t last = text.size() - token.size();
    for (size_t i = from; i <= last; ++i) {
        if (lo == up) {
            const void* p = std::memchr(text.data() + i, lo, last - i + 1);
            if (p == nullptr) return std::string_view::npos;
            i = static_cast<size_t>(static_cast<const char*>(p) - text.data());
        } else if (text[i] != lo && text[i] != up) {
            continue;
        }
        if (same_ignore_case(text.data() + i + 1, token.data() + 1, token.size() - 1)) return i;
    }
    return std::string_view::npos;
}

size_t replace_token(std::string* text, std::string_view token, std::string_view value) {
    return replace_with(text, token, value,
                        [](std::string_view t, std::string_view k, size_t from) { return find_token(t, k, from); });
}

size_t replace_token_exact(std::string* text, std::string_view token, std::string_view value) {
    return replace_with(text, token, value, find_exact);
}

void escape_percents(std::string* text) {
    size_t hit = text->find("%%");
    if (hit == std::string::npos) return;
    std::string out;
    out.reserve(text->size());
    size_t pos = 0;
    for (; hit != std::string::npos; hit = text->find("%%", pos)) {
        out.append(*text, pos, hit - pos);
        out += kPlaceholder;
        pos = hit + 2;
    }
    out.append(*text, pos, std::string::npos);
    text->swap(out);
}

void restore_percents(std::string* text) {
    for (char& c : *text)
        if (c == kPlaceholder) c = '%';
}

void expand_key_shortcuts(std::string* text) {
    if (text->find('{') == std::string::npos) return;
    replace_token(text, "{ENTER}", "%n");
    replace_token(text, "{TAB}", "%t");
    replace_token(text, "{SPACE}", " ");
}

void expand_windows_constants(std::string* text) {
    // Every name starts with one of these. A replacement inserts digits, which can
    // never complete a letter sequence, so a start missing from the text before the
    // stage stays missing: its names need no search.
    static constexpr const char* kStarts[] = {"MB_", "ID", "WS_", "GENERIC_", "FILE_", "CREATE_", "OPEN_", "TRUNCATE_"};
    bool present[std::size(kStarts)];
    bool any = false;
    for (size_t i = 0; i < std::size(kStarts); ++i) any |= present[i] = contains_token(*text, kStarts[i]);
    if (!any) return;
    for (const WindowsConstant& c : kWindowsConstants) {
        for (size_t i = 0; i < std::size(kStarts); ++i) {
            if (!starts_with_ignore_case(c.name, kStarts[i])) continue;
            if (present[i]) replace_token(text, c.name, std::to_string(c.value));
            break;
        }
    }
}

// Which letter pairs follow a "%" in a text: a token whose first two letters after
// its "%" are not among them cannot occur, and its pass over the text is skipped.
// Stage 6 makes about two hundred passes (two per environment variable), and most of
// its tokens are absent from a given text. Taken again after each replacement.
class PercentPairs {
public:
    explicit PercentPairs(const std::string& text) : text_(text) {}
    bool may_contain(std::string_view token) {
        if (stale_) rebuild();
        if (token.size() < 2 || token[0] != '%') return true;
        unsigned a = static_cast<unsigned char>(ascii_lower(token[1]));
        if (token.size() == 2) return singles_[a];
        unsigned b = static_cast<unsigned char>(ascii_lower(token[2]));
        return pairs_[a * 256 + b];
    }
    void changed() { stale_ = true; }

private:
    void rebuild() {
        stale_ = false;
        singles_.reset();
        pairs_.reset();
        for (size_t p = text_.find('%'); p != std::string::npos; p = text_.find('%', p + 1)) {
            if (p + 1 >= text_.size()) break;
            unsigned a = static_cast<unsigned char>(ascii_lower(text_[p + 1]));
            singles_[a] = true;
            if (p + 2 < text_.size()) pairs_[a * 256 + static_cast<unsigned char>(ascii_lower(text_[p + 2]))] = true;
        }
    }
    const std::string& text_;
    bool stale_ = true;
    std::bitset<256> singles_;
    std::bitset<65536> pairs_;
};

void expand_run_tokens(std::string* text, RunServices& services, const EnvironmentSnapshot& environment) {
    ExpansionEnvironment* env = services.environment;
    CurrentWindow* window = services.window;
    RunFacts* run = services.run;
    std::string script = run != nullptr ? run->script_path : std::string();
    PercentPairs pairs(*text);
    // Each token below is looked for only when the pairs allow it.
    auto replace_token = [&](std::string* t, std::string_view token, std::string_view value) -> size_t {
        if (!pairs.may_contain(token)) return 0;
        size_t n = expansion::replace_token(t, token, value);
        if (n > 0) pairs.changed();
        return n;
    };
    auto replace_token_with = [&](std::string* t, std::string_view token, auto value) -> size_t {
        if (!pairs.may_contain(token) || !contains_token(*t, token)) return 0;
        return replace_token(t, token, value());
    };

    replace_token_with(text, "%SYSDIR", [&] { return env ? env->system_folder() : std::string(); });
    replace_token_with(text, "%WINDIR", [&] { return env ? env->windows_folder() : std::string(); });
    replace_token_with(text, "%CURDIR", [&] { return env ? env->current_folder() : std::string(); });
    for (const auto& [name, value] : environment.entries()) {
        if (name.size() < 2) continue;
        if (text->find('%') == std::string::npos) break;
        replace_token(text, "%" + name + "%", value);
        replace_token(text, "%" + name, value);
    }
    replace_token_with(text, "%LOGFILE", [&] {
        return services.store != nullptr ? setting_text(*services.store, setting::kLogfile) : std::string();
    });
    replace_token_with(text, "%WINVER", [&] {
        if (env == nullptr) return std::string();
        VersionInfo v = env->version();
        const char* name = windows_version_name(v);
        if (services.log != nullptr && services.output != nullptr && services.output->visible())
            services.log->line(services.output, "\tINTERNAL VERSION INFO: [Platform %li] %li.%li.%li == \"%s\" (%li)\r\n",
                               v.platform, v.major, v.minor, v.build, name, v.flags);
        return std::string(name);
    });
    WindowRect r;
    if (contains_token(*text, "%WINDOW_") && window != nullptr && window->rect(&r)) {
        replace_token(text, "%window_x", decimal(r.left));
        replace_token(text, "%window_y", decimal(r.top));
        replace_token(text, "%window_wide", decimal(static_cast<long long>(r.right) - r.left));
        replace_token(text, "%window_hi", decimal(static_cast<long long>(r.bottom) - r.top));
    }
    if (pairs.may_contain("%WINDOW")) {
        replace_window_title(text, window);
        pairs.changed();
    }
    replace_token_with(text, "%HWND", [&] { return decimal(window ? static_cast<long long>(window->handle()) : 0); });
    replace_token_with(text, "%WINCLASS", [&] { return window ? window->class_name() : std::string(); });
    replace_token(text, "%FILENAME", script);
    replace_token_with(text, "%FILEBASENAME", [&] { return files::name_of(script); });
    replace_token_with(text, "%FILEPATH", [&] { return files::folder_of(script); });
    replace_token_with(text, "%FILEEXT", [&] {
        std::string name = files::name_of(script);
        size_t dot = name.rfind('.');
        return dot == std::string::npos ? std::string() : name.substr(dot + 1);
    });
    replace_token_with(text, "%cmdline", [&] { return run ? run->command_line : std::string(); });
    replace_token_with(text, "%CLIPBOARD", [&] {
        std::string clip;
        if (env == nullptr || !env->clipboard_text(&clip)) clip.clear();
        return clip.substr(0, clip.find('\0'));
    });
    int loop = run != nullptr ? run->innermost_loop_counter + 1 : 1;
    int pass = run != nullptr ? run->pass_counter + 1 : 1;
    const char* loop_tokens[] = {"%llll", "%lll", "%ll", "%l"};
    const char* pass_tokens[] = {"%eeee", "%eee", "%ee", "%e"};
    for (int i = 0; i < 4; ++i) replace_token_with(text, loop_tokens[i], [&] { return padded(loop, 4 - i); });
    for (int i = 0; i < 4; ++i) replace_token_with(text, pass_tokens[i], [&] { return padded(pass, 4 - i); });
    replace_token_with(text, "%currentstep", [&] { return decimal(run ? run->current_step + 1LL : 1); });
    replace_token_with(text, "%ticks", [&] { return decimal(env ? env->tick_count() : 0); });
    replace_token_with(text, "%mouse_x", [&] { return decimal(env ? env->mouse_position().x : 0); });
    replace_token_with(text, "%mouse_y", [&] { return decimal(env ? env->mouse_position().y : 0); });
    replace_token_with(text, "%screen_x", [&] { return decimal(env ? env->screen_size().x : 0); });
    replace_token_with(text, "%screen_y", [&] { return decimal(env ? env->screen_size().y : 0); });
    replace_token(text, "%r", "\r");
    replace_token(text, "%n", "\n");
    replace_token(text, "%t", "\t");
}

void expand_random_tokens(std::string* text, ExpansionEnvironment* environment) {
    replace_random_token(text, environment, 'x', 'X', '0', '1', '9', '9');
    replace_random_token(text, environment, 'c', 'C', 'a', 'A', 'z', 'Z');
}

}  // namespace expansion
}  // namespace zorbel
