// The function-call text of "Win32 API" and "Call DLL Function" steps, such as
// MessageBox( 0, "message", "title", 3+32 ): prepared (NULL becomes an empty text,
// "|" a "+", sums are worked out), split into the function's name and at most 16
// arguments, each a number or a text in its own 2048-byte buffer.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "actions/external/library_desktop.h"

namespace zorbel {

constexpr int kArgumentSlots = 16;

struct CallSlot {
    bool used = false;
    bool text = false;     // a text argument (else numeric)
    uint32_t number = 0;   // a numeric argument's low 32 bits
    char buffer[kArgumentTextSize] = {};
};

struct ParsedCall {
    std::string name;           // as written, before the "A" rule
    int count = 0;              // arguments found
    std::vector<CallSlot> slots = std::vector<CallSlot>(kArgumentSlots);
    std::string signature;      // one digit per argument: 1 numeric, 2 text
};

// Every "NULL" (any case) becomes "" (an empty quoted text), " + ", " | " and "|"
// become "+"; then each of the first six arguments that holds "+" and reads as a
// positive number once stripped to digits and operators is replaced by its CALC
// value (0+64 becomes 64).
std::string prepare_call_text(std::string_view call);

// Splits the call text. False with `error` set (the step's message) when the text
// has characters after its arguments, an unclosed quote, or six or more arguments
// for a function without a fixed layout.
bool parse_call_text(std::string_view call, ParsedCall* out, std::string* error);

// The name looked up: the ANSI form ("MessageBoxA") of the functions that have one.
std::string exported_name(const std::string& name);

// The words the function receives: its fixed layout when it has one, else each
// argument in order. `numbers` holds the out-numbers of layouts that pass addresses.
std::vector<LibraryArgument> call_arguments(const std::string& exported, ParsedCall& call, uint32_t numbers[3]);

// After the call: the texts that layouts with out-numbers fill in.
void finish_call(const std::string& exported, ParsedCall& call, const uint32_t numbers[3]);

}  // namespace zorbel
