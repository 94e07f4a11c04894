#include "platform/dynamic_calls_win.h"

namespace zorbel::dynamic {

namespace {

template <typename Function>
Function find(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

// The library stays loaded for the life of the program, so the pointers stay good.
const User32& user32() {
    static const User32 found = [] {
        User32 out;
        HMODULE module = LoadLibraryA("USER32.DLL");
        out.loaded = module != nullptr;
        out.BlockInput = find<BlockInputFunction>(module, "BlockInput");
        return out;
    }();
    return found;
}

}  // namespace zorbel::dynamic
