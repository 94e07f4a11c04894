// Finding programs and launchers: `ResolveProgramPath` (the program search order) and
// `FindAssociatedLauncher` (the registry's open command of a file type or of the
// default mail program). Shared by the Run Program, file and internet actions.
#pragma once
#include <string>

namespace zorbel {

class FileSystem;
class ProcessDesktop;
class SettingsStore;
class ExpansionEnvironment;
struct RunContext;

// The parts of the machine the lookups read.
struct ProgramLookup {
    FileSystem& files;
    ProcessDesktop& processes;
    SettingsStore* store = nullptr;
    ExpansionEnvironment* environment = nullptr;
};
ProgramLookup program_lookup(RunContext& context);

// Candidates this long or longer are never tried.
constexpr size_t kMaxPathCandidate = 260;

// `ResolveProgramPath`: the first existing candidate among the name as given (when it
// holds a "\"), the App Paths folder, the current folder, the script's folder, the
// program's folder, the Windows and system folders, "C:\" and the system's search.
// Returns 1 with the path in `out`; 0 with `out` = `name` when nothing was found (an
// empty name finds nothing). A name of 260 characters or more is taken as it stands.
int resolve_program_path(ProgramLookup& lookup, const std::string& name, const std::string& script_path,
                         std::string* out);

// The narrow search of actions that change or remove what they find: the name as
// given, then in the current folder and in the script's folder; else the name as
// written (0).
int resolve_for_change(ProgramLookup& lookup, const std::string& name, const std::string& script_path,
                       std::string* out);

// `FindAssociatedLauncher`: the launcher of an extension (".txt") or, for "MAIL", of
// the default mail program; `document` (may be empty) is handed to the system's
// FindExecutable when the registry names no command. Returns 1 with the launcher in
// `out`, else 0 with `out` empty.
int find_associated_launcher(ProgramLookup& lookup, const std::string& extension_or_mail,
                             const std::string& document, std::string* out);

// A registry command cleaned into a launcher: %NAME% environment references expanded
// (unknown ones kept), every double quote removed, cut at the first "%" left, trailing
// blanks stripped.
std::string launcher_from_command(ExpansionEnvironment* environment, const std::string& command);

}  // namespace zorbel
