// The command line of zbtestbed.exe (the switches are listed in testbed_main_win.cpp).
#pragma once
#include <string>
#include <vector>

namespace zorbel::testbed {

struct Options {
    std::string log_path;           // empty: no event log
    std::string title;              // the main window's title
    bool has_position = false;      // /pos given
    int left = 0, top = 0;          // window position (/pos)
    bool has_size = false;          // /size given
    int width = 0, height = 0;      // window size (/size), else sized for the default client area
    long user_data = 0;             // GWLP_USERDATA of the main window
    bool hang_at_start = false;     // /hang: stop answering right after READY
    int hang_seconds = 0;           // how long a hang lasts (/hang N, /hangtime N)
    int refused_closes = 0;         // /noclose [N]: how many WM_CLOSE to refuse; -1 = all
    int exit_code = 0;              // exit code after a normal close (/exitcode)
};

// Reads the arguments after the program name. Returns false with `error` set for an unknown
// switch, a missing value or a value that is not a number.
bool parse_options(const std::vector<std::string>& args, Options* options, std::string* error);

}  // namespace zorbel::testbed
