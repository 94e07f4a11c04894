#include "editor/model/file_association.h"

namespace zorbel {

namespace {

std::string quoted(const std::string& program) { return "\"" + program + "\""; }

void write_all(ShellRegistry& registry, const std::vector<AssociationEntry>& entries, AssociationResult* result) {
    for (const AssociationEntry& e : entries)
        if (!registry.write_text(SettingsRoot::kClassesRoot, e.key, e.name, e.text))
            result->failed.push_back("HKEY_CLASSES_ROOT\\" + e.key + "\\" + e.name);
}

}  // namespace

std::vector<AssociationEntry> association_entries(std::string extension, const std::string& program,
                                                  const std::string& type_name, int icon) {
    if (extension.empty() || extension[0] != '.') extension = "." + extension;
    const std::string type = type_name + " File";
    const std::string exe = quoted(program);
    return {
        {extension, "", type},
        {extension + "\\ShellNew", "NULLFile", ""},
        {type, "", type},
        {type + "\\DefaultIcon", "", exe + "," + std::to_string(icon)},
        {type + "\\shell\\Open", "", "&Open"},
        {type + "\\shell\\Open\\command", "", exe + " \"%1\""},
        {type + "\\shell\\Edit", "", "&Edit"},
        {type + "\\shell\\Edit\\command", "", exe + " /e \"%1\""},
        {type + "\\shell\\Run", "", "&Run"},
        {type + "\\shell\\Run\\command", "", exe + " /r \"%1\""},
        {type + "\\shell\\Run in Zorbel", "", "Run in &Zorbel"},
        {type + "\\shell\\Run in Zorbel\\command", "", exe + " /v \"%1\""},
    };
}

AssociationResult register_file_type(ShellRegistry& registry, const std::string& extension,
                                     const std::string& program, const std::string& type_name, int icon) {
    // The verb an older version added, under every spelling it used (the command key first).
    for (const char* key : {"SOFTWARE\\Classes\\Zorbel.Document\\shell\\Run Hidden\\command",
                            "SOFTWARE\\Classes\\Zorbel.Document\\shell\\Run Hidden"}) {
        const std::string plain = key;
        for (const std::string& spelling : {plain, "\\" + plain, plain + "\\", "\\" + plain + "\\"})
            registry.delete_key(SettingsRoot::kLocalMachine, spelling);
    }
    AssociationResult result;
    write_all(registry, association_entries(extension, program, type_name, icon), &result);
    registry.associations_changed();
    return result;
}

std::string open_command(const std::string& program, int load_action) {
    const char* flag = load_action == 1 ? " /v" : load_action == 2 ? " /r" : "";
    return quoted(program) + flag + " \"%1\"";
}

AssociationResult write_open_command(ShellRegistry& registry, const std::string& program, int load_action,
                                     const std::string& type_name) {
    AssociationResult result;
    write_all(registry, {{type_name + " File\\shell\\Open\\command", "", open_command(program, load_action)}}, &result);
    return result;
}

AssociationMessage association_message(const AssociationResult& result, const std::string& program) {
    if (result.ok())
        return {"The \".zbx\" file type has been associated with the program \"" + program +
                    "\"\n\nYou can now right-click and double-click on Zorbel files (*.ZBX) in Windows Explorer to "
                    "load and run scripts.",
                false};
    std::string text = "The \".zbx\" file type could not be associated with the program \"" + program +
                       "\".\n\nThese registry values could not be written:\n";
    for (const std::string& f : result.failed) text += f + "\n";
    return {text, true};
}

}  // namespace zorbel
