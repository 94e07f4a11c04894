// The Keyboard family (3): "Simulate Keypress" and "Text + System Keys" (one and the
// same), "Buffered Virtual Keys", "Text via Clipboard", "Direct Window Entry", "Block
// Input" and "Unblock Input"; it lends "IF Caps Lock is On" to the IF steps. Its
// record is kKeyboardFamily (actions/families.h).
#pragma once
#include <cstdint>

namespace zorbel {

// The family's code, which also keys its run state (the buffered typing).
constexpr uint32_t kKeyboardFamilyCode = 3;

}  // namespace zorbel
