#include "actions/menus/menu_path.h"

#include "core/text_rules.h"

namespace zorbel {

namespace {

constexpr size_t kPathLimit = 253;
constexpr size_t kSystemNameLimit = 254;

std::string cut_at_tab(std::string text) {
    size_t tab = text.find('\t');
    if (tab != std::string::npos) text.resize(tab);
    return text;
}

char upper_letter(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::vector<std::string> menu_path_levels(std::string_view path) {
    std::vector<std::string> levels;
    if (path.empty()) return levels;
    const char separator = path.find(';') != std::string_view::npos ? ';' : ',';
    std::string text(path.substr(0, kPathLimit));
    text = replace_all(text, ", ", ",");
    text = replace_all(text, "; ", ";");
    text = replace_all(text, "...", "");
    text = replace_all(text, "&", "");
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos) {
            levels.push_back(cut_at_tab(text.substr(start)));
            break;
        }
        levels.push_back(cut_at_tab(text.substr(start, end - start)));
        start = end + 1;
    }
    return levels;
}

std::string menu_item_label(std::string_view item_text) {
    std::string text = replace_all(item_text, "&", "");
    text = replace_all(text, "...", "");
    return cut_at_tab(text);
}

std::string menu_level_keys(std::string_view path) {
    std::string text = replace_all(path, ",", ";");
    std::string keys;
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == ';')) ++pos;
        if (pos >= text.size()) break;
        size_t end = text.find(';', pos);
        if (end == std::string::npos) end = text.size();
        std::string_view level(text.data() + pos, end - pos);
        size_t amp = level.find('&');
        char key = (amp != std::string_view::npos && amp + 1 < level.size()) ? level[amp + 1] : level[0];
        keys.push_back(upper_letter(key));
        pos = end;
    }
    return keys;
}

SystemMenuCommand system_menu_command(std::string_view name, char* key) {
    std::string_view limited = name.substr(0, kSystemNameLimit);
    std::string plain = replace_all(limited, "&", "");
    struct Row {
        const char* word;
        SystemMenuCommand command;
    };
    static constexpr Row kRows[] = {
        {"max", SystemMenuCommand::kMaximize}, {"min", SystemMenuCommand::kMinimize},
        {"restore", SystemMenuCommand::kRestore}, {"move", SystemMenuCommand::kMove},
        {"close", SystemMenuCommand::kClose}, {"size", SystemMenuCommand::kSize},
    };
    for (const Row& row : kRows)
        if (contains_ignore_case(plain, row.word)) return row.command;
    size_t amp = limited.find('&');
    if (amp == std::string_view::npos || amp + 1 >= limited.size()) return SystemMenuCommand::kNone;
    if (key) *key = limited[amp + 1];
    return SystemMenuCommand::kKey;
}

}  // namespace zorbel
