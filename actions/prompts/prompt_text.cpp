#include "actions/prompts/prompt_text.h"

namespace zorbel {

std::string cut_long_message(const std::string& text) {
    if (text.size() < kMessageLimit) return text;
    return text.substr(0, kMessageLimit) + kTruncationNote;
}

std::string cut_prompt_text(const std::string& text) { return text.substr(0, kPromptTextLimit); }

void split_list_text(const std::string& text, std::string* prompt, std::vector<std::string>* items) {
    items->clear();
    const size_t first = text.find(';');
    *prompt = text.substr(0, first);
    if (first == std::string::npos) return;
    size_t start = first + 1;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        if (end == start) return;
        items->push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

int progress_percent(const std::string& text) {
    const size_t percent = text.find('%');
    if (percent == std::string::npos) return -1;
    const size_t start = percent >= 5 ? percent - 5 : 0;
    int value = 0;
    for (char c : text.substr(start, 9)) {
        if (c >= '0' && c <= '9' && value < 100000) value = value * 10 + (c - '0');
    }
    return value;
}

std::vector<MenuEntry> popup_menu_entries(const std::string& text) {
    std::vector<MenuEntry> entries;
    size_t start = 0;
    for (uint32_t i = 0; start < text.size(); ++i) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end == start) break;
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
        MenuEntry entry;
        if (line.empty() || line[0] == '-' || line[0] == '_') {
            entry.separator = true;
        } else {
            entry.command = kFirstMenuCommand + i;
            const size_t first = line.find_first_not_of(' ');
            entry.text = first == std::string::npos ? std::string() : line.substr(first);
        }
        entries.push_back(entry);
        start = end + 1;
    }
    return entries;
}

int popup_menu_choice(uint32_t command) {
    return command >= kFirstMenuCommand ? static_cast<int>(command - kFirstMenuCommand + 1) : 0;
}

PopupReuse popup_reuse(bool open, bool open_is_topmost, bool topmost_wanted) {
    if (!open) return PopupReuse::kCreate;
    return open_is_topmost || !topmost_wanted ? PopupReuse::kReuse : PopupReuse::kReplace;
}

}  // namespace zorbel
