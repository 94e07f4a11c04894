// The command line of the editor and the player: switches, user-variable assignments
// and the script file name.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zorbel {

// Start-up flags filled from the command line.
enum StartupFlag : int {
    kStartHidden = 1,        // the main window is never shown
    kStartOpenFile = 2,      // open the file named on the command line
    kStartRunScript = 4,     // run the script once it is loaded
    kStartExitAfterRun = 8,  // exit when the run ends (or at once when the load fails)
    kStartVariablesSet = 16, // user variables were set on the command line
};

struct CommandLine {
    int flags = 0;
    bool show_help = false;       // "/?" or "/HELP"
    int log = -1;                 // -1 unchanged, 1 "/L", 0 "/f"
    bool suppress_splash = false; // "/g"
    bool unattended = false;      // "/u": boxes go to the run log and standard error, never wait
    int speed = 0;                // 0 unchanged, else 1..10 from "/s"
    std::vector<std::pair<std::string, std::string>> variables;  // name=value, in order
    std::string file;             // the script to open; empty when none
};

// Parses the whole command line (without the program name).
//
// A switch counts only where it starts a blank-separated word outside double quotes,
// and a name=value assignment only where the "=" stands in such a word that has no
// "\" before the "=": so "C:\my-files\report.zbx" and "C:\data\a=b.zbx" are file
// names, not a "-f" switch or an assignment.
CommandLine parse_command_line(std::string_view line);

// The switch summary shown for "/?".
extern const char kCommandLineHelp[];

}  // namespace zorbel
