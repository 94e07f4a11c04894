// Key tokens and single characters: the names a typing step's text may use for keys
// ({Enter}, {ctrldown}, {F5}, {Delay=250}) and the US-layout key of every character,
// as Windows virtual-key codes. Desktop-free.
#pragma once
#include <cstdint>
#include <string_view>

namespace zorbel {

// Virtual-key codes the typing code refers to by name.
constexpr uint8_t kKeyBackspace = 8;
constexpr uint8_t kKeyTab = 9;
constexpr uint8_t kKeyReturn = 13;
constexpr uint8_t kKeyShift = 16;
constexpr uint8_t kKeyControl = 17;
constexpr uint8_t kKeyAlt = 18;
constexpr uint8_t kKeySpace = 32;

// A name written in braces and the virtual key it stands for (0: a pause, not a key).
struct KeyTokenName {
    const char* text;
    uint8_t code;
};

// Matched, ignoring case, against the whole token including its closing brace; tried
// in this order.
inline constexpr KeyTokenName kExactKeyTokens[] = {
    {"{NumLock}", 144},
    {"{ScrollLock}", 145},
    {"{Right Winkey}", 92}, {"{Right Windows Key}", 92}, {"{winkeyr}", 92},
    {"{Left Winkey}", 91}, {"{Left Windows Key}", 91}, {"{Windows Key}", 91}, {"{winkeyl}", 91}, {"{winkey}", 91},
    {"{help}", 47},
    {"{backspace}", 8},
    {"{return}", 13}, {"{enter}", 13},
    {"{tab}", 9},
    {"{Pause}", 19},
    {"{escape}", 27}, {"{esc}", 27},
    {"{Page Up}", 33}, {"{PgUp}", 33}, {"{Pg Up}", 33}, {"{pageup}", 33},
    {"{Page Down}", 34}, {"{PgDn}", 34}, {"{Pg Dn}", 34}, {"{pagedown}", 34},
    {"{End}", 35},
    {"{Home}", 36},
    {"{Left}", 37}, {"{Up}", 38}, {"{Right}", 39}, {"{Down}", 40},
    {"{Insert}", 45}, {"{Ins}", 45},
    {"{Del}", 46},
    {"{Prt}", 44}, {"{Print}", 44}, {"{Print Screen}", 44},
    {"{CapsLock}", 20}, {"{caps}", 20}, {"{Cap}", 20},
    {"{Num0}", 96}, {"{Num1}", 97}, {"{Num2}", 98}, {"{Num3}", 99}, {"{Num4}", 100},
    {"{Num5}", 101}, {"{Num6}", 102}, {"{Num7}", 103}, {"{Num8}", 104}, {"{Num9}", 105},
    {"{Num*}", 106},
    {"{Num+}", 107}, {"{add}", 107},
    {"{NumSep}", 108},
    {"{Num-}", 109}, {"{subtract}", 109},
    {"{Num.}", 110}, {"{decimal}", 110},
    {"{Num/}", 111}, {"{divide}", 111},
    {"{appkey}", 93}, {"{Application Key}", 93},
};

// Matched, ignoring case, against the start of a token (so "{shift}", "{shiftdown}" and
// "{shiftup}" all name SHIFT); tried after kExactKeyTokens, in this order.
inline constexpr KeyTokenName kKeyTokenPrefixes[] = {
    {"{space", 32},
    {"{shift", 16},
    {"{control", 17},
    {"{ctrl", 17},
    {"{Alt", 18},
    {"{Delay", 0},
    {"{Volume U", 175}, {"{Volume_U", 175},
    {"{Volume D", 174}, {"{Volume_D", 174},
    {"{Volume M", 173}, {"{Volume_M", 173},
    {"{Sleep", 95},
    {"{App1", 182},
    {"{App2", 183},
    {"{xbutton1", 5},
    {"{xbutton2", 6},
    {"{Next T", 176},
    {"{Previous T", 177},
    {"{Media Stop", 178}, {"{Stop Player", 178},
    {"{Media Play/Pause", 179},
    {"{Browser Back", 166},
    {"{Browser Forward", 167},
    {"{Browser Refresh", 168},
    {"{Browser Stop", 169},
    {"{Browser Search", 170},
    {"{Browser Favorites", 171},
    {"{Browser Home", 172},
    {"{Launch Email", 180},
};

// The pause token: "{Delay=250}" waits 250 ms.
inline constexpr char kDelayToken[] = "{Delay";

// Tokens that press a modifier without releasing it, and tokens that release it without
// pressing it. The typing loop recognises them; the tables above give their key.
inline constexpr const char* kKeyDownOnlyTokens[] = {"{shiftdown}", "{altdown}", "{controldown}", "{ctrldown}"};
inline constexpr const char* kKeyUpOnlyTokens[] = {"{shiftup}", "{altup}", "{controlup}", "{ctrlup}"};

// A character's key on the US layout and whether SHIFT goes with it.
struct CharacterKey {
    uint8_t code;
    bool shift;
};

// The punctuation and white-space rows of the character table; letters and digits
// follow a rule, and every byte not listed is its own key code.
struct CharacterRow {
    char character;
    CharacterKey key;
};
inline constexpr CharacterRow kCharacterRows[] = {
    {'!', {'1', true}}, {'@', {'2', true}}, {'#', {'3', true}}, {'$', {'4', true}}, {'%', {'5', true}},
    {'^', {'6', true}}, {'&', {'7', true}}, {'*', {'8', true}}, {'(', {'9', true}}, {')', {'0', true}},
    {';', {186, false}}, {':', {186, true}},
    {'=', {187, false}}, {'+', {187, true}},
    {',', {188, false}}, {'<', {188, true}},
    {'-', {189, false}}, {'_', {189, true}},
    {'.', {190, false}}, {'>', {190, true}},
    {'/', {191, false}}, {'?', {191, true}},
    {'`', {192, false}}, {'~', {192, true}},
    {'[', {219, false}}, {'{', {219, true}},
    {'\\', {220, false}}, {'|', {220, true}},
    {']', {221, false}}, {'}', {221, true}},
    {'\'', {222, false}}, {'"', {222, true}},
    {' ', {kKeySpace, false}},
    {'\t', {kKeyTab, false}},
    {'\n', {kKeyReturn, false}},
    {'\r', {kKeyReturn, false}},
};

// The key of one character (any byte) on the US layout.
CharacterKey character_key(unsigned char character);

// The key named at the start of `text`. With `parse_tokens` it first tries the
// function-key rule ("{F1}" to "{F99}" give 111 + n), then kExactKeyTokens, then
// kKeyTokenPrefixes; a match gives the code with *is_token = true and *needs_shift =
// false. Otherwise, and always without `parse_tokens`, the first character's key with
// *is_token = false. Returns 0 for an empty text and for a "{Delay" token.
uint8_t ParseKeyToken(std::string_view text, bool parse_tokens, bool* needs_shift, bool* is_token);

// Whether the key is sent with the extended-key flag: CTRL, the page, end, home and
// arrow keys, print screen, insert, delete, the left Windows key and the application key.
bool IsExtendedKey(uint8_t code);

}  // namespace zorbel
