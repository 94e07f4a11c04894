// Registering a file type: the extension's type "<description> File" with its icon
// and its Open verb starting `program` on the document, under HKEY_CLASSES_ROOT.
#pragma once
#include <string>

namespace zorbel {

class SettingsStore;

// The extension gets a leading "." when it has none. The "Run Hidden" verb of the
// script document type is removed first. True only when every write succeeded.
bool set_file_association(SettingsStore& store, const std::string& extension, const std::string& program,
                          const std::string& description);

}  // namespace zorbel
