/* Exports for the External Functions tests: numbers in and out, texts in and out,
   and one of each calling convention. */
#include <string.h>

#define EXPORT __declspec(dllexport)

EXPORT int __stdcall AddThree(int a, int b, int c) { return a + b + c; }

EXPORT int __cdecl CdeclAdd(int a, int b) { return a + b; }

EXPORT unsigned __stdcall Echo(unsigned value) { return value; }

EXPORT int __stdcall NoArguments(void) { return 4242; }

/* Copies `from` into the buffer `to` reversed; returns the length. */
EXPORT int __stdcall ReverseText(const char* from, char* to) {
    size_t n = strlen(from);
    for (size_t i = 0; i < n; ++i) to[i] = from[n - 1 - i];
    to[n] = '\0';
    return (int)n;
}

/* The length of a text argument, to see how much of a long argument arrived (a name
   without "Length(", which text expansion would take for its function). */
EXPORT int __stdcall ArgumentSize(const char* text) { return (int)strlen(text); }

/* Writes a number and a text through its out-parameters; returns the sum of the five. */
EXPORT int __stdcall FiveMixed(int a, const char* b, int c, char* d, int e) {
    strcpy(d, b);
    strcat(d, "!");
    return a + c + e;
}
