// The texts of the User Prompt steps: long messages, list texts, the popup's progress
// figure, popup menu lines and the rule for reusing an open popup.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zorbel {

// The longest text a prompt dialog shows, takes or answers with.
constexpr size_t kPromptTextLimit = 259;
// Messages of this many characters or more are cut here and get the truncation note.
constexpr size_t kMessageLimit = 8192;
constexpr const char* kTruncationNote = "<<MESSAGE OVER 8K, TRUNCATED BY ZORBEL>>";
// The first command of a popup menu's items: line i has command 2024 + i.
constexpr uint32_t kFirstMenuCommand = 2024;

// A message of kMessageLimit characters or more: its first kMessageLimit characters and
// the truncation note. Shorter ones are returned as they are.
std::string cut_long_message(const std::string& text);
// The first kPromptTextLimit characters.
std::string cut_prompt_text(const std::string& text);

// A "Choose from a List" text: the prompt before the first ";" and the ";"-separated
// items after it, up to the first empty one. A text without ";" is all prompt.
void split_list_text(const std::string& text, std::string* prompt, std::vector<std::string>* items);

// The position a progress popup's bar shows for `text`: the digits among the nine
// characters that start five before the first "%" (or at the start), read as a
// number; -1 when the text has no "%".
int progress_percent(const std::string& text);

// One entry of a popup menu: an item with its command, or a separator.
struct MenuEntry {
    bool separator = false;
    uint32_t command = 0;
    std::string text;
};
// The entries of a popup menu text: one per line (split at line feeds) up to the first
// empty line; a line whose rest (trailing line ends removed) is empty or starts with
// "-" or "_" is a separator, any other is an item with its leading blanks removed.
std::vector<MenuEntry> popup_menu_entries(const std::string& text);
// The line number (from 1) a menu command stands for; 0 for none.
int popup_menu_choice(uint32_t command);

// What a popup request does with the open popup: keep and reuse it, destroy it and
// create a new one (a topmost popup asked for while a normal one is open), or create
// the first one.
enum class PopupReuse { kReuse, kReplace, kCreate };
PopupReuse popup_reuse(bool open, bool open_is_topmost, bool topmost_wanted);

}  // namespace zorbel
