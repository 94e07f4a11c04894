// SHIFT forms of characters and the display names of keys.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "actions/input/key_names.h"
#include "actions/input/key_tokens.h"

namespace zorbel {
namespace {

TEST(ShiftedCharacter, ModeZeroLowersCapitalsOnly) {
    for (int c = 1; c < 256; ++c) {
        char in = static_cast<char>(c);
        char expected = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : in;
        EXPECT_EQ(expected, ShiftedCharacter(in, kShiftToLower)) << "byte " << c;
    }
}

TEST(ShiftedCharacter, ModeOneGivesTheUsShiftForms) {
    for (int c = 1; c < 256; ++c) {
        char in = static_cast<char>(c);
        char expected = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : in;
        for (const ShiftedPair& pair : kShiftedPairs)
            if (pair.plain == in) expected = pair.shifted;
        EXPECT_EQ(expected, ShiftedCharacter(in, kShiftUsLayout)) << "byte " << c;
    }
    const char* plain = "',-./0123456789;=[\\]`";
    const char* shifted = "\"<_>?)!@#$%^&*(:+{|}~";
    for (size_t i = 0; plain[i]; ++i) EXPECT_EQ(shifted[i], ShiftedCharacter(plain[i], kShiftUsLayout)) << plain[i];
}

TEST(ShiftedCharacter, ModeTwoRaisesLettersOnly) {
    for (int c = 1; c < 256; ++c) {
        char in = static_cast<char>(c);
        char expected = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : in;
        EXPECT_EQ(expected, ShiftedCharacter(in, kShiftLettersOnly)) << "byte " << c;
    }
}

TEST(KeyDisplayName, NamedKeysReturnTheirCodeAndSpaceZero) {
    std::set<std::string> names;
    for (const KeyDisplayRow& row : kKeyDisplayNames) {
        std::string name = "stale";
        int result = KeyDisplayName(row.code, &name);
        EXPECT_EQ(row.name, name) << "key " << int(row.code);
        EXPECT_EQ(row.code == 32 ? 0 : row.code, result) << row.name;
        EXPECT_TRUE(names.insert(name).second) << "two keys named " << name;
    }
    struct Row {
        uint8_t code;
        const char* name;
    } ranges[] = {{96, "Num 0"}, {100, "Num 4"}, {105, "Num 9"}, {112, "F1"}, {116, "F5"}, {123, "F12"}};
    for (const Row& r : ranges) {
        std::string name;
        EXPECT_EQ(r.code, KeyDisplayName(r.code, &name)) << r.name;
        EXPECT_EQ(r.name, name);
    }
}

TEST(KeyDisplayName, LettersAndDigitsAreTheirCharacterShiftedOnlyWithShiftAlone) {
    struct Row {
        uint8_t code;
        ModifierKeys held;
        const char* name;
    } rows[] = {
        {'A', {}, "A"},
        {'Q', {true, false, false}, "Q"},
        {'5', {}, "5"},
        {'5', {true, false, false}, "%"},
        {'5', {true, true, false}, "5"},  // CTRL+SHIFT: not shifted
        {'0', {true, false, true}, "0"},  // ALT+SHIFT: not shifted
        {'9', {true, false, false}, "("},
    };
    for (const Row& r : rows) {
        std::string name;
        EXPECT_EQ(0, KeyDisplayName(r.code, &name, r.held)) << r.name;
        EXPECT_EQ(r.name, name);
    }
}

TEST(KeyDisplayName, OtherKeysHaveNoName) {
    for (uint8_t code : {0, 1, 124, 135, 175, 186, 219, 255}) {
        std::string name = "stale";
        EXPECT_EQ(0, KeyDisplayName(code, &name)) << int(code);
        EXPECT_EQ("", name) << int(code);
    }
}

// A key a token names can be shown by name: the keys the user may pick as a stop key.
TEST(KeyDisplayName, EveryTokenKeyOfTheEditingBlockHasAName) {
    for (const KeyTokenName& token : kExactKeyTokens) {
        if (token.code == 47 || token.code == 108) continue;  // Help and the separator key have no name
        std::string name;
        KeyDisplayName(token.code, &name);
        EXPECT_FALSE(name.empty()) << token.text;
    }
}

}  // namespace
}  // namespace zorbel
