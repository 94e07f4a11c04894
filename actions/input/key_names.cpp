#include "actions/input/key_names.h"

namespace zorbel {

char ShiftedCharacter(char character, int mode) {
    const bool lower = character >= 'a' && character <= 'z';
    switch (mode) {
        case kShiftToLower:
            return character >= 'A' && character <= 'Z' ? static_cast<char>(character - 'A' + 'a') : character;
        case kShiftUsLayout:
            if (lower) return static_cast<char>(character - 'a' + 'A');
            for (const ShiftedPair& pair : kShiftedPairs)
                if (pair.plain == character) return pair.shifted;
            return character;
        case kShiftLettersOnly:
            return lower ? static_cast<char>(character - 'a' + 'A') : character;
        default:
            return character;
    }
}

int KeyDisplayName(uint8_t code, std::string* name, ModifierKeys held) {
    name->clear();
    for (const KeyDisplayRow& row : kKeyDisplayNames) {
        if (row.code != code) continue;
        *name = row.name;
        return code == 32 ? 0 : code;
    }
    if (code >= 96 && code <= 105) {
        *name = "Num " + std::to_string(code - 96);
        return code;
    }
    if (code >= 112 && code <= 123) {
        *name = "F" + std::to_string(code - 111);
        return code;
    }
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
        char c = static_cast<char>(code);
        if (held.shift && !held.control && !held.alt) c = ShiftedCharacter(c, kShiftUsLayout);
        name->assign(1, c);
    }
    return 0;
}

}  // namespace zorbel
