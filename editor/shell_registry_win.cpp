#include "editor/shell_registry_win.h"

#include <windows.h>
#include <shlobj.h>

#include "engine/settings_store_registry_win.h"

namespace zorbel {

bool WinShellRegistry::write_text(SettingsRoot root, const std::string& key, const std::string& name,
                                  const std::string& text) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(registry_root_key(root), key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status = RegSetValueExA(handle, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>(text.size() + 1));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

void WinShellRegistry::delete_key(SettingsRoot root, const std::string& key) {
    RegDeleteKeyA(registry_root_key(root), key.c_str());
}

void WinShellRegistry::associations_changed() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

std::string editor_program_path() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

}  // namespace zorbel
