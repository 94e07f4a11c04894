#include "actions/files/file_association.h"

#include "engine/settings_store.h"

namespace zorbel {

bool set_file_association(SettingsStore& store, const std::string& written_extension, const std::string& program,
                          const std::string& description) {
    const std::string extension = written_extension.empty() || written_extension[0] != '.'
                                      ? "." + written_extension
                                      : written_extension;
    delete_setting(store, SettingsRoot::kLocalMachine, "SOFTWARE\\Classes\\Zorbel.Document\\shell\\Run Hidden\\command");
    delete_setting(store, SettingsRoot::kLocalMachine, "SOFTWARE\\Classes\\Zorbel.Document\\shell\\Run Hidden");
    const std::string type = description + " File";
    const std::string icon = "\"" + program + "\",0";
    const std::string open = "\"" + program + "\" \"%1\"";
    const SettingsRoot root = SettingsRoot::kClassesRoot;
    bool ok = write_setting(store, root, type.c_str(), 0, nullptr, "%s\\", extension.c_str()) == 1;
    ok = write_setting(store, root, "", 0, nullptr, "%s\\ShellNew\\NULLFile", extension.c_str()) == 1 && ok;
    ok = write_setting(store, root, type.c_str(), 0, nullptr, "%s File\\", description.c_str()) == 1 && ok;
    ok = write_setting(store, root, icon.c_str(), 0, nullptr, "%s File\\DefaultIcon\\", description.c_str()) == 1 && ok;
    ok = write_setting(store, root, "&Open", 0, nullptr, "%s File\\shell\\Open\\", description.c_str()) == 1 && ok;
    ok = write_setting(store, root, open.c_str(), 0, nullptr, "%s File\\shell\\Open\\command\\", description.c_str()) ==
             1 &&
         ok;
    return ok;
}

}  // namespace zorbel
