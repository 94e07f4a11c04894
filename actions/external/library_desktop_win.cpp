// Calls into library exports. The words go through call_words, which keeps the stack
// pointer in a register the callee must preserve and restores it after the call:
// whether the function pops its arguments (stdcall) or not (cdecl), and however many
// it expects, the caller's stack is as it was. Zero words below the arguments give a
// function that expects more arguments zeros rather than the caller's frame.
#include <windows.h>

#include <string>
#include <vector>

#include "actions/external/library_desktop.h"
#include "platform/scoped_win.h"

extern "C" uint32_t zorbel_call_words(const void* function, const uint32_t* words, uint32_t count);

// cdecl: function at 8(%ebp), words at 12(%ebp), count at 16(%ebp).
asm(R"(
    .text
    .globl _zorbel_call_words
    .def _zorbel_call_words; .scl 2; .type 32; .endef
_zorbel_call_words:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl %esp, %ebx
    movl $16, %ecx
1:  pushl $0
    loop 1b
    movl 16(%ebp), %ecx
    movl 12(%ebp), %esi
    jecxz 3f
2:  pushl -4(%esi,%ecx,4)
    loop 2b
3:  movl 8(%ebp), %eax
    call *%eax
    movl %ebx, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace zorbel {
namespace {

constexpr size_t kMaxWords = 64;

class SystemLibraryDesktop : public LibraryDesktop {
public:
    std::string resolve_library(const std::string& name) override {
        char found[MAX_PATH];
        if (name.find('\\') != std::string::npos && GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES)
            return name;
        char folder[MAX_PATH];
        DWORD n = GetModuleFileNameA(nullptr, folder, MAX_PATH);
        if (n > 0 && n < MAX_PATH) {
            std::string own(folder, n);
            std::string candidate = own.substr(0, own.rfind('\\') + 1) + name;
            if (GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
        }
        DWORD length = SearchPathA(nullptr, name.c_str(), nullptr, MAX_PATH, found, nullptr);
        if (length > 0 && length < MAX_PATH) return std::string(found, length);
        return name;
    }

    bool call(const std::string& library, const std::string& function, const std::vector<LibraryArgument>& arguments,
              uint32_t* result) override {
        if (arguments.size() > kMaxWords) return false;
        // Freed right after the call, as after a failed lookup.
        ScopedModule module(LoadLibraryA(library.c_str()));
        if (!module) return false;
        FARPROC entry = GetProcAddress(module.get(), function.c_str());
        if (entry == nullptr) return false;
        uint32_t words[kMaxWords];
        for (size_t i = 0; i < arguments.size(); ++i) {
            const LibraryArgument& a = arguments[i];
            words[i] = a.kind == LibraryArgument::kText            ? static_cast<uint32_t>(reinterpret_cast<uintptr_t>(a.text))
                       : a.kind == LibraryArgument::kNumberAddress ? static_cast<uint32_t>(reinterpret_cast<uintptr_t>(a.address))
                                                                   : a.number;
        }
        *result = zorbel_call_words(reinterpret_cast<const void*>(entry), words, static_cast<uint32_t>(arguments.size()));
        return true;
    }

    void post_command(intptr_t window, uint32_t command) override {
        PostMessageA(reinterpret_cast<HWND>(window), WM_COMMAND, command & 0xffff, 0);
    }
};

}  // namespace

LibraryDesktop& system_library_desktop() {
    static SystemLibraryDesktop libraries;
    return libraries;
}

}  // namespace zorbel
