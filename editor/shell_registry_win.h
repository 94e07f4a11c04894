// The file association's registry on the real machine: HKEY_CLASSES_ROOT and
// HKEY_LOCAL_MACHINE through advapi32, and the shell told with SHChangeNotify.
#pragma once
#include "editor/model/file_association.h"

namespace zorbel {

class WinShellRegistry : public ShellRegistry {
public:
    bool write_text(SettingsRoot root, const std::string& key, const std::string& name,
                    const std::string& text) override;
    void delete_key(SettingsRoot root, const std::string& key) override;
    void associations_changed() override;
};

// The editor's own full path.
std::string editor_program_path();

}  // namespace zorbel
