// The script file type's association with the editor: the keys and values written
// under HKEY_CLASSES_ROOT, the Open command the Files page chooses, and the message
// that reports the outcome. The registry is reached through `ShellRegistry`, a seam
// the native tests replace; the real one is editor/shell_registry_win.cpp.
#pragma once
#include <string>
#include <vector>

#include "engine/settings_store.h"

namespace zorbel {

class ShellRegistry {
public:
    virtual ~ShellRegistry() = default;
    // Writes a text value ("" names the key's default value), creating the key and
    // its parents. False when the registry refuses.
    virtual bool write_text(SettingsRoot root, const std::string& key, const std::string& name,
                            const std::string& text) = 0;
    // Deletes a key without subkeys; a missing key is no failure.
    virtual void delete_key(SettingsRoot root, const std::string& key) = 0;
    // Tells the shell that file associations changed.
    virtual void associations_changed() = 0;
};

struct AssociationEntry {
    std::string key;    // under HKEY_CLASSES_ROOT
    std::string name;   // "" for the key's default value
    std::string text;
};

// The values the registration writes, in order, for the extension (a "." is put in
// front when missing), the program's full path, the type name and the icon index.
std::vector<AssociationEntry> association_entries(std::string extension, const std::string& program,
                                                  const std::string& type_name, int icon);

struct AssociationResult {
    std::vector<std::string> failed;  // "HKEY_CLASSES_ROOT\key\name" of each refused write
    bool ok() const { return failed.empty(); }
};

// Deletes the obsolete "Run Hidden" verb of the old document type under
// HKEY_LOCAL_MACHINE, writes every entry and tells the shell.
AssociationResult register_file_type(ShellRegistry& registry, const std::string& extension,
                                     const std::string& program, const std::string& type_name = "Zorbel",
                                     int icon = 1);

// The Open command for "DefaultLoadAction": 0 edit, 1 run inside the editor, 2 run by itself.
std::string open_command(const std::string& program, int load_action);
// Rewrites the default command of the type "%s File" for the load action.
AssociationResult write_open_command(ShellRegistry& registry, const std::string& program, int load_action,
                                     const std::string& type_name = "Zorbel");

// The box that reports a registration from the Files page: the success text only
// when every write succeeded, else an error naming what failed.
struct AssociationMessage {
    std::string text;
    bool error = false;
};
AssociationMessage association_message(const AssociationResult& result, const std::string& program);

}  // namespace zorbel
