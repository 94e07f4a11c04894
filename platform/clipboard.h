// The clipboard's text (CF_TEXT): the thin wrapper the desktop's clipboard and "%CLIPBOARD" use.
#pragma once
#include <string>

namespace zorbel::clipboard {

// The clipboard's text; false (and "") when it holds none or cannot be opened.
bool get_text(std::string* out);
// Replaces the clipboard's content with `text`; false (the old content kept where the
// clipboard could not be opened) when it cannot be done.
bool set_text(const std::string& text);
// Empties the clipboard; false when it cannot be opened or emptied.
bool clear();

}  // namespace zorbel::clipboard
