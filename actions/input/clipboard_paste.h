// "Text via Clipboard": the text goes onto the clipboard, CTRL+V pastes it into the window
// with the focus, and the clipboard gets its old text back. A window reads the clipboard
// only when its thread takes CTRL+V, which on a busy machine can be well after the keys
// were sent; the old text must not come back before that. So the text is offered on the
// clipboard (handed over only when read) and the step waits until the focused window's
// program has read it, at least the pause every paste has and at most a bound.
#pragma once
#include <cstdint>
#include <string>

#include "engine/run_context.h"

namespace zorbel {

// The least a paste lasts before the clipboard gets its old text back.
constexpr uint32_t kPasteSettleMs = 500;
// The longest a paste waits for its window to read the text; then the run goes on with a
// log line.
constexpr uint32_t kPasteReadLimitMs = 5000;

// Pastes `text` (line breaks as single line feeds) into the focused window and puts the
// clipboard's old text back (an empty text when it held none).
int paste_through_clipboard(RunContext& context, const std::string& text);

}  // namespace zorbel
