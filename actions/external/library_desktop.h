// What the External Functions family needs from the machine: finding a library,
// calling one of its exports with 32-bit words, and posting a window a command. The
// real one (library_desktop_win.cpp) calls through a thunk that restores the stack
// pointer, so a call with the wrong number of words or the wrong calling convention
// returns a wrong result rather than unbalancing the program's stack.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zorbel {

// One word passed to a function: a number, the address of a text buffer (2048 bytes
// the function may write into), or the address of a number it may write into.
struct LibraryArgument {
    enum Kind { kNumber, kText, kNumberAddress };
    Kind kind = kNumber;
    uint32_t number = 0;
    char* text = nullptr;
    uint32_t* address = nullptr;
};

constexpr size_t kArgumentTextSize = 2048;

class LibraryDesktop {
public:
    virtual ~LibraryDesktop() = default;
    // The full path of a library named by the step (the current folder, the program's
    // folder, the system's search path); the name unchanged when none is found.
    virtual std::string resolve_library(const std::string& name) = 0;
    // Loads `library`, looks up `function`, calls it with `arguments` in order and
    // frees the library. False (nothing called) when the library does not load or
    // does not export the name.
    virtual bool call(const std::string& library, const std::string& function,
                      const std::vector<LibraryArgument>& arguments, uint32_t* result) = 0;
    // PostMessage(window, WM_COMMAND, command, 0).
    virtual void post_command(intptr_t window, uint32_t command) = 0;
};

LibraryDesktop& system_library_desktop();

}  // namespace zorbel
