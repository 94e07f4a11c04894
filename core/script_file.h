// Reading and writing ".zbx" script files (and handing version 4 files to the import).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/script_state.h"
#include "core/user_interface.h"

namespace zorbel {

// Replaces `script` with the script in the file at `path`. Returns the number of
// steps loaded, 0 when nothing was loaded. Problems are reported through `ui`
// with the program's exact messages; steps read before a stop are kept.
int32_t load_script(ScriptState* script, const std::string& path, UserInterface* ui);

// Loads from text already in memory (the file reader's body; used by fuzzers and
// tests). `path` is only used in messages and as the script path.
int32_t load_script_text(ScriptState* script, const std::string& text, const std::string& path,
                         UserInterface* ui);

// True when "<?xml" (ignoring case) stands within the first 254 bytes of `text`,
// before any NUL byte; other texts are version 4 scripts.
bool is_xml_script_text(std::string_view text);

// A script path as typed or passed on a command line: every double quote removed,
// leading and trailing spaces trimmed.
std::string clean_script_path(std::string_view path);

// Reads a whole script file (the path already cleaned) for the loader and the version 4
// import: a missing, empty or unreadable file is reported with the program's messages
// (and dropped from the recent files) and gives false.
bool read_script_file(const std::string& path, UserInterface* ui, std::string* text);

// The exact bytes `save script` writes for `script`.
std::string script_to_text(const ScriptState& script);

// Writes `script` to `path`: 1 when written, 0 when not. On failure the status bar
// says why and the system's error text goes to `error_text` when given. The old
// file is replaced only once the new one is completely written.
int save_script(const ScriptState& script, const std::string& path, UserInterface* ui,
                std::string* error_text = nullptr);

}  // namespace zorbel
