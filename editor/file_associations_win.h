// The programs the machine has registered for web pages and mail, as new steps and
// the Run Program pane's menu offer them.
#pragma once
#include <string>

namespace zorbel {

// The program registered for ".htm" files (the path up to and including ".EXE"),
// else IEXPLORE.EXE found on the search path, else "IEXPLORE.EXE".
std::string browser_program();
// The program registered for "MAIL", else for ".eml" files (cut at the first "/").
std::string mail_program();
// The full path of a program on the search path; "" when it is not found.
std::string program_on_path(const char* name);

}  // namespace zorbel
