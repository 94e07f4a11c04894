// A Simple MAPI library for the tests: logs every call to the file named by the
// environment variable ZORBEL_MAPI_LOG and resolves names that hold an "@".
#include <windows.h>
#include <mapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void note(const std::string& line) {
    char path[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("ZORBEL_MAPI_LOG", path, MAX_PATH)) return;
    if (FILE* f = std::fopen(path, "ab")) {
        std::fputs((line + "\n").c_str(), f);
        std::fclose(f);
    }
}

struct Resolved {
    MapiRecipDesc entry;
    char name[300];
    char address[300];
};

}  // namespace

extern "C" {

ULONG WINAPI MAPILogon(ULONG_PTR, LPSTR, LPSTR, FLAGS, ULONG, LPLHANDLE session) {
    note("logon");
    *session = 77;
    return SUCCESS_SUCCESS;
}

ULONG WINAPI MAPILogoff(LHANDLE, ULONG_PTR, FLAGS, ULONG) {
    note("logoff");
    return SUCCESS_SUCCESS;
}

ULONG WINAPI MAPIResolveName(LHANDLE, ULONG_PTR, LPSTR name, FLAGS, ULONG, lpMapiRecipDesc* out) {
    const bool known = std::strchr(name, '@') != nullptr;
    note(std::string("resolve ") + name + (known ? ": yes" : ": no"));
    if (!known) return MAPI_E_UNKNOWN_RECIPIENT;
    Resolved* r = static_cast<Resolved*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(Resolved)));
    std::snprintf(r->name, sizeof(r->name), "Resolved %s", name);
    std::snprintf(r->address, sizeof(r->address), "SMTP:%s", name);
    r->entry.lpszName = r->name;
    r->entry.lpszAddress = r->address;
    *out = &r->entry;
    return SUCCESS_SUCCESS;
}

ULONG WINAPI MAPIFreeBuffer(LPVOID buffer) {
    HeapFree(GetProcessHeap(), 0, buffer);
    return SUCCESS_SUCCESS;
}

ULONG WINAPI MAPISendMail(LHANDLE, ULONG_PTR, lpMapiMessage message, FLAGS flags, ULONG) {
    std::string line = std::string("send ") + message->lpszSubject + "|" + message->lpszNoteText + "|" +
                       std::to_string(message->nRecipCount);
    for (ULONG i = 0; i < message->nRecipCount; ++i)
        line += std::string("|") + message->lpRecips[i].lpszName + " <" + message->lpRecips[i].lpszAddress + ">";
    note(line + "|flags " + std::to_string(flags));
    return SUCCESS_SUCCESS;
}

}  // extern "C"
