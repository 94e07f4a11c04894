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

// A text offered for one paste. The clipboard names this program as the text's owner and
// gets the text only when a program asks for it, so that the program can tell when the
// paste has been read, and by whom.
enum class Offer {
    kNone,     // nothing offered (or the offer failed)
    kWaiting,  // on the clipboard, not yet read by the reader
    kRead,     // read by the reader's process (or by a reader that does not name itself)
    kGone,     // replaced by another program before the reader read it
};
// Replaces the clipboard's content with `text` offered to `reader_process` (0: any
// process); false (nothing offered) when it cannot be done.
bool offer_text(const std::string& text, unsigned long reader_process);
// Answers the requests for the offered text waiting now and tells the offer's state. A
// program reading the text waits until this program answers, so a wait for the paste
// calls this between its pauses.
Offer offered_text();

}  // namespace zorbel::clipboard
