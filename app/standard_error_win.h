// Standard error of the Windows programs, which are GUI programs: the handle they
// were given (a shell under Wine, a redirection, a pipe), else the console of the
// parent process when it has one, else nothing.
#pragma once
#include <string>

namespace zorbel {

class StandardError {
public:
    ~StandardError();
    // Writes `line` and a line end; nothing when there is no standard error.
    void write_line(const std::string& line);

private:
    void* handle_ = nullptr;
    bool resolved_ = false;
    bool own_handle_ = false;
};

}  // namespace zorbel
