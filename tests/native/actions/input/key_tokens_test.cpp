// Key tokens and the character table: every name of the token tables, the function-key
// rule, the order in which the tables are tried, and the key of every byte.
#include <gtest/gtest.h>

#include <string>

#include "actions/input/key_names.h"
#include "actions/input/key_tokens.h"

namespace zorbel {
namespace {

struct Parsed {
    int code;
    bool shift;
    bool token;
};

Parsed parse(const std::string& text, bool tokens = true) {
    Parsed p{0, true, true};
    p.code = ParseKeyToken(text, tokens, &p.shift, &p.token);
    return p;
}

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}
std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

TEST(KeyTokens, EveryExactTokenNamesItsKeyInAnyCaseAndWithTextAfterIt) {
    for (const KeyTokenName& row : kExactKeyTokens) {
        for (const std::string& written : {std::string(row.text), upper(row.text), lower(row.text)}) {
            SCOPED_TRACE(written);
            Parsed p = parse(written + "more text");
            EXPECT_EQ(row.code, p.code);
            EXPECT_TRUE(p.token);
            EXPECT_FALSE(p.shift);
        }
    }
}

TEST(KeyTokens, EveryPrefixNamesItsKeyWhateverFollowsIt) {
    for (const KeyTokenName& row : kKeyTokenPrefixes) {
        for (const std::string& written : {std::string(row.text) + "}", lower(row.text) + "down}",
                                           upper(row.text) + " anything=12}", std::string(row.text)}) {
            SCOPED_TRACE(written);
            Parsed p = parse(written);
            EXPECT_EQ(row.code, p.code);
            EXPECT_TRUE(p.token);
            EXPECT_FALSE(p.shift);
        }
    }
}

// An exact token cut short of its closing brace is no token: its brace is typed.
TEST(KeyTokens, ExactTokensNeedTheirClosingBrace) {
    for (const KeyTokenName& row : kExactKeyTokens) {
        std::string open(row.text);
        open.pop_back();
        // A name that is also a prefix elsewhere ("{Del" is not, "{Alt..." would be) is left out.
        bool prefix_too = false;
        for (const KeyTokenName& p : kKeyTokenPrefixes) prefix_too |= lower(open).rfind(lower(p.text), 0) == 0;
        if (prefix_too) continue;
        SCOPED_TRACE(open);
        Parsed p = parse(open + " ");
        EXPECT_EQ(219, p.code);
        EXPECT_FALSE(p.token);
        EXPECT_TRUE(p.shift);
    }
}

TEST(KeyTokens, FunctionKeysByNumber) {
    struct Row {
        const char* text;
        int code;
        bool token;
    } rows[] = {
        {"{F1}", 112, true},   {"{f1}", 112, true},  {"{F5}", 116, true},   {"{F9}", 120, true},
        {"{F10}", 121, true},  {"{F12}", 123, true}, {"{F24}", 135, true},  {"{F99}", 210, true},
        {"{F5} 2006", 116, true},
        {"{F5x}", 116, true},    // the brace next-but-one: one digit read
        {"{F0}", 219, false},    // no key 0
        {"{F05}", 219, false},   // the first digit must be 1 to 9
        {"{F123}", 219, false},  // the brace is too far
        {"{F5", 219, false},     // no brace at all
        {"{Fx}", 219, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        Parsed p = parse(r.text);
        EXPECT_EQ(r.code, p.code);
        EXPECT_EQ(r.token, p.token);
    }
}

TEST(KeyTokens, TablesAreTriedInOrderAndDelayIsAPause) {
    struct Row {
        const char* text;
        int code;
        bool token;
    } rows[] = {
        {"{Del}", 46, true},
        {"{Delay=250}", 0, true},  // the pause, not the Delete key
        {"{delay}", 0, true},
        {"{Delete}", 219, false},  // not a token: typed as written
        {"{Application Key}", 93, true},
        {"{shiftdown}", 16, true},
        {"{ctrlup}", 17, true},
        {"{controldown}", 17, true},
        {"{AltGr}", 18, true},
        {"{Volume Up}", 175, true},
        {"{Volume_Down}", 174, true},
        {"{Next Track}", 176, true},
        {"{Media Play/Pause}", 179, true},
        {"{Stop Player}", 178, true},
        {"{Num5}", 101, true},
        {"{NumLock}", 144, true},
        {"{space}", 32, true},
        {"{foo}", 219, false},
        {"{", 219, false},
        {"{}", 219, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        Parsed p = parse(r.text);
        EXPECT_EQ(r.code, p.code);
        EXPECT_EQ(r.token, p.token);
    }
}

TEST(KeyTokens, WithoutTokenParsingEveryBraceIsACharacter) {
    for (const char* text : {"{enter}", "{F5}", "{Delay=9}", "{shiftdown}"}) {
        SCOPED_TRACE(text);
        Parsed p = parse(text, false);
        EXPECT_EQ(219, p.code);
        EXPECT_TRUE(p.shift);
        EXPECT_FALSE(p.token);
    }
}

TEST(KeyTokens, EmptyTextGivesNoKey) {
    Parsed p = parse("");
    EXPECT_EQ(0, p.code);
    EXPECT_FALSE(p.token);
    EXPECT_FALSE(p.shift);
}

// The key of every byte: letters, digits, the table's rows, and the byte itself for the rest.
TEST(CharacterTable, EveryByteHasItsKey) {
    for (int c = 1; c < 256; ++c) {
        SCOPED_TRACE("byte " + std::to_string(c));
        CharacterKey expected{static_cast<uint8_t>(c), false};
        if (c >= 'a' && c <= 'z') expected = {static_cast<uint8_t>(c - 32), false};
        else if (c >= 'A' && c <= 'Z') expected = {static_cast<uint8_t>(c), true};
        for (const CharacterRow& row : kCharacterRows)
            if (static_cast<unsigned char>(row.character) == c) expected = row.key;
        CharacterKey got = character_key(static_cast<unsigned char>(c));
        EXPECT_EQ(expected.code, got.code);
        EXPECT_EQ(expected.shift, got.shift);
        // ParseKeyToken without tokens gives the same.
        std::string text(1, static_cast<char>(c));
        Parsed p = parse(text, false);
        EXPECT_EQ(expected.code, p.code);
        EXPECT_EQ(expected.shift, p.shift);
    }
}

// The character table and the SHIFT pairs describe one layout: each pair's characters
// share a key, the plain one without SHIFT and the shifted one with it.
TEST(CharacterTable, AgreesWithTheShiftPairs) {
    for (const ShiftedPair& pair : kShiftedPairs) {
        SCOPED_TRACE(std::string("pair ") + pair.plain + pair.shifted);
        CharacterKey plain = character_key(static_cast<unsigned char>(pair.plain));
        CharacterKey shifted = character_key(static_cast<unsigned char>(pair.shifted));
        EXPECT_EQ(plain.code, shifted.code);
        EXPECT_FALSE(plain.shift);
        EXPECT_TRUE(shifted.shift);
    }
    for (const CharacterRow& row : kCharacterRows) {
        if (!row.key.shift) continue;
        SCOPED_TRACE(std::string("row ") + row.character);
        bool paired = false;
        for (const ShiftedPair& pair : kShiftedPairs) paired |= pair.shifted == row.character;
        EXPECT_TRUE(paired);
    }
}

TEST(ExtendedKeys, OnlyTheListedKeys) {
    for (int code = 0; code < 256; ++code) {
        bool expected = code == 17 || (code >= 33 && code <= 40) || code == 44 || code == 45 || code == 46 ||
                        code == 91 || code == 93;
        EXPECT_EQ(expected, IsExtendedKey(static_cast<uint8_t>(code))) << "key " << code;
    }
}

}  // namespace
}  // namespace zorbel
