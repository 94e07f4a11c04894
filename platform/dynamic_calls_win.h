// Entry points that not every system has, looked up once per library on first use;
// callers test the pointer (null: the library or the function is not there). Add a
// line to the list of its library to make another one available.
#pragma once
#include <windows.h>

namespace zorbel::dynamic {

// USER32.DLL
using BlockInputFunction = BOOL(WINAPI*)(BOOL);

struct User32 {
    bool loaded = false;  // USER32.DLL itself could be loaded
    BlockInputFunction BlockInput = nullptr;
};

// The entry points of USER32.DLL, looked up the first time they are asked for.
const User32& user32();

}  // namespace zorbel::dynamic
