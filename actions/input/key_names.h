// Characters and key names as the user sees them: the SHIFT forms of the US layout and
// the display name of a key (the recorder's stop key). Desktop-free.
#pragma once
#include <cstdint>
#include <string>

namespace zorbel {

// Modes of ShiftedCharacter.
constexpr int kShiftToLower = 0;      // "A".."Z" become lower case; the rest stays
constexpr int kShiftUsLayout = 1;     // lower case becomes upper case, unshifted US keys their SHIFT form
constexpr int kShiftLettersOnly = 2;  // lower case becomes upper case; the rest stays

// A character and its SHIFT form on the US layout (letters aside).
struct ShiftedPair {
    char plain;
    char shifted;
};
inline constexpr ShiftedPair kShiftedPairs[] = {
    {'\'', '"'}, {',', '<'}, {'-', '_'}, {'.', '>'}, {'/', '?'}, {'0', ')'}, {'1', '!'}, {'2', '@'},
    {'3', '#'},  {'4', '$'}, {'5', '%'}, {'6', '^'}, {'7', '&'}, {'8', '*'}, {'9', '('}, {';', ':'},
    {'=', '+'},  {'[', '{'}, {'\\', '|'}, {']', '}'}, {'`', '~'},
};

char ShiftedCharacter(char character, int mode);

// The keys held down while a key is named.
struct ModifierKeys {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// A key with a fixed display name.
struct KeyDisplayRow {
    uint8_t code;
    const char* name;
};
inline constexpr KeyDisplayRow kKeyDisplayNames[] = {
    {27, "Escape"}, {13, "Return"}, {17, "Control"}, {32, "Space"}, {9, "Tab"}, {16, "Shift"}, {20, "Caps Lock"},
    {33, "Pg Up"}, {34, "Pg Dn"}, {35, "End"}, {36, "Home"}, {37, "Left"}, {38, "Up"}, {39, "Right"}, {40, "Down"},
    {45, "Insert"}, {8, "Backspace"}, {46, "Delete"},
    {106, "Num *"}, {107, "Num +"}, {109, "Num -"}, {110, "Num ."}, {111, "Num /"},
    {144, "NumLock"}, {145, "Scroll"}, {19, "Pause"}, {18, "Menu"}, {44, "Print Screen"},
    {91, "Left WinKey"}, {92, "Right WinKey"}, {93, "AppKey"},
};

// The name under which a key is shown. Named keys (the table above, "Num 0" to "Num 9"
// for 96 to 105, "F1" to "F12" for 112 to 123) return their code, Space 0. A letter or
// digit key is named by its character, in its SHIFT form (kShiftUsLayout) when SHIFT is
// down without CTRL or ALT, and returns 0; any other key gets "" and returns 0.
int KeyDisplayName(uint8_t code, std::string* name, ModifierKeys held = ModifierKeys());

}  // namespace zorbel
