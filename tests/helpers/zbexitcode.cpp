// zbexitcode.exe CODE [MILLISECONDS]: waits the given time, then ends with CODE.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc > 2) Sleep(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
    return argc > 1 ? static_cast<int>(std::strtol(argv[1], nullptr, 10)) : 0;
}
